#pragma once

#include <QByteArray>
#include <QString>

namespace vnt::demo {

// Where the game's archive lies inside the demo prefix, and the registry value
// that points the editor at it.
constexpr const char* PrefixArchivePath = "drive_c/Program Files (x86)/EA Sports/NHL08/gamedata/aidata.viv";
constexpr const char* DemoInstallDir = "C:\\Program Files (x86)\\EA Sports\\NHL08\\";

// The entries of the demo archive besides the three skill levels: a short text
// and a second binary table, as a real archive carries more than the editor uses.
constexpr const char* ReadmeEntry = "readme.txt";
constexpr const char* SharedEntry = "Shared.ubc";
QByteArray readmeText();
QByteArray sharedTable();

// Writes the demo archive made from the definition file: the readme, Easy.ubc,
// Medium.ubc, Difficlt.ubc (each holding its level's defaults) and the shared
// table. An existing file at archivePath is replaced whole or not at all.
void writeDemoArchive(const QString& definitionPath, const QString& archivePath);

// The machine hive of a 64-bit Wine prefix in which the game is installed.
QByteArray systemRegistry();

// Builds a Wine prefix in prefixFolder (created when missing): system.reg,
// dosdevices/c: linked to ../drive_c, and the demo archive at PrefixArchivePath.
// Running it again over the same folder brings everything up to date.
void writeDemoPrefix(const QString& definitionPath, const QString& prefixFolder);

} // namespace vnt::demo
