// Random sequences of user actions, with faults injected into the archive and file
// layer, against a small reference model of the archives, the working copy, the
// window and the conversation. The model says which controls each step leaves
// enabled and visible, which tree nodes are expanded, which attribute is on display,
// and every dialog of the step with its texts from the table of the system's texts
// (support/SystemTexts.h); the editor must agree after every step. An action whose
// control the model says is disabled must be disabled in the window too. A failed
// action must leave everything as it was (or as its last completed store left it).
// The seed is fixed unless RC_PARAMS names one:
// RC_PARAMS="seed=123 max_success=2000" build/bin/test_editor runs it longer.
// Sequences that once went wrong run as fixed steps under the same checks.

#include "support/StoryData.h"
#include "archive/ArchiveAccess.h"
#include "archive/VivArchive.h"
#include "archive/VivOutput.h"
#include "base/Error.h"
#include "base/FileOps.h"
#include "editor/Events.h"
#include "handlers/ApplyCancel.h"
#include "handlers/AttributeTree.h"
#include "handlers/GameLocation.h"
#include "handlers/Selection.h"
#include "handlers/SettingsExchange.h"
#include "handlers/SkillLevels.h"
#include "handlers/Startup.h"
#include "support/MemoryRegistry.h"
#include "support/SystemTexts.h"
#include "support/TestEditor.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <deque>
#include <iostream>

using namespace vnt;
using namespace vnt::test;

namespace {

[[maybe_unused]] const bool seedFixed = [] {
    if (!qEnvironmentVariableIsSet("RC_PARAMS"))
        qputenv("RC_PARAMS", "seed=20260305 max_success=100 max_size=60");
    std::cout << "RapidCheck: RC_PARAMS=\"" << qgetenv("RC_PARAMS").constData() << "\"\n";
    return true;
}();

enum class Act { Browse, Pick, Select, Slide, Reset, Apply, Cancel, Export, Import, Quit, ExpandAll, CollapseAll };
// The control each action needs enabled.
const Control Needs[] = {
    Control::btnBrowseAIFile,      Control::lstSkill,          Control::TreeView_AI,        Control::valueSlider,
    Control::btnSetDefaultValue,   Control::btnApplyAIChanges, Control::btnCancelAIChanges, Control::btnExportVNTSettings,
    Control::btnImportVNTSettings, Control::btnQuit,           Control::btnAItreeExpandAll, Control::btnAItreeCollapseAll};
// Switch: the skill list's handler, run from the action, fails after it has done its work.
enum class Fault { None, DiskFull, Vanish, Garbage, Denied, ShortRead, Blocked, Switch };

// One user action. choice: the level, node, file or position; target: the archive a
// file dialog picks (0 the one found, 1 another, 2 a wrongly named file, 3 cancel);
// answer: to whatever question comes; fault: injected at archive call `call` of the
// action (0: for the whole action).
struct Step {
    Act act;
    int choice = 0, target = 0;
    Answer answer = Answer::Yes;
    Fault fault = Fault::None;
    int call = 0;
};

void showValue(const Step& s, std::ostream& os)
{
    static const char *acts[] = {"Browse", "Pick",   "Select", "Slide", "Reset",     "Apply",
                                 "Cancel", "Export", "Import", "Quit",  "ExpandAll", "CollapseAll"},
                      *faults[] = {"None", "DiskFull", "Vanish", "Garbage", "Denied", "ShortRead", "Blocked", "Switch"},
                      *answers[] = {"Ok", "Yes", "No", "Cancel"};
    os << acts[int(s.act)] << "(" << s.choice << ", target " << s.target << ", " << answers[int(s.answer)] << ", "
       << faults[int(s.fault)] << "@" << s.call << ")";
}

// The archive library with faults at a chosen call. Archives it moves away or
// replaces are put back by restore() after the action.
class FaultyArchive : public ArchiveAccess {
public:
    void exportFile(const QString& archive, const QString& entry, const QString& output) override
    {
        const bool hit = strike(archive);
        real->exportFile(archive, entry, output);
        if (hit && fault == Fault::ShortRead) {
            QFile(output).resize(QFile(output).size() / 2);
            throw Error(err::DeviceIO, QStringLiteral("simulated short read"));
        }
    }
    void addFile(const QString& archive, const QString& file) override
    {
        strike(archive);
        real->addFile(archive, file);
        storedInto << archive;
    }
    void begin(Fault f, int at) { fault = f, call = at, calls = 0, storedInto.clear(); }
    void putAside(const QString& archive, bool garbage)
    {
        if (QFile::exists(archive)) {
            aside.emplace_back(archive, readFile(archive));
            garbage ? writeFileAtomically(archive, "not an archive") : removeFile(archive);
        }
    }
    void restore()
    {
        for (const auto& [path, bytes] : aside)
            writeFileAtomically(path, bytes);
        aside.clear();
        fault = Fault::None;
    }

    std::shared_ptr<ArchiveAccess> real = makeArchiveAccess();
    QStringList storedInto; // archives a store completed into during the action

private:
    bool strike(const QString& archive)
    {
        ++calls;
        if (fault == Fault::None || (call != 0 && call != calls))
            return false;
        if (fault == Fault::Denied)
            throw Error(err::PermissionDenied, QStringLiteral("simulated: the folder may not be written"));
        if (call != 0 && (fault == Fault::Vanish || fault == Fault::Garbage))
            putAside(archive, fault == Fault::Garbage);
        return true;
    }
    Fault fault = Fault::None;
    int call = 0, calls = 0;
    std::vector<std::pair<QString, QByteArray>> aside;
};

// What the archives, the working copy and the window must hold.
struct Model {
    QMap<QString, QMap<int, QByteArray>> archives; // archive, level: entry
    QString aiFile;
    int level = 0;
    QByteArray work;
    bool accepted = false, pending = false, closed = false;
    QMap<QString, QByteArray> exports;
    int shown = -1;              // the attribute on display (in Attributes), -1 for none
    bool wrongFileShown = false; // the notice of a wrongly named archive
    bool applyOn = false, cancelOn = false;
    bool expandedAll = false; // the tree's nodes below its sections
};

const QString Levels[] = {QString(), QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Difficlt")};
// The story's attributes (support/StoryData), by the node a Select clicks, with their defaults by level.
struct ShownAttribute {
    const char *name, *defaults[3];
};
const ShownAttribute Attributes[] = {{"Pass Intercept CPU", {"0.25", "0.5", "0.75"}}, {"Faceoff Chances", {"30", "50", "70"}}};
const int Clicked[] = {0, 1, -1, 0}; // Select's choice: the attribute clicked; -1 the group node "AI"
const QStringList Sections{QStringLiteral("aidata"), QStringLiteral("AI"), QStringLiteral("PCAI"), QStringLiteral("PENALTY")};

bool enabledIn(const Model& m, Control c)
{
    switch (c) {
    case Control::btnBrowseAIFile:
    case Control::btnImportVNTSettings:
    case Control::btnQuit:
        return true;
    case Control::lstSkill:
        return m.accepted;
    case Control::TreeView_AI:
    case Control::btnExportVNTSettings:
    case Control::btnAItreeExpandAll:
    case Control::btnAItreeCollapseAll:
        return m.level != 0;
    case Control::valueSlider:
    case Control::btnSetDefaultValue:
        return m.shown >= 0;
    case Control::btnApplyAIChanges:
        return m.applyOn;
    case Control::btnCancelAIChanges:
        return m.cancelOn;
    default:
        return false; // the labels and the notice
    }
}

// A dialog the model expects, with the answer the user gives.
struct Expected {
    ScriptedDialogs::Shown dialog;
    Answer answer = Answer::Ok;
    QString path; // what a file dialog returns
};

// The editor under test; it answers every dialog from the running step.
struct ModelRun : Dialogs {
    explicit ModelRun(bool acceptFound);
    int perform(const Step& s);
    Model predict(const Step& s, bool& refused);
    void act(const Step& s);
    void check() const;

    // Each dialog must be the next one the model expects; an error box may come
    // wherever a fault strikes, and ends the conversation.
    Expected answer(const ScriptedDialogs::Shown& shown)
    {
        const ScriptedDialogs::Shown error = systemDialog(Says::ErrorBox);
        if (shown.title == error.title && (talk.empty() || talk.front().dialog.title != error.title)) {
            failed = true;
            talk.clear();
            const QString pattern = QRegularExpression::escape(error.text).replace("\\%1", "\\d+").replace("\\%2", ".*");
            if (!(shown.buttons == error.buttons && shown.icon == error.icon
                  && QRegularExpression(QRegularExpression::anchoredPattern(pattern), QRegularExpression::DotMatchesEverythingOption)
                         .match(shown.text)
                         .hasMatch()))
                mismatches << "error box " + describe(shown);
            return {};
        }
        if (talk.empty()) {
            mismatches << "unexpected " + describe(shown);
            return {shown, Answer::Cancel, {}};
        }
        const Expected e = talk.front();
        talk.pop_front();
        failed = failed || e.dialog.title == error.title;
        if (!(e.dialog == shown))
            mismatches << describe(shown) + " where " + describe(e.dialog) + " was expected";
        return e;
    }
    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        return answer({ScriptedDialogs::Kind::Message, title, text, {}, buttons, icon}).answer;
    }
    QString openFile(const QString& title, const QString& folder, const QString& filter) override
    {
        return answer({ScriptedDialogs::Kind::Open, title, filter, folder, Buttons::Ok, Icon::None}).path;
    }
    QString saveFile(const QString& title, const QString& folder, const QString& filter) override
    {
        return answer({ScriptedDialogs::Kind::Save, title, filter, folder, Buttons::Ok, Icon::None}).path;
    }
    void say(Says what, const QStringList& args = {}, Answer reply = Answer::Ok)
    {
        talk.push_back({systemDialog(what, args), reply, {}});
    }
    void choose(Says what, const QString& returned)
    {
        talk.push_back({systemDialog(what, {}, dir.path()), Answer::Ok, returned});
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString archivePath(int t) const { return t < 2 ? archives[t] : t == 2 ? path("AIDATA.VIV") : QString(); }
    QString importPath(int choice) const
    {
        return choice == 3 && !model.exports.isEmpty() ? model.exports.lastKey()
                                                       : path(QStringLiteral("level%1.VNTxp").arg(choice % 3 + 1));
    }
    QString exportPath(int c) const { return c == 3 ? ctx.state.workFilePath() : path(QString("out%1.VNTxp").arg(c)); }
    // The name Apply's backup of the archive takes: the first one not taken.
    static QString backupFor(const QString& archive)
    {
        QString name = archive + ".VNT_backup_3597";
        for (int n = 2; QFileInfo::exists(name); ++n)
            name = archive + ".VNT_backup_3597_" + QString::number(n);
        return name;
    }
    // What the window shows and offers.
    QStringList window() const
    {
        QStringList shown{controls.skillTag(), QString::number(controls.sliderPosition())};
        for (Control c : AllControls)
            shown << controls.caption(c) + QString::number(controls.isEnabled(c) + 2 * controls.isVisible(c));
        return shown;
    }

    QTemporaryDir dir;
    EnvGuard env;
    FakeControls controls;
    EditorContext ctx{controls, *this};
    std::shared_ptr<FaultyArchive> library = std::make_shared<FaultyArchive>();
    QString archives[2];
    Model model;
    bool switchFails = false;
    std::deque<Expected> talk;             // the dialogs the running step is still to show
    QStringList mismatches;                // dialogs that were not as expected
    bool failed = false;                   // the running step ended in the error box
    std::pair<QString, QByteArray> backup; // Apply's backup and the archive it must hold
};

ModelRun::ModelRun(bool acceptFound)
{
    env.set("TEMP", dir.path().toLocal8Bit());
    ctx.programFolder = dir.path();
    ctx.archive = library;
    ctx.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(9, 7)); };
    controls.onSkillChanged = [this] {
        if (!switchFails)
            return onSkillListChanged(ctx);
        runChangeHandler(ctx, [](EditorContext& c) {
            lstSkill_Click(c);
            throw Error(err::DeviceIO, QStringLiteral("simulated"));
        });
    };
    controls.onClose = [this] { runHandler(ctx, &Form_Unload); };
    writeBytes(path(QStringLiteral("aidata.xml")), StoryData::definitions());
    auto registry = std::make_shared<MemoryRegistry>();
    RegKey key = 0;
    const QString game = QDir::toNativeSeparators(path("game/"));
    registry->createKey(reg::LocalMachine, QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\"), reg::AllAccess, &key);
    registry->setValue(key, QStringLiteral("Install Dir"), reg::Sz, game.toLocal8Bit() + '\0');
    registry->closeKey(key);
    ctx.registry = registry;
    archives[0] = QDir::toNativeSeparators(path("game/gamedata/aidata.viv"));
    archives[1] = QDir::toNativeSeparators(path("other/aidata.viv"));
    for (int a = 0; a < 2; ++a) {
        QDir().mkpath(QFileInfo(archives[a]).path());
        std::vector<VivContent> entries{{"rules.txt", "play fair"}};
        for (int level = 1; level <= 3; ++level) {
            const QByteArray entry = StoryData::levelEntry(level).replace(0, 1, QByteArray(1, char('A' + a))); // they differ
            entries.push_back({(Levels[level] + ".ubc").toLatin1(), model.archives[archives[a]][level] = entry});
        }
        VivArchive::create(archives[a], entries);
    }
    for (int level = 1; level <= 3; ++level)
        writeBytes(importPath(level - 1), withIndex(StoryData::levelEntry(level).replace(0, 1, "I"), level));
    model.accepted = acceptFound;
    model.aiFile = archives[0];
    say(Says::FoundGame, {game}, acceptFound ? Answer::Yes : Answer::No);
    runHandler(ctx, &Form_Load);
    RC_ASSERT(mismatches.isEmpty() && talk.empty());
    check();
}

// What the step does and shows when nothing fails; refused: it must end in the error box.
Model ModelRun::predict(const Step& s, bool& refused)
{
    Model m = model;
    const Answer yesNo = s.answer == Answer::Cancel ? Answer::No : s.answer;
    auto browse = [&](int target) {
        choose(Says::ChooseArchive, archivePath(target));
        if (target < 2)
            m.aiFile = archives[target], m.accepted = true, m.wrongFileShown = false;
        m.wrongFileShown = m.wrongFileShown || target == 2;
    };
    auto ensureChosen = [&] {
        if (!m.accepted)
            say(Says::NoArchive), browse(s.target);
        return m.accepted;
    };
    auto resetDisplay = [&m] { m.shown = -1, m.cancelOn = false, m.expandedAll = false; };
    // The save question; its Yes stores. False when the action stops there.
    auto settle = [&](Says question) {
        say(question, {}, s.answer);
        if (s.answer == Answer::Cancel || (s.answer == Answer::Yes && !ensureChosen()))
            return false;
        if (s.answer == Answer::Yes)
            m.archives[m.aiFile][m.level] = m.work;
        m.pending = false;
        return true;
    };
    // The same before a switch of level, with the notice after a store.
    auto settleSwitch = [&] {
        if (!m.pending)
            return true;
        if (!settle(Says::SaveBeforeSwitch))
            return false;
        if (s.answer == Answer::Yes)
            say(Says::Saved);
        return true;
    };
    switch (s.act) {
    case Act::Browse:
        browse(s.target);
        break;
    case Act::Pick:
        if (s.choice == 0 || s.choice == m.level || !settleSwitch())
            break;
        resetDisplay();
        m.level = s.choice, m.work = m.archives[m.aiFile][m.level], m.pending = false;
        break;
    case Act::Select:
        m.shown = Clicked[s.choice] < 0 ? m.shown : Clicked[s.choice];
        break;
    case Act::Slide:
        m.applyOn = m.cancelOn = true; // the edit itself is checked in perform
        break;
    case Act::Reset:
        say(Says::ResetQuestion, {}, yesNo);
        break;
    case Act::Apply:
        if (!ensureChosen())
            break;
        say(Says::ApplyQuestion, {}, yesNo);
        if (yesNo != Answer::Yes)
            break;
        backup = {backupFor(m.aiFile), readFile(m.aiFile)};
        say(Says::Applied, {backup.first});
        m.archives[m.aiFile][m.level] = m.work, m.pending = false;
        break;
    case Act::Cancel:
        say(Says::CancelQuestion, {Levels[m.level]}, yesNo);
        if (yesNo != Answer::Yes)
            break;
        say(Says::Cancelled);
        resetDisplay();
        m.work = m.archives[m.aiFile][m.level], m.pending = false;
        break;
    case Act::Export: {
        const QString file = exportPath(s.choice);
        choose(Says::ChooseExport, file);
        refused = s.choice == 3;
        if (refused) {
            say(Says::ExportOntoWorkingCopy, {QString::number(err::PathAccess), QDir::toNativeSeparators(file)});
            break;
        }
        if (m.exports.contains(file))
            say(Says::Overwrite, {QFileInfo(file).fileName()}, Answer::Yes);
        say(Says::Exported, {Levels[m.level], file});
        m.exports[file] = withIndex(m.work, m.level);
        break;
    }
    case Act::Import: {
        const QString file = importPath(s.choice);
        choose(Says::ChooseImport, file);
        const int index = readFile(file)[16];
        if (m.level != index && !settleSwitch())
            break;
        say(Says::Imported);
        resetDisplay();
        m.level = index, m.work = withIndex(readFile(file), 0), m.pending = true, m.applyOn = true;
        break;
    }
    case Act::Quit:
        if (!m.pending)
            say(Says::QuitQuestion, {}, yesNo);
        m.closed = m.pending ? settle(Says::SaveBeforeQuit) : yesNo == Answer::Yes;
        break;
    case Act::ExpandAll:
    case Act::CollapseAll:
        m.expandedAll = s.act == Act::ExpandAll;
        break;
    }
    return m;
}

// What the user does for each action.
void ModelRun::act(const Step& s)
{
    static const char* keys[] = {"pass_intercept_cpu", "faceoffs_cpu_chances", "AI", "pass_intercept_cpu"};
    const std::function<void(EditorContext&)> handlers[] = {
        &btnBrowseAIFile_Click,
        nullptr,
        [&s](EditorContext& c) { TreeView_AI_NodeClick(c, QString::fromLatin1(keys[s.choice])); },
        &valueSlider_Scroll,
        &btnSetDefaultValue_Click,
        &btnApplyAIChanges_Click,
        &btnCancelAIChanges_Click,
        &btnExportVNTSettings_Click,
        &btnImportVNTSettings_Click,
        &btnQuit_Click,
        &btnAItreeExpandAll_Click,
        &btnAItreeCollapseAll_Click};
    if (s.act == Act::Pick)
        return controls.setSkillIndex(s.choice);
    if (s.act == Act::Slide)
        controls.userSetsSlider(s.choice * 30 + s.target * 3);
    runHandler(ctx, handlers[int(s.act)]);
}

// -1: the action was not possible (its control disabled, or the window closed);
// 0: done; 1: failed with the error box.
int ModelRun::perform(const Step& s)
{
    if (model.closed)
        return -1;
    if (!enabledIn(model, Needs[int(s.act)])) {
        RC_ASSERT(!controls.isEnabled(Needs[int(s.act)]));
        return -1;
    }
    // Folders in the way of the staging copies, the import's copy and the backups.
    QStringList blocked;
    if (s.fault == Fault::Blocked) {
        blocked = {path(Levels[1] + ".ubc"), path(Levels[2] + ".ubc"),         path(Levels[3] + ".ubc"),
                   path("vnt08exp.tmp"),     archives[0] + ".VNT_backup_3597", archives[1] + ".VNT_backup_3597"};
        blocked.removeIf([](const QString& p) { return QFileInfo::exists(p) || !QDir().mkdir(p); });
    }
    bool refused = false;
    talk.clear(), mismatches.clear(), backup = {};
    Model success = predict(s, refused);
    const QByteArray workBefore = model.level ? readFile(ctx.state.workFilePath()) : QByteArray();
    const QStringList windowBefore = window();

    // Faults that hold for the whole action.
    library->begin(s.fault, s.call);
    std::optional<SimulatedDiskLimit> full;
    if (s.fault == Fault::DiskFull)
        full.emplace(100);
    if (s.call == 0 && (s.fault == Fault::Vanish || s.fault == Fault::Garbage))
        library->putAside(model.aiFile, s.fault == Fault::Garbage);
    failed = false;
    switchFails = s.fault == Fault::Switch;
    act(s);
    switchFails = false;
    full.reset();
    library->restore();
    for (const QString& p : blocked)
        QDir().rmdir(p);

    if (!mismatches.isEmpty())
        RC_FAIL(mismatches.join('\n').toStdString());
    RC_ASSERT(failed || talk.empty()); // every dialog the model expects was shown
    RC_ASSERT(!failed || refused || s.fault != Fault::None);
    RC_ASSERT(failed || !refused);
    if (failed) {
        success = model; // back as it was, but what a completed store settled stays
        success.closed = false;
        RC_ASSERT(!library->storedInto.isEmpty() || window() == windowBefore);
        if (!library->storedInto.isEmpty()) {
            success.wrongFileShown = success.wrongFileShown && success.accepted; // chosen by the store's Browse
            success.aiFile = library->storedInto.last(), success.accepted = true, success.pending = false;
            success.archives[success.aiFile][success.level] = success.work;
        }
    } else if ((s.act == Act::Slide || (s.act == Act::Reset && s.answer == Answer::Yes))) {
        // An edit changes the working copy at the shown attribute's slot only.
        const QByteArray now = readFile(ctx.state.workFilePath());
        const int slot = ctx.state.AttrOffset - 1;
        RC_ASSERT(now.size() == workBefore.size()
                  && now.left(slot) + now.mid(slot + 4) == workBefore.left(slot) + workBefore.mid(slot + 4));
        success.work = now, success.pending = true;
    } else if (!backup.first.isEmpty()) {
        RC_ASSERT(readFile(backup.first) == backup.second); // the archive as it was before Apply
    }
    model = success;
    check();
    return failed;
}

void ModelRun::check() const
{
    const EditorState& s = ctx.state;
    RC_ASSERT(controls.closed == model.closed);
    if (!model.closed) {
        RC_ASSERT(s.SkillName == Levels[model.level]);
        RC_ASSERT(controls.skillIndex() == model.level);
        RC_ASSERT(controls.skillTag() == QString::number(model.level));
        RC_ASSERT(s.ChangesPending == model.pending);
        RC_ASSERT(s.AIFilePath == model.aiFile);
        RC_ASSERT(controls.caption(Control::labAIfilePath) == (model.accepted ? model.aiFile : QString()));
        QStringList wrong;
        for (Control c : AllControls) {
            if (controls.isEnabled(c) != enabledIn(model, c))
                wrong << QStringLiteral("%1 enabled %2").arg(nameOf(c)).arg(int(controls.isEnabled(c)));
            if (controls.isVisible(c) != (c != Control::InvalidFileMsg || model.wrongFileShown))
                wrong << QStringLiteral("%1 visible %2").arg(nameOf(c)).arg(int(controls.isVisible(c)));
        }
        for (int i = 1; i <= controls.nodeCount(); ++i) {
            const QString key = controls.nodeKey(i);
            const bool section = Sections.contains(key);
            if (controls.isExpanded(key) != (section ? key == Sections[0] || model.level : model.expandedAll))
                wrong << QStringLiteral("node %1 expanded %2").arg(key).arg(int(controls.isExpanded(key)));
        }
        const ShownAttribute* shown = model.shown < 0 ? nullptr : &Attributes[model.shown];
        if (controls.caption(Control::labAttributeName) != (shown ? shown->name : "")
            || controls.caption(Control::labDefaultValue) != (shown ? shown->defaults[model.level - 1] : ""))
            wrong << "attribute shown " + controls.caption(Control::labAttributeName);
        if (!wrong.isEmpty())
            RC_FAIL(wrong.join(", ").toStdString());
    }
    if (!model.closed && model.level) {
        RC_ASSERT(readFile(s.workFilePath()) == model.work);
        RC_ASSERT(s.EntryName == Levels[model.level] + ".ubc");
    }
    for (int level = 1; level <= 3; ++level)
        RC_ASSERT(!QFileInfo::exists(path(Levels[level] + ".ubc"))); // no staging copy is left
    for (const QString& archive : archives) {
        const VivArchive viv = VivArchive::open(archive);
        for (int level = 1; level <= 3; ++level)
            RC_ASSERT(viv.extract((Levels[level] + ".ubc").toLatin1()) == model.archives[archive][level]);
        RC_ASSERT(viv.extract("rules.txt") == "play fair");
    }
    for (auto it = model.exports.cbegin(); it != model.exports.cend(); ++it)
        RC_ASSERT(readFile(it.key()) == it.value());
}

} // namespace

namespace rc {
template <> struct Arbitrary<Step> {
    static Gen<Step> arbitrary()
    {
        // Full ranges whatever the size; the size only bounds the sequence's length.
        return gen::resize(
            100,
            gen::construct<Step>(gen::element(Act::Browse, Act::Pick, Act::Pick, Act::Pick, Act::Select, Act::Select, Act::Slide,
                                              Act::Slide, Act::Slide, Act::Reset, Act::Apply, Act::Apply, Act::Cancel,
                                              Act::Export, Act::Import, Act::Import, Act::Quit, Act::ExpandAll, Act::CollapseAll),
                                 gen::inRange(0, 4), gen::inRange(0, 4), gen::element(Answer::Yes, Answer::No, Answer::Cancel),
                                 // Mostly no fault; shrinks towards none.
                                 gen::map(gen::inRange(0, 19), [](int f) { return f < 12 ? Fault::None : Fault(f - 11); }),
                                 gen::inRange(0, 3)));
    }
};
} // namespace rc

RC_GTEST_PROP(ActionModel, RandomSequencesFollowTheReferenceModel, (bool acceptFound, const std::vector<Step>& steps))
{
    ModelRun run(acceptFound);
    for (const Step& s : steps)
        run.perform(s);
}

namespace {

// What each step did (see perform).
std::vector<int> outcomes(ModelRun& run, const std::vector<Step>& steps)
{
    std::vector<int> done;
    try {
        for (const Step& s : steps)
            done.push_back(run.perform(s));
    } catch (const rc::detail::CaseResult& failure) {
        ADD_FAILURE() << failure.description;
    }
    return done;
}

// Runs the steps after start-up; each must be possible, and only the last one fails.
void runStory(bool acceptFound, std::vector<Step> steps, std::initializer_list<Step> then)
{
    steps.insert(steps.end(), then);
    std::vector<int> expected(steps.size(), 0);
    expected.back() = 1;
    ModelRun run(acceptFound);
    EXPECT_EQ(outcomes(run, steps), expected);
}

// Easy current with an edited value, the archive accepted.
const std::vector<Step> EditedEasy{{Act::Pick, 1}, {Act::Select, 0}, {Act::Slide, 3}};

} // namespace

TEST(EditStory, ApplyAfterACancelStoresTheNewEdit)
{
    ModelRun run(false); // the archive found was declined: browsing chooses it
    const std::vector<Step> edit{{Act::Browse}, {Act::Pick, 2}, {Act::Select},   {Act::Slide, 1},
                                 {Act::Cancel}, {Act::Select},  {Act::Slide, 2}, {Act::Apply}};
    EXPECT_EQ(outcomes(run, edit), std::vector<int>(edit.size(), 0));
}

TEST(EditedEasy, AFailedSaveOnASwitchKeepsTheListOnTheLevelStillCurrent)
{
    runStory(true, EditedEasy, {{.act = Act::Pick, .choice = 3, .fault = Fault::Vanish}});
}

TEST(EditedEasy, AStoreThatSucceededStaysWhenTheExtractionAfterItFails)
{
    runStory(true, EditedEasy, {{.act = Act::Pick, .choice = 3, .fault = Fault::Vanish, .call = 2}});
}

TEST(EditedEasy, AFailedSwitchInsideASecondImportLeavesTheFirstImportAsWorkingCopy)
{
    // Medium's file (Easy's changes saved), then Difficlt's, whose switch fails.
    runStory(true, EditedEasy, {{Act::Import, 1}, {.act = Act::Import, .choice = 2, .answer = Answer::No, .fault = Fault::Switch}});
}

TEST(FailedStory, ADeclinedArchiveStaysUnchosenWhenApplyFailsAfterBrowsing)
{
    // The other archive is picked; the store after the backup is refused.
    runStory(false, {}, {{Act::Import, 1}, {.act = Act::Apply, .target = 1, .fault = Fault::Denied, .call = 1}});
}
