// low_frequency/report_context.cpp: the report-wide flags, the page pause and the dotted
// labels of the low-frequency report.
#include "low_frequency/report_context.h"

#include "blocks/tpcm.h"
#include "datafile/load_selectors.h"
#include "runtime/units.h"
#include "util/prompts.h"

namespace lintar {

// low_report_flags: reads TPCM; ends the run only through the nibble routines' internal stop.
LowReportFlags low_report_flags() {
    const TpcmBlock& T = TPCM;
    LowReportFlags flags;
    flags.LEGACY = T.LEGACY_ID != 0;
    flags.NOT_LEGACY = !flags.LEGACY;
    flags.SPREAD = T.LSPM == 0;
    flags.CENTROID = flags.SPREAD ? "Vessel  centroid " : "Fairlead centroid";
    INITFM(T.LWBARG, flags.SWNFM, T.LCBARG, flags.SCRFM, T.LWVCOF, flags.SWVFM, T.EDUNIT);
    return flags;
}

// report_page_pause: reads TPCM IUNIT, EDUNIT; writes TPCM LBACK on the console.
bool report_page_pause() {
    TpcmBlock& T = TPCM;
    if (T.IUNIT != T.EDUNIT)
        return false;
    PRSRET(T.EDUNIT, keyboard_unit, T.LBACK);
    return T.LBACK < 0;
}

// dotted_label: reads and writes nothing else.
std::string dotted_label(std::string_view text, int width) {
    std::string label(text);
    label += ' ';
    const auto dotted = static_cast<std::size_t>(width > 1 ? width - 1 : 0);
    if (label.size() < dotted)
        label.resize(dotted, '.');
    label += ' ';
    return label;
}

} // namespace lintar
