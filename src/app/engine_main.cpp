// app/engine_main.cpp: the analysis engine's main function.
//
// The engine runs the data file of the folder it is started in ("CATDAT", or the one named on
// the command line). The screen shows the analysis's messages and the keyboard answers its
// questions, as in the editor. A run that ends normally closes with one line naming the
// reports written and the convergence failures the user accepted; a run whose reports hold
// values that are not numbers then says that its results are not valid (status 3).
#include "app/engine_flow.h"
#include "equilibrium/newton_steps.h"
#include "runtime/run_inputs.h"
#include "runtime/stop.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

// Exit status of a command line the engine does not understand.
constexpr int usage_status = 2;

// Exit status of a run that ended with a value that is no number (NaN or infinity) in a
// report: a finite but absurd data word can reach one through the arithmetic, and such results
// must not pass for a success. The reports stay, so the user can see where the values stand.
constexpr int invalid_results_status = 3;

constexpr std::string_view usage = "usage: lintar-engine [data file]";

constexpr std::string_view usage_notes =
    "Runs the analysis of the data file (default CATDAT) in the current folder; the\n"
    "editor, lintar, creates the data file and saves it ready for the analysis.\n"
    "Reports written in the folder: CATOUT.stxt (line tables and static line report),\n"
    "STATPLT.plt (their plot table, when the output options ask for it), MEANOUT.stxt\n"
    "(equilibrium summary) and OFFSETS.stxt (offset report, when the output options\n"
    "send it to a file).\n"
    "Exit status: 0 the run ended, or stopped at the user's choice at a prompt;\n"
    "1 an error stop (no data file, a file that cannot be read or written, data the\n"
    "analysis refuses, input ended at a question); 2 the command line was not understood;\n"
    "3 the run ended but a report holds values that are not numbers (NaN or infinity),\n"
    "so its results are not valid.\n";

// True for an argument that asks for an option rather than names a data file.
bool is_option(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

// The files' names, relative to the working folder where it is known, joined by ", ".
std::string names_of(const std::vector<std::filesystem::path>& files) {
    std::string names;
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    for (const std::filesystem::path& file : files) {
        const std::filesystem::path shown = error ? file : file.lexically_relative(here);
        names += (names.empty() ? "" : ", ") + shown.string();
    }
    return names;
}

// The closing line of a run that ended normally.
std::string closing_line() {
    const std::string names = names_of(lintar::output_files_written());
    std::string line = " >>> Reports written: " + (names.empty() ? std::string("none") : names);
    const std::int32_t failures = lintar::accepted_failures();
    if (failures > 0)
        line += "; " + std::to_string(failures) + " convergence failure" +
                (failures == 1 ? "" : "s") + " accepted at a prompt";
    return line + ".";
}

// The lines that name the reports holding values that are not numbers, or nothing: the files
// that hold them, then the reports shown on the screen when the screen showed any.
std::string invalid_results_lines() {
    const std::vector<std::filesystem::path> files = lintar::files_with_not_finite_values();
    const bool shown = lintar::not_finite_shown();
    if (files.empty() && !shown)
        return {};
    std::string where = names_of(files);
    if (shown)
        where += (where.empty() ? "" : " and ") + std::string("the reports shown on the screen");
    return " ++> The results are not valid: values that are not numbers (NaN or infinity)\n"
           "     were written to " +
           where +
           ".\n"
           "     A data value far out of range gives them: correct it with lintar and run\n"
           "     the engine again.\n";
}

// What stands at the name of the data file when it is not a regular file (a link is followed,
// and nothing is opened: opening a named pipe would wait for a writer), or nothing when the
// name is free.
std::optional<std::string_view> what_is_there(const std::string& name) {
    std::error_code error;
    switch (std::filesystem::status(name, error).type()) {
    case std::filesystem::file_type::regular:
    case std::filesystem::file_type::not_found:
    case std::filesystem::file_type::none:
        return std::nullopt;
    case std::filesystem::file_type::directory:
        return "a folder";
    case std::filesystem::file_type::fifo:
        return "a named pipe";
    case std::filesystem::file_type::block:
    case std::filesystem::file_type::character:
        return "a device";
    case std::filesystem::file_type::socket:
        return "a socket";
    default:
        return "something";
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "-h" || std::string_view(argv[1]) == "--help")) {
        std::cout << usage << "\n" << usage_notes;
        return 0;
    }
    // A command line not understood says what was not understood, then the usage.
    if (argc > 2) {
        std::cerr << "lintar-engine: one data file at most can be named\n"
                  << usage << "\n"
                  << usage_notes;
        return usage_status;
    }
    if (argc == 2 && is_option(argv[1])) {
        std::cerr << "lintar-engine: unknown option " << argv[1] << "\n"
                  << usage << "\n"
                  << usage_notes;
        return usage_status;
    }
    const std::string data_file = argc == 2 ? argv[1] : std::string(lintar::engine_data_file);

    // A name held by something other than a regular file is refused before it is opened, and
    // without a data file there is nothing to run and nobody to wait for: the run ends at once
    // and says what to do.
    if (const auto there = what_is_there(data_file)) {
        std::cout << "\n ++> \"" << data_file << "\" in this folder is " << *there
                  << ", not a data file;\n"
                  << "     move it aside, or name the data file: lintar-engine <data file>.\n";
        return 1;
    }
    // Without the default data file the editor is the way on; a file named on the command line
    // is the user's own name, which may be mistyped.
    std::error_code error;
    if (!std::filesystem::is_regular_file(data_file, error)) {
        if (argc == 2)
            std::cout << "\n ++> The data file \"" << data_file << "\" does not exist.\n"
                      << "     Check the name, or run lintar-engine without one to analyse "
                      << lintar::engine_data_file << ".\n";
        else
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
        std::cout << closing_line() << "\n";
    // A value that is no number in a report is named however the run ended, since the reports
    // written are kept. A run that would end with status 0 (finished, or stopped at the user's
    // choice) then ends with a status of its own; an error stop keeps its status 1.
    const std::string invalid = invalid_results_lines();
    std::cout << invalid << std::flush;
    return status == 0 && !invalid.empty() ? invalid_results_status : status;
}
