// datafile/page_text.cpp: the page text writers.
#include "datafile/page_text.h"

#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>

namespace lintar {

// PAGHDR: the framed page title "Page n: ..." centred between two runs of asterisks in a line
// of about HDRLEN + 1 columns, then an empty line. The screen is cleared first unless the
// pages are being copied. A title too long for a frame gets a single blank on each side.
void PAGHDR(std::string_view PAGE, std::string_view PRETXT, std::string_view HDRTXT,
            std::int32_t HDRLEN, int IOSCRN, std::int32_t LCOPY) {
    std::string PAGTOP = "Page ";
    PAGTOP += PAGE;
    PAGTOP += ": ";
    PAGTOP += PRETXT;
    PAGTOP += HDRTXT;
    PAGTOP.resize(std::min<std::size_t>(PAGTOP.size(), 79));
    const auto LENTIT = static_cast<std::int32_t>(PAGE.size() + PRETXT.size() + HDRTXT.size() + 7);
    std::int32_t NSTARS = (HDRLEN - LENTIT - 4) / 2;
    const char frame = NSTARS > 1 ? '*' : ' ';
    if (NSTARS <= 1)
        NSTARS = 1;
    if (LCOPY == 0)
        CLEAR(IOSCRN);
    const std::string STARS(static_cast<std::size_t>(NSTARS), frame);
    write_record(IOSCRN, " " + STARS + X(2) + A(PAGTOP, LENTIT) + X(2) + STARS);
    LINES(IOSCRN, 1);
}

// EDLNOT: the item prefix " nn) label ....." ending one column after LENLIN; a label too long
// for leaders gets a single blank instead.
std::string EDLNOT(std::int32_t I, std::string_view STRNG1, std::int32_t LENLIN) {
    std::int32_t LENDOT = LENLIN - static_cast<std::int32_t>(STRNG1.size()) - 5;
    const char leader = LENDOT > 1 ? '.' : ' ';
    if (LENDOT <= 1)
        LENDOT = 1;
    std::string prefix = " " + lintar::I(I, 2) + ") ";
    prefix += STRNG1;
    prefix += ' ';
    prefix += A(std::string(50, leader), LENDOT); // the leader holds 50 dots
    prefix.resize(79, ' ');
    return prefix;
}

// OUTCFU: an item line with a real value and its unit label, laid out by FRMT.
void OUTCFU(std::int32_t& I, std::string_view TEXT, float VAL, const RealUnitFormat& FRMT,
            std::int32_t IUNTS, int EDUNIT, std::int32_t LINLEN) {
    write_record(EDUNIT, FRMT(EDLNOT(I, TEXT, LINLEN), VAL, EUNIT(IUNTS)));
    I = I + 1;
}

// OUTCF0: an item line with a real value, no unit.
void OUTCF0(std::int32_t& I, std::string_view TEXT, float VAL, const RealFormat& FRMT, int EDUNIT,
            std::int32_t LINLEN) {
    write_record(EDUNIT, FRMT(EDLNOT(I, TEXT, LINLEN), VAL));
    I = I + 1;
}

// OUTCI0: an item line with an integer value.
void OUTCI0(std::int32_t& I, std::string_view TEXT, std::int32_t IVAL, const IntegerFormat& FRMT,
            int EDUNIT, std::int32_t LINLEN) {
    write_record(EDUNIT, FRMT(EDLNOT(I, TEXT, LINLEN), IVAL));
    I = I + 1;
}

// OUTCC0: an item line with a text value.
void OUTCC0(std::int32_t& I, std::string_view TEXT1, std::string_view TEXT2, const TextFormat& FRMT,
            int EDUNIT, std::int32_t LINLEN) {
    write_record(EDUNIT, FRMT(EDLNOT(I, TEXT1, LINLEN), TEXT2));
    I = I + 1;
}

// OUTTXT: " nn) TEXT", no leaders.
void OUTTXT(std::int32_t& I, std::string_view TEXT, int EDUNIT) {
    std::string line = " " + lintar::I(I, 2) + ") ";
    line += TEXT;
    write_record(EDUNIT, line);
    I = I + 1;
}

// EUNIT: the short unit label of a code, in 11 columns.
std::string EUNIT(std::int32_t NUNTS) {
    static constexpr std::array<std::string_view, 22> labels = {
        "k.lbs", "m.ton",   "deg",    "in",       "mm",      "lbs/ft", "kgw/m",  "ft",
        "m",     "ft/ft",   "m/m",    "lbs/ft^3", "kgw/m^3", "kts",    "ft/sec", "m/sec",
        "sec",   "height:", "slope:", "ft^2",     "m^2",     " "};
    std::string label(NUNTS >= 0 && NUNTS < 22 ? labels[static_cast<std::size_t>(NUNTS)]
                                               : "Index Error");
    label.resize(11, ' ');
    return label;
}

} // namespace lintar
