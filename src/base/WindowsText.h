#pragma once

#include <QString>

// Windows only: texts to and from the wide-character Windows API, which every
// path goes through (a player's folder may hold any letter).

namespace vnt {

// The text as the API's wide string. The pointer lives as long as text: pass a
// named QString or use it within the call it is made for.
inline const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

// The system's description of a Windows error code, with its number.
QString windowsErrorText(unsigned long code);

} // namespace vnt
