// Tests of the member-drag preparation: the Gaussian moments of the drag law against direct
// expectations over a normal variable, the relative-motion transfer functions against complex
// arithmetic, the factors of a still member in deep water against their depth integrals, and
// the drift coefficient along the energy flux against the kinematics of waves on a current.
#include "environment/drag_preparation.h"

#include "blocks/curprof.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/reflection_and_slow_drift.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"
#include "util/spectral_moments.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <functional>

namespace lintar {
namespace {

using testing::pi;

// The expectation of g(xi) over a standard normal variable, by Simpson's rule on [-12, 12]
// with the breaks of the drag law at xi = -M as a node.
double expectation(const std::function<double(double)>& g, double M) {
    const auto f = [&](double x) { return g(x) * std::exp(-x * x / 2.0) / std::sqrt(2.0 * pi); };
    const auto simpson = [&](double a, double b, int n) {
        const double h = (b - a) / n;
        double s = f(a) + f(b);
        for (int i = 1; i < n; ++i)
            s += (i % 2 == 1 ? 4.0 : 2.0) * f(a + i * h);
        return s * h / 3.0;
    };
    const double brk = std::clamp(-M, -12.0, 12.0);
    return simpson(-12.0, brk, 20000) + simpson(brk, 12.0, 20000);
}

TEST(DragPreparation, GaussianMomentsOfTheDragLaw) {
    // sqrt(2 pi) x: I0 = E[X|X|] - M|M|, I1 = E[X|X| xi], I2 = E[X|X| xi^2] - M|M|,
    // IP0 = E[X|X|] - E[sign X] - M|M|, X = M + xi. With many points the rule's error function
    // is the textbook one to 1e-4.
    const double s = std::sqrt(2.0 * pi);
    for (const float M : {-3.0f, -0.5f, 0.0f, 0.7f, 2.0f, 7.9f}) {
        SCOPED_TRACE(M);
        const double m = M;
        const auto f = [m](double x) { return (m + x) * std::abs(m + x); };
        const double mm = m * std::abs(m);
        float I0 = 0, I1 = 0, I2 = 0, IP0 = 0;
        ISUB_N_GET(I0, I1, I2, IP0, M, 20001);
        const double tol = 2e-4 * (1.0 + std::abs(mm));
        EXPECT_NEAR(I0, s * (expectation(f, m) - mm), s * tol);
        EXPECT_NEAR(I1, s * expectation([&](double x) { return f(x) * x; }, m), s * tol);
        EXPECT_NEAR(I2, s * (expectation([&](double x) { return f(x) * x * x; }, m) - mm), s * tol);
        const double sign = expectation([m](double x) { return m + x >= 0.0 ? 1.0 : -1.0; }, m);
        EXPECT_NEAR(IP0, s * (expectation(f, m) - sign - mm), s * tol);
    }
    // Beyond |M| = 8: the limits.
    for (const float M : {8.5f, -20.0f, 1e6f}) {
        SCOPED_TRACE(M);
        float I0 = 0, I1 = 0, I2 = 0, IP0 = -1;
        ISUB_N_GET(I0, I1, I2, IP0, M, 27);
        const float sgn = M > 0 ? 1.0f : -1.0f;
        EXPECT_EQ(IP0, 0.0f);
        EXPECT_FLOAT_EQ(I0, sgn * 2.5066283f);
        EXPECT_FLOAT_EQ(I2, sgn * 7.5198849f);
        EXPECT_FLOAT_EQ(I1, 2.0f * std::abs(M) * 2.5066283f);
    }
}

TEST(DragPreparation, RelativeMotionTransferFunctions) {
    const float K = 0.04f, XCOL = 12.0f, Z1 = -3.0f, Z2 = -11.0f;
    const float R1 = 0.6f, P1 = 0.4f, R2 = 0.3f, P2 = -1.1f;
    const std::complex<double> i(0.0, 1.0);
    const auto u = [&](double Z, double R, double P) {
        return std::exp(K * Z) - i * R * std::exp(i * (P + K * XCOL));
    };
    const std::complex<double> u1 = u(Z1, R1, P1), u2 = u(Z2, R2, P2);
    const double cross = std::norm(u1 * std::conj(u2));
    EXPECT_NEAR(RAOFUN_Z(K, XCOL, Z1, Z2, R1, P1, R2, P2), cross, 1e-6 * cross);
    // The one-motion form is the two-motion form with the same motion at both depths.
    EXPECT_NEAR(RAOFUN(K, XCOL, Z1, Z2, R1, P1), RAOFUN_Z(K, XCOL, Z1, Z2, R1, P1, R1, P1), 1e-6f);
    // The relative motion is the real part of u.
    EXPECT_NEAR(REL_RAO(K, Z1, XCOL, R1, P1), std::real(u1), 1e-6);
}

// A deep-water sea (depth 1000 m) on a 31-period grid of 4 to 19 s, a Pierson-Moskowitz-like
// spectrum of 10 s peak, a member of 20 m draft that does not move.
class StillMember : public ::testing::Test {
protected:
    void SetUp() override {
        reset_program_state();
        testing::set_period_grid(4.0f, 0.5f, 31, 9.8f);
        TPCM.NUNTS = 1;
        TPCM.DRAFT = 20.0f;
        TPCM.DEPTH = 1000.0f;
        TPCM.CURSPD = 0.0f;
        CURPROF.NCURNTPF = 0;
        const double wp = 2.0 * pi / 10.0;
        for (int k = 1; k <= 31; ++k) {
            const double w = WAVCOM.W(k);
            WAVCOM.WVK(k) = static_cast<float>(w * w / 9.8);
            PSD[static_cast<std::size_t>(k - 1)] =
                static_cast<float>(5.0 / std::pow(w, 5.0) * std::exp(-1.25 * std::pow(wp / w, 4)));
        }
        float VARDOT = 0;
        SMPINT(PSD, VARWV, VARDOT);
        setting.SIG0WV = std::sqrt(VARWV);
    }
    void TearDown() override { reset_program_state(); }

    // Prepares the member with the drift coefficient c at the flux angle theta at every
    // frequency.
    MemberDragFactors prepare(std::int32_t LVARST, float WC, std::int32_t& NDEPTHQ, float c = 0.0f,
                              float theta = 0.0f) {
        MemberDragFactors out;
        prepare_member_drag(
            WC, out, LVARST, PSD, H, A, setting, NDEPTHQ,
            [&](std::int32_t, const MemberDragSetting&, float& DRFTC_TOT, float& FLUXANG_TO_WVK) {
                DRFTC_TOT = c;
                FLUXANG_TO_WVK = theta;
            });
        return out;
    }

    // The spectrum PSD(k) x f(k), and its zeroth moment.
    std::array<float, 100> weighted(const std::function<double(int)>& f) const {
        std::array<float, 100> P{};
        for (int k = 1; k <= 31; ++k)
            P[static_cast<std::size_t>(k - 1)] =
                static_cast<float>(PSD[static_cast<std::size_t>(k - 1)] * f(k));
        return P;
    }
    static float moment(const std::array<float, 100>& P) {
        float VAR = 0, VARDOT = 0;
        SMPINT(P, VAR, VARDOT);
        return VAR;
    }
    // omega^2 times the depth integral of e^(2 k z) over the draft D: (1 - e^(-2 k D)) / (2 k).
    static double velocity_depth_integral(int k) {
        const double K = WAVCOM.WVK(k);
        return WAVCOM.W2(k) * (1.0 - std::exp(-2.0 * K * 20.0)) / (2.0 * K);
    }

    std::array<float, 100> PSD{};
    std::array<std::complex<float>, 100> H{}, A{};
    MemberDragSetting setting;
    float VARWV = 0.0f;
};

TEST_F(StillMember, WithoutCurrentOnlyTheWaveZoneDrags) {
    std::int32_t NDEPTHQ = 11;
    const MemberDragFactors f = prepare(0, 0.0f, NDEPTHQ);
    EXPECT_EQ(f.FSUB, 0.0f);
    // The surface relative velocity is the wave velocity: sigma^2 = m2 of the sea, and its
    // correlation with the elevation m1 / sqrt(m0 m2); with no current the Gaussian factor of
    // the wave zone is 2.
    const float m1 = moment(weighted([](int k) { return WAVCOM.W(k); }));
    const float m2 = moment(weighted([](int k) { return WAVCOM.W2(k); }));
    EXPECT_NEAR(f.VS_COR, m1 / std::sqrt(VARWV * m2), 1e-5f);
    EXPECT_NEAR(f.FSURF, m2 * setting.SIG0WV * 2.0f * f.VS_COR * 2.0f / 2.5066283f,
                1e-5f * f.FSURF);
    EXPECT_EQ(f.SFX_BB, 0.0f); // mean mode: no correlation factors
}

TEST_F(StillMember, StrongCurrentDragIsTheVelocityVarianceOverTheDraft) {
    // With a current far above the wave velocity, E[(V + u)|V + u|] - V|V| = E[u^2]: the
    // submerged factor is the integral over the draft of the relative-velocity variance, for a
    // still member in deep water m0 of omega^2 S (1 - e^(-2 k D)) / (2 k). 40 depth points are
    // lowered to 31.
    TPCM.CURSPD = 200.0f;
    std::int32_t NDEPTHQ = 40;
    const MemberDragFactors f = prepare(1, 0.0f, NDEPTHQ);
    EXPECT_EQ(NDEPTHQ, 31);
    const auto E = weighted(velocity_depth_integral);
    const float integral = moment(E);
    EXPECT_NEAR(f.FSUB, integral, 2e-4f * integral);
    // The submerged drag correlates with itself as 2 x the square of that integral spectrum
    // (at WC = 0 the group value is the integral of the squared spectrum).
    float WC = 0.0f, G = 0, GD = 0, V1 = 0, V2 = 0;
    GET_GVAR(WC, WAVCOM.W_words, TPCM.NWP, E, G, GD, V1, V2);
    EXPECT_NEAR(f.SFX_BB, 2.0f * G, 5e-4f * 2.0f * G);
}

TEST_F(StillMember, DriftAlongAndAcrossTheFlux) {
    std::int32_t NDEPTHQ = 11;
    const float c = 0.8f, theta = 0.3f;
    const MemberDragFactors f = prepare(1, 0.02f, NDEPTHQ, c, theta);
    EXPECT_NEAR(f.FWDRFT_PAR, c * std::cos(theta) * VARWV, 1e-5f * VARWV);
    EXPECT_NEAR(f.FWDRFT_PRP, c * std::sin(theta) * VARWV, 1e-5f * VARWV);
    EXPECT_NEAR(f.FLXANG_AVG, theta, 1e-5f);
    // The drift correlation is the group value of the drift spectrum along the flux.
    float WC = 0.02f, G = 0, GD = 0, V1 = 0, V2 = 0;
    GET_GVAR(WC, WAVCOM.W_words, TPCM.NWP, PSD, G, GD, V1, V2);
    const float along = c * std::cos(theta);
    EXPECT_NEAR(f.SFX_WD, along * along * G, 1e-5f * along * along * G);
}

TEST_F(StillMember, NoRelativeVelocityAtTheSurface) {
    // A member moving with the wave particle at the surface (R 1, phase -90 degrees) sees no
    // relative velocity there: the ratio to the current is taken as infinite with a current and as
    // 0 without, the correlation VS_COR as 0, and every factor is finite.
    for (auto& h : H)
        h = {0.0f, -1.0f};
    for (const float current : {0.0f, 1.5f}) {
        SCOPED_TRACE(current);
        TPCM.CURSPD = current;
        std::int32_t NDEPTHQ = 11;
        const MemberDragFactors f = prepare(1, 0.01f, NDEPTHQ, 0.5f, 0.2f);
        EXPECT_EQ(f.VS_COR, 0.0f);
        EXPECT_EQ(f.FSURF, 0.0f);
        for (const float v : {f.FSUB, f.SFX_RR, f.SFX_BB, f.SFX_WD, f.SFX_BR, f.SFX_WB, f.SFX_WR})
            EXPECT_TRUE(std::isfinite(v));
        EXPECT_EQ(f.SFX_RR, 0.0f);
    }
}

TEST_F(StillMember, ASeaOfNoEnergyGivesZeroFactors) {
    PSD.fill(0.0f);
    setting.SIG0WV = 0.0f;
    TPCM.CURSPD = 1.0f;
    std::int32_t NDEPTHQ = 11;
    const MemberDragFactors f = prepare(1, 0.01f, NDEPTHQ, 0.5f, 0.2f);
    for (const float v : {f.FSURF, f.FSUB, f.FWDRFT_PAR, f.FWDRFT_PRP, f.VS_COR, f.SFX_RR, f.SFX_BB,
                          f.SFX_WD, f.SFX_BR, f.SFX_WB, f.SFX_WR})
        EXPECT_EQ(v, 0.0f);
}

// The drift coefficient along the energy flux, read from a user table whose surge coefficient
// is the frequency itself (so the value shows the frequency it was read at), on a current of
// 2 knots, U = 1.0284 m/s, in deep water.
class AlignedDriftCoefficient : public StillMember {
protected:
    void SetUp() override {
        StillMember::SetUp();
        TPCM.EDUNIT = screen_unit;
        TPCM.LCURNT = 1;
        TPCM.CURSPD = 2.0f;
        std::string table = "25 2\n";
        for (const char* heading : {"0\n", "360\n"}) {
            table += heading;
            for (int i = 1; i <= 25; ++i)
                table += std::to_string(0.1 * i) + " " + std::to_string(0.1 * i) + " 0 0\n";
        }
        folder.write("DRFTCOFS.txt", table);
    }
    // The coefficient and flux angle at grid frequency IW for the current at angle theta to the
    // waves.
    std::array<float, 2> aligned(std::int32_t IW, double theta, std::int32_t DOUSER = 1) {
        float c = -1.0f, angle = -1.0f;
        DFC_ALIGN(c, angle, IW, DOUSER, "DRFTCOFS.txt ", static_cast<float>(std::cos(theta)),
                  static_cast<float>(std::sin(theta)), 0.4f, "DRAGF ", 1);
        return {c, angle};
    }
    static constexpr double U = 2.0 * 0.5142;
    static constexpr double g = 9.8;
    testing::ScriptedConsole console{""};
    testing::ScratchFolder folder;
};

TEST_F(AlignedDriftCoefficient, FollowingCurrentStretchesTheWaveAndAmplifiesTheFlux) {
    // On a current U along the waves the wave number solves (w - U k)^2 = g k, in deep water
    // sqrt(k) = (sqrt(g + 4 U w) - sqrt(g)) / (2 U); the intrinsic frequency is sigma = sqrt(g k),
    // the energy travels at cg + U with cg = g / (2 sigma), and the flux is amplified by
    // ((cg + U) / cg)^2. With the current's correction (CURCOR) the table is read at sigma,
    // without it at w; the flux stays along the waves. The first call after a reset already has
    // its group-speed factor (1 in deep water): none is left over from an earlier call.
    for (const std::int32_t CURCOR : {1, 0}) {
        TPCM.CURCOR = CURCOR;
        for (const std::int32_t IW : {1, 9, 31}) {
            SCOPED_TRACE(::testing::Message() << "CURCOR " << CURCOR << " IW " << IW);
            const double w = WAVCOM.W(IW);
            const double root = (std::sqrt(g + 4.0 * U * w) - std::sqrt(g)) / (2.0 * U);
            const double sigma = std::sqrt(g * root * root);
            const double cg = g / (2.0 * sigma);
            const double amplification = (cg + U) * (cg + U) / (cg * cg);
            const auto [c, angle] = aligned(IW, 0.0);
            const double expected = (CURCOR == 1 ? sigma : w) * amplification;
            EXPECT_NEAR(c, expected, 2e-4 * expected);
            EXPECT_NEAR(std::cos(angle), 1.0, 1e-6);
        }
    }
}

TEST_F(AlignedDriftCoefficient, CrossCurrentTurnsTheFlux) {
    // A current across the waves leaves the wave number and frequency alone; the energy travels
    // at cg along the waves plus U across, so the flux turns by atan(U / cg) towards the current
    // and is amplified by (cg^2 + U^2) / cg^2. Without current the table is read at w, the flux
    // along the waves.
    for (const std::int32_t IW : {1, 9, 31}) {
        SCOPED_TRACE(IW);
        const double w = WAVCOM.W(IW);
        const double cg = g / (2.0 * w);
        TPCM.LCURNT = 1;
        const auto [c, angle] = aligned(IW, pi / 2.0);
        EXPECT_NEAR(c, w * (cg * cg + U * U) / (cg * cg), 2e-4 * w * (cg * cg + U * U) / (cg * cg));
        EXPECT_NEAR(angle, std::atan2(U, cg), 2e-5);
        TPCM.LCURNT = 0;
        const auto [still, still_angle] = aligned(IW, pi / 2.0);
        EXPECT_NEAR(still, w, 1e-5 * w);
        EXPECT_EQ(still_angle, 0.0f);
    }
}

TEST_F(AlignedDriftCoefficient, AWaveStoppedByTheCurrentCarriesNoDrift) {
    // Against a current of 4 knots (2.06 m/s) a deep-water wave is blocked where U > g / (4 w):
    // the 4 s wave (w 1.571, limit 1.56 m/s) cannot run, the 19 s wave (limit 7.4 m/s) can.
    TPCM.CURSPD = 4.0f;
    EXPECT_EQ(aligned(1, pi)[0], 0.0f);
    const auto open = aligned(31, pi);
    EXPECT_GT(open[0], 0.0f);
    EXPECT_TRUE(std::isfinite(open[1]));
}

TEST_F(AlignedDriftCoefficient, ColumnDriftInWaterOfFiniteDepth) {
    // The built-in column: a vertical cylinder whose radius (half the mean waterline value) is
    // so large against the wave length that its drift is the short-wave limit
    // 2/3 (1 - e^(-2 k D)) (the reflection of a circle); scaled by the square root of the
    // member's response (by the response itself with LEG_CYL_DFC) and by the ratio of group to
    // deep-water speed 1 + 2 k d / sinh(2 k d). Depth 60 m, no current; the grid's wave numbers
    // solve w^2 = g k tanh(k d).
    TPCM.LCURNT = 0;
    TPCM.DEPTH = 60.0f;
    PASCOM.MENWLX = PASCOM.MENWLY = 20000.0f;
    std::array<double, 32> k{};
    for (int IW = 1; IW <= 31; ++IW) {
        const double w = WAVCOM.W(IW);
        double x = w * w / g;
        for (int it = 0; it < 100; ++it) {
            const double t = std::tanh(x * 60.0);
            const double f = g * x * t - w * w;
            const double df = g * t + g * x * 60.0 * (1.0 - t * t);
            x -= f / df;
        }
        k[static_cast<std::size_t>(IW)] = x;
        WAVCOM.WVK(IW) = static_cast<float>(x);
        PASCOM.RLRAOH2(IW, 2) = static_cast<float>(std::pow(0.3 + 0.02 * IW, 2));
    }
    for (const std::int32_t legacy : {0, 1}) {
        TPCM.LEG_CYL_DFC = legacy;
        for (const std::int32_t IW : {1, 12, 31}) {
            SCOPED_TRACE(::testing::Message() << "LEG_CYL_DFC " << legacy << " IW " << IW);
            const double K = k[static_cast<std::size_t>(IW)];
            const double response = legacy ? std::pow(0.3 + 0.02 * IW, 2) : 0.3 + 0.02 * IW;
            const double expected = 2.0 / 3.0 * (1.0 - std::exp(-2.0 * K * 20.0)) * response *
                                    (1.0 + 2.0 * K * 60.0 / std::sinh(2.0 * K * 60.0));
            float c = 0, angle = 0;
            DFC_ALIGN(c, angle, IW, 0, "Not Defined  ", 1.0f, 0.0f, 0.4f, "DRAGF ", 2);
            EXPECT_NEAR(c, expected, 5e-4 * expected);
        }
    }
}

TEST_F(AlignedDriftCoefficient, PreparationOverTheAlignedDrift) {
    // G_FRC_PREP takes the drift from DFC_ALIGN: on a current across the waves the mean drift
    // turns with the flux, the more the shorter the wave; 40 depth points are lowered to 31.
    setting.DOUSER = 1;
    setting.USERDAT = "DRFTCOFS.txt ";
    setting.COSTHETACW = 0.0f;
    setting.SINTHETACW = 1.0f;
    std::int32_t NDEPTHQ = 40;
    float WC = 0.02f;
    MemberDragFactors f;
    G_FRC_PREP(WC, f, 1, PSD, H, A, setting, NDEPTHQ);
    EXPECT_EQ(NDEPTHQ, 31);
    EXPECT_GT(f.FWDRFT_PAR, 0.0f);
    EXPECT_GT(f.FWDRFT_PRP, 0.0f);
    // The mean turn lies between those of the longest and the shortest waves.
    const auto turn = [](std::int32_t IW) { return std::atan2(U, g / (2.0 * WAVCOM.W(IW))); };
    EXPECT_GT(f.FLXANG_AVG, turn(31));
    EXPECT_LT(f.FLXANG_AVG, turn(1));
    for (const float v :
         {f.FSURF, f.FSUB, f.SFX_RR, f.SFX_BB, f.SFX_WD, f.SFX_BR, f.SFX_WB, f.SFX_WR, f.VS_COR})
        EXPECT_TRUE(std::isfinite(v));
}

} // namespace
} // namespace lintar
