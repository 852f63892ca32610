#pragma once

// The Windows registry through the ANSI functions of advapi32, with no Qt types:
// names are std::strings in the ANSI code page, value data is bytes.
//
// Every key is opened, created and deleted in the 32-bit view of the registry
// (KEY_WOW64_32KEY), as the game and its installer, both 32-bit programs, see it:
// in a 64-bit program on 64-bit Windows, HKEY_LOCAL_MACHINE\Software\X is then
// Software\Wow6432Node\X. On 32-bit Windows the view changes nothing. Handles that
// openKey, createKey and connectRegistry return keep that view for reads, writes
// and listings.
//
// Each function returns the Windows result code (0 on success) and hands results
// back through its out-parameters, which a failed call leaves as they were.

#include <cstdint>
#include <string>

namespace vnt::win32 {

// A predefined root (its 32-bit value, sign-extended) or a handle returned here;
// the same type as the registry back-end's key handles.
using Key = long long;

long openKey(Key parent, const std::string& subKey, std::uint32_t access, Key* result);
// Opens the key, creating it and the keys above it when missing.
long createKey(Key parent, const std::string& subKey, std::uint32_t access, Key* result);
long closeKey(Key key);

// Type and data of a value; with a null buffer only the type and size. *size is the
// buffer's size on entry and the data's size on return (ERROR_MORE_DATA when the
// buffer is too small).
long queryValue(Key key, const std::string& name, std::uint32_t* type, char* buffer, std::uint32_t* size);
long setValue(Key key, const std::string& name, std::uint32_t type, const std::string& data);
long deleteValue(Key key, const std::string& name);
// Deletes a key that has no subkeys.
long deleteKey(Key parent, const std::string& subKey);

// The name of the value or subkey at index; ERROR_NO_MORE_ITEMS past the last one.
long enumValue(Key key, std::uint32_t index, std::string* name);
long enumKey(Key key, std::uint32_t index, std::string* name);

// The predefined root of another computer's registry (machine as "\\name").
long connectRegistry(const std::string& machine, Key root, Key* result);

} // namespace vnt::win32
