// Tests of the member wave forces: the Morison and Froude-Krylov closed forms of a surface-
// piercing column, the drag integral of a submerged column against its closed form, and the
// edge cases of MEMFRC (the waterline plane, deep members, an axis out of the plane).
#include "hulls/semi_hull.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "semi_fixture.h"
#include "support/console.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <string>

namespace lintar {
namespace {

using testing::ScriptedConsole;
using testing::set_up_semi_site;
using testing::single_column_hull;

// The closed forms are given to five digits; single-precision sums agree to a few in 1e6.
constexpr float five_digits = 2e-4f;

// One vertical surface-piercing column, radius 5 m (area 78.540 m^2), draft 20 m, inertia
// coefficient 1 across and 0 along its axis, deep water, rho g = 1.025 t/m^3, per metre of
// wave amplitude: surge rho g (1 + C_m) A (1 - exp(-kT)), heave rho g A exp(-kT).
struct ColumnCase {
    float period, k, surge, heave;
};
constexpr ColumnCase column_cases[] = {
    {10.0f, 0.040284f, 89.072f, 35.968f},
    {20.0f, 0.010071f, 29.373f, 65.817f},
    {5.0f, 0.161137f, 154.591f, 3.208f},
};

TEST(Sumall, SurfacePiercingColumnMatchesTheMorisonAndFroudeKrylovForces) {
    ScriptedConsole console(std::string(5, '\n'));
    set_up_semi_site({10.0f});
    single_column_hull();
    SEMCHR();
    for (const auto& c : column_cases) {
        SCOPED_TRACE(c.period);
        SumallWave wave;
        wave.WAVK = c.k;
        wave.WKX = c.k;
        wave.WKY = 0.0f;
        wave.WENC = 6.2831855f / c.period;
        wave.FORSCL = 1.025f;
        SemiVector6 force{};
        SUMALL(force, wave, SemiVector6{});
        // Surge leads the elevation at the column by a quarter period (the acceleration),
        // heave is in phase with it (the pressure at the keel).
        EXPECT_NEAR(force[0].imag(), c.surge, five_digits * c.surge);
        EXPECT_NEAR(force[0].real(), 0.0f, five_digits * c.surge);
        EXPECT_NEAR(force[2].real(), c.heave, 2e-3f);
        EXPECT_NEAR(force[2].imag(), 0.0f, 2e-3f);
        EXPECT_NEAR(std::abs(force[1]), 0.0f, 1e-4f);
        EXPECT_NEAR(std::abs(force[3]), 0.0f, 1e-3f); // no roll in head seas
    }
}

TEST(Memfrc, SubmergedColumnDragMatchesItsClosedForm) {
    // Vertical column from 20 m below the surface up to it, still, no current, amplitudes 1:
    // the wave velocity is w e^{kz} (1, 0, i), its root-mean-square speed w e^{kz}, so
    // the drag integral is w^2 (1 - e^{-2kT}) / (2k) along x and i times that along z.
    ScriptedConsole console;
    MemberWave m;
    m.LEN = 20.0f;
    m.RBASE[2] = -20.0f;
    m.WVK = m.KX = 0.040284f;
    m.WDEPTH = 3000.0f;
    m.G = 9.8f;
    m.DRGFLG = 1;
    m.WVAMP = m.EXTAMP = 1.0f;
    m.GET_TOP_DRAG = true;
    const MemberForce r = MEMFRC(m, 6, 0, 5);
    const float k = m.WVK;
    const float w2 = 9.8f * k;
    const float expected = w2 * (1.0f - std::exp(-2.0f * k * 20.0f)) / (2.0f * k);
    // Five Simpson points over k L = 0.8: (0.4)^4 / 180 of the integral at most.
    EXPECT_NEAR(r.CFORCE[0].real(), expected, 2e-4f * expected);
    EXPECT_NEAR(r.CFORCE[0].imag(), 0.0f, 1e-5f);
    EXPECT_NEAR(r.CFORCE[2].imag(), expected, 2e-4f * expected);
    EXPECT_EQ(r.PIERCE, 0);
    // End faces: the axial velocity times the speed at the base and at the top.
    EXPECT_NEAR(r.CQDBOT.imag(), w2 * std::exp(-2.0f * k * 20.0f), 1e-5f);
    EXPECT_NEAR(r.CQDTOP.imag(), w2, 1e-5f);
}

TEST(Memfrc, EdgeCasesOfTheMemberForce) {
    ScriptedConsole console("\n");
    MemberWave m;
    m.WVK = m.KX = 0.1f;
    m.WDEPTH = 3000.0f;
    m.G = 9.8f;
    m.WFREQ = std::sqrt(9.8f * 0.1f);

    // A member lying in the waterline plane does not cross.
    m.LEN = 10.0f;
    m.DIRMEM[0] = 1.0f;
    m.DIRMEM[2] = 0.0f;
    MemberForce r = MEMFRC(m, 6, 0, 5);
    EXPECT_EQ(r.PIERCE, 0);
    EXPECT_EQ(r.CWPFRC, SemiComplex(0.0f, 0.0f));

    // A member with both ends deeper than 30/k adds nothing.
    m.DIRMEM[0] = 0.0f;
    m.DIRMEM[2] = 1.0f;
    m.RBASE[2] = -400.0f;
    m.LEN = 50.0f;
    r = MEMFRC(m, 6, 0, 5);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.CFORCE[i], SemiComplex(0.0f, 0.0f));
        EXPECT_EQ(r.CMOMT[i], SemiComplex(0.0f, 0.0f));
    }
    EXPECT_TRUE(console.screen().empty());

    // An axis out of the member plane warns, pauses and goes on.
    m.RBASE[2] = -10.0f;
    m.LEN = 5.0f;
    m.DIRMEM[1] = 0.1f;
    r = MEMFRC(m, 6, 0, 5);
    EXPECT_NE(console.screen().find(
                  " ++> WARNING: Elemental unit vector out of member plane in MEMFRC.\n"),
              std::string::npos)
        << console.screen();
    EXPECT_NE(std::abs(r.CFORCE[0]), 0.0f);
}

TEST(Memfrc, CrossingColumnHasTheWaterplanePressureOfItsTiltedSection) {
    ScriptedConsole console;
    MemberWave m;
    m.WVK = 0.05f;
    m.KX = 0.05f * 0.6f;
    m.KY = 0.05f * 0.8f;
    m.WDEPTH = 3000.0f;
    m.G = 9.8f;
    // Tilted 3-4-5 in its plane, base 8 m below the surface: it reaches the surface after
    // 10 m, at x = 8.
    m.RBASE[0] = 2.0f;
    m.RBASE[2] = -8.0f;
    m.DIRMEM[0] = 0.6f;
    m.DIRMEM[2] = 0.8f;
    m.LEN = 15.0f;
    const MemberForce r = MEMFRC(m, 6, 0, 5);
    EXPECT_EQ(r.PIERCE, 1);
    const SemiComplex expected =
        std::exp(SemiComplex(0.0f, -(m.KX * 8.0f))) / 0.8f; // elevation / cos(tilt)
    EXPECT_NEAR(r.CWPFRC.real(), expected.real(), 1e-5f);
    EXPECT_NEAR(r.CWPFRC.imag(), expected.imag(), 1e-5f);
}

} // namespace
} // namespace lintar
