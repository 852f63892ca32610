#include "support/SystemTexts.h"

namespace vnt::test {

namespace {

using Kind = ScriptedDialogs::Kind;

const ScriptedDialogs::Shown Table[] = {
    {Kind::Message,
     "Found NHL08...",
     "VNT08 found NHL08 at the following location:\r\r%1\r\rDo you want to modify the AI data from this location?",
     {},
     Buttons::YesNo,
     Icon::None},
    {Kind::Open, "Select aidata.viv file", "aidata file, (aidata.viv)|aidata.viv", {}, Buttons::Ok, Icon::None},
    {Kind::Message,
     "Select an aidata.viv file...",
     "You must specify an aidata.viv file. Use the 'Browse' button\rto select the aidata.viv file you wish to apply the "
     "changes to.",
     {},
     Buttons::Ok,
     Icon::Exclamation},
    {Kind::Message,
     "Save changes?",
     "Do you want to save the changes you made before before switching skills?",
     {},
     Buttons::YesNoCancel,
     Icon::None},
    {Kind::Message, "Changes saved...", "Changes have been saved.", {}, Buttons::Ok, Icon::Information},
    {Kind::Message, "Apply changes?", "Apply all changes to AI data?", {}, Buttons::YesNo, Icon::None},
    {Kind::Message,
     "Changes saved...",
     "Changes have been saved successfully. A backup of you aidata.viv file has been\rmade before applying the changes at "
     "the following location:\r%1",
     {},
     Buttons::Ok,
     Icon::Information},
    {Kind::Message,
     "Cancel all changes?",
     "Are you sure you want to cancel all changes done\rto the '%1' attributes during this session?",
     {},
     Buttons::YesNo,
     Icon::None},
    {Kind::Message, "Changes cancelled...", "All changes have been cancelled.", {}, Buttons::Ok, Icon::Information},
    {Kind::Message, "Reset value to default?", "Reset this attribute to it's default value?", {}, Buttons::YesNo, Icon::None},
    {Kind::Save, "Choose location...", "VNTxp File |*.VNTxp", {}, Buttons::Ok, Icon::None},
    {Kind::Message, "File already exist...", "The file %1 already exist, do you want to overwrite it?", {}, Buttons::YesNo, Icon::None},
    {Kind::Message,
     "Settings exported successfully",
     "Your VNT settings for '%1' have been saved to:\r'%2'",
     {},
     Buttons::Ok,
     Icon::Information},
    {Kind::Message, "Error", "Error %1: '%2' is the editor's working copy; export to another file.", {}, Buttons::Ok, Icon::Critical},
    {Kind::Open, "Open VNT file", "VNTxp File, (*.VNTxp) |*.VNTxp", {}, Buttons::Ok, Icon::None},
    {Kind::Message,
     "Settings imported successfully...",
     "The settings have been imported successfully.\rPlease note that switching skills at this point\rwill override the "
     "imported values.",
     {},
     Buttons::Ok,
     Icon::Information},
    {Kind::Message, "Quit VNT 08?", "Quit VNT 08 now ?", {}, Buttons::YesNo, Icon::None},
    {Kind::Message, "Save changes?", "Do you want to save changes before quitting?", {}, Buttons::YesNoCancel, Icon::None},
    {Kind::Message, "Error", "Error %1: %2", {}, Buttons::Ok, Icon::Critical},
};
static_assert(std::size(Table) == std::size_t(Says::ErrorBox) + 1, "one row for each dialog");

} // namespace

ScriptedDialogs::Shown systemDialog(Says what, const QStringList& args, const QString& folder)
{
    ScriptedDialogs::Shown dialog = Table[int(what)];
    for (const QString& arg : args)
        dialog.text = dialog.text.arg(arg);
    dialog.folder = folder;
    return dialog;
}

QString describe(const ScriptedDialogs::Shown& d)
{
    static const char* const kinds[] = {"message", "open", "save"};
    return QStringLiteral("%1 \"%2\" (%3; folder \"%4\", buttons %5, icon %6)")
        .arg(kinds[int(d.kind)], d.title, QString(d.text).replace(QChar(13), QStringLiteral("\\r")), d.folder)
        .arg(int(d.buttons))
        .arg(int(d.icon));
}

bool operator==(const ScriptedDialogs::Shown& a, const ScriptedDialogs::Shown& b)
{
    return a.kind == b.kind && a.title == b.title && a.text == b.text && a.folder == b.folder && a.buttons == b.buttons
           && a.icon == b.icon;
}

} // namespace vnt::test
