#include "base/FileOps.h"

namespace vnt {

// Windows' file systems match names without regard to letter case.
Qt::CaseSensitivity fileNameCase()
{
    return Qt::CaseInsensitive;
}

} // namespace vnt
