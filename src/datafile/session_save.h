// datafile/session_save.h: the end of the session: the save with its backups, and the
// hand-over to the squall program.
#pragma once

#include "datafile/program_identity.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// FINISH: ends the session by the end code in LBACK (set to 0, as IPAG): 101 exit without
// saving, after a warning on EDUNIT when TPCM differs from IOBUF; "A" at the warning sets
// JMPLOC 1 and returns (the final page comes back). Otherwise a changed TPCM is saved as
// ID.DATFIL with the backup rotation (BACKIT); after an Execute (-1983) the server-submission
// message and a Return pause on the console. With VORLAKINE_GO the hand-over runs instead of
// the exit. Every path but the "A" stops the run: status 0, or 1 for a file error, a failed
// hand-over or input that ends at the exit warning; input that ends at the Execute's pause,
// after the save, ends the run with status 0 (WorkSavedScope). The rotation looks at the files
// on disk, so the data file's status at the load is not needed here.
void FINISH(const ProgramIdentity& ID, int KBD, std::int32_t& LBACK, std::int32_t& JMPLOC,
            std::span<const std::uint32_t> IOBUF, std::int32_t& IPAG, int EDUNIT,
            std::int32_t NTOGOQ, bool VORLAKINE_GO);

// BACKIT: saves the image IDUM (NTOGOQ words) as DATFIL with two generations of backups:
// afterwards BAKFL2 holds the previous BAKFIL, BAKFIL the file DATFIL was on disk, and DATFIL
// the image. The image is written and synced under a temporary name; the file on disk gets a
// second name that becomes BAKFIL; the image is renamed over DATFIL in one step and the folder
// synced, so that DATFIL holds the old file or the new one, whole, at every instant. A failure
// at any step is reported on EDUNIT by ACERR_BECAUSE with EDPROG, the file of the step, the
// step with the system's reason and "     <DATFIL> on disk is unchanged", which stops the run
// (status 1).
void BACKIT(int EDUNIT, std::string_view EDPROG, std::int32_t CMPUTR, std::int32_t NTOGOQ,
            std::span<std::uint32_t> IDUM, std::string_view DATFIL, std::string_view BAKFIL,
            std::string_view BAKFL2);

// CHAIN_SQUAL: starts the squall program "Vorlakine" through the shell and waits for it to
// end; returns its exit status, and reports a nonzero one on the screen. An operating-system
// code other than 5 (this build) or 21 is reported and stops the run (status 1).
int CHAIN_SQUAL(std::int32_t CMPUTQ);

// HARDWIRE: clears the applied moments of the turret-moored auxiliary forces that an external
// mooring force replaces, and the mooring feedback switches unless the vessel is a disc buoy.
// Changes TPCM only.
void HARDWIRE();

} // namespace lintar
