// Compiles: the model layer sees the base layer below it.
#include "base/Error.h"
#include "model/Definitions.h"

int layeringProbe() { return vnt::err::FileNotFound; }
