// Tests of the ship's equivalent box and characteristics: the box of a rectangular vessel,
// the ellipsoid surge mass and the rigid-lid waterplane masses against independent values,
// the natural-period iteration, and the warnings and failures of the search.
#include "hulls/ship_hull.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/ship_curves.h"
#include "runtime/units.h"
#include "support/console.h"
#include "util/angles.h"

#include "support/ship_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace lintar {
namespace {

using testing::box_B;
using testing::box_KML;
using testing::box_KMT;
using testing::box_L;
using testing::box_T;
using testing::box_volume;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_grid_entry;
using testing::set_up_box_ship;

constexpr float two_pi = 2.0f * pi_single;

TEST(ShipBox, ResidualAndBracketOfTheBoxDraft) {
    EXPECT_FLOAT_EQ(FCT(0.0f, box_KML, box_KMT, box_volume), -1.0e8f);
    // The first turning point of the residual for Q = KML / KMT + 1 (worked by hand).
    const float DUPP = box_bracket_end(box_KML / box_KMT + 1.0f, box_KMT);
    EXPECT_NEAR(DUPP, 14.6328f, 1e-3f);
    // One sign change on [0, DUPP], at T = 5 (the box's own draft).
    int changes = 0;
    float at = 0.0f;
    float previous = FCT(0.0f, box_KML, box_KMT, box_volume);
    for (int i = 1; i <= 14632; ++i) {
        const float X = 0.001f * static_cast<float>(i);
        const float f = FCT(X, box_KML, box_KMT, box_volume);
        if ((f > 0.0f) != (previous > 0.0f)) {
            ++changes;
            at = X;
        }
        previous = f;
    }
    EXPECT_EQ(changes, 1);
    EXPECT_NEAR(at, 5.0f, 0.0015f);
}

TEST(ShipBox, ShapeFunctionsAgainstTheRigidLidIntegrals) {
    // (1/2 pi) of the double area integrals of 1/|r - r'| and x x'/|r - r'| over the L x B
    // rectangle, over (L/2)^3 and (L/2)^5, with a = B/L, by Duffy-transformed Gauss-Legendre
    // quadrature in double precision (an independent computation).
    struct Case {
        float a;
        double heave, pitch;
    };
    const Case cases[] = {{1.0f, 3.7856080, 0.5000056}, {0.2f, 0.2920902, 0.0562014}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a);
        EXPECT_NEAR(FHEAVE(c.a), c.heave, 2e-6 * c.heave);   // constant 2.54648: 6 digits
        EXPECT_NEAR(FPITCH(c.a), c.pitch, 1.5e-5 * c.pitch); // constant 0.056588: 5 digits
    }
    // The surge mass of the box: the ellipsoid coefficient 0.034228 (axis ratios 10 and 5)
    // times the rectangular-section factor RECTCM(0.1) = 1.712303.
    ScriptedConsole console;
    EXPECT_NEAR(SGSWMS(0.1f, 0.2f, 1, screen_unit), 0.058609f, 1e-4f * 0.058609f);
}

TEST(ShipCharacteristics, TheBoxOfARectangularVessel) {
    ScriptedConsole console;
    set_up_box_ship();
    SHPCHR();
    const HimemBlock& H = HIMEM;
    EXPECT_NEAR(H.EDRAFT, box_T, 0.001f);
    EXPECT_NEAR(H.BEAM, box_B, 0.005f);
    EXPECT_NEAR(H.SHIPL, box_L, 0.02f);
    EXPECT_EQ(WAVCOM.BEAMQ, H.BEAM);
    EXPECT_EQ(WAVCOM.SHPLNQ(), H.SHIPL);
    EXPECT_EQ(WAVCOM.DRAFTQ, H.EDRAFT);
    EXPECT_FLOAT_EQ(H.DELTA, box_volume);
    EXPECT_FLOAT_EQ(H.GML, box_KML - 2.5f);
    EXPECT_FLOAT_EQ(H.GMT, box_KMT - 2.5f);
    // The box's centre of gravity is the vessel's: KG = T/2 + Iwp/V - GMT.
    EXPECT_NEAR(H.EVKG, 2.5f, 1e-3f);
    EXPECT_NEAR(H.CSG, 0.058609f, 2e-4f * 0.058609f);
    EXPECT_EQ(TPCM.AWP, 2000.0f);
    EXPECT_FLOAT_EQ(H.HC, 32.152f * 2000.0f);
    // Zero-frequency waterplane masses of the 100 x 20 rectangle (the integrals above).
    EXPECT_NEAR(H.HMAS0, 50.0 * 50.0 * 50.0 * 0.2920902, 5e-4 * H.HMAS0);
    EXPECT_NEAR(H.PMAS0, std::pow(50.0, 5) * 0.0562014, 5e-4 * H.PMAS0);
    EXPECT_TRUE(console.screen().empty()) << console.screen();

    // The natural periods settle inside the grid: each frequency is that of its mass at the
    // grid period nearest to it.
    for (const auto& [w, j] : {std::pair{H.WH, H.JH}, {H.WP, H.JP}, {H.WR, H.JR}}) {
        EXPECT_GE(j, 1);
        EXPECT_LE(j, TPCM.NWP);
        EXPECT_LE(std::abs(TPCM.T(j) - two_pi / w), 0.5f + 1e-4f);
    }
    const float k = HIMEM.RLDUM(HIMEM.LCNWK + H.JH - 1);
    const float A33 = H.HMAS0 * (H.HMSRAT + (1.0f - H.HMSRAT) * std::exp(-k * 50.0f));
    EXPECT_NEAR(H.WH, std::sqrt(H.HC / (box_volume + A33)), 1e-3f * H.WH);
}

TEST(ShipCharacteristics, UserPeriodsFixTheFrequenciesAndTheGridFollows) {
    ScriptedConsole console;
    set_up_box_ship();
    TPCM.LPTPRD = 1;
    TPCM.PITPRD = 9.2f;
    TPCM.LHVPRD = 1;
    TPCM.HEVPRD = 13.0f;
    TPCM.LRLPRD = 1;
    TPCM.ROLPRD = 17.4f;
    SHPCHR();
    const HimemBlock& H = HIMEM;
    EXPECT_EQ(H.WP, two_pi / 9.2f);
    EXPECT_EQ(H.WH, two_pi / 13.0f);
    EXPECT_EQ(H.WR, two_pi / 17.4f);
    EXPECT_EQ(TPCM.T(H.JP), 9.0f);
    EXPECT_EQ(TPCM.T(H.JH), 13.0f);
    EXPECT_EQ(TPCM.T(H.JR), 17.0f);
    // The added masses belong to the grid point of the fixed period.
    const float XH = HIMEM.RLDUM(HIMEM.LCNWK + H.JH - 1) * 50.0f;
    EXPECT_FLOAT_EQ(H.HVMAS, box_volume + H.HMAS0 * (H.HMSRAT + (1.0f - H.HMSRAT) * std::exp(-XH)));
}

TEST(ShipCharacteristics, WaterplaneNotGivenOrSuspicious) {
    {
        ScriptedConsole console;
        set_up_box_ship();
        TPCM.AWP = 0.0f;
        SHPCHR();
        EXPECT_NEAR(TPCM.AWP, 2000.0f, 1.0f);
        EXPECT_TRUE(console.screen().empty()) << console.screen();
    }
    // Half the box's waterplane: the warning once per run, the abort pause every time.
    ScriptedConsole console("\n\nA\n");
    set_up_box_ship();
    TPCM.AWP = 1000.0f;
    SHPCHR();
    const std::string pause = "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ";
    EXPECT_EQ(console.screen(), " ++> Suspicious equivalent box\n"
                                " --> Re-check input data and retry or proceed at risk...\n" +
                                    pause);
    EXPECT_FLOAT_EQ(HIMEM.HC, 32.152f * 1000.0f);
    console.clear_screen_text();
    SHPCHR();
    EXPECT_EQ(console.screen(), pause);
    console.clear_screen_text();
    EXPECT_EQ(run_until_stop([] { SHPCHR(); }), StopKind::user_choice);
}

TEST(ShipCharacteristics, BeamBeyondLengthWarnsAndCompletes) {
    ScratchFolder folder;
    ScriptedConsole console("\n");
    set_up_box_ship();
    // A box 20 long, 22 wide and 5 deep: KMT = 2.5 + 22^2/60, KML = 2.5 + 20^2/60.
    TPCM.VKMT = 2.5f + 484.0f / 60.0f;
    TPCM.VKML = 2.5f + 400.0f / 60.0f;
    TPCM.DISPL = 2200.0f * 64.0f / 1000.0f;
    TPCM.AWP = 440.0f;
    TPCM.NEGSUM = 0;
    TPCM.IUNIT = 1;
    ASSERT_TRUE(open_unit(1, "report.txt", OpenStatus::replace, FileForm::formatted));
    SHPCHR();
    close_unit(1);
    const std::string warning = " ++> Warning: equivalent box beam exceeds length;\n"
                                " --> Pitch/roll damping estimates may be compromised.\n";
    EXPECT_EQ(console.screen(),
              warning + "\a\n Enter \"A\" to abort or Press <RETURN> to continue: ");
    EXPECT_EQ(folder.read("report.txt"), warning);
    const HimemBlock& H = HIMEM;
    EXPECT_NEAR(H.SHIPL, 20.0f, 0.01f);
    EXPECT_NEAR(H.BEAM, 22.0f, 0.01f);
    for (const float v :
         {H.WP, H.WH, H.WR, H.CSG, H.CSW, H.PTCHI, H.ROLI, H.HVMAS, H.HMAS0, H.PMAS0, H.RMAS0}) {
        EXPECT_TRUE(std::isfinite(v));
        EXPECT_GT(v, 0.0f);
    }
}

TEST(ShipCharacteristics, ABoxFarWiderThanLongStopsInsteadOfNaN) {
    // The box above turned through 90 degrees is five times wider than long; the added-mass
    // fits give it a negative heave mass beyond its own.
    ScriptedConsole console("\n\n");
    set_up_box_ship();
    std::swap(TPCM.VKML, TPCM.VKMT);
    EXPECT_EQ(run_until_stop([] { SHPCHR(); }), StopKind::error);
    EXPECT_NE(console.screen().find(" ++> Equivalent box proportions give a non-positive "
                                    "inertia;\n     recheck vessel hydrostatics (especially "
                                    "KML, KMT) and retry\n \n Press <RETURN> to continue: "),
              std::string::npos)
        << console.screen();
}

TEST(ShipCharacteristics, NoBoxStopsAfterTenRetries) {
    ScriptedConsole console("\n");
    set_up_box_ship();
    TPCM.DISPL = 640.0f * 1000.0f; // a thousand times the volume for the same metacentres
    EXPECT_EQ(run_until_stop([] { SHPCHR(); }), StopKind::error);
    EXPECT_EQ(console.screen(), " ++> Equivalent box determination failure;\n"
                                "     recheck vessel hydrostatics (especially KML, KMT) and retry\n"
                                "     Error Index =     2\n"
                                " \n Press <RETURN> to continue: ");
}

TEST(ShipCharacteristics, NaturalPeriodsThatDoNotSettleStop) {
    ScriptedConsole console("\n");
    set_up_box_ship(40, 2.0f, 0.25f);
    // Wave numbers that make the heave mass jump: short waves (no added mass beyond the high-
    // frequency one) above 4.6 s, long ones below, so the heave period swings between about
    // 3.9 s and 5.3 s, six grid points apart.
    for (int IW = 1; IW <= 40; ++IW) {
        const float omega = 2.0f * pi_single / TPCM.T(IW);
        set_grid_entry(IW, omega, TPCM.T(IW) > 4.6f ? 100.0f : 1.0e-6f);
    }
    EXPECT_EQ(run_until_stop([] { SHPCHR(); }), StopKind::error);
    EXPECT_EQ(console.screen(), " ++> Failure in natural period loop; change wave period grid "
                                "and retry.\n \n Press <RETURN> to continue: ");
}

} // namespace
} // namespace lintar
