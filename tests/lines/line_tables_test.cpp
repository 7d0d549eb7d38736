// Tests of the line-table stage MRSTAT: the table columns against independent single-line
// references, the load grids, the mean states, the masses and tendon stiffnesses, the splines
// across the layer rows, and the refusals and mended faults.
#include "spline_reference.h"
#include "support/table_fixture.h"

#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "lines/line_tables.h"
#include "runtime/stop.h"
#include "support/console.h"
#include "support/mooring_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr double degrees = 180.0 / std::numbers::pi;

// The tables are four-byte reals from a float solve (about 6e-8 of a value, amplified a
// little by a line's sensitivity to its top slope; see line_shape_test.cpp): 2e-6 of a span or
// a tension and 1e-4 degrees; a steep chain's slope is found to 1e-5 of itself only, which
// moves its span by up to 1e-5 of the line length. A wrong law, a lost grounded part or a
// wrong layer height errs by 1e-3 or more.
constexpr double rel_tol = 2e-6;
constexpr double angle_tol_deg = 1e-4;

// MRSTAT in a scratch folder holding the fixture's strain database, with a scripted keyboard.
struct TableRun {
    ScratchFolder folder;
    ScriptedConsole console;
    std::optional<StopKind> stop;

    explicit TableRun(const std::function<void()>& fill, std::string keyboard = "",
                      const std::string& database = three_type_strain_database())
        : console(std::move(keyboard)) {
        folder.write("LINE_STRAIN_DB.txt", database);
        fill();
        stop = run_until_stop([] { MRSTAT(); });
    }
};

// The submerged weight of the grounded part of a line: the stretched length `grounded`
// (stretched at the horizontal tension H) taken from the anchor end up.
double grounded_weight(const Line& line, double H, double grounded) {
    double weight = 0.0;
    for (auto s = line.rbegin(); s != line.rend() && grounded > 0.0; ++s) {
        const double stretch = 1.0 + s->a1 * H + s->a2 * H * H + s->a3 * H * H * H;
        const double here = std::min(grounded, s->L * stretch);
        weight += here / stretch * s->w;
        grounded -= here;
    }
    return weight;
}

// The fixture's lines as TPCM holds them (four-byte reals), for the references.
Line stored(const Line& line) {
    Line out = line;
    for (auto& s : out) {
        s.L = static_cast<float>(s.L);
        s.w = static_cast<float>(s.w);
        s.a1 = static_cast<float>(s.a1);
    }
    return out;
}

struct Column {
    double XF, Ttop, top_deg, anc_deg, grounded, friction;
};
Column table_point(int k, int L, int t) {
    const LincomBlock& C = LINCOM;
    return {C.ANCDST(k, L, t),           C.TOPTEN(k, L, t), C.TOPANG(k, L, t) * degrees,
            C.BOTANG(k, L, t) * degrees, C.BOTLEN(k, L, t), C.FFRICT(k, L, t)};
}

void expect_column(const Column& c, const Column& ref, double length, double slack_span = 0.0) {
    EXPECT_NEAR(c.XF, ref.XF, std::max(rel_tol * ref.XF, slack_span));
    EXPECT_NEAR(c.Ttop, ref.Ttop, rel_tol * ref.Ttop);
    EXPECT_NEAR(c.top_deg, ref.top_deg, angle_tol_deg);
    EXPECT_NEAR(c.anc_deg, ref.anc_deg, angle_tol_deg);
    EXPECT_NEAR(c.grounded, ref.grounded, std::max(rel_tol * length, slack_span));
    EXPECT_NEAR(c.friction, ref.friction, rel_tol * ref.Ttop);
}

TEST(LineTables, PointTwoOfTheChainAndRopeColumnsIsTheirReferenceCase) {
    TableRun run(fill_three_type_mooring);
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const FixtureScales s = fixture_scales();
    ASSERT_EQ(LINCOM.MIDLYR, 4);
    ASSERT_EQ(LINCOM.HLOD(2), s.HMIN);
    {
        SCOPED_TRACE("type A: C01");
        const auto c = reference_case("C01");
        const double H = c.HF * s.chain;
        const double stretch = 1.0 + H / (c.EA * s.chain);
        expect_column(table_point(2, 4, 1),
                      {c.XF, c.Ttop * s.chain, c.top_deg, c.anc_deg, c.LBot * stretch,
                       seabed_friction * c.LBot * c.w * s.chain},
                      c.L, 1e-5 * c.L);
    }
    {
        SCOPED_TRACE("type C: P01, its law from LINE_STRAIN_DB.txt");
        const auto p = reference_case("P01");
        expect_column(table_point(2, 4, 3), {p.XF, p.Ttop * s.rope, p.top_deg, p.anc_deg, 0.0, 0.0},
                      p.L);
    }
}

TEST(LineTables, AtZeroLoadTheChainHangsFromItsFairleadWithTheRestOnTheSeabed) {
    // An unstretched length h hangs, stretched by its own weight: h + a1 w h^2 / 2 = ZF; the
    // rest lies on the seabed, unstretched (no tension), with its friction. Every layer row,
    // each after a column of another type whose compliance is loaded at the highest load.
    TableRun run(fill_three_type_mooring);
    ASSERT_FALSE(run.stop.has_value());
    const Subline chain = stored(chain_line())[0];
    for (int L = 1; L <= 7; ++L) {
        SCOPED_TRACE(L);
        const double ZF = 980.0 + 5.0 * (L - 4);
        const double aw = chain.a1 * chain.w;
        const double h = (std::sqrt(1.0 + 2.0 * aw * ZF) - 1.0) / aw;
        const LincomBlock& C = LINCOM;
        EXPECT_NEAR(C.TOPTEN(1, L, 1), chain.w * h, rel_tol * chain.w * h);
        EXPECT_NEAR(C.BOTLEN(1, L, 1), chain.L - h, rel_tol * chain.L);
        EXPECT_EQ(C.ANCDST(1, L, 1), C.BOTLEN(1, L, 1));
        EXPECT_NEAR(C.FFRICT(1, L, 1), seabed_friction * chain.w * (chain.L - h),
                    rel_tol * chain.w * chain.L);
        EXPECT_FLOAT_EQ(C.TOPANG(1, L, 1) * degrees, 90.0f);
        EXPECT_EQ(C.VRTFLG(L, 1), 0);
    }
}

TEST(LineTables, ColumnsMatchTheIntegratedLineAtChosenPointsAndLayers) {
    TableRun run(fill_three_type_mooring);
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    struct Type {
        int t;
        Line line;
        float anchor;
    };
    const Type types[] = {{1, stored(chain_line()), chain_anchor},
                          {2, stored(wire_over_chain_line()), chain_anchor},
                          {3, stored(rope_line()), rope_anchor}};
    for (const auto& type : types) {
        double length = 0.0;
        for (const auto& s : type.line)
            length += s.L;
        for (const int L : {1, 4, 7}) {
            // Row L stands for the fairlead raised by (L - 4) x 5 m.
            const double ZF = fairlead_z + 5.0 * (L - 4) - fixture_draft + type.anchor;
            for (const int k : {20, 45, 70, 90}) {
                SCOPED_TRACE(::testing::Message()
                             << "type " << type.t << " row " << L << " point " << k);
                const double H = LINCOM.HLOD(k);
                const Solved ref = reference_solve(type.line, H, ZF, true);
                expect_column(table_point(k, L, type.t),
                              {ref.XF, ref.Ttop, ref.top_deg, ref.anc_deg, ref.BOTLN,
                               seabed_friction * grounded_weight(type.line, H, ref.BOTLN)},
                              length, 1e-5 * length);
            }
        }
    }
    // The vertical spans of the entered fairlead height.
    EXPECT_FLOAT_EQ(OUTCOM.DZTOTL(1, 4, 1), 980.0f);
    EXPECT_FLOAT_EQ(OUTCOM.DZTOTL(4, 4, 2), 980.0f);
    EXPECT_FLOAT_EQ(OUTCOM.DZTOTL(6, 4, 1), 1000.0f);
}

TEST(LineTables, TheGeometricGridRunsFromHminToTload) {
    TableRun run(fill_three_type_mooring);
    ASSERT_FALSE(run.stop.has_value());
    const LincomBlock& C = LINCOM;
    EXPECT_EQ(C.HLOD(1), 0.0f);
    EXPECT_EQ(C.HLOD(2), TPCM.HMIN);
    EXPECT_NEAR(C.HLOD(90), 1000.0, 1e-5 * 1000.0);
    const double ratio = std::pow(1000.0 / TPCM.HMIN, 1.0 / 88.0);
    for (int k = 3; k <= 90; ++k)
        EXPECT_NEAR(C.HLOD(k) / C.HLOD(k - 1), ratio, 1e-5) << "point " << k;
}

TEST(LineTables, AZeroHminGivesTheDoublingGridWithItsCrossover) {
    // TLOAD 100, HMIN 0 (defaulted to 0.05): crossover at INT(log2(0.1 x 100 / 0.05)) + 1 = 8;
    // loads 0.05 x 2^(k-2) to point 8, then steps of 0.9 x 100 / (90 - 8 - 1).
    TableRun run([] {
        fill_spread_mooring();
        TPCM.TLOAD = 100.0f;
        TPCM.HTENS(1) = TPCM.HTENS(2) = TPCM.HTENS(3) = TPCM.HTENS(4) = 50.0f;
        TPCM.HMIN = 0.0f;
        TPCM.NLAYER = 1;
    });
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    EXPECT_EQ(TPCM.HMIN, 0.05f);
    for (int k = 2; k <= 8; ++k)
        EXPECT_NEAR(LINCOM.HLOD(k), 0.05 * std::pow(2.0, k - 2), 1e-6) << "point " << k;
    for (int k = 9; k <= 90; ++k)
        EXPECT_NEAR(LINCOM.HLOD(k), 3.2 + (k - 8) * 90.0 / 81.0, 2e-5) << "point " << k;
}

TEST(LineTables, EachProfileKindOfAnEquivalentValueGivesTheSameMeanState) {
    // Line 1's profile value as a fairlead angle, a distance, a top tension or a horizontal
    // force, each the table's value at the same horizontal load: at point 40 itself, and
    // between points 40 and 41 (the table's own interpolation of each column there).
    const int k = 40;
    for (const double between : {0.0, 0.37}) {
        double H = 0.0;
        std::vector<double> values;
        {
            TableRun first([] {
                fill_spread_mooring();
                TPCM.NLAYER = 1;
            });
            ASSERT_FALSE(first.stop.has_value());
            const LincomBlock& C = LINCOM;
            const auto at = [&](const float& column_k) {
                const float* p = &column_k;
                return p[0] + between * (p[1] - p[0]);
            };
            H = at(C.HLOD(k));
            values = {at(C.TOPANG(k, 1, 1)) * 57.295776, at(C.ANCDST(k, 1, 1)),
                      at(C.TOPTEN(k, 1, 1)), H};
        }
        for (int LODTYP = 0; LODTYP <= 3; ++LODTYP) {
            SCOPED_TRACE(::testing::Message() << "LODTYP " << LODTYP << ", " << between);
            const double value = values[static_cast<std::size_t>(LODTYP)];
            TableRun run([&] {
                fill_spread_mooring();
                TPCM.NLAYER = 1;
                TPCM.LODTYP = LODTYP;
                for (int i = 1; i <= 4; ++i)
                    TPCM.HTENS(i) = static_cast<float>(value);
            });
            ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
            const LincomBlock& C = LINCOM;
            const double RANC =
                C.ANCDST(k, 1, 1) + between * (C.ANCDST(k + 1, 1, 1) - C.ANCDST(k, 1, 1));
            EXPECT_NEAR(C.HMEAN, H, 1e-5 * H);
            EXPECT_NEAR(C.RANC(1), RANC, 2e-6 * RANC);
            EXPECT_NEAR(C.RANC(4), RANC, 2e-6 * RANC);
            // The mean state is solved, not interpolated: at a table point it is the table's.
            if (between == 0.0) {
                EXPECT_NEAR(C.TPTEN0, C.TOPTEN(k, 1, 1), rel_tol * C.TPTEN0);
            }
        }
    }
}

TEST(LineTables, AnUnloadedLineHangsFromItsFairleadWithTheRestOnTheSeabed) {
    TableRun run([] {
        fill_spread_mooring();
        TPCM.NLAYER = 1;
        TPCM.LODTYP = 3;
        TPCM.HTENS(4) = 0.0f; // the last line evaluated
    });
    ASSERT_FALSE(run.stop.has_value());
    const LincomBlock& C = LINCOM;
    EXPECT_EQ(C.HMEAN, 0.0f);
    EXPECT_EQ(C.RANC(4), C.BOTLEN(1, 1, 1));
    EXPECT_EQ(C.TPTEN0, C.TOPTEN(1, 1, 1));
    EXPECT_EQ(C.BTTEN0, C.BOTOMZ);
    // 280 ft hang from the fairlead (20 ft above a 40 ft draft, anchors 300 ft down): an
    // unstretched length h of the first chain, stretched under its own weight,
    // h + a1 w h^2 / 2 = 280; the rest of 2500 ft lies on the seabed.
    const double aw = 1.0e-5 * 0.0783;
    const double h = (std::sqrt(1.0 + 2.0 * aw * 280.0) - 1.0) / aw;
    EXPECT_NEAR(C.RANC(4), 2500.0 - h, 1e-3);
    EXPECT_NEAR(C.TPTEN0, h * 0.0783, 1e-5);
}

TEST(LineTables, MassesFollowTheHalfSineModeAndGravityComesFromTheUnits) {
    // Two sublines with dry weights and added-mass coefficients; G unset before the stage.
    for (const int NUNTS : {0, 1}) {
        SCOPED_TRACE(NUNTS);
        TableRun run([&] {
            fill_spread_mooring();
            TPCM.NLAYER = 1;
            TPCM.NUNTS = NUNTS;
            TPCM.COFMST(1, 1) = 1.5f;
            TPCM.COFMST(2, 1) = 0.8f;
            WAVCOM.G = 0.0f;
        });
        ASSERT_FALSE(run.stop.has_value());
        const double G = NUNTS == 1 ? 9.8 : 32.152;
        EXPECT_FLOAT_EQ(WAVCOM.G, static_cast<float>(G));
        // Mass per length of each subline, then the modal mass as the integral of
        // m(x) sin^2(pi x / L) along the line (Simpson, 2000 intervals).
        const double s1 = 1000.0, s2 = 1500.0, L = s1 + s2;
        const double m1 = (0.0783 + 1.5 * (0.0900 - 0.0783)) / G;
        const double m2 = (0.1066 + 0.8 * (0.1225 - 0.1066)) / G;
        const auto sin2 = [&](double x) {
            const double s = std::sin(std::numbers::pi * x / L);
            return s * s;
        };
        double modal = 0.0;
        for (const auto [a, b, m] : {std::array{0.0, s1, m1}, std::array{s1, L, m2}}) {
            const int n = 1000;
            const double h = (b - a) / n;
            double sum = sin2(a) + sin2(b);
            for (int i = 1; i < n; ++i)
                sum += (i % 2 ? 4.0 : 2.0) * sin2(a + i * h);
            modal += m * sum * h / 3.0;
        }
        EXPECT_NEAR(LINCOM.VIRT_LINMAS(1), (m1 * s1 + m2 * s2) / L, 1e-6 * m1);
        EXPECT_NEAR(LINCOM.LINE_MODEMAS(1), modal, 1e-5 * modal);
        EXPECT_FLOAT_EQ(LINCOM.TOTLN(1), 2500.0f);
        EXPECT_NEAR(LINCOM.TOTWT(1), 1000.0 * 0.0783 + 1500.0 * 0.1066, 1e-3);
    }
}

TEST(LineTables, TendonStiffnessesOfASparComeFromTheTautVerticalLine) {
    // Two vertical tendons of one steel subline that cannot reach the seabed: the top tension
    // rises by 1 / (a1 L) per unit rise of the fairlead, and with weight w the top tension is
    // ((DZ - L) / a1 - w L^2 / 2) / L + w L. Three layer rows of 1 ft: both tendons are taken
    // at the entered fairlead height in the middle row.
    constexpr double L = 900.0, w = 0.05, a1 = 1.0e-6, DZ = 902.0;
    constexpr double x = 30.0, y = 12.0, z = 20.0, VKG = 50.0, DWATR = 64.0, DISPL = 9000.0;
    TableRun run([&] {
        fill_spread_mooring();
        TPCM.SIMTYP = 17;
        TPCM.STAMOT = 0;
        TPCM.NLAYER = 3;
        TPCM.ZSPAN = 2.0f;
        TPCM.NLIN = 2;
        TPCM.NLINE(1) = 2;
        TPCM.NELEM(1) = 1;
        TPCM.SLEN(1, 1) = static_cast<float>(L);
        TPCM.WETWT(1, 1) = static_cast<float>(w);
        TPCM.ALPHA(1, 1, 1) = static_cast<float>(a1);
        TPCM.ANCHGT(1) = static_cast<float>(DZ - (z - 40.0));
        TPCM.RFLD(1, 1) = static_cast<float>(x);
        TPCM.RFLD(2, 1) = static_cast<float>(y);
        TPCM.RFLD(1, 2) = static_cast<float>(-x);
        TPCM.RFLD(2, 2) = static_cast<float>(-y);
        TPCM.VKG = static_cast<float>(VKG);
        TPCM.DWATR = static_cast<float>(DWATR);
        TPCM.DISPL = static_cast<float>(DISPL);
        TPCM.TLOAD = 5000.0f;
        TPCM.HTENS(1) = TPCM.HTENS(2) = 3000.0f;
        WAVCOM.G = 32.152f;
    });
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    const double DELF = 1.0 / (a1 * L);
    const double Ttop = ((DZ - L) / a1 - w * L * L / 2.0) / L + w * L;
    const double DWFAC = 32.152 * 1000.0 / DWATR;
    EXPECT_NEAR(LINCOM.TOPTEN(1, 2, 1), Ttop, 1e-4 * Ttop);
    EXPECT_NEAR(PASCOM.HTENDN, 2.0 * DELF * DWFAC, 1e-3 * DELF * DWFAC);
    EXPECT_NEAR(PASCOM.PTENDN, 2.0 * (x * x * DELF + Ttop * (VKG - z)) * DWFAC,
                1e-3 * x * x * DELF * DWFAC);
    EXPECT_NEAR(PASCOM.RTENDN, 2.0 * (y * y * DELF + Ttop * (VKG - z)) * DWFAC,
                1e-3 * y * y * DELF * DWFAC);
    EXPECT_NEAR(PASCOM.NET_TNDN_FRC, 2.0 * Ttop, 1e-4 * Ttop);
    EXPECT_NEAR(PASCOM.TLPWGHT, DISPL - 2.0 * Ttop, 1e-3 * Ttop);
}

TEST(LineTables, TopTensionSplinesAcrossTheLayerRowsAreNatural) {
    TableRun run(fill_three_type_mooring);
    ASSERT_FALSE(run.stop.has_value());
    const std::vector<double> rows = {1, 2, 3, 4, 5, 6, 7};
    for (const int t : {1, 3}) {
        for (const int k : {1, 2, 50, 90}) {
            SCOPED_TRACE(::testing::Message() << "type " << t << " point " << k);
            std::vector<double> T;
            for (int L = 1; L <= 7; ++L)
                T.push_back(LINCOM.TOPTEN(k, L, t));
            const auto M = spline_second_derivatives(rows, T, {}, {});
            for (int L = 1; L <= 7; ++L)
                EXPECT_NEAR(LINCOM.TT_SPLINE_DERIV(k, L, t), M[static_cast<std::size_t>(L - 1)],
                            1e-5 * T[6]);
        }
    }
}

TEST(LineTables, ASingleLayerHasNoSpanAndNoSplines) {
    TableRun run([] {
        fill_spread_mooring();
        TPCM.NLAYER = 1;
        TPCM.ZSPAN = 25.0f;
    });
    ASSERT_FALSE(run.stop.has_value());
    EXPECT_EQ(TPCM.ZSPAN, 0.0f);
    EXPECT_EQ(LINCOM.MIDLYR, 1);
    EXPECT_EQ(LINCOM.DLAYER, 0.0f);
    for (int k = 1; k <= 90; ++k)
        EXPECT_EQ(LINCOM.TT_SPLINE_DERIV(k, 1, 1), 0.0f);
}

TEST(LineTables, FlagsOfAnEarlierBuildDoNotSurviveTheNextOne) {
    // One process builds four times: a slack line on a solid seabed (friction at zero load),
    // the same over a transparent bottom (no friction there), a line too short to reach the
    // seabed (taut: VRTFLG 1) and the slack line again (VRTFLG back to 0).
    ScratchFolder folder;
    ScriptedConsole console;
    const auto build = [](std::int32_t anctyp, float anchor) {
        fill_spread_mooring();
        TPCM.NLAYER = 1;
        TPCM.ANCTYP(1) = anctyp;
        TPCM.ANCHGT(1) = anchor;
        TPCM.LODTYP = 3;
        for (int i = 1; i <= 4; ++i)
            TPCM.HTENS(i) = 200.0f;
        return run_until_stop([] { MRSTAT(); });
    };
    ASSERT_FALSE(build(1, 300.0f).has_value()) << console.screen();
    EXPECT_GT(LINCOM.FFRICT(1, 1, 1), 0.0f);
    ASSERT_FALSE(build(0, 300.0f).has_value()) << console.screen();
    EXPECT_EQ(LINCOM.FFRICT(1, 1, 1), 0.0f);
    ASSERT_FALSE(build(1, 2600.0f).has_value()) << console.screen();
    EXPECT_EQ(LINCOM.VRTFLG(1, 1), 1);
    ASSERT_FALSE(build(1, 300.0f).has_value()) << console.screen();
    EXPECT_EQ(LINCOM.VRTFLG(1, 1), 0);
}

// The refusals before anything is built: each message between empty lines, then the Return
// pause and an error stop; nothing is written but the message.
TEST(LineTables, GridsAndDescriptionsTheTablesCannotHoldAreRefused) {
    struct Case {
        const char* name;
        std::function<void()> change;
        std::string message;
    };
    const Case cases[] = {
        {"no maximum load", [] { TPCM.TLOAD = 0.0f; },
         " ++> No maximum tension value set for interpolation table\n"},
        {"two points", [] { TPCM.NUMTAB = 2; },
         " ++> Fewer than 3 points set for interpolation table (NUMTAB = 2)\n"},
        {"91 points", [] { TPCM.NUMTAB = 91; },
         " ++> More than 90 points set for interpolation table (NUMTAB = 91)\n"},
        {"HMIN at TLOAD", [] { TPCM.HMIN = TPCM.TLOAD; },
         " ++> Minimum tension value not below the maximum tension value set\n"
         "     for interpolation table\n"},
        {"HMIN so small that TLOAD / HMIN overflows", [] { TPCM.HMIN = 1e-37f; },
         " ++> Minimum tension value too small for interpolation table: the ratio\n"
         "     of maximum to minimum tension is beyond the range of real numbers\n"},
        {"defaulted HMIN above TLOAD",
         [] {
             TPCM.HMIN = 0.0f;
             TPCM.TLOAD = 0.04f;
         },
         " ++> Minimum tension value not below the maximum tension value set\n"
         "     for interpolation table\n"},
        {"doubling grid without steps",
         [] {
             TPCM.HMIN = 0.0f; // crossover at INT(log2(0.1 x 1000 / 0.05)) + 1 = 11
             TPCM.NUMTAB = 12;
         },
         " ++> Too few points set for the doubling interpolation table:\n"
         "     NUMTAB must exceed 12 for this ratio of maximum to minimum tension.\n"},
        {"two tendon layers",
         [] {
             TPCM.TENDON_FLG = 1;
             TPCM.NLAYER = 2;
         },
         " ++> Tendon interpolation tables need at least 3 layers (2 are set)\n"},
        {"26 sublines", [] { TPCM.NELEM(1) = 26; },
         " ++> The mooring description exceeds the capacity of the line tables:\n"
         "     number of sublines of line type A = 26\n"},
        {"30 layers", [] { TPCM.NLAYER = 30; },
         " ++> The mooring description exceeds the capacity of the line tables:\n"
         "     number of interpolation layers = 30\n"},
        {"a line listed twice, another under no type", [] { TPCM.LINTYP(4, 1) = 3; },
         " ++> Line 3 is listed twice in the lists of lines of the line types\n"
         "     (under type A and type A): every line belongs to exactly one type.\n"},
        {"a line without a type", [] { TPCM.NLIN = 5; },
         " ++> The numbers of lines of the line types do not add up to the number\n"
         "     of lines: 4 listed, 5 lines.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TableRun run(
            [&] {
                fill_spread_mooring();
                c.change();
            },
            "\n");
        EXPECT_EQ(run.stop, StopKind::error);
        EXPECT_EQ(run.console.screen(), "\n" + c.message + "\n \n Press <RETURN> to continue: ");
        EXPECT_FALSE(run.folder.has("CATOUT.stxt"));
    }
}

TEST(LineTables, ALineTautAtItsFairleadAndSlackOneRowBelowIsReported) {
    // 1000 ft of chain: the middle row spans 1005 ft (taut), the row below 995 ft (slack).
    TableRun run(
        [] {
            fill_spread_mooring();
            TPCM.NLAYER = 3;
            TPCM.ZSPAN = 20.0f;
            TPCM.NELEM(1) = 1;
            TPCM.ANCHGT(1) = 1025.0f;
            TPCM.LODTYP = 3;
            for (int i = 1; i <= 4; ++i)
                TPCM.HTENS(i) = 100.0f;
        },
        "\n");
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    EXPECT_EQ(LINCOM.VRTFLG(2, 1), 1);
    EXPECT_EQ(LINCOM.VRTFLG(1, 1), 0);
    EXPECT_NE(run.console.screen().find(
                  "\n"
                  " ++> Line type A, and possibly others, is initially taut; however\n"
                  "     it goes limp within the first adjacent interpolation layer.\n"
                  "     If possible, you should decrease layer thickness until \n"
                  "     this condition is remedied.\n"
                  "\n"),
              std::string::npos);
}

TEST(LineTables, AfterATrimExpansionTheStrainDatabaseFollowsTheNewTypeNumbers) {
    // With a trim every line has its own type: the rope lines 5 and 6 become types 5 and 6,
    // keep their selection of subline 1, and the database holds their blocks in that order.
    std::string database = three_type_strain_database();
    const auto first_line_end = database.find('\n');
    const std::string points = database.substr(first_line_end + 1);
    database = "10 5 1\n" + points + "10 6 1\n" + points;
    TableRun run(
        [] {
            fill_three_type_mooring();
            TPCM.TRIMDG = 0.5f;
            TPCM.STAMOT = 0;
        },
        "\n", database);
    ASSERT_FALSE(run.stop.has_value()) << run.console.screen();
    EXPECT_EQ(TPCM.NTYP, 6);
    for (int t = 1; t <= 6; ++t)
        EXPECT_EQ(TPCM.STRESS_STRAIN_FILE(t), t >= 5 ? 1 : 0) << "type " << t;
    EXPECT_EQ(LINCOM.NSTRS_STRN(1, 5), 10);
    EXPECT_EQ(LINCOM.NSTRS_STRN(1, 6), 10);
    EXPECT_EQ(TPCM.LINTYP(1, 5), 5);
    EXPECT_EQ(TPCM.LINTYP(1, 6), 6);
}

} // namespace
} // namespace lintar
