// runtime/units.cpp: the unit table.
#include "runtime/units.h"

#include "runtime/edit_descriptors.h"
#include "runtime/run_inputs.h"
#include "runtime/stop.h"

#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace lintar {

namespace {

struct Unit {
    std::filesystem::path name;
    FileForm form = FileForm::formatted;
    std::fstream stream;
};

struct Console {
    std::istream* keyboard = nullptr; // nullptr: standard input
    std::ostream* screen = nullptr;   // nullptr: standard output
    bool screen_line_open = false;    // a prompt is waiting for its answer
};

// The unit table is process-wide by nature: it is the program's set of open files.
std::map<int, Unit>& units() {
    static std::map<int, Unit> table;
    return table;
}

Console& console() {
    static Console state;
    return state;
}

std::istream& keyboard() {
    return console().keyboard ? *console().keyboard : std::cin;
}
std::ostream& screen() {
    return console().screen ? *console().screen : std::cout;
}

[[noreturn]] void unit_fault(int unit, const char* what) {
    throw std::logic_error("unit " + std::to_string(unit) + ": " + what);
}

Unit& connected(int unit) {
    auto found = units().find(unit);
    if (found == units().end())
        unit_fault(unit, "not connected");
    return found->second;
}

std::string drop_line_end(std::string line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::string fit(std::string text, int width) {
    text.resize(static_cast<std::size_t>(width > 0 ? width : 0), ' ');
    return text;
}

// The record about to be written to a file: marks the file when a real descriptor laid out a
// NaN or an infinity since the last record (a record to the screen just takes the mark).
void note_record_values(const Unit& entry) {
    if (take_not_finite_written())
        note_not_finite_written(entry.name);
}

} // namespace

bool open_unit(int unit, const std::filesystem::path& name, OpenStatus status, FileForm form) {
    if (unit == keyboard_unit || unit == screen_unit)
        unit_fault(unit, "the console units cannot be reconnected");
    close_unit(unit);
    std::error_code error;
    const bool exists = std::filesystem::exists(name, error);
    if (status == OpenStatus::old_file && !exists)
        return false;
    if (status == OpenStatus::new_file && exists)
        return false;
    if (exists && !std::filesystem::is_regular_file(name, error))
        return false;

    Unit entry;
    entry.name = name;
    entry.form = form;
    auto mode = std::ios::in | std::ios::out | std::ios::binary;
    if (status != OpenStatus::old_file)
        mode |= std::ios::trunc;
    entry.stream.open(name, mode);
    if (!entry.stream.is_open() && status == OpenStatus::old_file)
        entry.stream.open(name, std::ios::in | std::ios::binary); // a read-only file
    if (!entry.stream.is_open())
        return false;
    units().emplace(unit, std::move(entry));
    if (status == OpenStatus::old_file)
        note_file_read(name);
    else
        note_file_written(name);
    return true;
}

bool close_unit(int unit, bool delete_file) {
    auto found = units().find(unit);
    if (found == units().end())
        return true;
    const std::filesystem::path name = found->second.name;
    // An end of file met while reading is no close failure; a write that failed is.
    const bool write_failed = found->second.stream.bad();
    found->second.stream.clear();
    found->second.stream.close();
    const bool closed = !found->second.stream.fail() && !write_failed;
    units().erase(found);
    if (delete_file) {
        std::error_code error;
        std::filesystem::remove(name, error);
        return closed && !error;
    }
    return closed;
}

void close_all_units() {
    while (!units().empty())
        close_unit(units().begin()->first);
    screen().flush();
}

bool unit_is_open(int unit) {
    return unit == keyboard_unit || unit == screen_unit || units().count(unit) != 0;
}

std::filesystem::path unit_file_name(int unit) {
    auto found = units().find(unit);
    return found == units().end() ? std::filesystem::path{} : found->second.name;
}

void rewind_unit(int unit) {
    if (unit == keyboard_unit || unit == screen_unit)
        return;
    Unit& entry = connected(unit);
    entry.stream.clear();
    entry.stream.seekg(0);
    entry.stream.seekp(0);
}

void write_record(int unit, std::string_view text) {
    if (unit == screen_unit) {
        (void)take_not_finite_written();
        screen() << text << '\n';
        console().screen_line_open = false;
        return;
    }
    Unit& entry = connected(unit);
    note_record_values(entry);
    entry.stream << text << '\n';
}

void write_open(int unit, std::string_view text) {
    if (unit == screen_unit) {
        (void)take_not_finite_written();
        screen() << text;
        screen().flush(); // the prompt must show before the program waits for the answer
        console().screen_line_open = true;
        return;
    }
    Unit& entry = connected(unit);
    note_record_values(entry);
    entry.stream << text;
}

void end_of_input_stop() {
    if (console().screen_line_open)
        screen() << '\n';
    screen() << " ++> End of input: session ended." << '\n';
    screen().flush();
    console().screen_line_open = false;
    stop_program(StopKind::error);
}

std::optional<std::string> read_line(int unit) {
    std::string line;
    if (unit == keyboard_unit) {
        screen().flush();
        if (!std::getline(keyboard(), line))
            end_of_input_stop();
        console().screen_line_open = false; // the answer's Return ends the prompt line
        return drop_line_end(std::move(line));
    }
    if (unit == screen_unit)
        unit_fault(unit, "the screen cannot be read");
    Unit& entry = connected(unit);
    if (!std::getline(entry.stream, line))
        return std::nullopt;
    return drop_line_end(std::move(line));
}

std::optional<std::string> read_field(int unit, int width) {
    auto line = read_line(unit);
    if (!line)
        return std::nullopt;
    return fit(std::move(*line), width);
}

std::string read_answer(int width) {
    return fit(*read_line(keyboard_unit), width);
}

void write_words(int unit, std::span<const std::uint32_t> words) {
    Unit& entry = connected(unit);
    for (const std::uint32_t word : words) {
        const char bytes[4] = {
            static_cast<char>(word & 0xFFu), static_cast<char>((word >> 8) & 0xFFu),
            static_cast<char>((word >> 16) & 0xFFu), static_cast<char>((word >> 24) & 0xFFu)};
        entry.stream.write(bytes, 4);
    }
}

// read_words: one block read of the whole image, then each whole word put together from its
// four little-endian bytes; the bytes of a last partial word are consumed and its word is left
// as it was.
std::size_t read_words(int unit, std::span<std::uint32_t> words) {
    Unit& entry = connected(unit);
    if (words.empty())
        return 0;
    std::vector<unsigned char> bytes(words.size() * 4);
    entry.stream.read(reinterpret_cast<char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
    const auto count = static_cast<std::size_t>(entry.stream.gcount()) / 4;
    for (std::size_t k = 0; k < count; ++k) {
        const unsigned char* b = &bytes[4 * k];
        words[k] = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                   std::uint32_t{b[3]} << 24;
    }
    return count;
}

void set_console(std::istream* keyboard_stream, std::ostream* screen_stream) {
    console().keyboard = keyboard_stream;
    console().screen = screen_stream;
    console().screen_line_open = false;
}

bool screen_is_terminal() {
    return console().screen == nullptr && ::isatty(STDOUT_FILENO) == 1;
}

bool file_exists(const std::filesystem::path& name) {
    std::error_code error;
    return std::filesystem::is_regular_file(name, error);
}

bool delete_file(const std::filesystem::path& name) {
    std::error_code error;
    return std::filesystem::remove(name, error) && !error;
}

bool rename_file(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (!error)
        note_file_renamed(from, to);
    return !error;
}

FileKind file_kind(const std::filesystem::path& name) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(name, error);
    switch (status.type()) {
    case std::filesystem::file_type::not_found:
        return FileKind::absent;
    case std::filesystem::file_type::regular:
        return FileKind::regular;
    case std::filesystem::file_type::symlink:
        return FileKind::link;
    case std::filesystem::file_type::directory:
        return FileKind::folder;
    default:
        return error ? FileKind::absent : FileKind::other;
    }
}

bool create_file_exclusively(const std::filesystem::path& name) {
    // O_EXCL with O_CREAT fails on any existing name and never follows a link.
    const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0)
        return false;
    return ::close(descriptor) == 0;
}

std::optional<std::uintmax_t> file_size_of(const std::filesystem::path& name) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error))
        return std::nullopt;
    const auto bytes = std::filesystem::file_size(name, error);
    if (error)
        return std::nullopt;
    return bytes;
}

} // namespace lintar
