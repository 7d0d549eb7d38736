// Tests of the environmental force and yaw moment at a trial heading: the switches, the axis
// rotations, the sums and directions, the yaw table, the DP rule, the weathervaning moment of
// wind on a turret-moored hull as a closed form, and the refusal of wave loads whose tables no
// hull model fills.
#include "environment/net_environment.h"

#include "blocks/equilb.h"
#include "blocks/pascom.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/wave_drift.h"
#include "environment/wave_table_check.h"
#include "runtime/stop.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/rao_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using testing::FakeHullModel;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

constexpr double pi = std::numbers::pi;

double pierson_moskowitz(double w) {
    const double g = 9.8;
    const double wp = 2.0 * pi / (15.66 * std::sqrt(4.0 / g));
    return 0.0081 * g * g / std::pow(w, 5.0) * std::exp(-1.25 * std::pow(wp / w, 4.0));
}

// A ship of the motion set-up (31 periods, 1000 m of water) with every load switched off, a
// stand-in hull, and the sea spectra of Pierson-Moskowitz for when a test turns them on.
class NetEnvironment : public ::testing::Test {
protected:
    ScratchFolder folder;
    ScriptedConsole console{std::string(10, '\n')};
    FakeHullModel fake;

    void SetUp() override {
        testing::set_up_motion_run();
        install_hull_model(HullModelKind::ship, &fake);
        TpcmBlock& T = TPCM;
        T.EDUNIT = screen_unit;
        T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = 0;
        T.AUXFRC = T.AXFC2 = T.AXFC3 = 0;
        T.DPRFLG = T.DPAFLG = 0;
        T.YAWTBL = 0;
        T.IARCO = 1;
        T.LEGDRG = 1;
        T.LWVCOF = 0x444; // the empirical drift model
        T.WVFCX = T.WVFCY = T.WVFCM = 1.0f;
        T.CG_to_Midship = 0.0f;
        // The grid's wave numbers, which the static equilibrium puts in WAVCOM.
        for (int k = 1; k <= T.NWP; ++k) {
            WAVCOM.WVK(k) = testing::grid_wave_number(k);
            WAVCOM.WPSD(k) = WAVCOM.SWLPSD(k) = WAVCOM.SWLPSD2(k) =
                static_cast<float>(pierson_moskowitz(WAVCOM.W(k)));
        }
        WAVCOM.BOWCF = WAVCOM.BEAMCF = 1.0f;
        EQUILB.YAWARM = 0.0f;
    }
};

TEST_F(NetEnvironment, NothingSwitchedOnGivesNoLoad) {
    const NetForces F = NETFOR(0.7f, false);
    for (const float f : {F.FXWIND, F.FYWIND, F.FXWAVE, F.FYWAVE, F.FXSWEL, F.FYSWEL, F.FXSWEL2,
                          F.FYSWEL2, F.FXWVDG, F.FYWVDG, F.FXSWDG, F.FYSWDG, F.FXSWDG2, F.FYSWDG2,
                          F.FXCURR, F.FYCURR, F.FXENVT, F.FYENVT, F.FRCANG})
        EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(TORQUE(0.7f), 0.0f);
}

TEST_F(NetEnvironment, UserForceInEarthOrVesselAxes) {
    TPCM.AUXFRC = 1;
    TPCM.XVFRC = 1.0f;
    TPCM.YVFRC = 0.0f;
    TPCM.CRDSYS = 0;
    NetForces F = NETFOR(static_cast<float>(pi / 2), false);
    EXPECT_NEAR(F.FXENVT, 0.0, 1e-6);
    EXPECT_NEAR(F.FYENVT, -1.0, 1e-6);
    EXPECT_NEAR(F.FRCANG, -pi / 2, 1e-6);
    TPCM.CRDSYS = 1;
    F = NETFOR(static_cast<float>(pi / 2), false);
    EXPECT_EQ(F.FXENVT, 1.0f);
    EXPECT_EQ(F.FYENVT, 0.0f);
}

TEST_F(NetEnvironment, DpForceOnlyWhenItsFlagIsOne) {
    TPCM.DPXPNT = 10.0f;
    TPCM.DPXSPR = 2.0f;
    TPCM.DPYFRC = 3.0f;
    EQUILB.RVES(1) = 4.0f;
    TPCM.DPRFLG = 2;
    EXPECT_EQ(NETFOR(0.0f, false).FXENVT, 0.0f);
    TPCM.DPRFLG = 1;
    const NetForces F = NETFOR(0.0f, false);
    EXPECT_EQ(F.FXENVT, 12.0f);
    EXPECT_EQ(F.FYENVT, 3.0f);
}

TEST_F(NetEnvironment, WindAlongTheHeadingComesAtHalfACircle) {
    // Method 5: the coefficients are -cos and -sin of the relative angle.
    TPCM.LWIND = 1;
    TPCM.LWBARG = 0x555;
    TPCM.TXWNDA = 2.0f;
    TPCM.YWNDAR = 3.0f;
    SINES.WNDCOF = 0.5f;
    const float heading = 0.4f;
    TPCM.WNDHDG = heading * 57.295776f;
    const NetForces F = NETFOR(heading, false);
    EXPECT_NEAR(SINES.C(1), -1.0, 1e-6); // the harmonics of the relative angle pi
    EXPECT_NEAR(F.FXWIND, 0.5 * 2.0, 1e-6);
    EXPECT_NEAR(F.FYWIND, 0.0, 1e-6);
}

TEST_F(NetEnvironment, ComponentsSumToTheTotalsAndDragFollowsItsSwitch) {
    TPCM.LWIND = 1;
    TPCM.LWBARG = 0x555;
    TPCM.TXWNDA = TPCM.YWNDAR = 100.0f;
    SINES.WNDCOF = 0.01f;
    TPCM.WNDHDG = 40.0f;
    TPCM.LRANDM = TPCM.LSWELL = 1;
    TPCM.SEAHDG(1) = 200.0f;
    TPCM.SWLHDG = 250.0f;
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 1;
    TPCM.XVFRC = 5.0f;
    TPCM.YVFRC = -2.0f;
    NetForces F = NETFOR(0.3f, false);
    EXPECT_NE(F.FXWAVE, 0.0f);
    EXPECT_NE(F.FYSWEL, 0.0f);
    for (const float drag : {F.FXWVDG, F.FYWVDG, F.FXSWDG, F.FYSWDG, F.FXSWDG2, F.FYSWDG2})
        EXPECT_EQ(drag, 0.0f);
    // The swell's relative angle is kept for the other routines.
    EXPECT_NEAR(EQUILB.SWLANG, 250.0 / 57.295776 - 0.3 + pi, 1e-5);
    TPCM.LEGDRG = 0;
    TPCM.LCBARG = 0x777; // the drag's current coefficients: -cos, -sin
    TPCM.CURFAC = 1.0f;
    TPCM.DWATR = 1025.0f;
    F = NETFOR(0.3f, false);
    EXPECT_NE(F.FXWVDG, 0.0f);
    const float x = F.FXWAVE + F.FXWIND + F.FXCURR + F.FXSWEL + F.FXSWEL2 + F.FXWVDG + F.FXSWDG +
                    F.FXSWDG2 + 5.0f;
    const float y = F.FYWAVE + F.FYWIND + F.FYCURR + F.FYSWEL + F.FYSWEL2 + F.FYWVDG + F.FYSWDG +
                    F.FYSWDG2 - 2.0f;
    EXPECT_FLOAT_EQ(F.FXENVT, x);
    EXPECT_FLOAT_EQ(F.FYENVT, y);
    EXPECT_FLOAT_EQ(F.FRCANG, std::atan2(y, x));
}

TEST_F(NetEnvironment, TorqueTwoSumsItsPartsToTorque) {
    TPCM.LWIND = TPCM.LRANDM = 1;
    TPCM.LWBARG = 0x555;
    TPCM.YWNDAR = 100.0f;
    TPCM.XWARM = 20.0f;
    SINES.WNDCOF = 0.01f;
    TPCM.WNDHDG = 40.0f;
    TPCM.SEAHDG(1) = 200.0f;
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 0;
    TPCM.VESMOM = 7.0f;
    EQUILB.FEXTRN = 3.0f;
    EQUILB.PHIFEX = 0.5f;
    TPCM.XVLOC = 30.0f;
    EQUILB.YAWARM = 50.0f;
    const TorqueParts Q = TORQUE2(0.2f);
    EXPECT_EQ(Q.TORQUE_VAL, TORQUE(0.2f));
    EXPECT_NE(Q.WIND_TQ, 0.0f);
    EXPECT_NE(Q.WAV_RFL_TQ, 0.0f);
    EXPECT_NEAR(Q.AUX1_TQ, 7.0 + (30.0 - 50.0) * std::sin(0.5 - 0.2) * 3.0, 1e-4);
    EXPECT_FLOAT_EQ(Q.TORQUE_VAL, Q.AUX1_TQ + Q.WIND_TQ + Q.WAV_RFL_TQ);
}

TEST_F(NetEnvironment, TensionLegProgramsTakeTheCurrentOverTheDraftAtTheirHeave) {
    // The 1/7-power profile v = V (1 - z / D)^(1/7) has the mean square over a depth d
    //   V^2 (7 D / 9 d) (1 - (1 - d / D)^(9/7)).
    // Programs 14 and 17 take it over the draft deepened by the heave ZCGVAR (20 + 30 ft in
    // 1000 ft), give the draft back, and make the pressure factor DWATR / G CURFAC u V^2 (u =
    // 0.0014224 kips per knot^2 in English units); the others keep the factor they hold.
    // The current from dead astern with the drag method -cos, -sin: F_x = factor x XCURAR.
    struct Case {
        std::int32_t SIMTYP;
        bool deepened;
    };
    const Case cases[] = {{14, true}, {17, true}, {8, false}};
    const double D = 1000.0;
    const double d = 50.0;
    const double V = 2.0;
    const double mean_square =
        V * V * 7.0 * D / (9.0 * d) * (1.0 - std::pow(1.0 - d / D, 9.0 / 7.0));
    const double factor = 64.0 / 32.174 * 1.5 * 0.0014224 * mean_square;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.SIMTYP);
        TpcmBlock& T = TPCM;
        T.SIMTYP = c.SIMTYP;
        T.NUNTS = 0;
        T.DEPTH = static_cast<float>(D);
        T.DRAFT = 20.0f;
        EQUILB.ZCGVAR = 30.0f;
        T.DWATR = 64.0f;
        WAVCOM.G = 32.174f;
        T.LCURNT = 1;
        T.LCSTCR = 0;
        T.CURSPD = static_cast<float>(V);
        T.CURFAC = 1.5f;
        T.LCBARG = 0x777;
        T.XCURAR = 100.0f;
        SINES.CURCOF = 0.25f; // what the factor held before
        const float heading = 0.4f;
        T.CURHDG = heading * 57.295776f;
        const NetForces F = NETFOR(heading, false);
        const double expected = (c.deepened ? factor : 0.25) * 100.0;
        EXPECT_NEAR(F.FXCURR, expected, 1e-5 * expected);
        EXPECT_NEAR(F.FYCURR, 0.0, 1e-5 * expected);
        EXPECT_EQ(T.DRAFT, 20.0f);
    }
}

TEST_F(NetEnvironment, UserForceInVesselAxesTurnsWithTheVessel) {
    TPCM.AUXFRC = 1;
    TPCM.CRDSYS = 1;
    EQUILB.FEXTRN = 3.0f;
    EQUILB.PHIFEX = 0.5f;
    TPCM.XVLOC = 30.0f;
    TPCM.YVLOC = 4.0f;
    EXPECT_EQ(TORQUE(0.1f), TORQUE(2.1f));
    TPCM.CRDSYS = 0;
    EXPECT_NE(TORQUE(0.1f), TORQUE(2.1f));
}

TEST_F(NetEnvironment, YawTableMirrorsItsSideAndExtendsItsLastInterval) {
    // An articulated column's arrangement 4 points the environment from dead ahead: the table
    // angle is the heading less EQLYAW.
    TPCM.IARCO = 4;
    TPCM.YAWTBL = 1;
    TPCM.EQLYAW = 0.0f;
    TPCM.YAWINC = 10.0f;
    TPCM.NUMTAB = 3;
    TPCM.AUXTRQ(1) = 5.0f;
    TPCM.AUXTRQ(2) = 15.0f;
    TPCM.AUXTRQ(3) = 25.0f;
    EXPECT_FLOAT_EQ(TORQUE(0.0f), -5.0f); // the sign of zero counts as positive
    const auto at = [](double degrees) { return TORQUE(static_cast<float>(degrees * pi / 180)); };
    EXPECT_NEAR(at(15.0), -20.0, 1e-4);
    EXPECT_NEAR(at(-15.0), 20.0, 1e-4);
    // Beyond the table (35 degrees) the last interval is extended: 5 + 3.5 x 10.
    EXPECT_NEAR(at(35.0), -40.0, 1e-4);
}

TEST_F(NetEnvironment, WindWeathervanesATurretMooredHull) {
    // Wind only, method 5 without wind arms, the moment about a turret a quarter length ahead:
    // M(psi) = q A_y XSALM sin(psi_w - psi + pi). It vanishes at psi_w and psi_w + pi with
    // slopes of opposite sign; the stable heading (falling moment) is psi_w - 180 degrees.
    TPCM.LWIND = 1;
    TPCM.LWBARG = 0x555;
    TPCM.XWARM = TPCM.YWARM = 0.0f;
    TPCM.YWNDAR = 2000.0f;
    SINES.WNDCOF = 0.05f;
    TPCM.XSALM = TPCM.LWL / 4.0f;
    EQUILB.YAWARM = TPCM.XSALM;
    TPCM.WNDHDG = 30.0f;
    const double qAx = 0.05 * 2000.0 * TPCM.XSALM;
    for (const double psi : {-100.0, 0.0, 75.0, 170.0}) {
        const double psi_w = 30.0 * pi / 180.0;
        EXPECT_NEAR(TORQUE(static_cast<float>(psi * pi / 180)),
                    qAx * std::sin(psi_w - psi * pi / 180 + pi), 1e-3 * qAx);
    }
    const auto at = [](double degrees) { return TORQUE(static_cast<float>(degrees * pi / 180)); };
    EXPECT_NEAR(at(-150.0), 0.0, 1e-4 * qAx);
    EXPECT_NEAR(at(30.0), 0.0, 1e-4 * qAx);
    EXPECT_LT(at(-149.0), 0.0);
    EXPECT_GT(at(-151.0), 0.0);
    EXPECT_GT(at(31.0), 0.0);
    EXPECT_LT(at(29.0), 0.0);
}

// ---- The wave loads whose tables no hull model fills -------------------------------------

struct Refusal {
    const char* what;
    std::int32_t VESTYP, SEMI_LIKE, LEGDRG, LWVCOF;
    const char* first_line; // empty: available
};

TEST_F(NetEnvironment, WaveLoadsWithoutTheirTablesAreRefusedAtTheEntry) {
    const Refusal cases[] = {
        {"disc buoy with wave drag", 4, 0, 0, 0x444,
         " ++> FATAL error: wave drag is not available for a disc-shaped buoy:"},
        {"disc buoy without wave drag", 4, 0, 1, 0x444, ""},
        {"cylinder drift on a semisubmersible", 3, 1, 1, 0x171,
         " ++> FATAL error: the vertical-cylinder drift model (code 7) is not available for a "
         "semisubmersible;"},
        {"built-in surge drift with member drag", 3, 1, 0, 0x113,
         " ++> FATAL error: wave drag on a semisubmersible needs the user drift file for surge "
         "and sway;"},
        {"user drift files with member drag", 3, 1, 0, 0x311, ""},
        {"member drift without drag", 3, 1, 1, 0x333, ""},
        {"cylinder drift on a ship", 1, 0, 0, 0x555, ""},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedConsole entry("\n");
        ScratchFolder empty;
        TPCM.LRANDM = 1;
        TPCM.EDUNIT = screen_unit;
        TPCM.VESTYP = c.VESTYP;
        TPCM.SEMI_LIKE = c.SEMI_LIKE;
        TPCM.LEGDRG = c.LEGDRG;
        TPCM.LWVCOF = c.LWVCOF;
        const auto stop = run_until_stop([] { check_wave_load_tables(screen_unit); });
        if (std::string(c.first_line).empty()) {
            EXPECT_FALSE(stop.has_value());
            EXPECT_EQ(entry.screen(), "");
        } else {
            ASSERT_TRUE(stop.has_value());
            EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
            EXPECT_EQ(entry.screen().rfind(std::string(c.first_line) + "\n", 0), 0u);
            EXPECT_TRUE(std::filesystem::is_empty(empty.path())); // nothing written
        }
    }
}

TEST_F(NetEnvironment, WithoutWavesNothingIsChecked) {
    TPCM.VESTYP = 4;
    TPCM.LEGDRG = 0;
    EXPECT_FALSE(run_until_stop([] { check_wave_load_tables(screen_unit); }).has_value());
    // The drift routine itself still refuses to compute with the missing tables.
    EXPECT_EQ(run_until_stop([] { DRIFTF(0, 1, 0.0f, WAVCOM.WPSD_words, 0.0f, 0, 1); }),
              StopKind::error);
}

TEST_F(NetEnvironment, ShipWithCylinderDriftGetsNoDrift) {
    // The displacement hull's cylinder table is 0 by its own rule: codes 5 and 7 give no drift.
    TPCM.LRANDM = 1;
    TPCM.LWVCOF = 0x555;
    TPCM.SEAHDG(1) = 200.0f;
    const NetForces F = NETFOR(0.0f, false);
    EXPECT_EQ(F.FXWAVE, 0.0f);
    EXPECT_EQ(F.FYWAVE, 0.0f);
}

} // namespace
} // namespace lintar
