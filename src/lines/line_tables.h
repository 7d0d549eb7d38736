// lines/line_tables.h: the line-table stage MRSTAT, which builds the per-line-type tables of
// the static line shape in LINCOM and writes the static line report, and the report files of
// the stage.
#pragma once

#include <cstdint>
#include <string_view>

namespace lintar {

// The static line report of a program code: the label of its file messages and banner, the
// report file, the title of the report's title page and the program's short name.
struct StaticReportNames {
    std::string_view label;
    std::string_view file;
    std::string_view title;
    std::string_view short_name;
};

// The names of program code SIMTYP (12, 10, 13, 8, 15, 14, 17); this program's (code 8) for
// any other code, which has no static line report of its own.
StaticReportNames static_report_names(std::int32_t SIMTYP);

// The plot table of the static line report, on unit 14.
inline constexpr std::string_view static_plot_file = "STATPLT.plt";
inline constexpr int static_plot_unit = 14;

// MRSTAT: builds the line tables of every line type from TPCM: the load grid HLOD, and for
// every layer row and line type with lines the columns ANCDST, TOPTEN, TOPANG, BOTANG, BOTLEN,
// FFRICT, the node slopes TANPHI, the per-type totals and masses, each line's type LINEID,
// exclusion marks and mean state (RANC; HMEAN, TPTEN0 and the others of the last line), the
// strain curves of LINE_STRAIN_DB.txt, the tendon stiffnesses (PASCOM), the vertical spans
// DZTOTL (OUTCOM) and the splines of the top tension across the layer rows. Also sets in TPCM
// RMCTRG, HMIN (when not positive), ZSPAN (fewer than 2 layers), the trim-and-heel expansion,
// BLNANG and TLNANG (program code 10), and sets WAVCOM's G from the unit system when it is not
// positive. Writes the progress and warnings on EDUNIT and the static line report (STAMOT bit
// 1) on IUNIT with the plot table STATPLT.plt (IPLOTS), opening and closing those files.
// Before building it refuses, with a fatal message, a description the tables cannot hold
// (counts beyond the tables' capacity, line counts that do not add up to NLIN) and a load grid
// that cannot be built. Ends the run (status 1) after a fatal message and a Return pause;
// the user may end it at a warning's abort pause.
void MRSTAT();

} // namespace lintar
