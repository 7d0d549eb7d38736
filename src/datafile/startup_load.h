// datafile/startup_load.h: the start-up load of the data file, and the family's program
// identifiers.
#pragma once

#include "datafile/program_identity.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// IOINIT: the start of a session, or of a mirror pass. Shows the title screen (on EDUNIT; in
// a mirror pass it is only written and then separated by TWOPG, and JMPLOC is 200). Otherwise
// reads the data file ID.DATFIL into TPCM (IERR1: 0 read, 1 not found, 4 another word count),
// takes the reference copy IOBUF of the loaded image (not for a new file), identifies the file
// (with its notes, its version update or its import adjustment), fills a new file's defaults
// and stamps the identity. ANSWER returns "M", "C" or "E" ("B" is "M" with the batch flag; "E"
// becomes "M" after notes); JMPLOC 0 edit from page 1, 3000 straight to the final page. IERR0
// (the low-frequency coefficient file) stays 0: this program type has none. Ends the run when
// the file is missing for M, E or B, when the user aborts at a damage warning or after the
// notes, and for a file it cannot take (another precision, another program type and version,
// a version too old to update). Never writes the data file or its backups.
void IOINIT(const ProgramIdentity& ID, std::span<std::uint32_t> IOBUF, char& ANSWER,
            std::int32_t& JMPLOC, std::int32_t& IERR0, std::int32_t& IERR1, std::int32_t NTOGOQ);

// The load of the analysis engine: reads the data file ID.DATFIL into TPCM as IOINIT does, with
// no title screen and no dialogue: the engine runs a file as the editor saves it. A missing or
// unreadable file gets ACERR's message and Return pause (status 1). A file that would get any
// load note or repair of the editor (another precision, word count, program
// type, version or byte order, a version increment, a damaged unit system) is refused with a
// message saying to open and save it with the editor first, before any prompt (status 1).
// A damaged word count gets the editor's damage warning and abort prompt ("A" ends the run as
// the user's choice, status 0). Leaves LBACK at the Execute code. Never writes the data file or its
// backups.
void load_for_analysis(const ProgramIdentity& ID, std::int32_t NTOGOQ);

// The seven-character identifier of a program type (1 to 20); blank slots and codes outside
// the table give "???????".
std::string_view program_identifier(std::int32_t SIMTYP);

} // namespace lintar
