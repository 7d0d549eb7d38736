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

namespace {

// What one iteration of the position search tells its block.
enum class PositionStep {
    go_on,   // the next iteration
    done,    // converged, at an equilibrium, or an accepted estimate
    restart, // a singular Jacobian in the environment: a start farther out
};

// The position search of one SPMEQB call: the surge and sway of EQUILB at the fixed heading.
class PositionSearch {
public:
    PositionSearch(bool ENVRON_, float OFFMAX_) : ENVRON(ENVRON_), OFFMAX(OFFMAX_) {}

    PlaneSearchOutcome run();

private:
    void set_up();
    void start();
    bool block();
    PositionStep iterate();
    PositionStep singular(float Fx, float Fy);
    PositionStep newton_step(const PlaneLoads& at, float Fx, float Fy, float DENOM);
    bool exhausted();

    bool ENVRON;
    float OFFMAX;
    PlaneSearchOutcome outcome;

    int EDUNIT = 6;
    std::int32_t MINLN = 1, MAXLN = 0;
    bool single_line = false;
    bool turret = false; // the turret angle is solved (the turret switch of FMOOR)
    bool PNTTRT = false; // every evaluated fairlead at one point
    float EPSPX = 0.0f, EPSPY = 0.0f;
    float FXENV0 = 0.0f, FYENV0 = 0.0f;
    std::int32_t ITRATN = 0, NEWTRY = 0;
    float XCUM = 0.0f, YCUM = 0.0f;
};

// The debug level, the position at the origin (the heading stays), the line drag, the steps,
// the point turret and, in the environment, the heading of PNTEQB, fixed for the rest of the
// call. Reads TPCM and LOCAL2; writes EQUILB and, with line drag, LINCOM's drag words.
void PositionSearch::set_up() {
    TpcmBlock& T = TPCM;
    EquilbBlock& Q = EQUILB;
    EDUNIT = T.EDUNIT;
    std::int32_t NBUG = 0;
    if (T.NBUG0 == 1) {
        write_record(EDUNIT, " ### In SPMEQB:");
        INBUG(NBUG, EDUNIT, keyboard_unit);
    }
    (void)NBUG; // the position search has no dumps of its own
    Q.FXENV = Q.FYENV = 0.0f;
    Q.RVES(1) = 0.0f;
    Q.YCGVAR() = 0.0f;
    MINLN = LOCAL2.MINLN;
    MAXLN = LOCAL2.MAXLN;
    single_line = MINLN == MAXLN;

    if (ENVRON && T.LCURML != 0 && T.LCURNT != 0)
        lincom_line_drag(MINLN, MAXLN, false);
    EPSPX = position_step();
    EPSPY = EPSPX;
    PNTTRT = point_turret(MINLN, MAXLN);
    turret = T.LSPM != 0;

    if (ENVRON)
        PNTEQB(Q.VESANG(), equilb_catalogue(), EDUNIT, T.NEWEQL);
}

// The start point: for a single line OFFMAX back along the heading, else the origin; after a
// singular Jacobian along the last environmental force, farther out with every restart.
void PositionSearch::start() {
    EquilbBlock& Q = EQUILB;
    if (NEWTRY == 0) {
        Q.RVES(1) = single_line ? -OFFMAX * std::cos(Q.VESANG()) : 0.0f;
        Q.YCGVAR() = single_line ? -OFFMAX * std::sin(Q.VESANG()) : 0.0f;
    } else {
        Q.RVES(1) = static_cast<float>(NEWTRY) * FXENV0;
        Q.YCGVAR() = static_cast<float>(NEWTRY) * FYENV0;
    }
}

// A block of iterations from the present position, begun again after every restart. Returns
// true when the search ends, false when the block is exhausted.
bool PositionSearch::block() {
    ITRATN = 0;
    XCUM = YCUM = 0.0f;
    while (ITRATN < position_block) {
        const PositionStep step = iterate();
        if (step == PositionStep::done)
            return true;
        if (step == PositionStep::restart) {
            start();
            ITRATN = 0;
            XCUM = YCUM = 0.0f;
        }
    }
    return false;
}

// One Newton iteration: the environment at the heading, the turret angle, the mooring at the
// iterate and at the two steps, the Jacobian and net force into LOCAL's words 1 to 6.
PositionStep PositionSearch::iterate() {
    EquilbBlock& Q = EQUILB;
    LocalBlock& W = LOCAL;
    const PlaneEnvironment env = plane_environment(ENVRON, Q.VESANG(), false);
    FXENV0 = env.FX;
    FYENV0 = env.FY;
    if (turret) {
        if (TPCM.LOCK_TRT == 1 || PNTTRT)
            Q.TRTNGL = Q.VESANG();
        else
            solve_turret_angle(TurretRootFailure::fatal);
    }
    const PlaneLoads at = plane_mooring(turret);
    const PlaneLoads at_x = plane_mooring_stepped(turret, PlaneAxis::x, EPSPX);
    const PlaneLoads at_y = plane_mooring_stepped(turret, PlaneAxis::y, EPSPY);
    const float Fx = at.FXMOOR + FXENV0;
    const float Fy = at.FYMOOR + FYENV0;
    W.word(1) = (at_x.FXMOOR - at.FXMOOR) / EPSPX; // dFx/dx
    W.word(2) = (at_x.FYMOOR - at.FYMOOR) / EPSPX; // dFy/dx
    W.word(3) = (at_y.FXMOOR - at.FXMOOR) / EPSPY; // dFx/dy
    W.word(4) = (at_y.FYMOOR - at.FYMOOR) / EPSPY; // dFy/dy
    W.word(5) = Fx;
    W.word(6) = Fy;

    const std::array<float, 3> c1 = {W.word(1), W.word(2), 0.0f};
    const std::array<float, 3> c2 = {W.word(3), W.word(4), 0.0f};
    const std::array<float, 3> none = {0.0f, 0.0f, 0.0f};
    const float DENOM = DETERM(c1, c2, none, 2);
    if (std::abs(DENOM) == 0.0f)
        return singular(Fx, Fy);
    return newton_step(at, Fx, Fy, DENOM);
}

// A singular Jacobian: a state of no net force is the equilibrium; in still water the warning
// and the abort pause, the present state accepted; in the environment a restart, fatal after
// the last.
PositionStep PositionSearch::singular(float Fx, float Fy) {
    if (std::abs(Fx) < 0.05f && std::abs(Fy) < 0.05f)
        return PositionStep::done;
    if (!ENVRON) {
        singular_warning(EDUNIT, "equilibrium");
        outcome.ITFAIL = true;
        return PositionStep::done;
    }
    NEWTRY += 1;
    if (NEWTRY > singular_restarts)
        equilibrium_failed();
    return PositionStep::restart;
}

// Cramer's rule on LOCAL's Jacobian for the new position (right-hand side into LOCAL's words 7
// and 8), the single-line limiter, the position accepted into EQUILB; converged from the fourth
// iteration on, else counted and summed for the mean of the block.
PositionStep PositionSearch::newton_step(const PlaneLoads& at, float Fx, float Fy, float DENOM) {
    EquilbBlock& Q = EQUILB;
    LocalBlock& W = LOCAL;
    const std::array<float, 3> c1 = {W.word(1), W.word(2), 0.0f};
    const std::array<float, 3> c2 = {W.word(3), W.word(4), 0.0f};
    const std::array<float, 3> none = {0.0f, 0.0f, 0.0f};
    W.word(7) = Q.RVES(1) * W.word(1) + Q.YCGVAR() * W.word(3) - Fx;
    W.word(8) = Q.RVES(1) * W.word(2) + Q.YCGVAR() * W.word(4) - Fy;
    const std::array<float, 3> G = {W.word(7), W.word(8), 0.0f};
    const float DXEST = DETERM(G, c2, none, 2) / DENOM - Q.RVES(1);
    const float DYEST = DETERM(c1, G, none, 2) / DENOM - Q.YCGVAR();
    float XCGTMP = Q.RVES(1) + DXEST;
    float YCGTMP = Q.YCGVAR() + DYEST;
    if (single_line)
        single_line_limit(XCGTMP, YCGTMP, OFFMAX, FXENV0, FYENV0);
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
        (TESTY < 0.0001f || std::abs(DYEST) < 0.001f) && (TESTFX < 0.001f || std::abs(Fx) < 0.1f) &&
        (TESTFY < 0.001f || std::abs(Fy) < 0.1f))
        return PositionStep::done;
    ITRATN += 1;
    XCUM += Q.RVES(1);
    YCUM += Q.YCGVAR();
    return PositionStep::go_on;
}

// An exhausted block: the mean of its iterates into EQUILB, the failure message and the
// question on EDUNIT. Returns true when the user takes the estimate (99); "A" ends the run
// (the user's choice); anything else runs another block.
bool PositionSearch::exhausted() {
    EquilbBlock& Q = EQUILB;
    Q.RVES(1) = XCUM / static_cast<float>(ITRATN);
    Q.YCGVAR() = YCUM / static_cast<float>(ITRATN);
    write_record(EDUNIT, "");
    write_record(EDUNIT, " ++> Iteration failure in mean position determination;");
    write_record(EDUNIT, "");
    write_record(EDUNIT, " Enter 99 to continue with current best estimate OR...");
    if (take_estimate(EDUNIT)) {
        outcome.ITFAIL = true;
        return true;
    }
    return false;
}

PlaneSearchOutcome PositionSearch::run() {
    set_up();
    start();
    while (!block())
        if (exhausted())
            break;
    EQUILB.VESANG() = ANGSYM(EQUILB.VESANG());
    return outcome;
}

} // namespace

PlaneSearchOutcome SPMEQB(bool ENVRON, float OFFMAX) {
    PositionSearch search(ENVRON, OFFMAX);
    return search.run();
}

} // namespace lintar
