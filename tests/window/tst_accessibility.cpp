// What assistive technology reads out of the window: every control says what it
// is for, the controls without text of their own carry a name, and the data
// labels read out the text they show.

#include "WindowTesting.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace vnt;
using namespace vnt::test;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text which)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(which) : QStringLiteral("<no accessible interface>");
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyControlDescribesItsPurpose()
    {
        RecordedWindow w;
        const QList<QWidget*> controls =
            w.window->centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QStringList described;
        for (QWidget* control : controls) {
            const QString description = accessibleText(control, QAccessible::Description);
            QVERIFY2(!description.isEmpty() && !described.contains(description),
                     qPrintable(control->objectName() + QStringLiteral(": '") + description + QLatin1Char('\'')));
            described << description;
        }
    }

    void controlsWithoutTextAreNamedForWhatTheyHold()
    {
        RecordedWindow w;
        QCOMPARE(accessibleText(w.window->widget(Control::TreeView_AI), QAccessible::Name),
                 QStringLiteral("AI attributes"));
        QCOMPARE(accessibleText(w.window->widget(Control::valueSlider), QAccessible::Name),
                 QStringLiteral("Attribute value"));
        QCOMPARE(accessibleText(w.window->widget(Control::lstSkill), QAccessible::Name), QStringLiteral("Skill level"));
        // Buttons and captions are read out by their text.
        QCOMPARE(accessibleText(w.window->widget(Control::btnApplyAIChanges), QAccessible::Name),
                 QStringLiteral("Apply Changes"));
        auto* caption = w.window->centralWidget()->findChild<QLabel*>(QStringLiteral("Label2"));
        QVERIFY(caption);
        QCOMPARE(accessibleText(caption, QAccessible::Name), QStringLiteral("Skill Level"));
    }

    void dataLabelsReadOutTheTextTheyShow()
    {
        RecordedWindow w;
        const Control labels[] = {Control::labAIfilePath,   Control::labAttributeName, Control::labMinRange,
                                  Control::labMaxRange,     Control::labAttributeDescription,
                                  Control::labDefaultValue, Control::labSliderValue};
        for (Control label : labels) {
            const QString shown = QStringLiteral("Max Puck & Control ") + controlName(label);
            w.window->setCaption(label, shown);
            QCOMPARE(accessibleText(w.window->widget(label), QAccessible::Name), shown);
            w.window->setCaption(label, QStringLiteral("90"));
            QCOMPARE(accessibleText(w.window->widget(label), QAccessible::Name), QStringLiteral("90"));
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
