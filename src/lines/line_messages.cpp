// lines/line_messages.cpp: the fatal stop of the line mechanics.
#include "lines/line_messages.h"

#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/answer_reader.h"

namespace lintar {

// line_fatal_stop: writes the lines on EDUNIT, waits for Return (READCP) unless EDUNIT is the
// diagnostics unit, and ends the run with status 1.
void line_fatal_stop(int EDUNIT, std::initializer_list<std::string_view> lines) {
    for (const auto line : lines)
        write_record(EDUNIT, line);
    if (EDUNIT != diagnostics_unit) {
        char answer = ' ';
        READCP(answer);
    }
    stop_program(StopKind::error);
}

} // namespace lintar
