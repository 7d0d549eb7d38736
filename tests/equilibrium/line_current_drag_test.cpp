// The current drag on the lines against closed forms: the Simpson count from the profile, a
// straight vertical line in a uniform current (its whole drag and the vessel's share by hand
// integration), a catenary chain in a 1/7 power-law current against the drag integrated along
// the closed-form elastic catenary, the direction returned, and the bad inputs: a distance
// outside the table, a line above the water, a line without tension.
#include "equilibrium/line_current_drag.h"

#include "blocks/curprof.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/spread_mooring_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr double DEGRAD = 57.295776;

// Levels at the given depths with one speed and heading.
void set_profile(const std::vector<float>& depths, float speed, float heading) {
    CURPROF.NCURNTPF = static_cast<std::int32_t>(depths.size());
    for (std::size_t n = 0; n < depths.size(); ++n) {
        const int i = static_cast<int>(n) + 1;
        CURPROF.DPTHIPF(i) = depths[n];
        CURPROF.VELIPF(i) = speed;
        CURPROF.CURHDGPF(i) = heading;
    }
}

TEST(LineCurrentDrag, SimpsonCountFollowsTheThinnestLayer) {
    struct Case {
        const char* what;
        std::vector<float> depths;
        std::int32_t NQP;
    };
    const Case cases[] = {
        {"thinnest layer 10", {100.0f, 110.0f, 400.0f, 1000.0f}, 201},
        {"thinnest layer the first level", {4.0f, 500.0f}, 501},
        {"no levels", {}, 51},
        {"coarse layers", {200.0f, 400.0f, 600.0f, 800.0f, 1000.0f}, 51},
        {"zero-thickness layer", {100.0f, 100.0f, 1000.0f}, 51},
        {"levels out of order", {300.0f, 200.0f}, 51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CurprofBlock profile{};
        profile.NCURNTPF = static_cast<std::int32_t>(c.depths.size());
        for (std::size_t n = 0; n < c.depths.size(); ++n)
            profile.DPTHIPF(static_cast<int>(n) + 1) = c.depths[n];
        EXPECT_EQ(current_drag_points(1000.0f, profile), c.NQP);
    }
}

TEST(LineCurrentDrag, CurrentAtDepthInterpolatesTheProfile) {
    CurprofBlock p{};
    p.NCURNTPF = 2;
    p.DPTHIPF(1) = 100.0f;
    p.VELIPF(1) = 2.0f;
    p.CURHDGPF(1) = 40.0f;
    p.DPTHIPF(2) = 200.0f;
    p.VELIPF(2) = 1.0f;
    p.CURHDGPF(2) = 60.0f;
    struct Case {
        float depth, speed, heading;
    };
    const Case cases[] = {
        {0.0f, 3.0f, 20.0f},    // the surface values
        {50.0f, 2.5f, 30.0f},   // toward the first level
        {150.0f, 1.5f, 50.0f},  // between the levels
        {250.0f, 0.5f, 70.0f},  // extrapolated below the last
        {400.0f, 0.0f, 100.0f}, // a negative extrapolated speed is 0; the heading goes on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        const CurrentAtDepth v = current_at_depth(p, 3.0f, 20.0f, c.depth);
        EXPECT_FLOAT_EQ(v.speed, c.speed);
        EXPECT_FLOAT_EQ(v.heading, c.heading);
    }
    const CurprofBlock none{};
    EXPECT_EQ(current_at_depth(none, 3.0f, 20.0f, 500.0f).speed, 3.0f);
}

// ---- A metric site with lines of one chain type --------------------------------------------

constexpr float site_depth = 1000.0f;
constexpr float g = 9.8f;
constexpr float rho_water = 1.025f; // DWATR: t/m^3 with forces in kN... any consistent unit

struct Outputs {
    float FCURNT = -1.0f, CURFANG = -1.0f, TCURNT = -1.0f, XYCRMG = 0.0f, XYCRMB = 0.0f;
    std::array<float, 150> FCLTOT{}, FCLPAR{}, FCLPRP{}, DZ{}, DTZ{};
    bool SPRDCRNT = true;
};

Outputs run_lindrg(int MINLN, int MAXLN, const std::array<float, 150>& RANCQ,
                   const std::array<float, 150>& ANGDPQ, bool flex = false) {
    Outputs o;
    const std::array<float, 150> ZANCQ{};
    LINDRG(MINLN, MAXLN, RANCQ, ZANCQ, ANGDPQ, o.FCURNT, o.CURFANG, o.TCURNT, o.XYCRMG, o.XYCRMB,
           o.FCLTOT, o.FCLPAR, o.FCLPRP, flex, o.DZ, o.DTZ, o.SPRDCRNT);
    return o;
}

void fill_site(int NLIN) {
    TPCM.NUNTS = 1;
    TPCM.DEPTH = site_depth;
    TPCM.DWATR = rho_water;
    WAVCOM.G = g;
    TPCM.SIMTYP = 8;
    TPCM.LCSTCR = 1;
    TPCM.CURSPD = 2.0f;
    TPCM.CURHDG = 30.0f;
    TPCM.EDUNIT = screen_unit;
    TPCM.NLIN = NLIN;
    TPCM.NTYP = 1;
    TPCM.DRAFT = 20.0f;
    TPCM.VKG = 15.0f;
    TPCM.RMCTR(3) = 12.0f;
    TPCM.LINTYP(1, 1) = 1;
    for (int i = 1; i <= NLIN; ++i) {
        LINCOM.LINEID(i) = 1;
        TPCM.RFLD(3, i) = 10.0f; // 10 below the water
    }
    set_profile({200.0f, 400.0f, 600.0f, 800.0f, 1000.0f}, 2.0f, 30.0f); // uniform
}

// ---- A straight vertical line: 500 long, 0.1 in diameter, weight 2 per length ------------

constexpr float rod_length = 500.0f;
constexpr float rod_weight = 2.0f;
constexpr float rod_top_tension = rod_length * rod_weight + 300.0f;

void fill_rod(int NLIN) {
    fill_site(NLIN);
    TPCM.NELEM(1) = 1;
    TPCM.SLEN(1, 1) = rod_length;
    TPCM.WETWT(1, 1) = rod_weight;
    TPCM.DIAM(1, 1) = 100.0f; // mm
    TPCM.COFDMT(1, 1) = 1.2f;
    TPCM.ANCHGT(1) = 520.0f;
    TPCM.NUMTAB = 10;
    LINCOM.MIDLYR = 1;
    LINCOM.TOTWT(1) = rod_length * rod_weight;
    for (int k = 1; k <= 10; ++k) {
        LINCOM.HLOD(k) = 10.0f * static_cast<float>(k - 1);
        LINCOM.ANCDST(k, 1, 1) = static_cast<float>(k - 1);
        LINCOM.TOPTEN(k, 1, 1) = rod_top_tension + LINCOM.HLOD(k);
    }
}

// A rod hanging straight down in a uniform current of v knots: its whole drag is
// 1/2 (DWATR / g) / 1000 C_D D l v^2 (v in m/s); the anchor takes int F T^-2 / int T^-2 of it,
// F(z) the drag below z and T(z) the rod's tension, both linear in z (closed form below).
TEST(LineCurrentDrag, StraightRodInUniformCurrentMatchesTheClosedForm) {
    ScriptedConsole console;
    fill_rod(1);
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    ANGDPQ[0] = 0.0f;
    const Outputs o = run_lindrg(1, 1, RANCQ, ANGDPQ);

    const double v = 2.0 * std::sqrt(0.2644); // knots to m/s, as V2FAC = 0.2644
    const double CD = 1.2, D = 0.1, l = rod_length;
    const double rho = 0.001 * rho_water / g;
    const double total = 0.5 * rho * CD * D * l * v * v;
    const double K = CD * D * v * v; // drag sum per unit length
    const double w = rod_weight, Tt = rod_top_tension, B = Tt - w * l;
    const double num = K / (w * w) * (std::log(Tt / B) + B / Tt - 1.0);
    const double den = l / (B * Tt);
    const double vessel = total - 0.5 * rho * num / den;
    const double psi = 30.0 / DEGRAD;
    constexpr double rel_tol = 1e-5; // Simpson on a smooth 1/T^2 with 51 points, float sums

    EXPECT_NEAR(o.FCLTOT[0], vessel, rel_tol * total);
    EXPECT_NEAR(o.FCLPAR[0], vessel * std::cos(psi), rel_tol * total);
    EXPECT_NEAR(o.FCLPRP[0], vessel * std::sin(psi), rel_tol * total);
    EXPECT_GT(vessel, 0.1 * total); // a real split, not all to one end
    EXPECT_LT(vessel, 0.9 * total);
    // A single straight line: its load counted once in the total.
    EXPECT_EQ(o.FCURNT, o.FCLTOT[0]);
    EXPECT_FLOAT_EQ(o.XYCRMG, (15.0f - 10.0f) * o.FCLTOT[0]);
    EXPECT_FLOAT_EQ(o.XYCRMB, (12.0f - 10.0f) * o.FCLTOT[0]);
    EXPECT_EQ(o.TCURNT, 0.0f);
    EXPECT_EQ(o.CURFANG, 30.0f / 57.295776f);
    EXPECT_FALSE(o.SPRDCRNT);
    EXPECT_FLOAT_EQ(TPCM.COFDMP, 0.001f * 100.0f * 1.2f);
}

// Two rods, one with a fairlead above the water: only its part below the surface drags.
TEST(LineCurrentDrag, FairleadAboveWaterCountsDragBelowTheSurfaceOnly) {
    ScriptedConsole console;
    fill_rod(2);
    TPCM.RFLD(3, 2) = 120.0f; // 100 above the water
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    ANGDPQ[1] = 30.0f; // along the current: no part across
    const Outputs o = run_lindrg(1, 2, RANCQ, ANGDPQ);
    EXPECT_GT(o.FCLTOT[1], 0.0f);
    EXPECT_LT(o.FCLTOT[1], o.FCLTOT[0]);
    EXPECT_EQ(o.FCLPRP[1], 0.0f);
    EXPECT_FLOAT_EQ(o.FCURNT, o.FCLTOT[0] + o.FCLTOT[1]);

    // Wholly above the water: no drag, no NaN.
    TPCM.RFLD(3, 2) = 600.0f;
    const Outputs dry = run_lindrg(2, 2, RANCQ, ANGDPQ);
    EXPECT_EQ(dry.FCLTOT[1], 0.0f);
    EXPECT_EQ(dry.FCURNT, 0.0f);
    EXPECT_EQ(console.screen(), "");
}

// A rod whose tension falls to 0 at its foot: the point is left out, one warning in the run.
TEST(LineCurrentDrag, ZeroTensionPointIsLeftOutWithOneWarning) {
    ScriptedConsole console;
    fill_rod(1);
    for (int k = 1; k <= 10; ++k)
        LINCOM.TOPTEN(k, 1, 1) = rod_length * rod_weight; // nothing left at the foot
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    Outputs o = run_lindrg(1, 1, RANCQ, ANGDPQ, true);
    EXPECT_TRUE(std::isfinite(o.FCLTOT[0]));
    EXPECT_TRUE(std::isfinite(o.DZ[0]));
    EXPECT_TRUE(std::isfinite(o.DTZ[0]));
    EXPECT_EQ(console.screen(), " ++> LINDRG: line   1 has a point of zero tension; such points\n"
                                "     are left out of the current drag integrals.\n");
    console.clear_screen_text();
    o = run_lindrg(1, 1, RANCQ, ANGDPQ, true);
    EXPECT_EQ(console.screen(), "");
}

// ---- A catenary chain of the closed-form tables -----------------------------------------

const Chain chain{}; // w 0.1, EA 2e5, L 3000

// The chain of spread_mooring_tables.h under 300 of water, its fairlead 10 below the water.
void fill_chain_site() {
    fill_spread_tables(chain, 1, 0.0f);
    fill_site(4);
    TPCM.NUNTS = 1;
    TPCM.DEPTH = 310.0f;
    TPCM.DRAFT = 20.0f;
    TPCM.ANCHGT(1) = 310.0f; // the seabed: a span of 300 below a fairlead 10 down
    TPCM.NELEM(1) = 1;
    TPCM.SLEN(1, 1) = static_cast<float>(chain.L);
    TPCM.WETWT(1, 1) = static_cast<float>(chain.w);
    TPCM.ALPHA(1, 1, 1) = static_cast<float>(1.0 / chain.EA);
    TPCM.DIAM(1, 1) = 100.0f;
    TPCM.COFDMT(1, 1) = 1.0f;
    TPCM.ANCTYP(1) = 1;
    TPCM.LCSTCR = 0;
    for (int i = 1; i <= 4; ++i)
        TPCM.RFLD(3, i) = 10.0f;
}

// The 1/7 power law of the surface speed v0 over the depth, as levels: the six of the data
// file's law and one at depth `thin` on its first segment, which leaves the profile as it is
// and sets the thinnest layer.
void power_law_profile(float v0, float depth, float thin) {
    const float fr[] = {0.3f, 0.6f, 0.7f, 0.8f, 0.9f, 0.975f, 1.0f};
    std::vector<float> d, s;
    for (const float f : fr) {
        d.push_back(f * depth);
        s.push_back(f < 1.0f ? v0 * std::pow(1.0f - f, 1.0f / 7.0f) : 0.0f);
    }
    CURPROF.NCURNTPF = 8;
    CURPROF.DPTHIPF(1) = thin;
    CURPROF.VELIPF(1) = v0 + (s[0] - v0) * thin / d[0];
    CURPROF.CURHDGPF(1) = TPCM.CURHDG;
    for (int i = 2; i <= 8; ++i) {
        CURPROF.DPTHIPF(i) = d[static_cast<std::size_t>(i - 2)];
        CURPROF.VELIPF(i) = s[static_cast<std::size_t>(i - 2)];
        CURPROF.CURHDGPF(i) = TPCM.CURHDG;
    }
}

// The whole drag 0.5 rho V2FAC COFDMP int v|v| sqrt(q^2 + sin^2 psi) / sqrt(1 + q^2) ds along
// the suspended chain (ds the stretched arc), by the closed-form elastic catenary at load H:
// at unstretched arc u from the touchdown q = w u / H, height above the seabed
// (H/w)(sqrt(1 + q^2) - 1) + w u^2 / (2 EA), ds = (1 + T / EA) du.
double reference_drag(double H, double sin_psi, double seabed_depth) {
    double lo = 0.0, hi = chain.L; // the suspended length, by bisection on the span
    for (int k = 0; k < 200; ++k) {
        const double mid = 0.5 * (lo + hi);
        const double z = H / chain.w * (std::hypot(1.0, chain.w * mid / H) - 1.0) +
                         chain.w * mid * mid / (2.0 * chain.EA);
        (z > 300.0 ? hi : lo) = mid;
    }
    const double s = 0.5 * (lo + hi);
    const int n = 200000;
    double sum = 0.0;
    for (int k = 0; k <= n; ++k) {
        const double u = s * k / n;
        const double q = chain.w * u / H;
        const double z =
            H / chain.w * (std::hypot(1.0, q) - 1.0) + chain.w * u * u / (2.0 * chain.EA);
        const double depth = seabed_depth - z;
        CurrentAtDepth c =
            current_at_depth(CURPROF, TPCM.CURSPD, TPCM.CURHDG, static_cast<float>(depth));
        const double T = H * std::hypot(1.0, q);
        const double f = c.speed * c.speed * std::sqrt(q * q + sin_psi * sin_psi) /
                         std::hypot(1.0, q) * (1.0 + T / chain.EA);
        sum += (k == 0 || k == n ? 0.5 : 1.0) * f;
    }
    const double rho = 0.001 * rho_water / g;
    return 0.5 * rho * 0.2644 * 0.1 * 1.0 * sum * s / n;
}

TEST(LineCurrentDrag, CatenaryInPowerLawCurrentConvergesAsTheCountGrows) {
    ScriptedConsole console;
    fill_chain_site();
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    RANCQ[0] = LINCOM.RANC(1);
    ANGDPQ[0] = 120.0f; // across the current (heading 30)
    std::vector<double> drag;
    std::vector<std::int32_t> counts;
    for (const float thin : {20.0f, 5.0f, 1.5f, 0.5f}) {
        power_law_profile(2.0f, 310.0f, thin);
        counts.push_back(current_drag_points(TPCM.DEPTH, CURPROF));
        const Outputs o = run_lindrg(1, 1, RANCQ, ANGDPQ, false);
        drag.push_back(o.FCLTOT[0]);
    }
    for (std::size_t n = 1; n < counts.size(); ++n)
        EXPECT_GT(counts[n], counts[n - 1]);
    for (std::size_t n = 2; n < drag.size(); ++n)
        EXPECT_LT(std::abs(drag[n] - drag[n - 1]), std::abs(drag[n - 1] - drag[n - 2]));
    EXPECT_NEAR(drag.back(), drag[drag.size() - 2], 2e-4 * drag.back());
    EXPECT_GT(drag.back(), 0.0);
}

// The chain LINDRG left solved in LINCOM, as the integration routines see it.
DragLine solved_chain() {
    DragLine line;
    line.profile = &CURPROF;
    line.CURSPD = TPCM.CURSPD;
    line.CURHDG = TPCM.CURHDG;
    line.NELEM = TPCM.NELEM(1);
    line.SLEN = slen_column(1);
    line.DIAM = ElementReals(&TPCM.DIAM(1, 1));
    line.COFDMT = ElementReals(&TPCM.COFDMT(1, 1));
    line.WETWT = wetwt_column(1);
    line.SCLWT = ElementValues(LINCOM.SCLWT_words);
    line.BETA = ElementBetas(LINCOM.BETA_words);
    line.TMPTAN = NodeValues(LINCOM.TMPTAN_words);
    line.SECARR = NodeValues(LINCOM.SECARR_words);
    line.BOTELM = LINCOM.BOTELM;
    line.DSLOPE = LINCOM.DSLOPE;
    line.HMEAN = LINCOM.HMEAN;
    return line;
}

// The whole drag of the chain across the current (FXINTEG) converges, as NQP grows, to the
// independent integral along the closed-form elastic catenary.
TEST(LineCurrentDrag, CatenaryDragAgreesWithTheClosedFormIntegral) {
    ScriptedConsole console;
    fill_chain_site();
    power_law_profile(2.0f, 310.0f, 20.0f);
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    RANCQ[0] = LINCOM.RANC(1);
    ANGDPQ[0] = 120.0f;
    const Outputs o = run_lindrg(1, 1, RANCQ, ANGDPQ, true);
    ASSERT_EQ(LINCOM.BOTELM, 1); // the chain touches down in its one element
    const double rho = 0.001 * rho_water / g;
    const double whole = reference_drag(LINCOM.HMEAN, 1.0, 310.0);
    const DragLine line = solved_chain();
    std::vector<double> drag, error;
    for (const std::int32_t NQP : {51, 201, 801, 3201}) {
        drag.push_back(0.5 * rho *
                       FXINTEG(line, -10.0f, -10.0f, 1.0f, 1, NQP, false, 0.0f, 0.001f, 0.2644f));
        error.push_back(std::abs(drag.back() - whole));
    }
    // The profile's kinks make the rule second order: a quarter of the error for a quarter of
    // the step, and the extrapolated limit is the closed-form integral.
    for (std::size_t n = 1; n < error.size(); ++n) {
        EXPECT_GT(error[n - 1] / error[n], 3.0);
        EXPECT_LT(error[n - 1] / error[n], 5.0);
    }
    const double limit = drag[3] + (drag[3] - drag[2]) / 3.0;
    EXPECT_NEAR(limit, whole, 1e-5 * whole);
    // Across the current: nothing along the line; the vessel takes part of the whole drag.
    EXPECT_NEAR(o.FCLPAR[0], 0.0f, 1e-6 * whole);
    EXPECT_GT(o.FCLTOT[0], 0.1 * whole);
    EXPECT_LT(o.FCLTOT[0], whole);
    EXPECT_TRUE(std::isfinite(o.DZ[0]));
    EXPECT_TRUE(std::isfinite(o.DTZ[0]));
    // The touchdown point lies flat: its flexibility term is taken at its limit, with no
    // warning.
    EXPECT_EQ(console.screen(), "");
}

// LINDRG sums the catenary's integrands once per line; the integration routines evaluated
// point by point give the same load.
TEST(LineCurrentDrag, SampledIntegrandsGiveTheLoadOfTheRoutines) {
    ScriptedConsole console;
    fill_chain_site();
    power_law_profile(2.0f, 310.0f, 20.0f);
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    RANCQ[0] = LINCOM.RANC(1) + 10.0f;
    ANGDPQ[0] = 75.0f;
    const Outputs o = run_lindrg(1, 1, RANCQ, ANGDPQ);
    const DragLine line = solved_chain();
    const std::int32_t NQP = current_drag_points(TPCM.DEPTH, CURPROF);
    const float psi = (30.0f - 75.0f) / 57.295776f;
    const float SINFC2 = std::sin(psi) * std::sin(psi);
    const float F = FXINTEG(line, -10.0f, -10.0f, SINFC2, 1, NQP, false, 0.0f, 0.001f, 0.2644f);
    const SplitIntegrals s = TOPBOTFIX(line, NQP, 1, 0.001f, 0.2644f, SINFC2, 1, false, 0.0f,
                                       LINCOM.TMPTAN(1), LINCOM.TMPTAN(2), -10.0f, -10.0f, false);
    const double rho = 0.001 * rho_water / g;
    const double total = 0.5 * F * rho;
    const double along = (total - 0.5 * rho * s.XNUMR8 / s.XDENOM) * std::cos(psi);
    const double across = (total - 0.5 * rho * s.YNUMR8 / s.YDENOM) * std::sin(psi);
    EXPECT_NEAR(o.FCLPAR[0], std::abs(along), 1e-5 * total);
    EXPECT_NEAR(o.FCLPRP[0], std::abs(across), 1e-5 * total);
}

// For every profile but the user file the direction is the surface heading, exactly.
TEST(LineCurrentDrag, DirectionIsTheSurfaceHeadingExceptForTheUserProfile) {
    ScriptedConsole console;
    fill_chain_site();
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    for (int i = 1; i <= 4; ++i) {
        RANCQ[static_cast<std::size_t>(i - 1)] = LINCOM.RANC(i);
        ANGDPQ[static_cast<std::size_t>(i - 1)] = TPCM.ANGDEP(i);
    }
    for (const std::int32_t kind : {0, 1, 2}) {
        for (const float heading : {0.0f, 30.0f, 200.0f, -75.5f}) {
            SCOPED_TRACE(::testing::Message() << "LCSTCR " << kind << " heading " << heading);
            TPCM.LCSTCR = kind;
            TPCM.CURHDG = heading;
            power_law_profile(1.5f, 310.0f, 20.0f);
            const Outputs o = run_lindrg(1, 4, RANCQ, ANGDPQ);
            EXPECT_EQ(o.CURFANG, heading / 57.295776f);
            EXPECT_GT(o.FCURNT, 0.0f);
        }
    }
    // The user profile: the direction of the summed loads; a heading turning with depth.
    TPCM.LCSTCR = 3;
    TPCM.CURHDG = 30.0f;
    power_law_profile(1.5f, 310.0f, 20.0f);
    for (int i = 1; i <= CURPROF.NCURNTPF; ++i)
        CURPROF.CURHDGPF(i) = 30.0f + 10.0f * static_cast<float>(i);
    const Outputs o = run_lindrg(1, 4, RANCQ, ANGDPQ);
    EXPECT_TRUE(o.SPRDCRNT);
    EXPECT_GT(o.CURFANG, 30.0f / 57.295776f);
    EXPECT_LT(o.CURFANG, 110.0f / 57.295776f);
}

// The same uniform current given as the user profile (one heading at every level) gives the
// same loads as the single-heading integration, by the other set of routines, for lines along
// the global x axis (where the parts along and across the line are the global components).
TEST(LineCurrentDrag, HeadingProfileOfOneHeadingMatchesTheSingleHeading) {
    ScriptedConsole console;
    fill_chain_site();
    set_profile({62.0f, 124.0f, 186.0f, 248.0f, 310.0f}, 2.0f, 30.0f);
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    for (int i = 1; i <= 4; ++i)
        RANCQ[static_cast<std::size_t>(i - 1)] = LINCOM.RANC(i) + 5.0f * static_cast<float>(i);
    TPCM.LCSTCR = 1;
    const Outputs single = run_lindrg(1, 4, RANCQ, ANGDPQ);
    TPCM.LCSTCR = 3;
    const Outputs profile = run_lindrg(1, 4, RANCQ, ANGDPQ);
    for (std::size_t n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        EXPECT_NEAR(profile.FCLTOT[n], single.FCLTOT[n], 1e-5 * single.FCLTOT[n]);
        EXPECT_NEAR(profile.FCLPRP[n], single.FCLPRP[n], 1e-5 * single.FCLTOT[n]);
    }
    EXPECT_FALSE(profile.SPRDCRNT);
}

TEST(LineCurrentDrag, DistanceOutsideTheTableAsksAndGoesOnOrStops) {
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    {
        ScriptedConsole console("\n");
        fill_chain_site();
        RANCQ[0] = 5000.0f; // beyond the table
        const Outputs o = run_lindrg(1, 1, RANCQ, ANGDPQ);
        EXPECT_EQ(console.screen().substr(0, 38), " ++> BSCRCH: Nonzero IER = 2 in LINDRG");
        EXPECT_TRUE(std::isfinite(o.FCLTOT[0]));
    }
    {
        ScriptedConsole console("A\n");
        fill_chain_site();
        EXPECT_EQ(run_until_stop([&] { run_lindrg(1, 1, RANCQ, ANGDPQ); }), StopKind::user_choice);
    }
    {
        // An unattended run does not wait at the prompt: it goes on.
        ScriptedConsole console;
        ScratchFolder folder;
        fill_chain_site();
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        TPCM.EDUNIT = diagnostics_unit;
        Outputs o;
        EXPECT_FALSE(run_until_stop([&] { o = run_lindrg(1, 1, RANCQ, ANGDPQ); }));
        EXPECT_TRUE(std::isfinite(o.FCLTOT[0]));
        close_unit(diagnostics_unit);
        EXPECT_NE(folder.read("Diagnostics.stxt").find(" ++> BSCRCH: Nonzero IER = 2 in LINDRG"),
                  std::string::npos);
    }
}

// A line skipped by its identity gets no outputs; a line at no horizontal tension hangs
// straight, with finite results.
TEST(LineCurrentDrag, SkippedAndSlackLines) {
    ScriptedConsole console;
    fill_chain_site();
    LINCOM.LINEID(2) = 1024 + 1;
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    RANCQ[0] = LINCOM.ANCDST(1, 1, 1); // the table's first point: H = 0
    RANCQ[1] = LINCOM.RANC(2);
    Outputs o;
    o.FCLTOT[1] = 42.0f;
    const std::array<float, 150> ZANCQ{};
    LINDRG(1, 2, RANCQ, ZANCQ, ANGDPQ, o.FCURNT, o.CURFANG, o.TCURNT, o.XYCRMG, o.XYCRMB, o.FCLTOT,
           o.FCLPAR, o.FCLPRP, true, o.DZ, o.DTZ, o.SPRDCRNT);
    EXPECT_EQ(o.FCLTOT[1], 42.0f);
    EXPECT_TRUE(std::isfinite(o.FCLTOT[0]));
    EXPECT_TRUE(std::isfinite(o.DZ[0]));
    EXPECT_TRUE(std::isfinite(o.FCURNT));
}

// A weightless subline inside a catenary keeps one slope, so its slope range is empty: it adds
// nothing to the integrals over the slope (which would divide by its zero weight), and the
// line's results stay finite.
TEST(LineCurrentDrag, WeightlessSublineAddsNothingAndStaysFinite) {
    ScriptedConsole console;
    fill_chain_site();
    TPCM.NELEM(1) = 3;
    for (int e = 1; e <= 3; ++e) {
        TPCM.SLEN(e, 1) = static_cast<float>(chain.L / 3.0);
        TPCM.WETWT(e, 1) = e == 2 ? 0.0f : static_cast<float>(chain.w);
        TPCM.ALPHA(1, e, 1) = static_cast<float>(1.0 / chain.EA);
        TPCM.DIAM(e, 1) = 100.0f;
        TPCM.COFDMT(e, 1) = 1.0f;
    }
    std::array<float, 150> RANCQ{}, ANGDPQ{};
    RANCQ[0] = LINCOM.RANC(1);
    ANGDPQ[0] = 120.0f;
    const Outputs o = run_lindrg(1, 1, RANCQ, ANGDPQ, true);
    ASSERT_EQ(LINCOM.SCLWT(2), 0.0);
    EXPECT_GT(o.FCLTOT[0], 0.0f);
    EXPECT_TRUE(std::isfinite(o.FCLTOT[0]));
    EXPECT_TRUE(std::isfinite(o.DZ[0]));
    EXPECT_TRUE(std::isfinite(o.DTZ[0]));
    const DragLine line = solved_chain();
    EXPECT_EQ(V2INTEG(line, LINCOM.TMPTAN(2), LINCOM.TMPTAN(3), -100.0f, -10.0f, 1.0f, 51, 2),
              0.0f);
}

} // namespace
} // namespace lintar
