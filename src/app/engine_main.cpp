// app/engine_main.cpp: the analysis engine's main function.
//
// The engine runs the data file of the folder it is started in ("CATDAT", or the one named on
// the command line). The screen shows the analysis's messages and the keyboard answers its
// questions, as in the editor. A run that ends normally closes with one line naming the
// reports written and the convergence failures the user accepted.
#include "app/engine_flow.h"
#include "equilibrium/newton_steps.h"
#include "runtime/run_inputs.h"
#include "runtime/stop.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

namespace {

// Exit status of a command line the engine does not understand.
constexpr int usage_status = 2;

constexpr std::string_view usage = "usage: lintar-engine [data file]";

constexpr std::string_view usage_notes =
    "Runs the analysis of the data file (default CATDAT) in the current folder; the\n"
    "editor, lintar, creates the data file and saves it ready for the analysis.\n"
    "Reports written in the folder: CATOUT.stxt (line tables and static line report),\n"
    "STATPLT.plt (its plot table), MEANOUT.stxt (equilibrium summary) and OFFSETS.stxt\n"
    "(offset report, when the output options send it to a file).\n"
    "Exit status: 0 the run ended, or stopped at the user's choice at a prompt;\n"
    "1 an error stop (no data file, a file that cannot be read or written, data the\n"
    "analysis refuses, input ended at a question); 2 the command line was not understood.\n";

// True for an argument that asks for an option rather than names a data file.
bool is_option(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

// The closing line of a run that ended normally.
std::string closing_line() {
    std::string names;
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    for (const std::filesystem::path& file : lintar::output_files_written()) {
        const std::filesystem::path shown = error ? file : file.lexically_relative(here);
        names += (names.empty() ? "" : ", ") + shown.string();
    }
    std::string line = " >>> Reports written: " + (names.empty() ? std::string("none") : names);
    const std::int32_t failures = lintar::accepted_failures();
    if (failures > 0)
        line += "; " + std::to_string(failures) + " convergence failure" +
                (failures == 1 ? "" : "s") + " accepted at a prompt";
    return line + ".";
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "-h" || std::string_view(argv[1]) == "--help")) {
        std::cout << usage << "\n" << usage_notes;
        return 0;
    }
    if (argc > 2 || (argc == 2 && is_option(argv[1]))) {
        std::cerr << usage << "\n" << usage_notes;
        return usage_status;
    }
    const std::string data_file = argc == 2 ? argv[1] : std::string(lintar::engine_data_file);

    // Without a data file there is nothing to run and nobody to wait for: the run ends at once
    // and says where a data file comes from.
    std::error_code error;
    if (!std::filesystem::is_regular_file(data_file, error)) {
        std::cout << "\n ++> There is no data file \"" << data_file << "\" in this folder.\n"
                  << "     The editor creates one: run lintar here, save the data, then run\n"
                  << "     lintar-engine again.\n";
        return 1;
    }

    bool finished = false;
    const int status = lintar::run_main([&] {
        lintar::run_engine(data_file);
        finished = true;
    });
    if (finished)
        std::cout << closing_line() << "\n" << std::flush;
    return status;
}
