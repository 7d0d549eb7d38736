// util/file_services.h: opening and closing files with error reports, the write under a temporary
// name, the clock, and the
// image comparison of the session end.
#pragma once

#include "runtime/units.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace lintar {

// IFORM: 1 formatted, 0 unformatted. IOREWR: 1 read an existing file, 0 write a fresh one.
// (The drive number and computer code the callers once passed have no effect and are gone.)
void RHOPEN(std::string_view HFILE, std::int32_t IFORM, std::int32_t IOREWR, int IUNIT,
            std::string_view CALFIL, int IOSCRN);
void HCLOSE(int IUNIT, std::string_view HFILE, std::string_view CALFIL, int IOSCRN);
[[noreturn]] void ACERR(std::string_view WHERE, std::string_view WHO, int IOSCRN);
[[noreturn]] void FILERR(std::string_view FILNM, std::string_view MAINPG, int IOSCRN, int KBD);

// A file written under a temporary name beside its final one ("<name>.tmp") and renamed over
// the final name only when complete, so that a failed write or a crash leaves the old file
// whole. The temporary file is one the writer creates itself: a stale regular file of that
// name (a write cut short) is removed first, but a link, a folder or another object of that
// name is left alone and the write refused with a message on IOSCRN, since writing through a
// link would land the file on whatever it points at. The file is written through the
// descriptor of its creation (connect), never through its name, and renamed only while the
// name still holds that very file: something put in its place meanwhile is refused with the
// same message and left alone, and the final name is left unchanged. Every failure after the
// temporary file was made removes it (while the name is still its own), also a stop while the
// file is written (the destructor).
// temporary_name_of gives the temporary name of a final name.
// `stop` reports a failure naming a file and ends the run; it is called with the final name
// when the temporary name cannot be claimed, the file cannot be connected or written, or the
// rename fails, with the temporary name when a stale file cannot be removed.
std::string temporary_name_of(std::string_view final_name);

class TemporaryFile {
public:
    using Stop = std::function<void(std::string_view name)>;
    TemporaryFile(std::string_view final_name, int IOSCRN, Stop stop);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& name() const { return temporary_name_; }
    // Connects `unit` for writing to the temporary file through its own descriptor.
    void connect(int unit, FileForm form);
    // Stops as fail(final name), after the message, unless the temporary name still holds the
    // file written: a caller that moves other files before commit() checks first.
    void check_still_own();
    // Removes the temporary file and stops through `stop` naming `name`.
    [[noreturn]] void fail(std::string_view name);
    // Renames the complete temporary file over the final name, after check_still_own().
    void commit();

private:
    [[noreturn]] void refuse_in_the_way();
    void remove_own_file();

    std::string final_name_;
    std::string temporary_name_;
    int IOSCRN_;
    Stop stop_;
    FileDescriptor file_;
};

// Called with the temporary name right after each TemporaryFile is created, before anything
// is written to it, for tests that change what stands at the name; empty: nothing is called.
void set_temporary_file_created_hook(std::function<void(const std::string& name)> hook);

void RHDATE(std::int32_t& MM, std::int32_t& DD, std::int32_t& YYYY);
void RHTIME(std::int32_t& NMINS, std::int32_t& NSECS);
void RHDELAY(std::int32_t& SECDLY, std::int32_t& NLOOP);
float CHEWIT(std::int32_t N);

void NOCHNG(std::int32_t& NOCHG, std::span<const std::uint32_t> ARRAY1,
            std::span<const std::uint32_t> ARRAY2, std::int32_t NTEST);
void VRCVRT(std::int32_t IVERSN, float& VERNO);

} // namespace lintar
