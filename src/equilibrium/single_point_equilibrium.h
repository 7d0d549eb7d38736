// equilibrium/single_point_equilibrium.h: the equilibrium of a vessel on a single-point or
// turret mooring: the heading scan for the roots of the yaw moment (PNTEQB) and the position
// search at the chosen heading (SPMEQB).
#pragma once

#include "equilibrium/plane_equilibrium.h"

#include <cstdint>
#include <span>

namespace lintar {

// Where PNTEQB writes the catalogue of equilibrium headings (30 entries; those beyond the last
// found keep their values): heading (radians, reduced), yaw energy, 1 stable / 0 unstable, the
// global direction of the environmental force there, and the index of the chosen entry.
struct HeadingCatalogue {
    std::span<float, 30> TANGLE;
    std::span<float, 30> ENERGY;
    std::span<std::int32_t, 30> LSTABL;
    std::span<float, 30> SLMANG;
    std::int32_t& ISTAB;
};

// The catalogue in EQUILB.
HeadingCatalogue equilb_catalogue();

// PNTEQB: scans 180 brackets of 2 degrees from -0.5 rad over one turn for the roots of the yaw
// moment (TORQUE, or `moment` when given), records each with its energy (the left-rectangle
// integral of the moment from the scan's start), its stability (a falling moment is stable) and
// the direction of the environmental force there (NETFOR), and chooses the stable root of
// largest energy (the largest-energy root when none is stable; with NEWEQL 1 the first other
// stable root). A root within 0.01 rad of the first at the end of the turn is that root found
// again and is recorded once. Returns the chosen heading in TNKANG. Calls COFLD first.
// Messages on IOSCRN; ends the run (after the Return pause, status 1) when a root search does
// not converge, when a 31st distinct root is found, and when there is no root at all.
void PNTEQB(float& TNKANG, const HeadingCatalogue& catalogue, int IOSCRN, std::int32_t NEWEQL,
            const YawMomentFunction& moment = {});

// SPMEQB: with ENVRON the heading from PNTEQB (into VESANG of EQUILB) and the position there by
// a damped Newton search on the net force of lines MINLN..MAXLN of LOCAL2, the turret angle
// solved at every iteration; without ENVRON the heading of EQUILB stays and only the position
// is solved. OFFMAX as for EQFIND. Leaves the 2 x 2 system in LOCAL's first eight words.
// Reads TPCM, LINCOM; writes EQUILB, LOCAL and, with line drag, LINCOM's current-drag words.
// Messages and prompts on EDUNIT. Ends the run as PNTEQB does, at a turret root search without
// root or unstable twice, after 50 singular-Jacobian restarts (status 1), at "A" (the user's
// choice), and where an unattended run meets a waiting prompt (status 1).
PlaneSearchOutcome SPMEQB(bool ENVRON, float OFFMAX);

} // namespace lintar
