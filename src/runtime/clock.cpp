// runtime/clock.cpp: the local clock.
#include "runtime/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace lintar {

namespace {
struct ClockHooks {
    std::function<LocalTime()> clock;
    std::function<void()> pause;
};
ClockHooks& hooks() {
    static ClockHooks state;
    return state;
}
} // namespace

LocalTime local_time_now() {
    if (hooks().clock)
        return hooks().clock();
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                     parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

void pause_between_polls() {
    if (hooks().pause) {
        hooks().pause();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

void set_clock(std::function<LocalTime()> clock, std::function<void()> pause) {
    hooks().clock = std::move(clock);
    hooks().pause = std::move(pause);
}

} // namespace lintar
