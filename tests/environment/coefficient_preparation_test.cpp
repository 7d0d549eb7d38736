// Tests of the mean-environment coefficient preparation: the tanker size, the Munk factors,
// the bow and stern geometry, the applied forces and the pressure factors.
#include "environment/coefficient_preparation.h"

#include "blocks/equilb.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/program_state.h"
#include "support/console.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace lintar {
namespace {

using testing::ScriptedConsole;

// A 300 x 50 m tanker, 20 m draft in 100 m of water, metric.
void tanker() {
    TPCM.NUNTS = 1;
    TPCM.LWL = 300.0f;
    TPCM.BWL = 50.0f;
    TPCM.DRAFT = 20.0f;
    TPCM.DEPTH = 100.0f;
    TPCM.BOWFAC = 1.0f;
    TPCM.STRNFC = 1.0f;
    WAVCOM.G = 9.8f;
    WAVCOM.DWATRP = 1.025f;
}

TEST(CoefficientPreparation, TankerSizeFromTheDeadweight) {
    struct Case {
        std::int32_t NUNTS;
        float DWTONS, SIZE;
    };
    // Thousands of long tons: 0.000446429 per kip, 0.000984207 per metric ton.
    const Case cases[] = {
        {0, 80.0f / 0.000446429f, 0.0f},  {0, 110.0f / 0.000446429f, 0.5f},
        {0, 140.0f / 0.000446429f, 1.0f}, {1, 50000.0f, 0.0f},
        {1, 111765.0f, 0.499998f},        {1, 300000.0f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.DWTONS);
        ScriptedConsole console;
        tanker();
        TPCM.NUNTS = c.NUNTS;
        TPCM.DWTONS = c.DWTONS;
        CFPREP();
        EXPECT_NEAR(TPCM.SIZE, c.SIZE, 1e-5f);
    }
}

TEST(CoefficientPreparation, BowSternAndTheDriftWords) {
    ScriptedConsole console;
    tanker();
    CFPREP();
    const EquilbBlock& E = EQUILB;
    EXPECT_FLOAT_EQ(E.SINBOW, 0.6f); // sqrt(0.36)
    EXPECT_NEAR(E.COTBOW, 0.8f / 0.6f, 1e-6f);
    EXPECT_FLOAT_EQ(E.BLRAT0, 50.0f / 300.0f);
    EXPECT_NEAR(E.LEFRAT, 1.0f - (1.0f / 6.0f) * (4.0f / 3.0f), 1e-6f);
    EXPECT_NEAR(E.BOWARM, 0.5f * (1.0f - (1.0f / 12.0f) * (4.0f / 3.0f)), 1e-6f);
    EXPECT_FLOAT_EQ(SINES.HOVERD, 5.0f);
    EXPECT_FLOAT_EQ(E.WSCALE, std::sqrt(9.8f / 300.0f));
    EXPECT_FLOAT_EQ(WAVCOM.BEAMCF, 1.025f * 300.0f);
    EXPECT_FLOAT_EQ(WAVCOM.BOWCF, 1.025f * 50.0f);
    EXPECT_EQ(E.WAVARM, E.YAWARM); // yaw drift method other than 6

    // A square bow and stern from 2.77777 on.
    TPCM.BOWFAC = 2.77777f;
    TPCM.STRNFC = 5.0f;
    CFPREP();
    EXPECT_EQ(E.SINBOW, 1.0f);
    EXPECT_EQ(E.COTBOW, 0.0f);
    EXPECT_EQ(E.LEFRAT, 1.0f);
    EXPECT_EQ(E.LEFRT2, 1.0f);
    EXPECT_EQ(E.BOWARM, 0.5f);
    EXPECT_FLOAT_EQ(E.BOWANG, static_cast<float>(std::numbers::pi / 2));
}

TEST(CoefficientPreparation, MunkFactorsOfASphereAreThreeHalves) {
    // A sphere's added mass is half its displaced mass: E = 2/3, 1 + E / (2 - E) = 1.5.
    ScriptedConsole console;
    tanker();
    TPCM.BWL = TPCM.LWL;
    CFPREP();
    EXPECT_NEAR(TPCM.MUNKFAC1, 1.5f, 2e-4f);
    EXPECT_NEAR(TPCM.MUNKFAC2, 1.5f, 2e-4f);
}

TEST(CoefficientPreparation, AppliedForcesAndDpThrust) {
    ScriptedConsole console;
    tanker();
    TPCM.AUXFRC = 1;
    TPCM.XVFRC = 30.0f;
    TPCM.YVFRC = 40.0f;
    TPCM.AXFC2 = 1; // switched on with no force: magnitude 0, direction kept
    EQUILB.PHIFX2 = 0.7f;
    TPCM.AXFC3 = 0;
    EQUILB.FXTRN3 = 9.0f;
    TPCM.DPRFLG = 1;
    TPCM.DPXFRC = 0.0f;
    TPCM.DPYFRC = -5.0f;
    CFPREP();
    EXPECT_FLOAT_EQ(EQUILB.FEXTRN, 50.0f);
    EXPECT_FLOAT_EQ(EQUILB.PHIFEX, std::atan2(40.0f, 30.0f));
    EXPECT_EQ(EQUILB.FXTRN2, 0.0f);
    EXPECT_EQ(EQUILB.PHIFX2, 0.7f);
    EXPECT_EQ(EQUILB.FXTRN3, 0.0f);
    EXPECT_FLOAT_EQ(EQUILB.FDPTOT, 5.0f);
    EXPECT_FLOAT_EQ(EQUILB.PHIFDP, static_cast<float>(-std::numbers::pi / 2));
}

TEST(CoefficientPreparation, PressureFactors) {
    ScriptedConsole console;
    tanker();
    TPCM.LWIND = 0;
    TPCM.LCURNT = 0;
    COFLD();
    EXPECT_EQ(SINES.WNDCOF, 0.0f);
    EXPECT_EQ(SINES.CURCOF, 0.0f);
    // Wind, English: 0.0024356 slug/ft^3 x 0.0014224 x (50 knots)^2 = 0.0086610 kips/ft^2, so
    // 1000 ft^2 at coefficient 1 carry 8.661 kips. Metric, 0.128 x 0.00013213 x 50^2 = 0.042282
    // t/m^2: 100 m^2 carry 4.228 t (independently 1/2 x 1.2557 kg/m^3 x (25.71 m/s)^2 x 100 m^2
    // / 9.81 = 4.23 t).
    TPCM.LWIND = 1;
    TPCM.TWNDCF = 1.0f;
    TPCM.WNDSPD = 50.0f;
    TPCM.NUNTS = 0;
    WAVCOM.RHOAIR = 0.0024356f;
    COFLD();
    EXPECT_NEAR(SINES.WNDCOF * 1000.0f, 8.661f, 1e-3f);
    TPCM.NUNTS = 1;
    WAVCOM.RHOAIR = 0.128f;
    COFLD();
    EXPECT_NEAR(SINES.WNDCOF * 100.0f, 4.228f, 1e-3f);
    // Current, uniform 2 knots: DWATR / G x CURFAC x u x V^2.
    TPCM.LCURNT = 1;
    TPCM.LCSTCR = 1;
    TPCM.CURSPD = 2.0f;
    TPCM.CURFAC = 1.0f;
    TPCM.DWATR = 1.025f;
    COFLD();
    EXPECT_FLOAT_EQ(SINES.CURCOF, 1.025f / 9.8f * 0.00013213f * 4.0f);
}

} // namespace
} // namespace lintar
