// Tests of the nonlinear excursion correction (NLNCOR) on tabulated energy curves: a hardening
// spring against its closed form, a linear spring, both directions, tabulated offsets, the
// stop outside the table and the tables too short or too flat to interpolate on.
#include "blocks/tpcm.h"
#include "line_dynamics/excursion_correction.h"
#include "runtime/units.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

// The energy of the spring 0.5 x^2 + c x^4 (K = 1 at the origin) at x = x0, x0 + 1, ...
std::vector<float> energy_table(double c, int x0, int count) {
    std::vector<float> E;
    for (int k = 0; k < count; ++k) {
        const double x = x0 + k;
        E.push_back(static_cast<float>(0.5 * x * x + c * x * x * x * x));
    }
    return E;
}

struct Corrected {
    float DXNLIN = 0.0f;
    std::int32_t MIN = 0;
};
Corrected nlncor(const std::vector<float>& ERG, float EQB, const std::vector<float>& OFFSET,
                 float DXLIN, float EQLOFF, bool LSPM = false) {
    Corrected r;
    NLNCOR(ERG, EQB, OFFSET, DXLIN, r.DXNLIN, 1.0f, 0.0f, EQLOFF,
           static_cast<std::int32_t>(ERG.size()), r.MIN, LSPM, screen_unit);
    return r;
}

TEST(ExcursionCorrection, AHardeningSpringShortensTheExcursion) {
    // E = 0.5 x^2 + 0.0025 x^4 at x = 0..89. A linear excursion of 10 stores 50, which lies
    // between E(8) = 42.24 and E(9) = 56.9025: 8 + 7.76 / 14.6625 = 8.529241 (the exact inverse,
    // 8.555997, differs by the linear interpolation of the energy between the table points).
    ScriptedConsole console;
    const std::vector<float> ERG = energy_table(0.0025, 0, 90);
    const std::vector<float> step = {1.0f};
    const Corrected r = nlncor(ERG, 0.0f, step, 10.0f, 1.0f);
    EXPECT_NEAR(r.DXNLIN, 8.529241f, 2e-6f);
    EXPECT_EQ(r.MIN, 9);
    // Against a negative mean offset the excursion goes the other way on the same curve (the
    // table of steps is one-sided here: the search runs from the equilibrium on, as with it).
    const Corrected negative = nlncor(ERG, 0.0f, {-1.0f}, -10.0f, -5.0f);
    EXPECT_NEAR(negative.DXNLIN, -8.529241f, 2e-6f);
    // An energy within a table step of the equilibrium keeps the linear value; so does 0.
    EXPECT_EQ(nlncor(ERG, 0.0f, step, 1.0f, 1.0f).DXNLIN, 1.0f);
    EXPECT_EQ(nlncor(ERG, 0.0f, step, 0.0f, 1.0f).DXNLIN, 0.0f);
}

TEST(ExcursionCorrection, ALinearSpringKeepsItsExcursion) {
    // E = 0.5 x^2 on steps of 0.5: the equal-energy excursion is the linear one, within the
    // linear interpolation of the energy over one step (at most about step^2 / (8 x)).
    ScriptedConsole console;
    std::vector<float> ERG;
    for (int k = 0; k < 90; ++k)
        ERG.push_back(0.5f * (0.5f * k) * (0.5f * k));
    for (const float x : {3.0f, 7.3f, 20.0f, 40.1f}) {
        SCOPED_TRACE(x);
        const Corrected r = nlncor(ERG, 0.0f, {0.5f}, x, 0.0f);
        EXPECT_NEAR(r.DXNLIN, x, 0.5f * 0.5f / (4.0f * x) + 1e-5f * x);
    }
}

TEST(ExcursionCorrection, AgainstTheMeanOffsetOnlyTheNearSideIsSearched) {
    // A curve tabulated over x = -44..45 (equilibrium at index 45, x = 0) with a stiffer side
    // x > 0: 0.5 x^2 + 0.0025 x^4 there, 0.5 x^2 below. With the mean offset positive, a
    // positive excursion of 10 takes the stiff side (8.529241 as above), a negative one the
    // soft side, where the linear value returns: the search below the equilibrium interval.
    ScriptedConsole console;
    std::vector<float> ERG;
    for (int x = -44; x <= 45; ++x)
        ERG.push_back(x < 0 ? 0.5f * x * x
                            : static_cast<float>(0.5 * x * x + 0.0025 * x * x * x * x));
    const Corrected with = nlncor(ERG, 0.0f, {1.0f}, 10.0f, 3.0f);
    EXPECT_NEAR(with.DXNLIN, 8.529241f, 2e-6f);
    const Corrected against = nlncor(ERG, 0.0f, {1.0f}, -10.0f, 3.0f);
    EXPECT_NEAR(against.DXNLIN, -10.0f, 1e-5f);
    EXPECT_EQ(against.MIN, 35); // the interval from x = -10 to x = -9
    // Tabulated offsets: the offset at the energy less the equilibrium's.
    std::vector<float> OFFSET;
    for (int x = -44; x <= 45; ++x)
        OFFSET.push_back(2.0f * x + 7.0f); // any linear map of x
    const Corrected tabulated = nlncor(ERG, 0.0f, OFFSET, 10.0f, 3.0f, true);
    EXPECT_NEAR(tabulated.DXNLIN, 2.0f * 8.529241f - 2.0f * 0.0f, 4e-5f);
}

TEST(ExcursionCorrection, AnEnergyBeyondTheTableStopsTheRun) {
    const std::vector<float> ERG = energy_table(0.0025, 0, 90);
    {
        ScriptedConsole console("\nnot read\n");
        Corrected r;
        const auto stop = run_until_stop([&] { r = nlncor(ERG, 0.0f, {1.0f}, 1000.0f, 1.0f); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(*stop, StopKind::error);
        EXPECT_EQ(console.screen(),
                  " ++> Nonzero IER =  2 in NLNCOR\n     Press <RETURN> to continue\n");
        // One answer line was read: the next one is still there.
        EXPECT_EQ(read_answer(8), "not read");
    }
    {
        // Unattended: no line is read.
        ScratchFolder folder;
        ScriptedConsole console("still here\n");
        ASSERT_TRUE(open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace,
                              FileForm::formatted));
        Corrected r;
        const auto stop = run_until_stop([&] {
            NLNCOR(ERG, 0.0f, std::vector<float>{1.0f}, 1000.0f, r.DXNLIN, 1.0f, 0.0f, 1.0f, 90,
                   r.MIN, false, diagnostics_unit);
        });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(*stop, StopKind::error);
        close_unit(diagnostics_unit);
        EXPECT_EQ(folder.read("Diagnostics.stxt"),
                  " ++> Nonzero IER =  2 in NLNCOR\n     Press <RETURN> to continue\n");
        EXPECT_EQ(read_answer(10), "still here");
    }
}

TEST(ExcursionCorrection, TablesWithoutAnIntervalToInterpolateOnStayFinite) {
    ScriptedConsole console;
    // One entry: no interval; the linear excursion is kept.
    EXPECT_EQ(nlncor({0.0f}, 0.0f, {1.0f}, 4.0f, 1.0f).DXNLIN, 4.0f);
    // The energy equals the table's last and largest entry, which closes no interval: the
    // last interval is taken (whole steps to it, the fraction 1), not an entry past the end.
    const std::vector<float> ERG = {0.0f, 1.0f, 2.0f, 4.5f, 8.0f};
    const Corrected end = nlncor(ERG, 0.0f, {1.0f}, 4.0f, 1.0f);
    EXPECT_FLOAT_EQ(end.DXNLIN, 4.0f);
    EXPECT_EQ(end.MIN, 4);
    // A flat top (equal energies closing the table) adds no fraction: a finite value.
    const std::vector<float> flat = {0.0f, 1.0f, 2.0f, 8.0f, 8.0f};
    const Corrected top = nlncor(flat, 0.0f, {1.0f}, 4.0f, 1.0f);
    EXPECT_TRUE(std::isfinite(top.DXNLIN));
    EXPECT_EQ(top.DXNLIN, 3.0f);
}

} // namespace
} // namespace lintar
