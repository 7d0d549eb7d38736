// datafile/page_text.h: the page text writers: framed page titles, numbered item lines with
// dot leaders, and the short unit labels that follow a value.
//
// Item writers number their lines with the caller's counter I and add 1 to it after writing,
// so a page numbers its items by calling them in order. The value part of an item line is laid
// out by the caller (a callable that turns the value into its field), in place of a format.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lintar {

// Lays out a value for an item line (e.g. [](float v) { return F(v, 10, 2); }).
using RealField = std::function<std::string(float)>;
using IntegerField = std::function<std::string(std::int32_t)>;
using TextField = std::function<std::string(std::string_view)>;

void PAGHDR(std::string_view PAGE, std::string_view PRETXT, std::string_view HDRTXT,
            std::int32_t HDRLEN, int IOSCRN, std::int32_t LCOPY);
std::string EDLNOT(std::int32_t I, std::string_view STRNG1, std::int32_t LENLIN);
void OUTCFU(std::int32_t& I, std::string_view TEXT, float VAL, const RealField& FRMT,
            std::int32_t IUNTS, int EDUNIT, std::int32_t LINLEN);
void OUTCF0(std::int32_t& I, std::string_view TEXT, float VAL, const RealField& FRMT, int EDUNIT,
            std::int32_t LINLEN);
void OUTCI0(std::int32_t& I, std::string_view TEXT, std::int32_t IVAL, const IntegerField& FRMT,
            int EDUNIT, std::int32_t LINLEN);
void OUTCC0(std::int32_t& I, std::string_view TEXT1, std::string_view TEXT2, const TextField& FRMT,
            int EDUNIT, std::int32_t LINLEN);
void OUTTXT(std::int32_t& I, std::string_view TEXT, int EDUNIT);
std::string EUNIT(std::int32_t NUNTS); // 11 characters

} // namespace lintar
