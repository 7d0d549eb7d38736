// util/internal_error.h: the stop after an internal error that asks the user to contact the
// maker.
#pragma once

#include <initializer_list>
#include <string_view>

namespace lintar {

// Writes the lines on the dialogue unit, waits for one line from the console unless the run
// is unattended (unit 41), and stops the program with status 1.
[[noreturn]] void internal_error_stop(int IOSCRN, std::initializer_list<std::string_view> lines);

} // namespace lintar
