// Must not compile: the model knows nothing of the editor.
#include "editor/EditorContext.h"
