#include "editor/Controls.h"

namespace vnt {

QString controlName(Control control)
{
    return QString::fromLatin1(nameOf(control));
}

} // namespace vnt
