// util/internal_error.cpp: the stop after an internal error.
#include "util/internal_error.h"

#include "runtime/stop.h"
#include "runtime/units.h"

namespace lintar {

void internal_error_stop(int IOSCRN, std::initializer_list<std::string_view> lines) {
    for (const auto line : lines)
        write_record(IOSCRN, line);
    if (IOSCRN != diagnostics_unit)
        (void)read_answer(1);
    stop_program(StopKind::error);
}

} // namespace lintar
