// low_frequency/report_context.h: what every page of the low-frequency report shares: the
// flags the report derives once at its start, the pause after a page, and the line shapes of
// the report's value lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lintar {

// The report-wide flags, derived from TPCM at the start of the report.
struct LowReportFlags {
    bool LEGACY = false;    // the data file is a legacy file (LEGACY_ID not 0)
    bool NOT_LEGACY = true; // its negation
    bool SPREAD = true;     // the fairleads are not on a rotating turret (LSPM 0)
    std::string CENTROID;   // "Fairlead centroid" or "Vessel  centroid " (17 characters)
    std::int32_t SWNFM = 0; // 1: one wind model for Cx, Cy and Cz
    std::int32_t SCRFM = 0; // 1: one current model (a 15 in direction 1 counting as 4)
    std::int32_t SWVFM = 0; // 1: one wave-drift model
};

// The flags of the report from TPCM (LEGACY_ID, LSPM, the three load selectors through
// INITFM). Reads TPCM; writes nothing.
LowReportFlags low_report_flags();

// The pause after a report page: none when the report goes to a file (IUNIT not EDUNIT);
// on the console the Return pause of PRSRET into TPCM LBACK. True when the answer was
// negative, which asks for the report to be written again from its first page.
bool report_page_pause();

// A label of the report's value lines: TEXT, a blank and dots up to WIDTH - 1 characters, and
// a blank ("Water depth" at 44 gives "Water depth ..... " of 44 characters). A text that leaves
// no room for dots keeps its blank.
std::string dotted_label(std::string_view text, int width);

} // namespace lintar
