// Tests of the box wave forces and the RAOs of the ship-hull model: the depth functions, the
// moment integrals, the roll damping factor, the forces and RAOs of the box in head and beam
// seas against their closed-form limits, and finite results where a transfer function or a
// speed correction would divide by zero.
#include "hulls/ship_hull.h"

#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "support/console.h"
#include "util/angles.h"
#include "util/wave_numbers.h"

#include "support/ship_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>

namespace lintar {
namespace {

using testing::results_at;
using testing::ScriptedConsole;
using testing::set_grid_entry;
using testing::set_up_box_ship;
using testing::SixDof;

constexpr float two_pi = 2.0f * pi_single;

// The box's characteristics and first pass on the fixture's grid at heading HEADING.
void characterise_box(float heading = 0.0f) {
    set_up_box_ship(20, 2.0f, 1.0f, heading);
    SHPCHR();
    std::int32_t NPASS2 = 0;
    SHPFRC(NPASS2);
}

bool all_finite(const SixDof& r) {
    for (const auto& v : r.v)
        if (!std::isfinite(v.real()) || !std::isfinite(v.imag()))
            return false;
    return true;
}

TEST(BoxDepthFactors, DeepWaterFormsAndTheBranchesAgreeAtTheSwitch) {
    // Deep water: the Airy factor at the keel and its average over the draft.
    const float k = 0.05f, T = 8.0f;
    const BoxDepthFactors deep = box_depth_factors(k, T, 1000.0f, 9.0f, 11.0f);
    const double kT = 0.4;
    EXPECT_NEAR(deep.DF1, std::exp(-kT), 1e-6);
    EXPECT_NEAR(deep.DF2, (1.0 - std::exp(-kT)) / kT, 1e-6);
    EXPECT_NEAR(deep.DF3, ((kT + 1.0) * std::exp(-kT) - 1.0) / (kT * kT), 1e-5);
    EXPECT_NEAR(deep.DF1_AM_HV, std::exp(-0.45), 1e-6);
    EXPECT_NEAR(deep.DF1_AM_RL, std::exp(-0.55), 1e-6);
    // At k DEPTH = 10 the finite-depth forms differ from the deep ones by about e^(2kT - 20).
    for (const float kTs : {0.5f, 2.0f, 5.0f}) {
        SCOPED_TRACE(kTs);
        const float kk = 0.1f, depth = 100.0f, draft = kTs / kk;
        const BoxDepthFactors f = box_depth_factors_finite(kk, draft, depth, draft, draft);
        const BoxDepthFactors d = box_depth_factors_deep(kk, draft, draft, draft);
        EXPECT_NEAR(f.DF1, d.DF1, 1e-4f * d.DF1);
        EXPECT_NEAR(f.DF2, d.DF2, 1e-4f * d.DF2);
        EXPECT_NEAR(f.DF3, d.DF3, 1e-4f * std::abs(d.DF3));
        EXPECT_NEAR(f.DF1_AM_HV, d.DF1_AM_HV, 1e-4f * d.DF1_AM_HV);
    }
}

TEST(ShipForceIntegrals, MomentIntegralsAndTheirSmallArgumentForm) {
    // (X cos X - sin X) / X^2 at X = 1 is cos 1 - sin 1.
    EXPECT_NEAR(YAWDRG(1.0f, 0.0f), std::cos(1.0) - std::sin(1.0), 1e-6);
    EXPECT_NEAR(YAWFKF(1.0f, 0.5f), std::sin(0.5) * (std::cos(1.0) - std::sin(1.0)), 1e-6);
    // Below 1e-4 the series -X/3 takes over; both sides agree at the switch.
    EXPECT_NEAR(YAWDRG(0.00009f, 0.3f), -0.00003 * std::cos(0.3), 1e-10);
    EXPECT_NEAR(YAWFKF(-0.00009f, 0.3f), 0.00003 * std::sin(0.3), 1e-10);
    EXPECT_NEAR(YAWDRG(0.02f, 0.0f), -0.02 / 3.0, 2e-3 * 0.02 / 3.0);
}

TEST(Getgam, QuadraticRollDampingLinearisedAndBlendedOverTheKeels) {
    // G1 = CLIN RMASRT (0.424 sqrt(1 + 4 RSLOPE |sin THETA| TQFAC BLGFAC CQUAD /
    // (CLIN^2 RMASRT)) + 0.576), by hand: 0.1 x 0.8 x (0.424 sqrt(1 + 4 x 0.05 x 0.5 x 2 x 0.9
    // x 1.85 / 0.008) + 0.576).
    const double G1 =
        0.08 * (0.424 * std::sqrt(1.0 + 4 * 0.05 * 0.5 * 2 * 0.9 * 1.85 / 0.008) + 0.576);
    const double G2 = 0.08 * (0.424 * std::sqrt(1.0 + 4 * 0.05 * 2 * 1.85 / 0.008) + 0.576);
    const float THETA = 0.5235988f; // 30 degrees
    float GAMRLI = 0.0f;
    GETGAM(GAMRLI, THETA, 0.1f, 0.8f, 0.05f, 2.0f, 0.9f, 1.85f, 100.0f, 0, 20.0f, 3.0f);
    EXPECT_NEAR(GAMRLI, G1, 1e-6 * G1);
    GETGAM(GAMRLI, THETA, 0.1f, 0.8f, 0.05f, 2.0f, 0.9f, 1.85f, 100.0f, 1, 0.0f, 3.0f);
    EXPECT_NEAR(GAMRLI, G1, 1e-6 * G1); // keels of no length
    GETGAM(GAMRLI, THETA, 0.1f, 0.8f, 0.05f, 2.0f, 0.9f, 1.85f, 100.0f, 1, 20.0f, 0.0f);
    EXPECT_NEAR(GAMRLI, G1, 1e-6 * G1); // keels without a lever
    GETGAM(GAMRLI, THETA, 0.1f, 0.8f, 0.05f, 2.0f, 0.9f, 1.85f, 100.0f, 1, 20.0f, 3.0f);
    EXPECT_NEAR(GAMRLI, 0.8 * G1 + 0.2 * G2, 1e-6 * G2);
}

TEST(ShipForces, FirstPassSetsTheRollDampingAtTheRollPeriod) {
    ScriptedConsole console;
    set_up_box_ship();
    TPCM.VFWD = 12.0f;
    SHPCHR();
    std::int32_t NPASS2 = 0;
    SHPFRC(NPASS2);
    HimemBlock& H = HIMEM;
    EXPECT_EQ(TPCM.VFWD, 12.0f); // restored
    // The wave slope k H / 2 of the characteristic wave at the roll frequency.
    const float kR = wave_number(H.WR, 1000.0f, 32.152f);
    EXPECT_NEAR(H.RSLOPE, kR * 10.0f / 2.0f, 1e-4f * H.RSLOPE);
    EXPECT_FLOAT_EQ(H.BLGFAC, 1.0f); // no bilge radius
    EXPECT_FLOAT_EQ(H.RMASRT, H.RMAS1 / H.ROLI);
    EXPECT_GT(H.TQFAC, 0.0f);
    EXPECT_GT(H.GAMROL, 0.0f);
    EXPECT_EQ(H.GAMROL, H.GAMRLI);

    // The full pass at the dominant heading hands the roll values to the low-frequency work.
    NPASS2 = 5;
    SHPFRC(NPASS2);
    EXPECT_EQ(PASCOM.ROLGAM, H.GAMRLI);
    EXPECT_EQ(PASCOM.WFROLF, H.WR);
    EXPECT_FLOAT_EQ(PASCOM.ROLSPR, H.GMT * 640.0f);
    EXPECT_EQ(PASCOM.ROLARM, H.VTCRR);
    // The force scales: heave per unit amplitude, surge per degree of slope, ...
    EXPECT_FLOAT_EQ(H.SCALE(3), 64.0f * 2000.0f / 1000.0f);
    EXPECT_FLOAT_EQ(H.SCALE(1), 5.0f * H.SCALE(3) / degrees_per_radian);
    EXPECT_FLOAT_EQ(H.SCALE(5), H.SCALE(1) * H.GML);
}

TEST(ShipForces, HeadSeaHeaveForceVanishesWhenTheBoxSpansOneWave) {
    ScriptedConsole console;
    characterise_box(0.0f);
    // Grid point 5 at k L/2 = pi: the pressure over the box integrates to nothing.
    const float k = two_pi / HIMEM.SHIPL;
    set_grid_entry(5, std::sqrt(32.152f * k * std::tanh(k * 1000.0f)), k);
    std::int32_t NPASS2 = 5;
    SHPFRC(NPASS2);
    const std::complex<float> heave = results_at(5).v[2];
    EXPECT_LT(std::abs(heave.real()), 1e-6f) << heave;
    EXPECT_LT(std::abs(heave.imag()), 1e-6f) << heave;
    EXPECT_GT(std::abs(results_at(4).v[2]), 1e-3f); // one grid point away it does not
}

TEST(ShipRaos, LongWavesCarryTheBoxWithThem) {
    // Heave follows the surface; pitch follows the wave slope, cos(heading) x (KML - VKP)/GML
    // with VKP = KG = T/2, that is cos(heading).
    for (const float heading : {0.0f, 30.0f, 60.0f}) {
        SCOPED_TRACE(heading);
        ScriptedConsole console;
        characterise_box(heading);
        // The last grid point: a wave of 200 s.
        const float omega = two_pi / 200.0f;
        const float k = wave_number(omega, 1000.0f, 32.152f);
        set_grid_entry(20, omega, k);
        std::int32_t NPASS2 = 5;
        SHPFRC(NPASS2);
        SHPRAO();
        const SixDof r = results_at(20);
        EXPECT_NEAR(std::abs(r.v[2]), 1.0f, 2e-3f);
        EXPECT_NEAR(std::abs(r.v[4]) / k, std::cos(heading / degrees_per_radian), 5e-3f);
    }
}

TEST(ShipRaos, FiniteOverTheGridInHeadAndBeamSeas) {
    for (const float heading : {0.0f, 90.0f, 135.0f}) {
        SCOPED_TRACE(heading);
        ScriptedConsole console;
        characterise_box(heading);
        std::int32_t NPASS2 = 5;
        SHPFRC(NPASS2);
        for (int IW = 1; IW <= 20; ++IW)
            EXPECT_TRUE(all_finite(results_at(IW))) << IW;
        SHPRAO();
        for (int IW = 1; IW <= 20; ++IW)
            EXPECT_TRUE(all_finite(results_at(IW))) << IW;
    }
}

TEST(ShipRaos, HeaveDampingOverrideIsTwiceTheRatioTimesTheFrequency) {
    ScriptedConsole console;
    characterise_box(0.0f);
    // A 5 per cent heave damping at WH = 0.6: g = 0.02 x 5 x 0.6 = 0.06; at resonance the RAO
    // is the force times w0^2 / (i g w0), ten times the force in size.
    TPCM.LHVDMP = 1;
    TPCM.HVDAMP = 5.0f;
    TPCM.LHVPRD = 1;
    TPCM.HEVPRD = two_pi / 0.6f;
    HIMEM.WH = two_pi / TPCM.HEVPRD;
    set_grid_entry(7, 0.6f, wave_number(0.6f, 1000.0f, 32.152f));
    std::int32_t NPASS2 = 5;
    SHPFRC(NPASS2);
    const std::complex<float> force = results_at(7).v[2];
    SHPRAO();
    const std::complex<float> rao = results_at(7).v[2];
    EXPECT_NEAR(std::abs(rao) / std::abs(force), 10.0f, 1e-3f);
    EXPECT_NEAR(std::arg(rao / force), -pi_single / 2.0f, 1e-3f);
}

TEST(ShipRaos, UndampedResonanceAndZeroEncounterFrequencyStayFinite) {
    ScriptedConsole console;
    characterise_box(0.0f);
    // Heave, pitch and roll at their own grid periods with no damping at all.
    TPCM.LHVDMP = 1;
    TPCM.LPTDMP = 1;
    TPCM.LRLDMP = 1;
    TPCM.LHVPRD = 1;
    TPCM.LPTPRD = 1;
    TPCM.LRLPRD = 1;
    TPCM.HEVPRD = TPCM.T(6);
    TPCM.PITPRD = TPCM.T(8);
    TPCM.ROLPRD = TPCM.T(10);
    HIMEM.WH = two_pi / TPCM.T(6);
    HIMEM.WP = two_pi / TPCM.T(8);
    HIMEM.WR = two_pi / TPCM.T(10);
    std::int32_t NPASS2 = 5;
    SHPFRC(NPASS2);
    SHPRAO();
    for (int IW = 1; IW <= 20; ++IW)
        EXPECT_TRUE(all_finite(results_at(IW))) << IW;

    // Following seas at the phase speed of grid point 5 (omega 0.5, k 1/16, so U k = omega
    // exactly): the encounter frequency there is 0.
    TPCM.LHVDMP = TPCM.LPTDMP = TPCM.LRLDMP = 0;
    TPCM.LHVPRD = TPCM.LPTPRD = TPCM.LRLPRD = 0;
    set_grid_entry(5, 0.5f, 0.0625f);
    HIMEM.REDANG(1) = 180.0f;
    TPCM.VGLDIR = 180.0f;
    TPCM.VFWD = 8.0f;
    SHPFRC(NPASS2);
    for (int IW = 1; IW <= 20; ++IW)
        EXPECT_TRUE(all_finite(results_at(IW))) << IW;
    SHPRAO();
    for (int IW = 1; IW <= 20; ++IW)
        EXPECT_TRUE(all_finite(results_at(IW))) << IW;
}

} // namespace
} // namespace lintar
