// Random sequences of user actions, with faults injected into the archive and file
// layer, against a small reference model of the archives and the working copy.
// After every action the editor's state, its window and its files must agree with
// each other and with the model; a failed action must leave them as they were (or
// as its last completed store left them). The seed is fixed unless RC_PARAMS names
// one: RC_PARAMS="seed=123 max_success=2000" build/bin/test_editor runs it longer.
// Sequences that once went wrong run as fixed steps under the same checks.

#include "support/StoryData.h"
#include "archive/ArchiveAccess.h"
#include "archive/VivArchive.h"
#include "archive/VivOutput.h"
#include "base/Error.h"
#include "base/FileOps.h"
#include "editor/Events.h"
#include "handlers/ApplyCancel.h"
#include "handlers/GameLocation.h"
#include "handlers/Selection.h"
#include "handlers/SettingsExchange.h"
#include "handlers/SkillLevels.h"
#include "handlers/Startup.h"
#include "support/MemoryRegistry.h"
#include "support/TestEditor.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

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

enum class Act { Browse, Pick, Select, Slide, Reset, Apply, Cancel, Export, Import, Quit };
// The control each action needs enabled.
const Control Needs[] = {Control::btnBrowseAIFile,      Control::lstSkill,
                         Control::TreeView_AI,          Control::valueSlider,
                         Control::btnSetDefaultValue,   Control::btnApplyAIChanges,
                         Control::btnCancelAIChanges,   Control::btnExportVNTSettings,
                         Control::btnImportVNTSettings, Control::btnQuit};
// Switch (never generated): the level switch inside the action fails.
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
    static const char *acts[] = {"Browse", "Pick", "Select", "Slide", "Reset", "Apply", "Cancel", "Export", "Import", "Quit"},
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

// What the archives and the working copy must hold.
struct Model {
    QMap<QString, QMap<int, QByteArray>> archives; // archive, level: entry
    QString aiFile;
    int level = 0;
    QByteArray work;
    bool accepted = false, pending = false, closed = false;
    QMap<QString, QByteArray> exports;
};

const QString Levels[] = {QString(), QStringLiteral("Easy"), QStringLiteral("Medium"), QStringLiteral("Difficlt")};

// The editor under test; it answers every dialog from the running step.
struct ModelRun : Dialogs {
    explicit ModelRun(bool acceptFound);
    int perform(const Step& s);
    Model expected(const Step& s, bool& refused) const;
    void act(const Step& s);
    void check() const;

    Answer ask(const QString& title, const QString& text, Buttons buttons, Icon icon) override
    {
        titles << title + (icon == Icon::Critical ? "!" : "");
        texts << text;
        if (title == QStringLiteral("Found NHL08..."))
            return acceptFound ? Answer::Yes : Answer::No;
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        if (title == QStringLiteral("File already exist..."))
            return Answer::Yes;
        return buttons == Buttons::YesNo && step.answer == Answer::Cancel ? Answer::No : step.answer;
    }
    QString openFile(const QString& title, const QString&, const QString&) override
    {
        return title == QStringLiteral("Open VNT file") ? importPath(step.choice) : archivePath(step.target);
    }
    QString saveFile(const QString&, const QString&, const QString&) override { return exportPath(step.choice); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString archivePath(int t) const { return t < 2 ? archives[t] : t == 2 ? path("AIDATA.VIV") : QString(); }
    QString importPath(int choice) const
    {
        return choice == 3 && !model.exports.isEmpty() ? model.exports.lastKey()
                                                       : path(QStringLiteral("level%1.VNTxp").arg(choice % 3 + 1));
    }
    QString exportPath(int c) const { return c == 3 ? ctx.state.workFilePath() : path(QString("out%1.VNTxp").arg(c)); }
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
    Step step{};
    bool acceptFound, switchFails = false;
    QStringList titles; // of the message boxes of the running step; "!" marks the critical icon
    QStringList texts;  // of every message box, in order
};

ModelRun::ModelRun(bool acceptFound) : acceptFound(acceptFound)
{
    env.set("TEMP", dir.path().toLocal8Bit());
    ctx.programFolder = dir.path();
    ctx.archive = library;
    ctx.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(9, 7)); };
    controls.onSkillChanged = [this] {
        switchFails ? throw Error(err::DeviceIO, QStringLiteral("simulated")) : onSkillListChanged(ctx);
    };
    controls.onClose = [this] { runHandler(ctx, &Form_Unload); };
    writeBytes(path(QStringLiteral("aidata.xml")), StoryData::definitions());
    auto registry = std::make_shared<MemoryRegistry>();
    RegKey key = 0;
    registry->createKey(reg::LocalMachine, QStringLiteral("SOFTWARE\\Ea Sports\\NHL08\\"), reg::AllAccess, &key);
    registry->setValue(key, QStringLiteral("Install Dir"), reg::Sz, QDir::toNativeSeparators(path("game/")).toLocal8Bit() + '\0');
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
    runHandler(ctx, &Form_Load);
    check();
}

// What the step does when nothing fails; refused: it must end in the error box.
Model ModelRun::expected(const Step& s, bool& refused) const
{
    Model m = model;
    auto choose = [&m, this](int target) {
        if (target < 2)
            m.aiFile = archives[target], m.accepted = true;
    };
    // The save question's Yes stores; false when the action stops there.
    auto settle = [&]() {
        if (s.answer == Answer::Cancel)
            return false;
        if (s.answer == Answer::Yes) {
            if (!m.accepted)
                choose(s.target);
            if (!m.accepted)
                return false;
            m.archives[m.aiFile][m.level] = m.work;
        }
        m.pending = false;
        return true;
    };
    switch (s.act) {
    case Act::Browse:
        choose(s.target);
        break;
    case Act::Pick:
        if (s.choice == 0 || s.choice == m.level || (m.level && m.pending && !settle()))
            break;
        m.level = s.choice, m.work = m.archives[m.aiFile][m.level], m.pending = false;
        break;
    case Act::Apply:
        if (!m.accepted)
            choose(s.target);
        if (m.accepted && s.answer == Answer::Yes)
            m.archives[m.aiFile][m.level] = m.work, m.pending = false;
        break;
    case Act::Cancel:
        if (s.answer == Answer::Yes)
            m.work = m.archives[m.aiFile][m.level], m.pending = false;
        break;
    case Act::Export:
        refused = s.choice == 3;
        if (!refused)
            m.exports[exportPath(s.choice)] = withIndex(m.work, m.level);
        break;
    case Act::Import: {
        const QByteArray file = readFile(importPath(s.choice));
        const int index = file[16];
        if (m.pending && m.level != index && !settle())
            break;
        m.level = index, m.work = withIndex(file, 0), m.pending = true;
        break;
    }
    case Act::Quit:
        m.closed = m.pending ? settle() : s.answer == Answer::Yes;
        break;
    default:
        break; // Select, Slide, Reset: the edits themselves are checked in perform
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
        &btnQuit_Click};
    if (s.act == Act::Pick)
        return controls.setSkillIndex(s.choice);
    if (s.act == Act::Slide)
        controls.userSetsSlider(s.choice * 30 + s.target * 3);
    runHandler(ctx, handlers[int(s.act)]);
}

// -1: the action was not possible; 0: done; 1: failed with the error box.
int ModelRun::perform(const Step& s)
{
    if (model.closed || !controls.isEnabled(Needs[int(s.act)]))
        return -1;
    bool refused = false;
    Model success = expected(s, refused);
    const QByteArray workBefore = model.level ? readFile(ctx.state.workFilePath()) : QByteArray();
    const QStringList windowBefore = window();

    // Faults that hold for the whole action.
    library->begin(s.fault, s.call);
    std::optional<SimulatedDiskLimit> full;
    if (s.fault == Fault::DiskFull)
        full.emplace(100);
    if (s.call == 0 && (s.fault == Fault::Vanish || s.fault == Fault::Garbage))
        library->putAside(model.aiFile, s.fault == Fault::Garbage);
    QStringList blocked;
    if (s.fault == Fault::Blocked) {
        blocked = {path(Levels[1] + ".ubc"), path(Levels[2] + ".ubc"),         path(Levels[3] + ".ubc"),
                   path("vnt08exp.tmp"),     archives[0] + ".VNT_backup_3597", archives[1] + ".VNT_backup_3597"};
        blocked.removeIf([](const QString& p) { return QFileInfo::exists(p) || !QDir().mkdir(p); });
    }
    step = s;
    titles.clear();
    switchFails = s.fault == Fault::Switch;
    act(s);
    switchFails = false;
    full.reset();
    library->restore();
    for (const QString& p : blocked)
        QDir().rmdir(p);

    const bool failed = titles.contains(QStringLiteral("Error!"));
    RC_ASSERT(!titles.contains(QStringLiteral("Error"))); // an error box always shows the critical icon
    RC_ASSERT(!failed || refused || s.fault != Fault::None);
    RC_ASSERT(failed || !refused);
    if (failed) {
        success = model; // back as it was, but what a completed store settled stays
        success.closed = false;
        RC_ASSERT(!library->storedInto.isEmpty() || window() == windowBefore);
        if (!library->storedInto.isEmpty()) {
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
        RC_ASSERT(s.ChangesPending == model.pending);
        RC_ASSERT(s.AIFilePath == model.aiFile);
        RC_ASSERT(controls.caption(Control::labAIfilePath) == (model.accepted ? model.aiFile : QString()));
        RC_ASSERT(controls.isEnabled(Control::lstSkill) == model.accepted);
    }
    if (!model.closed && model.level) {
        RC_ASSERT(readFile(s.workFilePath()) == model.work);
        RC_ASSERT(s.EntryName == Levels[model.level] + ".ubc" && controls.skillTag() == QString::number(model.level));
    }
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
        return gen::resize(100, gen::construct<Step>(
                                    gen::element(Act::Browse, Act::Pick, Act::Pick, Act::Pick, Act::Select, Act::Select,
                                                 Act::Slide, Act::Slide, Act::Slide, Act::Reset, Act::Apply, Act::Apply,
                                                 Act::Cancel, Act::Export, Act::Import, Act::Import, Act::Quit),
                                    gen::inRange(0, 4), gen::inRange(0, 4), gen::element(Answer::Yes, Answer::No, Answer::Cancel),
                                    // Mostly no fault; shrinks towards none.
                                    gen::map(gen::inRange(0, 18), [](int f) { return f < 12 ? Fault::None : Fault(f - 11); }),
                                    gen::inRange(0, 3)));
    }
};
} // namespace rc

RC_GTEST_PROP(ActionModel, EveryActionKeepsStateWindowAndFilesInStep, (bool acceptFound, const std::vector<Step>& steps))
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

TEST(EditStory, ChooseLevelEditCancelThenEditApplyStoresTheWorkingCopyAfterABackup)
{
    ModelRun run(false); // the archive found was declined: browsing chooses it
    const QByteArray before = readFile(run.archives[0]);
    const std::vector<Step> edit{{Act::Browse}, {Act::Pick, 2}, {Act::Select},   {Act::Slide, 1},
                                 {Act::Cancel}, {Act::Select},  {Act::Slide, 2}, {Act::Apply}};
    EXPECT_EQ(outcomes(run, edit), std::vector<int>(edit.size(), 0));
    const QString backup = run.archives[0] + ".VNT_backup_3597";
    EXPECT_EQ(readFile(backup), before);
    EXPECT_TRUE(run.texts.contains(QStringLiteral("Are you sure you want to cancel all changes done\rto the 'Medium' "
                                                  "attributes during this session?")));
    EXPECT_TRUE(run.texts.last().endsWith(QStringLiteral("following location:\r") + backup));
    EXPECT_FALSE(QFile::exists(run.path(QStringLiteral("Medium.ubc")))) << "no staging copy is left";
}

TEST(EditedEasy, AFailedSaveOnASwitchKeepsTheListOnTheLevelStillCurrent)
{
    runStory(true, EditedEasy, {{.act = Act::Pick, .choice = 3, .fault = Fault::Vanish}});
}

TEST(EditedEasy, AStoreThatSucceededStaysWhenTheExtractionAfterItFails)
{
    runStory(true, EditedEasy, {{.act = Act::Pick, .choice = 3, .fault = Fault::Vanish, .call = 2}});
}

TEST(EditedEasy, ASecondImportThatFailsAfterTheCopyLeavesTheFirstImportAsWorkingCopy)
{
    // Medium's file (Easy's changes saved), then Difficlt's.
    runStory(true, EditedEasy, {{Act::Import, 1}, {.act = Act::Import, .choice = 2, .answer = Answer::No, .fault = Fault::Switch}});
}

TEST(FailedStory, ADeclinedArchiveStaysUnchosenWhenApplyFailsAfterBrowsing)
{
    // The other archive is picked; the store after the backup is refused.
    runStory(false, {}, {{Act::Import, 1}, {.act = Act::Apply, .target = 1, .fault = Fault::Denied, .call = 1}});
}
