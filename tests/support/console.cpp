// support/console.cpp: scripted keyboard, captured screen and a scratch working folder.
#include "support/console.h"

#include "runtime/program_state.h"
#include "runtime/units.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace lintar::testing {

ScriptedConsole::ScriptedConsole(std::string keyboard_text) : keyboard_(std::move(keyboard_text)) {
    reset_program_state();
    set_console(&keyboard_, &screen_);
}

ScriptedConsole::~ScriptedConsole() {
    close_all_units();
    set_console(nullptr, nullptr);
    reset_program_state();
}

std::optional<StopKind> run_until_stop(const std::function<void()>& body) {
    try {
        body();
    } catch (const ProgramStop& stop) {
        return stop.kind();
    }
    return std::nullopt;
}

ScratchFolder::ScratchFolder() : previous_(std::filesystem::current_path()) {
    std::random_device seed;
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        path_ = base / ("lintar-test-" + std::to_string(seed()));
        if (std::filesystem::create_directory(path_))
            break;
    }
    std::filesystem::current_path(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    std::filesystem::current_path(previous_, error);
    std::filesystem::remove_all(path_, error);
}

bool ScratchFolder::has(const std::string& name) const {
    return std::filesystem::exists(path_ / name);
}

std::string ScratchFolder::read(const std::string& name) const {
    return read_text(path_ / name);
}

void ScratchFolder::write(const std::string& name, const std::string& text) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out << text;
}

std::string read_text(const std::filesystem::path& name) {
    std::ifstream in(name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + name.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::filesystem::path test_data(const std::string& name) {
    return std::filesystem::path(LINTAR_TEST_DATA_DIR) / name;
}

std::string expected_data(const std::string& name) {
    std::string text = read_text(test_data(name));
    while (text.starts_with("#"))
        text.erase(0, text.find('\n') + 1);
    for (auto at = text.find("<FF>\n"); at != std::string::npos; at = text.find("<FF>\n", at))
        text.replace(at, 4, "\f");
    return text;
}

std::string expected_e2e(const std::string& name) {
    std::string text = read_text(std::filesystem::path(LINTAR_E2E_DIR) / name);
    for (const auto& [marker, character] : {std::pair<std::string, std::string>{"<BEL>", "\a"},
                                            std::pair<std::string, std::string>{"<FF>", "\f"}}) {
        for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at))
            text.replace(at, marker.size(), character);
    }
    return text;
}

ProgramRun run_program(const std::string& program, const std::string& keyboard_text,
                       const std::filesystem::path& folder,
                       const std::vector<std::string>& arguments) {
    {
        std::ofstream script(folder / ".keyboard", std::ios::binary);
        script << keyboard_text;
    }
    std::string command = "cd '" + folder.string() + "' && '" LINTAR_BIN_DIR "/" + program + "'";
    for (const auto& argument : arguments)
        command += " '" + argument + "'";
    command += " < .keyboard > .screen 2>&1";
    const int raw = std::system(command.c_str());
    ProgramRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.screen = read_text(folder / ".screen");
    std::filesystem::remove(folder / ".keyboard");
    std::filesystem::remove(folder / ".screen");
    return run;
}

std::vector<std::string> pages_of(const std::string& text) {
    std::vector<std::string> out;
    for (auto at = text.find("\f\n"); at != std::string::npos;) {
        const auto next = text.find("\f\n", at + 2);
        out.push_back(text.substr(at + 2, next == std::string::npos ? next : next - at - 2));
        at = next;
    }
    return out;
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace lintar::testing
