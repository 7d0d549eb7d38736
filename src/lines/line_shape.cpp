// lines/line_shape.cpp: the top-slope iteration, the water-level search and the pull-down.
#include "lines/line_shape.h"

#include "lines/catenary_elements.h"
#include "lines/line_arrays.h"
#include "lines/line_messages.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/root_finders.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace lintar {

namespace {

// Run-long memory of this file: the pull-down warning is given once per run.
struct LineShapeStore {
    bool pulldown_warned = false;
};
LineShapeStore line_shape_store;
const StateReset reset_line_shape{[] { line_shape_store = {}; }, StoreKind::analysis};

// The top-slope search: tolerance on the slope (relative above 1), on the height error, and
// the step limit of the root finder.
constexpr float slope_tolerance = 1.0e-5f;
constexpr float height_tolerance = 0.01f;
constexpr std::int32_t search_steps = 100;

// The Newton search from an estimate: a good estimate settles in two or three steps, a poor
// one in a few more; a search that needs more is handed to the bracketing search.
constexpr int newton_steps = 12;

// The widening of a bracket that holds no root: the first step is half the upper slope, but
// at least this (a zero or tiny slope would never widen), and the step doubles at most this
// many times (far beyond any slope a line can have) before the search gives up.
constexpr float least_widening = 0.01f;
constexpr int max_widenings = 60;

// The water-level search: tolerance on the scaled weight and on the level error.
constexpr float weight_tolerance = 1.0e-5f;
constexpr float level_tolerance = 0.001f;

// A double rounded to a four-byte real, a value beyond the real range held at its end (keeping
// its sign, which is all a root finder needs of a far-off trial).
float to_real4(double x) {
    constexpr double largest = std::numeric_limits<float>::max();
    if (x > largest)
        return std::numeric_limits<float>::max();
    if (x < -largest)
        return -std::numeric_limits<float>::max();
    return static_cast<float>(x);
}

// The height the line must span at top slope TOPTAN: DELTAZ, less the sinkage of the vessel
// under the added vertical load of the NLINE(1) lines when the pull-down is on. A data file
// without water-plane area (or water density) has no sinkage to compute: the pull-down is
// then ignored, with a warning once per run, rather than dividing by zero.
float target_height(const LineSolve& C, float TOPTAN) {
    if (C.PULLDN == 0)
        return C.DELTAZ;
    const float AREA = C.AREA;
    if (AREA == 0.0f) {
        if (!line_shape_store.pulldown_warned) {
            line_shape_store.pulldown_warned = true;
            write_record(C.EDUNIT, " ");
            write_record(C.EDUNIT,
                         " ++> Warning: The vessel pull-down is ignored: the water-plane area");
            write_record(C.EDUNIT, "     or the water density of the data file is zero.");
        }
        return C.DELTAZ;
    }
    const double added_load =
        C.DPHLD * static_cast<double>(TOPTAN) - static_cast<double>(C.TOPTEN_MID);
    const double sinkage =
        static_cast<double>(C.NLINE1) * added_load * 1000.0 / static_cast<double>(AREA);
    return to_real4(static_cast<double>(C.DELTAZ) - sinkage);
}

// The seabed as the line being solved meets it: over a solid seabed, element i grounds the
// part of it below the seabed tangent DSLOPE when its upper node's slope is at or above the
// tangent, its lower node's (before grounding) at or below, and no buoyant element lies
// further down (a buoy lifts the line off).
struct SeabedRule {
    bool solid = false;
    double DSLOPE = 0.0;
    int last_buoyant = 0; // the last element with a negative scaled weight, 0 when none

    bool grounds(int i, double upper, double lower) const {
        return solid && upper >= DSLOPE && lower <= DSLOPE && last_buoyant <= i;
    }
};

SeabedRule seabed_rule(const LineSolve& C) {
    SeabedRule rule;
    rule.solid = C.ANCTYP == 1;
    rule.DSLOPE = C.DSLOPE;
    for (int i = 1; i <= C.NELEM; ++i)
        if (C.SCLWT(i) < 0.0)
            rule.last_buoyant = i;
    return rule;
}

// A line laid down from the fairlead at one top slope: the rise of its suspended part, the
// height it must span, and how many of its leading nodes move with the top slope (those
// below the first grounded node do not).
struct LaidLine {
    double rise = 0.0;
    float DELTZP = 0.0f;
    int moving_nodes = 0;

    double error() const { return rise - static_cast<double>(DELTZP); }
};

// Lays the line down from the fairlead at top slope TOPTAN, element by element, the part of
// an element below the seabed tangent grounded (SeabedRule: its lower node then lies at the
// tangent), and sums the rise of the suspended part. Writes
// TMPTAN and SECARR; the grounded length BOTLN, which the rise does not need, is
// left to grounded_length. Every node lying at the seabed tangent gets the one secant of the
// tangent: the same number as SECFCN(DSLOPE) each time.
LaidLine lay_line(LineSolve& C, float TOPTAN) {
    const int NELEM = C.NELEM;
    const ElementReals SLEN = C.SLEN;
    const SeabedRule seabed = seabed_rule(C);
    const double seabed_secant = SECFCN(seabed.DSLOPE);

    LaidLine laid;
    laid.moving_nodes = NELEM + 1;
    laid.DELTZP = target_height(C, TOPTAN);
    // The slope is carried down in a local: a store to TMPTAN may, as far as the compiler
    // knows, change SCLWT, so reading it back would wait on the store at every element.
    double upper = static_cast<double>(TOPTAN);
    C.TMPTAN(1) = upper;
    for (int i = 1; i <= NELEM; ++i) {
        double lower = upper - C.SCLWT(i) * static_cast<double>(SLEN(i));
        if (seabed.grounds(i, upper, lower)) {
            lower = seabed.DSLOPE;
            laid.moving_nodes = std::min(laid.moving_nodes, i);
        }
        C.TMPTAN(i + 1) = lower;
        upper = lower;
    }
    for (int J = 1; J <= NELEM + 1; ++J)
        C.SECARR(J) = C.TMPTAN(J) == seabed.DSLOPE ? seabed_secant : SECFCN(C.TMPTAN(J));
    laid.rise = ZDIST(C.SCLWT, C.SECARR, C.BETA, NELEM, SLEN, C.TMPTAN);
    return laid;
}

// The stretched length on the seabed of the line laid in TMPTAN: over each grounded element,
// the part below the seabed tangent (its lower node's slope before grounding is found again
// from its upper node's, by the same expression), stretched at the tangent's tension; a
// grounded weightless element lies there whole.
double grounded_length(const LineSolve& C) {
    const int NELEM = C.NELEM;
    const ElementReals SLEN = C.SLEN;
    const ElementBetas BETA(C.BETA);
    const SeabedRule seabed = seabed_rule(C);
    const double seabed_secant = SECFCN(seabed.DSLOPE); // STRECH(DSLOPE) from one secant
    double BOTLN = 0.0;
    for (int i = 1; i <= NELEM; ++i) {
        const double lower = C.TMPTAN(i) - C.SCLWT(i) * static_cast<double>(SLEN(i));
        if (!seabed.grounds(i, C.TMPTAN(i), lower))
            continue;
        const double stretch = stretch_at(seabed_secant, BETA, i);
        if (C.SCLWT(i) != 0.0)
            BOTLN += stretch * (seabed.DSLOPE - lower) / C.SCLWT(i);
        else
            BOTLN += static_cast<double>(SLEN(i)) * stretch;
    }
    return BOTLN;
}

// The height error of HTERR and HTERR2 in double precision: the line laid at top slope
// TOPTAN, its rise compared with the target height. Writes TMPTAN, SECARR, BOTLN of the line
// and, with NBUG = 1, debug records on EDUNIT.
double height_error(LineSolve& C, float TOPTAN) {
    const LaidLine laid = lay_line(C, TOPTAN);
    C.BOTLN = grounded_length(C);
    if (C.NBUG == 1) {
        const int EDUNIT = C.EDUNIT;
        const int ITYP = C.ITYP;
        const int NELEM = C.NELEM;
        write_record(EDUNIT, " IN HTERR; ITYP, NELEM,TOPTAN,SCLWT(1),TMPTAN(1->NELEM+1),BOTLN");
        std::string values = I(ITYP, 5) + I(NELEM, 5) + E(TOPTAN, 13, 5) + E(C.SCLWT(1), 13, 5);
        for (int J = 1; J <= NELEM + 1; ++J)
            values += E(C.TMPTAN(J), 13, 5);
        write_record(EDUNIT, values + E(C.BOTLN, 13, 5));
        for (int J = 1; J <= NELEM + 1; ++J)
            write_record(EDUNIT, "  IELEM,SECARR(IELEM)" + I(J, 5) + E(C.SECARR(J), 13, 5));
        write_record(EDUNIT, " ZDIST,DELTZP,DHTERR" + E(laid.rise, 13, 5) + E(laid.DELTZP, 13, 5) +
                                 E(laid.error(), 13, 5));
    }
    return laid.error();
}

// The derivative of the height error of `laid` with respect to its top slope, from the shape
// it left in the line. A moving node's slope moves one for one with the top slope, the other
// nodes' not at all. Since d ZFCN / dq = (1 + strain) q / R (the stretched sine), element i
// adds ((1 + strain) q / R at node i - the same at node i+1) / SCLWT(i), a moving node's term
// only; a weightless element's rise SLEN (1 + strain) q / R changes by SLEN ((d strain/dR)
// (q/R)^2 + (1 + strain) / R^3). The vessel pull-down lowers the target by a fixed amount per
// unit of top slope. Only the size of a search step depends on this value, never the root.
double height_error_rate(const LineSolve& C, const LaidLine& laid) {
    const int NELEM = C.NELEM;
    const ElementReals SLEN = C.SLEN;
    const ElementBetas BETA(C.BETA);
    // The sine q / R of a moving node, 0 for one that does not move; each node's is taken once.
    const auto moving_sine = [&](int J) {
        return J <= laid.moving_nodes ? C.TMPTAN(J) / C.SECARR(J) : 0.0;
    };
    double rate = 0.0;
    double upper_sine = moving_sine(1);
    for (int i = 1; i <= NELEM && i <= laid.moving_nodes; ++i) {
        const double lower_sine = moving_sine(i + 1);
        const double R = C.SECARR(i);
        if (C.SCLWT(i) != 0.0) {
            rate += (stretch_at(R, BETA, i) * upper_sine -
                     stretch_at(C.SECARR(i + 1), BETA, i) * lower_sine) /
                    C.SCLWT(i);
        } else {
            const double strain_rate = BETA(1, i) + 2.0 * BETA(2, i) * R + 3.0 * BETA(3, i) * R * R;
            rate += static_cast<double>(SLEN(i)) *
                    (strain_rate * upper_sine * upper_sine + stretch_at(R, BETA, i) / (R * R * R));
        }
        upper_sine = lower_sine;
    }
    const float AREA = C.AREA;
    if (C.PULLDN != 0 && AREA != 0.0f)
        rate += static_cast<double>(C.NLINE1) * C.DPHLD * 1000.0 / static_cast<double>(AREA);
    return rate;
}

// A trial of the Newton search: a four-byte top slope and its height error.
struct Trial {
    float slope = 0.0f;
    double error = 0.0;
};

// The top-slope search by Newton steps on the height error from an estimate of the root.
// Until trials on both sides of the root are known, a step moves the slope by at most half
// its size (at most 0.5 below a slope of 1): far from the root, where the line hangs nearly
// straight, the error is flat and a full step would run far past the root. Once they are
// known, a step that would leave the interval between them (or land on one of its ends, a
// slope laid before) halves the interval instead. The search ends
//  - when the next step rounds to the four-byte slope just laid: that slope is the four-byte
//    root (the one nearest the zero of the double-precision error), or
//  - when the trials on the two sides are neighbouring four-byte slopes (the error may jump
//    across the zero, with the vessel pull-down's four-byte target height): the one with the
//    smaller error is the root,
// and its height error must be within height_tolerance, as in ITER8. This is the root ITER8
// finds (it stops within slope_tolerance, in practice on the same four-byte slope or the next
// one), in about two layings of the line from the table stage's estimates instead of nine;
// the shape left in the line is the root's. Returns nothing when the steps do not settle within
// newton_steps, or the error does not rise with the slope: the caller then runs ITER8, which
// finds the root or reports why there is none.
std::optional<float> newton_top_slope(LineSolve& C, float estimate) {
    std::optional<Trial> below; // the latest trials with a negative
    std::optional<Trial> above; // and a positive height error
    // The root's shape is the one laid last; its grounded length is found for it alone.
    const auto root_found = [&C](float root) {
        C.BOTLN = grounded_length(C);
        return std::optional<float>(root);
    };
    float x = estimate;
    for (int step = 1; step <= newton_steps; ++step) {
        const LaidLine laid = lay_line(C, x);
        const double F = laid.error();
        if (F == 0.0)
            return root_found(x);
        const double D = height_error_rate(C, laid);
        if (!std::isfinite(F) || !(D > 0.0) || !std::isfinite(D))
            return std::nullopt;
        (F < 0.0 ? below : above) = Trial{x, F};

        if (below && above && std::nextafter(below->slope, above->slope) == above->slope) {
            const Trial& root = std::abs(below->error) <= std::abs(above->error) ? *below : *above;
            if (std::abs(root.error) > static_cast<double>(height_tolerance))
                return std::nullopt;
            if (root.slope != x)
                (void)lay_line(C, root.slope);
            return root_found(root.slope);
        }
        double next = static_cast<double>(x) - F / D;
        if (!(below && above)) {
            const double reach = 0.5 * std::max(static_cast<double>(std::abs(x)), 1.0);
            next = std::clamp(next, static_cast<double>(x) - reach, static_cast<double>(x) + reach);
        }
        float rounded = to_real4(next);
        if (rounded == x) {
            if (std::abs(F) > static_cast<double>(height_tolerance))
                return std::nullopt;
            return root_found(x);
        }
        if (below && above) {
            const float low = std::min(below->slope, above->slope);
            const float high = std::max(below->slope, above->slope);
            if (!(rounded > low && rounded < high))
                rounded = to_real4(0.5 * (static_cast<double>(low) + static_cast<double>(high)));
        }
        x = rounded;
    }
    return std::nullopt;
}

// The water-level error of WLERR and WLERR2, in the precision Real: solves the line with
// element KELEM at scaled weight TMPWT and measures how deep the element's mid-height lies
// below the water surface. Writes SCLWT(KELEM) and the solved shape of the line.
template <class Real>
Real water_level_error(LineSolve& C, float TMPWT, float& TOPT1C, float& TOPT2C) {
    const int K = C.KELEM;
    C.SCLWT(K) = static_cast<double>(TMPWT);
    ITER8(C, TOPT1C, TOPT2C);

    const ElementReals SLEN = C.SLEN;
    const ElementBetas BETA(C.BETA);
    // Depth of the element's upper node below the fairlead, and the element's own rise.
    const Real ERRTMP =
        K > 1 ? static_cast<Real>(ZDIST(C.SCLWT, C.SECARR, BETA, K - 1, SLEN, C.TMPTAN)) : Real(0);
    Real DELZ;
    if (C.SCLWT(K) != 0.0)
        DELZ = static_cast<Real>((ZFCN(C.SECARR(K), K, BETA) - ZFCN(C.SECARR(K + 1), K, BETA)) /
                                 C.SCLWT(K));
    else
        DELZ = static_cast<Real>(static_cast<double>(SLEN(K)) * STRECH(C.TMPTAN(K), BETA, K) *
                                 C.TMPTAN(K) / C.SECARR(K));
    return ERRTMP + DELZ / Real(2) - static_cast<Real>(C.WTRLEV);
}

} // namespace

// HTERR: the height error rounded to a four-byte real. Writes TMPTAN, SECARR, BOTLN.
float HTERR(LineSolve& line, float TOPTAN) {
    return to_real4(height_error(line, TOPTAN));
}

// HTERR2: the height error in double precision. Writes TMPTAN, SECARR, BOTLN.
double HTERR2(LineSolve& line, float TOPTAN) {
    return height_error(line, TOPTAN);
}

// WLERR: the water-level error in single precision. Writes SCLWT(KELEM) and the shape.
float WLERR(LineSolve& line, float TMPWT, float& TOPT1C, float& TOPT2C) {
    return water_level_error<float>(line, TMPWT, TOPT1C, TOPT2C);
}

// WLERR2: the water-level error in double precision. Writes SCLWT(KELEM) and the shape.
double WLERR2(LineSolve& line, float TMPWT, float& TOPT1C, float& TOPT2C) {
    return water_level_error<double>(line, TMPWT, TOPT1C, TOPT2C);
}

// ITER8: root of HTERR between TOPT2 and TOPT1. A bracket without a sign change is widened on
// both sides by a step that doubles each time. The step starts at half the magnitude of the
// upper slope (never less than least_widening, so that a zero slope widens too, and positive
// even when the slopes are negative) and doubles at most max_widenings times: a line that can
// never span the height (an inextensible line shorter than it) then ends the run with a
// message instead of widening for ever. Reads and writes the line through HTERR; debug records
// on EDUNIT with NBUG = 1. Ends the run with status 1 on an iteration overflow or no bracket.
void ITER8(LineSolve& line, float& TOPT1, float& TOPT2) {
    const std::int32_t ITYP = line.ITYP;
    const std::int32_t NBUG = line.NBUG;
    const int EDUNIT = line.EDUNIT;
    float ALEVER = std::max(0.5f * std::abs(TOPT2), least_widening);
    std::int32_t ICOUNT = 0;
    for (int widening = 0;; ++widening) {
        if (NBUG == 1)
            write_record(EDUNIT, "  ALEVER,TOPT1,TOPT2" + E(ALEVER, 10, 4) + E(TOPT1, 10, 4) +
                                     E(TOPT2, 10, 4));
        float TOPTAN = 0.0f;
        float FUNC = 0.0f;
        std::int32_t IER = 0;
        RTMI1(
            TOPTAN, FUNC, [&line](float slope) { return HTERR(line, slope); }, TOPT2, TOPT1,
            slope_tolerance, height_tolerance, search_steps, IER);
        if (NBUG == 1 && IER != 0)
            write_record(EDUNIT, " ++> RTMI ERROR # " + I(IER, 2));
        if (IER == 0) {
            // The root finder may return the better end of its last bracket rather than its
            // last trial: the shape left behind must be the root's.
            if (line.TMPTAN(1) != static_cast<double>(TOPTAN))
                (void)HTERR(line, TOPTAN);
            TOPT2 = TOPTAN;
            TOPT1 = 0.25f * TOPTAN;
            ICOUNT = ICOUNT + 1;
        }
        if (NBUG == 1)
            write_record(EDUNIT, " LOOP DONE:ICOUNT,TOPT1,TOPT2,FUNC,TOPTAN" + I(ICOUNT, 5) +
                                     E(TOPT1, 12, 3) + E(TOPT2, 12, 3) + E(FUNC, 12, 3) +
                                     E(TOPTAN, 12, 3));
        if (IER == 0)
            return;
        if (IER == 1) {
            line_fatal_stop(EDUNIT,
                            {" ", " ++> Iteration overflow in ITER8P:ITER8; line type" + I(ITYP, 3),
                             "     Press <Return> to Continue..."});
        }
        if (widening == max_widenings) {
            line_fatal_stop(
                EDUNIT,
                {" ", " ++> No line shape found in ITER8P:ITER8; line type" + I(ITYP, 3),
                 "     at Htens = " + F(line.DPHLD, 10, 2) + ": no top slope lets the line span",
                 "     the fairlead height. Is the line shorter than the height?",
                 "     Press <Return> to Continue..."});
        }
        TOPT2 = TOPT2 + ALEVER;
        TOPT1 = TOPT1 - ALEVER;
        ALEVER = 2.0f * ALEVER;
    }
}

// ITER8P: the shape at DPHLD. With WLFLAG set and a buoyant element, the first buoyant
// element KELEM is first tried at its wet weight; when its mid-height would lie above the
// water surface, its weight is searched between the wet and the dry weight for the one that
// puts the mid-height at the surface (a partly emerged element); when even the dry weight
// leaves it above, it is taken as fully emerged at its dry weight and the line solved once
// more. A line solved without the water-level search starts from the caller's estimate when
// it gives one (newton_top_slope). Writes the shape, KELEM and possibly SCLWT(KELEM) in
// the line; ends the run (status 1) when a search fails.
void ITER8P(LineSolve& C, float& TOPT1, float& TOPT2, std::optional<float> estimate) {
    const std::int32_t NBUG = C.NBUG;
    const int EDUNIT = C.EDUNIT;
    // The search of a line without the water-level step.
    const auto solve_top_slope = [&] {
        // With the debug trace on, the bracketing search runs, so that the trace shows its
        // steps; otherwise Newton steps from the estimate, and the bracketing search only
        // when they do not settle.
        if (estimate && NBUG != 1) {
            if (const std::optional<float> root = newton_top_slope(C, *estimate)) {
                TOPT2 = *root;
                TOPT1 = 0.25f * *root;
                return;
            }
        }
        ITER8(C, TOPT1, TOPT2);
    };
    bool EMERGED = false;
    for (;;) {
        float TOPT1C = TOPT1;
        float TOPT2C = TOPT2;
        if (C.WLFLAG == 0 || EMERGED) {
            solve_top_slope();
            return;
        }
        C.KELEM = 0;
        for (int i = 1; i <= C.NELEM; ++i) {
            if (C.SCLWT(i) < 0.0) {
                C.KELEM = i;
                break;
            }
        }
        if (C.KELEM == 0) {
            solve_top_slope();
            return;
        }
        const auto WETVAL = static_cast<float>(C.SCLWT(C.KELEM));
        float FUNC = WLERR(C, WETVAL, TOPT1C, TOPT2C);
        if (FUNC >= 0.0f)
            return;
        const auto DRYVAL = static_cast<float>(C.DRYWT(C.KELEM) / C.DPHLD);
        float X = 0.0f;
        std::int32_t IER = 0;
        RTMI2(
            X, FUNC,
            [&C, &TOPT1C, &TOPT2C](float weight) { return WLERR(C, weight, TOPT1C, TOPT2C); },
            WETVAL, DRYVAL, weight_tolerance, level_tolerance, search_steps, IER);
        if (IER == 0) {
            if (C.SCLWT(C.KELEM) != static_cast<double>(X))
                (void)WLERR(C, X, TOPT1C, TOPT2C);
            return;
        }
        if (IER == 1) {
            line_fatal_stop(
                EDUNIT,
                {" ",
                 " ++> Iteration overflow in RTMI2 (WLERR) at Htens = " + F(C.DPHLD, 8, 2) + "; ",
                 "     Check data file and retry", " ", " Press <Return> to Continue..."});
        }
        C.SCLWT(C.KELEM) = static_cast<double>(DRYVAL);
        EMERGED = true;
    }
}

} // namespace lintar
