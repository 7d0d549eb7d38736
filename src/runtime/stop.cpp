// runtime/stop.cpp: ending the run.
#include "runtime/stop.h"

#include "runtime/units.h"

#include <cstdio>
#include <exception>

namespace lintar {

const char* ProgramStop::what() const noexcept {
    switch (kind_) {
    case StopKind::normal:
        return "program stop";
    case StopKind::user_choice:
        return "program stopped by the user";
    case StopKind::error:
        return "program stopped on an error";
    }
    return "program stop";
}

void stop_program(StopKind kind) {
    throw ProgramStop(kind);
}

int run_main(const std::function<void()>& body) {
    int status = 0;
    try {
        body();
    } catch (const ProgramStop& stop) {
        status = stop.exit_status();
    } catch (const std::exception& fault) {
        // A fault of our own code: say what it was rather than end silently.
        std::fprintf(stderr, "lintar: internal error: %s\n", fault.what());
        status = 1;
    }
    close_all_units();
    return status;
}

} // namespace lintar
