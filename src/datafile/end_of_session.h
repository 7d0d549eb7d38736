// datafile/end_of_session.h: the End-of-Session menu of the final page, its help pages, and
// the import of parts of another data file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lintar {

// What the menu keeps for the whole run.
struct EndOfSessionStore {
    bool SAVEDATA = false;     // item 1 was chosen
    bool USRHCP = false;       // the current mirror pass was asked for with item 5
    bool VORLAKINE_GO = false; // item 10 was chosen: hand-over to the squall program
};
extern EndOfSessionStore end_of_session_store;

// FINTOP: the End-of-Session page. At the end of a mirror pass it closes the mirror file and
// puts the console unit back; after an Execute pass it lets the final page end the session
// (LRETRN 1, LBACK -2 after item 1, else -1983). An Execute asked elsewhere (LBACK -1983 with
// no counts) goes to the checks at once (LRETRN 0). Otherwise the menu on the console: save
// and exit (LBACK -2), exit without saving (101), execute (-1983; LRETRN 0 to run the checks,
// 1 when the last check pass gave warnings only), execute silently (EDUNIT 41,
// "Diagnostics.stxt"), the text mirror of all pages (INDUMP on unit 1, LCOPY 1), the imports,
// help; Return or a page command leaves LBACK for the page loop with LRETRN 1. File errors
// stop through the file services; ends the run also at the end of input.
void FINTOP(std::string_view PAGE, std::int32_t CREATR, std::int32_t& LRETRN,
            std::string_view INDUMP, std::string_view EDPRG, std::int32_t& IPAG,
            std::int32_t& LCOPY, std::int32_t& EDUNIT, std::int32_t& UNTSAV, std::int32_t& LBACK,
            std::int32_t& WARNEM, std::int32_t& FWARN, std::int32_t CMPUTR,
            std::int32_t WriteAuxDatFiles);

// FINHLP: the help of the menu's items on IOSCRN: item LINE, or every item for LINE 0.
void FINHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR, bool Vorlakine_OK);

// DATLOAD: imports a part of another data file into TPCM: 1 the vessel and environment (the
// top part), 2 the mooring system, 3 the tug or buoy (second-body and hull-member parts).
// Asks for the path on the console; warns about another version, operating system or size
// and lets the user undo. The import never changes the program identity or the editor state
// of TPCM. Ends the run only at the end of input.
void DATLOAD(std::int32_t DAT_TYP);

// The file name in a path answer: a quoted path (with ' or ", a doubled quote standing for
// one) or the whole answer without its outer blanks, so Linux paths with slashes and blanks
// are taken as typed. Empty for a blank answer.
std::string import_path_of(std::string_view answer);

} // namespace lintar
