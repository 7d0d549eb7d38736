// editor/identity.cpp: the program identity of this build.
#include "editor/identity.h"

namespace lintar {

// CATTOP: the fixed names and constants of this build.
// The operating-system code stays 5, the code of the build that wrote the existing data
// files: the load and the import checks compare it with the code stored in a file.
ProgramIdentity CATTOP() {
    return ProgramIdentity{
        .NAME = "Lintar",
        .MAINPG = "LINTAR",
        .EDPRG = "VAVIREV",
        .DATFIL = "CATDAT",
        .BAKFIL = "CATBAK",
        .VERNQ = 6.8f,
        .CREATQ = 8,
        .IYEARQ = 2020,
        .CMPUTQ = 5,
    };
}

} // namespace lintar
