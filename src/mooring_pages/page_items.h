// mooring_pages/page_items.h: the dialogue pieces the mooring pages share: counts read at a
// value prompt, integer columns edited in the column editor, and the re-edit of a column that
// must pass a check.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// The integer in w columns, or in as many as it needs when w is too few (a line number above
// 99 in a two-column field shows its digits, not asterisks).
std::string I_fit(long long value, int w);

// A count at the "Enter new value: " prompt (ENTERI), held to 0..MAX (MAXCHK). A blank answer
// keeps the count; so does a page command typed in place of a number, which would otherwise
// be taken as a negative count and clear it. Reads the keyboard; writes on IOSCRN.
void enter_count(std::int32_t& N, std::int32_t MAX, int IOSCRN);

// The column editor on an integer list: the list is copied into the real work column
// (FILLUP), AUTORP shows rows 1..NROWS under HEADER and may change rows 1..MAXDAT, and the
// column is copied back with truncation. Both spans hold the list's whole capacity, which
// MAXDAT must not exceed. Reads and writes TPCM's EDUNIT and LCOPY (a mirror pass only lists).
void edit_integer_column(std::string_view HEADER, std::span<std::int32_t> list,
                         std::span<float> work, std::int32_t NROWS, std::int32_t MAXDAT);

// The edit of an integer column whose values must pass `accepted`: after each edit that
// fails, `complain` writes its message and pauses, and the editor runs again. The user who
// cannot make the values pass (no line types for the lines, no lines for the exclusions)
// leaves a re-edit without changing anything: the list then gets back the values it had
// before the item was chosen, `note` is written after an empty line, the Return pause
// follows, and the result is false. True when the values pass, and in a mirror pass, which
// only lists them. Reads and writes TPCM's EDUNIT and LCOPY; ends the run only at the end of
// input.
bool edit_checked_column(std::string_view HEADER, std::span<std::int32_t> list,
                         std::span<float> work, std::int32_t NROWS, std::int32_t MAXDAT,
                         const std::function<bool()>& accepted,
                         const std::function<void()>& complain, std::span<const std::string> note);

} // namespace lintar
