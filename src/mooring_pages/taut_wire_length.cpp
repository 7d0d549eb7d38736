// mooring_pages/taut_wire_length.cpp: the taut-wire length of a line type's fairlead subline.
#include "mooring_pages/taut_wire_length.h"
#include "util/root_finders.h"

#include "blocks/tpcm.h"
#include "mooring_pages/subline_page.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace lintar {

namespace {

// The search: the attempts in all, the step limit of each, and the relative tolerance of the
// first (each later attempt takes five times the one before, around the last estimate).
constexpr int max_attempts = 20;
constexpr std::int32_t search_steps = 100;
constexpr double first_tolerance = 1.0e-17;

// A warning on a cleared screen and the abort pause; true when the user answers "A".
bool warn_abort(int EDUNIT, std::initializer_list<std::string_view> lines) {
    CLEAR(EDUNIT);
    for (const std::string_view line : lines)
        write_record(EDUNIT, line);
    std::int32_t answer = 0;
    ABORT0(EDUNIT, keyboard_unit, answer);
    return answer == -1;
}

// A failure of the search: the message and the wait for Return (none in an unattended run).
void search_failed(int EDUNIT, std::string_view message) {
    write_record(EDUNIT, message);
    write_record(EDUNIT, "");
    write_record(EDUNIT, " Press <Return> to Continue...");
    if (EDUNIT != diagnostics_unit) {
        char answer = ' ';
        READCP(answer);
    }
}

} // namespace

double DVSTER(double SLENP, TautWireProblem& DUMMY2) {
    DUMMY2.SLENDP(1) = SLENP;
    const int N = sublines_of(DUMMY2.ITYPQ);
    const VerticalReals SLENDP(DUMMY2.SLENDP_words);
    const VerticalReals WETWDP(DUMMY2.WETWDP_words);
    double W = 0.0;
    for (int i = 1; i <= N; ++i)
        W = W + WETWDP(i) * SLENDP(i);
    const double TN = DUMMY2.TOPTEN - W;
    // The tension at the top of each subline; TK(N + 1) is the tension at the anchor.
    double TK[max_elements + 1] = {};
    for (int i = 1; i <= N; ++i)
        DTKLTN(SLENDP, WETWDP, i, N, N, TK[slot(i)], TN);
    TK[N] = TN;
    double stretched = 0.0;
    for (int i = 1; i <= N; ++i) {
        const StrainCoefficients ALPHA(&DUMMY2.ALPHDP(1, i));
        const double Ttop = TK[slot(i)];
        const double Tbot = TK[i];
        if (Ttop != Tbot) {
            double upper = 0.0;
            double lower = 0.0;
            SFNCDP(ALPHA, Ttop, WETWDP(i), upper);
            SFNCDP(ALPHA, Tbot, WETWDP(i), lower);
            stretched += upper - lower;
        } else {
            stretched += SLENDP(i) * SFCDP2(ALPHA, Ttop);
        }
    }
    return DUMMY2.DELTAZ - stretched;
}

void TENDNDP(std::int32_t ITYP) {
    const int EDUNIT = TPCM.EDUNIT;
    // The span and the pretension come from the type's first line. A type without lines has
    // none to give them: line 0 is no line, so nothing is computed.
    const std::int32_t L = lines_of(ITYP) >= 1 ? TPCM.LINTYP(1, ITYP) : 0;
    if (L < 1 || L > 150) {
        CLEAR(EDUNIT);
        write_record(EDUNIT, " ++> WARNING: No line belongs to this line type; its span and");
        write_record(EDUNIT, "     pretension are unknown. The subline length is not changed.");
        std::int32_t dropped = 0;
        PRSRET(EDUNIT, keyboard_unit, dropped);
        return;
    }
    TautWireProblem DUMMY2;
    DUMMY2.ITYPQ = ITYP;
    DUMMY2.DELTAZ = std::abs(TPCM.ANCHGT(ITYP) - TPCM.DRAFT + TPCM.RFLD(3, L));
    DUMMY2.TOPTEN = TPCM.HTENS(L);
    const int N = sublines_of(ITYP);
    double S = 0.0; // the unstretched length of the other sublines
    for (int k = 2; k <= N; ++k)
        S = S + TPCM.SLEN(k, ITYP);

    if (TPCM.LODTYP != 2 &&
        warn_abort(EDUNIT, {" ++> WARNING: Pretension specification must be determined by ",
                            "     fairlead tension for the exercise of this help option..."}))
        return;
    if (!(DUMMY2.TOPTEN > 0.0) &&
        warn_abort(EDUNIT,
                   {" ++> WARNING: The specified pretension for this line type is not positive"}))
        return;

    bool rigid = true;
    for (int i = 1; i <= N; ++i) {
        DUMMY2.SLENDP(i) = TPCM.SLEN(i, ITYP);
        DUMMY2.WETWDP(i) = TPCM.WETWT(i, ITYP);
        for (int k = 1; k <= 3; ++k) {
            DUMMY2.ALPHDP(k, i) = TPCM.ALPHA(k, i, ITYP);
            rigid = rigid && DUMMY2.ALPHDP(k, i) == 0.0;
        }
    }
    if (rigid) {
        if (!warn_abort(EDUNIT, {" ++> WARNING: This line type is totally inelastic..."}))
            TPCM.SLEN(1, ITYP) = static_cast<float>(DUMMY2.DELTAZ - S);
        return;
    }

    double XLI = 1.1 * (DUMMY2.DELTAZ - S);
    double XRI = 0.0;
    double EPS = first_tolerance * DUMMY2.DELTAZ;
    for (int attempt = 1; attempt <= max_attempts; ++attempt) {
        double SLENP = 0.0;
        double FUNC = 0.0;
        std::int32_t IER = 0;
        std::int32_t ITRN = 0;
        RTMIDP(
            SLENP, FUNC, [&DUMMY2](double x) { return DVSTER(x, DUMMY2); }, XLI, XRI, EPS,
            search_steps, IER, ITRN);
        if (IER == 0) {
            TPCM.SLEN(1, ITYP) = static_cast<float>(SLENP);
            return;
        }
        if (IER == 2) {
            search_failed(EDUNIT, " ++> Bounds error in TENDON ");
            return;
        }
        // Not converged: a looser tolerance around the last estimate.
        EPS = 5.0 * EPS;
        XLI = 2.0 * SLENP;
        XRI = SLENP / 2.0;
    }
    search_failed(EDUNIT, " ++> Iteration overflow in TENDON");
}

} // namespace lintar
