// runtime/units.h: the unit table: files and console streams addressed by unit number.
//
// Unit 5 is the keyboard (standard input) and unit 6 the screen (standard output); both are
// always connected. Every other unit is connected by open_unit and written or read through the
// calls below, so an unattended run or a mirror pass redirects output in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace lintar {

inline constexpr int keyboard_unit = 5;
inline constexpr int screen_unit = 6;
inline constexpr int diagnostics_unit = 41;

enum class FileForm { formatted, unformatted };

// The file's required state at opening: old must exist; new must not exist; replace makes a
// fresh empty file whether or not one was there.
enum class OpenStatus { old_file, new_file, replace };

// Connects a file to a unit, positioned at its start. A unit already connected is closed first.
// Returns false when the file cannot be opened in the state asked for, and when the name holds
// something other than a regular file (a folder, a named pipe, a device), which is refused
// before it is opened: opening a named pipe would wait for a writer for ever.
bool open_unit(int unit, const std::filesystem::path& name, OpenStatus status, FileForm form);

// Disconnects a unit, keeping the file, or deleting it when asked. Closing a unit that is not
// connected succeeds and does nothing. Returns false when the file cannot be closed or deleted.
bool close_unit(int unit, bool delete_file = false);

// Closes every unit but the console, flushing what was written; flushes the screen.
void close_all_units();

bool unit_is_open(int unit);
// True when anything was written to a file unit since it was connected.
bool unit_was_written(int unit);
std::filesystem::path unit_file_name(int unit);
void rewind_unit(int unit);

// Formatted output: one whole record (a line), or text that leaves the line open for an answer.
void write_record(int unit, std::string_view text);
void write_open(int unit, std::string_view text);

// Formatted input: the next record of a unit without its line end (a trailing carriage return
// is dropped too), or nothing at the end of the file. On the keyboard unit the end of input
// ends the session: end_of_input_stop().
std::optional<std::string> read_line(int unit);

// The next record cut or blank-padded to a field of the given width (a Fortran A read of that
// width). At the end of a file other than the keyboard it returns nothing.
std::optional<std::string> read_field(int unit, int width);

// The keyboard answer of the given width: a line cut or padded to the width. Never returns
// at the end of input: the session ends there.
std::string read_answer(int width);

// Writes " ++> End of input: session ended." on the screen and stops the run: with status 1,
// or with status 0 while a WorkSavedScope lives. Nothing is saved by that stop.
[[noreturn]] void end_of_input_stop();

// While it lives, the end of input on the keyboard ends the run normally (status 0): for the
// last pause of a session whose work is already saved, where nothing is lost. It puts the
// previous rule back when it ends, also when a stop leaves its scope.
class WorkSavedScope {
public:
    WorkSavedScope();
    ~WorkSavedScope();
    WorkSavedScope(const WorkSavedScope&) = delete;
    WorkSavedScope& operator=(const WorkSavedScope&) = delete;

private:
    bool outer_;
};

// Unformatted output and input of raw little-endian four-byte words on a connected unit.
void write_words(int unit, std::span<const std::uint32_t> words);
// Sends what was written to a unit on to its file and gives the file's size in bytes; nothing
// when the writes failed or the size cannot be had.
std::optional<std::uintmax_t> unit_file_size(int unit);
// Reads up to words.size() words; returns how many whole words were read.
std::size_t read_words(int unit, std::span<std::uint32_t> words);

// Replaces the console streams, for tests (nullptr puts back standard input or output).
void set_console(std::istream* keyboard, std::ostream* screen);

// True when the screen is a real terminal (not a pipe, a file or a test's string stream).
bool screen_is_terminal();

// File services of the working folder.
// True for a regular file, also when reached through a symbolic link.
bool file_exists(const std::filesystem::path& name);
bool delete_file(const std::filesystem::path& name);
// Renames `from` to `to` in one step, replacing a file at `to`.
bool rename_file(const std::filesystem::path& from, const std::filesystem::path& to);
// Gives the file `existing` (the name itself, never what a link points at) the second name
// `second`, which must be free. False when it cannot; last_file_error() then says why, and
// file_system_has_no_links() tells a file system without hard links.
bool link_file(const std::filesystem::path& existing, const std::filesystem::path& second);
bool file_system_has_no_links(std::error_code error);
// Syncs the folder that holds `name` (its entries, so that a rename in it survives a power
// cut). A file system that cannot sync a folder has nothing to sync and succeeds.
bool sync_folder_of(const std::filesystem::path& name);

// The system's reason for the last file operation of this layer that failed: a unit's write or
// close, a creation, a rename, a link, a copy or a sync (a write that failed without a reason
// gives EIO). Kept until the next failure; read it right after the failure it explains.
std::error_code last_file_error();
// The reason as a sentence for a message ("No space left on device").
std::string file_error_text(std::error_code error);

// The file operations of this layer that the save of a data file is made of, for the seam
// below: making a file, removing one, a rename, a link, syncing a file's data to the disk,
// syncing a folder, copying the contents of one open file to another.
enum class FileOperation { create, remove, rename, link, sync, sync_folder, copy };

// Test seam: while set, called before each operation above with the names it takes (`to` is
// empty but for a rename and a link; a sync of an open file names nothing); a result other
// than 0 fails the operation with that error number, without doing it. A test stops a save
// after each operation in turn with it, or fails one. Empty: nothing is called.
using FileOperationHook = std::function<int(
    FileOperation operation, const std::filesystem::path& from, const std::filesystem::path& to)>;
void set_file_operation_hook(FileOperationHook hook);

// What a name in the working folder is, the name itself and not what a link points at.
enum class FileKind { absent, regular, link, folder, other };
FileKind file_kind(const std::filesystem::path& name);

// An open file descriptor of the platform, closed when its handle goes (empty: none open).
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool is_open() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }
    // Closes the descriptor now; false when the close reports an error (a write the system
    // could not complete).
    bool close();

private:
    int descriptor_ = -1;
};

// Creates an empty regular file that did not exist and returns it open for writing (closed on
// exec): an empty handle when anything of that name is there (a file, a folder, a link, even
// one that points nowhere) or the file cannot be made.
FileDescriptor create_file_exclusively(const std::filesystem::path& name);

// Opens an existing regular file for reading (closed on exec): an empty handle when it cannot,
// and, unless `follow_link`, when the name is a link.
FileDescriptor open_file_for_reading(const std::filesystem::path& name, bool follow_link);

// Syncs the data of the open file to the disk (fsync).
bool sync_file(const FileDescriptor& file);

// Copies everything from the start of the open file `from` to the open file `to`, at its
// position. False when a read or a write fails.
bool copy_file_contents(const FileDescriptor& from, const FileDescriptor& to);

// Connects a unit for writing to the file open on `descriptor`, at the descriptor's position:
// every write goes through (a copy of) that descriptor and the name is never opened again,
// so what stands at the name later cannot redirect the writes. `name` is the unit's file name
// for reports. The unit closes its copy; close_unit reports a write or close that failed (a
// full disk). A unit already connected is closed first. False when the descriptor cannot be
// copied.
bool connect_unit(int unit, const std::filesystem::path& name, const FileDescriptor& descriptor,
                  FileForm form);

// True when the name itself (not what a link points at) is the file open on `descriptor`:
// the same device and inode. False for a link, for anything else and for no file at all.
bool name_holds_file_of(const std::filesystem::path& name, const FileDescriptor& descriptor);

// The size in bytes of a regular file, or nothing when there is none of that name.
std::optional<std::uintmax_t> file_size_of(const std::filesystem::path& name);

} // namespace lintar
