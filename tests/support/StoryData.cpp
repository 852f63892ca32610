#include "StoryEditor.h"

#include "archive/ArchiveAccess.h"
#include "handlers/GameLocation.h"
#include "handlers/Selection.h"
#include "handlers/Startup.h"

#include <QtEndian>

namespace vnt::test {

namespace {

const char* const Definitions = R"(<?xml version="1.0"?>
<aidata>
  <attribute><key>pass_intercept_cpu</key><name>Pass Intercept CPU</name><description>How often the CPU cuts passes.</description>
    <min_range>0</min_range><max_range>1</max_range><range_mult>100</range_mult><offset>37</offset>
    <defaults><easy>0.25</easy><medium>0.5</medium><difficlt>0.75</difficlt></defaults></attribute>
  <attribute><key>faceoffs_cpu_chances</key><name>Faceoff Chances</name><description>Faceoffs the CPU wins.</description>
    <min_range>0</min_range><max_range>100</max_range><range_mult>1</range_mult><offset>49</offset>
    <easy>30</easy><medium>50</medium><difficlt>70</difficlt></attribute>
</aidata>
)";

} // namespace

QByteArray StoryEditor::levelEntry(int level)
{
    QByteArray bytes(64, char(0xA0 + level));
    qToLittleEndian(quint16(0xB17B), bytes.data() + 32); // each value's tag four bytes before it
    qToLittleEndian(float(0.1 + 0.2 * level), bytes.data() + 36);
    qToLittleEndian(quint16(0xB810), bytes.data() + 44);
    qToLittleEndian(qint32(20 * level), bytes.data() + 48);
    return bytes;
}

QByteArray StoryEditor::definitions() { return Definitions; }

QString StoryEditor::exported(const char* name, int level) const
{
    writeBytes(path(QLatin1String(name)), levelEntry(level).replace(16, 2, QByteArray(1, char(level)) + '\0'));
    return path(QLatin1String(name));
}

StoryEditor::StoryEditor() : archive(path(QStringLiteral("game/gamedata/aidata.viv")))
{
    QDir(dir.path()).mkpath(QStringLiteral("game/gamedata"));
    writeBytes(path(QStringLiteral("aidata.xml")), Definitions);
    VivArchive::create(archive, {{"Easy.ubc", levelEntry(1)},
                                 {"Medium.ubc", levelEntry(2)},
                                 {"Difficlt.ubc", levelEntry(3)},
                                 {"rules.txt", "play fair"}});
    ctx.archive = makeArchiveAccess();
    ctx.now = [] { return QDateTime(QDate(2026, 3, 5), QTime(9, 7)); };
    dialogs.expectNotice(QStringLiteral("Can't find NHL08..."));
    runHandler(ctx, &Form_Load);
}

void StoryEditor::browseTo(const QString& file)
{
    dialogs.expectOpen(QStringLiteral("Select aidata.viv file"), file);
    runHandler(ctx, &btnBrowseAIFile_Click);
}

void StoryEditor::moveSlider(int position)
{
    controls.userSetsSlider(position);
    runHandler(ctx, &valueSlider_Scroll);
}

} // namespace vnt::test
