// The window as built: every control inside the client area without overlaps,
// fonts, spot checks of the design, label styles, tab order, and what assistive
// technology reads out of it.

#include "WindowTesting.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace vnt;
using namespace vnt::test;

namespace {

const QStringList DataLabels{"labAIfilePath",           "labAttributeName", "labMinRange",   "labMaxRange",
                             "labAttributeDescription", "labDefaultValue",  "labSliderValue"};

QRect designed(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return (twips + 7) / 15; };
    return QRect(px(left), px(top), px(width), px(height));
}

// Two rectangles share more than the one-pixel seam that rounding twips can leave.
bool overlap(const QRect& a, const QRect& b)
{
    const QRect common = a.intersected(b);
    return common.width() > 1 && common.height() > 1;
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

QString accessibleText(QWidget* widget, QAccessible::Text which)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(which) : QStringLiteral("<no accessible interface>");
}

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
    std::unique_ptr<RecordedWindow> r;
    QWidget* client = nullptr;
    QList<QWidget*> controls; // the client area's own controls
private Q_SLOTS:
    void init()
    {
        r = std::make_unique<RecordedWindow>();
        client = r->window->centralWidget();
        controls = client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    }
    void cleanup() { r.reset(); }

    void windowIsTitledWithItsIconAtAFixedSize()
    {
        MainWindow& w = *r->window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Vantor 08"));
        QVERIFY(w.windowIcon().availableSizes().contains(QSize(32, 32)));
        QCOMPARE(w.size(), QSize(605, 553));
        QCOMPARE(w.minimumSize(), w.maximumSize());
    }

    void clientAreaHoldsEveryControl()
    {
        QCOMPARE(controls.size(), 27);
        for (Control c : AllControls)
            QVERIFY2(client->findChild<QWidget*>(controlName(c)), nameOf(c));
        for (int i = 1; i <= 6; ++i)
            QVERIFY(client->findChild<QLabel*>(QStringLiteral("Label%1").arg(i)));
    }

    void controlsLieInsideTheClientAreaWithoutOverlaps()
    {
        for (QWidget* c : controls) {
            QVERIFY2(client->rect().contains(c->geometry()), qPrintable(c->objectName()));
            for (QWidget* other : controls) {
                if (other != c && !c->isHidden() && !other->isHidden())
                    QVERIFY2(!overlap(c->geometry(), other->geometry()),
                             qPrintable(c->objectName() + QStringLiteral(" / ") + other->objectName()));
            }
        }
    }

    // What assistive technology reads out: each control's own purpose.
    void everyControlHasADescriptionOfItsOwn()
    {
        QStringList described;
        for (QWidget* c : controls) {
            const QString description = accessibleText(c, QAccessible::Description);
            QVERIFY2(!description.isEmpty() && !described.contains(description), qPrintable(c->objectName()));
            described << description;
        }
    }

    void everyControlIsSetInArial()
    {
        for (QWidget* c : controls) {
            const QString face = QFontInfo(c->font()).family(); // Arial, or its metric twin
            QVERIFY2(face == QStringLiteral("Arial") || face == QStringLiteral("Liberation Sans"), qPrintable(face));
        }
    }

    // Data labels are boxes like text fields; captions stay on their one line, a pixel to
    // spare at most; "&" and markup shown as written.
    void labelsAreStyledAsDataOrCaptions()
    {
        for (QWidget* c : controls) {
            auto* label = qobject_cast<QLabel*>(c);
            if (!label)
                continue;
            const bool data = DataLabels.contains(label->objectName());
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QCOMPARE(label->frameShape(), data ? QFrame::Box : QFrame::NoFrame);
            QCOMPARE(label->autoFillBackground(), data);
            const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
            if (data)
                QCOMPARE(label->palette().color(label->backgroundRole()), qApp->palette().color(QPalette::Base));
            else
                QVERIFY2(!label->wordWrap() && textWidth <= label->width() + 1, qPrintable(label->objectName()));
        }
        QVERIFY(r->control<QLabel>(Control::labAttributeDescription)->wordWrap());
    }

    void spotChecksMatchTheDesign()
    {
        auto* title = client->findChild<QLabel*>(QStringLiteral("Label3"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("Vantor 08"));
        QCOMPARE(title->geometry(), designed(240, 240, 4455, 495));
        QVERIFY(title->font().pointSizeF() == 20.25 && title->font().bold() && title->font().italic());

        auto* path = r->control<QLabel>(Control::labAIfilePath);
        QCOMPARE(path->geometry(), designed(240, 1200, 8295, 315));
        QCOMPARE(path->font().pointSizeF(), 9.0);

        auto* apply = r->control<QPushButton>(Control::btnApplyAIChanges);
        QCOMPARE(apply->text(), QStringLiteral("Apply Changes"));
        QCOMPARE(apply->geometry(), designed(3960, 7080, 1335, 375));
    }

    void windowStartsWithNothingChosen()
    {
        QVERIFY(!r->control(Control::btnApplyAIChanges)->isEnabled());
        QVERIFY(r->control(Control::InvalidFileMsg)->isHidden());
        QCOMPARE(r->control<QComboBox>(Control::lstSkill)->itemText(3), QStringLiteral("Difficlt"));
        QCOMPARE(r->window->skillIndex(), -1); // so that start-up's choice of entry 0 runs the handler
        QVERIFY(r->log.calls.isEmpty());
    }

    // Controls without text are named for what they hold; buttons and captions
    // are read out by their text, data labels by the text they show.
    void controlsAreReadOutByTheirPurposeOrText()
    {
        const std::pair<const char*, const char*> names[] = {{"TreeView_AI", "AI attributes"},
                                                             {"valueSlider", "Attribute value"},
                                                             {"lstSkill", "Skill level"},
                                                             {"btnApplyAIChanges", "Apply Changes"},
                                                             {"Label2", "Skill Level"}};
        for (const auto& [control, name] : names) {
            QWidget* c = client->findChild<QWidget*>(QString::fromLatin1(control));
            QVERIFY2(c, control);
            QCOMPARE(accessibleText(c, QAccessible::Name), QString::fromLatin1(name));
        }
        for (Control label : AllControls) {
            if (!DataLabels.contains(controlName(label)))
                continue;
            for (const QString& shown : {QStringLiteral("Max Puck & Control ") + controlName(label), QString("90")}) {
                r->window->setCaption(label, shown);
                QCOMPARE(accessibleText(r->window->widget(label), QAccessible::Name), shown);
            }
        }
    }

    void windowOpensCentredOnTheScreen()
    {
        MainWindow& w = *r->window;
        w.showWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY((w.geometry().center() - w.screen()->availableGeometry().center()).manhattanLength() <= 2);
    }

    void disabledControlsAndLabelsTakeNoFocus()
    {
        r->window->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(r->window.get()));
        r->window->setFocus(Control::btnBrowseAIFile);
        QCOMPARE(namesAfterTabs(3), (QStringList{"btnQuit", "btnImportVNTSettings", "btnBrowseAIFile"}));
    }

    void tabFollowsTheDesignedOrder()
    {
        r->window->showWindow();
        QVERIFY(QTest::qWaitForWindowActive(r->window.get()));
        for (QWidget* c : controls)
            c->setEnabled(true);
        r->window->setFocus(Control::TreeView_AI);
        const QStringList order{"btnBrowseAIFile",
                                "valueSlider",
                                "btnSetDefaultValue",
                                "lstSkill",
                                "btnApplyAIChanges",
                                "btnCancelAIChanges",
                                "btnQuit",
                                "btnExportVNTSettings",
                                "btnImportVNTSettings",
                                "btnAItreeExpandAll",
                                "btnAItreeCollapseAll",
                                "TreeView_AI"};
        QCOMPARE(namesAfterTabs(int(order.size())), order);
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"
