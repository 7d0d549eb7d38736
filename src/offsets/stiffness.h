// offsets/stiffness.h: the six-by-six mooring stiffness as the offset table includes it; the
// routines live with the mooring force, in lines/mooring_stiffness.h, where the static
// equilibrium reaches them too.
#pragma once

#include "lines/mooring_stiffness.h"
