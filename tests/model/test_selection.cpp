#include "ModelFixtures.h"

#include "app/Events.h"
#include "model/NumberText.h"
#include "model/Selection.h"

#include <gtest/gtest.h>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString FloatKey = QStringLiteral("pass_intercept_cpu");   // 0..1 x100 at 9, stored 0.3
const QString Int32Key = QStringLiteral("getcarrierdist_cpu");   // 0..5 x10 at 21, stored 3
const QString OddTagKey = QStringLiteral("base_gap_dist_cpu");   // tag 0x0302 at 33
const QString ShortKey = QStringLiteral("zero_gap_dist_cpu");    // value runs past the end of the file
const QString BrokenKey = QStringLiteral("max_gap_dist_cpu");    // range_mult 0
const QString ResetTitle = QStringLiteral("Reset value to default?");

// An editor on "Medium" with a definition file and a working copy of 64 bytes.
struct Editing : TestEditor {
    Editing()
    {
        ctx.state.SkillName = QStringLiteral("Medium");
        loadDefinitions(*this, AttributeXml().xml()
                                   + AttributeXml()
                                         .set(QStringLiteral("key"), Int32Key)
                                         .set(QStringLiteral("name"), QStringLiteral("Carrier distance"))
                                         .set(QStringLiteral("max_range"), QStringLiteral("5"))
                                         .set(QStringLiteral("range_mult"), QStringLiteral("10"))
                                         .set(QStringLiteral("offset"), QStringLiteral("21"))
                                         .set(QStringLiteral("medium"), QStringLiteral("2.5"))
                                         .xml()
                                   + AttributeXml().set(QStringLiteral("key"), OddTagKey)
                                         .set(QStringLiteral("offset"), QStringLiteral("33")).xml()
                                   + AttributeXml().set(QStringLiteral("key"), ShortKey)
                                         .set(QStringLiteral("offset"), QStringLiteral("62")).xml()
                                   + AttributeXml().set(QStringLiteral("key"), BrokenKey)
                                         .set(QStringLiteral("range_mult"), QStringLiteral("0")).xml());
        bytes = patternFile(64);
        putSlot(bytes, 9, 0xB17B, singleBytes(0.3f));
        putSlot(bytes, 21, 0xB810, int32Bytes(3));
        putSlot(bytes, 33, 0x0302, int32Bytes(7));
        putSlot(bytes, 62, 0xB17B, QByteArray()); // a float slot cut off by the end of the file
        writeBytes(workFile(), bytes);
    }

    void click(const QString& key) { TreeView_AI_NodeClick(ctx, key); }
    void move(int position)
    {
        controls.userSetsSlider(position);
        valueSlider_Scroll(ctx);
    }
    QString shown(Control label) const { return controls.caption(label); }
    QByteArray fileWith(int position, const QByteArray& value) const
    {
        QByteArray out = bytes;
        return out.replace(position - 1, value.size(), value);
    }

    QByteArray bytes;
};

// What the window shows of the attribute display, to compare before and after.
struct Display {
    explicit Display(const Editing& e)
    {
        for (Control c : {Control::labAttributeName, Control::labAttributeDescription, Control::labMinRange,
                          Control::labMaxRange, Control::labDefaultValue, Control::labSliderValue})
            captions << e.shown(c);
        for (Control c : {Control::valueSlider, Control::btnSetDefaultValue, Control::btnApplyAIChanges,
                          Control::btnCancelAIChanges})
            enabled << e.controls.isEnabled(c);
        slider = {e.controls.sliderMinimum(), e.controls.sliderMaximum(), e.controls.sliderTickFrequency(),
                  e.controls.sliderPosition()};
        state = {e.ctx.state.AttrDisplayName, QString::number(e.ctx.state.RangeMult),
                 QString::number(e.ctx.state.AttrOffset), QString::number(e.ctx.state.ChangesPending)};
    }
    bool operator==(const Display&) const = default;
    QStringList captions;
    QList<bool> enabled;
    QList<int> slider;
    QStringList state;
};

} // namespace

TEST(Selection, ClickingALeafShowsTheAttributeAndPlacesTheSlider)
{
    Editing e;
    e.click(FloatKey);
    EXPECT_EQ(e.shown(Control::labAttributeName), QStringLiteral("Pass Intercept CPU"));
    EXPECT_EQ(e.shown(Control::labAttributeDescription), QStringLiteral("How often the CPU intercepts passes"));
    EXPECT_EQ(e.shown(Control::labMinRange), QStringLiteral("0"));
    EXPECT_EQ(e.shown(Control::labMaxRange), QStringLiteral("1"));
    EXPECT_EQ(e.shown(Control::labDefaultValue), QStringLiteral("0.3"));
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0.3"));
    EXPECT_EQ(e.controls.sliderMinimum(), 0);
    EXPECT_EQ(e.controls.sliderMaximum(), 100);
    EXPECT_EQ(e.controls.sliderTickFrequency(), 10);
    EXPECT_EQ(e.controls.sliderPosition(), 30);
    EXPECT_TRUE(e.controls.isEnabled(Control::valueSlider));
    EXPECT_EQ(e.controls.focus, Control::valueSlider);
    EXPECT_TRUE(e.controls.isEnabled(Control::btnSetDefaultValue));
    EXPECT_EQ(e.ctx.state.AttrDisplayName, QStringLiteral("Pass Intercept CPU"));
    EXPECT_EQ(e.ctx.state.RangeMult, 100);
    EXPECT_EQ(e.ctx.state.AttrOffset, 9);

    // A selection writes nothing and claims no change.
    EXPECT_EQ(readBytes(e.workFile()), e.bytes);
    EXPECT_FALSE(e.ctx.state.ChangesPending);
    EXPECT_FALSE(e.controls.isEnabled(Control::btnApplyAIChanges));
    EXPECT_FALSE(e.controls.isEnabled(Control::btnCancelAIChanges));

    // A new selection replaces the old one; without a skill level the default stays.
    e.ctx.state.SkillName = QStringLiteral("Select Skill");
    e.click(Int32Key);
    EXPECT_EQ(e.shown(Control::labAttributeName), QStringLiteral("Carrier distance"));
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("3"));
    EXPECT_EQ(e.controls.sliderPosition(), 30);
    EXPECT_EQ(e.controls.sliderMaximum(), 50);
    EXPECT_EQ(e.controls.sliderTickFrequency(), 5);
    EXPECT_EQ(e.shown(Control::labDefaultValue), QStringLiteral("0.3"));
}

TEST(Selection, MovingTheSliderWritesTheValueInTheSlotsForm)
{
    Editing e;
    e.click(FloatKey);
    e.move(31);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0.31"));
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(9, singleBytes(0.31f)));
    EXPECT_TRUE(e.ctx.state.ChangesPending);
    EXPECT_TRUE(e.controls.isEnabled(Control::btnApplyAIChanges));
    EXPECT_TRUE(e.controls.isEnabled(Control::btnCancelAIChanges));

    // The 32-bit slot stores the shown text brought to an integer, halves to even.
    e.bytes = readBytes(e.workFile());
    e.click(Int32Key);
    e.move(15);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("1.5"));
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(21, int32Bytes(2)));
    e.move(25);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("2.5"));
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(21, int32Bytes(2)));
    e.move(35);
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(21, int32Bytes(4)));
}

TEST(Selection, ValuesAreShownAndStoredInTheUsersLocale)
{
    Editing e;
    LocaleScope german(QStringLiteral("de_DE"));
    loadDefinitions(e, AttributeXml().set(QStringLiteral("max_range"), QStringLiteral("1,5"))
                           .set(QStringLiteral("easy"), QStringLiteral("0,2"))
                           .set(QStringLiteral("medium"), QStringLiteral("0,45"))
                           .set(QStringLiteral("difficlt"), QStringLiteral("1")).xml());
    e.click(FloatKey);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0,3"));
    EXPECT_EQ(e.controls.sliderMaximum(), 150);
    EXPECT_EQ(e.controls.sliderTickFrequency(), 15);
    e.move(7);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0,07"));
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(9, singleBytes(0.07f)));
    e.dialogs.expectQuestion(ResetTitle, Answer::Yes);
    btnSetDefaultValue_Click(e.ctx);
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(9, singleBytes(0.45f)));
}

TEST(Selection, ResetAskedAndAnsweredYesWritesTheDefault)
{
    Editing e;
    loadDefinitions(e, AttributeXml().set(QStringLiteral("medium"), QStringLiteral("0.456")).xml());
    e.click(FloatKey);
    e.dialogs.expectQuestion(ResetTitle, Answer::Yes);
    btnSetDefaultValue_Click(e.ctx);
    const auto& asked = e.dialogs.last();
    EXPECT_EQ(asked.text, QStringLiteral("Reset this attribute to it's default value?"));
    EXPECT_EQ(asked.buttons, Buttons::YesNo);
    EXPECT_EQ(asked.icon, Icon::None);

    // The label keeps every digit; the slider has only whole steps.
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0.456"));
    EXPECT_EQ(e.controls.sliderPosition(), 46);
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(9, singleBytes(0.456f)));
    EXPECT_TRUE(e.ctx.state.ChangesPending);
    EXPECT_FALSE(e.controls.isEnabled(Control::btnApplyAIChanges));
    EXPECT_FALSE(e.controls.isEnabled(Control::btnCancelAIChanges));
}

TEST(Selection, ResetAnsweredNoChangesNothing)
{
    Editing e;
    e.click(FloatKey);
    e.move(80);
    e.ctx.state.ChangesPending = false;
    const QByteArray before = readBytes(e.workFile());
    const Display shown(e);
    e.dialogs.expectQuestion(ResetTitle, Answer::No);
    btnSetDefaultValue_Click(e.ctx);
    EXPECT_EQ(Display(e), shown);
    EXPECT_EQ(readBytes(e.workFile()), before);
}

TEST(Selection, NodesWithoutAnEditableAttributeLeaveTheDisplayAlone)
{
    Editing e;
    e.click(FloatKey);
    const Display shown(e);
    for (const QString& key : {QStringLiteral("pass_intercept"), QStringLiteral("AI"), BrokenKey,
                               QStringLiteral("PASS_INTERCEPT_CPU"), QString()})
        e.click(key);
    EXPECT_EQ(Display(e), shown);

    // The earlier selection is still the one a move writes to.
    e.move(55);
    EXPECT_EQ(readBytes(e.workFile()), e.fileWith(9, singleBytes(0.55f)));
}

TEST(Selection, ASlotOfNoKnownFormShowsNothingAndIsNeverWritten)
{
    Editing e;
    e.click(OddTagKey);
    EXPECT_EQ(e.shown(Control::labSliderValue), QString());
    EXPECT_EQ(e.controls.sliderPosition(), 0);
    EXPECT_TRUE(e.controls.isEnabled(Control::valueSlider));

    e.move(12);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0.12"));
    e.dialogs.expectQuestion(ResetTitle, Answer::Yes);
    btnSetDefaultValue_Click(e.ctx);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0.3"));
    EXPECT_EQ(e.controls.sliderPosition(), 30);
    EXPECT_EQ(readBytes(e.workFile()), e.bytes);
}

TEST(Selection, ClearingEmptiesTheDisplayButKeepsApplyAndTheSelection)
{
    Editing e;
    e.click(FloatKey);
    e.move(40);
    ClearAttributeDisplay(e.ctx);
    for (Control c : {Control::labAttributeName, Control::labAttributeDescription, Control::labMinRange,
                      Control::labMaxRange, Control::labDefaultValue, Control::labSliderValue})
        EXPECT_EQ(e.shown(c), QString()) << controlName(c).toStdString();
    EXPECT_EQ(e.controls.sliderPosition(), 0);
    EXPECT_FALSE(e.controls.isEnabled(Control::valueSlider));
    EXPECT_FALSE(e.controls.isEnabled(Control::btnSetDefaultValue));
    EXPECT_FALSE(e.controls.isEnabled(Control::btnCancelAIChanges));
    EXPECT_TRUE(e.controls.isEnabled(Control::btnApplyAIChanges));
    EXPECT_TRUE(e.ctx.state.ChangesPending);
    EXPECT_EQ(e.ctx.state.AttrOffset, 9);
}

TEST(Selection, TicksAreATenthOfTheScaledMaximumRoundedToEven)
{
    Editing e;
    SetSliderRange(e.ctx, QStringLiteral("0"), QStringLiteral("25"), 1);
    EXPECT_EQ(e.controls.sliderTickFrequency(), 2);
    SetSliderRange(e.ctx, QStringLiteral("-2.5"), QStringLiteral("35"), 1);
    EXPECT_EQ(e.controls.sliderMinimum(), -2);
    EXPECT_EQ(e.controls.sliderMaximum(), 35);
    EXPECT_EQ(e.controls.sliderTickFrequency(), 4);
    EXPECT_THROW(SetSliderRange(e.ctx, QStringLiteral("0"), QStringLiteral("3e9"), 1), Error);
    EXPECT_EQ(e.controls.sliderMaximum(), 35);
}

TEST(Selection, AFailingReadOrWriteIsReportedAndClaimsNoChange)
{
    Editing e;
    e.click(FloatKey);
    const Display shown(e);

    // The value of this attribute would end past the end of the working copy.
    e.dialogs.expectNotice(QStringLiteral("Error"));
    runHandler(e.ctx, [](EditorContext& ctx) { TreeView_AI_NodeClick(ctx, ShortKey); });
    ASSERT_EQ(e.dialogs.shown().size(), 1U);
    EXPECT_TRUE(e.dialogs.last().text.contains(QString::number(err::PastEndOfFile)));
    EXPECT_EQ(Display(e), shown);

    // The working copy shrank under the selection: the move is refused.
    writeBytes(e.workFile(), e.bytes.left(10));
    e.controls.userSetsSlider(70);
    e.dialogs.expectNotice(QStringLiteral("Error"));
    runHandler(e.ctx, &valueSlider_Scroll);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0.3"));
    EXPECT_FALSE(e.ctx.state.ChangesPending);
    EXPECT_FALSE(e.controls.isEnabled(Control::btnApplyAIChanges));
    EXPECT_EQ(readBytes(e.workFile()), e.bytes.left(10));

    e.dialogs.expectQuestion(ResetTitle, Answer::Yes);
    e.dialogs.expectNotice(QStringLiteral("Error"));
    runHandler(e.ctx, &btnSetDefaultValue_Click);
    EXPECT_EQ(e.shown(Control::labSliderValue), QStringLiteral("0.3"));
    EXPECT_EQ(e.controls.sliderPosition(), 70);
    EXPECT_FALSE(e.ctx.state.ChangesPending);
    EXPECT_EQ(readBytes(e.workFile()), e.bytes.left(10));
}
