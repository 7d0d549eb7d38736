// offsets/equilibrium_search.h: EQFND2, the six-degree-of-freedom equilibrium of the vessel
// (or the buoy of a CALM arrangement) under a prescribed external force and couple, its
// mooring lines and its hydrostatic restoring in heave, roll and pitch.
#pragma once

#include "lines/mooring_force.h"

#include <array>
#include <cstdint>

namespace lintar {

// How the prescribed load is given: FCVES, TQVES 1 = force, couple in vessel axes (0 global);
// FAPPNT the force application point on the vessel (vessel axes).
struct AppliedLoadFrame {
    std::int32_t FCVES = 0;
    std::int32_t TQVES = 0;
    std::array<float, 3> FAPPNT{};
};

// What the search leaves at its solution: the rotation angles, the mooring force and moment
// in global and vessel axes and the energy (FMOOR2's loads at the final evaluation), the layer
// row and fraction of the hawser fairlead (CALM arrangement only), and whether the point was
// accepted without convergence.
struct EquilibriumResult {
    SixDofLoads loads;
    std::int32_t ILAYR = 0;
    float DELLAY = 0.0f;
    bool ITFAIL = false;
};

// EQFND2: Newton iteration on the state vector XVEC (x, y, z of the reference point, global,
// z = 0 at the still-water position; then the rotation vector, radians) for point INCVAL of a
// "continuous equilibrium" sequence (1 starts a new sequence: the start estimate is 0 and the
// mooring load there becomes the zero of the residual; 2 starts from XVEC as passed; later
// points extrapolate the last two solutions). FEXT holds the force (1..3) and couple (4..6);
// element 3 is rewritten for a CALM arrangement (the hawser's vertical pull). Lines
// MINLN..MAXLN are summed; the final evaluation writes the per-line columns of `results` and
// the displaced geometry of LINCOM (RANCP, ZANCP, ANGDPP). warn carries the span-warning flag
// IOFLAG and the last line found outside the span. Reads TPCM and LINCOM; keeps the last two
// solutions and the difference steps from call to call. A singular Jacobian or 201 steps
// without convergence open the failure dialogue on EDUNIT (keyboard 5): "Q" sets QUITFG to 1
// (otherwise QUITFG is left as it is), "A" and an unattended run end the run (status 1 for the
// unattended run), end of input ends the session.
void EQFND2(std::array<float, 6>& FEXT, std::array<float, 6>& XVEC, std::int32_t INCVAL,
            const LineResults& results, EquilibriumResult& result, const AppliedLoadFrame& frame,
            std::int32_t& QUITFG, std::int32_t MINLN, std::int32_t MAXLN, SpanWarning& warn);

// What follows a Newton step of EQFND2.
enum class NewtonOutcome { another_step, converged, failed };

// count_newton_step: the step-counting rule of EQFND2. A step that met the convergence test
// (DOMOR false) ends the search, the last one allowed included; any other step is counted in
// ITRATN, and the 201st such step fails (the failure dialogue). Writes only ITRATN.
NewtonOutcome count_newton_step(bool DOMOR, std::int32_t& ITRATN);

} // namespace lintar
