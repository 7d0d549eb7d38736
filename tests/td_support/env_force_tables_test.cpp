// The environment side of the support data: the low-frequency force tables against the closed
// forms of the -cos/-sin load models, the wind coefficient against the mean wind force at the
// same heading, the net entry against its components, and the driver's files and timing.
#include "td_support/env_force_tables.h"

#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/net_environment.h"
#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/rao_fixture.h"
#include "td_support/env_support_fixture.h"
#include "td_support/force_spectra.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace lintar {
namespace {

using namespace lintar::testing;

constexpr double pi = std::numbers::pi;
constexpr double deg = 57.295776;

using EnvForceTables = EnvSupport;

// A table file read back: the count and the rows of angle and three values.
struct TableRow {
    double angle, fx, fy, mz;
    std::string text;
};
struct TableFileText {
    std::string first;
    std::vector<TableRow> rows;
};

TableFileText read_table(const std::string& name) {
    std::istringstream in(read_text(name));
    TableFileText t;
    std::getline(in, t.first);
    for (std::string line; std::getline(in, line);) {
        TableRow r{};
        r.text = line;
        std::istringstream fields(line);
        fields >> r.angle >> r.fx >> r.fy >> r.mz;
        t.rows.push_back(r);
    }
    return t;
}

// Without wind or current both coefficient files are written all the same, at the attack angle
// alone, as the load of a unit load factor: WNDCOF0 x area x coefficient; without seas, swell
// or external force nothing else is written.
TEST_F(EnvForceTables, WithoutWindTheCoefficientTablesStandAtTheAttackAngle) {
    std::int32_t id = -1, secs = -1, map = 7, damp = 8;
    WRITE_SQUAL_ENV_DATA(id, secs, map, damp);
    EXPECT_EQ(map, 7);
    EXPECT_EQ(damp, 8);
    EXPECT_EQ(id, 0);

    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator("td_aux"))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"LF_Crnt_Frc_Cofs.vkdt", "LF_Wind_Frc_Cofs.vkdt"}));

    const double WNDCOF0 = 1.2 * 0.128 / 2000.0;
    const double CURCOF0 = 1025.0 / WAVCOM.G * 0.9 / 2000.0;
    struct Check {
        const char* file;
        double factor, x_area, y_area, x_arm, y_arm;
    };
    for (const Check& c :
         {Check{"td_aux/LF_Wind_Frc_Cofs.vkdt", WNDCOF0, 800.0, 3000.0, 4.0, 1.0},
          Check{"td_aux/LF_Crnt_Frc_Cofs.vkdt", CURCOF0, 320.0, 2000.0, 0.0, 0.0}}) {
        SCOPED_TRACE(c.file);
        const TableFileText t = read_table(c.file);
        EXPECT_EQ(t.first, "  145");
        ASSERT_EQ(t.rows.size(), 145u);
        EXPECT_EQ(t.rows[0].text.substr(0, 9), "   360.00");
        EXPECT_EQ(t.rows[144].text.substr(0, 9), "     0.00");
        EXPECT_EQ(t.rows[144].text.substr(9), t.rows[0].text.substr(9));
        for (std::size_t i = 0; i < 144; i += 13) {
            const double a = (144.0 - static_cast<double>(i)) * 2.5;
            EXPECT_NEAR(t.rows[i].angle, a, 1e-9);
            // The relative angle of an environment from heading 0: pi - psi.
            const double angle = pi - (360.0 - a) / deg;
            const double fx = c.factor * c.x_area * -std::cos(angle);
            const double fy = c.factor * c.y_area * -std::sin(angle);
            const double mz =
                c.factor * c.y_area *
                (c.x_arm * std::cos(angle) - c.y_arm * std::sin(angle) + 12.0 * std::sin(angle));
            const double scale = c.factor * c.y_area * 20.0;
            EXPECT_NEAR(t.rows[i].fx, fx, 1e-5 * scale) << a;
            EXPECT_NEAR(t.rows[i].fy, fy, 1e-5 * scale) << a;
            EXPECT_NEAR(t.rows[i].mz, mz, 1e-5 * scale) << a;
        }
    }
    // The vessel's own heading is back, and the notes are on the console.
    EXPECT_EQ(EQUILB.VESANG(), 0.3f);
    EXPECT_NE(console.screen().find(" >>> Vorlakine: building low-frequency coefficient tables..."),
              std::string::npos);
    EXPECT_NE(console.screen().find(" >>> End Vorlakine support enviromental mapping..."),
              std::string::npos);
}

// With wind, a coefficient times (WNDSPD x 1.687)^2 is the mean wind force at that heading;
// with a current, the same against the current force.
TEST_F(EnvForceTables, WithWindTheCoefficientTimesTheSquaredSpeedIsTheWindForce) {
    TpcmBlock& T = TPCM;
    T.NUNTS = 0;
    T.LWIND = T.LCURNT = 1;
    T.WNDSPD = 35.0f;
    T.WNDHDG = 30.0f;
    T.CURSPD = 2.0f;
    T.CURHDG = 100.0f;
    SINES.WNDCOF = 0.0004f;
    SINES.CURCOF = 0.02f;
    const std::array<float, NUM_LO_TAB> grid = lf_heading_grid();
    auto forces = std::make_unique<std::array<LfForceArrays, 3>>();
    for (std::int32_t IXYZ = 1; IXYZ <= 2; ++IXYZ)
        GET_LF_NET_FORCES(0, IXYZ, (*forces)[static_cast<std::size_t>(IXYZ - 1)], NUM_LO_TAB, grid,
                          1, 0.0f);
    const float wind2 = (35.0f * 1.687f) * (35.0f * 1.687f);
    const float current2 = (2.0f * 1.687f) * (2.0f * 1.687f);
    for (int m = 1; m <= NUM_LO_TAB; m += 12) {
        const std::size_t k = static_cast<std::size_t>(m - 1);
        const float psi = (360.0f - grid[k]) / 57.295776f;
        const NetForces N = NETFOR(psi, false);
        SCOPED_TRACE(grid[k]);
        EXPECT_NEAR((*forces)[0].FWND_ARR[k] * wind2, N.FXWIND, 1e-4 * 0.0004 * 3000);
        EXPECT_NEAR((*forces)[1].FWND_ARR[k] * wind2, N.FYWIND, 1e-4 * 0.0004 * 3000);
        EXPECT_NEAR((*forces)[0].FCRNT_ARR[k] * current2, N.FXCURR, 1e-4 * 0.02 * 2000);
        EXPECT_NEAR((*forces)[1].FCRNT_ARR[k] * current2, N.FYCURR, 1e-4 * 0.02 * 2000);
    }
}

// The net entry sums the nine component forces: wind and current as forces (their stored
// columns are coefficients), the six wave loads and the external force.
TEST_F(EnvForceTables, TheNetEntrySumsTheNineComponentForces) {
    TpcmBlock& T = TPCM;
    T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = 1;
    T.WNDSPD = 30.0f;
    T.WNDHDG = 30.0f;
    T.CURSPD = 2.0f;
    T.CURHDG = 100.0f;
    T.SEAHDG(1) = 200.0f;
    T.SWLHDG = 240.0f;
    T.SWLHDG2 = 300.0f;
    SINES.WNDCOF = 0.0004f;
    SINES.CURCOF = 0.02f;
    T.AUXFRC = 1;
    T.CRDSYS = 1;
    T.XVFRC = 20.0f;
    T.YVFRC = -5.0f;
    T.XVLOC = 30.0f;
    T.YVLOC = 2.0f;
    T.VESMOM = 100.0f;
    EQUILB.FEXTRN = 20.0f;
    EQUILB.PHIFEX = 0.5f;
    const std::array<float, NUM_LO_TAB> grid = lf_heading_grid();
    auto forces = std::make_unique<std::array<LfForceArrays, 3>>();
    for (std::int32_t IXYZ = 1; IXYZ <= 3; ++IXYZ)
        GET_LF_NET_FORCES(0, IXYZ, (*forces)[static_cast<std::size_t>(IXYZ - 1)], NUM_LO_TAB, grid,
                          1, 0.0f);
    for (int m = 1; m <= NUM_LO_TAB; m += 16) {
        const std::size_t k = static_cast<std::size_t>(m - 1);
        const float psi = (360.0f - grid[k]) / 57.295776f;
        const NetForces N = NETFOR(psi, false);
        SCOPED_TRACE(grid[k]);
        const LfForceArrays& X = (*forces)[0];
        const LfForceArrays& Y = (*forces)[1];
        const LfForceArrays& Z = (*forces)[2];
        EXPECT_NE(X.FWVDFT_ARR[k], 0.0f);
        EXPECT_NE(Y.FSWLDFT_ARR2[k], 0.0f);
        EXPECT_EQ(X.FEXT_ARR[k], 20.0f);
        EXPECT_EQ(Y.FEXT_ARR[k], -5.0f);
        // Vessel axes: the moment of a force of 20 at (30 - 12, 2) in the direction 0.5 rad.
        EXPECT_NEAR(Z.FEXT_ARR[k], (18.0 * std::sin(0.5) - 2.0 * std::cos(0.5)) * 20.0 + 100.0,
                    1e-3);
        for (const LfForceArrays* A : {&X, &Y}) {
            const float wind = A == &X ? N.FXWIND : N.FYWIND;
            const float current = A == &X ? N.FXCURR : N.FYCURR;
            const float waves = A->FWVDFT_ARR[k] + A->FWVDRG_ARR[k] + A->FSWLDFT_ARR[k] +
                                A->FSWLDRG_ARR[k] + A->FSWLDFT_ARR2[k] + A->FSWLDRG_ARR2[k];
            const float sum = wind + current + waves + A->FEXT_ARR[k];
            EXPECT_NEAR(A->FNET_ARR[k], sum, 1e-4f * (std::abs(sum) + 1.0f));
        }
    }
}

// The spectra are timed on the wall clock: across midnight a day is added.
TEST_F(EnvForceTables, TheSpectraTimeIsPositiveAcrossMidnight) {
    int reads = 0;
    set_clock([&reads] {
        ++reads;
        return reads == 1 ? LocalTime{2026, 12, 31, 23, 59, 50} : LocalTime{2027, 1, 1, 0, 0, 15};
    });
    std::int32_t id = 0, secs = 0, map = 0, damp = 0;
    WRITE_SQUAL_ENV_DATA(id, secs, map, damp);
    set_clock({});
    EXPECT_EQ(secs, 25);
}

// A direction outside 1 to 3 is an error of the caller: in an unattended run the run stops
// without waiting for an answer nobody can give.
TEST_F(EnvForceTables, AnUnknownDirectionStopsTheRun) {
    auto forces = std::make_unique<LfForceArrays>();
    const std::array<float, NUM_LO_TAB> grid = lf_heading_grid();
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    TPCM.EDUNIT = diagnostics_unit;
    EXPECT_EQ(run_until_stop([&] { GET_LF_NET_FORCES(0, 4, *forces, 3, grid, 1, 0.0f); }),
              StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_EQ(read_text("Diagnostics.stxt"),
              " +=> Index error in GET_LF_NET_FORCES; please contact Kelbrin\n"
              "     Press X to exit...\n");
}

// The table writer: the count, rows at base + grid angle, a closing row that repeats the first,
// values divided by the squared strength only when asked.
TEST_F(EnvForceTables, TheTableWriterClosesTheTableOnItself) {
    const std::vector<float> grid{10.0f, 5.0f, 0.0f};
    const std::vector<float> fx{1.0f, 2.0f, 3.0f}, fy{-1.0f, -2.0f, -3.0f}, mz{4.0f, 8.0f, 16.0f};
    ASSERT_TRUE(open_unit(77, "TABLE.txt", OpenStatus::replace, FileForm::formatted));
    WRITE_LF_FRC_PGS(77, 3, 5.0f, grid, fx, fy, mz, 2.0f, 400.0f, 0.0f, false);
    WRITE_LF_FRC_PGS(77, 3, 5.0f, grid, fx, fy, mz, 2.0f, 400.0f, 0.0f, true);
    close_unit(77);
    EXPECT_EQ(read_text("TABLE.txt"),
              "    3\n"
              "   410.00   0.10000000E+01  -0.10000000E+01   0.40000000E+01\n"
              "   405.00   0.20000000E+01  -0.20000000E+01   0.80000000E+01\n"
              "   400.00   0.10000000E+01  -0.10000000E+01   0.40000000E+01\n"
              "    3\n"
              "   410.00   0.25000000E+00  -0.25000000E+00   0.10000000E+01\n"
              "   405.00   0.50000000E+00  -0.50000000E+00   0.20000000E+01\n"
              "   400.00   0.25000000E+00  -0.25000000E+00   0.10000000E+01\n");
}

} // namespace
} // namespace lintar
