// mooring_pages/help_notes.h: the help screens of the mooring-line pages and their tools: a
// title, the note of one item (or the "no help" line), and the Return pause.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace lintar {

// The text of one help note, one screen line per entry.
using HelpNote = std::span<const std::string_view>;

// One help screen on IOSCRN: clear, the title, an empty line, then the note under
// " ++> Item Number  " and the item in two columns, or " ++> Sorry, no help for this line..."
// when the note is empty; then the Return pause (read from KBD). Ends the run only at the end
// of input.
void help_screen(int IOSCRN, int KBD, std::string_view title, std::int32_t item, HelpNote note);

// The same screen with the note under a heading of the caller's (" ++> Item Numbers 1 -> 3").
void help_screen(int IOSCRN, int KBD, std::string_view title, std::string_view heading,
                 HelpNote note);

// A help screen with the title alone and the Return pause: an item whose note this program
// type leaves out.
void help_title_only(int IOSCRN, int KBD, std::string_view title);

} // namespace lintar
