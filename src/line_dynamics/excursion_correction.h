// line_dynamics/excursion_correction.h: the equal-energy correction of an excursion estimated
// with a linear spring onto a tabulated restoring-energy curve (NLNCOR), which the low-frequency
// report blocks and the disc buoy's RAOs share.
#pragma once

#include <cstdint>
#include <span>

namespace lintar {

// NLNCOR: the excursion DXNLIN that stores the linear spring energy 1/2 SPRNGK DXLIN^2 on the
// energy table ERG(1..NERG), whose equilibrium is at energy EQB, in the direction of the mean
// offset EQLOFF (its sign only, + for 0) when DXLIN goes with it or is 0, against it otherwise
// (only the table part up to the equilibrium interval, the first interval moved to the second).
// Intervals are the first ones that bracket, so the table need not be monotonic. An energy
// within one table step of the equilibrium keeps DXLIN. Otherwise, with LSPM false, the
// result is the whole steps from the equilibrium plus the interpolated fraction, times the
// step |OFFSET(1)|, with the sign of DXLIN; with LSPM true, the offset interpolated in
// OFFSET(1..NERG) less OFFSET at the equilibrium interval. MIN is the interval used. FENV is
// not used. A table of fewer than two entries has no interval and keeps DXLIN; an interval of
// equal energies adds no fraction.
// When the equilibrium energy or the excursion's energy lies outside the table it writes
// " ++> Nonzero IER = " with the code (I2) and " in NLNCOR" and the Return line on IOSCRN,
// reads one answer line (none in an unattended run, IOSCRN 41) and ends the run (status 1).
void NLNCOR(std::span<const float> ERG, float EQB, std::span<const float> OFFSET, float DXLIN,
            float& DXNLIN, float SPRNGK, float FENV, float EQLOFF, std::int32_t NERG,
            std::int32_t& MIN, bool LSPM, int IOSCRN);

} // namespace lintar
