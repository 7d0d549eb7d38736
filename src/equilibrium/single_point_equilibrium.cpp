// equilibrium/single_point_equilibrium.cpp: PNTEQB, the heading scan of a weathervaning vessel,
// and SPMEQB, its position at that heading.
#include "equilibrium/single_point_equilibrium.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "environment/coefficient_preparation.h"
#include "environment/net_environment.h"
#include "equilibrium/line_current_drag.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/root_finders.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace lintar {

namespace {

constexpr int catalogue_size = 30;
// A root this close to the first one at the end of the turn is the first found again.
constexpr float wrap_tolerance = 0.01f;
// Iterations of one block of the position search before the failure prompt.
constexpr std::int32_t position_block = 200;
constexpr std::int32_t singular_restarts = 50;

std::size_t slot(int i) {
    return static_cast<std::size_t>(i - 1);
}

// One root of the scan.
struct Root {
    float TANGLE = 0.0f, ENERGY = 0.0f, SLMANG = 0.0f;
    std::int32_t LSTABL = 0;
};

} // namespace

HeadingCatalogue equilb_catalogue() {
    EquilbBlock& Q = EQUILB;
    return {Q.TANGLE_words, Q.ENERGY_words, Q.LSTABL_words, Q.SLMANG_words, Q.ISTAB};
}

void PNTEQB(float& TNKANG, const HeadingCatalogue& catalogue, int IOSCRN, std::int32_t NEWEQL,
            const YawMomentFunction& moment) {
    const auto M = [&moment](float psi) { return moment ? moment(psi) : TORQUE(psi); };
    COFLD();
    float GUESSL = -0.53490716f;
    float GUESSH = -0.5f;
    const float DPHI = 0.034907144f;
    float ERGMAX = -1.0E30f;
    float TEMPEN = 0.0f;
    // The roots found, one more than the catalogue holds: the last may be the first found again
    // at the end of the turn, which the choice below still sees before dropping it.
    std::array<Root, catalogue_size + 1> roots{};
    int IANGLE = 1;
    std::int32_t ISTAB = 1;
    do {
        GUESSL += DPHI;
        GUESSH += DPHI;
        float root = 0.0f;
        float F = 0.0f;
        std::int32_t IER = 0;
        RTMI2(root, F, M, GUESSL, GUESSH, 0.000001f, 0.0f, 100, IER);
        if (IER == 1)
            fatal_stop(IOSCRN, keyboard_unit,
                       {"", " ++> Iteration overflow in PNTEQB... Check data file and retry", ""});
        // The energy: the moment integrated over the headings scanned, left rectangles.
        TEMPEN += M(GUESSL) * DPHI;
        if (IER != 0)
            continue; // no sign change in this bracket
        const float heading = ANGSYM(root);
        // A 31st root is too many unless it is the first one found again.
        const bool wrap = IANGLE > 1 && std::abs(heading - roots[0].TANGLE) <= wrap_tolerance;
        if (IANGLE > catalogue_size && !(IANGLE == catalogue_size + 1 && wrap))
            fatal_stop(IOSCRN, keyboard_unit,
                       {"", " ++> Too many equilibrium angles found in PNTEQB...",
                        "     Contact Kelbrin for assistance.", ""});
        if (TEMPEN >= ERGMAX) { // a later root wins a tie
            ISTAB = IANGLE;
            ERGMAX = TEMPEN;
        }
        Root& r = roots[slot(IANGLE)];
        r.ENERGY = TEMPEN;
        r.TANGLE = heading;
        const float slope = M(root + 0.01f) - M(root - 0.01f);
        r.LSTABL = slope <= 0.0f ? 1 : 0;
        r.SLMANG = ANGSYM(NETFOR(root, true).FRCANG + root);
        IANGLE += 1;
    } while (GUESSH <= 5.7831855f);

    if (IANGLE < 2)
        fatal_stop(IOSCRN, keyboard_unit,
                   {"", " ++> No equilibrium condition found.",
                    "     Check data file for oversized external force/moment."});
    int N = IANGLE - 1;

    // The stable root of largest energy (the first of equal ones) when the largest is unstable.
    if (roots[slot(ISTAB)].LSTABL == 0) {
        float best = 0.0f;
        bool found = false;
        for (int i = 1; i <= N; ++i) {
            const Root& r = roots[slot(i)];
            if (r.LSTABL == 1 && (!found || r.ENERGY > best)) {
                best = r.ENERGY;
                ISTAB = i;
                found = true;
            }
        }
    }
    // The first root found again at the end of the turn.
    if (N > 1 && std::abs(roots[slot(N)].TANGLE - roots[0].TANGLE) <= wrap_tolerance) {
        if (ISTAB == N)
            ISTAB = 1;
        N -= 1;
    }
    // The alternate equilibrium: the first other stable root.
    if (NEWEQL == 1) {
        for (int i = 1; i <= N; ++i)
            if (i != ISTAB && roots[slot(i)].LSTABL == 1) {
                ISTAB = i;
                break;
            }
    }
    // Every root found goes into the catalogue, the dropped duplicate too (as far as it
    // reaches); the count of entries is not kept.
    for (int i = 1; i <= std::min(IANGLE - 1, catalogue_size); ++i) {
        const Root& r = roots[slot(i)];
        catalogue.TANGLE[slot(i)] = r.TANGLE;
        catalogue.ENERGY[slot(i)] = r.ENERGY;
        catalogue.LSTABL[slot(i)] = r.LSTABL;
        catalogue.SLMANG[slot(i)] = r.SLMANG;
    }
    catalogue.ISTAB = ISTAB;
    TNKANG = roots[slot(ISTAB)].TANGLE;
}

PlaneSearchOutcome SPMEQB(bool ENVRON, float OFFMAX) {
    TpcmBlock& T = TPCM;
    EquilbBlock& Q = EQUILB;
    LocalBlock& W = LOCAL;
    const int EDUNIT = T.EDUNIT;
    PlaneSearchOutcome outcome;

    // 1. Debug level; the position starts at the origin, the heading stays.
    std::int32_t NBUG = 0;
    if (T.NBUG0 == 1) {
        write_record(EDUNIT, " ### In SPMEQB:");
        INBUG(NBUG, EDUNIT, keyboard_unit);
    }
    Q.FXENV = Q.FYENV = 0.0f;
    float FXENV0 = 0.0f;
    float FYENV0 = 0.0f;
    Q.RVES(1) = 0.0f;
    Q.YCGVAR() = 0.0f;
    const std::int32_t MINLN = LOCAL2.MINLN;
    const std::int32_t MAXLN = LOCAL2.MAXLN;
    const bool single_line = MINLN == MAXLN;

    // 2, 3. Line drag, steps, the point turret.
    if (ENVRON && T.LCURML != 0 && T.LCURNT != 0)
        lincom_line_drag(MINLN, MAXLN, false);
    const float EPSPX = position_step();
    const float EPSPY = EPSPX;
    const bool PNTTRT = point_turret(MINLN, MAXLN);
    const bool turret = T.LSPM != 0;

    // 4. The heading, fixed for the rest of the call.
    if (ENVRON)
        PNTEQB(Q.VESANG(), equilb_catalogue(), EDUNIT, T.NEWEQL);

    // 5. The start point.
    std::int32_t NEWTRY = 0;
    const auto start = [&] {
        if (NEWTRY == 0) {
            Q.RVES(1) = single_line ? -OFFMAX * std::cos(Q.VESANG()) : 0.0f;
            Q.YCGVAR() = single_line ? -OFFMAX * std::sin(Q.VESANG()) : 0.0f;
        } else {
            Q.RVES(1) = static_cast<float>(NEWTRY) * FXENV0;
            Q.YCGVAR() = static_cast<float>(NEWTRY) * FYENV0;
        }
    };
    start();

    // 6. Blocks of iterations.
    for (;;) {
        std::int32_t ITRATN = 0;
        float XCUM = 0.0f;
        float YCUM = 0.0f;
        bool done = false;
        while (ITRATN < position_block) {
            // 1. The environment at the heading, global axes.
            const PlaneEnvironment env = plane_environment(ENVRON, Q.VESANG(), false);
            FXENV0 = env.FX;
            FYENV0 = env.FY;
            // 2. The turret angle.
            if (turret) {
                if (T.LOCK_TRT == 1 || PNTTRT)
                    Q.TRTNGL = Q.VESANG();
                else
                    solve_turret_angle(TurretRootFailure::fatal);
            }
            // 3. The mooring at the iterate and at the two steps.
            const PlaneLoads at = plane_mooring(turret);
            const float x0 = Q.RVES(1);
            Q.RVES(1) = x0 + EPSPX;
            const PlaneLoads at_x = plane_mooring(turret);
            Q.RVES(1) = x0;
            const float y0 = Q.YCGVAR();
            Q.YCGVAR() = y0 + EPSPY;
            const PlaneLoads at_y = plane_mooring(turret);
            Q.YCGVAR() = y0;
            const float Fx = at.FXMOOR + FXENV0;
            const float Fy = at.FYMOOR + FYENV0;
            W.word(1) = (at_x.FXMOOR - at.FXMOOR) / EPSPX; // dFx/dx
            W.word(2) = (at_x.FYMOOR - at.FYMOOR) / EPSPX; // dFy/dx
            W.word(3) = (at_y.FXMOOR - at.FXMOOR) / EPSPY; // dFx/dy
            W.word(4) = (at_y.FYMOOR - at.FYMOOR) / EPSPY; // dFy/dy
            W.word(5) = Fx;
            W.word(6) = Fy;

            // 4. The determinant; a singular one.
            const std::array<float, 3> c1 = {W.word(1), W.word(2), 0.0f};
            const std::array<float, 3> c2 = {W.word(3), W.word(4), 0.0f};
            const std::array<float, 3> none = {0.0f, 0.0f, 0.0f};
            const float DENOM = DETERM(c1, c2, none, 2);
            if (std::abs(DENOM) == 0.0f) {
                if (std::abs(Fx) < 0.05f && std::abs(Fy) < 0.05f) {
                    done = true;
                    break;
                }
                if (!ENVRON) {
                    write_record(EDUNIT, "");
                    write_record(
                        EDUNIT,
                        " ++> Warning: Singular denominator in equilibrium iteration loop.");
                    write_record(EDUNIT, "");
                    abort_or_continue(EDUNIT);
                    outcome.ITFAIL = true;
                    done = true;
                    break;
                }
                NEWTRY += 1;
                if (NEWTRY > singular_restarts)
                    equilibrium_failed();
                start();
                ITRATN = 0;
                XCUM = YCUM = 0.0f;
                continue;
            }

            // 5. Cramer's rule for the new position.
            W.word(7) = Q.RVES(1) * W.word(1) + Q.YCGVAR() * W.word(3) - Fx;
            W.word(8) = Q.RVES(1) * W.word(2) + Q.YCGVAR() * W.word(4) - Fy;
            const std::array<float, 3> G = {W.word(7), W.word(8), 0.0f};
            const float DXEST = DETERM(G, c2, none, 2) / DENOM - Q.RVES(1);
            const float DYEST = DETERM(c1, G, none, 2) / DENOM - Q.YCGVAR();
            float XCGTMP = Q.RVES(1) + DXEST;
            float YCGTMP = Q.YCGVAR() + DYEST;
            // 6. The single-line limiter.
            if (single_line)
                single_line_limit(XCGTMP, YCGTMP, OFFMAX, FXENV0, FYENV0);
            // 7. Accepted; convergence from the fourth iteration on.
            Q.RVES(1) = XCGTMP;
            Q.YCGVAR() = YCGTMP;
            const auto ratio = [](float a, float b) {
                return b != 0.0f ? std::abs(a) / std::abs(b) : 0.0f;
            };
            const float TESTFX = ratio(Fx, at.FXMOOR);
            const float TESTFY = ratio(Fy, at.FYMOOR);
            const float TESTX = ratio(DXEST, Q.RVES(1));
            const float TESTY = ratio(DYEST, Q.YCGVAR());
            if (ITRATN > 2 && (TESTX < 0.0001f || std::abs(DXEST) < 0.001f) &&
                (TESTY < 0.0001f || std::abs(DYEST) < 0.001f) &&
                (TESTFX < 0.001f || std::abs(Fx) < 0.1f) &&
                (TESTFY < 0.001f || std::abs(Fy) < 0.1f)) {
                done = true;
                break;
            }
            // 8.
            ITRATN += 1;
            XCUM += Q.RVES(1);
            YCUM += Q.YCGVAR();
        }
        if (done)
            break;
        // 7. The block is exhausted: the mean of its iterates, and the question.
        Q.RVES(1) = XCUM / static_cast<float>(ITRATN);
        Q.YCGVAR() = YCUM / static_cast<float>(ITRATN);
        write_record(EDUNIT, "");
        write_record(EDUNIT, " ++> Iteration failure in mean position determination;");
        write_record(EDUNIT, "");
        write_record(EDUNIT, " Enter 99 to continue with current best estimate OR...");
        std::int32_t LBACK = 0;
        ABORT3(EDUNIT, keyboard_unit, LBACK);
        T.LBACK = LBACK;
        if (LBACK == -1)
            stop_program(StopKind::user_choice);
        if (LBACK == 99) {
            outcome.ITFAIL = true;
            break;
        }
    }
    (void)NBUG; // the position search has no dumps of its own
    // 8.
    Q.VESANG() = ANGSYM(Q.VESANG());
    return outcome;
}

} // namespace lintar
