// app/engine_flow.h: the run of the analysis engine: the load of the data file as the editor
// loads it, then the analysis stages in their order.
#pragma once

#include <string_view>

namespace lintar {

// The data file the engine runs when no other is named.
inline constexpr std::string_view engine_data_file = "CATDAT";

// Loads the data file DATFIL into TPCM as the editor loads it, without its title screen or
// dialogue: a missing or damaged file, and one that needs the editor's notes, updates or
// repairs first, are refused with a message (status 1). Nothing is ever saved.
void load_engine_data(std::string_view DATFIL);

// The analysis stages on the loaded data, in their order: the line tables and the static line
// report (MRSTAT), then the static-equilibrium stage (QSTAT), which finds the still-water state
// and leaves the quiescent heading VESAN0 in radians and the reference turret angle TRTNG0,
// then, for this program (code 8), the offset-table analysis (CATTBL), which writes
// "OFFSETS.stxt"; for the family's other codes the stages of run_stage_rule. The stages work
// on TPCM in memory; afterwards TPCM holds the data as they were before the analysis.
void run_engine_stages();

// The stages by program code: the rule is told once, at its definition in engine_flow.cpp.
void run_stage_rule();

// The whole run: load_engine_data, then run_engine_stages.
void run_engine(std::string_view DATFIL);

} // namespace lintar
