// runtime/process.h: the screen clear and child processes.
#pragma once

#include <string>

namespace lintar {

// Clears the console: the ANSI sequence ESC[H ESC[2J, written only when the screen is a real
// terminal, so that a transcript through a pipe stays free of control codes.
void clear_console();

// Runs a command line through the shell and waits for it to end; returns its exit status
// (nonzero when it could not be started, the shell's own message then on the screen).
int run_command(const std::string& command_line);

} // namespace lintar
