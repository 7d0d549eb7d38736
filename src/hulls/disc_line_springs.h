// hulls/disc_line_springs.h: the pieces of the mooring lines' dynamic springs at the disc
// buoy: how a line's direction at the fairlead turns when the buoy moves.
#pragma once

#include <array>
#include <complex>

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
// rotation OMEGA: the turn in plan DPHIV, the turn in the vertical plane DTHETV (through the
// horizontal tension when |cos THETA| > 0.02, else through the vertical one) and the rigid
// rotation u x OMEGA. A line whose turns are not defined (a vertical line, a span that does
// not change with the load, no mean tension) turns with the buoy only: DPHIV = DTHETV = 0 and
// degenerate is set.
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
struct LineLoad {
    CVec3 F{};
    CVec3 M{};
};
LineLoad line_load_at_buoy(std::complex<float> CTOPFP, const Vec3& u, float TPTEN0, const Vec3& du,
                           const Vec3& r);

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
void add_line_load(LineSpringSums& sums, const LineLoad& load, const std::array<float, 6>& DISP,
                   float WFREQ);

} // namespace lintar
