// equilibrium/six_dof_equilibrium.h: EQFND3, the static equilibrium of a spar or tension-leg
// platform in six degrees of freedom under its mooring, hydrostatic restoring, applied loads and
// the mean environment, with the spring and set-down procedure of the low-frequency analysis.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace lintar {

// What EQFND3 tells its caller besides the state: ITFAIL when the user accepted an estimate
// that had not converged ("C" in the failure dialogue); the number of load steps it used at the
// end (3 for a first spar or tension-leg solution, doubled after each singular Jacobian of a
// tension-leg platform's first step) and the number of doublings.
struct SixDofOutcome {
    bool ITFAIL = false;
    std::int32_t NSCALE = 1;
    std::int32_t NCYCLE = 0;
    // The estimate the last load step's search started from: from the third step on, the
    // straight-line extrapolation 2 X(n-1) - X(n-2) of the two steps before it.
    std::array<float, 6> XSTART{};
};

// EQFND3: Newton-Raphson on the state vector XVEC (x, y offset, heave up, rotation vector in
// radians; heading VESANG = VESAN0 + XVEC(6)) with a 6 x 6 finite-difference Jacobian of the
// mooring (FMOOR2 over lines MINLN..MAXLN of LOCAL2) and hydrostatic load, the applied and
// environmental load (with ENVRON) undifferentiated. INITFLAG false is the first (still-water)
// solution: it starts from 0, takes the vertical mooring force there as the reference of the
// residual, applies the load in 3 steps for program codes 14 and 17, and ends with XVECTK,
// FXVECTK, FZMREQ, the line results and the global stiffness (STIFFY) in EQUILB, DELTA_DRAFT and
// for code 17 the tendon stiffnesses in PASCOM. INITFLAG true starts from X_INIT0 under the
// extra global load F_INIT0. GETSPRING runs the spring and set-down procedure after convergence
// (GOFANG, VOFANG, GSPARSPRING, SPARSPRING, the pull-down words of EQUILB, DSTRECH_DX/DY of
// PASCOM); a quotient without a divisor there is 0, with one " ++> Warning:" line.
// NEW_CRNT_LOAD recomputes the line current drag. PITOFF, ROLOFF, YAWOFF receive the body angles
// of the last mooring evaluation. Messages and the failure dialogue on EDUNIT (keyboard 5).
// Ends the run when the water depth does not exceed the draft (status 1), at "A" in the
// dialogue (the user's choice), where an unattended run meets the dialogue (status 1), and as
// FMOOR2 and KELAST do.
SixDofOutcome EQFND3(bool ENVRON, std::span<const float, 6> X_INIT0,
                     std::span<const float, 6> F_INIT0, bool INITFLAG, std::array<float, 6>& XVEC,
                     float& PITOFF, float& ROLOFF, float& YAWOFF, bool GETSPRING,
                     bool NEW_CRNT_LOAD);

} // namespace lintar
