// mooring_pages/mooring_model.h: the encodings of the mooring model in TPCM that the mooring
// pages read and write: table sizes, line-type letters, the mean-profile rule, the hawser
// arrangement and the packed sets of excluded lines (LOADEXCLUDE).
//
// A line type t shows as one character, "A" for 1, "B" for 2 and on through the character set.
// An exclusion set holds lines 1 to 120 in four words of 30 bits: line n is bit
// ((n - 1) mod 30) + 1 (1 = least significant) of word ((n - 1) div 30) + 1.
#pragma once

#include "blocks/lincom.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace lintar {

// The sizes of the mooring tables of TPCM: counts from a file are held to them before they
// index anything.
inline constexpr int vessel_row_capacity = 149; // RACC, BRACC
inline constexpr int exclusion_capacity = 120;  // lines an exclusion set can hold
inline constexpr int exclusion_word_bits = 30;
inline constexpr int interpolation_points = 90; // the largest NUMTAB

// A count held to 0..limit.
int held(std::int32_t count, int limit);

// The character of line type `type`: "A" + type - 1.
char line_type_letter(std::int32_t type);

// The 19-character text of a mean-profile rule LODTYP: "fairlead line angle",
// "distance to anchor", "line tension", "horizontal force" (0 to 3), blank-padded, or
// "Undefined!" for any other value.
std::string_view profile_text(std::int32_t LODTYP);

// Hawser mode: the CALM-buoy (13) or this program (8) with the last line a hawser (IARCO 1).
// Reads TPCM.
bool hawser_mode();

// Where line n lies in an exclusion set: word 1 to 4 and bit 1 to 30; nothing for a line
// outside 1 to 120.
struct ExclusionBit {
    int word;
    int bit;
};
std::optional<ExclusionBit> exclusion_bit(std::int32_t line);

// True when line n is set in the four words of an exclusion set (false beyond 120).
bool line_in_set(std::int32_t line, std::int32_t ID1, std::int32_t ID2, std::int32_t ID3,
                 std::int32_t ID4);

// LOADEXCLUDE: converts between a list of excluded lines and its four packed words.
// LREAD 1 reads the words into the list: for lines 1 to NLIN (at most the list's length) a
// set bit stores the line at the next place of IARRAY, a clear bit stores 0 there without
// moving on; so the list holds the excluded lines in ascending order, then a 0 when lines
// follow. Any other LREAD packs IARRAY(1..N) into ID1..ID4, dropping numbers outside 1 to 120.
// With NLIN above 120 it first warns that those lines cannot be excluded: on the console with
// a wait for Return, or in an unattended run (IOSCRN 41, or unit 41 open for the run's
// diagnostics) on unit 41 without a wait. Ends the run only at the end of input.
void LOADEXCLUDE(std::int32_t N, std::span<std::int32_t> IARRAY, std::int32_t& ID1,
                 std::int32_t& ID2, std::int32_t& ID3, std::int32_t& ID4, std::int32_t NLIN,
                 std::int32_t LREAD, int IOSCRN);

} // namespace lintar
