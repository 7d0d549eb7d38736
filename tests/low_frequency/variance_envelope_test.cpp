// Tests of the directional variance envelope against the eigen-decomposition of the 2 x 2
// covariance of independent components, and of its component tables and failure rule.
//
// Independent components of variance V_i along directions phi_i give the variance
// R(t) = sum V_i cos^2(t - phi_i) along t, the quadratic form of the covariance
// [sum V cos^2, sum V cos sin; sum V cos sin, sum V sin^2]. Its largest value
// (sum V + sqrt(C^2 + S^2)) / 2, C = sum V cos 2 phi, S = sum V sin 2 phi, lies along the
// leading eigenvector, at t0 = atan2(S, C) / 2 (modulo pi).
#include "blocks/equilb.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/temp_get_ang.h"
#include "blocks/tpcm.h"
#include "low_frequency/variance_envelope.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace lintar {
namespace {

using testing::run_until_stop;
using testing::ScriptedConsole;

constexpr double pi = std::numbers::pi;
constexpr double deg = pi / 180.0;
// The direction search stops at 1e-5 radians; float sums of a dozen terms add ~1e-6.
constexpr double angle_tol = 5e-5;

struct Component {
    double variance;
    double direction; // radians
};

// The eigenvector direction and largest eigenvalue of the components' covariance.
double principal_direction(const std::vector<Component>& cs) {
    double C = 0.0, S = 0.0;
    for (const auto& c : cs) {
        C += c.variance * std::cos(2.0 * c.direction);
        S += c.variance * std::sin(2.0 * c.direction);
    }
    return 0.5 * std::atan2(S, C);
}
double largest_variance(const std::vector<Component>& cs) {
    double sum = 0.0, C = 0.0, S = 0.0;
    for (const auto& c : cs) {
        sum += c.variance;
        C += c.variance * std::cos(2.0 * c.direction);
        S += c.variance * std::sin(2.0 * c.direction);
    }
    return 0.5 * (sum + std::hypot(C, S));
}

// Difference of two axis directions, modulo pi, in (-pi/2, pi/2].
double axis_difference(double a, double b) {
    return std::remainder(a - b, pi);
}

class VarianceEnvelope : public ::testing::Test {
protected:
    void SetUp() override {
        reset_program_state();
        TPCM.EDUNIT = 6;
    }

    // The sigma tables of XY_SIG_ROT2 for the components (entries 2 onwards; entry 1 the net
    // environment with variance `net`), so that component i has the given variance along its
    // direction: RMS_X = sigma |cos phi|, RMS_Y = sigma |sin phi|, PHIF_NM = phi.
    struct Tables {
        std::array<float, 13> x{}, y{}, phi{};
    };
    static Tables tables(const std::vector<Component>& cs, double net = 0.0) {
        Tables t;
        t.x[0] = static_cast<float>(std::sqrt(net));
        for (std::size_t i = 0; i < cs.size(); ++i) {
            const double sigma = std::sqrt(cs[i].variance);
            t.x[i + 1] = static_cast<float>(sigma * std::fabs(std::cos(cs[i].direction)));
            t.y[i + 1] = static_cast<float>(sigma * std::fabs(std::sin(cs[i].direction)));
            t.phi[i + 1] = static_cast<float>(cs[i].direction);
        }
        return t;
    }

    struct Envelope {
        float theta0 = 0.0f, parity = 0.0f;
        float gx_x = 0.0f, gy_x = 0.0f, gx_y = 0.0f, gy_y = 0.0f, gx_r = 0.0f, gy_r = 0.0f;
    };
    static Envelope envelope(const Tables& t, float frame_angle = 0.0f, bool plus = true,
                             float x_fac = 1.0f, float y_fac = 1.0f) {
        Envelope e;
        e.theta0 = XY_SIG_ROT2(e.gx_x, e.gy_x, e.gx_y, e.gy_y, e.gx_r, e.gy_r, e.parity,
                               frame_angle, t.x, t.y, t.phi, false, x_fac, y_fac, plus);
        return e;
    }
};

TEST_F(VarianceEnvelope, LargestVarianceLiesAlongTheLeadingEigenvector) {
    struct Case {
        const char* name;
        std::vector<Component> components;
        double direction; // expected, radians (modulo pi)
        double variance;  // expected largest variance
    };
    const std::vector<Case> cases = {
        {"one component at 30 degrees", {{1.0, 30 * deg}}, 30 * deg, 1.0},
        {"one component along y, no x part", {{1.0, 90 * deg}}, 90 * deg, 1.0},
        {"4 along x, 1 along y", {{4.0, 0.0}, {1.0, 90 * deg}}, 0.0, 4.0},
        {"1 along x, 4 along y", {{1.0, 0.0}, {4.0, 90 * deg}}, 90 * deg, 4.0},
        {"one component at 135 degrees", {{2.5, 135 * deg}}, 135 * deg, 2.5},
        {"one component at -60 degrees", {{0.7, -60 * deg}}, -60 * deg, 0.7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        reset_program_state();
        TPCM.EDUNIT = 6;
        const Envelope e = envelope(tables(c.components, 1.0));
        EXPECT_NEAR(axis_difference(e.theta0, c.direction), 0.0, angle_tol);
        EXPECT_NEAR(R_ENVELOPE(e.theta0), c.variance, 1e-5 * c.variance);
        // The closed forms agree with the hand values.
        EXPECT_NEAR(axis_difference(principal_direction(c.components), c.direction), 0.0, 1e-12);
        EXPECT_NEAR(largest_variance(c.components), c.variance, 1e-12);
    }
}

TEST_F(VarianceEnvelope, RandomSetsAgreeWithTheEigenvector) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> var(0.0, 5.0);
    std::uniform_real_distribution<double> dir(-pi, pi);
    std::uniform_int_distribution<int> count(1, 12);
    for (int trial = 0; trial < 200; ++trial) {
        SCOPED_TRACE(trial);
        std::vector<Component> cs(static_cast<std::size_t>(count(rng)));
        for (auto& c : cs)
            c = {var(rng), dir(rng)};
        const double want = principal_direction(cs);
        const double lmax = largest_variance(cs);
        // Nearly isotropic sets have no distinct direction; skip them.
        double sum = 0.0;
        for (const auto& c : cs)
            sum += c.variance;
        if (2.0 * lmax - sum < 1e-3 * sum)
            continue;
        reset_program_state();
        TPCM.EDUNIT = 6;
        const Envelope e = envelope(tables(cs, 1.0));
        EXPECT_NEAR(R_ENVELOPE(e.theta0), lmax, 2e-5 * lmax);
        // The angle is fixed only as well as the peak is sharp.
        EXPECT_NEAR(axis_difference(e.theta0, want), 0.0, 2e-3 * sum / (2.0 * lmax - sum));
        // The parity is the sign of the tangent of the direction.
        EXPECT_EQ(e.parity, std::tan(e.theta0) >= 0.0 ? 1.0f : -1.0f);
    }
}

TEST_F(VarianceEnvelope, FrameAngleTurnsTheDirectionButNotTheParity) {
    // Components in the normal-mode frame; the global frame lies XNM_TO_XGLOB_ANG ahead, so
    // the direction comes back less that angle and the parity is that of the frame direction.
    struct Case {
        double direction, frame, parity;
    };
    const Case cases[] = {{30 * deg, 0.2, 1.0}, {120 * deg, 0.2, -1.0}, {60 * deg, 0.5, 1.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.direction);
        reset_program_state();
        TPCM.EDUNIT = 6;
        const Envelope e = envelope(tables({{1.0, c.direction}}), static_cast<float>(c.frame));
        EXPECT_NEAR(axis_difference(e.theta0, c.direction - c.frame), 0.0, angle_tol);
        EXPECT_EQ(e.parity, static_cast<float>(std::tan(c.direction) >= 0 ? 1.0 : -1.0));
        EXPECT_EQ(e.parity, static_cast<float>(c.parity));
    }
}

TEST_F(VarianceEnvelope, CandidatesAreTheFarthestAndNearestCornersOfTheSigmaBox) {
    // sx = 3, sy = 4 (9 along x, 16 along y) around the mean position (10, -5): the corners
    // (13, -1), (13, -9), (7, -1), (7, -9) lie 170, 250, 50, 130 from the origin (squared).
    EQUILB.RVES(1) = 10.0f;
    EQUILB.YCGVAR() = -5.0f;
    const Tables t = tables({{9.0, 0.0}, {16.0, 90 * deg}});
    const Envelope plus = envelope(t, 0.0f, true);
    EXPECT_NEAR(plus.gx_x, 3.0f, 1e-5f);
    EXPECT_NEAR(plus.gy_x, -4.0f, 1e-5f);
    EXPECT_EQ(plus.gx_y, plus.gx_x);
    EXPECT_EQ(plus.gy_y, plus.gy_x);
    EXPECT_EQ(plus.gx_r, plus.gx_x);
    EXPECT_EQ(plus.gy_r, plus.gy_x);
    const Envelope minus = envelope(t, 0.0f, false);
    EXPECT_NEAR(minus.gx_x, -3.0f, 1e-5f);
    EXPECT_NEAR(minus.gy_x, 4.0f, 1e-5f);
    EXPECT_EQ(minus.gx_r, minus.gx_x);
    EXPECT_EQ(minus.gy_y, minus.gy_x);
    // The factors scale the sigmas: x by 2, y by 0.5 gives sx = 6, sy = 2; from (10, -5) the
    // farthest corner is (16, -7).
    const Envelope scaled = envelope(t, 0.0f, true, 2.0f, 0.5f);
    EXPECT_NEAR(scaled.gx_r, 6.0f, 1e-5f);
    EXPECT_NEAR(scaled.gy_r, -2.0f, 1e-5f);
}

TEST_F(VarianceEnvelope, NoLoadComponentsGiveADefinedDirectionWithoutStopping) {
    // Every source without variance: the x variance is 0 and the bracket choice would divide
    // by it. With a net variance above 0.001 a failed search would stop the run.
    ScriptedConsole console("\n");
    Tables t = tables({}, 5.0);
    Envelope e;
    const auto stop = run_until_stop([&] { e = envelope(t); });
    EXPECT_FALSE(stop.has_value());
    EXPECT_TRUE(std::isfinite(e.theta0));
    EXPECT_TRUE(e.parity == 1.0f || e.parity == -1.0f);
    EXPECT_EQ(e.gx_r, 0.0f);
    EXPECT_EQ(e.gy_r, 0.0f);
    EXPECT_EQ(console.screen(), "");
}

TEST_F(VarianceEnvelope, FailedSearchRule) {
    struct Case {
        const char* name;
        std::int32_t IER;
        float sx, sy, net;
        bool stops;
        float theta; // when it does not stop
    };
    const float last = 0.25f; // the finder's last value
    const Case cases[] = {
        {"no sign change, x sigma above 0.01", 2, 0.02f, 0.0f, 0.5f, false, 0.0f},
        {"no sign change, y sigma above 0.01", 2, 0.0f, 0.03f, 0.5f, false, 1.5707964f},
        {"no sign change, both", 2, 1.0f, 1.0f, 0.5f, false, 0.7853982f},
        {"no sign change, small sigmas, small net", 2, 0.005f, 0.005f, 0.001f, false, last},
        {"no sign change, net 0", 2, 1.0f, 1.0f, 0.0f, false, last},
        {"no convergence, small net", 1, 1.0f, 1.0f, 0.0005f, false, last},
        {"no convergence, net above 0.001", 1, 1.0f, 1.0f, 0.5f, true, 0.0f},
        {"no sign change, small sigmas, net above 0.001", 2, 0.005f, 0.01f, 0.002f, true, 0.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console("\n");
        float theta = -1.0f;
        const auto stop = run_until_stop(
            [&] { theta = settle_direction_search_failure(c.IER, last, c.sx, c.sy, c.net, 6); });
        if (c.stops) {
            ASSERT_TRUE(stop.has_value());
            EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
            EXPECT_EQ(console.screen(), " ++> IER = " + std::to_string(c.IER) +
                                            " in XY_SIG_ROT2.\n"
                                            " Please report this to Kelbrin.\n"
                                            " \n Press <RETURN> to continue: ");
        } else {
            EXPECT_FALSE(stop.has_value());
            EXPECT_NEAR(theta, c.theta, 1e-7f);
            EXPECT_EQ(console.screen(), "");
        }
    }
}

TEST_F(VarianceEnvelope, SortOrdersByDescendingKeyAndNeverExchangesEqualKeys) {
    struct Case {
        std::array<float, 4> keys;
        std::array<int, 4> order; // candidate numbers after the sort
    };
    const Case cases[] = {
        {{1, 1, 1, 1}, {1, 2, 3, 4}}, {{2, 3, 3, 1}, {2, 3, 1, 4}}, {{0, 5, 5, 0}, {2, 3, 1, 4}},
        {{5, 5, 1, 0}, {1, 2, 3, 4}}, {{1, 2, 3, 4}, {4, 3, 2, 1}}, {{3, 3, 4, 4}, {3, 4, 1, 2}},
        {{4, 1, 3, 2}, {1, 3, 4, 2}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.keys[0] << ' ' << c.keys[1] << ' ' << c.keys[2] << ' ' << c.keys[3]);
        std::array<EnvelopeCandidate, 4> cands{};
        for (int k = 0; k < 4; ++k) {
            const float n = static_cast<float>(k + 1);
            cands[static_cast<std::size_t>(k)] = {c.keys[static_cast<std::size_t>(k)], n, 10 * n,
                                                  100 * n, 1000 * n};
        }
        EnvelopeCandidate mx, mn;
        ENVELOPE_SORT1(cands, mx, mn);
        for (int k = 0; k < 4; ++k) {
            const auto& got = cands[static_cast<std::size_t>(k)];
            const float n = static_cast<float>(c.order[static_cast<std::size_t>(k)]);
            EXPECT_EQ(got.GX, n) << "position " << k + 1;
            // Every companion moves with its key.
            EXPECT_EQ(got.GY, 10 * n);
            EXPECT_EQ(got.DGX, 100 * n);
            EXPECT_EQ(got.DGY, 1000 * n);
            EXPECT_EQ(got.R, c.keys[static_cast<std::size_t>(c.order[k] - 1)]);
        }
        EXPECT_EQ(mx.GX, static_cast<float>(c.order[0]));
        EXPECT_EQ(mn.GX, static_cast<float>(c.order[3]));
    }
}

// Mode records: sigma of source s is word 12 + s of the surge (1), sway (2), yaw (3), roll
// (4) and pitch (5) records.
void set_sigmas(int s, float surge, float sway, float yaw, float roll, float pitch) {
    EQUILB.LFSTAT(12 + s, 1) = surge;
    EQUILB.LFSTAT(12 + s, 2) = sway;
    EQUILB.LFSTAT(12 + s, 3) = yaw;
    EQUILB.LFSTAT(12 + s, 4) = roll;
    EQUILB.LFSTAT(12 + s, 5) = pitch;
}

TEST_F(VarianceEnvelope, SigmasAreTheNamedWordsOfTheModeRecords) {
    // EGMSG(3) is VARWND (word 15), EGMSG(19) VR1UF1 (word 31), EGMSG(32) VARSWL_2 (word 44),
    // EGMSG(11) EMSURG (word 23); the other tables are the same words of their records.
    EQUILB.LFSTAT(15, 1) = 1.5f;
    EQUILB.LFSTAT(31, 2) = 2.5f;
    EQUILB.LFSTAT(44, 3) = 3.5f;
    EQUILB.LFSTAT(23, 4) = 4.5f;
    EQUILB.LFSTAT(45, 5) = 5.5f;
    EXPECT_EQ(lf_series(EGMSG, 3), 1.5f);
    EXPECT_EQ(lf_series(EGMLO, 19), 2.5f);
    EXPECT_EQ(lf_series(EGMHI, 32), 3.5f);
    EXPECT_EQ(lf_series(EGM4, 11), 4.5f);
    EXPECT_EQ(lf_series(EGM5, 33), 5.5f);
}

TEST_F(VarianceEnvelope, ComponentTablesFromTheLoadSplit) {
    EquilbBlock& E = EQUILB;
    E.VESANG() = 0.3f;
    E.MODE_ROT_ANG = 0.5f;
    E.FXENV = 3.0f;
    E.FYENV = 4.0f;
    E.SXWND = 0.0f;
    E.SYWND = -2.0f;
    E.SXSWDG2 = -1.0f;
    E.SYSWDG2 = 0.0f;
    LINCOM.FCURNT_LNS = 7.0f;
    LINCOM.CURF_ANG_LINS = 0.1f;
    // Auxiliary force 1 in vessel axes, force 2 in global axes (code 0), force 3 with code 5,
    // which has no meaning and is taken as global too.
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 1;
    TPCM.XVFRC = 0.0f;
    TPCM.YVFRC = 2.0f;
    TPCM.AXFC2 = 1;
    TPCM.CRDS2 = 0;
    TPCM.XVFRC2 = 1.0f;
    TPCM.YVFRC2 = 0.0f;
    TPCM.AXFC3 = 1;
    TPCM.CRDS3 = 5;
    TPCM.XVFRC3 = 0.0f;
    TPCM.YVFRC3 = -1.0f;
    set_sigmas(19, 1.0f, 2.0f, 3.0f, 0.0f, 0.0f);
    set_sigmas(20, 4.0f, 5.0f, 6.0f, 0.0f, 0.0f);
    set_sigmas(21, 7.0f, 8.0f, 9.0f, 0.0f, 0.0f);

    std::array<float, 13> mag{}, phiv{}, phinm{};
    std::array<float, 13> smtn, sylo, syhi;
    smtn.fill(-1.0f);
    sylo.fill(-2.0f);
    syhi.fill(-3.0f);
    GET_ENV_F_ARRAYS(mag, phiv, phinm, smtn, sylo, syhi);

    constexpr float tol = 1e-6f;
    EXPECT_NEAR(mag[0], 5.0f, tol);
    EXPECT_NEAR(phiv[0], std::atan2(4.0, 3.0), tol);
    EXPECT_NEAR(mag[1], 2.0f, tol);
    EXPECT_NEAR(phiv[1], -pi / 2, tol);
    EXPECT_EQ(mag[2], 0.0f); // no current: magnitude and direction 0
    EXPECT_EQ(phiv[2], 0.0f);
    EXPECT_NEAR(mag[12], 1.0f, tol);
    EXPECT_NEAR(phiv[12], pi, tol);
    // Line current: the global direction made relative to the vessel, in [0, 2 pi).
    EXPECT_EQ(mag[10], 7.0f);
    EXPECT_NEAR(phiv[10], 2 * pi - 0.2, 1e-6);
    // Auxiliary forces: vessel axes as they are; global axes turned back by the heading.
    EXPECT_NEAR(mag[7], 2.0f, tol);
    EXPECT_NEAR(phiv[7], pi / 2, tol);
    EXPECT_NEAR(mag[8], 1.0f, tol);
    EXPECT_NEAR(phiv[8], -0.3, tol);
    EXPECT_NEAR(mag[9], 1.0f, tol);
    EXPECT_NEAR(phiv[9], -pi / 2 - 0.3, tol);
    // Their sigmas: sources 19, 20, 21; the caller's entries elsewhere stay.
    EXPECT_EQ((std::array{smtn[7], smtn[8], smtn[9]}), (std::array{1.0f, 4.0f, 7.0f}));
    EXPECT_EQ((std::array{sylo[7], sylo[8], sylo[9]}), (std::array{2.0f, 5.0f, 8.0f}));
    EXPECT_EQ((std::array{syhi[7], syhi[8], syhi[9]}), (std::array{3.0f, 6.0f, 9.0f}));
    EXPECT_EQ(smtn[0], -1.0f);
    EXPECT_EQ(sylo[10], -2.0f);
    EXPECT_EQ(syhi[12], -3.0f);
    // Normal-mode directions: less the mode angle, in [0, 2 pi).
    for (int i = 0; i < 13; ++i) {
        SCOPED_TRACE(i + 1);
        double want = std::fmod(phiv[static_cast<std::size_t>(i)] - 0.5, 2 * pi);
        if (want < 0)
            want += 2 * pi;
        EXPECT_NEAR(phinm[static_cast<std::size_t>(i)], want, 2e-6);
    }

    // Force 2 off: force 3 does not count either, whatever its own switch.
    TPCM.AXFC2 = 0;
    GET_ENV_F_ARRAYS(mag, phiv, phinm, smtn, sylo, syhi);
    EXPECT_EQ(mag[8], 0.0f);
    EXPECT_EQ(mag[9], 0.0f);
    EXPECT_EQ(smtn[9], 0.0f);
    EXPECT_EQ(syhi[8], 0.0f);
}

TEST_F(VarianceEnvelope, AlignedVarianceProjectsEachSource) {
    EquilbBlock& E = EQUILB;
    // Wind along vessel x: (2 x 2)^2 + (3 x 1)^2 = 25 with factors 2 and 3 on sigmas 2 and 1.
    E.SXWND = 5.0f;
    set_sigmas(3, 2.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    // Second-swell drag at 45 degrees: (2 x 1)^2 + (3 x 1)^2 = 13.
    E.SXSWDG2 = 1.0f;
    E.SYSWDG2 = 1.0f;
    set_sigmas(33, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    // Sea drift with sigmas but no load: its direction is 0.
    set_sigmas(5, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f); // (2 x 0.5)^2 = 1
    struct Case {
        double theta, variance;
    };
    const Case cases[] = {
        {0.0, 25 + 13 * 0.5 + 1},
        {pi / 2, 13 * 0.5},
        {pi / 4, 25 * 0.5 + 13 + 0.5},
        {-pi / 4, 25 * 0.5 + 0 + 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.theta);
        float v = -1.0f;
        VAR_ALIGNED(v, static_cast<float>(c.theta), 2.0f, 3.0f);
        EXPECT_NEAR(v, c.variance, 1e-5 * c.variance);
    }

    // An auxiliary force takes its direction in vessel axes turned by the heading and the mode
    // angle: global (1, 0) at heading 0.3 lies at -0.3 in vessel axes, then at +0.1.
    reset_program_state();
    E.VESANG() = 0.3f;
    E.MODE_ROT_ANG = 0.1f;
    TPCM.AUXFRC = 1;
    TPCM.XVFRC = 1.0f;
    for (const std::int32_t code : {0, 7}) { // 7 means nothing: global, like 0
        SCOPED_TRACE(code);
        TPCM.CRDSYS = code;
        set_sigmas(19, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        float along = 0.0f, across = 0.0f;
        VAR_ALIGNED(along, 0.1f, 1.0f, 1.0f);
        VAR_ALIGNED(across, 0.1f + static_cast<float>(pi / 2), 1.0f, 1.0f);
        EXPECT_NEAR(along, 1.0f, 1e-6f);
        EXPECT_NEAR(across, 0.0f, 1e-6f);
    }
    // Switched off: no term.
    TPCM.AUXFRC = 0;
    float off = -1.0f;
    VAR_ALIGNED(off, 0.1f, 1.0f, 1.0f);
    EXPECT_EQ(off, 0.0f);
}

TEST_F(VarianceEnvelope, RollAndPitchSigmasAboutTurnedAxes) {
    // Per source the roll and pitch sigmas (r, p) = (ROL_FAC EGM4, PIT_FAC EGM5) form a vector;
    // about axes turned by theta its parts are |r cos theta + p sin theta| and
    // |r sin theta - p cos theta|, and the totals are the root sums of squares.
    const float roll[9] = {1.0f, 0.0f, 2.0f, 0.5f, 0.0f, 3.0f, 1.0f, 2.0f, 0.0f};
    const float pitch[9] = {0.0f, 1.5f, 2.0f, -0.5f, 0.0f, 1.0f, 1.0f, 0.0f, 4.0f};
    const int sources[9] = {3, 4, 5, 6, 7, 8, 19, 20, 21};
    for (int j = 0; j < 9; ++j)
        set_sigmas(sources[j], 0.0f, 0.0f, 0.0f, roll[j], pitch[j]);
    TPCM.AUXFRC = 1; // forces 1 and 2 on, 3 off
    TPCM.AXFC2 = 1;
    const float rf = 2.0f, pf = 0.5f;
    for (const double theta : {0.0, 0.4, -1.2, 2.5}) {
        SCOPED_TRACE(theta);
        std::array<float, 10> sr{}, sp{};
        PR_SIG_ROT(sr, sp, static_cast<float>(theta), rf, pf, 123.0f, 456.0f);
        double tr = 0.0, tp = 0.0;
        for (int j = 0; j < 9; ++j) {
            const bool on = j < 8; // the third auxiliary force is off
            const double r = on ? rf * roll[j] : 0.0;
            const double p = on ? pf * pitch[j] : 0.0;
            const double a = std::fabs(r * std::cos(theta) + p * std::sin(theta));
            const double b = std::fabs(r * std::sin(theta) - p * std::cos(theta));
            EXPECT_NEAR(sr[static_cast<std::size_t>(j + 1)], a, 1e-5) << "term " << j + 1;
            EXPECT_NEAR(sp[static_cast<std::size_t>(j + 1)], b, 1e-5) << "term " << j + 1;
            tr += a * a;
            tp += b * b;
        }
        EXPECT_NEAR(sr[0], std::sqrt(tr), 1e-5);
        EXPECT_NEAR(sp[0], std::sqrt(tp), 1e-5);
    }
}

TEST_F(VarianceEnvelope, DerivativesOfTheEnvelope) {
    // FIRST_DERIV is minus the slope of R and SECOND_DERIV its curvature; entry 1 takes no part.
    TEMP_GET_ANG.VARTOT_I(1) = 100.0f;
    TEMP_GET_ANG.PHI(1) = 0.7f;
    const double v[3] = {2.0, 0.5, 1.25};
    const double phi[3] = {0.3, -1.1, 2.0};
    for (int i = 0; i < 3; ++i) {
        TEMP_GET_ANG.VARTOT_I(i + 2) = static_cast<float>(v[i]);
        TEMP_GET_ANG.PHI(i + 2) = static_cast<float>(phi[i]);
    }
    for (const double t : {0.0, 0.9, -2.0}) {
        SCOPED_TRACE(t);
        double r = 0.0, r1 = 0.0, r2 = 0.0;
        for (int i = 0; i < 3; ++i) {
            // R = V cos^2(t - phi) = V (1 + cos 2(t - phi)) / 2
            r += v[i] * (1 + std::cos(2 * (t - phi[i]))) / 2;
            r1 += -v[i] * std::sin(2 * (t - phi[i]));
            r2 += -2 * v[i] * std::cos(2 * (t - phi[i]));
        }
        EXPECT_NEAR(R_ENVELOPE(static_cast<float>(t)), r, 1e-5);
        EXPECT_NEAR(FIRST_DERIV(static_cast<float>(t)), -r1, 1e-5);
        EXPECT_NEAR(SECOND_DERIV(static_cast<float>(t)), r2, 1e-5);
    }
}

} // namespace
} // namespace lintar
