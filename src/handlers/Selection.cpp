#include "handlers/Selection.h"

#include "model/Definitions.h"
#include "model/NumberText.h"
#include "model/TypedValue.h"

#include <cmath>
#include <optional>

namespace vnt {

namespace {

struct SliderRange {
    qint32 minimum;
    qint32 maximum;
    qint32 tickFrequency; // one tick per tenth of the scaled maximum
};

SliderRange sliderRange(const QString& minText, const QString& maxText, qint32 scale)
{
    const double low = NumberFromText(minText) * scale;
    const double high = NumberFromText(maxText) * scale;
    return {ToInt32(low), ToInt32(high), ToInt32(high / 10)};
}

// Where the slider sits for a stored value. A value the slider cannot show (NaN,
// an infinity, a number beyond 32 bits once scaled) still gets a place, so the
// attribute can be selected and reset: NaN at the minimum, the others at the
// nearer end.
qint32 sliderPosition(double scaled, const SliderRange& range)
{
    if (std::isnan(scaled))
        return range.minimum;
    if (const std::optional<qint32> position = RoundToInt32(scaled))
        return *position;
    return scaled < 0 ? range.minimum : range.maximum;
}

// The number the selected attribute's slot holds, as an edit or an undo writes it.
double storedNumber(const EditorState& s)
{
    QString typeName;
    return ReadValue(s.workFilePath(), s.workFilePath(), s.AttrOffset, typeName).toDouble();
}

// Runs an edit of the selected attribute and adds it to the level's history.
template <typename Write> void recordEdit(EditorContext& ctx, bool dragging, Write write)
{
    EditorState& s = ctx.state;
    EditStep step{s.AttrKey, s.AttrOffset, storedNumber(s), 0};
    write();
    step.after = storedNumber(s);
    s.History.record(step, dragging);
}

void applyRange(Controls& controls, const SliderRange& range)
{
    controls.setSliderMinimum(range.minimum);
    controls.setSliderMaximum(range.maximum);
    controls.setSliderTickFrequency(range.tickFrequency);
}

} // namespace

void TreeView_AI_NodeClick(EditorContext& ctx, const QString& key)
{
    const std::optional<AttributeDefinition> found = FindAttribute(ctx.definitions, key);
    if (!found)
        return; // a group node, or an attribute the definitions lack: keep what is shown
    const AttributeDefinition& attribute = *found;

    // Read and compute everything first, so a value that cannot be read or placed
    // leaves the previous selection on display.
    QString typeName;
    const TypedValue value = ReadValue(ctx.state.workFilePath(), ctx.state.workFilePath(), attribute.offset, typeName);
    const SliderRange range = sliderRange(attribute.min_range, attribute.max_range, attribute.range_mult);
    const qint32 position = sliderPosition(value.toDouble() * attribute.range_mult, range);

    EditorState& s = ctx.state;
    Controls& c = ctx.controls;
    s.AttrDisplayName = attribute.name;
    s.AttrKey = attribute.key;
    s.RangeMult = attribute.range_mult;
    s.AttrOffset = attribute.offset;
    c.setCaption(Control::labAttributeDescription, attribute.description);
    c.setCaption(Control::labAttributeName, s.AttrDisplayName);
    c.setCaption(Control::labSliderValue, value.text());
    applyRange(c, range);
    c.setSliderPosition(position);
    c.setEnabled(Control::valueSlider, true);
    c.setFocus(Control::valueSlider);
    c.setEnabled(Control::btnSetDefaultValue, true);
    c.setCaption(Control::labMinRange, attribute.min_range);
    c.setCaption(Control::labMaxRange, attribute.max_range);
    if (const std::optional<QString> text = attribute.DefaultFor(s.SkillName))
        c.setCaption(Control::labDefaultValue, *text);
}

void valueSlider_Scroll(EditorContext& ctx)
{
    // The window's slider shows no value tooltip of its own while it is dragged,
    // so there is no tooltip to detach here; the value is shown in labSliderValue.
    EditorState& s = ctx.state;
    if (s.RangeMult == 0)
        return; // nothing selected yet; the slider is disabled until a selection

    const QString text = DoubleText(double(ctx.controls.sliderPosition()) / s.RangeMult);
    const QString typeName = ReadTypeTag(s.workFilePath(), s.AttrOffset);
    // Written before anything claims the change, so a refused write shows none.
    recordEdit(ctx, ctx.controls.isSliderDown(), [&] { WriteValue(s.workFilePath(), s.AttrOffset, text, typeName); });
    ctx.controls.setCaption(Control::labSliderValue, text);
    s.ChangesPending = true;
    ctx.controls.setEnabled(Control::btnApplyAIChanges, true);
    ctx.controls.setEnabled(Control::btnCancelAIChanges, true);
}

void valueSlider_Release(EditorContext& ctx)
{
    ctx.state.History.endDrag();
}

void btnSetDefaultValue_Click(EditorContext& ctx)
{
    if (ctx.dialogs.ask(QStringLiteral("Reset value to default?"), QStringLiteral("Reset this attribute to it's default value?"),
                        Buttons::YesNo, Icon::None)
        != Answer::Yes)
        return;

    EditorState& s = ctx.state;
    const QString text = ctx.controls.caption(Control::labDefaultValue);
    const qint32 position = ToInt32(NumberFromText(text) * s.RangeMult);
    const QString typeName = ReadTypeTag(s.workFilePath(), s.AttrOffset);
    recordEdit(ctx, false, [&] { WriteValue(s.workFilePath(), s.AttrOffset, text, typeName); });
    ctx.controls.setCaption(Control::labSliderValue, text);
    ctx.controls.setSliderPosition(position);
    s.ChangesPending = true;
}

void SetSliderRange(EditorContext& ctx, const QString& minText, const QString& maxText, qint32 scale)
{
    applyRange(ctx.controls, sliderRange(minText, maxText, scale));
}

void ClearAttributeDisplay(EditorContext& ctx)
{
    Controls& c = ctx.controls;
    for (Control label : {Control::labAttributeName, Control::labMinRange, Control::labMaxRange, Control::labAttributeDescription,
                          Control::labDefaultValue})
        c.setCaption(label, QString());
    c.setSliderPosition(0);
    c.setEnabled(Control::valueSlider, false);
    c.setCaption(Control::labSliderValue, QString());
    c.setEnabled(Control::btnSetDefaultValue, false);
    c.setEnabled(Control::btnCancelAIChanges, false);
}

} // namespace vnt
