// Tests of the viscous drag load: the ship model's mean drag against the Gaussian moment
// E|X|^3 = sqrt(8 / pi) sigma^3, its current-coefficient rules, and the member model's
// combination of identical members, its zero cases and its refusals; then the entries DRAGF,
// DRAGF_SHIP and DRAGF_SEMI over the real drift coefficients.
#include "environment/hull_drag.h"

#include "blocks/pascom.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/sea_spectra_support.h"
#include "util/spectral_moments.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <vector>

namespace lintar {
namespace {

using testing::pi;
using testing::run_until_stop;
using testing::ScriptedConsole;

// A deep-water sea on a 31-period grid (4 to 19 s) with a spectrum of 10 s peak scaled to the
// variance `variance`.
std::array<float, 100> set_sea(float variance) {
    testing::set_period_grid(4.0f, 0.5f, 31, 9.8f);
    TPCM.DEPTH = 1000.0f;
    std::array<float, 100> PSD{};
    const double wp = 2.0 * pi / 10.0;
    for (int k = 1; k <= 31; ++k) {
        const double w = WAVCOM.W(k);
        WAVCOM.WVK(k) = static_cast<float>(w * w / 9.8);
        PSD[static_cast<std::size_t>(k - 1)] =
            static_cast<float>(std::pow(w, -5.0) * std::exp(-1.25 * std::pow(wp / w, 4)));
    }
    float m0 = 0, m2 = 0;
    SMPINT(PSD, m0, m2);
    for (auto& p : PSD)
        p *= variance / m0;
    return PSD;
}

float no_drift(std::int32_t, std::int32_t, std::int32_t, std::int32_t, const std::string&, float,
               std::int32_t) {
    return 0.0f;
}

// A hull whose drag table gives the weighting variance sigma^2 of the sea, with an area factor
// DWATR 0.0005 BWL / G of 1 and a current coefficient of magnitude 1.
class ShipDrag : public ::testing::Test {
protected:
    void SetUp() override {
        PSD = set_sea(1.0f);
        TPCM.EDUNIT = screen_unit;
        TPCM.DWATR = 1000.0f;
        TPCM.BWL = 19.6f;
        TPCM.LWL = 100.0f;
        TPCM.CURFAC = 1.0f;
        TPCM.VESTYP = 4;
        TPCM.VWDFAC = 1.0f;
        TPCM.VWDRGFC = 1.0f;
        for (int k = 1; k <= 31; ++k)
            PASCOM.RLRAO2(k, 1) = 1.0f;
    }
    float mean(float RELANG, const ShipDrift& drift = no_drift) {
        float FOUTD = 0, FOUTR = 0;
        ship_drag(0, 1, RELANG, PSD, 0.0f, FOUTD, FOUTR, 1, drift);
        return FOUTD;
    }
    ScriptedConsole console{"\n"};
    std::array<float, 100> PSD{};
};

TEST_F(ShipDrag, MeanDragIsTheThirdAbsoluteMomentOfTheWeightedSea) {
    // E|X|^3 = sqrt(8 / pi) sigma^3 for a Gaussian X: 1.5958 at sigma 1 (the current
    // coefficient -cos RELANG is 1 with the waves from astern, RELANG = pi), 8 times that at
    // sigma 2, and the drag table enters as its 2/3 power.
    EXPECT_NEAR(mean(pi), std::sqrt(8.0 / pi), 2e-4);
    PSD = set_sea(4.0f);
    EXPECT_NEAR(mean(pi), 8.0 * std::sqrt(8.0 / pi), 2e-3);
    PSD = set_sea(1.0f);
    for (int k = 1; k <= 31; ++k)
        PASCOM.RLRAO2(k, 1) = 8.0f;
    EXPECT_NEAR(mean(pi), 8.0 * std::sqrt(8.0 / pi), 2e-3);
}

TEST_F(ShipDrag, ADiscHullKeepsOnlyTheSignOfItsCurrentCoefficient) {
    // -cos 0 = -1: the mean drag turns over; the spectral drag holds the coefficient squared.
    EXPECT_NEAR(mean(0.0f), -std::sqrt(8.0 / pi), 2e-4);
    EXPECT_NEAR(mean(2.0f), std::sqrt(8.0 / pi), 2e-4); // -cos 2 = 0.42, its sign only
    const auto drift = [](std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                          const std::string&, float, std::int32_t) { return 0.3f; };
    std::array<float, 2> spectral{}, cross{};
    for (const int i : {0, 1}) {
        float FOUTD = 0, FOUTR = 0;
        ship_drag(1, 1, i == 0 ? 0.0f : pi, PSD, 0.05f, FOUTD, FOUTR, 1, drift);
        spectral[static_cast<std::size_t>(i)] = FOUTD;
        cross[static_cast<std::size_t>(i)] = FOUTR;
    }
    EXPECT_GT(spectral[0], 0.0f);
    EXPECT_FLOAT_EQ(spectral[0], spectral[1]);
    EXPECT_GT(cross[0], 0.0f);
    EXPECT_FLOAT_EQ(cross[0], cross[1]);
}

TEST_F(ShipDrag, OnlyADisplacementHullTakesItsOwnCurrentModel) {
    // Any other hull type takes -cos, -sin (code 7 in every nibble) whatever LCBARG holds.
    TPCM.VESTYP = 2;
    TPCM.LCBARG = 0x333; // projected area: -cos scaled by the area ratio
    TPCM.XCURAR = 10.0f;
    TPCM.YCURAR = 40.0f;
    const float RELANG = 2.5f;
    EXPECT_NEAR(mean(RELANG), -std::cos(RELANG) * std::sqrt(8.0 / pi), 2e-4);
    TPCM.VESTYP = 1;
    TPCM.LCBARG = 0x777;
    EXPECT_NEAR(mean(RELANG), -std::cos(RELANG) * std::sqrt(8.0 / pi), 2e-4);
    TPCM.LCBARG = 0x333;
    EXPECT_GT(std::abs(mean(RELANG) + std::cos(RELANG) * std::sqrt(8.0 / pi)), 0.1);
}

// A semisubmersible-like hull at rest: columns of radius 5 m (drag coefficients 1 and 1), 20 m
// draft, in deep water; a constant drift coefficient 0.4 along the waves.
class SemiDrag : public ::testing::Test {
protected:
    void SetUp() override {
        PSD = set_sea(1.0f);
        auto& T = TPCM;
        T.EDUNIT = screen_unit;
        T.NUNTS = 1;
        T.DWATR = 1.025f;
        T.DRAFT = 20.0f;
        T.LWL = 80.0f;
        T.BWL = 0.5f; // a small length scale: the narrow-band estimate does not take over
        T.VWDFAC = 1.0f;
        T.VWDRGFC = 1.0f;
        T.WVDGCX = T.WVDGCY = T.WVDGCM = 1.0f;
        T.SWHT(1) = 4.0f;
        T.NCYL = 0;
    }
    void add_member(float x, float y) {
        auto& T = TPCM;
        const std::int32_t i = ++T.NCYL;
        T.RCYLB(1, i) = x;
        T.RCYLB(2, i) = y;
        T.XAREA(i) = static_cast<float>(pi * 25.0);
        T.CYLCD(1, i) = T.CYLCD(2, i) = 1.0f;
        SIMCOM.LPIERCE(i) = 1;
        SIMCOM.CYLLEN(i) = 30.0f;
        SIMCOM.DIRVEC(3, i) = 1.0f;
    }
    void current(float knots, float heading) {
        TPCM.LCURNT = 1;
        TPCM.CURSPD = knots;
        TPCM.CURHDG = heading;
    }
    std::array<float, 2> drag(std::int32_t LVARST, std::int32_t LCOMP, float RELANG = 0.3f,
                              std::int32_t IWAVID = 1) {
        float FOUTD = -7.0f, FOUTR = 0.0f;
        semi_drag(LVARST, LCOMP, RELANG, PSD, LVARST != 0 ? 0.03f : 0.0f, FOUTD, FOUTR, IWAVID,
                  [](std::int32_t, const MemberDragSetting&, float& c, float& angle) {
                      c = 0.4f;
                      angle = 0.0f;
                  });
        return {FOUTD, FOUTR};
    }
    ScriptedConsole console{"\nA\n"};
    std::array<float, 100> PSD{};
};

TEST_F(SemiDrag, IdenticalMembersCombineFullyCorrelated) {
    // Two members at one place: the mean drag per unit waterline is that of one; the spectral
    // densities, the square of the sum of the members' square roots, four times one's. With a
    // current the narrow-band terms do not scale, so only the cross density (FOUTR) does.
    for (const bool with_current : {false, true}) {
        SCOPED_TRACE(with_current);
        SetUp();
        if (with_current)
            current(1.5f, 0.0f);
        add_member(10.0f, 5.0f);
        const auto mean1 = drag(0, 1);
        const auto spec1 = drag(1, 1);
        add_member(10.0f, 5.0f);
        const auto mean2 = drag(0, 1);
        const auto spec2 = drag(1, 1);
        EXPECT_NE(mean1[0], 0.0f);
        EXPECT_NEAR(mean2[0], mean1[0], 1e-5f * std::abs(mean1[0]));
        EXPECT_GT(spec1[1], 0.0f);
        EXPECT_NEAR(spec2[1], 4.0f * spec1[1], 1e-4f * spec2[1]);
        if (!with_current) {
            EXPECT_GT(spec1[0], 0.0f);
            EXPECT_NEAR(spec2[0], 4.0f * spec1[0], 1e-4f * spec2[0]);
        }
        for (const float v : {mean1[0], spec1[0], spec1[1], spec2[0]})
            EXPECT_TRUE(std::isfinite(v));
    }
}

TEST_F(SemiDrag, CasesWithoutDrag) {
    add_member(10.0f, 5.0f);
    // The yaw component has no direction factor.
    EXPECT_EQ(drag(0, 3)[0], 0.0f);
    EXPECT_EQ(drag(1, 3)[0], 0.0f);
    EXPECT_EQ(drag(1, 3)[1], 0.0f);
    // No member pierces the surface.
    SIMCOM.LPIERCE(1) = 0;
    for (const std::int32_t LVARST : {0, 1}) {
        EXPECT_EQ(drag(LVARST, 1)[0], 0.0f);
        EXPECT_EQ(drag(LVARST, 1)[1], 0.0f);
    }
    // A sea without energy: no peak, no variance, no drag.
    SIMCOM.LPIERCE(1) = 1;
    PSD.fill(0.0f);
    for (const std::int32_t LVARST : {0, 1}) {
        EXPECT_EQ(drag(LVARST, 1)[0], 0.0f);
        EXPECT_EQ(drag(LVARST, 1)[1], 0.0f);
    }
}

TEST_F(SemiDrag, ACurrentAcrossTheWavesGivesFiniteLoads) {
    // The current from 270 degrees with the sea at RELANG 0 runs across the waves: the cosine is
    // held at 1e-6 and the loads stay finite. The wave-current drag vanishes with the current's
    // component along the waves: 0.05 degrees off the crossing it is small, at the crossing
    // smaller still.
    add_member(10.0f, 5.0f);
    add_member(-10.0f, -5.0f);
    current(1.5f, 270.0f);
    const auto across = drag(0, 2, 0.0f);
    const auto spectral = drag(1, 2, 0.0f);
    current(1.5f, 270.05f);
    const auto near = drag(0, 2, 0.0f);
    for (const float v : {across[0], spectral[0], spectral[1]})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_NE(near[0], 0.0f);
    EXPECT_LT(std::abs(across[0]), 0.01f * std::abs(near[0]));
}

TEST_F(SemiDrag, TheLegacyDragModelGivesNoDragScales) {
    add_member(10.0f, 5.0f);
    TPCM.LEGDRG = 1;
    const auto mean = drag(0, 1);
    const auto spec = drag(1, 1);
    for (const float v : {mean[0], spec[0], spec[1]})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(mean[0], 0.0f);
}

TEST_F(SemiDrag, RotationCentresFarApartAreWarnedOf) {
    // Warned of on every call, with the abort prompt: Return goes on, "A" ends the run.
    add_member(10.0f, 5.0f);
    PASCOM.VTCRPS = 10.0f;
    PASCOM.VTCRRS = 2.0f;
    EXPECT_FALSE(run_until_stop([&] { drag(0, 1); }).has_value());
    EXPECT_NE(console.screen().find(" +=> Suspiciously large separation between pitch and roll "
                                    "rotation centers;\n     please forward this datafile to "
                                    "Kelbrin for analysis.\n"),
              std::string::npos);
    const auto stop = run_until_stop([&] { drag(0, 1); });
    ASSERT_TRUE(stop.has_value());
    EXPECT_EQ(*stop, StopKind::user_choice);
}

// The ship model over the real drift coefficient of the empirical model (method 4 in every
// nibble): on a hull of waterline length 2000 m it is 2/3 of the surge multiplier times -cos of
// the flux angle, which runs along the relative angle without current. (The disc hull's wave
// drag is refused at the analysis entry and by DRAGF; the model itself is called here.)
TEST_F(ShipDrag, TheEntryTakesTheRealDriftCoefficient) {
    TPCM.SEMI_LIKE = 0;
    TPCM.LWVCOF = 0x444;
    TPCM.LWL = 2000.0f;
    TPCM.WVFCX = 1.0f;
    // Mean drift: DWATR 0.001 BWL x 2/3 x the sea's variance 1; mean drag sqrt(8 / pi) with the
    // sign of the current coefficient -cos RELANG of the disc hull.
    const float FRCNST = 1000.0f * 0.001f * 19.6f;
    for (const float RELANG : {static_cast<float>(pi), 0.0f}) {
        SCOPED_TRACE(RELANG);
        const float sign = -std::cos(RELANG);
        float FOUTD = 0, FOUTR = 0;
        DRAGF_SHIP(0, 1, RELANG, PSD, 0.0f, FOUTD, FOUTR, 1);
        EXPECT_NEAR(FOUTD, sign * std::sqrt(8.0 / pi), 2e-4);
        EXPECT_NEAR(FOUTR, sign * FRCNST * 2.0f / 3.0f, 1e-4f * FRCNST);
    }
}

TEST(DragEntries, AnInvalidSeaComponentEndsTheRunWithStatusOne) {
    // DRAGF sends the hull to its model; each names itself, pauses and stops with an error.
    struct Case {
        std::int32_t SEMI_LIKE, IWAVID;
        const char* message;
    };
    for (const Case& c :
         {Case{0, 0, " =+> Invalid IWAVID in dragf"}, Case{0, 4, " =+> Invalid IWAVID in dragf"},
          Case{1, 0, " =+> Invalid IWAVID in dragf_semi"},
          Case{1, 4, " =+> Invalid IWAVID in dragf_semi"}}) {
        SCOPED_TRACE(c.message + std::to_string(c.IWAVID));
        ScriptedConsole console("\n");
        auto PSD = set_sea(1.0f);
        TPCM.EDUNIT = screen_unit;
        TPCM.SEMI_LIKE = c.SEMI_LIKE;
        TPCM.LWVCOF = 0x111; // user drift files: the member drag is available
        TPCM.DRAFT = 20.0f;
        float FOUTD = 0, FOUTR = 0;
        const auto stop =
            run_until_stop([&] { DRAGF(0, 1, 0.3f, PSD, 0.0f, FOUTD, FOUTR, c.IWAVID); });
        ASSERT_TRUE(stop.has_value());
        EXPECT_EQ(ProgramStop(*stop).exit_status(), 1);
        EXPECT_NE(
            console.screen().find(std::string(c.message) + "\n \n Press <RETURN> to continue: "),
            std::string::npos);
    }
}

// The member model over the built-in column drift (DFC_ALIGN): columns of 10 m mean waterline,
// a unit member response. The analysis entry and DRAGF refuse this combination (the cylinder
// table it reads is filled by no hull model yet); the model itself is called here.
class SemiDragEntry : public SemiDrag {
protected:
    void SetUp() override {
        reset_program_state();
        SemiDrag::SetUp();
        TPCM.SEMI_LIKE = 1;
        TPCM.LWVCOF = 0;
        TPCM.DEPTH = 1000.0f;
        PASCOM.MENWLX = PASCOM.MENWLY = 10.0f;
        for (int k = 1; k <= 31; ++k)
            PASCOM.RLRAOH2(k, 1) = 1.0f;
    }
    std::array<float, 2> dragf(std::int32_t LVARST, std::int32_t LCOMP, float RELANG = 0.3f) {
        float FOUTD = -7.0f, FOUTR = 0.0f;
        DRAGF_SEMI(LVARST, LCOMP, RELANG, PSD, LVARST != 0 ? 0.03f : 0.0f, FOUTD, FOUTR, 1);
        return {FOUTD, FOUTR};
    }
};

TEST_F(SemiDragEntry, IdenticalMembersCombineFullyCorrelatedAndYawHasNoDrag) {
    // Four times one member's spectral densities: the cross density always, the drag density
    // when no current brings in the narrow-band terms (which are sums over the waterline and do
    // not scale). The yaw component is 0 in both modes.
    for (const bool with_current : {false, true}) {
        SCOPED_TRACE(with_current);
        SetUp();
        if (with_current)
            current(1.5f, 0.0f);
        add_member(10.0f, 5.0f);
        const auto spec1 = dragf(1, 1);
        add_member(10.0f, 5.0f);
        const auto spec2 = dragf(1, 1);
        EXPECT_GT(spec1[1], 0.0f);
        EXPECT_NEAR(spec2[1], 4.0f * spec1[1], 1e-4f * spec2[1]);
        if (!with_current) {
            EXPECT_GT(spec1[0], 0.0f);
            EXPECT_NEAR(spec2[0], 4.0f * spec1[0], 1e-4f * spec2[0]);
        }
        EXPECT_EQ(dragf(0, 3)[0], 0.0f);
        EXPECT_EQ(dragf(1, 3)[0], 0.0f);
        EXPECT_EQ(dragf(1, 3)[1], 0.0f);
    }
}

TEST_F(SemiDragEntry, WithoutCurrentTheSubmergedLengthDoesNotDrag) {
    // A still column: without current the submerged terms are 0, so the drag does not change
    // with the draft (the drift does, through the column's draft factor, but it does not enter
    // the drag); with a current the submerged length drags.
    add_member(10.0f, 5.0f);
    const auto drag_at_draft = [&](float draft) {
        TPCM.DRAFT = draft;
        return std::array<float, 2>{dragf(0, 1)[0], dragf(1, 1)[0]};
    };
    const auto shallow = drag_at_draft(20.0f);
    const auto deep = drag_at_draft(40.0f);
    EXPECT_NE(shallow[0], 0.0f);
    EXPECT_NEAR(deep[0], shallow[0], 1e-5f * std::abs(shallow[0]));
    EXPECT_NEAR(deep[1], shallow[1], 1e-5f * std::abs(shallow[1]));
    current(1.5f, 0.0f);
    const auto shallow_c = drag_at_draft(20.0f);
    const auto deep_c = drag_at_draft(40.0f);
    EXPECT_GT(std::abs(deep_c[0] - shallow_c[0]), 0.1f * std::abs(shallow_c[0]));
}

TEST_F(SemiDragEntry, BadInputGivesFiniteLoadsAndLeavesTheDataFileAlone) {
    // No member piercing the surface, a sea without energy, a current across the waves, a
    // column moving with the surface water (no relative velocity there): both modes give finite
    // loads (0 where there is nothing to drag) and the data file image is not changed.
    struct Case {
        const char* name;
        std::function<void()> set;
        bool zero;
    };
    const std::vector<Case> cases{
        {"no piercing member", [] { SIMCOM.LPIERCE(1) = 0; }, true},
        {"no energy", [this] { PSD.fill(0.0f); }, true},
        {"current across", [this] { current(1.5f, 270.0f); }, false},
        {"no relative velocity",
         [this] {
             TPCM.RCYLB(1, 1) = TPCM.RCYLB(2, 1) = 0.0f;
             for (int k = 1; k <= 31; ++k)
                 PASCOM.HOR_WAV_RAO(k, 1) = {0.0f, -1.0f};
             current(1.5f, 0.0f);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        add_member(10.0f, 5.0f);
        c.set();
        const auto bytes = tpcm_bytes(TPCM);
        const std::vector<std::byte> before(bytes.begin(), bytes.end());
        for (const std::int32_t LVARST : {0, 1}) {
            const auto out = dragf(LVARST, 2, 0.0f);
            EXPECT_TRUE(std::isfinite(out[0]) && std::isfinite(out[1]));
            if (c.zero) {
                EXPECT_EQ(out[0], 0.0f);
                EXPECT_EQ(out[1], 0.0f);
            }
        }
        EXPECT_TRUE(std::equal(before.begin(), before.end(), bytes.begin()));
    }
}

} // namespace
} // namespace lintar
