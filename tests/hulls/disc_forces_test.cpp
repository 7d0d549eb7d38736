// Tests of the disc buoy's wave forces: the Bessel values they rest on (DLMF), the
// Froude-Krylov heave force and the long-wave limits in closed form, finite forces where the
// waterplane correction's Bessel quotient would divide by zero, the forward speed in degrees,
// the calibration pass, and the stop on a Bessel failure.
#include "hulls/disc_hull.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "support/console.h"
#include "util/bessel_gamma.h"

#include "hulls/disc_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>

namespace lintar {
namespace {

using testing::disc_R;
using testing::results_at;
using testing::run_until_stop;
using testing::ScriptedConsole;
using testing::set_up_disc_buoy;
using testing::SixDof;

bool finite(std::complex<float> c) {
    return std::isfinite(c.real()) && std::isfinite(c.imag());
}

void forces_pass() {
    std::int32_t NPASS2 = 5;
    DSKFRC(NPASS2);
}

// DLMF 10.2 (tabulated in Abramowitz and Stegun, table 9.1).
TEST(DiscForces, BesselValuesAtTheToleranceOfTheModel) {
    struct Case {
        float x;
        double j0, j1, j2;
    };
    const Case cases[] = {
        {0.5f, 0.938470, 0.242268, 0.030604},
        {1.0f, 0.765198, 0.440051, 0.114903},
        {2.0f, 0.223891, 0.576725, 0.352834},
        {5.0f, -0.177597, -0.327579, 0.046565},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        const double expected[3] = {c.j0, c.j1, c.j2};
        for (std::int32_t n = 0; n < 3; ++n) {
            float J = 0.0f;
            std::int32_t IER = -1;
            BESJ(c.x, n, J, 1.0e-5f, IER);
            EXPECT_EQ(IER, 0);
            EXPECT_NEAR(J, expected[n], 1.0e-5);
        }
    }
    // The waterplane moment 8 J2(x) / x^2 tends to 1.
    EXPECT_FLOAT_EQ(8.0f * bessel_j2_over_square(0.0f, 1.0e-5f), 1.0f);
    EXPECT_NEAR(8.0f * bessel_j2_over_square(0.02f, 1.0e-5f), 1.0, 1.0e-4);
    EXPECT_NEAR(bessel_j2_over_square(2.0f, 1.0e-5f), 0.352834 / 4.0, 1.0e-5);
}

TEST(DiscForces, FroudeKrylovHeaveAndLongWaveSurge) {
    ScriptedConsole console;
    // X = kR = 1 with kT = 1 in deep water; the heave natural frequency far above the wave's
    // leaves the Froude-Krylov force alone: 2 e^-1 J1(1).
    set_up_disc_buoy({1.0f / disc_R, 0.05f / disc_R, 0.005f / disc_R});
    HIMEM.WH = 1.0e6f;
    forces_pass();
    EXPECT_NEAR(results_at(1).v[2].real(), 0.323771, 2.0e-6);
    // A draft ratio of 1 makes the ellipsoid a sphere: added-mass coefficient 1/2.
    EXPECT_NEAR(HIMEM.CSG, 0.5f, 5.0e-3f);
    EXPECT_EQ(HIMEM.CSW, HIMEM.CSG);
    // Long waves: the surge force FSG = 2 (1 - e^-X) / X J1(X) / X -> 1, and with the
    // added-mass part it tends to 1 + C_s (J0 and the draft average tend to 1).
    const double X = 0.05;
    const double DF2 = (1.0 - std::exp(-X)) / X;
    const double FSG = 2.0 * DF2 * (0.024992188 / X); // J1(0.05), DLMF series
    EXPECT_NEAR(FSG, 0.97511, 1.0e-5);
    const double J0 = 0.99937510;
    EXPECT_NEAR(results_at(2).v[0].imag(), FSG + J0 * 0.5 * DF2, 5.0e-3 * DF2);
    EXPECT_NEAR(results_at(3).v[0].imag(), 1.5, 0.01);
    // Head seas: no sway or roll to speak of; the yaw force is the constant placeholder.
    for (int IW = 1; IW <= 3; ++IW) {
        const SixDof r = results_at(IW);
        EXPECT_LT(std::abs(r.v[1]), 1.0e-9f);
        EXPECT_EQ(r.v[5], std::complex<float>(1.0e-10f, 1.0e-10f));
    }
}

TEST(DiscForces, FiniteWhereTheWaterplaneQuotientWouldDivideByZero) {
    ScriptedConsole console;
    // X = pi/2 (XP = 0) and X = 5.135622 (J2(X) = 0), with neighbours on either side.
    const float a = 1.5707964f / disc_R;
    const float b = 5.135622f / disc_R;
    set_up_disc_buoy({a * 0.999f, a, a * 1.001f, b * 0.999f, b, b * 1.001f}, 50.0f);
    forces_pass();
    for (int IW = 1; IW <= 6; ++IW) {
        SCOPED_TRACE(IW);
        const SixDof r = results_at(IW);
        for (const auto& v : r.v)
            EXPECT_TRUE(finite(v));
    }
    // Continuous through both points.
    for (int centre : {2, 5}) {
        const std::complex<float> p = results_at(centre).v[4];
        const std::complex<float> lo = results_at(centre - 1).v[4];
        const std::complex<float> hi = results_at(centre + 1).v[4];
        EXPECT_NEAR(std::abs(p - 0.5f * (lo + hi)), 0.0f, 0.01f * std::abs(p) + 1.0e-6f);
    }
}

TEST(DiscForces, ForwardSpeedAcrossTheWavesLeavesTheEncounterFrequency) {
    ScriptedConsole console;
    // Waves at 90 degrees to the course: the speed component is VFWD cos(90 deg) = 0 and the
    // forces are those at rest (an angle taken as radians would give cos(90) = -0.45).
    set_up_disc_buoy({0.05f, 0.1f, 0.2f});
    HIMEM.REDANG(1) = 90.0f;
    TPCM.VGLDIR = 0.0f;
    TPCM.VFWD = 0.0f;
    forces_pass();
    const SixDof rest[3] = {results_at(1), results_at(2), results_at(3)};
    TPCM.VFWD = 20.0f;
    forces_pass();
    for (int IW = 1; IW <= 3; ++IW) {
        SCOPED_TRACE(IW);
        EXPECT_NEAR(std::abs(results_at(IW).v[2] - rest[IW - 1].v[2]), 0.0f,
                    1.0e-5f * std::abs(rest[IW - 1].v[2]));
    }
}

TEST(DiscForces, CalibrationPassAtRestWithAndWithoutCoupling) {
    ScriptedConsole console;
    set_up_disc_buoy({0.02f, 0.05f, 0.1f});
    HimemBlock& H = HIMEM;
    TPCM.VFWD = 12.0f;
    TPCM.MORFBK = 0;
    H.JR = 2;
    H.JP = 2;
    H.JH = 3;
    H.JSG = 1;
    H.JSW = 1;
    H.JY = 1;
    H.GAMSRG = 7.0f;
    H.GAMSWY = 8.0f;
    H.CSGRAX() = std::complex<float>(3.0f, 3.0f);
    std::int32_t NPASS2 = 0;
    DSKFRC(NPASS2);
    EXPECT_EQ(TPCM.VFWD, 12.0f);
    EXPECT_GT(H.GAMROL, 0.0f);
    EXPECT_GT(H.GAMPIT, 0.0f);
    EXPECT_GT(H.GAMHEV, 0.0f);
    EXPECT_TRUE(std::isfinite(H.GAMHEV));
    // Without coupling surge and sway keep their coefficients and no RAO is stored.
    EXPECT_EQ(H.GAMSRG, 7.0f);
    EXPECT_EQ(H.GAMSWY, 8.0f);
    EXPECT_EQ(H.CSGRAX().get(), std::complex<float>(3.0f, 3.0f));
    // The design wave of the heave mode (last calibrated of the three): k A / depth with
    // A = DURFAC x SLPHT.
    // Deep water: k = WH^2 / g.
    const float k_heave = H.WH * H.WH / testing::disc_G;
    EXPECT_NEAR(H.RSLOPE, k_heave * 10.0f, 1.0e-4f * k_heave * 10.0f);

    TPCM.MORFBK = 1;
    TPCM.SGK = 40.0f;
    TPCM.SWK = 40.0f;
    TPCM.XCURAR = 0.0f; // no current area: the surge and sway drag part vanishes
    DSKFRC(NPASS2);
    EXPECT_EQ(TPCM.VFWD, 12.0f);
    EXPECT_GT(H.GAMSRG, 0.0f);
    EXPECT_TRUE(std::isfinite(H.GAMSRG));
    EXPECT_TRUE(std::isfinite(H.GAMSWY));
    for (const std::complex<float> rao : {H.CHVRAX().get(), H.CPTRAX().get(), H.CRLRAX().get(),
                                          H.CSGRAX().get(), H.CSWRAX().get()}) {
        EXPECT_TRUE(finite(rao));
        EXPECT_GT(std::abs(rao), 0.0f);
    }
    EXPECT_EQ(H.CYWRAX().get(), std::complex<float>(0.0f, 0.0f));
}

TEST(DiscForces, BesselFailureStopsWithTheMessage) {
    ScriptedConsole console("\n");
    set_up_disc_buoy({0.0f});
    const auto stop = run_until_stop(forces_pass);
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::error);
    EXPECT_NE(console.screen().find(" ++> BESSEL function error. Increase smallest period and "
                                    "retry"),
              std::string::npos);
}

} // namespace
} // namespace lintar
