// support/temporary_files.h: a race at a temporary file's name, played out by the tests of
// every writer that saves under a temporary name.
#pragma once

#include "util/file_services.h"

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>

namespace lintar::testing {

// How the name of a temporary file is taken over between its creation and the first write.
enum class Takeover {
    link_in_place,   // the file removed and a link put at its name
    file_moved_away, // the file renamed to "<name>.moved" and a link put at its name
};

// While it lives, every temporary file just created has a link to `target` put at its name
// (before anything is written to it), as a process racing the writer would.
class LinkAtTemporaryName {
public:
    LinkAtTemporaryName(std::filesystem::path target, Takeover how) {
        set_temporary_file_created_hook([target = std::move(target), how](const std::string& name) {
            if (how == Takeover::file_moved_away)
                std::filesystem::rename(name, name + ".moved");
            else
                std::filesystem::remove(name);
            std::filesystem::create_symlink(target, name);
        });
    }
    ~LinkAtTemporaryName() { set_temporary_file_created_hook({}); }
    LinkAtTemporaryName(const LinkAtTemporaryName&) = delete;
    LinkAtTemporaryName& operator=(const LinkAtTemporaryName&) = delete;
};

// While it lives, `hook` is called before each file operation of the runtime's file layer
// (set_file_operation_hook): a test records the operations of a save, stops it after any of
// them, or fails one.
class FileOperationSeam {
public:
    explicit FileOperationSeam(FileOperationHook hook) { set_file_operation_hook(std::move(hook)); }
    ~FileOperationSeam() { set_file_operation_hook({}); }
    FileOperationSeam(const FileOperationSeam&) = delete;
    FileOperationSeam& operator=(const FileOperationSeam&) = delete;
};

// While it lives, no file of the process grows beyond `bytes`: a write past the limit fails
// (EFBIG, the signal ignored) as it would on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, saved_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*saved_handler_)(int) = SIG_DFL;
};

} // namespace lintar::testing
