// hulls/disc_line_springs.cpp: the turn of a mooring line's direction at the disc buoy.
#include "hulls/disc_line_springs.h"

#include "util/algebra.h"

#include <cmath>

namespace lintar {

namespace {

// Below this |cos THETA| the line is taken as near vertical and its turn in the vertical
// plane comes from the vertical tension.
constexpr float near_vertical_cosine = 0.02f;
// A line whose horizontal projection of its unit direction is below this is vertical: it has
// no plan angle to turn.
constexpr float vertical_line_projection = 1.0e-6f;

} // namespace

// line_direction_change: see the header. Pure.
LineDirectionChange line_direction_change(const LineMeanState& line, const Vec3& D,
                                          const Vec3& OMEGA) {
    LineDirectionChange r;
    Vec3 u{};
    RCTNGL(line.THETA, line.PHI, u);
    const Vec3 z{0.0f, 0.0f, 1.0f};
    Vec3 uxz{};
    XPROD(u, z, uxz);
    const float projection = VMOD(uxz);
    const float plan_arm = line.RANCQ * projection;
    const float ct = std::cos(line.THETA);
    const float st = std::sin(line.THETA);
    const float cp = std::cos(line.PHI);
    const float sp = std::sin(line.PHI);

    r.degenerate = projection < vertical_line_projection || line.RANCQ <= 0.0f ||
                   line.DXSDH == 0.0f || line.TPTEN0 == 0.0f;
    if (!r.degenerate) {
        const float xq = cp * D[0] + sp * D[1];
        const float dz = D[2];
        r.DPHIV = DOTP(uxz, D) / plan_arm;
        const float DTT = line.DTFDXF * xq + line.DTFDZF * dz;
        const float DTX = (xq - line.DXSDZF * dz) / line.DXSDH;
        const float DTZ = line.DTZFDH * DTX + line.DTZFDZ * dz;
        if (std::abs(ct) > near_vertical_cosine)
            r.DTHETV = (DTX - DTT * st) / (ct * line.TPTEN0);
        else
            r.DTHETV = (DTT * ct - DTZ) / (st * line.TPTEN0);
    }
    Vec3 rigid{};
    XPROD(u, OMEGA, rigid);
    r.du = {ct * cp * r.DTHETV - st * sp * r.DPHIV + rigid[0],
            ct * sp * r.DTHETV + st * cp * r.DPHIV + rigid[1], -st * r.DTHETV + rigid[2]};
    return r;
}

// line_load_at_buoy: see the header. Pure.
LineLoad line_load_at_buoy(std::complex<float> CTOPFP, const Vec3& u, float TPTEN0, const Vec3& du,
                           const Vec3& r) {
    LineLoad load;
    for (int i = 0; i < 3; ++i)
        load.F[i] = CTOPFP * u[i] + TPTEN0 * du[i];
    CXPROD(r, load.F, load.M);
    return load;
}

// add_line_load: see the header. Pure.
void add_line_load(LineSpringSums& sums, const LineLoad& load, const std::array<float, 6>& DISP,
                   float WFREQ) {
    for (int i = 0; i < 6; ++i) {
        if (DISP[i] == 0.0f)
            continue;
        const std::complex<float> c = i < 3 ? load.F[i] : load.M[i - 3];
        sums.spring[i] += std::abs(c.real() / DISP[i]);
        sums.damping[i] += std::abs(c.imag() / (DISP[i] * WFREQ));
        sums.net[i] += c;
    }
}

} // namespace lintar
