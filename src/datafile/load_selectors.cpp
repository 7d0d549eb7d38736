// datafile/load_selectors.cpp: the per-direction load-model selectors and the start-up step
// for a missing "LOWDAT" file.
#include "datafile/load_selectors.h"

#include "blocks/tpcm.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <string>

namespace lintar {

namespace {

// The note file of the start-up load and the routine name its failure reports give.
constexpr int note_unit = 21;
constexpr std::string_view note_file = "DATUPWRN.stxt";
constexpr std::string_view load_routine = "IoInit";

// Model codes of the wind and current selectors.
constexpr std::int32_t user_lowdat = 1;      // "User-Specified LOWDAT"
constexpr std::int32_t user_text_file = 2;   // "User-Specified WINDCOFS.txt" / "CRNTCOFS.txt"
constexpr std::int32_t wind_tanker = 4;      // "OCIMF Tanker '77 (extended)"
constexpr std::int32_t nsmb_tanker = 4;      // current: "NSMB Tanker '91"
constexpr std::int32_t old_nsmb_tanker = 15; // current, direction 1: an older form of code 4
constexpr std::int32_t ocimf_tanker = 6;     // current: "OCIMF Tanker '77 "
// The drift selector's code 1: "User-Specified DRFTCOFS.txt".
constexpr std::int32_t user_drift_table = 1;

// The user-table flag of a wind or current selector: 1 for a code 1 in any direction, else 2
// for a code 2, else 0.
std::int32_t user_table_flag(std::int32_t selector, int IOSCRN) {
    if (ONEON(selector, user_lowdat, IOSCRN))
        return 1;
    if (ONEON(selector, user_text_file, IOSCRN))
        return 2;
    return 0;
}

// Directions 2 and 3 of a selector take the given code.
void copy_to_directions_2_and_3(std::int32_t& selector, std::int32_t code, int IOSCRN) {
    NIBSET(selector, 2, code, IOSCRN);
    NIBSET(selector, 3, code, IOSCRN);
}

// Every direction of a selector that holds code `from` gets code `to`.
void replace_code(std::int32_t& selector, std::int32_t from, std::int32_t to, int IOSCRN) {
    for (int direction = 1; direction <= 3; ++direction)
        if (NIBVAL(selector, direction, IOSCRN) == from)
            NIBSET(selector, direction, to, IOSCRN);
}

} // namespace

// INITFM: whether each selector names one model for all three directions. Reads only its
// arguments; ends the run only through the nibble routines' internal-error stop.
void INITFM(std::int32_t LWBARG, std::int32_t& SWNFM, std::int32_t LCBARG, std::int32_t& SCRFM,
            std::int32_t LWVCOF, std::int32_t& SWVFM, int IOSCRN) {
    const auto single = [IOSCRN](std::int32_t selector, std::int32_t first) {
        return first == NIBVAL(selector, 2, IOSCRN) && first == NIBVAL(selector, 3, IOSCRN) ? 1 : 0;
    };
    SWNFM = single(LWBARG, NIBVAL(LWBARG, 1, IOSCRN));
    std::int32_t current_1 = NIBVAL(LCBARG, 1, IOSCRN);
    if (current_1 == old_nsmb_tanker)
        current_1 = nsmb_tanker;
    SCRFM = single(LCBARG, current_1);
    SWVFM = single(LWVCOF, NIBVAL(LWVCOF, 1, IOSCRN));
}

// TNKRID: spreads direction 1's code over a selector whose single-model flag is 1 (wind,
// current, drift: LWBARG, LCBARG, LWVCOF may change in nibbles 2 and 3), and derives the
// user-table, barge-like and tanker flags from the codes. The steps run in this order because
// the barge-like current flag is taken before the current selector is spread. Ends the run
// only through the nibble routines' internal-error stop.
void TNKRID(std::int32_t& LWBARG, std::int32_t SWNFM, std::int32_t& WNDUSR, std::int32_t& LCBARG,
            std::int32_t SCRFM, std::int32_t& CURUSR, std::int32_t& LWVCOF, std::int32_t SWVFM,
            std::int32_t& WAVUSR, std::int32_t& LCTNKR, std::int32_t& LWTNKR, std::int32_t& LWNBRG,
            std::int32_t& LCRBRG, int IOSCRN) {
    if (SWNFM == 1)
        copy_to_directions_2_and_3(LWBARG, NIBVAL(LWBARG, 1, IOSCRN), IOSCRN);
    WNDUSR = user_table_flag(LWBARG, IOSCRN);
    LWNBRG = ONEON(LWBARG, 3, IOSCRN) || ONEON(LWBARG, 5, IOSCRN) ? 1 : 0;
    LCRBRG = ONEON(LCBARG, 3, IOSCRN) || ONEON(LCBARG, 7, IOSCRN) ? 1 : 0;

    const std::int32_t current_1 = NIBVAL(LCBARG, 1, IOSCRN);
    if (SCRFM == 1)
        copy_to_directions_2_and_3(LCBARG, current_1 == old_nsmb_tanker ? nsmb_tanker : current_1,
                                   IOSCRN);
    CURUSR = user_table_flag(LCBARG, IOSCRN);

    if (SWVFM == 1)
        copy_to_directions_2_and_3(LWVCOF, NIBVAL(LWVCOF, 1, IOSCRN), IOSCRN);
    WAVUSR = ONEON(LWVCOF, user_drift_table, IOSCRN) ? 1 : 0;

    LCTNKR = 0;
    if (ONEON(LCBARG, ocimf_tanker, IOSCRN))
        LCTNKR = 1;
    if (current_1 == old_nsmb_tanker || ONEON(LCBARG, nsmb_tanker, IOSCRN))
        LCTNKR = 2;
    LWTNKR = ONEON(LWBARG, wind_tanker, IOSCRN) ? 1 : 0;
}

// missing_lowdat_selectors: the start-up step of the programs of type 10 and above when
// "LOWDAT" was not found. Reads and may rewrite the selectors of TPCM (LWBARG, LCBARG, LWVCOF;
// for types 10 and 13 also BLWBRG, BLCBRG, BWVCOF) on the console unit EDUNIT. When a wind or
// current selector names the "LOWDAT" table and ANSWER is 'M' or 'E', the note goes to the
// screen and to "DATUPWRN.stxt" (opened on unit 21 unless the load already has it open), the
// abort prompt follows, ANSWER becomes 'M' and every direction that names the table gets a
// built-in model instead. Unit 21 is closed at the end of an interactive run's step. Ends the
// run at the abort prompt ("A", or any unattended run) and when the note file cannot be
// opened or closed.
void missing_lowdat_selectors(char& ANSWER, std::int32_t CREATQ) {
    TpcmBlock& B = TPCM;
    const int IOSCRN = B.EDUNIT;
    std::int32_t SWNFM = 0, SCRFM = 0, SWVFM = 0;
    INITFM(B.LWBARG, SWNFM, B.LCBARG, SCRFM, B.LWVCOF, SWVFM, IOSCRN);
    std::int32_t WNDUSR = 0, CURUSR = 0, WAVUSR = 0, LCTNKR = 0, LWTNKR = 0, LWNBRG = 0, LCRBRG = 0;
    TNKRID(B.LWBARG, SWNFM, WNDUSR, B.LCBARG, SCRFM, CURUSR, B.LWVCOF, SWVFM, WAVUSR, LCTNKR,
           LWTNKR, LWNBRG, LCRBRG, IOSCRN);

    if ((WNDUSR == 1 || CURUSR == 1) && (ANSWER == 'M' || ANSWER == 'E')) {
        CLEAR(IOSCRN);
        if (!unit_is_open(note_unit))
            RHOPEN(note_file, 1, 0, note_unit, load_routine, IOSCRN);
        const std::string heading = std::string(18, ' ') + " >>> Input File Characteristics <<< ";
        for (const int unit : {IOSCRN, note_unit}) {
            write_record(unit, "");
            write_record(unit, "");
            write_record(unit, heading);
            write_record(unit, "");
            write_record(unit,
                         " ++> LOWDAT file not found. User-specified environmental coefficients ");
            write_record(unit, "     will be missing.");
        }
        std::int32_t LBACK = 0;
        SERV_ABORT(IOSCRN, keyboard_unit, LBACK);
        if (LBACK == -1)
            stop_program(StopKind::user_choice);
        ANSWER = 'M';

        // Every direction with code 1 gets a model that needs no table of "LOWDAT": the
        // OCIMF tanker for wind and current, drift code 2; for the second body of a tow or a
        // CALM buoy the barge models, drift code 2 (tow) or 4 (buoy).
        replace_code(B.LWBARG, 1, wind_tanker, IOSCRN);
        replace_code(B.LCBARG, 1, ocimf_tanker, IOSCRN);
        replace_code(B.LWVCOF, 1, 2, IOSCRN);
        if (CREATQ == 10 || CREATQ == 13) {
            replace_code(B.BLWBRG, 1, 3, IOSCRN);
            replace_code(B.BLCBRG, 1, 3, IOSCRN);
            replace_code(B.BWVCOF, 1, CREATQ == 10 ? 2 : 4, IOSCRN);
        }
    }

    if (IOSCRN != diagnostics_unit && unit_is_open(note_unit))
        HCLOSE(note_unit, note_file, load_routine, IOSCRN);
}

} // namespace lintar
