// Tests of the RAO re-evaluation at heading and draft: the recompute-or-restore thresholds per
// wave system, the statistics of simple RAOs worked by hand, the per-frequency tables, the
// five-station lateral drag sums, the swell-only copy and the refusal of an unknown system.
#include "motions/rao_reevaluation.h"

#include "blocks/himem.h"
#include "blocks/pascom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/response_indices.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/rao_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <string>

namespace lintar {
namespace {

using testing::FakeHullModel;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;

using Complex = std::complex<float>;
constexpr double pi = std::numbers::pi;
// m0 of the one-parameter Pierson-Moskowitz sea of Hs 4 m on the 31 periods 3 to 33 s
// (Simpson's rule in double precision), as the set-up tests take it.
constexpr double pm_m0_on_grid = 0.990122;

double pierson_moskowitz(double w) {
    const double g = 9.8;
    const double wp = 2.0 * pi / (15.66 * std::sqrt(4.0 / g));
    return 0.0081 * g * g / std::pow(w, 5.0) * std::exp(-1.25 * std::pow(wp / w, 4.0));
}

// The motion set-up of a ship with random seas and a first swell, both the Pierson-Moskowitz
// sea, and a stand-in hull whose RAOs the tests choose.
class RaoReevaluation : public ::testing::Test {
protected:
    ScratchFolder folder;
    ScriptedConsole console{std::string(10, '\n')};
    FakeHullModel fake;

    void SetUp() override {
        testing::set_up_motion_run();
        install_hull_model(HullModelKind::ship, &fake); // the set-up's own stand-in has gone
        TPCM.LRANDM = 1;
        TPCM.LSWELL = 1;
        TPCM.LSWEL2 = 0;
        TPCM.SEAHDG(1) = 180.0f;
        TPCM.SWLHDG = 150.0f;
        TPCM.AUXVSH = 0;
        TPCM.VKG = HIMEM.VTCRP = HIMEM.VTCRR = 10.0f;
        PASCOM.DELTA_DRAFT = 0.0f;
        for (int k = 1; k <= TPCM.NWP; ++k)
            WAVCOM.WPSD(k) = WAVCOM.SWLPSD(k) = static_cast<float>(pierson_moskowitz(WAVCOM.W(k)));
        only({});
        fake.calls.clear();
    }

    // RAOs of the stand-in hull: the given degrees of freedom (0 surge .. 5 yaw), all others 0.
    void only(std::initializer_list<std::pair<int, Complex>> raos) {
        fake.rao.fill(Complex(0.0f, 0.0f));
        for (const auto& [dof, value] : raos)
            fake.rao[static_cast<std::size_t>(dof)] = value;
    }

    long recomputations() const { return std::count(fake.calls.begin(), fake.calls.end(), "CHR"); }

    // The heave RAO of grid point 1 in the RAO columns.
    Complex heave_column() const {
        HIMEM.IW = 1;
        INDXUP();
        return HIMEM.CRLDUM(HIMEM.LHV).get();
    }
};

TEST_F(RaoReevaluation, ThresholdsOfHeadingAndDraftChooseRecomputeOrRestore) {
    TPCM.LSWELL = 0;
    only({{2, Complex(1.0f, 0.0f)}});
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, 0.0f, 1, false, false);
    EXPECT_EQ(recomputations(), 1);   // the first call computes
    EXPECT_EQ(RELDEG, 180.0f);        // the seas' direction less the heading
    only({{2, Complex(2.0f, 0.0f)}}); // what a recomputation would now give
    RELRAOUP(RELDEG, 0.02f, 1, false, false);
    EXPECT_EQ(recomputations(), 1);
    EXPECT_EQ(heave_column(), Complex(1.0f, 0.0f)); // restored
    PASCOM.DELTA_DRAFT = 0.2f;
    RELRAOUP(RELDEG, 0.02f, 1, false, false);
    EXPECT_EQ(recomputations(), 1);
    RELRAOUP(RELDEG, 0.0201f, 1, false, false);
    EXPECT_EQ(recomputations(), 2);
    EXPECT_EQ(heave_column(), Complex(2.0f, 0.0f));
    PASCOM.DELTA_DRAFT = 0.41f;
    RELRAOUP(RELDEG, 0.0201f, 1, false, false);
    EXPECT_EQ(recomputations(), 3);
    // A forced call recomputes though nothing moved; the hull runs its characteristics, both
    // force passes and its RAOs.
    fake.calls.clear();
    RELRAOUP(RELDEG, 0.0201f, 1, false, true);
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"CHR", "FRC 0", "FRC 5", "RAO"}));
}

TEST_F(RaoReevaluation, EverySystemFollowsItsOwnLastHeading) {
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, 0.0f, 1, false, false);
    EXPECT_EQ(recomputations(), 2); // seas and swell each compute once
    only({{2, Complex(3.0f, 0.0f)}});
    RELRAOUP(RELDEG, 0.5f, 1, false, false);
    // Both systems moved: both recompute, and the swell's statistics see the new RAOs.
    EXPECT_EQ(recomputations(), 4);
    EXPECT_EQ(heave_column(), Complex(3.0f, 0.0f));
    // Forced: all systems present recompute.
    RELRAOUP(RELDEG, 0.5f, 1, false, true);
    EXPECT_EQ(recomputations(), 6);
}

TEST_F(RaoReevaluation, HeaveRaoGivesItsSquareTimesTheSea) {
    TPCM.LSWELL = 0;
    only({{2, Complex(0.6f, 0.8f)}}); // modulus 1
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, 0.0f, 1, true, false);
    EXPECT_NEAR(PASCOM.WHVRMS, std::sqrt(pm_m0_on_grid), 2e-6);
    EXPECT_NEAR(PASCOM.WSGRMS, 0.0, 1e-7);
    // At the reference point the unit heave follows the wave: no relative motion there.
    EXPECT_NEAR(PASCOM.GWSIG2, std::sqrt(2.0 * (1.0 - 0.6) * pm_m0_on_grid), 2e-5);
    only({{2, Complex(1.0f, 0.0f)}});
    RELRAOUP(RELDEG, 0.0f, 1, true, true);
    EXPECT_NEAR(PASCOM.GWSIG2, 0.0, 1e-7);
    EXPECT_NEAR(PASCOM.WHVRMS, std::sqrt(pm_m0_on_grid), 2e-6);
}

TEST_F(RaoReevaluation, StatisticsOfTwoPassesAtOneStateEqualOnePass) {
    only({{2, Complex(0.5f, 0.0f)}, {0, Complex(0.3f, 0.0f)}});
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, 0.0f, 1, true, false);
    // Seas and swell, both the same sea: the RMS words combine as a root sum of squares.
    const float heave = PASCOM.WHVRMS;
    EXPECT_NEAR(heave, 0.5 * std::sqrt(2.0 * pm_m0_on_grid), 2e-6);
    RELRAOUP(RELDEG, 0.0f, 1, true, false);
    EXPECT_EQ(PASCOM.WHVRMS, heave);
    EXPECT_NEAR(PASCOM.BOW_Z_VAR, 2.0 * 0.25 * pm_m0_on_grid, 1e-5);
}

TEST_F(RaoReevaluation, EarthAxisMotionsTurnWithTheHeading) {
    TPCM.LSWELL = 0;
    only({{0, Complex(1.0f, 0.0f)}});
    float RELDEG = 0.0f;
    RELRAOUP(RELDEG, 0.0f, 1, true, false);
    EXPECT_NEAR(PASCOM.WXGRMS, std::sqrt(pm_m0_on_grid), 2e-6);
    EXPECT_NEAR(PASCOM.WYGRMS, 0.0, 1e-6);
    RELRAOUP(RELDEG, static_cast<float>(pi / 2), 1, true, false);
    EXPECT_NEAR(PASCOM.WXGRMS, 0.0, 1e-6);
    EXPECT_NEAR(PASCOM.WYGRMS, std::sqrt(pm_m0_on_grid), 2e-6);
}

TEST_F(RaoReevaluation, TablesAlongTheWaveDirectionForEveryHull) {
    // A semisubmersible-like hull: the wave tables are formed, the ship's drag tables are not.
    FakeHullModel semi(HullModelKind::semisubmersible);
    TPCM.VESTYP = 3;
    TPCM.SEMI_LIKE = 1;
    TPCM.LSWELL = 0;
    semi.rao = {{{1.0f, 0.0f}, {0.0f, 2.0f}, {0.3f, 0.4f}, {0.5f, 0.0f}, {0.0f, 0.7f}, {0, 0}}};
    float RELDEG = 60.0f;
    RELRAOUP(RELDEG, 0.0f, 0, false, false);
    const float c = 0.5f;
    const float s = std::sqrt(3.0f) / 2.0f;
    for (int IW : {1, 17, 31}) {
        EXPECT_FLOAT_EQ(PASCOM.HRAO(IW, 1), 0.5f);
        const Complex horizontal = PASCOM.HOR_WAV_RAO(IW, 1).get();
        EXPECT_NEAR(horizontal.real(), c * 1.0f, 1e-6);
        EXPECT_NEAR(horizontal.imag(), s * 2.0f, 1e-6);
        const Complex angular = PASCOM.ANG_WAV_RAO(IW, 1).get();
        EXPECT_NEAR(angular.real(), -s * 0.5f, 1e-6);
        EXPECT_NEAR(angular.imag(), c * 0.7f, 1e-6);
        EXPECT_EQ(PASCOM.FDRGLAT(IW, 1), 0.0f);
    }
}

TEST_F(RaoReevaluation, LateralDragSumsOfTheShipOverFiveStations) {
    TPCM.LSWELL = 0;
    only({{1, Complex(0.8f, 0.1f)},
          {2, Complex(0.9f, -0.2f)},
          {3, Complex(0.05f, 0.0f)},
          {4, Complex(0.0f, 0.02f)},
          {5, Complex(0.01f, 0.0f)}});
    float RELDEG = 70.0f;
    RELRAOUP(RELDEG, 0.0f, 0, false, false);
    // Hand Simpson sum in double precision over x = -L/2 + (i - 1/2) L / 5, weights 1 4 2 4 1,
    // on the beam edge facing the waves.
    const double L = TPCM.LWL;
    const double B = TPCM.BWL;
    const double b = 70.0 * pi / 180.0;
    const double arm = TPCM.DRAFT - HIMEM.VTCRR;
    const std::complex<double> sway(0.8, 0.1), heave(0.9, -0.2), roll(0.05, 0.0), pitch(0.0, 0.02),
        yaw(0.01, 0.0), i(0.0, 1.0);
    for (int IW : {1, 8, 31}) {
        SCOPED_TRACE(IW);
        const double w = testing::grid_frequency(IW);
        const double k = testing::grid_wave_number(IW);
        const std::complex<double> horizontal = i * k * 9.8 / (w * w);
        const double y0 = -B / 2.0;
        std::complex<double> A = 0.0, M = 0.0;
        const double weights[5] = {1, 4, 2, 4, 1};
        for (int n = 0; n < 5; ++n) {
            const double x = -L / 2.0 + (n + 0.5) * L / 5.0;
            const std::complex<double> E = std::exp(-i * k * (y0 * std::sin(b) + x * std::cos(b)));
            const std::complex<double> y =
                sway + x * yaw - arm * roll + std::sin(b) * E * horizontal;
            const std::complex<double> z = heave + y0 * roll - x * pitch - E;
            A += weights[n] * y * y * z;
            M += weights[n] * x * y * y * z;
        }
        EXPECT_NEAR(PASCOM.FDRGLAT(IW, 1), w * w * std::abs(A) / 15.0,
                    2e-5 * w * w * std::abs(A) / 15.0);
        EXPECT_NEAR(PASCOM.MDRGLAT(IW, 1), w * w * std::abs(M) / (15.0 * L),
                    2e-5 * w * w * std::abs(M) / (15.0 * L) + 1e-12);
        EXPECT_EQ(PASCOM.RLRAOH2(IW, 1), 0.0f); // the ship's own value: no cylinder drift
    }
}

TEST_F(RaoReevaluation, SwellOnlyRunLendsTheSwellTablesToTheSeas) {
    TPCM.LRANDM = 0;
    only({{1, Complex(0.5f, 0.0f)}, {2, Complex(1.0f, 0.0f)}});
    float RELDEG = 90.0f;
    RELRAOUP(RELDEG, 0.0f, 0, false, false);
    for (int IW : {1, 20, 31}) {
        EXPECT_GT(PASCOM.FDRGLAT(IW, 2), 0.0f);
        EXPECT_EQ(PASCOM.FDRGLAT(IW, 1), PASCOM.FDRGLAT(IW, 2));
        EXPECT_EQ(PASCOM.MDRGLAT(IW, 1), PASCOM.MDRGLAT(IW, 2));
        EXPECT_EQ(PASCOM.RLRAO2(IW, 1), PASCOM.RLRAO2(IW, 2));
    }
}

TEST_F(RaoReevaluation, UnknownWaveSystemStops) {
    EXPECT_EQ(run_until_stop([] { RELRAO(0.0f, false, 4); }), StopKind::error);
    EXPECT_EQ(console.screen(),
              " +=> Invalid IWAVID in RELRAO.f\n \n Press <RETURN> to continue: ");
}

TEST(UserRaoFileNames, FollowTheProgramCodeAndBody) {
    EXPECT_EQ(USRDATSEL(13, 2), "UBUOYRAO.txt ");
    EXPECT_EQ(USRDATSEL(13, 3), "UTANKRAO.txt ");
    EXPECT_EQ(USRDATSEL(10, 2), "UTUGSRAO.txt ");
    EXPECT_EQ(USRDATSEL(10, 0), "UBARGRAO.txt ");
    EXPECT_EQ(USRDATSEL(1, 2), "USERRAOS.txt ");
}

} // namespace
} // namespace lintar
