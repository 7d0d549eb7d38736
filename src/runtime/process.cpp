// runtime/process.cpp: the screen clear and child processes.
#include "runtime/process.h"

#include "runtime/units.h"

#include <cstdlib>
#include <iostream>
#include <sys/wait.h>

namespace lintar {

void clear_console() {
    if (!screen_is_terminal())
        return;
    std::cout << "\x1b[H\x1b[2J" << std::flush;
}

int run_command(const std::string& command_line) {
    std::cout.flush();
    const int status = std::system(command_line.c_str());
    if (status == -1)
        return 127;
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

} // namespace lintar
