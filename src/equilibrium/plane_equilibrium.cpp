// equilibrium/plane_equilibrium.cpp: EQFIND, the three-degree-of-freedom equilibrium search,
// and the pieces the single-point search shares with it.
#include "equilibrium/plane_equilibrium.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/local.h"
#include "blocks/local2.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "environment/net_environment.h"
#include "equilibrium/equilibrium_geometry.h"
#include "equilibrium/line_current_drag.h"
#include "equilibrium/turret_torque.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/scope_restore.h"
#include "util/table_search.h"

#include <array>
#include <cmath>
#include <random>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// The solvers' own uniform generator, used when the caller hands in none: a fixed seed, so
// that a run repeats itself; restarted with the program state.
struct RandomStore {
    std::minstd_rand engine{12345u};
};
RandomStore random_store;
const StateReset reset_random_store{[] { random_store = RandomStore{}; }, StoreKind::analysis};

float own_random() {
    std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
    float r = uniform(random_store.engine);
    return r < 1.0f ? r : 0.0f; // the distribution may round up to 1 in single precision
}

// Iterations in one block before a random restart, and blocks before the failure prompt.
constexpr std::int32_t block_iterations = 100;
constexpr std::int32_t quiet_restarts = 8;
// Restarts after a singular Jacobian in the environment before the fatal end.
constexpr std::int32_t singular_restarts = 50;
// The largest heading step of one iteration, radians.
constexpr float heading_step_limit = 0.75f;

// A debug dump: the label, then the values six to a line (E12.4).
void dump(int unit, std::string_view label, std::span<const float> values) {
    write_record(unit, std::string(label));
    std::string line;
    for (std::size_t k = 0; k < values.size(); ++k) {
        line += E(values[k], 12, 4);
        if (k % 6 == 5 || k + 1 == values.size()) {
            write_record(unit, line);
            line.clear();
        }
    }
}

// Where the search goes next.
enum class Next { start, block, completion };

// The search of one EQFIND call: the values that span its steps.
class PlaneSearch {
public:
    PlaneSearch(bool ENVRON_, float OFFMAX_, const UniformRandom& RAND_)
        : ENVRON(ENVRON_), OFFMAX(OFFMAX_), RAND(RAND_) {}

    PlaneSearchOutcome run();

private:
    float draw() { return RAND ? RAND() : own_random(); }
    void start();
    Next block();
    Next iterate(bool& converged);
    void evaluate();
    Next singular();
    void newton_step(const std::array<float, 3>& c1, const std::array<float, 3>& c2,
                     const std::array<float, 3>& c3, int NDETRM, float DENOM);
    bool converged_now() const;
    Next exhausted();
    Next completion();
    void environment_at_heading(float& FX, float& FY, float& TZ) const;
    void iteration_failure_report();

    bool ENVRON;
    float OFFMAX;
    const UniformRandom& RAND;
    PlaneSearchOutcome outcome;

    int EDUNIT = 6;
    std::int32_t NBUG = 0;
    std::int32_t MINLN = 1, MAXLN = 0;
    bool single_line = false;
    bool turret = false; // the turret angle is solved (the turret switch of FMOOR)
    bool PNTTRT = false; // every evaluated fairlead at one point
    float EPSPX = 0.0f, EPSPY = 0.0f, EPSPZ = 0.001f;
    float FXENV0 = 0.0f, FYENV0 = 0.0f, TZENV0 = 0.0f;
    float FXMOR0 = 0.0f, FYMOR0 = 0.0f, TZMOR0 = 0.0f;
    float DXEST = 0.0f, DYEST = 0.0f, DZEST = 0.0f;
    float XCUM = 0.0f, YCUM = 0.0f, ZCUM = 0.0f;
    std::int32_t ITRATN = 0, ITRY = 0, NEWTRY = 0, UNSTAB = 0, UNSTB2 = 0, NEWTST = 0;
    float ANGTMP = 0.0f;
};

void PlaneSearch::environment_at_heading(float& FX, float& FY, float& TZ) const {
    const PlaneEnvironment env = plane_environment(ENVRON, EQUILB.VESANG(), true);
    FX = env.FX;
    FY = env.FY;
    TZ = env.TZ;
}

// The start of the search, and its start again after a singular Jacobian.
void PlaneSearch::start() {
    EquilbBlock& Q = EQUILB;
    Q.VESANG() = TPCM.VESAN0;
    Q.ZCGVAR = 0.0f;
    if (NEWTRY == 0) {
        Q.RVES(1) = single_line ? -OFFMAX * std::cos(TPCM.VESAN0) : 0.0f;
        Q.YCGVAR() = single_line ? -OFFMAX * std::sin(TPCM.VESAN0) : 0.0f;
    } else {
        // Along the last environmental force, farther out with every restart.
        Q.RVES(1) = static_cast<float>(NEWTRY) * FXENV0;
        Q.YCGVAR() = static_cast<float>(NEWTRY) * FYENV0;
    }
    ITRY = 0;
}

// The environment at the iterate (global axes), the turret angle at the present position, the
// mooring at the iterate and at its three difference steps (the heading step moves EQUILB's
// heading for the environment and the mooring and puts it back); the net load and the Jacobian
// into LOCAL, the mooring at the iterate into FXMOR0, FYMOR0, TZMOR0. The environment depends
// on the heading alone.
void PlaneSearch::evaluate() {
    EquilbBlock& Q = EQUILB;
    LocalBlock& W = LOCAL;
    environment_at_heading(FXENV0, FYENV0, TZENV0);
    if (TPCM.LSPM != 0) {
        if (TPCM.LOCK_TRT == 1 || PNTTRT)
            Q.TRTNGL = Q.VESANG();
        else
            solve_turret_angle(TurretRootFailure::unstable);
    }

    const PlaneLoads at = plane_mooring(turret);
    FXMOR0 = at.FXMOOR;
    FYMOR0 = at.FYMOOR;
    TZMOR0 = at.TZMOOR;
    W.FNET(1) = FXMOR0 + FXENV0;
    W.FYNET0() = FYMOR0 + FYENV0;
    W.TZNET0() = TZMOR0 + TZENV0;

    const PlaneLoads at_x = plane_mooring_stepped(turret, PlaneAxis::x, EPSPX);
    const float TZNET1 = at_x.TZMOOR + TZENV0;
    const PlaneLoads at_y = plane_mooring_stepped(turret, PlaneAxis::y, EPSPY);
    const float TZNET2 = at_y.TZMOOR + TZENV0;

    float FXENV1 = 0.0f, FYENV1 = 0.0f, TZENV1 = 0.0f;
    PlaneLoads at_z;
    {
        const ScopeRestore keep_heading(Q.VESANG());
        Q.VESANG() = keep_heading.saved() + EPSPZ;
        environment_at_heading(FXENV1, FYENV1, TZENV1);
        at_z = plane_mooring(turret);
    }
    const float FXNET3 = at_z.FXMOOR + FXENV1;
    const float FYNET3 = at_z.FYMOOR + FYENV1;
    const float TZNET3 = at_z.TZMOOR + TZENV1;

    W.DFXX() = (at_x.FXMOOR - FXMOR0) / EPSPX;
    W.DFXY() = (at_y.FXMOOR - FXMOR0) / EPSPY;
    W.DFZ(1) = (FXNET3 - W.FNET(1)) / EPSPZ;
    W.DFYX() = (at_x.FYMOOR - FYMOR0) / EPSPX;
    W.DFYY() = (at_y.FYMOOR - FYMOR0) / EPSPY;
    W.DFYZ() = (FYNET3 - W.FYNET0()) / EPSPZ;
    W.DFZX() = (TZNET1 - W.TZNET0()) / EPSPX;
    W.DFZY() = (TZNET2 - W.TZNET0()) / EPSPY;
    W.DFZZ() = (TZNET3 - W.TZNET0()) / EPSPZ;
}

// A singular Jacobian (F2): the present state is an equilibrium when its net load is zero; in
// still water the warning and the abort pause, the present state standing for the equilibrium;
// in the environment a start farther out, fatal after the last.
Next PlaneSearch::singular() {
    LocalBlock& W = LOCAL;
    if (W.FNET(1) == 0.0f && W.FYNET0() == 0.0f && W.TZNET0() == 0.0f)
        return Next::completion;
    if (!ENVRON) {
        singular_warning(EDUNIT, "orientation");
        outcome.ITFAIL = true;
        return Next::completion;
    }
    NEWTRY += 1;
    if (NEWTRY > singular_restarts)
        equilibrium_failed();
    return Next::start;
}

// The Newton step on LOCAL's Jacobian (columns c1, c2, c3, determinant DENOM of order NDETRM):
// the right-hand side into LOCAL, Cramer's rule for the step (the new state less the old) into
// DXEST, DYEST, DZEST, the heading step limited (the translation is not), the trial state pulled
// back for a single line that runs away, and accepted into EQUILB.
void PlaneSearch::newton_step(const std::array<float, 3>& c1, const std::array<float, 3>& c2,
                              const std::array<float, 3>& c3, int NDETRM, float DENOM) {
    EquilbBlock& Q = EQUILB;
    LocalBlock& W = LOCAL;
    W.GXNET() = W.DFXX() * Q.RVES(1) + W.DFXY() * Q.YCGVAR() - W.FNET(1);
    W.GYNET() = W.DFYX() * Q.RVES(1) + W.DFYY() * Q.YCGVAR() - W.FYNET0();
    W.GZNET() = 0.0f;
    if (NDETRM == 3) {
        W.GXNET() += W.DFZ(1) * Q.VESANG();
        W.GYNET() += W.DFYZ() * Q.VESANG();
        W.GZNET() =
            W.DFZX() * Q.RVES(1) + W.DFZY() * Q.YCGVAR() + W.DFZZ() * Q.VESANG() - W.TZNET0();
    }
    if (NBUG == 1)
        dump(EDUNIT, "GXNET,GYNET,GZNET,XCGVAR,YCGVAR,VESANG",
             std::array<float, 6>{W.GXNET(), W.GYNET(), W.GZNET(), Q.RVES(1), Q.YCGVAR(),
                                  Q.VESANG()});

    const std::array<float, 3> G = {W.GXNET(), W.GYNET(), W.GZNET()};
    DXEST = DETERM(G, c2, c3, NDETRM) / DENOM - Q.RVES(1);
    DYEST = DETERM(c1, G, c3, NDETRM) / DENOM - Q.YCGVAR();
    DZEST = NDETRM == 3 ? DETERM(c1, c2, G, NDETRM) / DENOM - Q.VESANG() : 0.0f;
    if (std::abs(DZEST) > heading_step_limit)
        DZEST = std::copysign(heading_step_limit, DZEST);

    float XCGTMP = Q.RVES(1) + DXEST;
    float YCGTMP = Q.YCGVAR() + DYEST;
    const float VESTMP = Q.VESANG() + DZEST;
    if (single_line)
        single_line_limit(XCGTMP, YCGTMP, OFFMAX, FXENV0, FYENV0);
    Q.RVES(1) = XCGTMP;
    Q.YCGVAR() = YCGTMP;
    Q.VESANG() = VESTMP;
    if (NBUG == 1)
        dump(EDUNIT, "NEWSTUFF: DXEST,XCGVAR,DYEST,YCGVAR,DZEST,VESANG",
             std::array<float, 6>{DXEST, Q.RVES(1), DYEST, Q.YCGVAR(), DZEST, Q.VESANG()});
}

// The convergence tests on the step and the net load, relative (0 for a zero divisor) or
// absolute, from the fourth iteration of a block on.
bool PlaneSearch::converged_now() const {
    EquilbBlock& Q = EQUILB;
    LocalBlock& W = LOCAL;
    const auto ratio = [](float a, float b) {
        return b != 0.0f ? std::abs(a) / std::abs(b) : 0.0f;
    };
    const float TESTFX = ratio(W.FNET(1), FXMOR0);
    const float TESTFY = ratio(W.FYNET0(), FYMOR0);
    const float TESTFZ = ratio(W.TZNET0(), TZMOR0);
    const float TESTX = ratio(DXEST, Q.RVES(1));
    const float TESTY = ratio(DYEST, Q.YCGVAR());
    const float TESTZ = ratio(DZEST, Q.VESANG());
    if (NBUG == 1) {
        dump(EDUNIT, "XCGVAR,YCGVAR,VESANG",
             std::array<float, 3>{Q.RVES(1), Q.YCGVAR(), Q.VESANG()});
        dump(EDUNIT, "TESTX,TESTY,TESTZ,EPSPX,EPSPY,EPSPZ,DXEST,DYEST,DZEST",
             std::array<float, 9>{TESTX, TESTY, TESTZ, EPSPX, EPSPY, EPSPZ, DXEST, DYEST, DZEST});
    }
    if (ITRATN <= 2)
        return false;
    const bool steps = (TESTX < 0.0001f || std::abs(DXEST) < 0.001f) &&
                       (TESTY < 0.0001f || std::abs(DYEST) < 0.001f) &&
                       (TESTZ < 0.0001f || std::abs(DZEST) < 0.0001f);
    const bool loads = (TESTFX < 0.001f || std::abs(W.FNET(1)) < 0.1f) &&
                       (TESTFY < 0.001f || std::abs(W.FYNET0()) < 0.1f) &&
                       (TESTFZ < 0.001f || std::abs(W.TZNET0()) < 1.0f);
    return steps && loads;
}

// One Newton iteration. Sets `converged` when the tests pass; returns where to go when
// the iteration leaves the block (a singular Jacobian), else Next::block to go on.
Next PlaneSearch::iterate(bool& converged) {
    EquilbBlock& Q = EQUILB;
    LocalBlock& W = LOCAL;
    converged = false;
    evaluate();

    // A vanishing heading column or moment row leaves the heading fixed: a 2 x 2 system.
    const bool column_zero = W.DFZ(1) == 0.0f && W.DFYZ() == 0.0f && W.DFZZ() == 0.0f;
    const bool row_zero = W.DFZX() == 0.0f && W.DFZY() == 0.0f && W.DFZZ() == 0.0f;
    const int NDETRM = column_zero || row_zero ? 2 : 3;
    const std::array<float, 3> c1 = {W.DFXX(), W.DFYX(), W.DFZX()};
    const std::array<float, 3> c2 = {W.DFXY(), W.DFYY(), W.DFZY()};
    const std::array<float, 3> c3 = {W.DFZ(1), W.DFYZ(), W.DFZZ()};
    const float DENOM = DETERM(c1, c2, c3, NDETRM);
    if (std::abs(DENOM) == 0.0f)
        return singular();

    newton_step(c1, c2, c3, NDETRM, DENOM);
    if (converged_now()) {
        converged = true;
        return Next::completion;
    }
    // Counted, and summed for the mean of the block.
    ITRATN += 1;
    XCUM += Q.RVES(1);
    YCUM += Q.YCGVAR();
    ZCUM += Q.VESANG();
    return Next::block;
}

// A block of iterations from the present state.
Next PlaneSearch::block() {
    ITRATN = 0;
    XCUM = YCUM = ZCUM = 0.0f;
    while (ITRATN < block_iterations) {
        bool converged = false;
        const Next next = iterate(converged);
        if (next != Next::block)
            return next;
    }
    return exhausted();
}

// F3: the iteration-failure report before the prompt.
void PlaneSearch::iteration_failure_report() {
    LocalBlock& W = LOCAL;
    write_record(EDUNIT, "");
    write_record(EDUNIT, " ++> Iteration failure in mean position determination after " +
                             I(100 * ITRY, 4) + " attempts;");
    write_record(EDUNIT, "");
    write_record(EDUNIT,
                 " Current Position error estimates {x,y,yaw (deg)}:    " + E(DXEST, 10, 2) +
                     E(DYEST, 10, 2) + E(DZEST * degrees_per_radian, 10, 2));
    write_record(EDUNIT, " Current Net Force/Moment error estimates {x,y,yaw}:  " +
                             E(W.FNET(1), 10, 2) + E(W.FYNET0(), 10, 2) + E(W.TZNET0(), 10, 2));
    write_record(EDUNIT, "");
    write_record(EDUNIT, " Enter 99 to continue with current best estimate OR...");
}

// A block without convergence.
Next PlaneSearch::exhausted() {
    EquilbBlock& Q = EQUILB;
    // A random restart from the mean of the block's iterates (three successive numbers).
    const float n = static_cast<float>(ITRATN);
    const float r1 = draw();
    Q.RVES(1) = 0.2f * r1 + XCUM / n;
    const float r2 = draw();
    Q.YCGVAR() = 0.2f * r2 + YCUM / n;
    const float r3 = draw();
    Q.VESANG() = 0.2f * r3 / degrees_per_radian + ZCUM / n;

    // A restart point that is yaw-unstable turns, three times at most.
    const bool SPMFLG = turret;
    const float DTZTMP = SPRING(0.0f, 0.0f, 0.1f, MINLN, MAXLN, ENVRON, SPMFLG, TORQUE).DTZTMP;
    if (DTZTMP < 0.0f) {
        UNSTB2 += 1;
        const float DTZT2 = -SPRING(0.0f, 0.0f, -0.1f, MINLN, MAXLN, ENVRON, SPMFLG, TORQUE).DTZTMP;
        const float FAC = DTZTMP >= DTZT2 ? -1.0f : 1.0f;
        if (UNSTB2 <= 3) {
            const float turn = UNSTB2 == 1   ? pi_single
                               : UNSTB2 == 2 ? half_pi_single
                                             : quarter_pi_single;
            Q.VESANG() += FAC * turn;
            return Next::block;
        }
    }

    // Eight quiet restarts; then the failure prompt after every block.
    if (ITRY <= quiet_restarts) {
        ITRY += 1;
        return Next::block;
    }
    iteration_failure_report();
    if (take_estimate(EDUNIT)) {
        outcome.ITFAIL = true; // the estimate stands for the equilibrium
        return Next::completion;
    }
    ITRY += 1;
    return Next::block;
}

// Heave, yaw stability and the alternate equilibrium. Returns Next::block when
// the search goes on from a turned heading, else Next::completion to end.
Next PlaneSearch::completion() {
    EquilbBlock& Q = EQUILB;
    // The heave of a tension-leg platform from the legs' vertical pull.
    if (TPCM.SIMTYP == 14) {
        PlaneFrame frame;
        frame.XCENTR = TPCM.XSALM;
        frame.XMCTR = TPCM.XSALM;
        frame.LSPM = turret;
        const PlaneLoads legs = FMOOR(equilb_plane_state(), frame, lincom_tables(),
                                      lincom_mooring_lines(1, TPCM.NLINE(1)));
        const float stiffness = TPCM.AWP * WAVCOM.DWATRP;
        // Without a waterplane or water weight there is no heave balance to solve.
        Q.ZCGVAR = stiffness != 0.0f ? (legs.FZMOOR - Q.FZMREQ) / stiffness : 0.0f;
    } else if (TPCM.SIMTYP != 17) {
        Q.ZCGVAR = 0.0f;
    }

    // Yaw stability: an unstable heading turns, with the question every fourth time.
    const float DTZTMP = SPRING(0.0f, 0.0f, 0.1f, MINLN, MAXLN, ENVRON, turret, TORQUE).DTZTMP;
    if (DTZTMP < 0.0f) {
        UNSTAB += 1;
        if (UNSTAB % 4 == 0) {
            write_record(EDUNIT, " ++> Having difficulty finding a stable equilibrium...");
            write_record(EDUNIT, "     Current number of failed attempts = " + I(UNSTAB, 2));
            abort_or_continue(EDUNIT);
        }
        const float turn = UNSTAB == 1   ? pi_single
                           : UNSTAB == 2 ? half_pi_single
                           : UNSTAB == 3 ? quarter_pi_single
                                         : static_cast<float>(UNSTAB - 3) * 0.1f;
        Q.VESANG() += turn;
        return Next::block;
    }

    // 17.
    if (NBUG == 1)
        write_record(EDUNIT, "++> All done!: IEQSET = " + I(0, 2));

    // The alternate equilibrium: trials from turned headings until one ends elsewhere.
    if (TPCM.NEWEQL == 1 && NEWTST <= 5) {
        NEWTST += 1;
        if (NEWTST > 1 && std::abs(ANGTMP - Q.VESANG()) > 2.0f * EPSPZ)
            return Next::completion;
        ANGTMP = Q.VESANG();
        constexpr float turns[6] = {4.712389f,         pi_single,   half_pi_single,
                                    quarter_pi_single, 0.31415927f, 0.0f};
        Q.VESANG() += turns[slot(NEWTST)];
        return Next::block;
    }
    return Next::completion;
}

PlaneSearchOutcome PlaneSearch::run() {
    TpcmBlock& T = TPCM;
    EquilbBlock& Q = EQUILB;
    EDUNIT = T.EDUNIT;
    // Debug level.
    if (T.NBUG0 == 1) {
        write_record(EDUNIT, " ### In EQFIND:");
        INBUG(NBUG, EDUNIT, keyboard_unit);
    }
    // The environment words and the state start at zero, the heading at VESAN0.
    Q.FXENV = Q.FYENV = Q.TZENV = 0.0f;
    Q.RVES(1) = 0.0f;
    Q.YCGVAR() = 0.0f;
    Q.ZCGVAR = 0.0f;
    Q.VESANG() = T.VESAN0;
    MINLN = LOCAL2.MINLN;
    MAXLN = LOCAL2.MAXLN;
    single_line = MINLN == MAXLN;
    // The line current drag, once for the whole search.
    if (ENVRON && T.LCURML != 0 && T.LCURNT != 0)
        lincom_line_drag(MINLN, MAXLN, false);
    // Steps; the point turret; the turret switch.
    EPSPX = EPSPY = position_step();
    EPSPZ = 0.001f;
    PNTTRT = point_turret(MINLN, MAXLN);
    turret = T.LSPM != 0 && T.LOCK_TRT != 1 && !PNTTRT;

    Next next = Next::start;
    for (;;) {
        if (next == Next::start) {
            start();
            next = Next::block;
        }
        if (next == Next::block)
            next = block();
        if (next == Next::completion) {
            next = completion();
            if (next == Next::completion)
                break;
        }
    }
    // 19.
    Q.VESANG() = ANGSYM(Q.VESANG());
    return outcome;
}

} // namespace

PlaneEnvironment plane_environment(bool ENVRON, float VESANG, bool with_moment) {
    PlaneEnvironment env;
    if (!ENVRON)
        return env;
    const NetForces F = NETFOR(VESANG, true);
    env.FX = F.FXENVT;
    env.FY = F.FYENVT;
    if (TPCM.LCURML != 0 && TPCM.LCURNT != 0) {
        env.FX += LINCOM.FCURNT_LNS * std::cos(LINCOM.CURF_ANG_LINS - VESANG);
        env.FY += LINCOM.FCURNT_LNS * std::sin(LINCOM.CURF_ANG_LINS - VESANG);
    }
    if (with_moment)
        env.TZ = TORQUE(VESANG);
    ROT2D(env.FX, env.FY, VESANG);
    return env;
}

void abort_or_continue(int EDUNIT) {
    TPCM.LBACK = 0;
    SERV_ABORT(EDUNIT, keyboard_unit, TPCM.LBACK);
    if (TPCM.LBACK == -1)
        stop_program(StopKind::user_choice);
}

void singular_warning(int EDUNIT, std::string_view loop) {
    write_record(EDUNIT, "");
    write_record(EDUNIT,
                 " ++> Warning: Singular denominator in " + std::string(loop) + " iteration loop.");
    write_record(EDUNIT, "");
    abort_or_continue(EDUNIT);
}

bool take_estimate(int EDUNIT) {
    std::int32_t LBACK = 0;
    ABORT3(EDUNIT, keyboard_unit, LBACK);
    TPCM.LBACK = LBACK;
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
    return LBACK == 99;
}

bool point_turret(std::int32_t MINLN, std::int32_t MAXLN) {
    if (TPCM.LSPM == 0)
        return false;
    for (int i = MINLN; i < MAXLN; ++i)
        if (TPCM.RFLD(1, i) != TPCM.RFLD(1, i + 1) || TPCM.RFLD(2, i) != TPCM.RFLD(2, i + 1))
            return false;
    return true;
}

float position_step() {
    return 0.0001f * (TPCM.BTOUCH != 0 ? TPCM.DEPTH : TPCM.SHORTY);
}

void equilibrium_failed() {
    fatal_stop(TPCM.EDUNIT, keyboard_unit,
               {"", " ++> Fatal Condition: Equilibrium condition determination",
                "      failed for unknown reasons", ""});
}

void solve_turret_angle(TurretRootFailure on_failure) {
    EquilbBlock& Q = EQUILB;
    const int EDUNIT = TPCM.EDUNIT;
    for (int attempt = 1;; ++attempt) {
        float X = Q.TRTNGL;
        float F = 0.0f;
        std::int32_t IER = 0;
        RTMI1(X, F, TRTTRQ, Q.TRTNGL - half_pi_single, Q.TRTNGL + half_pi_single, 0.000001f, 0.0f,
              100, IER);
        if (IER != 0 && on_failure == TurretRootFailure::fatal) {
            write_record(EDUNIT, " IER = " + I(IER, 2) + " in turret orientation calc");
            fatal_stop(EDUNIT, keyboard_unit);
        }
        Q.TRTNGL = X;
        // A root where the moment falls as the turret turns on is stable. A search that found
        // no root (its end point is no equilibrium) counts as unstable.
        const bool stable = IER == 0 && TRTTRQ(Q.TRTNGL) - TRTTRQ(Q.TRTNGL + 0.1f) >= 0.0f;
        if (stable)
            return;
        if (attempt == 2)
            equilibrium_failed();
        Q.TRTNGL += pi_single;
    }
}

void single_line_limit(float& X, float& Y, float OFFMAX, float FX, float FY) {
    const float DRTST1 = std::sqrt(X * X + Y * Y);
    if (!(DRTST1 > 2.0f * OFFMAX))
        return;
    const float FENV = std::sqrt(FX * FX + FY * FY);
    const LineTables tables = lincom_tables();
    const auto anc = tables.column(tables.ANCDST, tables.MIDLYR, TPCM.HAWSTP);
    std::int32_t IER = 0;
    std::int32_t MIN = 1;
    BSRCH(tables.HLOD, FENV, IER, MIN, tables.NTAB);
    float distance = 0.0f;
    INTERP(tables.HLOD, anc, FENV, distance, MIN);
    const float RTEMP = distance - anc[0];
    X *= RTEMP / DRTST1;
    Y *= RTEMP / DRTST1;
}

namespace {

// The mooring force of lines MINLN..MAXLN of LOCAL2 at `state`, about the turret centre XSALM.
PlaneLoads plane_mooring_at(bool turret, const PlaneState& state) {
    PlaneFrame frame;
    frame.XCENTR = TPCM.XSALM;
    frame.XMCTR = TPCM.XSALM;
    frame.LSPM = turret;
    return FMOOR(state, frame, lincom_tables(), lincom_mooring_lines(LOCAL2.MINLN, LOCAL2.MAXLN));
}

} // namespace

PlaneLoads plane_mooring(bool turret) {
    return plane_mooring_at(turret, equilb_plane_state());
}

PlaneLoads plane_mooring_stepped(bool turret, PlaneAxis axis, float step) {
    PlaneState state = equilb_plane_state();
    float& moved = axis == PlaneAxis::x ? state.RVES1 : state.RVES2;
    moved = moved + step;
    return plane_mooring_at(turret, state);
}

PlaneSearchOutcome EQFIND(bool ENVRON, float OFFMAX, bool DPON, const UniformRandom& RAND) {
    (void)DPON; // the DP loads come through NETFOR and TORQUE
    PlaneSearch search(ENVRON, OFFMAX, RAND);
    return search.run();
}

} // namespace lintar
