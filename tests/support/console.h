// support/console.h: scripted keyboard, captured screen and a scratch working folder.
#pragma once

#include "runtime/stop.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace lintar::testing {

// Swaps the console for a scripted keyboard and a captured screen for its lifetime; at the end
// it puts the console back, closes every unit and resets the program state.
class ScriptedConsole {
public:
    explicit ScriptedConsole(std::string keyboard_text = "");
    ~ScriptedConsole();
    ScriptedConsole(const ScriptedConsole&) = delete;
    ScriptedConsole& operator=(const ScriptedConsole&) = delete;

    std::string screen() const { return screen_.str(); }
    void clear_screen_text() { screen_.str(""); }

private:
    std::istringstream keyboard_;
    std::ostringstream screen_;
};

// Runs the body; returns the kind of stop that ended it, or nothing when it returned.
std::optional<StopKind> run_until_stop(const std::function<void()>& body);

// A fresh temporary folder made the working folder for its lifetime.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    bool has(const std::string& name) const;
    std::string read(const std::string& name) const;
    void write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// Reads a whole file as text (tests/data and tests/e2e files are read through this).
std::string read_text(const std::filesystem::path& name);
std::filesystem::path test_data(const std::string& name);

// A typed page file of tests/data without its comment header (the "#" lines at its top), each
// "<FF>" line turned into the form feed it stands for.
std::string expected_data(const std::string& name);

// The pages of a report: the text after each form feed and its newline (a report starts every
// page with them), without the text before the first.
std::vector<std::string> pages_of(const std::string& text);

// The lines of a text, without their line ends.
std::vector<std::string> lines_of(const std::string& text);

// An expected screen or file of tests/e2e/, with its markers "<BEL>" and "<FF>" turned into the
// bell and form-feed characters they stand for.
std::string expected_e2e(const std::string& name);

// Runs a built program (from build/bin) in a folder with a scripted standard input.
struct ProgramRun {
    int status = -1;
    std::string screen;
};
// Arguments are passed to the program as they are (no quotes in them).
ProgramRun run_program(const std::string& program, const std::string& keyboard_text,
                       const std::filesystem::path& folder,
                       const std::vector<std::string>& arguments = {});

} // namespace lintar::testing
