// runtime/run_inputs.cpp: the files read by the run and the content digest.
#include "runtime/run_inputs.h"

#include "runtime/program_state.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <system_error>

namespace lintar {

namespace {

struct RunFiles {
    std::set<std::filesystem::path> read;
    std::set<std::filesystem::path> written;
    std::set<std::filesystem::path> not_finite; // written files holding a NaN or an infinity
    bool not_finite_shown = false;              // the screen showed a NaN or an infinity
};
RunFiles run_files;
const StateReset reset_run_files{[] { run_files = {}; }};

std::filesystem::path full_name(const std::filesystem::path& name) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(name, error);
    return (error ? name : full).lexically_normal();
}

} // namespace

void note_file_read(const std::filesystem::path& name) {
    run_files.read.insert(full_name(name));
}

void note_file_written(const std::filesystem::path& name) {
    const std::filesystem::path full = full_name(name);
    run_files.written.insert(full);
    run_files.not_finite.erase(full);
}

void note_file_renamed(const std::filesystem::path& from, const std::filesystem::path& to) {
    const bool marked = run_files.not_finite.erase(full_name(from)) != 0;
    note_file_written(to);
    if (marked)
        note_not_finite_written(to);
}

void note_not_finite_written(const std::filesystem::path& name) {
    run_files.not_finite.insert(full_name(name));
}

void note_not_finite_shown() {
    run_files.not_finite_shown = true;
}

std::vector<std::filesystem::path> input_files_read() {
    std::vector<std::filesystem::path> inputs;
    for (const auto& name : run_files.read)
        if (run_files.written.count(name) == 0)
            inputs.push_back(name);
    return inputs;
}

namespace {
// The names of the set that are regular files now, in name order.
std::vector<std::filesystem::path> still_there(const std::set<std::filesystem::path>& names) {
    std::vector<std::filesystem::path> files;
    for (const std::filesystem::path& name : names) {
        std::error_code error;
        if (std::filesystem::is_regular_file(name, error))
            files.push_back(name);
    }
    return files;
}
} // namespace

std::vector<std::filesystem::path> output_files_written() {
    return still_there(run_files.written);
}

std::vector<std::filesystem::path> files_with_not_finite_values() {
    return still_there(run_files.not_finite);
}

bool not_finite_shown() {
    return run_files.not_finite_shown;
}

void ContentDigest::add_bytes(std::span<const unsigned char> bytes) {
    for (const unsigned char b : bytes) {
        hash_ ^= b;
        hash_ *= 1099511628211ULL;
    }
}

void ContentDigest::add_text(std::string_view text) {
    add_int(static_cast<std::int64_t>(text.size()));
    add_bytes({reinterpret_cast<const unsigned char*>(text.data()), text.size()});
}

void ContentDigest::add_words(std::span<const std::uint32_t> words) {
    for (const std::uint32_t w : words) {
        const unsigned char b[4] = {static_cast<unsigned char>(w & 0xFFu),
                                    static_cast<unsigned char>((w >> 8) & 0xFFu),
                                    static_cast<unsigned char>((w >> 16) & 0xFFu),
                                    static_cast<unsigned char>((w >> 24) & 0xFFu)};
        add_bytes(b);
    }
}

void ContentDigest::add_floats(std::span<const float> values) {
    for (const float v : values) {
        std::uint32_t w = 0;
        std::memcpy(&w, &v, sizeof w);
        const std::uint32_t one[1] = {w};
        add_words(one);
    }
}

void ContentDigest::add_int(std::int64_t value) {
    const auto u = static_cast<std::uint64_t>(value);
    const std::uint32_t two[2] = {static_cast<std::uint32_t>(u & 0xFFFFFFFFu),
                                  static_cast<std::uint32_t>(u >> 32)};
    add_words(two);
}

void ContentDigest::add_file(const std::filesystem::path& name) {
    add_text(name.string());
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        add_text("<unreadable>");
        return;
    }
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const auto got = static_cast<std::size_t>(in.gcount());
        add_bytes({reinterpret_cast<const unsigned char*>(buffer), got});
    }
}

void add_input_files(ContentDigest& digest, std::string_view excluded) {
    const std::filesystem::path folder = full_name(std::filesystem::path(excluded));
    for (const auto& name : input_files_read()) {
        const auto inside = std::mismatch(folder.begin(), folder.end(), name.begin(), name.end());
        if (inside.first == folder.end())
            continue;
        digest.add_file(name);
    }
}

std::string ContentDigest::hex() const {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 0; i < 16; ++i)
        text[static_cast<std::size_t>(15 - i)] = digits[(hash_ >> (4 * i)) & 0xFu];
    return text;
}

} // namespace lintar
