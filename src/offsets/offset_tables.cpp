// offsets/offset_tables.cpp: the offset-table analysis CATTBL: start-up, the offset sequences
// and their points, and the hand-over of each sequence's tables to the report.
#include "offsets/offset_tables.h"

#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "datafile/offset_counts.h"
#include "equilibrium/turret_torque.h"
#include "lines/mooring_stiffness.h"
#include "offsets/offset_report.h"
#include "offsets/offset_run.h"
#include "offsets/turret_angle.h"
#include "offsets/user_offsets.h"
#include "runtime/program_state.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// The working state of the analysis: the 24 result tables (720 KB) live here, allocated once.
OffsetRun offset_run;
const StateReset reset_offset_run{[] {
    // In place: a fresh object assigned from a temporary would put 720 KB on the stack.
    std::destroy_at(&offset_run);
    std::construct_at(&offset_run);
}};

OffsetSequenceObserver sequence_observer;
const StateReset reset_sequence_observer{[] { sequence_observer = nullptr; }};

constexpr std::string_view report_file = "OFFSETS.stxt";
constexpr std::string_view open_tag = "CATTABL"; // the routine the open routine names
constexpr int KBD = 5;

// clang-format off
constexpr std::string_view oblique_definitions[] = {
    "     The following definitions apply to output variables for ",
    "     \"oblique\" offset sequences.",
    "",
    "          >>> Summary Pages for Most Exposed Line,",
    "          Total Restoring Data and Cross-Coupling Data:",
    "",
    "     1.  \"Vessel Restoring Moments\", \"Roll\", \"Pitch\" and ",
    "     \"Yaw\" moments are resolved in \"Vessel\" coordinates, ",
    "     with z positive upwards from the deck, x positive ",
    "     towards the bow and y positive to port (left when ",
    "     facing forwards). For oblique rotation offsets, this ",
    "     coordinate system moves with the vessel, so that the ",
    "     \"Yaw\" moment, for example, will NOT necessarily be ",
    "     defined around an earth-vertical axis once a non-zero ",
    "     oblique angular offset has been made.",
    "     2.  \"Vessel-Relative Forces\" (Surge, Sway and Heave) are ",
    "     likewise reported relative to the \"Vessel\" coordinate ",
    "     system. For instance, net induced heave force will not ",
    "     necessarily be in the earth-vertical direction but ",
    "     rather in the deck-vertical direction at each oblique ",
    "     angular offset point.",
    "          >>> Individual Line Data Pages:",
    "",
    "     1. \"Horizontal\" and \"Vertical\" individual line tension ",
    "     components are defined in an earth-fixed coordinate ",
    "     system with z vertical (positive upwards) regardless of ",
    "     vessel orientation.",
    "",
    "     2.  Line declination angles are defined relative to the ",
    "     same vertical axis (positive declination angles at the ",
    "     fairlead refer to lines departing DOWNWARDS from the ",
    "     fairlead; positive departure angles at the anchor refer ",
    "     to lines departing UPWARDS from the anchor).",
    "",
    "     3.  \"Plan-View Global Departure Angles\" are given in ",
    "     the same \"Global\" coordinate system used to describe ",
    "     the pre-offset line departure angles and the pre-offset ",
    "     vessel heading.",
};
// clang-format on

constexpr std::string_view progress_messages[] = {
    "Computing lateral offsets",
    "Computing yaw offsets",
    "Computing oblique rotational offsets",
    "Computing vertical offsets",
    "Computing oblique rectilinear offsets",
    "Processing INPUTOFF.txt file",
    "Computing \"continuous equilibrium\" offsets for specified forces",
    "Computing \"continuous equilibrium\" offsets for specified moments",
};
constexpr std::string_view matched_progress_message =
    "Computing \"continuous equilibrium\" offsets for specified forces AND moments";

// Number of sequences of a kind; for the user offsets the file is opened and its count read.
std::int32_t sequence_count(std::int32_t TABTYP) {
    if (TABTYP == kind_user)
        return TPCM.FROMTABLE > 0 ? open_user_offsets(TPCM.EDUNIT) : 0;
    return offset_direction_count(TABTYP);
}

// The unit vector of (x, y, z); a zero vector gives (1, 0, 0).
std::array<float, 3> unit_vector(float x, float y, float z) {
    const std::array<float, 3> v = {x, y, z};
    std::array<float, 3> u{};
    UNITIZ(v, u);
    return u;
}

// EQUILB's record of the point's finite rotation (ROTDIR, ROTVAL in degrees, ROTMOD), so that
// the block holds the last point's state when CATTBL returns, as its header says. Nothing in
// this program reads these words afterwards: CATTBL is the engine's last stage, and within it
// the force routines take the rotation from R.P. The copies are for a caller of CATTBL.
void publish_state(const OffsetRun& R) {
    for (int i = 1; i <= 3; ++i)
        EQUILB.ROTDIR(i) = R.P.ROTDIR[slot(i)];
    EQUILB.ROTVAL = R.P.ROTVAL_DEG;
    EQUILB.ROTMOD = R.P.ROTMOD;
}

// Start-up: the report, the debug level, trim and heel, the buoy in the vessel's place for a
// CALM arrangement, the initial offset, the lines summed and the turret's fairleads.
// Sets in the run: EPS, EPSROT, TRIMFL, TRIMHL, ITYP1, NPAG, IEQSET, MINLN, MAXLN, and PNTTRT
// for a turret mooring.
void start_up(OffsetRun& R) {
    R.EPS = {0.0f, 0.0f, 0.0f};
    R.EPSROT = identity3;
    const int EDUNIT = TPCM.EDUNIT;
    // The report goes to the file or to the console; any other unit (a damaged file) would
    // be written nowhere, so it is taken as the file, as the table stage takes it.
    if (TPCM.IUNIT != 1 && TPCM.IUNIT != EDUNIT)
        TPCM.IUNIT = 1;
    if (TPCM.IUNIT == 1)
        RHOPEN(report_file, 1, 0, TPCM.IUNIT, open_tag, EDUNIT);
    // A debug run asks for the level twice, around the stage's trace line, and keeps the second
    // answer: a script written for the debug dialogue answers both prompts, and one ask would
    // shift every later answer of the script by a line.
    if (TPCM.NBUG0 == 1) {
        INBUG(TPCM.NBUG, EDUNIT, KBD);
        write_record(EDUNIT, " ### In CATTBL:");
        INBUG(TPCM.NBUG, EDUNIT, KBD);
    } else {
        TPCM.NBUG = 0;
    }

    R.TRIMFL = TPCM.TRIMDG != 0.0f || TPCM.HEELDG != 0.0f;
    R.TRIMHL = trim_heel_rotation(TPCM.TRIMDG, TPCM.HEELDG);
    if (TPCM.LSPM != 0)
        EQUILB.VESANG() = EQUILB.TRTNGL;
    R.ITYP1 = 'A';

    if (TPCM.IARCO == 1) {
        // The buoy takes the vessel's place for the whole run: its section of TPCM and its
        // state. IARCO lies within the section; the arrangement stays the CALM one. CATTBL
        // returns with the exchange in place (as its header says), so no guard undoes it.
        swap_body_sections(TPCM);
        TPCM.IARCO = 1;
        EQUILB.RVES(1) = EQUILB.RBUY(1);
        EQUILB.RVES(2) = EQUILB.RYBUY();
        EQUILB.VESANG() = EQUILB.BUYNGL();
        EQUILB.ZCGVAR = EQUILB.RZBUY;
        TPCM.LSPM = 0;
    }
    R.NPAG = (TPCM.NLIN + 7) / 8;
    R.IEQSET = 2;
    if (TPCM.AUXDSP == 1) {
        EQUILB.RVES(1) += TPCM.XINIT;
        EQUILB.RVES(2) += TPCM.YINIT;
        EQUILB.ZCGVAR = TPCM.ZINIT;
        EQUILB.VESANG() += TPCM.YWINIT / degrees_per_radian;
    }
    R.MINLN = 1;
    R.MAXLN = TPCM.IARCO == 1 ? TPCM.NLIN - 1 : TPCM.NLIN;
    if (TPCM.LSPM != 0) {
        R.PNTTRT = true;
        for (int i = R.MINLN; i < R.MAXLN; ++i)
            if (TPCM.RFLD(1, i) != TPCM.RFLD(1, i + 1) || TPCM.RFLD(2, i) != TPCM.RFLD(2, i + 1))
                R.PNTTRT = false;
    }
}

// The force and couple sequences solve for equilibrium with the heave held within the water
// depth below the keel; with the depth not above the draft there is no room to solve in (the
// search would halve its estimate without end), so the run is refused before it starts.
void check_equilibrium_room() {
    const bool forces = sequence_count(kind_forces) > 0 && offset_point_count(kind_forces) > 0;
    const bool couples = sequence_count(kind_couples) > 0 && offset_point_count(kind_couples) > 0;
    if (!(forces || couples) || TPCM.DEPTH > TPCM.DRAFT)
        return;
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT, "");
    write_record(EDUNIT, " ++> Fatal Condition: The water depth does not exceed the draft;");
    write_record(EDUNIT, "     \"continuous equilibrium\" offsets cannot be computed.");
    write_record(EDUNIT, "");
    fatal_stop(EDUNIT, KBD);
}

// Turret step of a translated point: the turret's angle at the trial position, and the
// fairleads turned by its change from the reference turret angle.
// Sets in the run: XVEC(6), the turret's turn (turret moorings only).
void turret_step(OffsetRun& R) {
    if (TPCM.LSPM == 0)
        return;
    GET_TRT_ANG(EQUILB.VESANG(), EQUILB.TRTNGL, R.PNTTRT, TPCM.LOCK_TRT, TPCM.EDUNIT, KBD,
                offset_table_turret_half_width, offset_table_turret_flip,
                turret_moment_of_blocks(R.XVEC[0], R.XVEC[1], R.MINLN, R.MAXLN));
    // The force routine turns the fairleads from their reference placing; the torque function
    // places them at the reference turret angle TRTNG0, so the turn is the change from it.
    R.XVEC[5] = EQUILB.TRTNGL - EQUILB.TRTNG0;
}

// The set-up of sequence IREP of its kind.
// Sets in the run, by kind: OFFANG, SINFAC, COSFAC, ZROTO (lateral); SINFAC (yaw, oblique
// rotation, vertical); P.ROTMOD and P.ROTDIR (oblique rotation); FUNIT (rectilinear, forces,
// matched couples); TUNIT (couples, matched forces).
void set_up_sequence(OffsetRun& R) {
    const std::int32_t k = R.IREP;
    switch (R.TABTYP) {
    case kind_lateral:
        R.OFFANG = TPCM.PHIL(k) / degrees_per_radian;
        R.SINFAC = std::sin(R.OFFANG);
        R.COSFAC = std::cos(R.OFFANG);
        R.ZROTO = {R.COSFAC, -R.SINFAC, R.SINFAC, R.COSFAC};
        break;
    case kind_yaw:
        R.SINFAC = TPCM.PHIY(k);
        break;
    case kind_oblique_rotation: {
        R.SINFAC = TPCM.OBLPTY(k);
        const std::array<float, 3> axis = {TPCM.OBLVEC(1, k), TPCM.OBLVEC(2, k), TPCM.OBLVEC(3, k)};
        R.P.ROTMOD = VMOD(axis);
        UNITIZ(axis, R.P.ROTDIR);
        break;
    }
    case kind_vertical:
        R.SINFAC = 1.0f;
        break;
    case kind_rectilinear:
        R.FUNIT = unit_vector(TPCM.RCTDIR(1, k), TPCM.RCTDIR(2, k), TPCM.RCTDIR(3, k));
        break;
    case kind_forces:
    case kind_couples:
        if (R.TABTYP == kind_forces || TPCM.MTCHFT == 1) {
            // The hawser of a CALM arrangement holds the buoy in the horizontal plane.
            const float z = TPCM.IARCO == 1 ? 0.0f : TPCM.FRCVEC(3, k);
            R.FUNIT = unit_vector(TPCM.FRCVEC(1, k), TPCM.FRCVEC(2, k), z);
        }
        if (R.TABTYP == kind_couples || TPCM.MTCHFT == 1)
            R.TUNIT = unit_vector(TPCM.TRQVEC(1, k), TPCM.TRQVEC(2, k), TPCM.TRQVEC(3, k));
        break;
    default:
        break;
    }
}

// The state of point INCVAL, its reported offset and the lines summed.
// Sets in the run: MINLN, MAXLN, P (VESAN0, and by kind the whole state through VARUPD or its
// position, heading and ROTVAL_DEG), XVEC (every kind but vertical and the equilibrium ones;
// through turret_step its turn), FUNIT and user_direction (user offsets), FEXT (forces,
// couples), and row INCVAL of T.OFFVAL and T.BYOFF.
void set_up_point(OffsetRun& R, const UserOffsetBlock& block) {
    const std::int32_t n = R.INCVAL;
    const auto at = slot(n);
    const float RVES1 = EQUILB.RVES(1);
    const float RVES2 = EQUILB.RVES(2);
    const float ZCGVAR = EQUILB.ZCGVAR;
    const std::int32_t all_lines = TPCM.NLIN;
    const std::int32_t mooring_lines = TPCM.IARCO == 1 ? TPCM.NLIN - 1 : TPCM.NLIN;
    R.MINLN = 1;
    R.MAXLN = all_lines;
    R.P.VESAN0 = TPCM.VESAN0;
    float& OFFVAL = R.T.OFFVAL[at];
    switch (R.TABTYP) {
    case kind_lateral: {
        const float d = TPCM.OFFL(n);
        R.XVEC = {RVES1 + d * R.COSFAC, RVES2 + d * R.SINFAC, ZCGVAR, 0.0f, 0.0f, 0.0f};
        R.MAXLN = mooring_lines;
        turret_step(R);
        VARUPD(R.XVEC, R.P);
        OFFVAL = d;
        break;
    }
    case kind_yaw: {
        // The pre-offset yaw, measured as the force routine measures a turn: from the
        // reference heading (for a turret mooring the turret's angle from its reference, the
        // heading having been set to the turret angle at start-up).
        const float reference = TPCM.LSPM != 0 ? EQUILB.TRTNG0 : TPCM.VESAN0;
        const float yaw = EQUILB.VESANG() - reference;
        R.XVEC = {RVES1, RVES2, ZCGVAR,
                  0.0f,  0.0f,  yaw + TPCM.OFFY(n) * R.SINFAC / degrees_per_radian};
        VARUPD(R.XVEC, R.P);
        OFFVAL = TPCM.OFFY(n) * R.SINFAC;
        break;
    }
    case kind_oblique_rotation:
        R.XVEC = {RVES1, RVES2, ZCGVAR, 0.0f, 0.0f, 0.0f};
        R.P.RVES1 = RVES1;
        R.P.RVES2 = RVES2;
        R.P.VESANG = TPCM.VESAN0;
        R.P.ZVES = ZCGVAR;
        R.P.ROTVAL_DEG = TPCM.OBLOFF(n) * R.SINFAC;
        OFFVAL = R.P.ROTVAL_DEG;
        break;
    case kind_vertical:
        R.P.RVES1 = RVES1;
        R.P.RVES2 = RVES2;
        R.P.VESANG = TPCM.VESAN0;
        R.P.ZVES = ZCGVAR + TPCM.VRTOFF(n);
        R.P.ROTVAL_DEG = 0.0f;
        OFFVAL = TPCM.VRTOFF(n);
        break;
    case kind_rectilinear: {
        const float d = TPCM.RCTOFF(n);
        R.XVEC = {RVES1 + d * R.FUNIT[0],
                  RVES2 + d * R.FUNIT[1],
                  ZCGVAR + d * R.FUNIT[2],
                  0.0f,
                  0.0f,
                  0.0f};
        turret_step(R);
        VARUPD(R.XVEC, R.P);
        OFFVAL = d;
        break;
    }
    case kind_user: {
        R.XVEC = block.XVEC[at];
        VARUPD(R.XVEC, R.P);
        R.FUNIT = unit_vector(R.XVEC[0] - RVES1, R.XVEC[1] - RVES2, R.XVEC[2] - ZCGVAR);
        // RCTDIR holds ten directions; every block's direction is kept in the run's state,
        // from which the report takes those beyond the tenth.
        R.user_direction = R.FUNIT;
        if (R.IREP <= 10)
            for (int i = 1; i <= 3; ++i)
                TPCM.RCTDIR(i, R.IREP) = R.FUNIT[slot(i)];
        OFFVAL = std::sqrt(R.XVEC[0] * R.XVEC[0] + R.XVEC[1] * R.XVEC[1] + R.XVEC[2] * R.XVEC[2]);
        break;
    }
    default: { // kinds_forces, kind_couples
        const bool force = R.TABTYP == kind_forces || TPCM.MTCHFT == 1;
        const bool couple = R.TABTYP == kind_couples || TPCM.MTCHFT == 1;
        for (std::size_t i = 0; i < 3; ++i) {
            R.FEXT[i] = force ? TPCM.FRCOFF(n) * R.FUNIT[i] : 0.0f;
            R.FEXT[3 + i] = couple ? TPCM.TRQOFF(n) * R.TUNIT[i] : 0.0f;
        }
        R.P.RVES1 = RVES1;
        R.P.RVES2 = RVES2;
        R.P.ZVES = ZCGVAR;
        R.P.ROTVAL_DEG = 0.0f;
        R.P.VESANG = EQUILB.VESANG();
        OFFVAL = static_cast<float>(n);
        R.MAXLN = mooring_lines;
        break;
    }
    }
    R.T.BYOFF[at] = OFFVAL;
    publish_state(R);
}

// The oblique definitions page, then the sequence's tables, written again from the
// first when the user answers a page pause negatively.
// Sets nothing in the run.
void write_sequence_report(OffsetRun& R) {
    OffsetTables& T = R.T;
    const bool equilibrium = R.TABTYP == kind_forces || R.TABTYP == kind_couples;
    const bool calm = TPCM.IARCO == 1;
    struct Item {
        bool wanted;
        std::int32_t IDENT;
        const OffsetTable& table;
        bool buoy_offsets; // the abscissae BYOFF rather than OFFVAL
    };
    const Item items[] = {
        {true, 99, T.MSTEXP, false},
        {equilibrium, 95, T.EQLDAT, false},
        {calm, 97, T.HWSDAT, true},
        {TPCM.NERGAN == 1, 96, T.SYSERG, true},
        {TPCM.NERGAN == 1 && calm, 94, T.HWSERG, true},
        {TPCM.NCRS == 1, 98, T.XCPLAR, false},
        {TPCM.NETFV == 1, 21, T.VESFRC, false},
        {TPCM.NETFG == 1, 22, T.GLBFRC, false},
        {TPCM.NSTIFV == 1, TPCM.VSTSYM == 1 ? 25 : 24, T.STFMXV, false},
        {TPCM.NSTIFG == 1, TPCM.GSTSYM == 1 ? 26 : 23, T.STFMXG, false},
        {TPCM.NTO == 1, 1, T.TOPTT, false},
        {TPCM.NHO == 1, 2, T.TOPTH, false},
        {TPCM.NVO == 1, 3, T.TOPTZ, false},
        {TPCM.NTA == 1, 13, T.BOTTL, false},
        {TPCM.NHA == 1, 7, T.BOTTH, false},
        {TPCM.NVA == 1, 5, T.BOTTZ, false},
        {TPCM.NSL == 1, 4, T.SUSLNQ, false},
        {TPCM.NDA == 1, 6, T.TOPAN, false},
        {TPCM.NBA == 1, 8, T.BOTAN, false},
        {TPCM.NBL == 1, 9, T.BOTLNQ, false},
        {TPCM.NANCD == 1, 10, T.ANCDSQ, false},
        {TPCM.NDEPAN == 1, 11, T.DEPANG, false},
        {TPCM.NERGAN == 1, 12, T.LINERG, false},
    };
    OffsetReportInputs inputs;
    inputs.RVES = {EQUILB.RVES(1), EQUILB.RVES(2), EQUILB.RVES(3)};
    if (TPCM.HAWSTP >= 1 && TPCM.HAWSTP <= lincom_types)
        inputs.hawser_length = LINCOM.TOTLN(TPCM.HAWSTP);
    inputs.user_direction = R.user_direction;
    const std::array<float, 3> ROTCTR = {TPCM.ROTCTX, TPCM.ROTCTY, TPCM.ROTCTZ};
    const int IUNIT = TPCM.IUNIT;
    const int EDUNIT = TPCM.EDUNIT;

    const OffsetReportOptions options = offset_report_options();
    const OffsetTableRecords records{R.OVRFLO, R.BADLIN, R.NOVFLO, R.warn.SPNERR, R.VRTBAD,
                                     R.NVTOFL, R.FRSTFL, R.ITFLWN, R.NITRFL};
    for (bool again = true; again;) {
        again = false;
        if (R.TABTYP == kind_oblique_rotation && R.IREP == 1 && TPCM.OBDEFN == 1) {
            PAGE(IUNIT, EDUNIT, 1, 99);
            for (std::string_view line : oblique_definitions)
                write_record(IUNIT, line);
            if (EDUNIT == IUNIT)
                PRSRET(EDUNIT, KBD, TPCM.LBACK);
        }
        for (const Item& item : items) {
            if (!item.wanted)
                continue;
            // Only the answer at this table's own pause may ask for the report again.
            TPCM.LBACK = 0;
            TBLOT1(item.buoy_offsets ? T.BYOFF : T.OFFVAL, item.table, item.IDENT, R.TABTYP, R.IREP,
                   R.NPAG, records, TPCM.AUXDSP, TPCM.MTCHFT, TPCM.NOCUT, ROTCTR, R.NOFF, options,
                   inputs);
            if (TPCM.LBACK < 0) {
                again = true;
                break;
            }
        }
    }
}

// Sequence IREP of the current kind: set-up, its points, its report.
// Sets in the run: P.ROTMOD, P.ROTDIR, ITFLWN, NITRFL, FRSTFL, QUITFG, OVRFLO, BADLIN, NOVFLO,
// NVTOFL, VRTBAD, VTABOV, warn, first_loads, NOFF, INCVAL, and what set_up_sequence,
// set_up_point and evaluate_offset_point set.
void run_sequence(OffsetRun& R) {
    R.P.ROTMOD = 1.0f;
    R.P.ROTDIR = {0.0f, 0.0f, 1.0f};
    R.ITFLWN = 0;
    R.NITRFL = 0;
    R.FRSTFL = 0;
    R.QUITFG = 0;
    set_up_sequence(R);

    R.OVRFLO = 0;
    R.BADLIN = 0;
    R.NOVFLO = 0;
    R.NVTOFL = 0;
    R.VRTBAD = 0;
    R.VTABOV = false;
    LINCOM.DSLOPE = 0.0;
    R.warn.IOSCRN = TPCM.EDUNIT;
    R.warn.KBD = KBD;
    R.warn.TENDON_FLG = TPCM.TENDON_FLG;
    R.warn.IOFLAG = 1;
    R.warn.SPNERR = 0;
    R.first_loads = {};

    UserOffsetBlock block;
    if (R.TABTYP == kind_user) {
        read_user_offset_block(TPCM.EDUNIT, block);
        R.NOFF = block.NOFF;
    } else {
        R.NOFF = offset_point_count(R.TABTYP);
    }
    for (R.INCVAL = 1; R.INCVAL <= R.NOFF; ++R.INCVAL) {
        set_up_point(R, block);
        evaluate_offset_point(R);
        publish_state(R); // the state an equilibrium search settled on
        if (R.QUITFG == 1)
            break; // the point's evaluation has made it the last one
    }
    if (sequence_observer)
        sequence_observer(R.TABTYP, R.IREP, R.NOFF, R.T);
    write_sequence_report(R);
}

// Every sequence of one kind, after its progress message.
// Sets in the run: TABTYP, NREP, IREP, and what run_sequence sets.
void run_kind(OffsetRun& R, std::int32_t TABTYP) {
    R.TABTYP = TABTYP;
    R.NREP = sequence_count(TABTYP);
    if (R.NREP > 0) {
        std::string_view message = progress_messages[slot(TABTYP)];
        if (TABTYP == kind_forces && TPCM.MTCHFT != 0)
            message = matched_progress_message;
        std::string field(message);
        field.resize(78, ' ');
        write_record(TPCM.EDUNIT, "");
        write_record(TPCM.EDUNIT, " >>> " + field);
        write_record(TPCM.EDUNIT, "");
    }
    for (R.IREP = 1; R.IREP <= R.NREP; ++R.IREP)
        run_sequence(R);
    if (TABTYP == kind_user && TPCM.FROMTABLE > 0)
        close_unit(user_offsets_unit);
}

} // namespace

float& offset_value(OffsetTable& table, int k, int INCVAL) {
    return table[slot(INCVAL) * offset_table_values + slot(k)];
}
float offset_value(const OffsetTable& table, int k, int INCVAL) {
    return table[slot(INCVAL) * offset_table_values + slot(k)];
}

void observe_offset_sequences(OffsetSequenceObserver observer) {
    sequence_observer = std::move(observer);
}

// CATTBL: see the header. Reads TPCM, LINCOM, EQUILB; writes the report on IUNIT and the
// progress on EDUNIT.
void CATTBL() {
    OffsetRun& R = offset_run;
    start_up(R);
    check_equilibrium_room();
    check_stiffness_increments();
    for (std::int32_t TABTYP = kind_lateral; TABTYP <= kind_couples; ++TABTYP)
        run_kind(R, TABTYP);
    // Closed here, so that the whole report is on disk when the analysis returns.
    if (TPCM.IUNIT == 1)
        HCLOSE(TPCM.IUNIT, report_file, open_tag, TPCM.EDUNIT);
}

} // namespace lintar
