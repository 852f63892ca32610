// Must not compile: the services know nothing of the editor.
#include "editor/EditorContext.h"
