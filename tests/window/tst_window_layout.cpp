// The window as built: names, texts, fonts, places, initial states, tab order.

#include "WindowTesting.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QTreeWidget>

using namespace vnt;
using namespace vnt::test;

namespace {

struct Expected {
    const char* name;
    const char* text; // nullptr: no text of its own
    int left, top, width, height; // twips
    double points;
    bool bold, italic, enabled, visible;
};

const Expected Designed[] = {
    {"TreeView_AI", nullptr, 240, 2760, 3495, 5175, 8.25, false, false, false, true},
    {"btnBrowseAIFile", "Browse", 240, 1560, 1095, 375, 8.25, false, false, true, true},
    {"labAttributeDescription", "", 3960, 3120, 4575, 2535, 8.25, false, false, true, true},
    {"valueSlider", nullptr, 3840, 6360, 3615, 435, 8.25, false, false, false, true},
    {"Label1", "Default Value", 3960, 5820, 1095, 255, 8.25, false, false, true, true},
    {"btnSetDefaultValue", "Reset to Default", 6000, 5760, 1455, 375, 8.25, false, false, false, true},
    {"InvalidFileMsg", "The selected file is not a valid aidata.viv file.", 1560, 1680, 3975, 255, 8.25, true,
     false, true, false},
    {"lstSkill", nullptr, 1440, 2280, 2295, 330, 8.25, false, false, false, true},
    {"labDefaultValue", "", 5040, 5760, 855, 315, 8.25, false, false, true, true},
    {"Label2", "Skill Level", 600, 2400, 735, 255, 8.25, false, false, true, true},
    {"labAttributeName", "", 3960, 2280, 4575, 315, 11.25, true, false, true, true},
    {"labMinRange", "", 5130, 2640, 495, 315, 9.75, true, false, true, true},
    {"Label4", "Minimum Value", 3960, 2700, 1095, 255, 8.25, false, false, true, true},
    {"labMaxRange", "", 7080, 2640, 615, 315, 9.75, true, false, true, true},
    {"Label6", "Maximum Value", 5880, 2700, 1125, 255, 8.25, false, false, true, true},
    {"btnApplyAIChanges", "Apply Changes", 3960, 7080, 1335, 375, 8.25, false, false, false, true},
    {"btnCancelAIChanges", "Cancel Changes", 3960, 7560, 1335, 375, 8.25, false, false, false, true},
    {"Label3", "Vantor 08", 240, 240, 4455, 495, 20.25, true, true, true, true},
    {"Label5", "Select aidata.viv file location", 240, 960, 2055, 255, 8.25, false, false, true, true},
    {"btnQuit", "Quit VNT08", 7080, 7560, 1335, 375, 8.25, false, false, true, true},
    {"btnExportVNTSettings", "Export Settings", 5520, 7080, 1335, 375, 8.25, false, false, false, true},
    {"labAppVersion", "v", 4680, 405, 1095, 255, 12.0, true, true, true, true},
    {"btnImportVNTSettings", "Import Settings", 5520, 7560, 1335, 375, 8.25, false, false, true, true},
    {"labSliderValue", "", 7460, 6360, 1100, 315, 8.25, false, false, true, true},
    {"labAIfilePath", "", 240, 1200, 8295, 315, 9.0, false, false, true, true},
    {"btnAItreeExpandAll", "Expand All", 240, 7920, 1215, 255, 8.25, false, false, false, true},
    {"btnAItreeCollapseAll", "Collapse All", 1440, 7920, 1095, 255, 8.25, false, false, false, true},
};

const QStringList DataLabels{"labAIfilePath",           "labAttributeName", "labMinRange",   "labMaxRange",
                             "labAttributeDescription", "labDefaultValue",  "labSliderValue"};

QString textOf(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    auto* button = qobject_cast<QPushButton*>(w);
    return button ? button->text() : QString();
}

QStringList namesAfterTabs(int presses)
{
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void windowAndEveryControlAreAsDesigned()
    {
        RecordedWindow r;
        MainWindow& w = *r.window;
        QCOMPARE(w.objectName(), QStringLiteral("VNT08_aidata"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Vantor 08"));
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
        QCOMPARE(w.centralWidget()->size(), QSize(605, 553));
        QCOMPARE(w.size(), QSize(605, 553));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 27);

        const auto px = [](int twips) { return (twips + 7) / 15; };
        for (const Expected& e : Designed) {
            auto* c = w.centralWidget()->findChild<QWidget*>(e.name);
            QVERIFY2(c, e.name);
            if (e.text)
                QCOMPARE(textOf(c), QString::fromLatin1(e.text));
            QCOMPARE(c->geometry(), QRect(px(e.left), px(e.top), px(e.width), px(e.height)));
            QCOMPARE(c->font().family(), QStringLiteral("Arial"));
            const QString face = QFontInfo(c->font()).family(); // Arial, or its metric twin
            QVERIFY2(face == QStringLiteral("Arial") || face == QStringLiteral("Liberation Sans"), qPrintable(face));
            QCOMPARE(c->font().pointSizeF(), e.points);
            QCOMPARE(c->font().bold(), e.bold);
            QCOMPARE(c->font().italic(), e.italic);
            QVERIFY2(c->isEnabled() == e.enabled && c->isHidden() != e.visible, e.name);
        }
        QVERIFY(r.control<QTreeWidget>(Control::TreeView_AI)->isHeaderHidden());
        QCOMPARE(r.control<QSlider>(Control::valueSlider)->orientation(), Qt::Horizontal);
        QCOMPARE(r.control<QSlider>(Control::valueSlider)->tickPosition(), QSlider::TicksBelow);
        QCOMPARE(r.control<QLabel>(Control::InvalidFileMsg)->palette().color(QPalette::WindowText), QColor(192, 0, 0));
        for (Control centred : {Control::labAttributeName, Control::labMinRange, Control::labMaxRange})
            QVERIFY(r.control<QLabel>(centred)->alignment() & Qt::AlignHCenter);

        auto* list = r.control<QComboBox>(Control::lstSkill);
        QCOMPARE(list->count(), 4);
        QCOMPARE(list->itemText(0), QStringLiteral("Select Skill"));
        QCOMPARE(list->itemText(3), QStringLiteral("Difficlt"));
        QVERIFY(!list->isEditable());
        QCOMPARE(w.skillIndex(), -1); // so that start-up's choice of entry 0 runs the handler
        QVERIFY(r.log.calls.isEmpty());
    }

    void dataLabelsAreTextFieldBoxesAndCaptionsFitTheirLine()
    {
        RecordedWindow r;
        const QPalette app = QApplication::palette();
        for (auto* label : r.window->centralWidget()->findChildren<QLabel*>()) {
            const bool data = DataLabels.contains(label->objectName());
            QCOMPARE(label->textFormat(), Qt::PlainText); // "&" and markup shown as written
            QCOMPARE(label->frameShape(), data ? QFrame::Box : QFrame::NoFrame);
            QCOMPARE(label->autoFillBackground(), data);
            if (data) {
                QCOMPARE(label->frameShadow(), QFrame::Plain);
                QCOMPARE(label->lineWidth(), 1);
                QCOMPARE(label->palette().color(label->backgroundRole()), app.color(QPalette::Base));
                QCOMPARE(label->palette().color(label->foregroundRole()), app.color(QPalette::Text));
                continue;
            }
            // Captions stay on their one line, a pixel to spare at most.
            QVERIFY(!label->wordWrap());
            const int width = QFontMetrics(label->font()).horizontalAdvance(label->text());
            QVERIFY2(width <= label->width() + 1, qPrintable(label->objectName()));
        }
        QVERIFY(r.control<QLabel>(Control::labAttributeDescription)->wordWrap());
    }

    void windowOpensCentredAndTabFollowsTheDesignOrder()
    {
        RecordedWindow r;
        MainWindow& w = *r.window;
        w.showWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QPoint offCentre = w.geometry().center() - w.screen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
        if (qEnvironmentVariableIsSet("VANTOR_SCREENSHOT"))
            w.grab().save(qEnvironmentVariable("VANTOR_SCREENSHOT"));

        // Disabled controls and labels take no focus.
        w.setFocus(Control::btnBrowseAIFile);
        QCOMPARE(namesAfterTabs(3), (QStringList{"btnQuit", "btnImportVNTSettings", "btnBrowseAIFile"}));

        for (QWidget* c : w.centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            c->setEnabled(true);
        w.setFocus(Control::TreeView_AI);
        const QStringList order{"btnBrowseAIFile",    "valueSlider",          "btnSetDefaultValue",
                                "lstSkill",           "btnApplyAIChanges",    "btnCancelAIChanges",
                                "btnQuit",            "btnExportVNTSettings", "btnImportVNTSettings",
                                "btnAItreeExpandAll", "btnAItreeCollapseAll", "TreeView_AI"};
        QCOMPARE(namesAfterTabs(int(order.size())), order);
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"
