// hulls/disc_line_springs.h: the mooring lines' dynamic springs at the disc buoy (DYNSPR) and
// their pieces: how a line's direction at the fairlead turns when the buoy moves, the load of
// one line on the buoy, and the sums over the lines.
#pragma once

#include <array>
#include <complex>
#include <span>

namespace lintar {

using Vec3 = std::array<float, 3>;

// The mean state of one line at the buoy: its direction angles (THETA from the vertical, PHI
// in plan, radians), the horizontal fairlead-to-anchor distance RANCQ, the mean top tension
// TPTEN0, the top-tension derivatives DTFDXF, DTFDZF, the vertical-tension derivatives
// DTZFDH, DTZFDZ and the first entries of the span derivatives DXSDZF, DXSDH.
struct LineMeanState {
    float THETA, PHI, RANCQ, TPTEN0;
    float DTFDXF, DTFDZF, DTZFDH, DTZFDZ, DXSDZF, DXSDH;
};

// The change of the line's unit direction du for the fairlead displacement D and the buoy
// rotation OMEGA. The direction u = RCTNGL(THETA, PHI) points from the fairlead to the anchor;
// the span and the tensions grow as the fairlead moves away from the anchor (-u): the turn in plan
// DPHIV, the turn in the vertical plane DTHETV (through the horizontal tension when |cos THETA| >
// 0.02, else through the vertical one) and the rigid rotation u x OMEGA. A line whose turns are not
// defined (a vertical line, a span that does not change with the load, no mean tension) turns with
// the buoy only: DPHIV = DTHETV = 0 and degenerate is set.
struct LineDirectionChange {
    float DPHIV = 0.0f;
    float DTHETV = 0.0f;
    Vec3 du{};
    bool degenerate = false;
};
LineDirectionChange line_direction_change(const LineMeanState& line, const Vec3& D,
                                          const Vec3& OMEGA);

using CVec3 = std::array<std::complex<float>, 3>;

// The load of one line on the buoy: the force F = CTOPFP u + TPTEN0 du (the dynamic tension
// along the mean direction u and the mean tension turned by du) and its moment M = r x F
// about the reference point, r the fairlead position.
struct BuoyLineLoad {
    CVec3 F{};
    CVec3 M{};
};
BuoyLineLoad line_load_at_buoy(std::complex<float> CTOPFP, const Vec3& u, float TPTEN0,
                               const Vec3& du, const Vec3& r);

// The lines' springs, dampings and net loads per degree of freedom (surge, sway, heave, roll,
// pitch, yaw), accumulated over the lines.
struct LineSpringSums {
    std::array<float, 6> spring{};
    std::array<float, 6> damping{};
    std::array<std::complex<float>, 6> net{};
};
// Adds one line's load for the displacement DISP (three translations, three rotations) at the
// frequency WFREQ: for each degree of freedom with a displacement, spring += |Re / disp|,
// damping += |Im / (disp WFREQ)|, net += the component. A degree of freedom without a
// displacement is left as it is.
void add_line_load(LineSpringSums& sums, const BuoyLineLoad& load, const std::array<float, 6>& DISP,
                   float WFREQ);

// DYNSPR: the springs, dampings and complex net loads of every active line (LINEID at most
// 1024) for the buoy's harmonic motion DISP (XOFF, YOFF, ZOFF, XTOFF, YTOFF, ZTOFF: three
// translations, three rotations in radians) at WFREQ rad/s, each line at its horizontal
// fairlead-anchor distance RANCQ[line - 1]. The result's spring, damping and net entries are
// XSPR .. ZTSPR, XDMP .. ZTDMP and CFNETX, CFNETY, CFNETZ, CTNETX, CTNETY, CTNETZ.
// Each line's mean state comes from the line tables (row MIDLYR) at its distance and its
// mean-shape derivatives from CATCOM (LINDRV must have run at the same distances); its dynamic
// tension from DYNCOD for the fairlead motion along the line. A line whose direction cannot
// turn (vertical, or a span that does not change with its load) turns with the buoy only, and
// the first such call of a run warns on EDUNIT naming the line.
// Reads TPCM (NLIN, NUNTS, DRAFT, SIMTYP, TENSRF, RFLD, NUMTAB, EDUNIT), EQUILB (VESANG, or
// BUYNGL for program code 13), LINCOM and CATCOM; writes LINCOM's state of the current line
// (ITYP, HMEAN, TPTEN0, BTTEN0, DPHLD, DPHLD2, BOTELM, the element tables), CATCOM CAFLD,
// CABOT and what DYNCOD writes. Ends the run only as DYNCOD and LOAD_ALPHAS do.
LineSpringSums DYNSPR(const std::array<float, 6>& DISP, float WFREQ, std::span<const float> RANCQ);

} // namespace lintar
