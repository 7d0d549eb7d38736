// Tests of the move of a spar or tension-leg platform to a trial offset (XVECUPD). The spar's
// position is plane arithmetic checked by hand. The tension-leg platform is solved on a cross of
// four lines with linear tables (H = 10 (d - 900), every layer row alike, no vertical line
// force) and hydrostatic restoring, against an independent balance of the same lines in double
// precision: surge, sway and yaw of the lines under the initial load the modes' stiffnesses
// give, the heave against the waterplane stiffness.
#include "low_frequency/offset_region.h"

#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lincom.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "equilibrium/six_dof_equilibrium.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/turret_mooring.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;

constexpr double HVCNST = 10000.0 * 64.0 * 0.001; // AWP x DWATR x 0.001
constexpr double RLCNST = 10.0 * 1000.0;          // (VKMT - VKG) x DISPL
// (VKML - VKG) x DISPL, plus the x lines' loads H1 + H2 = 2000 at the lever 10 sin(pitch) of
// their fairleads (the cross's pitch stiffness, see the six-degree-of-freedom solver's tests).
constexpr double PTSTIF = 50.0 * 1000.0 + 10.0 * 2000.0;
constexpr double deg = 57.295776;

// The balance of the cross in the plane under the global load (Fx, Fy, Mz): surge, sway and
// yaw, each line's load 10 (d - 900) along the line from its turned fairlead to its anchor;
// Newton in double precision.
std::array<double, 3> cross_balance(double Fx, double Fy, double Mz) {
    struct Line {
        double fx, fy, ax, ay;
    };
    const Line lines[4] = {{10, 0, 1010, 0}, {-10, 0, -1010, 0}, {0, 0, 0, 1000}, {0, 0, 0, -1000}};
    const auto residual = [&](const std::array<double, 3>& q) {
        std::array<double, 3> R = {Fx, Fy, Mz};
        const double c = std::cos(q[2]), s = std::sin(q[2]);
        for (const Line& l : lines) {
            const double rx = c * l.fx - s * l.fy, ry = s * l.fx + c * l.fy;
            const double vx = l.ax - (q[0] + rx), vy = l.ay - (q[1] + ry);
            const double d = std::hypot(vx, vy);
            const double H = 10.0 * (d - 900.0);
            R[0] += H * vx / d;
            R[1] += H * vy / d;
            R[2] += rx * H * vy / d - ry * H * vx / d;
        }
        return R;
    };
    std::array<double, 3> q = {0.0, 0.0, 0.0};
    for (int n = 0; n < 60; ++n) {
        const auto R = residual(q);
        double J[3][3];
        for (int j = 0; j < 3; ++j) {
            auto p = q;
            p[static_cast<std::size_t>(j)] += 1e-7;
            const auto Rp = residual(p);
            for (int i = 0; i < 3; ++i)
                J[i][j] = (Rp[static_cast<std::size_t>(i)] - R[static_cast<std::size_t>(i)]) / 1e-7;
        }
        // Cramer's rule on J dq = -R.
        const auto det3 = [](const double M[3][3]) {
            return M[0][0] * (M[1][1] * M[2][2] - M[1][2] * M[2][1]) -
                   M[0][1] * (M[1][0] * M[2][2] - M[1][2] * M[2][0]) +
                   M[0][2] * (M[1][0] * M[2][1] - M[1][1] * M[2][0]);
        };
        const double D = det3(J);
        for (int j = 0; j < 3; ++j) {
            double M[3][3];
            for (int i = 0; i < 3; ++i)
                for (int k = 0; k < 3; ++k)
                    M[i][k] = k == j ? -R[static_cast<std::size_t>(i)] : J[i][k];
            q[static_cast<std::size_t>(j)] += det3(M) / D;
        }
    }
    return q;
}

// The low-frequency mode records: frequency (word 2) and mass term (word 23) of surge, sway,
// yaw, roll and pitch.
void set_modes(double w1, double M1, double w2, double M2, double M3, double M4, double M5) {
    EquilbBlock& Q = EQUILB;
    Q.LFSTAT(2, 1) = static_cast<float>(w1);
    Q.LFSTAT(23, 1) = static_cast<float>(M1);
    Q.LFSTAT(2, 2) = static_cast<float>(w2);
    Q.LFSTAT(23, 2) = static_cast<float>(M2);
    Q.LFSTAT(23, 3) = static_cast<float>(M3);
    Q.LFSTAT(23, 4) = static_cast<float>(M4);
    Q.LFSTAT(23, 5) = static_cast<float>(M5);
}

// The still-water solution of the tension-leg platform: XVECTK and the solver's reference load.
void solve_still_water() {
    const std::array<float, 6> zero{};
    std::array<float, 6> X{};
    float p = 0.0f, r = 0.0f, y = 0.0f;
    EQFND3(false, zero, zero, false, X, p, r, y, false, false);
}

struct Moved {
    std::array<float, 4> RVESQ{};
    std::array<float, 6> XVECQ{};
    float ZLEVL = 0.0f;
    std::array<float, 3> ROTDRQ{};
    float ROTVLQ = 0.0f, ROTMDQ = 0.0f;
};

Moved move_to(float x, float y, float heading, float heave,
              const std::array<float, 6>& passed = {}) {
    Moved m;
    m.RVESQ = {x, y, heading, heave};
    m.XVECQ = passed;
    XVECUPD(m.RVESQ, m.XVECQ, m.ZLEVL, m.ROTDRQ, m.ROTVLQ, m.ROTMDQ);
    return m;
}

// The surge mode's stiffness w1^2 M1 = 25, the sway mode's w2^2 M2 = 10, the yaw mass term
// 4e6, the roll mass term 1e6.
constexpr double w1 = 0.1, M1 = 2500.0, w2 = 0.05, M2 = 4000.0, M3 = 4.0e6, M4 = 1.0e6;

// A tension-leg case: mode angle, trial offset from the equilibrium at the origin, yaw change,
// set-down coefficient, roll pull per unit x and y offset, surge and pitch mass terms.
struct TlpCase {
    const char* name;
    double MODE_ROT_ANG;
    double x, y, dyaw;
    double DZDRPUL2;
    double roll_x, roll_y;
    double M1, M5 = 0.0;
};

// The words of the equilibrium that a move must leave as they were.
struct KeptWords {
    float RVES1, YCGVAR, VESANG, ZCGVAR, ROTVAL, ROTMOD, ROTDIR1, PITOFF, ROLOFF, YAWOFF;
    static KeptWords now() {
        const EquilbBlock& Q = EQUILB;
        return {Q.RVES(1), Q.YCGVAR(),  Q.VESANG(),    Q.ZCGVAR,      Q.ROTVAL,
                Q.ROTMOD,  Q.ROTDIR(1), ERGCOM.PITOFF, ERGCOM.ROLOFF, ERGCOM.YAWOFF};
    }
    void expect_same(const KeptWords& o) const {
        EXPECT_EQ(RVES1, o.RVES1);
        EXPECT_EQ(YCGVAR, o.YCGVAR);
        EXPECT_EQ(VESANG, o.VESANG);
        EXPECT_EQ(ZCGVAR, o.ZCGVAR);
        EXPECT_EQ(ROTVAL, o.ROTVAL);
        EXPECT_EQ(ROTMOD, o.ROTMOD);
        EXPECT_EQ(ROTDIR1, o.ROTDIR1);
        EXPECT_EQ(PITOFF, o.PITOFF);
        EXPECT_EQ(ROLOFF, o.ROLOFF);
        EXPECT_EQ(YAWOFF, o.YAWOFF);
    }
};

// Each case is moved to after a move to another offset: the second move starts again from the
// equilibrium, and the solver's last iterate does not stay in the equilibrium words.
TEST(TrialPosition, TensionLegPlatformReachesTheBalanceOfItsLinesUnderTheModesLoad) {
    const TlpCase cases[] = {
        {"surge along x", 0.0, 20.0, 0.0, 0.0, 0.0, 0.0, 0.0, M1},
        {"set-down along x", 0.0, 20.0, 0.0, 0.0, -1.0e-3, 0.0, 0.0, M1},
        {"both modes turned", 0.5, 10.0, 15.0, 0.0, -1.0e-3, 0.0, 0.0, M1},
        {"with a yaw change", 0.0, 12.0, -8.0, 0.02, 0.0, 0.0, 0.0, M1},
        {"with a roll pull", 0.0, 20.0, -5.0, 0.0, 0.0, 1.0e-3, 2.0e-3, M1},
        // The roll pull in the modes' frame is part roll, part pitch.
        {"roll pull, modes turned", 0.5, 20.0, 0.0, 0.0, 0.0, 1.0e-3, 0.0, M1, 2.0e5},
        // No surge mass term to divide by: the effective frequency is sqrt(w1 w2).
        {"no surge mass term", 0.0, 10.0, 6.0, 0.02, -1.0e-3, 0.0, 0.0, 0.0},
    };
    for (const TlpCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConsole console;
        testing::fill_cross_mooring(14);
        set_modes(w1, c.M1, w2, M2, M3, M4, c.M5);
        solve_still_water();
        EquilbBlock& Q = EQUILB;
        Q.MODE_ROT_ANG = static_cast<float>(c.MODE_ROT_ANG);
        Q.DZDRPUL2 = static_cast<float>(c.DZDRPUL2);
        Q.DXDXPUL(4) = static_cast<float>(c.roll_x);
        Q.DXDYPUL(4) = static_cast<float>(c.roll_y);

        // The initial load: the offset in the modes' frame times their stiffnesses, back in
        // global axes; heave and yaw with the effective frequency of that pair, roll with the
        // sway frequency and pitch with the surge frequency, in the same frame.
        const double a = c.MODE_ROT_ANG;
        const double dm1 = std::cos(a) * c.x + std::sin(a) * c.y;
        const double dm2 = -std::sin(a) * c.x + std::cos(a) * c.y;
        const double f1 = w1 * w1 * c.M1 * dm1, f2 = w2 * w2 * M2 * dm2;
        const double Fx = std::cos(a) * f1 - std::sin(a) * f2;
        const double Fy = std::sin(a) * f1 + std::cos(a) * f2;
        const double w_eff2 =
            c.M1 > 0.0 ? std::hypot(f1, f2) / (std::hypot(c.x, c.y) * c.M1) : w1 * w2;
        const double D_Z = c.DZDRPUL2 * (c.x * c.x + c.y * c.y);
        const double Fz = w_eff2 * c.M1 * D_Z;
        const double Mz = w_eff2 * M3 * c.dyaw;
        const double roll_g = c.roll_x * c.x + c.roll_y * c.y;
        const double m4 = w2 * w2 * M4 * std::cos(a) * roll_g;
        const double m5 = w1 * w1 * c.M5 * -std::sin(a) * roll_g;
        const double Mx = std::cos(a) * m4 - std::sin(a) * m5;
        const double My = std::sin(a) * m4 + std::cos(a) * m5;
        const auto balance = cross_balance(Fx, Fy, Mz);

        move_to(-15.0f, 5.0f, 0.01f, 0.0f);
        const KeptWords before = KeptWords::now();
        const Moved m = move_to(static_cast<float>(c.x), static_cast<float>(c.y),
                                static_cast<float>(c.dyaw), 0.0f);
        KeptWords::now().expect_same(before);
        EXPECT_NEAR(m.XVECQ[0], balance[0], 0.002);
        EXPECT_NEAR(m.XVECQ[1], balance[1], 0.002);
        EXPECT_NEAR(m.XVECQ[2], Fz / HVCNST, 1e-4);
        EXPECT_NEAR(m.XVECQ[3], Mx / RLCNST, 1e-5);
        EXPECT_NEAR(m.XVECQ[4], My / PTSTIF, 1e-5);
        EXPECT_NEAR(m.XVECQ[5], balance[2], 1e-5);
        EXPECT_NEAR(Q.WLF_EFF, std::sqrt(w_eff2), 1e-6);
        // The trial position becomes the solution; heading from the still-water heading.
        EXPECT_EQ(m.RVESQ[0], m.XVECQ[0]);
        EXPECT_EQ(m.RVESQ[1], m.XVECQ[1]);
        EXPECT_EQ(m.RVESQ[2], m.XVECQ[5] + TPCM.VESAN0);
        EXPECT_EQ(m.RVESQ[3], m.XVECQ[2]);
        EXPECT_EQ(m.ZLEVL, m.XVECQ[2]);
        const double turn = std::hypot(std::hypot(Mx / RLCNST, My / PTSTIF), balance[2]);
        EXPECT_NEAR(m.ROTVLQ, turn * deg, 2e-3);
        EXPECT_EQ(m.ROTMDQ, 1.0f);
        EXPECT_EQ(console.screen(), "");
    }
}

// The independent balance itself: along x alone the x lines give 20 x, the y lines (stretched
// to sqrt(1000^2 + x^2)) about 2 x more; a load of 500 is held at 22.72248.
TEST(TrialPosition, IndependentBalanceOfTheCrossUnderFiveHundred) {
    const auto b = cross_balance(500.0, 0.0, 0.0);
    EXPECT_NEAR(b[0], 22.72248, 1e-5);
    EXPECT_NEAR(b[1], 0.0, 1e-9);
    EXPECT_NEAR(b[2], 0.0, 1e-9);
}

// A trial position at the equilibrium (the still-water solution, a few 1e-5 from the origin):
// no initial load, the platform stays where it is (within the solver's tolerance), the
// effective frequency is sqrt(w1 w2).
TEST(TrialPosition, ZeroOffsetLeavesTheTensionLegPlatformWhereItIs) {
    ScriptedConsole console;
    testing::fill_cross_mooring(14);
    set_modes(w1, M1, w2, M2, M3, M4, 0.0);
    solve_still_water();
    EquilbBlock& Q = EQUILB;
    Q.MODE_ROT_ANG = 0.4f;
    Q.DXDXPUL(6) = 1.0e-3f;
    const std::array<float, 4> mean = {Q.RVES(1), Q.YCGVAR(), Q.VESANG(), Q.ZCGVAR};
    const Moved m = move_to(mean[0], mean[1], mean[2], 5.0f);
    EXPECT_NEAR(Q.WLF_EFF, std::sqrt(w1 * w2), 1e-7);
    const std::array<float, 6> still = {Q.XVECTK(1), Q.XVECTK(2), Q.XVECTK(3),
                                        Q.XVECTK(4), Q.XVECTK(5), Q.XVECTK(6)};
    for (std::size_t k = 0; k < 6; ++k) {
        EXPECT_NEAR(m.XVECQ[k], still[k], 1e-4) << k + 1;
        EXPECT_NEAR(still[k], 0.0, 1e-4) << k + 1;
    }
    // The heave given in is replaced by the solution's.
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(m.RVESQ[k], mean[k], 1e-4) << k + 1;
    EXPECT_EQ(m.ZLEVL, m.XVECQ[2]);
    EXPECT_EQ(m.ROTMDQ, 1.0f);
    EXPECT_EQ(console.screen(), "");
}

// The spar follows the trial offset: (33, 36) from the equilibrium (30, 40) at heading 0.2 is
// the offset (3, -4), r^2 = 2385. Heave A r^2 + B r^4 = -1e-4 2385 - 1e-8 2385^2; roll, pitch
// and yaw the still-water angles plus (3, -4) times their pulls, yaw also the heading change.
TEST(TrialPosition, SparFollowsTheTrialOffsetWithItsSetDownAndPulls) {
    ScriptedConsole console;
    TPCM.SIMTYP = 17;
    TPCM.VESAN0 = 0.1f;
    EquilbBlock& Q = EQUILB;
    Q.RVES(1) = 30.0f;
    Q.YCGVAR() = 40.0f;
    Q.VESANG() = 0.2f;
    Q.ZCGVAR = -0.5f;
    Q.MODE_ROT_ANG = 0.7f;
    Q.XVECTK(4) = 0.01f;
    Q.XVECTK(5) = -0.02f;
    Q.XVECTK(6) = 0.03f;
    Q.DZDRPUL2 = -1.0e-4f;
    Q.DZDRPUL4 = -1.0e-8f;
    Q.DXDXPUL(4) = 1.0e-3f;
    Q.DXDYPUL(4) = 2.0e-3f;
    Q.DXDXPUL(5) = -1.0e-3f;
    Q.DXDYPUL(5) = 5.0e-4f;
    Q.DXDXPUL(6) = 2.0e-3f;
    Q.DXDYPUL(6) = -1.0e-3f;
    const Moved m = move_to(33.0f, 36.0f, 0.25f, 9.0f, {1, 2, 3, 4, 5, 6});
    const double heave = -1.0e-4 * 2385.0 - 1.0e-8 * 2385.0 * 2385.0;
    const double roll = 0.01 + (3.0e-3 - 8.0e-3);
    const double pitch = -0.02 + (-3.0e-3 - 2.0e-3);
    const double yaw = 0.03 + 0.05 + (6.0e-3 + 4.0e-3);
    const double expected[6] = {33.0, 36.0, heave, roll, pitch, yaw};
    for (std::size_t k = 0; k < 6; ++k)
        EXPECT_NEAR(m.XVECQ[k], expected[k], 1e-6) << k + 1;
    EXPECT_NEAR(m.ZLEVL, heave, 1e-6);
    const double size = std::sqrt(roll * roll + pitch * pitch + yaw * yaw);
    EXPECT_NEAR(size, std::sqrt(0.00875), 1e-12);
    EXPECT_NEAR(m.ROTVLQ, size * deg, 1e-4);
    EXPECT_NEAR(m.ROTDRQ[0], roll / size, 1e-6);
    EXPECT_NEAR(m.ROTDRQ[1], pitch / size, 1e-6);
    EXPECT_NEAR(m.ROTDRQ[2], yaw / size, 1e-6);
    EXPECT_EQ(m.ROTMDQ, 1.0f);
    // The trial position is left as it was, and so is the effective frequency.
    EXPECT_EQ(m.RVESQ, (std::array<float, 4>{33.0f, 36.0f, 0.25f, 9.0f}));
    EXPECT_EQ(Q.WLF_EFF, 0.0f);
}

// Other program codes keep the position passed; the heave and the rotation come from it.
TEST(TrialPosition, OtherProgramCodesKeepThePositionPassed) {
    struct Case {
        std::array<float, 6> passed;
        std::array<float, 3> direction;
        double degrees;
    };
    const Case cases[] = {
        {{1, 2, 3, 0, 0, 0}, {1, 0, 0}, 0.0},
        {{1, 2, -4, 0, 0.3f, -0.4f}, {0, 0.6f, -0.8f}, 0.5 * deg},
        {{0, 0, 0, 0, 0, -0.2f}, {0, 0, -1}, 0.2 * deg},
    };
    for (const std::int32_t code : {0, 12}) {
        for (const Case& c : cases) {
            ScriptedConsole console;
            TPCM.SIMTYP = code;
            EQUILB.RVES(1) = 5.0f;
            EQUILB.DZDRPUL2 = 1.0f;
            const Moved m = move_to(7.0f, 8.0f, 0.1f, 2.0f, c.passed);
            EXPECT_EQ(m.XVECQ, c.passed);
            EXPECT_EQ(m.RVESQ, (std::array<float, 4>{7.0f, 8.0f, 0.1f, 2.0f}));
            EXPECT_EQ(m.ZLEVL, c.passed[2]);
            for (std::size_t i = 0; i < 3; ++i)
                EXPECT_NEAR(m.ROTDRQ[i], c.direction[i], 1e-7);
            EXPECT_NEAR(m.ROTVLQ, c.degrees, 1e-5);
            EXPECT_EQ(m.ROTMDQ, 1.0f);
        }
    }
}

} // namespace
} // namespace lintar
