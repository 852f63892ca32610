#pragma once

// Where the game's installer records the game's folder, and where the archive
// lies below that folder: the one place these names are written.

namespace vnt::game {

// Below HKEY_LOCAL_MACHINE, as the game (a 32-bit program) sees it.
constexpr char RegistryKey[] = "SOFTWARE\\Ea Sports\\NHL08\\";
constexpr char RegistryValue[] = "Install Dir";

constexpr char ArchiveFolder[] = "gamedata";
constexpr char ArchiveName[] = "aidata.viv";

} // namespace vnt::game
