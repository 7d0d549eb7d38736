// editor/final_page.cpp: the final page: the End-of-Session menu loop, the whole-file checks
// and the check of direction senses.
#include "editor/final_page.h"
#include "blocks/lincom.h"

#include "datafile/end_of_session.h"
#include "datafile/prerun_checks.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/answer_reader.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

namespace lintar {

FinalPageStore final_page_store;

namespace {

const StateReset reset_final_page_store{[] { final_page_store = FinalPageStore{}; }};

constexpr std::string_view INDUMP = "CATIN.stxt"; // the mirror file
constexpr std::string_view EDPRG = "CATED";       // the calling routine in file-error reports
constexpr std::int32_t WRNLIM = 7;                // messages per screen

// The tables' sizes: counts from the data are held to them before they index anything.
constexpr int max_directions = 10;

int held(std::int32_t count, int limit) {
    return std::clamp<std::int32_t>(count, 0, limit);
}

// The length of a three-vector.
float length3(float x, float y, float z) {
    const float vector[3] = {x, y, z};
    return VMOD(vector);
}

// One check message: an empty line, its lines on EDUNIT, then the count.
void message(std::initializer_list<std::string> lines, bool fatal, std::int32_t& WARNEM,
             std::int32_t& FWARN) {
    write_record(TPCM.EDUNIT, "");
    for (const std::string& line : lines)
        write_record(TPCM.EDUNIT, line);
    WRNINC(fatal ? FWARN : WARNEM, WARNEM, FWARN, TPCM.EDUNIT, keyboard_unit, WRNLIM);
}

// A point in braces, each coordinate F8.1: "{     1.0,      2.0,      3.0}".
std::string braced(float x, float y, float z) {
    return "              {" + F(x, 8, 1) + ", " + F(y, 8, 1) + ", " + F(z, 8, 1) + "}";
}

// The vertical interpolation region. Offsets that move the fairleads vertically need
// layers over a span around them (unless the user overrides the choice); without such
// offsets one layer and no span.
void vertical_region() {
    const bool vertical_offsets = TPCM.NOBLDR != 0 || TPCM.NVERT != 0 || TPCM.NRCTDR != 0 ||
                                  TPCM.NSTIFV != 0 || TPCM.NSTIFG != 0 || TPCM.NFCDIR != 0 ||
                                  TPCM.NTQDIR != 0 || TPCM.FROMTABLE != 0;
    if (!vertical_offsets) {
        TPCM.NLAYER = 1;
        TPCM.ZSPAN = 0.0f;
    } else if (TPCM.OVRIDE == 0) {
        TPCM.NLAYER = 7;
        TPCM.ZSPAN = interpolation_span(TPCM);
    }
}

// The arrangement. A vessel moored directly needs real force and couple directions; a
// buoy with a hawser (IARCO 1) takes its hawser point and turret position from the vessel
// points, needs horizontal forces, and has no rectilinear, yaw, vertical, oblique or couple
// offsets.
void arrangement_checks(std::int32_t& WARNEM, std::int32_t& FWARN) {
    const int forces = held(TPCM.NFCDIR, max_directions);
    const int couples = held(TPCM.NTQDIR, max_directions);
    if (TPCM.IARCO != 1 && !is_true(TPCM.LSPM)) {
        TPCM.XSALM = 0.0f;
        bool null_direction = false;
        for (int j = 1; j <= forces; ++j)
            if (length3(TPCM.FRCVEC(1, j), TPCM.FRCVEC(2, j), TPCM.FRCVEC(3, j)) == 0.0f)
                null_direction = true;
        for (int j = 1; j <= couples; ++j)
            if (length3(TPCM.TRQVEC(1, j), TPCM.TRQVEC(2, j), TPCM.TRQVEC(3, j)) == 0.0f)
                null_direction = true;
        if (null_direction)
            message({" ++> Fatal Warning: A null \"continuous equilibrium\" ",
                     "     force or torque direction was detected; that is, a ",
                     "     direction vector (x,y,z) = (0,0,0) has been specified. ",
                     "     This will cause Lintar to crash..."},
                    true, WARNEM, FWARN);
        return;
    }
    if (TPCM.IARCO != 1)
        return;
    TPCM.ENDHT = TPCM.RACC(3, 1);
    TPCM.XSALM = TPCM.RACC(1, 1);
    if (TPCM.NFCDIR != 0) {
        // A hawser line number outside the lines gives no point here; the hawser check below
        // reports it.
        if (TPCM.HAWSLN >= 1 && TPCM.HAWSLN <= lincom_lines)
            for (int k = 1; k <= 3; ++k)
                TPCM.FAPPNT(k) = TPCM.RFLD(k, TPCM.HAWSLN);
        bool vertical_force = false;
        for (int j = 1; j <= forces; ++j)
            if (TPCM.FRCVEC(3, j) != 0.0f)
                vertical_force = true;
        if (vertical_force)
            message({" ++> Fatal Warning: For CALM-hawser-type systems, ",
                     "     specified force directions must ALL be in the ",
                     "     horizontal plane with a zero \"z\" component, for example ",
                     "     (x,y,z) = (1,1,0)..."},
                    true, WARNEM, FWARN);
    }
    TPCM.NRCTDR = 0;
    TPCM.MTCHFT = 0;
    TPCM.NTQDIR = 0;
    TPCM.NOBLDR = 0;
    TPCM.NYAW = 0;
    TPCM.NVERT = 0;
    TPCM.AUXFRC = 0;
    TPCM.BAXFRC = 0;
    TPCM.AUXDSP = 0;
    TPCM.FCVES = 0;
    TPCM.TQVES = 0;
}

// The hawser line type must hold the hawser line alone, and its bottom is transparent
// (no anchor). A hawser type outside the line types cannot be checked or given its anchor
// kind: writing through it would reach the words of another member, so it is reported
// instead.
void hawser_check(std::int32_t& WARNEM, std::int32_t& FWARN) {
    const std::int32_t type = TPCM.HAWSTP;
    bool sound = false;
    if (type >= 1 && type <= lincom_types) {
        TPCM.ANCTYP(type) = 0;
        sound = TPCM.NLINE(type) == 1 && TPCM.LINTYP(1, type) == TPCM.HAWSLN;
    }
    if (!sound)
        message({" ++> Fatal Warning: Hawser line type has more than a single line",
                 "     OR hawser-associated line number is not equal to " + I(TPCM.HAWSLN, 2)},
                true, WARNEM, FWARN);
}

} // namespace

float interpolation_span(const TpcmBlock& block) {
    const int lines = held(block.NLIN, lincom_lines);
    if (lines == 0)
        return 0.0f;
    float ZMIN = 1.0E20f;
    float XTMP = 0.0f;
    float YTMP = 0.0f;
    for (int i = 1; i <= lines; ++i) {
        ZMIN = std::min(ZMIN, block.RFLD(3, i) + block.DEPTH - block.DRAFT);
        XTMP += block.RFLD(1, i);
        YTMP += block.RFLD(2, i);
    }
    XTMP /= static_cast<float>(lines);
    YTMP /= static_cast<float>(lines);
    float BIGVAL = 0.0f;
    for (int i = 1; i <= lines; ++i) {
        const float dx = block.RFLD(1, i) - XTMP;
        const float dy = block.RFLD(2, i) - YTMP;
        const float z = block.RFLD(3, i);
        BIGVAL = std::max(BIGVAL, dx * dx + dy * dy + z * z);
    }
    return std::min(2.0f * std::sqrt(BIGVAL), 1.99f * ZMIN);
}

void whole_file_checks(std::int32_t& WARNEM, std::int32_t& FWARN) {
    vertical_region();
    arrangement_checks(WARNEM, FWARN);

    const int axes = held(TPCM.NOBLDR, max_directions);
    bool unspecified_axis = false;
    for (int j = 1; j <= axes; ++j)
        if (!(length3(TPCM.OBLVEC(1, j), TPCM.OBLVEC(2, j), TPCM.OBLVEC(3, j)) > 0.0f))
            unspecified_axis = true;
    if (TPCM.NOBLDR > 0 && unspecified_axis)
        message({" ++> Fatal Warning: An oblique rotation axis is unspecified."}, true, WARNEM,
                FWARN);

    if ((TPCM.NOBLDR > 0 || TPCM.NVERT > 0) && (TPCM.NLAYER < 3 || TPCM.ZSPAN <= 0.0f))
        message({" ++> Fatal Warning: Too few vertical layers or unphysical ",
                 "     vertical interpolation span."},
                true, WARNEM, FWARN);

    if (TPCM.IARCO == 1)
        hawser_check(WARNEM, FWARN);

    if ((TPCM.NFCDIR != 0 && TPCM.FRCOFF(1) != 0.0f) ||
        (TPCM.NTQDIR != 0 && TPCM.TRQOFF(1) != 0.0f))
        message({" ++> Warning: The initial target force or moment value for a",
                 "     \"Continuous Equilibrium\" offset is non-zero. If a Continuous",
                 "     Equilibrium sequence reports problems with the first offset point,",
                 "     requesting an offset sequence beginning with 0.0 will often",
                 "     resolve the issue."},
                false, WARNEM, FWARN);

    const bool centres_differ = TPCM.RMCTR(1) != TPCM.ROTCTX || TPCM.RMCTR(2) != TPCM.ROTCTY ||
                                TPCM.RMCTR(3) != TPCM.ROTCTZ;
    if (centres_differ &&
        (TPCM.NOBLDR > 0 || TPCM.FROMTABLE == 1 || TPCM.NSTIFV == 1 || TPCM.NSTIFG == 1))
        message({" ++> Warning: Differing {moment reporting center} and {oblique offset "
                 "rotation center}: ",
                 "", braced(TPCM.RMCTR(1), TPCM.RMCTR(2), TPCM.RMCTR(3)),
                 braced(TPCM.ROTCTX, TPCM.ROTCTY, TPCM.ROTCTZ), "",
                 "     Is that what you really want?"},
                false, WARNEM, FWARN);

    if (TPCM.NTQDIR != 0 && TPCM.NFCDIR != 0 && TPCM.MTCHFT == 1 &&
        (TPCM.NTQOFF != TPCM.NFCOFF || TPCM.NTQDIR != TPCM.NFCDIR))
        message({" ++> Fatal Warning: To SIMULTANEOUSLY apply forces and torques for "
                 "\"maintained",
                 "     equilibrium\" offsets, the specified number of force and torque "
                 "DIRECTIONS",
                 "     must be equal, as must the number of applied forces/torques PER "
                 "DIRECTION."},
                true, WARNEM, FWARN);

    // The depth places every anchor and the displacement scales the vessel's restoring under
    // the force and couple offsets: a value that is not positive describes no vessel afloat, and
    // the analysis would run on it (a negative displacement turns the restoring round).
    if (!(TPCM.DEPTH > 0.0f))
        message({" ++> Fatal Warning: Nonpositive water depth."}, true, WARNEM, FWARN);
    if ((TPCM.NFCDIR != 0 || TPCM.NTQDIR != 0) && !(TPCM.DISPL > 0.0f))
        message({" ++> Fatal Warning: Nonpositive vessel displacement with force or couple",
                 "     offset directions specified."},
                true, WARNEM, FWARN);
}

void CATFIN(std::string_view PAGE) {
    TPCM.IVERS_SUFX = 0;
    if (TPCM.NFCDIR != 0 || TPCM.NTQDIR != 0) {
        TPCM.AUXFRC = 0;
        TPCM.AXFC2 = 0;
        TPCM.AXFC3 = 0;
        TPCM.AUXDSP = 0;
    } else if (TPCM.AUXFRC != 0) {
        TPCM.AXFC2 = 0;
        TPCM.AXFC3 = 0;
    }
    TPCM.DPAFLG = 0;
    TPCM.DPRFLG = 0;
    TPCM.MS3DOF = 1;
    std::int32_t WARNEM = 0;
    std::int32_t FWARN = 0;

    for (;;) {
        std::int32_t LRETRN = 0;
        FINTOP(PAGE, TPCM.SIMTYP, LRETRN, INDUMP, EDPRG, TPCM.IPAG, TPCM.LCOPY, TPCM.EDUNIT,
               final_page_store.UNTSAV, TPCM.LBACK, WARNEM, FWARN, TPCM.CMPUTR,
               TPCM.WriteAuxDatFiles);
        if (LRETRN == 1)
            break;

        WARNEM = 0;
        FWARN = 0;
        if (TPCM.LCOPY == 0)
            CLEAR(TPCM.EDUNIT);
        LINWRN(WARNEM, FWARN);
        whole_file_checks(WARNEM, FWARN);
        report_non_finite_reals(WARNEM, FWARN);

        if (TPCM.EDUNIT == diagnostics_unit) {
            // A silent run: no debug trace and reports to disk; it cannot ask, so a fatal
            // warning ends it and warnings alone let it go on.
            TPCM.NBUG = 0;
            TPCM.NBUG0 = 0;
            TPCM.IUNIT = 1;
            if (FWARN != 0) {
                HCLOSE(diagnostics_unit, "Diagnostics.stxt", "???FIN", screen_unit);
                stop_program(StopKind::error);
            }
            if (WARNEM != 0)
                break;
        }
        if (WARNEM == 0 && FWARN == 0)
            break;
        if ((WARNEM + FWARN) % WRNLIM != 0) {
            std::int32_t dropped = 0;
            PRSRET(TPCM.EDUNIT, keyboard_unit, dropped);
            CLEAR(TPCM.EDUNIT);
        }
    }

    if (TPCM.LBACK == code_execute && !final_page_store.HCDONE) {
        RHOPEN(INDUMP, 1, 0, 1, EDPRG, TPCM.EDUNIT);
        final_page_store.HCDONE = true;
        TPCM.LCOPY = 1;
        TPCM.LBACK = code_first;
        final_page_store.UNTSAV = TPCM.EDUNIT;
        TPCM.EDUNIT = 1;
    }
}

void PARCHK(std::span<const float> ARRAY, std::int32_t NVAL, int EDUNIT, int KBD,
            std::int32_t& IANSW) {
    IANSW = 0;
    const auto count = static_cast<std::size_t>(
        std::clamp<std::int32_t>(NVAL, 0, static_cast<std::int32_t>(ARRAY.size())));
    const bool unit_senses = std::all_of(ARRAY.begin(), ARRAY.begin() + count,
                                         [](float sense) { return std::fabs(sense) == 1.0f; });
    if (unit_senses)
        return;
    CLEAR(EDUNIT);
    write_record(EDUNIT, "");
    write_record(EDUNIT,
                 " ++> Warning: a specified directional sense has an absolute value other than 1.");
    write_record(EDUNIT, "");
    if (EDUNIT != diagnostics_unit)
        write_open(screen_unit, "    Press <Return> to continue or -1 to review... ");
    std::int32_t PAGNO = 0;
    READI(IANSW, KBD, PAGNO);
}

} // namespace lintar
