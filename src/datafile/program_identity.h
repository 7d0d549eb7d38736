// datafile/program_identity.h: the identity of a program of the family, as the load, the
// identification and the save take it.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

// The constants the editor takes at start-up and stamps into every data file it writes.
struct ProgramIdentity {
    std::string_view NAME;   // program name (8 characters on the title screen)
    std::string_view MAINPG; // program identifier
    std::string_view EDPRG;  // editor name: the calling routine named in file-error reports
    std::string_view DATFIL; // data-file name
    std::string_view BAKFIL; // backup name
    float VERNQ;             // program version
    std::int32_t CREATQ;     // program-type code, SIMTYP of this program
    std::int32_t IYEARQ;     // the program's year, stamped into the data file as IYEAR
    std::int32_t CMPUTQ;     // operating-system code; stored files and imports compare it
};

} // namespace lintar
