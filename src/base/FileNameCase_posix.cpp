#include "base/FileOps.h"

namespace vnt {

// POSIX file systems tell names apart by letter case.
Qt::CaseSensitivity fileNameCase()
{
    return Qt::CaseSensitive;
}

} // namespace vnt
