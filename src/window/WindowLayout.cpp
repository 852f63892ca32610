#include "window/WindowLayout.h"

#include "window/AttributeTreeView.h"
#include "window/ValueSlider.h"

#include "editor/Controls.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>

#include <cmath>

namespace vnt {

namespace {

enum class Kind { Tree, Button, DataLabel, Label, Slider, List };

struct Look {
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool centred = false;
};

struct ControlDesign {
    const char* name;
    Kind kind;
    const char* text;
    int left, top, width, height; // twips
    Look look;
    bool enabled;
    bool visible;
    // What assistive technology reads out: a name for the controls that show no
    // text of their own (nullptr: the control's own text, so a data label reads
    // out what it shows), and a description of every control's purpose.
    const char* accessibleName;
    const char* description;
};

constexpr Look Plain{};
constexpr Look NameLook{11.25, true, false, true};
constexpr Look RangeLook{9.75, true, false, true};

// The controls in tab order.
// One control a row, as the design lists them.
// clang-format off
const ControlDesign Designs[] = {
    {nameOf(Control::TreeView_AI), Kind::Tree, "", 240, 2760, 3495, 5175, Plain, false, true, "AI attributes",
     "Every tunable value of the computer-controlled players; select one to edit it."},
    {nameOf(Control::btnBrowseAIFile), Kind::Button, "Browse", 240, 1560, 1095, 375, Plain, true, true, nullptr,
     "Choose the game's aidata.viv archive with a file dialog."},
    {nameOf(Control::labAttributeDescription), Kind::DataLabel, "", 3960, 3120, 4575, 2535, Plain, true, true, nullptr,
     "What the selected attribute does."},
    {nameOf(Control::valueSlider), Kind::Slider, "", 3840, 6360, 3615, 435, Plain, false, true, "Attribute value",
     "Sets the selected attribute's value for the chosen skill level."},
    {"Label1", Kind::Label, "Default Value", 3960, 5820, 1095, 255, Plain, true, true, nullptr,
     "Caption of the game's default value."},
    {nameOf(Control::btnSetDefaultValue), Kind::Button, "Reset to Default", 6000, 5760, 1455, 375, Plain, false, true, nullptr,
     "Puts the game's default value for this skill level back."},
    {nameOf(Control::InvalidFileMsg), Kind::Label, "The selected file is not a valid aidata.viv file.", 1560, 1680, 3975, 255, {8.25, true, false, false}, true, false, nullptr,
     "Shown when the chosen file is not an aidata.viv archive."},
    {nameOf(Control::lstSkill), Kind::List, "", 1440, 2280, 2295, 330, Plain, false, true, "Skill level",
     "Chooses the skill level whose values are edited."},
    {nameOf(Control::labDefaultValue), Kind::DataLabel, "", 5040, 5760, 855, 315, Plain, true, true, nullptr,
     "The game's default value of the selected attribute for this skill level."},
    {"Label2", Kind::Label, "Skill Level", 600, 2400, 735, 255, Plain, true, true, nullptr, "Caption of the skill level list."},
    {nameOf(Control::labAttributeName), Kind::DataLabel, "", 3960, 2280, 4575, 315, NameLook, true, true, nullptr,
     "Name of the selected attribute."},
    {nameOf(Control::labMinRange), Kind::DataLabel, "", 5130, 2640, 495, 315, RangeLook, true, true, nullptr,
     "Lowest value the selected attribute can take."},
    {"Label4", Kind::Label, "Minimum Value", 3960, 2700, 1095, 255, Plain, true, true, nullptr, "Caption of the lowest value."},
    {nameOf(Control::labMaxRange), Kind::DataLabel, "", 7080, 2640, 615, 315, RangeLook, true, true, nullptr,
     "Highest value the selected attribute can take."},
    {"Label6", Kind::Label, "Maximum Value", 5880, 2700, 1125, 255, Plain, true, true, nullptr, "Caption of the highest value."},
    {nameOf(Control::btnApplyAIChanges), Kind::Button, "Apply Changes", 3960, 7080, 1335, 375, Plain, false, true, nullptr,
     "Backs the archive up and stores the edited skill level into it."},
    {nameOf(Control::btnCancelAIChanges), Kind::Button, "Cancel Changes", 3960, 7560, 1335, 375, Plain, false, true, nullptr,
     "Drops the edits and extracts the skill level from the archive again."},
    {"Label3", Kind::Label, "Vantor 08", 240, 240, 4455, 495, {20.25, true, true, false}, true, true, nullptr, "Title of the editor."},
    {"Label5", Kind::Label, "Select aidata.viv file location", 240, 960, 2055, 255, Plain, true, true, nullptr,
     "Caption of the archive's path."},
    {nameOf(Control::btnQuit), Kind::Button, "Quit VNT08", 7080, 7560, 1335, 375, Plain, true, true, nullptr,
     "Ends the editor, offering to store edits not yet applied."},
    {nameOf(Control::btnExportVNTSettings), Kind::Button, "Export Settings", 5520, 7080, 1335, 375, Plain, false, true, nullptr,
     "Saves the edited skill level as a settings file to share."},
    {nameOf(Control::labAppVersion), Kind::Label, "v", 4680, 405, 1095, 255, {12.0, true, true, false}, true, true, nullptr, "Version of the editor."},
    {nameOf(Control::btnImportVNTSettings), Kind::Button, "Import Settings", 5520, 7560, 1335, 375, Plain, true, true, nullptr,
     "Loads a settings file as the working copy of the skill level it names."},
    {nameOf(Control::labSliderValue), Kind::DataLabel, "", 7460, 6360, 1100, 315, Plain, true, true, nullptr,
     "The value the slider is set to."},
    {nameOf(Control::labAIfilePath), Kind::DataLabel, "", 240, 1200, 8295, 315, {9.0, false, false, false}, true, true, nullptr,
     "Path of the archive being edited."},
    {nameOf(Control::btnAItreeExpandAll), Kind::Button, "Expand All", 240, 7920, 1215, 255, Plain, false, true, nullptr,
     "Opens every branch of the attribute tree."},
    {nameOf(Control::btnAItreeCollapseAll), Kind::Button, "Collapse All", 1440, 7920, 1095, 255, Plain, false, true, nullptr,
     "Closes every branch of the attribute tree."},
};
// clang-format on

QFont fontFor(const Look& look)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(look.points);
    font.setBold(look.bold);
    font.setItalic(look.italic);
    // Whole-pixel glyph widths, as the design's captions were measured with.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QLabel* makeLabel(const ControlDesign& design, QWidget* client)
{
    auto* label = new QLabel(QString::fromLatin1(design.text), client);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment((design.look.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    QPalette palette = label->palette();
    if (design.kind == Kind::DataLabel) {
        // A box in the colours of a text field: the system's window background
        // and window text.
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setLineWidth(1);
        label->setMargin(1);
        palette.setColor(QPalette::Window, palette.color(QPalette::Base));
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Text));
        label->setAutoFillBackground(true);
    } else if (qstrcmp(design.name, nameOf(Control::InvalidFileMsg)) == 0) {
        palette.setColor(QPalette::WindowText, QColor(192, 0, 0));
    }
    label->setPalette(palette);
    return label;
}

QComboBox* makeSkillList(QWidget* client)
{
    auto* list = new QComboBox(client);
    list->setEditable(false);
    list->addItems({QStringLiteral("Select Skill"), QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Difficlt")});
    // Nothing is selected until start-up picks the placeholder.
    list->setCurrentIndex(-1);
    return list;
}

QWidget* makeControl(const ControlDesign& design, QWidget* client)
{
    switch (design.kind) {
    case Kind::Tree:
        return new AttributeTreeView(client);
    case Kind::Button:
        return new QPushButton(QString::fromLatin1(design.text), client);
    case Kind::Slider:
        return new ValueSlider(client);
    case Kind::List:
        return makeSkillList(client);
    case Kind::DataLabel:
    case Kind::Label:
        break;
    }
    return makeLabel(design, client);
}

} // namespace

int twipsToPixels(int twips)
{
    return int(std::lround(twips / 15.0));
}

void buildWindowControls(QWidget* client)
{
    QWidget* previous = nullptr;
    for (const ControlDesign& design : Designs) {
        QWidget* control = makeControl(design, client);
        control->setObjectName(QString::fromLatin1(design.name));
        if (design.accessibleName)
            control->setAccessibleName(QString::fromLatin1(design.accessibleName));
        control->setAccessibleDescription(QString::fromLatin1(design.description));
        control->setFont(fontFor(design.look));
        control->setGeometry(twipsToPixels(design.left), twipsToPixels(design.top), twipsToPixels(design.width),
                             twipsToPixels(design.height));
        if (auto* label = qobject_cast<QLabel*>(control)) {
            // Text wraps only in a label tall enough for two lines; a one-line
            // caption that is a little too long is clipped, not pushed out of sight.
            label->setWordWrap(label->height() >= 2 * label->fontMetrics().lineSpacing());
        }
        control->setEnabled(design.enabled);
        control->setVisible(design.visible);
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace vnt
