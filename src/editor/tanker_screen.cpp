// editor/tanker_screen.cpp: the tanker estimate screen of the vessel page.
#include "editor/tanker_screen.h"

#include "runtime/edit_descriptors.h"
#include "runtime/input_fields.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/unit_labels.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace lintar {

namespace {

// The working values of the screen, kept for the whole run (one set for both bodies).
struct TankerStore {
    bool taken = false; // the values were taken from the page at the first call
    TankerValues work;
};
TankerStore tanker_store;
const StateReset reset_tanker_store{[] { tanker_store = TankerStore{}; }};

// Long tons per page unit of weight: metric tons (NUNTS 1) or kips.
float long_tons_per_unit(std::int32_t NUNTS) {
    return NUNTS == 1 ? 0.9842f : 0.44642857f;
}

void write_lines(int unit, std::initializer_list<std::string_view> lines) {
    for (const std::string_view line : lines)
        write_record(unit, line);
}

} // namespace

float ALPHA(const EPSCOM& S, float SIMDFT) {
    return S.EPSLN + (1.0f - S.EPSLN) * SIMDFT / S.MAXDFT;
}

float VOLFUN(const EPSCOM& S, float DFTRAT) {
    return 2.0f * (DFTRAT * S.EPSLN + DFTRAT * DFTRAT * (1.0f - S.EPSLN) / 2.0f) / (S.EPSLN + 1.0f);
}

float NULFUN(const EPSCOM& S, float DFTRAT) {
    return S.MINRAT - VOLFUN(S, DFTRAT);
}

TankerMetacentres tanker_metacentres(float SIMWPC, float SIMBLC, float T, float B, float L) {
    TankerMetacentres M{};
    M.VKB = (SIMWPC / SIMBLC + 2.0f) * T / 6.0f;
    M.VKMT = M.VKB + (3.0f * SIMWPC - 1.0f) * B * B / (24.0f * T * SIMBLC);
    M.VKML = M.VKB + (2.0f * SIMWPC * SIMWPC - 2.0f * SIMWPC + 1.0f) * SIMWPC * L * L /
                         (12.0f * T * SIMBLC);
    return M;
}

void tanker_page_units(TankerValues& E, std::int32_t NUNTS) {
    float LCONV = 1.0f;
    float L2CONV = 1.0f;
    float WTCONV = 1.0f;
    if (NUNTS == 1) {
        LCONV = 0.3048f;
        L2CONV = 0.09290304f;
        WTCONV = 1.0160469f; // long tons to metric tons
    } else if (NUNTS == 0) {
        WTCONV = 2.24f; // long tons to kips
    }
    for (float* length : {&E.VKB, &E.VKG, &E.DRAFT, &E.VKMT, &E.VKML, &E.LWL, &E.BWL, &E.PGYR,
                          &E.RGYR, &E.YGYR, &E.BILGR})
        *length *= LCONV;
    for (float* area : {&E.AWP, &E.XWNDAR, &E.YWNDAR, &E.XCURAR, &E.YCURAR})
        *area *= L2CONV;
    E.DISPL *= WTCONV;
}

// ESTIM8: empirical fits of average crude-oil tankers; W in long tons, lengths in feet,
// volumes in cubic feet (35 cubic feet of sea water to the long ton), all in four-byte reals.
void ESTIM8(TankerValues& E, int EDUNIT, int KBD, std::int32_t& LBACK, std::int32_t NUNTS) {
    float SIMDFT = NUNTS == 1 ? E.DRAFT / 0.3048f : E.DRAFT;

    // The fits hold from 2000 long tons on.
    if (E.DWTONS < 2000.0f) {
        CLEAR(EDUNIT);
        write_lines(EDUNIT, {" ++> Requested deadweight is less than 2000 long tons.",
                             "     To continue, the deadweight will be replaced by 2000..."});
        ABORT0(EDUNIT, KBD, LBACK);
        if (LBACK == -1)
            return;
        E.DWTONS = 2000.0f;
    }
    const float W = E.DWTONS;

    // Lightship weight (bulkheads and shell), the loaded hull and its proportions.
    const float BKHDWT = 0.0422f * W;
    const float SHELWT = 6.78f * std::pow(W, 0.6666667f);
    const float LTSHIP = SHELWT + BKHDWT;
    const float LTSVOL = 35.0f * LTSHIP;
    const float MAXDSP = W + LTSHIP;
    const float MAXVOL = 35.0f * MAXDSP;
    const float VOLSCL = std::pow(MAXVOL, 0.33333334f);
    const float MLDPTH = 0.4039f * VOLSCL;
    const float LTSVKG = 0.54f * MLDPTH;
    EPSCOM S;
    S.MINRAT = LTSVOL / MAXVOL;
    S.MAXDFT = 13.32f - 1.502e-7f * MAXVOL + 0.01673f * std::sqrt(MAXVOL);
    const float MAXDFT = S.MAXDFT;
    const float BWL = 0.25f * VOLSCL * VOLSCL / MAXDFT;
    const float BILGR = 0.07f * BWL;
    const float BLKCOF = 0.275f * std::exp(-194.0f / VOLSCL) + 0.725f;
    const float WPCOF = 0.3f * std::exp(-69.0f / VOLSCL) + 0.7f;
    S.EPSLN = 2.0f * BLKCOF / WPCOF - 1.0f;
    const float LWL = MAXVOL / (BLKCOF * MAXDFT * BWL);
    const float MAXAWP = LWL * BWL * WPCOF;
    const float LODFBD = MLDPTH - MAXDFT;
    const float head_on_superstructure = 0.1f * VOLSCL * VOLSCL + 3000.0f;
    const float beam_on_superstructure = 16.0f * VOLSCL + 3000.0f;

    // The lightship draft: the draft ratio whose volume is the lightship's.
    float X = 0.0f;
    float F = 0.0f;
    std::int32_t IER = 0;
    RTMI1(
        X, F, [&S](float x) { return NULFUN(S, x); }, 0.0f, 1.0f, 1e-5f, 1e-5f, 100, IER);
    if (IER != 0) {
        write_lines(EDUNIT,
                    {" ++> RTMI failure in minimum draft determination (subroutine ESTIM8)"});
        write_record(EDUNIT, "     Error Index = " + I(IER, 2));
        fatal_stop(EDUNIT, KBD);
    }
    const float MINDFT = X * MAXDFT * 1.00001f;

    // Lightship radii of gyration: shell and bulkheads as the surfaces of a box.
    const float L = LWL;
    const float B = BWL;
    const float D = MLDPTH;
    const float r = BKHDWT / SHELWT;
    const float Sa = L * D + B * D + B * L;
    const float LTGROL = std::sqrt(
        ((D * D + B * B) * r +
         ((3.0f * D * L + B * D + L * B) * B * B + (L * D + B * D + 3.0f * B * L) * D * D) / Sa) /
        12.0f / (r + 1.0f));
    const float LTGPIT = std::sqrt(
        ((D * D + L * L) * r +
         ((3.0f * D * B + L * D + L * B) * L * L + (L * D + B * D + 3.0f * B * L) * D * D) / Sa) /
        12.0f / (r + 1.0f));
    const float LTGYAW = std::sqrt(
        ((L * L + B * B) * r +
         ((3.0f * D * L + B * D + L * B) * B * B + (L * D + B * L + 3.0f * B * D) * L * L) / Sa) /
        12.0f / (r + 1.0f));

    // The draft held to the hull's range, with the user's consent. A negative draft counts as
    // below the minimum too: its volume formula would give a positive volume for a draft
    // far enough below the keel.
    const auto out_of_range = [&](std::string_view more, std::string_view most) {
        CLEAR(EDUNIT);
        write_record(EDUNIT, " ++> Requested draft is " + std::string(more) + " than the " +
                                 std::string(most));
        write_lines(EDUNIT, {"     allowed draft for the specified deadweight...",
                             "     To continue, the draft will be replaced by "});
        write_record(EDUNIT, "     the " + std::string(most) + " allowable value");
        ABORT0(EDUNIT, KBD, LBACK);
        return LBACK != -1;
    };
    float SIMVOL = 0.0f;
    if (SIMDFT > MAXDFT) {
        if (!out_of_range("greater", "maximum"))
            return;
        SIMDFT = MAXDFT;
        SIMVOL = MAXVOL;
    } else {
        SIMVOL = MAXVOL * VOLFUN(S, SIMDFT / MAXDFT);
        if (SIMVOL < LTSVOL || SIMDFT < 0.0f) {
            if (!out_of_range("less", "minimum"))
                return;
            SIMDFT = MINDFT;
            SIMVOL = LTSVOL;
        }
    }

    // The loading.
    const float DFTRAT = SIMDFT / MAXDFT;
    const float DISPL = SIMVOL / 35.0f;
    const float DSPRAT = DISPL / MAXDSP;
    const float CARGO = std::max(DISPL - LTSHIP, 0.0f);
    const float SIMFBD = MLDPTH - SIMDFT;
    E.LOADED = 100.0f * LODFBD / SIMFBD;
    E.DFTPCT = 100.0f * DFTRAT;
    E.DSPPCT = 100.0f * DSPRAT;

    // Hydrostatics at the simulation draft.
    const float T = SIMDFT;
    const float AWP = MAXAWP * ALPHA(S, T);
    const float SIMWPC = AWP / (L * B);
    const float SIMBLC = SIMVOL / (L * B * T);
    const TankerMetacentres M = tanker_metacentres(SIMWPC, SIMBLC, T, B, L);
    const float VKG = (0.5f * D * CARGO + LTSVKG * LTSHIP) / DISPL;

    // Radii of gyration of lightship and cargo together; the cargo fills a box of the
    // waterplane's length.
    const float Lc = L * SIMWPC;
    const float KXXCAR = std::sqrt((D * D + B * B) / 12.0f);
    const float KYYCAR = std::sqrt((D * D + Lc * Lc) / 12.0f);
    const float KZZCAR = std::sqrt((B * B + Lc * Lc) / 12.0f);
    const float c = CARGO / LTSHIP;
    const float cargo_rise = VKG - D / 2.0f;
    const float lightship_rise = VKG - LTSVKG;
    E.RGYR = std::sqrt(((cargo_rise * cargo_rise + KXXCAR * KXXCAR) * c +
                        lightship_rise * lightship_rise + LTGROL * LTGROL) /
                       (c + 1.0f));
    E.PGYR = std::sqrt(((cargo_rise * cargo_rise + KYYCAR * KYYCAR) * c +
                        lightship_rise * lightship_rise + LTGPIT * LTGPIT) /
                       (c + 1.0f));
    E.YGYR = std::sqrt((KZZCAR * KZZCAR * c + LTGYAW * LTGYAW) / (c + 1.0f));

    E.DISPL = DISPL;
    E.VKB = M.VKB;
    E.VKG = VKG;
    E.DRAFT = SIMDFT;
    E.AWP = AWP;
    E.VKMT = M.VKMT;
    E.VKML = M.VKML;
    E.LWL = L;
    E.BWL = B;
    E.BILGR = BILGR;
    E.XWNDAR = B * SIMFBD + head_on_superstructure;
    E.YWNDAR = L * SIMFBD + beam_on_superstructure;
    E.XCURAR = B * T;
    E.YCURAR = L * T;
    tanker_page_units(E, NUNTS);
}

// ENTEST: the prompt, then one 40-character answer.
void ENTEST(std::int32_t& LBACK, int IOSCRN, int KBD, std::string& CHARAY) {
    (void)KBD;
    CHARAY.clear();
    write_lines(IOSCRN,
                {"", " >>> Change items 1 or 2 for new estimates or input letter(s) (\"ACD...\")",
                 "     to select individual replacements (or \"Z\" to replace all);"});
    WRTLIN("    \"?\" for help, <Return> to continue WITHOUT replacement: ", IOSCRN);
    const std::string answer = read_answer(40);
    const char first = answer[0];
    if (first == 'Z' || first == 'z') {
        LBACK = -1977;
    } else if (first == '1' || first == '2' || first == ' ') {
        // A number; anything else that begins so counts as Return, and so does a number below
        // 1, which would otherwise pose as the letters' or the "Z" code.
        const auto number = read_integer_field(std::string_view(answer).substr(0, 6));
        LBACK = number && *number >= 1 ? *number : 0;
    } else if (first != '?') {
        for (char letter : answer) {
            if ((letter >= 'A' && letter <= 'Y') || (letter >= 'a' && letter <= 'y')) {
                std::int32_t IERR = 0;
                UPCASE(letter, IERR);
                CHARAY += letter;
            }
        }
        LBACK = -1;
    } else {
        LBACK = code_help;
    }
}

void TNKHLP(int IOSCRN, int KBD, std::int32_t LINE) {
    (void)LINE;
    CLEAR(IOSCRN);
    // clang-format off
    write_lines(IOSCRN, {
        "     A built-in database of average tanker characteristics ",
        "     is available to provide an internally consistent set of ",
        "     vessel properties associated with a given vessel ",
        "     deadweight (ALWAYS in long tons) and simulation draft ",
        "     (in user-specified simulation units). ",
        "",
        "     To place a help screen value into the user data file, ",
        "     input the value's letter at the prompt. To place ALL ",
        "     displayed data, input the letter \"Z\" (without quotes). ",
        "     To replace a subset of the help screen data (for ",
        "     example, items A, G and Q), input the string of letters ",
        "     with or without delimiters (e.g., \"AGQ\" or \"A,G,Q\"; ",
        "     again without quotes). To exit the help facility with ",
        "     NO changes to the user data file, press <Return> in ",
        "     response to the help screen prompt for input.",
        "",
        "     >>> Note that even between tankers of the same ",
        "     deadweight tonnage, variations in physical properties ",
        "     of 15% or more are not uncommon. A vessel's maximum ",
        "     displacement in this help facility is equal to ",
        "     deadweight (or cargo capacity) plus lightship weight.",
    });
    // clang-format on
    std::int32_t dropped = 0;
    PRSRET(IOSCRN, KBD, dropped);
}

namespace {

// Copies the estimate of one letter into the body's variable; the deadweight goes back from
// long tons to the page unit. A letter without an estimate does nothing.
void copy_estimate(char letter, const TankerValues& E, VesselVariables& V, std::int32_t NUNTS) {
    switch (letter) {
    // clang-format off
    case 'A': V.DISPL = E.DISPL; break;
    case 'B': V.DSPPCT = E.DSPPCT; break;
    case 'C': V.LWL = E.LWL; break;
    case 'D': V.BWL = E.BWL; break;
    case 'E': V.DRAFT = E.DRAFT; break;
    case 'F': V.RGYR = E.RGYR; break;
    case 'G': V.PGYR = E.PGYR; break;
    case 'H': V.YGYR = E.YGYR; break;
    case 'I': V.AWP = E.AWP; break;
    case 'J': V.XCURAR = E.XCURAR; break;
    case 'K': V.YCURAR = E.YCURAR; break;
    case 'L': V.LOADED = E.LOADED; break;
    case 'M': V.DFTPCT = E.DFTPCT; break;
    case 'N': V.VKMT = E.VKMT; break;
    case 'O': V.VKML = E.VKML; break;
    case 'P': V.VKB = E.VKB; break;
    case 'Q': V.VKG = E.VKG; break;
    case 'R': V.BILGR = E.BILGR; break;
    case 'S': V.DWTONS = E.DWTONS / long_tons_per_unit(NUNTS); break;
    case 'T': V.XWNDAR = E.XWNDAR; break;
    case 'U': V.YWNDAR = E.YWNDAR; break;
    default: break;
        // clang-format on
    }
}

// The screen: the inputs, then the estimates in two columns.
void draw_tanker_screen(const TankerValues& E, int EDUNIT, std::int32_t NUNTS) {
    const std::string weight = NUNTS == 0 ? "Kips" : NUNTS == 1 ? "M.Tons" : "Whoops";
    const auto two_columns = [EDUNIT](std::string_view left, std::string_view right) {
        Record line;
        line << left;
        if (!right.empty())
            line.T(43) << right;
        write_record(EDUNIT, line.text());
    };
    CLEAR(EDUNIT);
    write_record(EDUNIT, "");
    Record dwt;
    dwt << " >>> Independent variables for";
    dwt.T(36) << "1. Deadweight (DWT).... " << F(E.DWTONS, 8, 0) << " Long Tons";
    write_record(EDUNIT, dwt.text());
    Record draft;
    draft << "     tanker property estimates:";
    draft.T(36) << "2. Simulation Draft ... " << F(E.DRAFT, 7, 2) << " " << UNITP(NUNTS + 7);
    write_record(EDUNIT, draft.text());

    write_record(EDUNIT, "");
    two_columns(" A. Vessel Displacement   " + F(E.DISPL, 9, 0) + " " + weight,
                "L. Freeboard-based load..." + F(E.LOADED, 8, 1) + "%");
    two_columns(" B. Displacement-based load" + F(E.DSPPCT, 9, 1) + "%",
                "M. Draft-based load......." + F(E.DFTPCT, 8, 1) + "%");

    write_record(EDUNIT, "");
    const auto f92 = [](float v) { return F(v, 9, 2); };
    two_columns(" C. Length (LPP) .........." + f92(E.LWL),
                "N. Transverse KM ........." + f92(E.VKMT));
    two_columns(" D. Beam .................." + f92(E.BWL),
                "O. Longitudinal KM ......." + f92(E.VKML));
    two_columns(" E. Draft ................." + f92(E.DRAFT),
                "P. VKB ..................." + f92(E.VKB));
    two_columns(" F. Roll Gyradius.........." + f92(E.RGYR),
                "Q. VKG ..................." + f92(E.VKG));
    two_columns(" G. Pitch Gyradius ........" + f92(E.PGYR),
                "R. Bilge radius .........." + f92(E.BILGR));
    two_columns(" H. Yaw Gyradius .........." + f92(E.YGYR), "");

    write_record(EDUNIT, "");
    const auto f90 = [](float v) { return F(v, 9, 0); };
    two_columns(" I. Water Plane Area ...... " + f90(E.AWP),
                "S. Deadweight (DWT) ...... " + f90(E.DWTONS));
    two_columns(" J. Head-on Current Area .. " + f90(E.XCURAR),
                "T. Head-on Wind Area ..... " + f90(E.XWNDAR));
    two_columns(" K. Beam-on Current Area .. " + f90(E.YCURAR),
                "U. Beam-on Wind Area ..... " + f90(E.YWNDAR));
}

} // namespace

void TANKER(VesselVariables& V, int EDUNIT, int KBD, std::int32_t& LBACK, std::int32_t NUNTS,
            std::int32_t& IPAG) {
    TankerValues& E = tanker_store.work;
    if (!tanker_store.taken) {
        E = TankerValues{.DISPL = V.DISPL,
                         .VKB = V.VKB,
                         .VKG = V.VKG,
                         .DRAFT = V.DRAFT,
                         .AWP = V.AWP,
                         .VKMT = V.VKMT,
                         .VKML = V.VKML,
                         .LWL = V.LWL,
                         .BWL = V.BWL,
                         .PGYR = V.PGYR,
                         .RGYR = V.RGYR,
                         .YGYR = V.YGYR,
                         .BILGR = V.BILGR,
                         .XWNDAR = V.XWNDAR,
                         .YWNDAR = V.YWNDAR,
                         .XCURAR = V.XCURAR,
                         .YCURAR = V.YCURAR,
                         .DWTONS = V.DWTONS * long_tons_per_unit(NUNTS),
                         .LOADED = V.LOADED,
                         .DFTPCT = V.DFTPCT,
                         .DSPPCT = V.DSPPCT};
        tanker_store.taken = true;
    }
    bool due = E.DWTONS > 0.0f && E.DRAFT > 0.0f;
    for (;;) {
        if (due) {
            std::int32_t refused = 0;
            ESTIM8(E, EDUNIT, KBD, refused, NUNTS);
            due = false;
        }
        draw_tanker_screen(E, EDUNIT, NUNTS);
        std::string CHARAY;
        ENTEST(LBACK, EDUNIT, KBD, CHARAY);
        if (LBACK == code_help) {
            TNKHLP(EDUNIT, KBD, IPAG);
        } else if (LBACK == 1) {
            due = true;
            write_record(EDUNIT, "");
            write_record(EDUNIT,
                         " 1. Deadweight ............... " + F(E.DWTONS, 7, 0) + " Long Tons");
            ENTERF(E.DWTONS, EDUNIT, KBD);
        } else if (LBACK == 2) {
            due = true;
            write_record(EDUNIT, " 2. Simulation Draft ......... " + F(E.DRAFT, 6, 2) + " " +
                                     std::string(UNITP(NUNTS + 7)));
            ENTERF(E.DRAFT, EDUNIT, KBD);
        } else if (LBACK >= 1) {
            due = true;
        } else if (LBACK == -1) {
            for (const char letter : CHARAY)
                copy_estimate(letter, E, V, NUNTS);
            return;
        } else if (LBACK == -1977) {
            for (char letter = 'A'; letter <= 'U'; ++letter)
                copy_estimate(letter, E, V, NUNTS);
            return;
        } else {
            return;
        }
    }
}

} // namespace lintar
