// lines/vertical_line.cpp: the vertical line solution at zero horizontal load.
#include "lines/vertical_line.h"
#include "util/angles.h"

#include "blocks/tpcm.h"
#include "lines/line_messages.h"
#include "lines/vertical_elasticity.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/root_finders.h"

#include <cmath>
#include <optional>

namespace lintar {

namespace {

// The search for the bottom tension: the upper end of the first bracket in units of TLOAD,
// the relative tolerance, the step limit and the number of tries in all.
constexpr double first_bracket_loads = 100.0;
constexpr double tension_tolerance = 1.0e-15;
constexpr std::int32_t search_steps = 100;
constexpr int max_tries = 20;

// The stretched length of vertical element k whose tension runs from Ttop (top) to Tbot
// (bottom): the difference of the stretched-length functions when the tensions differ
// (the element has weight), else the length stretched at Ttop. DPDSTER counts tensions within
// a thousandth of each other as equal (close_is_equal), the touchdown search only equal ones.
double stretched_length(const VerticalLine& DUMMY1, int k, double Ttop, double Tbot,
                        bool close_is_equal) {
    const StrainCoefficients ALPHA(&DUMMY1.ALPHDP(1, k));
    const bool differ =
        close_is_equal ? std::abs(Ttop - Tbot) > 0.001 * std::abs(Ttop) : Ttop != Tbot;
    if (differ) {
        double upper = 0.0;
        double lower = 0.0;
        SFNCDP(ALPHA, Ttop, DUMMY1.WETWDP(k), upper);
        SFNCDP(ALPHA, Tbot, DUMMY1.WETWDP(k), lower);
        return upper - lower;
    }
    return DUMMY1.SLENDP(k) * SFCDP2(ALPHA, Ttop);
}

// The stretched length of elements 1..N hanging vertically with bottom tension TN.
double hanging_length(const VerticalLine& DUMMY1, int N, double TN, bool close_is_equal) {
    const VerticalReals SLENDP(DUMMY1.SLENDP_words);
    const VerticalReals WETWDP(DUMMY1.WETWDP_words);
    double length = 0.0;
    double Ttop = 0.0;
    DTKLTN(SLENDP, WETWDP, 1, N, N, Ttop, TN);
    for (int k = 1; k <= N; ++k) {
        double Tbot = TN;
        if (k < N)
            DTKLTN(SLENDP, WETWDP, k + 1, N, N, Tbot, TN);
        length += stretched_length(DUMMY1, k, Ttop, Tbot, close_is_equal);
        Ttop = Tbot;
    }
    return length;
}

// The buoyant-line message and its pause.
void buoyant_line_message(int EDUNIT) {
    write_record(EDUNIT, " ");
    write_record(EDUNIT,
                 " ++> Buoyant line handling error. First data row of the interpolation tables");
    write_record(EDUNIT, "     will probably be in error; this is usually a non-issue.");
    PRSRET(EDUNIT, 5, TPCM.LBACK);
}

} // namespace

// DPDSTER: DELZP minus the stretched length of the free elements 1..LSTFRE over bottom
// tension TN and, when the line touches down, minus the lifted part of the touchdown element
// (its tension falling from TN to 0 over its weight; a weightless one lifts all but its
// grounded part NULBOT, and lifts nothing at TN = 0). Reads only DUMMY1.
double DPDSTER(const VerticalLine& DUMMY1, double TN) {
    double error = DUMMY1.DELZP - hanging_length(DUMMY1, DUMMY1.LSTFRE, TN, true);
    const int NELEM = TPCM.NELEM(DUMMY1.ITYPP);
    if (DUMMY1.LSTFRE < NELEM) {
        const int e = DUMMY1.LSTFRE + 1;
        const StrainCoefficients ALPHA(&DUMMY1.ALPHDP(1, e));
        if (DUMMY1.WETWDP(e) != 0.0) {
            double lifted = 0.0;
            SFNCDP(ALPHA, TN, DUMMY1.WETWDP(e), lifted);
            error -= lifted;
        } else if (TN != 0.0) {
            error -= (DUMMY1.SLENDP(e) - DUMMY1.NULBOT) * SFCDP2(ALPHA, TN);
        } else {
            return 0.0;
        }
    }
    return error;
}

namespace {

// vertical_line: the double-precision copy of line type ITYP's elements (NELEM of them) for a
// fairlead |DELTAZ| above the anchor. Reads TPCM.
VerticalLine vertical_line(float DELTAZ, std::int32_t ITYP, int NELEM) {
    VerticalLine DUMMY1;
    DUMMY1.ITYPP = ITYP;
    DUMMY1.DELZP = std::abs(static_cast<double>(DELTAZ));
    for (int i = 1; i <= NELEM; ++i) {
        DUMMY1.SLENDP(i) = TPCM.SLEN(i, ITYP);
        DUMMY1.WETWDP(i) = TPCM.WETWT(i, ITYP);
        for (int k = 1; k <= 3; ++k)
            DUMMY1.ALPHDP(k, i) = TPCM.ALPHA(k, i, ITYP);
    }
    return DUMMY1;
}

// The touchdown element (0 when the line hangs free to its end) and the length hanging at
// zero tension down to its bottom.
struct Touchdown {
    int element = 0;
    double LOOPLN = 0.0;
};

// touchdown_element: the first element whose bottom, with the elements above hanging from it
// at zero tension, lies below the anchor. Reads only its arguments.
Touchdown touchdown_element(const VerticalLine& DUMMY1, int NELEM) {
    Touchdown t;
    for (int I = 1; I <= NELEM; ++I) {
        t.LOOPLN = hanging_length(DUMMY1, I, 0.0, false);
        if (t.LOOPLN > DUMMY1.DELZP) {
            t.element = I;
            break;
        }
    }
    return t;
}

// arch_lift: the length that the buoyant elements on the seabed below the touchdown element
// lift into arches. Element k rises to an apex at SPLIT from its fairlead end, lifting FLDSID
// of the element above and ANCSID of the element below, so that buoyancy and lifted weight
// balance on each side and both sides reach the same apex height. A weightless neighbour
// cannot be lifted (its ratio would divide by zero): it is treated like a neighbour too short
// for the arch, with the message, and lends no lift from that side. Returns no value when an
// arch cannot be formed at all (the message given). Reads TPCM; writes the message and pauses
// on EDUNIT.
std::optional<double> arch_lift(const VerticalLine& DUMMY1, std::int32_t ITYP, int touchdown,
                                int NELEM, int EDUNIT) {
    double TMPVAL = 0.0;
    std::int32_t IBUOY = 0;
    for (int k = touchdown + 1; k <= NELEM; ++k)
        if (TPCM.WETWT(k, ITYP) < 0.0f)
            BITSET(IBUOY, k, 1, EDUNIT);
    for (int k = touchdown + 1; k <= NELEM; ++k) {
        if (BITVAL(IBUOY, k) != 1)
            continue;
        bool misfit = false;
        double FLDRAT = 0.0;
        if (DUMMY1.WETWDP(k - 1) != 0.0)
            FLDRAT = -DUMMY1.WETWDP(k) / DUMMY1.WETWDP(k - 1);
        else
            misfit = true;
        double D = 0.0;
        double FLDSID = 0.0;
        double ANCSID = 0.0;
        if (k < NELEM) {
            double ANCRAT = 0.0;
            if (DUMMY1.WETWDP(k + 1) != 0.0)
                ANCRAT = -DUMMY1.WETWDP(k) / DUMMY1.WETWDP(k + 1);
            else
                misfit = true;
            D = FLDRAT + 2.0 + ANCRAT;
            if (D != 0.0) {
                const double SPLIT = (ANCRAT + 1.0) * DUMMY1.SLENDP(k) / D;
                FLDSID = SPLIT * FLDRAT;
                ANCSID = (DUMMY1.SLENDP(k) - SPLIT) * ANCRAT;
            }
        } else {
            D = FLDRAT + 2.0;
            if (D != 0.0)
                FLDSID = DUMMY1.SLENDP(k) * FLDRAT / D;
        }
        if (D == 0.0) {
            buoyant_line_message(EDUNIT);
            return std::nullopt;
        }
        TMPVAL += FLDSID + ANCSID + DUMMY1.SLENDP(k);
        if (DUMMY1.SLENDP(k - 1) < FLDSID || (k < NELEM && DUMMY1.SLENDP(k + 1) < ANCSID))
            misfit = true;
        if (misfit)
            buoyant_line_message(EDUNIT);
    }
    return TMPVAL;
}

// bottom_tension: the root of DPDSTER for the line. A failed search is retried: without
// convergence with a looser tolerance around the last value, without a sign change over a
// wider bracket; after max_tries the run ends with the message on EDUNIT.
double bottom_tension(const VerticalLine& DUMMY1, float TOTWT, float TLOAD, int EDUNIT) {
    const double total_weight = std::abs(static_cast<double>(TOTWT));
    double EPS =
        (total_weight > 0.01 ? total_weight : static_cast<double>(TLOAD)) * tension_tolerance;
    double XLI = 0.0;
    double XRI = first_bracket_loads * static_cast<double>(TLOAD);
    double TN = 0.0;
    for (int failures = 0;;) {
        double FUNC = 0.0;
        std::int32_t IER = 0;
        std::int32_t ITERATIONS = 0;
        RTMIDP(
            TN, FUNC, [&DUMMY1](double tension) { return DPDSTER(DUMMY1, tension); }, XLI, XRI, EPS,
            search_steps, IER, ITERATIONS);
        if (IER == 0)
            return TN;
        ++failures;
        if (failures == max_tries) {
            if (IER == 1)
                line_fatal_stop(EDUNIT, {" ", " ++> Iteration overflow in VRTLIN", " ",
                                         " Press <Return> to Continue..."});
            line_fatal_stop(
                EDUNIT, {" ++> Bounds error in VRTLIN ", " ", " Press <Return> to Continue..."});
        }
        if (IER == 1) {
            EPS = 5.0 * EPS;
            XLI = TN / 2.0;
            XRI = 2.0 * TN;
        } else {
            XRI = std::ldexp(XRI, failures);
            XLI = -static_cast<double>(failures) * static_cast<double>(TLOAD);
        }
    }
}

// grounded_length: the touchdown element below its lifted part (its grounded part NULBOT when
// weightless) and the elements below it, less what the arches lift (TMPVAL), for bottom
// tension TN. Reads only its arguments.
double grounded_length(const VerticalLine& DUMMY1, int NELEM, double TN, double TMPVAL) {
    double BOTTMP = 0.0;
    if (NELEM >= DUMMY1.LSTFRE + 1) {
        const int e = DUMMY1.LSTFRE + 1;
        BOTTMP = DUMMY1.WETWDP(e) != 0.0 ? DUMMY1.SLENDP(e) - TN / DUMMY1.WETWDP(e) : DUMMY1.NULBOT;
        if (NELEM >= DUMMY1.LSTFRE + 2) {
            for (int k = DUMMY1.LSTFRE + 2; k <= NELEM; ++k)
                BOTTMP += DUMMY1.SLENDP(k);
            BOTTMP -= TMPVAL;
        }
    }
    return BOTTMP;
}

} // namespace

// VRTLIN: the touchdown element is the first whose bottom, with the elements above hanging
// from it at zero tension, lies below the anchor; the elements above hang free, the rest lies
// on the seabed but for the arches of its buoyant elements, and the bottom tension is found
// by root search. A line that hangs free to its end is a taut tendon (VRTFLG = +-1).
void VRTLIN(float DELTAZ, std::int32_t ITYP, std::int32_t& VRTFLG, float TOTWT, float& ANCDST,
            float& TOPANG, float& TOPTEN, float& BOTLEN, float& BOTANG) {
    const int EDUNIT = TPCM.EDUNIT;
    const int NELEM = TPCM.NELEM(ITYP);
    const float TLOAD = TPCM.TLOAD;

    VerticalLine DUMMY1 = vertical_line(DELTAZ, ITYP, NELEM);
    const Touchdown touchdown = touchdown_element(DUMMY1, NELEM);
    double TMPVAL = 0.0; // length lifted into the arches
    if (touchdown.element == 0) {
        DUMMY1.LSTFRE = NELEM;
        VRTFLG = DELTAZ >= 0.0f ? 1 : -1;
    } else {
        const std::optional<double> lifted =
            arch_lift(DUMMY1, ITYP, touchdown.element, NELEM, EDUNIT);
        if (!lifted) {
            VRTFLG = 0;
            ANCDST = 0.0f;
            TOPANG = 0.0f;
            TOPTEN = 0.0f;
            BOTLEN = 0.0f;
            BOTANG = 0.0f;
            return;
        }
        TMPVAL = *lifted;
        DUMMY1.LSTFRE = touchdown.element - 1;
        if (DUMMY1.WETWDP(touchdown.element) == 0.0)
            DUMMY1.NULBOT = touchdown.LOOPLN - DUMMY1.DELZP;
    }
    const double TN = bottom_tension(DUMMY1, TOTWT, TLOAD, EDUNIT);

    // Top tension, and the grounded length.
    double TMPTOP = TN;
    if (DUMMY1.LSTFRE > 0)
        DTKLTN(VerticalReals(DUMMY1.SLENDP_words), VerticalReals(DUMMY1.WETWDP_words), 1, NELEM,
               DUMMY1.LSTFRE, TMPTOP, TN);
    BOTLEN = static_cast<float>(grounded_length(DUMMY1, NELEM, TN, TMPVAL));
    ANCDST = BOTLEN;
    TOPTEN = static_cast<float>(std::abs(TMPTOP));
    if (BOTLEN > 0.0f) {
        TOPANG = TMPTOP >= 0.0 ? half_pi_single : -half_pi_single;
        BOTANG = 0.0f;
    } else {
        TOPANG = DELTAZ >= 0.0f ? half_pi_single : -half_pi_single;
        BOTANG = TOPANG;
    }
}

} // namespace lintar
