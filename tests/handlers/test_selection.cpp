#include "support/ModelFixtures.h"

#include "editor/Events.h"
#include "handlers/Selection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

using namespace vnt;
using namespace vnt::test;

namespace {

const QString FloatKey = "pass_intercept_cpu"; // 0..1 x100 at 9, stored 0.3, Medium default 0.456
const QString Int32Key = "getcarrierdist_cpu"; // 0..5 x10 at 21, stored 3

// An editor on "Medium" with definitions and a working copy of 64 bytes.
struct Editing : TestEditor {
    Editing()
    {
        ctx.state.SkillName = "Medium";
        loadDefinitions(
            *this,
            attributeXml({{"medium", "0.456"}})
                + attributeXml({{"key", Int32Key}, {"name", "Carrier"}, {"max_range", "5"}, {"range_mult", "10"}, {"offset", "21"}})
                + attributeXml({{"key", "max_gap_dist_cpu"}, {"range_mult", "0"}}));
        putSlot(bytes, 9, 0xB17B, singleBytes(0.3f));
        putSlot(bytes, 21, 0xB810, intBytes(3, 4));
        writeBytes(workFile(), bytes);
    }
    void move(int position)
    {
        controls.userSetsSlider(position);
        valueSlider_Scroll(ctx);
    }
    void reset(Answer answer)
    {
        dialogs.expectQuestion("Reset value to default?", answer);
        btnSetDefaultValue_Click(ctx);
    }
    QString value() const { return controls.caption(Control::labSliderValue); }
    QByteArray with(int position, const QByteArray& value) const
    {
        return QByteArray(bytes).replace(position - 1, value.size(), value);
    }
    // The labels, enabled states (slider, Reset, Apply, Cancel), slider range, ticks
    // and position, and the selection with ChangesPending.
    QStringList display() const
    {
        QStringList out;
        for (Control c : {Control::labAttributeName, Control::labAttributeDescription, Control::labMinRange, Control::labMaxRange,
                          Control::labDefaultValue, Control::labSliderValue})
            out << controls.caption(c);
        for (Control c :
             {Control::valueSlider, Control::btnSetDefaultValue, Control::btnApplyAIChanges, Control::btnCancelAIChanges})
            out << QString::number(controls.isEnabled(c));
        for (int n : {controls.sliderMinimum(), controls.sliderMaximum(), controls.sliderTickFrequency(), controls.sliderPosition(),
                      int(ctx.state.RangeMult), int(ctx.state.AttrOffset), int(ctx.state.ChangesPending)})
            out << QString::number(n);
        return out << ctx.state.AttrDisplayName;
    }
    QByteArray bytes = QByteArray(64, char(0xA5));
};

} // namespace

TEST(Selection, ClickingALeafShowsItsAttribute)
{
    Editing e;
    TreeView_AI_NodeClick(e.ctx, FloatKey);
    EXPECT_EQ(e.display().join('|'), "Pass Intercept CPU|How often the CPU intercepts passes|0|1|0.456|0.3|"
                                     "1|1|0|0|0|100|10|30|100|9|0|Pass Intercept CPU");
}

TEST(Selection, MovingTheSliderWritesTheShownValue)
{
    Editing e;
    TreeView_AI_NodeClick(e.ctx, FloatKey);
    e.move(31);
    EXPECT_EQ(e.display().mid(5).join('|'), "0.31|1|1|1|1|0|100|10|31|100|9|1|Pass Intercept CPU");
    EXPECT_EQ(readBytes(e.workFile()), e.with(9, singleBytes(0.31f)));
}

// After a change to a float: the shown value brought to an integer.
TEST(Selection, A32BitSlotStoresTheShownValueAsAnInteger)
{
    Editing e;
    TreeView_AI_NodeClick(e.ctx, FloatKey);
    e.move(31);
    e.bytes = readBytes(e.workFile());
    e.ctx.state.SkillName = "Select Skill"; // no level: the default label keeps its text
    TreeView_AI_NodeClick(e.ctx, Int32Key);
    EXPECT_EQ(e.display().mid(4, 10).join('|'), "0.456|3|1|1|1|1|0|50|5|30");
    e.move(35);
    EXPECT_EQ(e.value(), "3.5");
    EXPECT_EQ(readBytes(e.workFile()), e.with(21, intBytes(4, 4)));
}

TEST(Selection, SliderRangesAreBroughtToWholeSteps)
{
    Editing e;
    SetSliderRange(e.ctx, "-2.5", "25", 1);
    EXPECT_EQ(e.display().mid(10, 3).join('|'), "-2|25|2");
}

// Clearing empties the display but keeps Apply and the selection.
TEST(Selection, ClearingKeepsTheSelection)
{
    Editing e;
    TreeView_AI_NodeClick(e.ctx, Int32Key);
    e.move(35);
    SetSliderRange(e.ctx, "-2.5", "25", 1);
    ClearAttributeDisplay(e.ctx);
    EXPECT_EQ(e.display().join('|'), "||||||0|0|1|0|-2|25|2|0|10|21|1|Carrier");
}

TEST(Selection, NodesWithoutAnEditableAttributeChangeNothing)
{
    Editing e;
    TreeView_AI_NodeClick(e.ctx, FloatKey);
    const QStringList shown = e.display();
    for (const char* key : {"pass_intercept", "AI", "max_gap_dist_cpu", "PASS_INTERCEPT_CPU"})
        TreeView_AI_NodeClick(e.ctx, key);
    EXPECT_EQ(e.display(), shown);
    EXPECT_EQ(readBytes(e.workFile()), e.bytes);
}

TEST(Selection, ResetWritesTheDefaultOnlyOnYes)
{
    Editing e;
    TreeView_AI_NodeClick(e.ctx, FloatKey);
    const QStringList shown = e.display();
    e.reset(Answer::No);
    EXPECT_EQ(e.display(), shown);
    EXPECT_EQ(readBytes(e.workFile()), e.bytes);
    e.reset(Answer::Yes);
    EXPECT_EQ(e.dialogs.last().text, "Reset this attribute to it's default value?");
    EXPECT_TRUE(e.dialogs.last().buttons == Buttons::YesNo && e.dialogs.last().icon == Icon::None);
    // The label keeps every digit of the default; the slider has whole steps only;
    // Apply and Cancel stay as they were.
    EXPECT_EQ(e.display().mid(5).join('|'), "0.456|1|1|0|0|0|100|10|46|100|9|1|Pass Intercept CPU");
    EXPECT_EQ(readBytes(e.workFile()), e.with(9, singleBytes(0.456f)));
}

TEST(Selection, AFloatTheSliderCannotShowStaysSelectableForReset)
{
    const float inf = std::numeric_limits<float>::infinity();
    // Stored value, its text, the slider position (range 0..100).
    for (const auto& [stored, shown, position] :
         {std::tuple{std::nanf(""), "nan", 0}, {inf, "inf", 100}, {-inf, "-inf", 0}, {3e30f, "3E+30", 100}, {-3e30f, "-3E+30", 0}}) {
        Editing e;
        SCOPED_TRACE(shown);
        writeBytes(e.workFile(), e.with(9, singleBytes(stored)));
        TreeView_AI_NodeClick(e.ctx, FloatKey);
        EXPECT_EQ(e.value() + "@" + QString::number(e.controls.sliderPosition()), shown + ("@" + QString::number(position)));
        EXPECT_TRUE(e.controls.isEnabled(Control::btnSetDefaultValue));
        e.reset(Answer::Yes);
        EXPECT_EQ(readBytes(e.workFile()), e.with(9, singleBytes(0.456f)));
    }
}
