// app/engine_flow.h: the run of the analysis engine: the load of the data file as the editor
// loads it, then the analysis stages in their order.
#pragma once

#include <string_view>

namespace lintar {

// The data file the engine runs when no other is named.
inline constexpr std::string_view engine_data_file = "CATDAT";

// Loads the data file DATFIL into TPCM through the editor's start-up load IOINIT, which shows
// its title screen and asks the keyboard for the choice: the engine's caller answers "E"
// (execute an existing file). So a missing, damaged or foreign data file is refused as the
// editor refuses it. Nothing is ever saved. Ends the run when the load refuses the file, or
// (status 1) when the choice is not "E".
void load_engine_data(std::string_view DATFIL);

// The analysis stages on the loaded data, in their order: the line tables and the static line
// report (MRSTAT), then the static-equilibrium stage (QSTAT), which finds the still-water state
// and leaves the quiescent heading VESAN0 in radians and the reference turret angle TRTNG0,
// then the offset-table analysis (CATTBL), which writes "OFFSETS.stxt". Rewrites TPCM in
// memory only.
void run_engine_stages();

// The whole run: load_engine_data, then run_engine_stages.
void run_engine(std::string_view DATFIL);

} // namespace lintar
