// util/file_services.h: opening and closing files with error reports, the write under a temporary
// name, the clock, and the
// image comparison of the session end.
#pragma once

#include "runtime/units.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace lintar {

// IFORM: 1 formatted, 0 unformatted. IOREWR: 1 read an existing file, 0 write a fresh one.
// (The drive number and computer code the callers once passed have no effect and are gone.)
void RHOPEN(std::string_view HFILE, std::int32_t IFORM, std::int32_t IOREWR, int IUNIT,
            std::string_view CALFIL, int IOSCRN);
// HCLOSE: a close that fails (a write the system could not complete) ends the run with the
// file-access report naming CALFIL and HFILE, the system's reason and, for a file written, the
// line "     <HFILE> on disk is incomplete".
void HCLOSE(int IUNIT, std::string_view HFILE, std::string_view CALFIL, int IOSCRN);
[[noreturn]] void ACERR(std::string_view WHERE, std::string_view WHO, int IOSCRN);
struct FileFailure;
// ACERR for a write under a temporary name that failed: its two lines, then
// "     <step> failed: <the system's reason>" and "     <on_disk>" (what the disk now holds).
[[noreturn]] void ACERR_BECAUSE(std::string_view WHERE, const FileFailure& failure,
                                std::string_view on_disk, int IOSCRN);
// The file-access report of ACERR with lines of its own after the file name (each indented
// five blanks), the Return pause (none in an unattended run) and an error stop.
[[noreturn]] void file_access_report(std::string_view WHERE, std::string_view WHO,
                                     std::initializer_list<std::string> more, int IOSCRN);
[[noreturn]] void FILERR(std::string_view FILNM, std::string_view MAINPG, int IOSCRN, int KBD);

// What made a write under a temporary name fail, for its report: the file the report names,
// the step that failed ("Writing CATDAT.tmp", "Renaming CATDAT.tmp to CATDAT"), the system's
// reason, and whether the final name already holds the new file (only the sync of the folder
// after the rename fails so: every earlier failure leaves the final name as it was).
struct FileFailure {
    std::string name;
    std::string step;
    std::error_code reason;
    bool final_name_replaced = false;
};

// A file written under a temporary name beside its final one ("<name>.tmp") and renamed over
// the final name only when complete and synced to the disk, so that a failed write, a crash or
// a power cut leaves the final name holding either the old file or the new one, whole.
// The temporary file is one the writer makes itself: a stale regular file of that name (a
// write cut short) is removed first, but a link, a folder or another object of that name is
// left alone and the write refused with a message on IOSCRN, since writing through a link would
// land the file on whatever it points at. The file is written through the descriptor of its
// creation (connect), never through its name, and renamed only while the name still holds that
// very file: something put in its place meanwhile is refused with the same message and left
// alone, and the final name is left unchanged. Every failure after the temporary file was made
// removes it (while the name is still its own), also a stop while the file is written (the
// destructor).
// The second constructor gives an existing file a second name under the temporary name instead
// (a hard link, or where the file system has none a copy of its contents), so that commit()
// puts the file at the final name while the existing name keeps it: the save's way of turning
// the data file into its backup without ever taking it away.
// `stop` reports a failure and ends the run (FileFailure says what failed).
// temporary_name_of gives the temporary name of a final name.
std::string temporary_name_of(std::string_view final_name);

class TemporaryFile {
public:
    using Stop = std::function<void(const FileFailure& failure)>;
    TemporaryFile(std::string_view final_name, int IOSCRN, Stop stop);
    struct SecondNameOf {
        std::string existing;
    };
    TemporaryFile(std::string_view final_name, int IOSCRN, Stop stop, const SecondNameOf& file);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::string& name() const { return temporary_name_; }
    // Connects `unit` for writing to the temporary file through its own descriptor.
    void connect(int unit, FileForm form);
    // Stops as fail() on the final name, after the message, unless the temporary name still
    // holds the file written: a caller that moves other files before commit() checks first.
    void check_still_own();
    // Syncs the file's data to the disk (commit() does it when it has not been done).
    void sync();
    // Removes the temporary file and stops through `stop`: the write of the file failed
    // (the unit's write or close, or the caller's check of what was written).
    [[noreturn]] void fail_writing();
    // Removes the temporary file and stops through `stop` with the failure given: a step of
    // the caller's own (a rename of other files) that makes the final rename pointless.
    [[noreturn]] void fail(FileFailure failure);
    // Syncs the file, renames it over the final name after check_still_own(), then syncs the
    // folder so that the rename itself survives a power cut.
    void commit();

private:
    void claim_temporary_name();
    [[noreturn]] void refuse_in_the_way();
    [[noreturn]] void fail_step(std::string step);
    void remove_own_file();

    std::string final_name_;
    std::string temporary_name_;
    int IOSCRN_;
    Stop stop_;
    FileDescriptor file_;
    bool synced_ = false;
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
