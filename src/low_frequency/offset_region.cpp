// low_frequency/offset_region.cpp: the offset region, its corners, the rotation matrices and
// the net-load snapshot table.
#include "low_frequency/offset_region.h"

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/tpcm.h"
#include "equilibrium/equilibrium_geometry.h"
#include "equilibrium/six_dof_equilibrium.h"
#include "runtime/assert.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/scope_restore.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>

namespace lintar {

float GETANG(float X, float Y) {
    if (X == 0.0f && Y == 0.0f)
        return 0.0f;
    return std::atan2(Y, X);
}

void V_G_ROTMAT(std::span<float, 4> M, float A) {
    const float c = std::cos(A);
    const float s = std::sin(A);
    M[0] = c;  // (1,1)
    M[1] = s;  // (2,1)
    M[2] = -s; // (1,2)
    M[3] = c;  // (2,2)
}

void G_V_ROTMAT(std::span<float, 4> M, float A) {
    const float c = std::cos(A);
    const float s = std::sin(A);
    M[0] = c;
    M[1] = -s;
    M[2] = s;
    M[3] = c;
}

namespace {

void set_record(CornerRecord record, float x, float y, float heading) {
    record[0] = x;
    record[1] = y;
    record[2] = heading;
}

} // namespace

void GET_CORNERS(float VESANG, float NETYAW, std::span<const float> XPOINT,
                 std::span<const float> YPOINT, std::int32_t NPOINT, float& XRMAX, float& YRMAX,
                 float& XRMIN, float& YRMIN, CornerRecord XMAXQ, CornerRecord YMAXQ,
                 CornerRecord XMINQ, CornerRecord YMINQ) {
    LINTAR_ASSERT(NPOINT >= 0 && static_cast<std::size_t>(NPOINT) <= XPOINT.size() &&
                      static_cast<std::size_t>(NPOINT) <= YPOINT.size(),
                  "more corner points than given");
    XRMAX = -1e30f;
    YRMAX = -1e30f;
    XRMIN = 1e30f;
    YRMIN = 1e30f;
    for (std::int32_t k = 1; k <= NPOINT; ++k) {
        const float x = XPOINT[slot(k)];
        const float y = YPOINT[slot(k)];
        XRMAX = std::fmax(XRMAX, x);
        YRMAX = std::fmax(YRMAX, y);
        XRMIN = std::fmin(XRMIN, x);
        YRMIN = std::fmin(YRMIN, y);
    }

    float fx_max = -1e30f;
    float fx_min = 1e30f;
    float fy_max = -1e30f;
    float fy_min = 1e30f;
    for (std::int32_t k = 1; k <= NPOINT; ++k) {
        const float x = XPOINT[slot(k)];
        const float y = YPOINT[slot(k)];
        // The point seen from the vessel's stern direction, turned by the yaw excursion either
        // way; each turn carries the heading the vessel has at it.
        const float a = std::atan2(y, x) - VESANG + pi_single;
        const float r = std::sqrt(x * x + y * y);
        const float d = std::copysign(std::fabs(NETYAW), a);
        float FXPLS = r * std::cos(a + d);
        float FXMNS = r * std::cos(a - d);
        float FYPLS = r * std::sin(a + d);
        float FYMNS = r * std::sin(a - d);
        float hx_pls = ANGSYM(VESANG - d);
        float hx_mns = ANGSYM(VESANG + d);
        float hy_pls = ANGSYM(VESANG - d);
        float hy_mns = ANGSYM(VESANG + d);
        if (FXPLS < FXMNS) {
            std::swap(FXPLS, FXMNS);
            std::swap(hx_pls, hx_mns);
        }
        if (FYPLS < FYMNS) {
            std::swap(FYPLS, FYMNS);
            std::swap(hy_pls, hy_mns);
        }
        if (FXPLS > fx_max) {
            fx_max = FXPLS;
            set_record(XMAXQ, x, y, hx_pls);
        }
        if (FXMNS < fx_min) {
            fx_min = FXMNS;
            set_record(XMINQ, x, y, hx_mns);
        }
        if (FYPLS > fy_max) {
            fy_max = FYPLS;
            set_record(YMAXQ, x, y, hy_pls);
        }
        if (FYMNS < fy_min) {
            fy_min = FYMNS;
            set_record(YMINQ, x, y, hy_mns);
        }
    }
}

namespace {

// The sign of a value as a factor, +1 for zero.
float sign_factor(float v) {
    return v < 0.0f ? -1.0f : 1.0f;
}

} // namespace

RegionPoints offset_region_points(const OffsetRegionInputs& in) {
    // Direction and length of the mean offset.
    const float OFFRAD = GETANG(in.XC, in.YC);
    const float COSDEL = std::cos(OFFRAD - in.VESANG);
    const float SINOFF = std::sin(OFFRAD);
    const float COSOFF = std::cos(OFFRAD);
    const float TANOFF = std::tan(OFFRAD);
    const float REQLBM = std::sqrt(in.XC * in.XC + in.YC * in.YC);

    // The high-frequency sway-yaw term across the offset; the along-offset limits.
    const float HSYOUT = COSDEL * in.YAWARM * in.HISWYW;
    const float NETINP = in.LEGACY ? in.SURGP : -in.SURGP;
    const float NETINM = in.LEGACY ? in.SURGM : -in.SURGM;

    // Across-offset half-width and yaw excursion.
    float NETOUT = 0.0f;
    float NETYAW = 0.0f;
    if (in.LFINDEX == in.IPEAK && in.LEGACY) {
        const float t = in.HISWYW != 0.0f ? HSYOUT * in.HSYSIG / in.HISWYW : HSYOUT;
        NETOUT = in.LOSWYW * REQLBM + in.YAW_COR_FAC * std::copysign(std::fabs(t), in.LOSWYW);
        NETYAW = in.YAW_COR_FAC * std::fabs(in.HSYSIG) + std::fabs(in.LOSWYW);
    } else if (in.LEGACY) {
        NETOUT = std::sqrt((in.LOSWYW * REQLBM) * (in.LOSWYW * REQLBM) + HSYOUT * HSYOUT);
        NETYAW = std::sqrt(in.LOSWYW * in.LOSWYW + in.HISWYW * in.HISWYW);
    } else {
        NETOUT = in.LOSWYW;
        NETYAW = in.HISWYW;
    }

    // The four points in the region's own axes (u along the offset, v across it).
    float u[4] = {};
    float v[4] = {};
    if (in.ELIPSM == 0) {
        const float uu[4] = {NETINP, NETINP, NETINM, NETINM};
        const float vv[4] = {NETOUT, -NETOUT, NETOUT, -NETOUT};
        for (int k = 0; k < 4; ++k) {
            u[k] = uu[k];
            v[k] = vv[k];
        }
    } else {
        // The ellipse's points of extreme global Y (pair 1) and extreme global X (pair 2).
        const float L = NETINP - NETINM;
        const float M = 2.0f * NETOUT;
        const float T = TANOFF;
        const float XCP = (in.SURGP + in.SURGM) / 2.0f;
        float XPMAX1 = 0.0f, YPMAX1 = 0.0f, XPMAX2 = 0.0f, YPMAX2 = 0.0f;
        bool general = T != 0.0f && M != 0.0f && std::isfinite(T);
        if (general) {
            const float ROOTF1 = std::sqrt((T * L / M) * (T * L / M) + 1.0f);
            const float ROOTF2 = std::sqrt((L / (T * M)) * (L / (T * M)) + 1.0f);
            XPMAX1 = -(L * L * T / 2.0f) / (M * ROOTF1);
            YPMAX1 = -(M / 2.0f) / ROOTF1;
            XPMAX2 = (L * L / 2.0f) / (T * M * ROOTF2);
            YPMAX2 = -(M / 2.0f) / ROOTF2;
            general = std::isfinite(ROOTF1) && std::isfinite(ROOTF2);
        }
        if (!general) {
            // Along global X (the tangent 0) or with no width (M = 0) the formulas above
            // divide by zero. The same points written with the cosine and sine of the offset
            // direction have no division but by the ellipse's own size, and they are the
            // limits of the formulas above as the tangent goes to 0 from above (or the width
            // to 0): along X the ends of the axes, (XCP +/- L/2, 0) and (XCP, +/- M/2).
            const float a = L / 2.0f;
            const float b = M / 2.0f;
            const float c = COSOFF;
            const float s = SINOFF;
            const float sb = sign_factor(b);
            const float st = sign_factor(s) * sign_factor(c);
            const float D1 = std::sqrt(a * a * s * s + b * b * c * c);
            const float D2 = std::sqrt(a * a * c * c + b * b * s * s);
            if (D1 > 0.0f) {
                XPMAX1 = -sb * sign_factor(c) * a * a * s / D1;
                YPMAX1 = -b * std::fabs(b) * std::fabs(c) / D1;
            }
            if (D2 > 0.0f) {
                XPMAX2 = a * a * st * sb * std::fabs(c) / D2;
                YPMAX2 = -b * std::fabs(b) * std::fabs(s) / D2;
            }
        }
        const float uu[4] = {XCP + XPMAX1, XCP - XPMAX1, XCP + XPMAX2, XCP - XPMAX2};
        const float vv[4] = {YPMAX1, -YPMAX1, YPMAX2, -YPMAX2};
        for (int k = 0; k < 4; ++k) {
            u[k] = uu[k];
            v[k] = vv[k];
        }
    }

    RegionPoints points;
    points.NETYAW = NETYAW;
    const float c = COSOFF;
    const float s = SINOFF;
    for (int k = 0; k < 4; ++k) {
        points.XPOINT[k] = in.XC + u[k] * c - v[k] * s;
        points.YPOINT[k] = in.YC + u[k] * s + v[k] * c;
    }
    return points;
}

OffsetRegion GLOB_XY(const OffsetRegionInputs& in) {
    const RegionPoints points = offset_region_points(in);
    OffsetRegion region;
    // Yaw extremes.
    region.YAWMAXQ = in.VESANG + points.NETYAW;
    region.YAWMINQ = in.VESANG - points.NETYAW;
    // Corners of the four points.
    GET_CORNERS(in.VESANG, points.NETYAW, points.XPOINT, points.YPOINT, 4, region.XMAX, region.YMAX,
                region.XMIN, region.YMIN, region.XMAXQ, region.YMAXQ, region.XMINQ, region.YMINQ);
    return region;
}

int snapshot_column(std::int32_t LFINDEX, std::int32_t XYINDEX, std::int32_t PMINDEX) {
    LINTAR_ASSERT(LFINDEX >= 1 && LFINDEX <= 3, "snapshot level out of 1..3");
    // clang-format off
    //                          XY 1, PM 1   XY 1, other   other, PM 1   other, other
    static constexpr int columns[3][4] = {{9, 10, 5, 6},
                                          {11, 12, 7, 8},
                                          {1, 3, 2, 4}};
    // clang-format on
    const int kind = (XYINDEX == 1 ? 0 : 2) + (PMINDEX == 1 ? 0 : 1);
    return columns[slot(LFINDEX)][kind];
}

void LOADVF(std::span<float, snapshot_loads * snapshot_columns> ARRAY,
            std::span<const float, 9> ROTVES, float VESANG, std::int32_t LFINDEX,
            std::int32_t XYINDEX, std::int32_t PMINDEX, float F1, float F2, float F3, float F4,
            float F5, float F6) {
    const int column = snapshot_column(LFINDEX, XYINDEX, PMINDEX);
    // Global to vessel axes: the transpose of the vessel-to-global rotation.
    float R[4];
    V_G_ROTMAT(R, VESANG);
    const float force[3] = {R[0] * F1 + R[1] * F2, R[2] * F1 + R[3] * F2, F3};
    const float moment[3] = {F4, F5, F6};
    float force_body[3];
    float moment_body[3];
    GTPRD(ROTVES, force, force_body, 3, 3, 1);
    GTPRD(ROTVES, moment, moment_body, 3, 3, 1);
    const std::size_t first = snapshot_loads * slot(column);
    for (std::size_t i = 0; i < 3; ++i) {
        ARRAY[first + i] = force_body[i];
        ARRAY[first + 3 + i] = moment_body[i];
    }
}

namespace {

// Word w of the low-frequency mode record g (1 surge, 2 sway, 3 yaw, 4 roll, 5 pitch): word 2
// is the mode's frequency, word 23 its mass term.
float mode_word(int w, int g) {
    return EQUILB.LFSTAT(w, g);
}
constexpr int frequency_word = 2;
constexpr int mass_word = 23;

// The EQUILB and ERGCOM words the six-degree-of-freedom solver leaves at its last iterate: a
// trial offset's solve must not move the equilibrium, so they are put back when the solve
// ends, or when it stops.
struct EquilibriumWordsKept {
    ScopeRestore<float> RVES1{EQUILB.RVES(1)}, YCGVAR{EQUILB.YCGVAR()}, VESANG{EQUILB.VESANG()};
    ScopeRestore<float> ZCGVAR{EQUILB.ZCGVAR}, ROTVAL{EQUILB.ROTVAL}, ROTMOD{EQUILB.ROTMOD};
    ScopeRestore<float[3]> ROTDIR{EQUILB.ROTDIR_words};
    ScopeRestore<float> PITOFF{ERGCOM.PITOFF}, ROLOFF{ERGCOM.ROLOFF}, YAWOFF{ERGCOM.YAWOFF};
};

} // namespace

void XVECUPD(std::span<float, 4> RVESQ, std::span<float, 6> XVECQ, float& ZLEVL,
             std::span<float, 3> ROTDRQ, float& ROTVLQ, float& ROTMDQ) {
    EquilbBlock& Q = EQUILB;
    const TpcmBlock& T = TPCM;
    const std::span<const float, 2> trial(RVESQ.data(), 2);
    const std::array<float, 2> mean = {Q.RVES(1), Q.YCGVAR()};
    const float to_modes = -Q.VESANG() - Q.MODE_ROT_ANG;

    // The offset from the equilibrium, horizontal pair in the modes' frame.
    float D_X = RVESQ[0] - Q.RVES(1);
    float D_Y = RVESQ[1] - Q.YCGVAR();
    float D_YAW = RVESQ[2] - Q.VESANG();
    ROT2D(D_X, D_Y, to_modes);

    // The set-down and the angles the offset pulls along.
    const float D_Z = ZPULLDOWN(trial, Q.DZDRPUL2, Q.DZDRPUL4) - Q.ZCGVAR;
    const float D_ROLL_G = ANGLEPULL(trial, mean, Q.DXDXPUL(4), Q.DXDYPUL(4));
    const float D_PITCH_G = ANGLEPULL(trial, mean, Q.DXDXPUL(5), Q.DXDYPUL(5));
    float D_ROLL = D_ROLL_G;
    float D_PITCH = D_PITCH_G;
    ROT2D(D_ROLL, D_PITCH, to_modes);
    D_YAW += ANGLEPULL(trial, mean, Q.DXDXPUL(6), Q.DXDYPUL(6));

    const std::array<float, 6> start = {RVESQ[0],
                                        RVESQ[1],
                                        Q.ZCGVAR + D_Z,
                                        Q.XVECTK(4) + D_ROLL_G,
                                        Q.XVECTK(5) + D_PITCH_G,
                                        Q.XVECTK(6) + D_YAW};
    if (T.SIMTYP == 14) {
        // The tension-leg platform: the modes' restoring of the offset as an initial load.
        const float WSURG = mode_word(frequency_word, 1);
        const float WSWAY = mode_word(frequency_word, 2);
        const float EMSURG = mode_word(mass_word, 1);
        std::array<float, 6> F_INIT{};
        F_INIT[0] = WSURG * WSURG * EMSURG * D_X;
        F_INIT[1] = WSWAY * WSWAY * mode_word(mass_word, 2) * D_Y;
        // The effective frequency of the horizontal pair; without an offset, or without a surge
        // mass term to divide by, the geometric mean of the two frequencies.
        const float offset_mass = std::hypot(D_X, D_Y) * EMSURG;
        const float WLF_EFF = offset_mass > 0.0f
                                  ? std::sqrt(std::hypot(F_INIT[0], F_INIT[1]) / offset_mass)
                                  : std::sqrt(WSURG * WSWAY);
        Q.WLF_EFF = WLF_EFF;
        ROT2D(F_INIT[0], F_INIT[1], -to_modes);
        F_INIT[2] = WLF_EFF * WLF_EFF * EMSURG * D_Z;
        F_INIT[3] = WSWAY * WSWAY * mode_word(mass_word, 4) * D_ROLL;
        F_INIT[4] = WSURG * WSURG * mode_word(mass_word, 5) * D_PITCH;
        ROT2D(F_INIT[3], F_INIT[4], -to_modes);
        F_INIT[5] = WLF_EFF * WLF_EFF * mode_word(mass_word, 3) * D_YAW;

        std::array<float, 6> XVEC{};
        {
            const EquilibriumWordsKept kept;
            float PITOFF = 0.0f, ROLOFF = 0.0f, YAWOFF = 0.0f;
            EQFND3(true, start, F_INIT, true, XVEC, PITOFF, ROLOFF, YAWOFF, false, false);
        }
        std::copy(XVEC.begin(), XVEC.end(), XVECQ.begin());
        RVESQ[0] = XVECQ[0];
        RVESQ[1] = XVECQ[1];
        RVESQ[2] = XVECQ[5] + T.VESAN0;
        RVESQ[3] = XVECQ[2];
    } else if (T.SIMTYP == 17) {
        // The spar follows the trial offset with the pulled angles.
        std::copy(start.begin(), start.end(), XVECQ.begin());
    }

    // The heave and the rotation as axis and angle.
    ZLEVL = XVECQ[2];
    ROTVLQ = std::sqrt(XVECQ[3] * XVECQ[3] + XVECQ[4] * XVECQ[4] + XVECQ[5] * XVECQ[5]);
    if (ROTVLQ == 0.0f) {
        ROTDRQ[0] = 1.0f;
        ROTDRQ[1] = 0.0f;
        ROTDRQ[2] = 0.0f;
    } else {
        for (std::size_t i = 0; i < 3; ++i)
            ROTDRQ[i] = std::clamp(XVECQ[3 + i] / ROTVLQ, -1.0f, 1.0f);
    }
    ROTVLQ *= degrees_per_radian;
    ROTMDQ = 1.0f;
}

} // namespace lintar
