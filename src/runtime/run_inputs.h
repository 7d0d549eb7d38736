// runtime/run_inputs.h: the files a run has read as its input, and a digest of contents, so
// that a result kept on disk can tell whether the inputs it was made from have changed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lintar {

// The unit table reports every file it connects: a file opened as an existing one is read,
// any other opening writes it.
void note_file_read(const std::filesystem::path& name);
void note_file_written(const std::filesystem::path& name);

// A file renamed by the run: written under its new name, with the marks of its contents.
void note_file_renamed(const std::filesystem::path& from, const std::filesystem::path& to);

// The unit table marks a file when it writes a record holding a NaN or an infinity laid out
// by a real edit descriptor; opening the file afresh (note_file_written) clears the mark.
void note_not_finite_written(const std::filesystem::path& name);

// The unit table notes a record holding such a value shown on the screen (the output options
// can send the reports there); the note lasts until the program state is reset.
void note_not_finite_shown();

// The files this run has read and never written (absolute, in name order): the data file and
// the user's tables, not the scratch files the run writes and reads back.
std::vector<std::filesystem::path> input_files_read();

// The files this run has written that are still there (absolute, in name order): the reports
// and the files the run keeps, not the scratch files it removed.
std::vector<std::filesystem::path> output_files_written();

// The files marked by note_not_finite_written that are still there (absolute, in name order):
// results that a run must not present as valid.
std::vector<std::filesystem::path> files_with_not_finite_values();

// True when the screen has shown a value noted by note_not_finite_shown.
bool not_finite_shown();

// A 64-bit FNV-1a digest, fed with bytes, values and whole files.
class ContentDigest {
public:
    void add_bytes(std::span<const unsigned char> bytes);
    void add_text(std::string_view text);
    void add_words(std::span<const std::uint32_t> words);
    void add_floats(std::span<const float> values);
    void add_int(std::int64_t value);
    // The file's name and its contents; a file that cannot be read adds its name and a mark.
    void add_file(const std::filesystem::path& name);
    std::uint64_t value() const { return hash_; }
    // The digest as 16 lower-case hexadecimal digits.
    std::string hex() const;

private:
    std::uint64_t hash_ = 14695981039346656037ULL;
};

// Adds every file of input_files_read() to the digest, in name order, except those inside
// the folder `excluded` (relative to the working folder).
void add_input_files(ContentDigest& digest, std::string_view excluded);

} // namespace lintar
