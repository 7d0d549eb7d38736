// lines/line_messages.h: the fatal stop of the line mechanics.
#pragma once

#include <initializer_list>
#include <string_view>

namespace lintar {

// Writes the message lines on EDUNIT, waits for Return (one console line) unless the run is
// unattended (unit 41), and stops the run with status 1.
[[noreturn]] void line_fatal_stop(int EDUNIT, std::initializer_list<std::string_view> lines);

} // namespace lintar
