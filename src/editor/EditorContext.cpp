#include "editor/EditorContext.h"

namespace vnt {

EditorContext::EditorContext(Controls& c, Dialogs& d) : controls(c), dialogs(d)
{
}

EditorContext::~EditorContext() = default;

} // namespace vnt
