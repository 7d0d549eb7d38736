// lines/line_messages.h: the fatal stop of the line mechanics.
#pragma once

#include <initializer_list>
#include <string_view>

namespace lintar {

// Writes the message lines on EDUNIT, waits for Return (one console line) unless the run is
// unattended (unit 41), and stops the run with status 1. It is not fatal_stop (util/prompts.h):
// the line solver's messages wait for Return silently, without the blank line and the
// "Press <RETURN> to continue: " prompt that fatal_stop writes, and the screens are kept.
[[noreturn]] void line_fatal_stop(int EDUNIT, std::initializer_list<std::string_view> lines);

} // namespace lintar
