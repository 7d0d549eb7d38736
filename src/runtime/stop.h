// runtime/stop.h: how the program ends: ProgramStop, its kinds and exit statuses.
#pragma once

#include <exception>
#include <functional>

namespace lintar {

// Why the run ends. A stop the user chose at a prompt is not a failure; everything that ends
// the run because something went wrong (a file that cannot be opened or read, an internal
// error, an unattended run that reaches a decision, end of input on the keyboard before the
// session's work is saved) is an error and gives exit status 1, so that a script can tell a
// failed run from a finished one.
enum class StopKind { normal, user_choice, error };

class ProgramStop : public std::exception {
public:
    explicit ProgramStop(StopKind kind) : kind_(kind) {}
    StopKind kind() const { return kind_; }
    int exit_status() const { return kind_ == StopKind::error ? 1 : 0; }
    const char* what() const noexcept override;

private:
    StopKind kind_;
};

// Ends the run: every stop of the program goes through here.
[[noreturn]] void stop_program(StopKind kind);

// Runs the body of a main function: catches ProgramStop, closes every unit (flushing) and
// returns the exit status.
int run_main(const std::function<void()>& body);

} // namespace lintar
