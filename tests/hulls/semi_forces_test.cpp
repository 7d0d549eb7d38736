// Tests of the semisubmersible's forces and RAOs: the complex solver, the equivalent
// linearisation of the damping passes, the RAOs in long waves, at resonance and without
// restoring, finite tables at a zero encounter frequency, the drag fixed point against an
// independent successive substitution, and the failure paths of the Newton iteration.
#include "hulls/semi_hull.h"

#include "blocks/himem.h"
#include "blocks/simcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "semi_fixture.h"
#include "support/console.h"

#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace lintar {
namespace {

using testing::add_member;
using testing::column_area;
using testing::four_column_hull;
using testing::results_at;
using testing::run_until_stop;
using testing::ScratchFolder;
using testing::ScriptedConsole;
using testing::set_grid_entry;
using testing::set_up_semi_site;
using testing::SixDof;

using C = SemiComplex;

std::size_t count_of(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// The vessel-motion set-up's calls: characteristics, the characteristic passes, the full pass
// of the heading, the RAOs.
void run_model() {
    SEMCHR();
    std::int32_t NPASS2 = 0;
    SEMFRC(NPASS2);
    EXPECT_EQ(NPASS2, 2);
    NPASS2 = 5;
    SEMFRC(NPASS2);
}

TEST(Csimq, SolvesRandomWellConditionedSystemsAndFlagsAZeroColumn) {
    std::mt19937 gen(20240611);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (int trial = 0; trial < 20; ++trial) {
        SCOPED_TRACE(trial);
        std::array<C, 36> A{}, A0{};
        std::array<C, 6> B{}, B0{};
        for (int j = 0; j < 6; ++j) {
            for (int i = 0; i < 6; ++i)
                A[static_cast<std::size_t>(j * 6 + i)] = C(u(gen), u(gen));
            A[static_cast<std::size_t>(j * 6 + j)] += C(4.0f, 0.0f); // well conditioned
            B[static_cast<std::size_t>(j)] = C(u(gen), u(gen));
        }
        A0 = A;
        B0 = B;
        std::int32_t KS = -1;
        CSIMQ(A, B, 6, KS);
        ASSERT_EQ(KS, 0);
        float residual = 0.0f, size = 0.0f;
        for (int i = 0; i < 6; ++i) {
            C r = -B0[static_cast<std::size_t>(i)];
            for (int j = 0; j < 6; ++j)
                r += A0[static_cast<std::size_t>(j * 6 + i)] * B[static_cast<std::size_t>(j)];
            residual = std::max(residual, std::abs(r));
            size = std::max(size, std::abs(B0[static_cast<std::size_t>(i)]));
        }
        EXPECT_LT(residual, 1e-5f * size);
    }
    std::array<C, 36> A{};
    std::array<C, 6> B{};
    for (int i = 0; i < 6; ++i)
        A[static_cast<std::size_t>(i * 6 + i)] = C(1.0f, 0.0f);
    A[3 * 6 + 3] = C(0.0f, 0.0f); // column 4 all zero
    std::int32_t KS = 0;
    CSIMQ(A, B, 6, KS);
    EXPECT_EQ(KS, 1);
}

TEST(SemiDamping, EquivalentLinearDampingOfAQuadraticDamping) {
    const float gamma = equivalent_damping_factor(1e6f, 2e5f, 0.5f, 4e6f);
    EXPECT_NEAR(gamma, 0.206013f, 1e-6f);
    // Lorentz: the linear damping B = gamma w I dissipates what the quadratic one does at the
    // amplitude X = F / (B w) it allows: B = 8 / (3 pi) w X B_q.
    const double B = double(gamma) * 0.5 * 4e6;
    const double X = 2e5 / (B * 0.5);
    EXPECT_NEAR(B, 8.0 / (3.0 * 3.14159265358979) * 0.5 * X * 1e6, 1e-5 * B);
    EXPECT_EQ(equivalent_damping_factor(1e6f, 2e5f, 0.0f, 4e6f), 0.0f);
}

TEST(SemiDamping, PassesLineariseEveryModeOrTakeTheUserDamping) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({10.0f});
    four_column_hull(1.0f);
    TPCM.LRLDMP = 1;
    TPCM.RLDAMP = 4.0f;
    SEMCHR();
    std::int32_t NPASS2 = 0;
    SEMFRC(NPASS2);
    EXPECT_EQ(NPASS2, 2);
    EXPECT_FLOAT_EQ(SIMCOM.GAMRL, 0.08f);
    for (const float g : {SIMCOM.GAMPT, SIMCOM.GAMHV}) {
        EXPECT_TRUE(std::isfinite(g));
        EXPECT_GT(g, 0.0f);
        EXPECT_NE(g, 0.1f);
    }
    // A symmetric hull gives no asymmetry warning.
    EXPECT_EQ(console.screen().find("bilateral"), std::string::npos) << console.screen();
}

TEST(SemiRaos, HeaveTendsToTheWaveInLongWaves) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({200.0f});
    four_column_hull();
    run_model();
    SEMRAO();
    EXPECT_NEAR(std::abs(results_at(1).v[2]), 1.0f, 0.01f);
}

TEST(SemiRaos, HeaveAtResonanceIsTheForceOverTheDampingFactor) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({8.0f, 10.0f});
    four_column_hull();
    TPCM.LHVDMP = 1;
    TPCM.HVDAMP = 5.0f; // a damping factor of 0.1
    SEMCHR();
    // The second grid period at the heave natural period.
    const float WH = HIMEM.WH;
    TPCM.T(2) = 6.2831855f / WH;
    set_grid_entry(2, WH, WH * WH / 9.8f);
    run_model();
    EXPECT_FLOAT_EQ(SIMCOM.GAMHV, 0.1f);
    const C force = results_at(2).v[2];
    SEMRAO();
    EXPECT_NEAR(std::abs(results_at(2).v[2]), std::abs(force) / 0.1f,
                1e-4f * std::abs(force) / 0.1f);
}

TEST(SemiRaos, HullWithoutWaterplaneHasTheMassOnlyHeave) {
    // A submerged column from 20 m to 10 m below the surface: no restoring, so the heave RAO
    // is -F / (M w^2) with the Froude-Krylov force rho g A (e^{-kb} - e^{-ka}) and the mass of
    // the displaced water (no added mass along the axis).
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({6.0f, 12.0f});
    add_member({{0, 0, 0}, {0, 0, 10}, column_area, {10, 10, 10}, 1.0f, 0.0f, 0.0f, 1});
    TPCM.DRAFT = 20.0f;
    TPCM.DISPL = column_area * 10.0f * 1.025f;
    TPCM.AWP = 0.0f;
    TPCM.TVKB = TPCM.VKG = 5.0f;
    TPCM.LWL = TPCM.BWL = 10.0f;
    TPCM.RGYR = TPCM.PGYR = TPCM.YGYR = 5.0f;
    TPCM.NOWARN = 1;
    run_model();
    EXPECT_EQ(HIMEM.WH, 0.0f);
    SEMRAO();
    for (int IW = 1; IW <= 2; ++IW) {
        SCOPED_TRACE(IW);
        const float w = 6.2831855f / TPCM.T(IW);
        const float k = HIMEM.RLDUM(HIMEM.LCNWK + IW - 1);
        const float expected =
            -9.8f * (std::exp(-k * 20.0f) - std::exp(-k * 10.0f)) / (10.0f * w * w);
        const C heave = results_at(IW).v[2];
        EXPECT_NEAR(heave.real(), expected, 1e-4f * std::abs(expected));
        EXPECT_NEAR(heave.imag(), 0.0f, 1e-4f * std::abs(expected));
    }
}

TEST(SemiRaos, TablesStayFiniteAtAZeroEncounterFrequencyAndAnUndampedResonance) {
    ScriptedConsole console(std::string(10, '\n'));
    set_up_semi_site({8.0f, 10.0f, 14.0f});
    four_column_hull();
    SEMCHR();
    // Grid point 2 at the heave natural frequency; following seas whose speed matches the
    // wave's phase speed at grid point 3.
    const float WH = HIMEM.WH;
    set_grid_entry(2, WH, WH * WH / 9.8f);
    const float w3 = HIMEM.RLDUM(HIMEM.LCNW + 2);
    const float k3 = HIMEM.RLDUM(HIMEM.LCNWK + 2);
    TPCM.VFWD = w3 / k3;
    run_model();
    TPCM.SQLFRC = 1; // the drag iterated: no linearised damping in the RAOs
    SEMRAO();
    for (int IW = 1; IW <= 3; ++IW)
        for (const C& v : results_at(IW).v) {
            SCOPED_TRACE(IW);
            EXPECT_TRUE(std::isfinite(v.real()) && std::isfinite(v.imag()));
        }
}

// The drag evaluation of SEMFRC at one grid point, rebuilt from the model's pieces:
// F(x) = GETRAO(inertia forces + drag forces about x).
struct DragProblem {
    SumallWave wave;
    std::array<float, 6> FCOFS;
    SemiScales s;
    SemiVector6 CFKF;
    SemiVector6 F(const SemiVector6& x) const {
        SemiVector6 force = CFKF;
        SumallWave drag = wave;
        drag.DRGFLG = 1;
        drag.FORSCL = s.ACLFAC;
        SUMALL(force, drag, x);
        SemiVector6 CRFRC{}, out = x;
        GETRAO(force, FCOFS, CRFRC, out, s, wave.WENC, SIMCOM.GAMHV, SIMCOM.GAMPT, SIMCOM.GAMRL,
               wave.WAVK);
        return out;
    }
};

DragProblem drag_problem(int IW, float heading_deg) {
    DragProblem p;
    p.s = semi_scales();
    const float w = HIMEM.RLDUM(HIMEM.LCNW + IW - 1);
    const float k = HIMEM.RLDUM(HIMEM.LCNWK + IW - 1);
    const float th = heading_deg / 57.295776f;
    p.wave.WAVK = k;
    p.wave.WKX = k * std::cos(th);
    p.wave.WKY = k * std::sin(th);
    p.wave.WENC = w;
    p.wave.WVAMP = p.wave.EXTAMP = TPCM.SLPHT * 0.5f * 1.414f;
    p.wave.FORSCL = WAVCOM.DWATRP;
    const float D = TPCM.DISPL;
    p.FCOFS = {1 / (D * k),        1 / (D * k),        1 / p.s.HVFC,
               1 / (p.s.RLFC * k), 1 / (p.s.PTFC * k), 1 / (p.s.PTFC * k)};
    p.CFKF = {};
    SUMALL(p.CFKF, p.wave, SemiVector6{});
    return p;
}

TEST(SemiRaos, DragRaosAreTheFixedPointOfTheDragEvaluation) {
    ScriptedConsole console(std::string(10, '\n'));
    const float heading = 30.0f;
    set_up_semi_site({6.0f, 9.0f, 20.0f}, 3000.0f, heading);
    four_column_hull(1.0f);
    TPCM.SLPHT = 8.0f;
    TPCM.SQLFRC = 1;
    run_model();
    SEMRAO();
    for (int IW = 1; IW <= 3; ++IW) {
        SCOPED_TRACE(IW);
        const DragProblem p = drag_problem(IW, heading);
        const SixDof newton = results_at(IW);
        SemiVector6 x{};
        for (int i = 0; i < 6; ++i)
            x[static_cast<std::size_t>(i)] = newton.v[i];
        // The residual is below 1 per cent of each motion of some size.
        const SemiVector6 Fx = p.F(x);
        for (std::size_t i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            const float size = std::abs(x[i]);
            if (size > 1e-3f) {
                EXPECT_LT(std::abs(x[i] - Fx[i]), 0.01f * size);
            }
        }
        // The drag about the motion matters: the RAOs differ from those of the still hull.
        const SemiVector6 F0 = p.F(SemiVector6{});
        float change = 0.0f;
        for (std::size_t i = 0; i < 6; ++i)
            if (std::abs(x[i]) > 1e-3f)
                change = std::max(change, std::abs(x[i] - F0[i]) / std::abs(x[i]));
        EXPECT_GT(change, 0.01f);
        if (IW == 3) { // 20 s, above the heave period: the hull follows the wave
            EXPECT_GT(std::abs(x[2]), 0.5f);
        }
        // An independent successive substitution with relaxation reaches the same RAOs.
        SemiVector6 y{};
        for (int n = 0; n < 2000; ++n) {
            const SemiVector6 Fy = p.F(y);
            for (std::size_t i = 0; i < 6; ++i)
                y[i] += 0.3f * (Fy[i] - y[i]);
        }
        for (std::size_t i = 0; i < 6; ++i) {
            SCOPED_TRACE(i);
            const float size = std::max(std::abs(y[i]), 1e-3f);
            EXPECT_LT(std::abs(x[i] - y[i]), 0.02f * size);
        }
    }
}

// A drag evaluation without any dependence on the motion through x - F(x): its Jacobian is
// zero, and the residual (1, 0, ..., 0) never vanishes.
SemiVector6 stuck(const SemiVector6& x) {
    SemiVector6 F = x;
    F[0] += C(1.0f, 0.0f);
    return F;
}

TEST(SemiNewton, SingularJacobianKeepsTheEstimateAndCountsTheIteration) {
    // 101 singular steps (each warned, the pause answered), the question after the 101st;
    // Return allows 100 more, then 99 ends the determinations.
    std::string keys(101, '\n');
    keys += "\n";
    keys += std::string(100, '\n');
    keys += "99\n";
    ScriptedConsole console(keys);
    SemiVector6 x{};
    x[2] = C(0.5f, -0.25f);
    const SemiVector6 start = x;
    const ConvergenceQuestion q{screen_unit, 30.0f, 12.5f};
    EXPECT_EQ(iterate_drag_raos(x, stuck, 0.05f, q), DragIteration::stop_periods);
    EXPECT_EQ(x, start);
    const std::string screen = console.screen();
    EXPECT_EQ(
        count_of(screen, " ++> Warning: singular solution matrix in SEMFRC; error index =   1\n"),
        201u);
    EXPECT_NE(screen.find(" ++> Warning: No RAO convergence after    100 iterations for\n"
                          "     heading, =   30.00, wave period =  12.50, DOF = 1\n"
                          "     Enter 1 to continue with current estimate,\n"
                          "     enter 99 to terminate additional RAO determinations OR ...\n"),
              std::string::npos)
        << screen;
    EXPECT_NE(screen.find(" ++> Warning: No RAO convergence after    200 iterations for\n"),
              std::string::npos);
}

TEST(SemiNewton, AnswerOneAcceptsTheDegreeOfFreedom) {
    ScriptedConsole console(std::string(101, '\n') + "1\n");
    SemiVector6 x{};
    const ConvergenceQuestion q{screen_unit, 0.0f, 8.0f};
    EXPECT_EQ(iterate_drag_raos(x, stuck, 0.05f, q), DragIteration::converged);
}

TEST(SemiNewton, UnattendedRunStopsAtTheQuestion) {
    ScratchFolder folder;
    ScriptedConsole console;
    ASSERT_TRUE(
        open_unit(diagnostics_unit, "Diagnostics.stxt", OpenStatus::replace, FileForm::formatted));
    SemiVector6 x{};
    const ConvergenceQuestion q{diagnostics_unit, 0.0f, 8.0f};
    EXPECT_EQ(run_until_stop([&] { iterate_drag_raos(x, stuck, 0.05f, q); }), StopKind::error);
    close_unit(diagnostics_unit);
    EXPECT_NE(folder.read("Diagnostics.stxt").find("No RAO convergence after    100 iterations"),
              std::string::npos);
}

TEST(SemiNewton, LinearDragConvergesInOneStep) {
    ScriptedConsole console;
    // F(x) = A x + b with a contraction A: Newton lands on the fixed point at once.
    const auto linear = [](const SemiVector6& x) {
        SemiVector6 F{};
        for (std::size_t i = 0; i < 6; ++i)
            F[i] = C(0.3f, 0.2f) * x[i] + C(static_cast<float>(i) + 1.0f, 0.5f);
        return F;
    };
    SemiVector6 x{};
    EXPECT_EQ(iterate_drag_raos(x, linear, 0.05f, {screen_unit, 0.0f, 8.0f}),
              DragIteration::converged);
    for (std::size_t i = 0; i < 6; ++i) {
        const C expected = C(static_cast<float>(i) + 1.0f, 0.5f) / (C(1.0f, 0.0f) - C(0.3f, 0.2f));
        EXPECT_NEAR(std::abs(x[i] - expected), 0.0f, 1e-4f * std::abs(expected));
    }
    EXPECT_TRUE(console.screen().empty());
}

} // namespace
} // namespace lintar
