// editor/offset_page_support.h: what the offset pages (pages 5, 6, 7 and 9) share: the rows
// handed to the column and coordinate editors, unit headings, and the coordinate loop.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// The rows an editor is given for a count of the page: the count held to 0..capacity. A count
// read from a damaged file beyond its array (NLAT 50 against PHIL(10)) would otherwise make
// the editor show and edit the members that follow the array.
std::int32_t rows_for_editor(std::int32_t count, std::int32_t capacity);

// A column heading that ends with a length unit: TEXT, the first seven characters of the page
// label of code 7 + NUNTS (" feet  ", " meters"), and ")", blank-padded to 45 characters.
std::string length_heading(std::string_view TEXT, std::int32_t NUNTS);

// A count item's line: the label (ending in "(Max "), the maximum in two columns, ")", the
// leader and the count in two columns.
std::string count_line(std::string_view label, std::int32_t MAX, std::string_view leader,
                       std::int32_t value);

// A column of a page in the column editor AUTORP with the heading, given count rows but no more
// than the column holds. Reads TPCM's EDUNIT and LCOPY.
void edit_column(std::string_view heading, std::span<float> column, std::int32_t count);

// A count typed by the user (ENTERI), held to 0..MAX without a message (MAXCHK).
void enter_count(std::int32_t& count, std::int32_t MAX);

// A column of direction senses edited until every one of its count rows is +1 or -1, or the
// user accepts them as they are (PARCHK).
void edit_senses(std::string_view heading, std::span<float> column, std::int32_t count);

// The page drawn: cleared (not in a mirror pass), the heading line, then the lines of items 1
// to item_count that item_line shows, each item for which blank_before is true after an empty
// line. Writes to TPCM's EDUNIT.
void draw_offset_page(const std::string& heading, std::int32_t item_count,
                      const std::function<bool(std::int32_t)>& blank_before,
                      const std::function<std::optional<std::string>(std::int32_t)>& item_line);

// The coordinate loop of a page item: CORDIN on N rows of R (3 by N) with the heading CTYPE.
// Returns true when a page command typed inside the editor ended it; the command is then in
// TPCM's LBACK for the page loop. Reads and writes TPCM's LCOPY, IPAG and EDUNIT.
bool coordinate_loop(std::string_view CTYPE, std::span<float> R, std::int32_t N);

// The same for one row held in three separate members (a point of the vessel).
bool coordinate_row(std::string_view CTYPE, float& X, float& Y, float& Z);

// The mirror pass of a coordinate item: CORDIN writes the rows and separates the screen.
void list_rows(std::string_view CTYPE, std::span<float> R, std::int32_t N);

// The page loop every offset page runs: draw the page; in a mirror pass separate the screen
// (TWOPG), set LBACK 0, write the page's data (list_data) and return; otherwise read the
// selection into LBACK: help shows the page's help and redraws, 0 or a page command returns,
// an item runs and the page is drawn again, unless the item returns true (a page command
// typed inside one of its editors, left in LBACK). Reads and writes TPCM's LBACK, IPAG, LCOPY
// and EDUNIT; ends the run only at the end of input.
void run_offset_page(const std::function<void()>& draw_page, const std::function<void()>& list_data,
                     const std::function<void()>& help,
                     const std::function<bool(std::int32_t)>& run_item);

} // namespace lintar
