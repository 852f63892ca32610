// Must not compile: no handler knows a widget.
#include "window/MainWindow.h"
