// Must not compile: the editor's shared world does not reach up into the handlers.
#include "handlers/Startup.h"
