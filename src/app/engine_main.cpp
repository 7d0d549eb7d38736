// app/engine_main.cpp: the analysis engine's main function.
//
// The engine runs the data file of the folder it is started in ("CATDAT", or the one named on
// the command line). The screen shows the analysis's messages and the keyboard answers its
// questions, as in the editor.
#include "app/engine_flow.h"
#include "runtime/stop.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view usage = "usage: lintar-engine [data file]";

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string_view(argv[1]) == "-h" || std::string_view(argv[1]) == "--help")) {
        std::cout << usage << "\n"
                  << "Runs the analysis of the data file (default CATDAT) in the current folder.\n";
        return 0;
    }
    if (argc > 2) {
        std::cerr << usage << "\n";
        return 1;
    }
    const std::string data_file = argc == 2 ? argv[1] : std::string(lintar::engine_data_file);
    return lintar::run_main([&] { lintar::run_engine(data_file); });
}
