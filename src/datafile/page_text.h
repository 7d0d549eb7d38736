// datafile/page_text.h: the page text writers: framed page titles, numbered item lines with
// dot leaders, and the short unit labels that follow a value.
//
// Item writers number their lines with the caller's counter I and add 1 to it after writing,
// so a page numbers its items by calling them in order. An item line is laid out by the
// caller's format, a callable given the pieces a Fortran format would receive: the 79-column
// item prefix, the value and, for OUTCFU, the 11-column unit label. The format takes of each
// piece what its descriptors take: the vessel page's "(A57,F11.2,1X,A6)" is
//     [](std::string_view prefix, float v, std::string_view unit) {
//         return A(prefix, 57) + F(v, 11, 2) + X(1) + A(unit, 6); }
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lintar {

using RealUnitFormat =
    std::function<std::string(std::string_view PREFIX, float VAL, std::string_view UNIT)>;
using RealFormat = std::function<std::string(std::string_view PREFIX, float VAL)>;
using IntegerFormat = std::function<std::string(std::string_view PREFIX, std::int32_t IVAL)>;
using TextFormat = std::function<std::string(std::string_view PREFIX, std::string_view TEXT)>;

void PAGHDR(std::string_view PAGE, std::string_view PRETXT, std::string_view HDRTXT,
            std::int32_t HDRLEN, int IOSCRN, std::int32_t LCOPY);
std::string EDLNOT(std::int32_t I, std::string_view STRNG1, std::int32_t LENLIN);
void OUTCFU(std::int32_t& I, std::string_view TEXT, float VAL, const RealUnitFormat& FRMT,
            std::int32_t IUNTS, int EDUNIT, std::int32_t LINLEN);
void OUTCF0(std::int32_t& I, std::string_view TEXT, float VAL, const RealFormat& FRMT, int EDUNIT,
            std::int32_t LINLEN);
void OUTCI0(std::int32_t& I, std::string_view TEXT, std::int32_t IVAL, const IntegerFormat& FRMT,
            int EDUNIT, std::int32_t LINLEN);
void OUTCC0(std::int32_t& I, std::string_view TEXT1, std::string_view TEXT2, const TextFormat& FRMT,
            int EDUNIT, std::int32_t LINLEN);
void OUTTXT(std::int32_t& I, std::string_view TEXT, int EDUNIT);
std::string EUNIT(std::int32_t NUNTS); // 11 characters

} // namespace lintar
