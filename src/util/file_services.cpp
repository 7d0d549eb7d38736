// util/file_services.cpp: opening and closing files with error reports, the write under a temporary
// name, the clock, and the
// image comparison of the session end.
#include "util/file_services.h"

#include "runtime/clock.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

namespace lintar {

// RHOPEN: connects HFILE to IUNIT at its start: an existing file for reading (IOREWR 1), or a
// fresh empty file for writing (IOREWR 0), replacing whatever was there. A file that cannot
// be opened ends the run through ACERR with the caller's name.
void RHOPEN(std::string_view HFILE, std::int32_t IFORM, std::int32_t IOREWR, int IUNIT,
            std::string_view CALFIL, int IOSCRN) {
    const FileForm form = IFORM == 1 ? FileForm::formatted : FileForm::unformatted;
    const OpenStatus status = IOREWR == 1 ? OpenStatus::old_file : OpenStatus::replace;
    if (!open_unit(IUNIT, std::string(HFILE), status, form))
        ACERR(CALFIL, HFILE, IOSCRN);
}

// HCLOSE: disconnects IUNIT keeping the file; a failed close ends the run with the file-access
// report, which adds the system's reason and, for a file the run wrote (a report), that the file
// on disk is incomplete.
void HCLOSE(int IUNIT, std::string_view HFILE, std::string_view CALFIL, int IOSCRN) {
    const bool written = unit_was_written(IUNIT);
    if (close_unit(IUNIT))
        return;
    const std::string name(HFILE);
    const std::string reason = file_error_text(last_file_error());
    if (written)
        file_access_report(
            CALFIL, HFILE,
            {"Writing " + name + " failed: " + reason, name + " on disk is incomplete"}, IOSCRN);
    file_access_report(CALFIL, HFILE, {"Closing " + name + " failed: " + reason}, IOSCRN);
}

// ACERR: the file-access report, the Return pause (none in an unattended run) and an error
// stop.
void ACERR(std::string_view WHERE, std::string_view WHO, int IOSCRN) {
    file_access_report(WHERE, WHO, {}, IOSCRN);
}

void ACERR_BECAUSE(std::string_view WHERE, const FileFailure& failure, std::string_view on_disk,
                   int IOSCRN) {
    file_access_report(
        WHERE, failure.name,
        {failure.step + " failed: " + file_error_text(failure.reason), std::string(on_disk)},
        IOSCRN);
}

void file_access_report(std::string_view WHERE, std::string_view WHO,
                        std::initializer_list<std::string> more, int IOSCRN) {
    write_record(IOSCRN, "");
    write_record(IOSCRN, " ++> File not found or file access error in " + std::string(WHERE));
    write_record(IOSCRN, "     File name: " + std::string(WHO));
    for (const std::string& line : more)
        write_record(IOSCRN, "     " + line);
    write_record(IOSCRN, " ");
    WRTLIN("Press <RETURN> to continue: ", IOSCRN);
    if (IOSCRN != diagnostics_unit)
        (void)read_answer(12);
    stop_program(StopKind::error);
}

std::string temporary_name_of(std::string_view final_name) {
    return std::string(final_name) + ".tmp";
}

namespace {
struct TemporaryFileHooks {
    std::function<void(const std::string&)> created;
};
TemporaryFileHooks& hooks() {
    static TemporaryFileHooks state;
    return state;
}
} // namespace

void set_temporary_file_created_hook(std::function<void(const std::string& name)> hook) {
    hooks().created = std::move(hook);
}

TemporaryFile::TemporaryFile(std::string_view final_name, int IOSCRN, Stop stop)
    : final_name_(final_name), temporary_name_(temporary_name_of(final_name)), IOSCRN_(IOSCRN),
      stop_(std::move(stop)) {
    claim_temporary_name();
    file_ = create_file_exclusively(temporary_name_);
    if (!file_.is_open())
        fail_step("Creating " + temporary_name_);
    if (hooks().created)
        hooks().created(temporary_name_);
}

// The existing file's second name is a hard link made under the temporary name; the file is
// then held open, so that what the temporary name holds can be checked as for a file written.
// A link at the existing name, or a file system without hard links, gives a copy instead,
// written like any temporary file and synced before it takes the final name.
TemporaryFile::TemporaryFile(std::string_view final_name, int IOSCRN, Stop stop,
                             const SecondNameOf& file)
    : final_name_(final_name), temporary_name_(temporary_name_of(final_name)), IOSCRN_(IOSCRN),
      stop_(std::move(stop)) {
    claim_temporary_name();
    FileDescriptor existing = open_file_for_reading(file.existing, false);
    if (existing.is_open()) {
        if (link_file(file.existing, temporary_name_)) {
            file_ = std::move(existing);
            check_still_own();
            return;
        }
        if (!file_system_has_no_links(last_file_error()))
            fail_step("Giving " + file.existing + " the second name " + temporary_name_);
    } else {
        existing = open_file_for_reading(file.existing, true);
        if (!existing.is_open())
            fail_step("Reading " + file.existing);
    }
    file_ = create_file_exclusively(temporary_name_);
    if (!file_.is_open())
        fail_step("Creating " + temporary_name_);
    if (!copy_file_contents(existing, file_))
        fail_step("Copying " + file.existing + " to " + temporary_name_);
}

TemporaryFile::~TemporaryFile() {
    remove_own_file();
}

// A stale regular file at the temporary name (a write cut short) is removed; anything else
// there is not ours, and refused.
void TemporaryFile::claim_temporary_name() {
    const FileKind in_the_way = file_kind(temporary_name_);
    if (in_the_way == FileKind::link || in_the_way == FileKind::folder ||
        in_the_way == FileKind::other)
        refuse_in_the_way();
    if (in_the_way == FileKind::regular && !delete_file(temporary_name_))
        fail({temporary_name_, "Removing the stale " + temporary_name_, last_file_error()});
}

void TemporaryFile::connect(int unit, FileForm form) {
    if (!connect_unit(unit, temporary_name_, file_, form))
        fail_writing();
}

void TemporaryFile::check_still_own() {
    if (!name_holds_file_of(temporary_name_, file_))
        refuse_in_the_way();
}

void TemporaryFile::sync() {
    if (synced_)
        return;
    if (!sync_file(file_))
        fail_step("Syncing " + temporary_name_ + " to the disk");
    synced_ = true;
}

void TemporaryFile::fail_writing() {
    fail_step("Writing " + temporary_name_);
}

void TemporaryFile::fail_step(std::string step) {
    fail({final_name_, std::move(step), last_file_error()});
}

void TemporaryFile::fail(FileFailure failure) {
    remove_own_file();
    stop_(failure);
    stop_program(StopKind::error); // a report that came back still ends the run
}

void TemporaryFile::commit() {
    sync();
    check_still_own();
    const std::string step = "Renaming " + temporary_name_ + " to " + final_name_;
    if (!rename_file(temporary_name_, final_name_))
        fail_step(step);
    (void)file_.close();
    if (!sync_folder_of(final_name_))
        fail({final_name_, "Syncing the folder after the rename to " + final_name_,
              last_file_error(), true});
}

// The message of a name that is not the writer's own file, and the refusal; whatever stands
// at the name is not ours and is left alone.
void TemporaryFile::refuse_in_the_way() {
    write_record(IOSCRN_, "");
    write_record(IOSCRN_, " ++> The save needs the name " + temporary_name_ +
                              " for a file of its own, but a link,");
    write_record(IOSCRN_, "     a folder or another object of that name is in the way.");
    fail({final_name_, "Claiming the name " + temporary_name_,
          std::make_error_code(std::errc::file_exists)});
}

// Removes the temporary file by its name only while the name still holds the file this
// writer created (or the second name it gave); the descriptor is closed either way.
void TemporaryFile::remove_own_file() {
    if (file_.is_open() && name_holds_file_of(temporary_name_, file_))
        (void)delete_file(temporary_name_);
    (void)file_.close();
}

// FILERR: the read-error report of a user table, the Return pause and an error stop.
void FILERR(std::string_view FILNM, std::string_view MAINPG, int IOSCRN, int KBD) {
    write_record(IOSCRN, "");
    write_record(IOSCRN,
                 " ++> End of file or related file error in routine " + std::string(MAINPG));
    write_record(IOSCRN, "     file name " + std::string(FILNM));
    fatal_stop(IOSCRN, KBD);
}

// RHDATE: the local calendar date.
void RHDATE(std::int32_t& MM, std::int32_t& DD, std::int32_t& YYYY) {
    const LocalTime now = local_time_now();
    MM = now.month;
    DD = now.day;
    YYYY = now.year;
}

// RHTIME: the local time as minutes since midnight and seconds within the minute.
void RHTIME(std::int32_t& NMINS, std::int32_t& NSECS) {
    const LocalTime now = local_time_now();
    NMINS = 60 * now.hour + now.minute;
    NSECS = now.second;
}

// RHDELAY: waits SECDLY seconds (held to a day, in the caller's variable too) by polling the
// clock; NLOOP counts the polls. The day of the month changing adds a day to the elapsed
// count, so a wait across midnight ends. The polls sleep between readings rather than spin.
void RHDELAY(std::int32_t& SECDLY, std::int32_t& NLOOP) {
    NLOOP = 0;
    if (SECDLY > 86400)
        SECDLY = 86400;
    if (SECDLY <= 0)
        return;
    // Time and day come from one reading, so a poll at midnight cannot pair the old time with
    // the new day.
    const auto seconds_of_day = [](const LocalTime& t) {
        return 3600 * t.hour + 60 * t.minute + t.second;
    };
    const LocalTime start = local_time_now();
    const std::int32_t STRTSECS = seconds_of_day(start);
    std::int32_t CHKSECS = 0;
    do {
        pause_between_polls();
        const LocalTime now = local_time_now();
        const std::int32_t TMPSECS = seconds_of_day(now);
        (void)CHEWIT(TMPSECS);
        NLOOP = NLOOP + 1;
        CHKSECS = TMPSECS - STRTSECS;
        if (now.day != start.day)
            CHKSECS += 86400;
    } while (CHKSECS < SECDLY);
}

// CHEWIT: a little floating-point work on N; the callers drop the result.
float CHEWIT(std::int32_t N) {
    const float x = static_cast<float>(N);
    return std::acos(std::cos(x) / 2.0f);
}

// NOCHNG: NOCHG 1 when the first NTEST words of the two images are equal, else 0.
void NOCHNG(std::int32_t& NOCHG, std::span<const std::uint32_t> ARRAY1,
            std::span<const std::uint32_t> ARRAY2, std::int32_t NTEST) {
    NOCHG = 1;
    if (NTEST <= 0)
        return;
    const auto count = std::min({static_cast<std::size_t>(NTEST), ARRAY1.size(), ARRAY2.size()});
    if (!std::equal(ARRAY1.begin(), ARRAY1.begin() + static_cast<std::ptrdiff_t>(count),
                    ARRAY2.begin()))
        NOCHG = 0;
}

// VRCVRT: the four bytes of an integer word read as the real they hold (no conversion).
void VRCVRT(std::int32_t IVERSN, float& VERNO) {
    VERNO = std::bit_cast<float>(IVERSN);
}

} // namespace lintar
