#include "editor/Transaction.h"

#include "base/Error.h"
#include "base/FileOps.h"
#include "editor/EditorContext.h"
#include "model/NumberText.h"

#include <QFileInfo>

namespace vnt {

namespace {

// A working copy is an archive entry of a few kilobytes; anything far larger is
// not the editor's and is left alone.
constexpr qint64 LargestKeptFile = qint64(16) << 20;

const Control Labels[] = {Control::labAttributeDescription,
                          Control::labDefaultValue,
                          Control::labAttributeName,
                          Control::labMinRange,
                          Control::labMaxRange,
                          Control::labAppVersion,
                          Control::labSliderValue,
                          Control::labAIfilePath};

} // namespace

Transaction::Transaction(EditorContext& ctx) : ctx_(ctx), outer_(ctx.transaction)
{
    snapshot();
    ctx_.transaction = this;
}

Transaction::~Transaction()
{
    ctx_.transaction = outer_;
}

void Transaction::commit()
{
    snapshot();
    // The archive holds the working copy now: nothing is pending any more.
    state_.ChangesPending = false;
}

void Transaction::snapshot()
{
    state_ = ctx_.state;
    const Controls& c = ctx_.controls;
    window_ = Window();
    for (Control label : Labels)
        window_.captions[label] = c.caption(label);
    for (Control control : AllControls) {
        window_.enabled[control] = c.isEnabled(control);
        window_.visible[control] = c.isVisible(control);
    }
    window_.skillTag = c.skillTag();
    window_.sliderMinimum = c.sliderMinimum();
    window_.sliderMaximum = c.sliderMaximum();
    window_.sliderTicks = c.sliderTickFrequency();
    window_.sliderPosition = c.sliderPosition();
    for (int i = 1; i <= c.nodeCount(); ++i) {
        const QString key = c.nodeKey(i);
        window_.expanded.emplace_back(key, c.isExpanded(key));
    }
    window_.currentNode = c.currentNode();

    files_.clear();
    if (state_.TempFolder.isEmpty())
        return;
    // Both names the working copy can have; an action may switch from one to the other.
    for (const QString& name : {WorkCopyName, ImportCopyName}) {
        WorkFile file;
        file.path = joinPath(state_.TempFolder, name);
        const QFileInfo info(file.path);
        file.existed = info.exists() || info.isSymLink();
        file.tracked = !file.existed || (info.isFile() && !info.isSymLink() && info.size() <= LargestKeptFile);
        if (file.existed && file.tracked) {
            try {
                file.bytes = readFile(file.path);
            } catch (const Error&) {
                file.tracked = false;
            }
        }
        files_.push_back(file);
    }
}

QString Transaction::rollback()
{
    ctx_.state = state_;
    restoreWindow();
    return restoreFiles();
}

void Transaction::restoreWindow()
{
    Controls& c = ctx_.controls;
    const EditorState& s = ctx_.state;
    for (auto it = window_.captions.cbegin(); it != window_.captions.cend(); ++it)
        c.setCaption(it.key(), it.value());
    for (auto it = window_.enabled.cbegin(); it != window_.enabled.cend(); ++it)
        c.setEnabled(it.key(), it.value());
    for (auto it = window_.visible.cbegin(); it != window_.visible.cend(); ++it)
        c.setVisible(it.key(), it.value());
    c.setSliderMinimum(window_.sliderMinimum);
    c.setSliderMaximum(window_.sliderMaximum);
    c.setSliderTickFrequency(window_.sliderTicks);
    for (const auto& [key, expanded] : window_.expanded)
        c.setExpanded(key, expanded);
    c.setCurrentNode(window_.currentNode);
    c.setSkillTag(window_.skillTag);

    // What the user changed in a control before the handler ran is not in the
    // snapshot; it follows from the state instead. The list shows the current level.
    int level = 0;
    for (int i = 1; i <= 3 && level == 0; ++i)
        level = !s.SkillName.isEmpty() && c.skillText(i) == s.SkillName ? i : 0;
    c.setSkillIndexSilently(level);
    // The path label shows the archive once one was accepted.
    if (!c.caption(Control::labAIfilePath).isEmpty())
        c.setCaption(Control::labAIfilePath, s.AIFilePath);
    // The slider shows the value on display.
    const std::optional<double> shown = ParseNumber(c.caption(Control::labSliderValue));
    const std::optional<qint32> position = shown ? RoundToInt32(*shown * s.RangeMult) : std::nullopt;
    c.setSliderPosition(position && s.RangeMult != 0 ? *position : window_.sliderPosition);
}

QString Transaction::restoreFiles()
{
    QStringList failures;
    for (const WorkFile& file : files_) {
        if (!file.tracked)
            continue;
        try {
            const QFileInfo now(file.path);
            if (!file.existed) {
                if (now.isFile() && !now.isSymLink())
                    removeFile(file.path);
            } else if (!now.isFile() || readFile(file.path) != file.bytes) {
                writeFileAtomically(file.path, file.bytes);
            }
        } catch (const Error& e) {
            failures << e.description();
        }
    }
    if (failures.isEmpty())
        return QString();
    return QStringLiteral("The working copy could not be put back as it was: ") + failures.join(QLatin1Char(' '));
}

void storeCompleted(EditorContext& ctx)
{
    if (ctx.transaction)
        ctx.transaction->commit();
}

} // namespace vnt
