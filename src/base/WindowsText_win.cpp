#include "base/WindowsText.h"

#include <windows.h>

namespace vnt {

QString windowsErrorText(unsigned long code)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                              | FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, DWORD(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString described = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed() : QString();
    if (text)
        ::LocalFree(text);
    if (described.isEmpty())
        described = QStringLiteral("Windows error");
    return QStringLiteral("%1 (%2)").arg(described).arg(code);
}

} // namespace vnt
