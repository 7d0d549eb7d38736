// low_frequency/low_frequency_report.h: QUASOT, the low-frequency report driver: sections III
// to VI of "LOWOUT.stxt" in their order with the pauses and restarts of the console, the files
// of the offset cases, and the hand-over to the squall program's support data.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

inline constexpr std::string_view LOWOUT = "LOWOUT.stxt";
inline constexpr std::string_view OFSFIL = "OFFSETS.stxt";
inline constexpr std::string_view ENVELOPE_VIS_DAT = "td_aux/Envelope_Vis_Dat.vkdt";
inline constexpr int offset_file_unit = 21;
inline constexpr int envelope_file_unit = 124;

// QUASOT: the low-frequency report and the support data. Sets the three timings to 0, then:
// the debug trace (NBUG0 1), the load-model flags (INITFM), the console note; the files
// opened under their conditions ("LOWOUT.stxt" on IUNIT 1 with LOWMOT set; "OFFSETS.stxt" on
// unit 21 with IUNIT 1 and CATFBK 1, or BCTFBK 1 with program code 13; the envelope data on
// unit 124 with WriteAuxDatFiles 1 and CMPUTR not 3). Without LOWMOT only the conversion of
// the mode statistics follows. Otherwise section III, the conversion (once per call), section
// IV, section V and LOWLOD (sections VI); on the console a negative answer at a page's pause
// writes the report again from section III with the same numbers. Then the files closed (the
// envelope data only for code 15 or a spread mooring: otherwise it stays open to the end of the
// run, when every unit is closed) and, with support data asked for, WRITE_SQUAL_ENV_DATA
// (nAgnSpecSecs) and WRITE_SQUAL_MOOR_DATA (all three) with hideOrmanelReports set for their
// duration. Reads and writes what its sections, LOWLOD and the writers do; changes TPCM LBACK,
// NBUG and, for the time of the writers, hideOrmanelReports. Ends the run as they do, and
// through RHOPEN and HCLOSE.
void QUASOT(std::int32_t& nAgnSpecSecs, std::int32_t& mapMakeSecs, std::int32_t& linDampSecs);

} // namespace lintar
