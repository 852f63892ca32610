// Must not compile, for a reason other than a layer's header: the check that
// expects a missing header must reject this failure.
#include "model/Definitions.h"

int layeringProbe()
{
    return undeclaredInAnyLayer;
}
