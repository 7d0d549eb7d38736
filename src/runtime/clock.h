// runtime/clock.h: the local date and time, and waiting; both can be replaced by tests.
#pragma once

#include <functional>

namespace lintar {

struct LocalTime {
    int year = 0;   // four digits
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    int hour = 0;   // 0 to 23
    int minute = 0; // 0 to 59
    int second = 0; // 0 to 59
};

LocalTime local_time_now();

// Sleeps a little between clock polls, so a wait does not burn the processor.
void pause_between_polls();

// Replaces the clock and the pause between polls, for tests; empty functions put back the
// real ones.
void set_clock(std::function<LocalTime()> clock, std::function<void()> pause = {});

} // namespace lintar
