// runtime/units.cpp: the unit table.
#include "runtime/units.h"

#include "runtime/edit_descriptors.h"
#include "runtime/run_inputs.h"
#include "runtime/stop.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace lintar {

namespace {

// What the file operations of this layer share: the reason of the last one that failed, and
// the test seam called before each.
struct FileOperations {
    std::error_code last_error;
    FileOperationHook hook;
};

FileOperations& file_operations() {
    static FileOperations state;
    return state;
}

// Records the reason of a failed operation (a failure without one counts as EIO) and returns
// false, for the failure paths.
bool failed_because(int error_number) {
    file_operations().last_error =
        std::error_code(error_number != 0 ? error_number : EIO, std::generic_category());
    return false;
}

// The seam's verdict on an operation about to run: 0 to run it, else the error number it
// fails with (recorded, and left in errno for the callers that read it).
int seam_refuses(FileOperation operation, const std::filesystem::path& from,
                 const std::filesystem::path& to = {}) {
    if (!file_operations().hook)
        return 0;
    const int error_number = file_operations().hook(operation, from, to);
    if (error_number != 0) {
        failed_because(error_number);
        errno = error_number;
    }
    return error_number;
}

// Writes all `size` bytes at `data` to the descriptor, a piece at a time as the system takes
// them, again after an interruption: 0 when all went, else the error number of the write that
// failed (EIO for one that wrote nothing without a reason).
int write_fully(int descriptor, const char* data, std::size_t size) {
    for (std::size_t written = 0; written < size;) {
        const ::ssize_t done = ::write(descriptor, data + written, size - written);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return done < 0 ? errno : EIO;
        written += static_cast<std::size_t>(done);
    }
    return 0;
}

// The output buffer of a unit connected to a descriptor: whole-buffer writes through
// write(2), each checked, so a full disk shows as a failed write (badbit) and a failed close.
// It reads nothing.
class DescriptorBuffer : public std::streambuf {
public:
    DescriptorBuffer() = default;
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;
    ~DescriptorBuffer() override { (void)close(); }

    void attach(FileDescriptor descriptor) {
        descriptor_ = std::move(descriptor);
        failed_ = false;
        error_ = 0;
        buffer_.resize(buffer_bytes);
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    bool is_open() const { return descriptor_.is_open(); }
    int descriptor() const { return descriptor_.get(); }
    // The error number of the first write or close that failed; 0 while none has.
    int error() const { return error_; }
    // Writes out what is buffered and closes the descriptor; false when either fails.
    bool close() {
        if (!descriptor_.is_open())
            return true;
        const bool written = sync() == 0;
        const bool closed = descriptor_.close();
        if (!closed && error_ == 0)
            error_ = errno;
        setp(nullptr, nullptr);
        return written && closed;
    }

protected:
    int_type overflow(int_type c) override {
        if (!descriptor_.is_open() || !write_out())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return !descriptor_.is_open() || write_out() ? 0 : -1; }
    pos_type seekoff(off_type offset, std::ios_base::seekdir way,
                     std::ios_base::openmode) override {
        const int whence = way == std::ios_base::beg   ? SEEK_SET
                           : way == std::ios_base::cur ? SEEK_CUR
                                                       : SEEK_END;
        if (!descriptor_.is_open() || !write_out())
            return pos_type(off_type(-1));
        return pos_type(off_type(::lseek(descriptor_.get(), offset, whence)));
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override {
        return seekoff(off_type(position), std::ios_base::beg, which);
    }

private:
    // Writes the buffered bytes, a piece at a time as the system takes them. After a write
    // that failed the file has a gap, so every later write-out fails too (and the close).
    bool write_out() {
        if (!failed_) {
            error_ =
                write_fully(descriptor_.get(), pbase(), static_cast<std::size_t>(pptr() - pbase()));
            failed_ = error_ != 0;
        }
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return !failed_;
    }

    static constexpr std::size_t buffer_bytes = 65536;
    FileDescriptor descriptor_;
    std::vector<char> buffer_;
    bool failed_ = false;
    int error_ = 0;
};

// A unit reads and writes through one of its two buffers: a file opened by name, or an open
// descriptor it was connected to.
struct Unit {
    std::filesystem::path name;
    FileForm form = FileForm::formatted;
    int error = 0;        // the error number of the first write that failed (the file buffer's)
    bool written = false; // anything was written since the unit was connected
    std::filebuf file;
    DescriptorBuffer descriptor;
    std::iostream stream{nullptr};
};

struct Console {
    std::istream* keyboard = nullptr; // nullptr: standard input
    std::ostream* screen = nullptr;   // nullptr: standard output
    bool screen_line_open = false;    // a prompt is waiting for its answer
    bool work_saved = false;          // the end of input is a normal end (WorkSavedScope)
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

// A fresh entry of the table for a unit that is not connected; the caller gives it a buffer.
Unit& new_unit(int unit, const std::filesystem::path& name, FileForm form) {
    Unit& entry = units().try_emplace(unit).first->second;
    entry.name = name;
    entry.form = form;
    return entry;
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

// After a write: the unit counts as written, and a unit whose stream just failed keeps the system's
// reason, which the write left in errno (the descriptor buffer keeps its own), for the report of
// its close.
void note_write_state(Unit& entry) {
    entry.written = true;
    if (entry.error == 0 && entry.stream.bad())
        entry.error = entry.descriptor.is_open() ? entry.descriptor.error() : errno;
}

// The record about to be written to a file: marks the file when a real descriptor laid out a
// NaN or an infinity since the last record.
void note_record_values(const Unit& entry) {
    if (take_not_finite_written())
        note_not_finite_written(entry.name);
}

// The record about to be shown on the screen: marks the run the same way (a report may be sent
// to the screen in place of its file).
void note_screen_values() {
    if (take_not_finite_written())
        note_not_finite_shown();
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

    std::filebuf file;
    auto mode = std::ios::in | std::ios::out | std::ios::binary;
    if (status != OpenStatus::old_file)
        mode |= std::ios::trunc;
    if (!file.open(name, mode) && status == OpenStatus::old_file)
        file.open(name, std::ios::in | std::ios::binary); // a read-only file
    if (!file.is_open())
        return false;
    Unit& entry = new_unit(unit, name, form);
    entry.file = std::move(file);
    entry.stream.rdbuf(&entry.file);
    if (status == OpenStatus::old_file)
        note_file_read(name);
    else
        note_file_written(name);
    return true;
}

bool connect_unit(int unit, const std::filesystem::path& name, const FileDescriptor& descriptor,
                  FileForm form) {
    if (unit == keyboard_unit || unit == screen_unit)
        unit_fault(unit, "the console units cannot be reconnected");
    close_unit(unit);
    FileDescriptor copy(::fcntl(descriptor.get(), F_DUPFD_CLOEXEC, 0));
    if (!copy.is_open())
        return false;
    Unit& entry = new_unit(unit, name, form);
    entry.descriptor.attach(std::move(copy));
    entry.stream.rdbuf(&entry.descriptor);
    note_file_written(name);
    return true;
}

bool close_unit(int unit, bool delete_file) {
    auto found = units().find(unit);
    if (found == units().end())
        return true;
    Unit& entry = found->second;
    const std::filesystem::path name = entry.name;
    // An end of file met while reading is no close failure; a write that failed is.
    const bool write_failed = entry.stream.bad();
    errno = 0;
    const bool buffer_closed =
        entry.file.is_open() ? entry.file.close() != nullptr : entry.descriptor.close();
    const int close_error = entry.descriptor.error() != 0 ? entry.descriptor.error() : errno;
    const bool closed = buffer_closed && !write_failed;
    if (!closed)
        failed_because(entry.error != 0 ? entry.error : close_error);
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

bool unit_was_written(int unit) {
    auto found = units().find(unit);
    return found != units().end() && found->second.written;
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
        note_screen_values();
        screen() << text << '\n';
        console().screen_line_open = false;
        return;
    }
    Unit& entry = connected(unit);
    note_record_values(entry);
    entry.stream << text << '\n';
    note_write_state(entry);
}

void write_open(int unit, std::string_view text) {
    if (unit == screen_unit) {
        note_screen_values();
        screen() << text;
        screen().flush(); // the prompt must show before the program waits for the answer
        console().screen_line_open = true;
        return;
    }
    Unit& entry = connected(unit);
    note_record_values(entry);
    entry.stream << text;
    note_write_state(entry);
}

void end_of_input_stop() {
    if (console().screen_line_open)
        screen() << '\n';
    screen() << " ++> End of input: session ended." << '\n';
    screen().flush();
    console().screen_line_open = false;
    stop_program(console().work_saved ? StopKind::normal : StopKind::error);
}

WorkSavedScope::WorkSavedScope() : outer_(console().work_saved) {
    console().work_saved = true;
}

WorkSavedScope::~WorkSavedScope() {
    console().work_saved = outer_;
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
    note_write_state(entry);
}

std::optional<std::uintmax_t> unit_file_size(int unit) {
    Unit& entry = connected(unit);
    if (!entry.stream.flush())
        return std::nullopt;
    if (!entry.descriptor.is_open())
        return file_size_of(entry.name);
    struct stat status {};
    if (::fstat(entry.descriptor.descriptor(), &status) != 0)
        return std::nullopt;
    return static_cast<std::uintmax_t>(status.st_size);
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
    if (seam_refuses(FileOperation::remove, name) != 0)
        return false;
    std::error_code error;
    const bool removed = std::filesystem::remove(name, error) && !error;
    if (error)
        failed_because(error.value());
    return removed;
}

bool rename_file(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (seam_refuses(FileOperation::rename, from, to) != 0)
        return false;
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error)
        return failed_because(error.value());
    note_file_renamed(from, to);
    return true;
}

bool link_file(const std::filesystem::path& existing, const std::filesystem::path& second) {
    if (seam_refuses(FileOperation::link, existing, second) != 0)
        return false;
    // linkat without AT_SYMLINK_FOLLOW links the name itself, a link included.
    if (::linkat(AT_FDCWD, existing.c_str(), AT_FDCWD, second.c_str(), 0) != 0)
        return failed_because(errno);
    return true;
}

bool file_system_has_no_links(std::error_code error) {
    // EPERM: a file system without hard links (FAT, some network shares); EMLINK: the file
    // has as many names as it may.
    const int e = error.value();
    return error.category() == std::generic_category() &&
           (e == EPERM || e == EOPNOTSUPP || e == ENOTSUP || e == ENOSYS || e == EMLINK);
}

namespace {

// EINVAL and ENOTSUP from fsync: an object, or a file system, that keeps nothing to sync.
bool nothing_to_sync(int error_number) {
    return error_number == EINVAL || error_number == ENOTSUP || error_number == EOPNOTSUPP;
}

bool sync_descriptor(int descriptor) {
    while (::fsync(descriptor) != 0) {
        if (errno == EINTR)
            continue;
        return nothing_to_sync(errno) || failed_because(errno);
    }
    return true;
}

} // namespace

bool sync_folder_of(const std::filesystem::path& name) {
    if (seam_refuses(FileOperation::sync_folder, name) != 0)
        return false;
    const std::filesystem::path folder = name.has_parent_path() ? name.parent_path() : ".";
    const FileDescriptor opened(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!opened.is_open())
        return failed_because(errno);
    return sync_descriptor(opened.get());
}

std::error_code last_file_error() {
    return file_operations().last_error;
}

std::string file_error_text(std::error_code error) {
    return error ? error.message() : std::string("the system gave no reason");
}

void set_file_operation_hook(FileOperationHook hook) {
    file_operations().hook = std::move(hook);
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

FileDescriptor::~FileDescriptor() {
    (void)close();
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        (void)close();
        descriptor_ = std::exchange(other.descriptor_, -1);
    }
    return *this;
}

bool FileDescriptor::close() {
    if (descriptor_ < 0)
        return true;
    // The descriptor is gone after close(2) even when it reports an error, also EINTR (Linux):
    // it is never closed a second time.
    return ::close(std::exchange(descriptor_, -1)) == 0;
}

FileDescriptor create_file_exclusively(const std::filesystem::path& name) {
    if (seam_refuses(FileOperation::create, name) != 0)
        return {};
    // O_EXCL with O_CREAT fails on any existing name and never follows a link.
    FileDescriptor created(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!created.is_open())
        failed_because(errno);
    return created;
}

FileDescriptor open_file_for_reading(const std::filesystem::path& name, bool follow_link) {
    // O_NONBLOCK: a named pipe at the name must not make the open wait for a writer.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | (follow_link ? 0 : O_NOFOLLOW);
    FileDescriptor opened(::open(name.c_str(), flags));
    struct stat status {};
    if (!opened.is_open() || ::fstat(opened.get(), &status) != 0) {
        failed_because(errno);
        return {};
    }
    if (!S_ISREG(status.st_mode)) {
        failed_because(S_ISDIR(status.st_mode) ? EISDIR : EINVAL);
        return {};
    }
    return opened;
}

bool sync_file(const FileDescriptor& file) {
    if (seam_refuses(FileOperation::sync, {}) != 0)
        return false;
    return sync_descriptor(file.get());
}

bool copy_file_contents(const FileDescriptor& from, const FileDescriptor& to) {
    if (seam_refuses(FileOperation::copy, {}) != 0)
        return false;
    std::vector<char> buffer(65536);
    ::off_t offset = 0;
    for (;;) {
        const ::ssize_t got = ::pread(from.get(), buffer.data(), buffer.size(), offset);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failed_because(errno);
        if (got == 0)
            return true;
        offset += got;
        if (const int error = write_fully(to.get(), buffer.data(), static_cast<std::size_t>(got)))
            return failed_because(error);
    }
}

bool name_holds_file_of(const std::filesystem::path& name, const FileDescriptor& descriptor) {
    struct stat at_name {};
    struct stat open_file {};
    if (!descriptor.is_open() || ::lstat(name.c_str(), &at_name) != 0 ||
        ::fstat(descriptor.get(), &open_file) != 0)
        return false;
    return S_ISREG(at_name.st_mode) && at_name.st_dev == open_file.st_dev &&
           at_name.st_ino == open_file.st_ino;
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
