// datafile/session_save.cpp: the end of the session, the save with its backups, and the
// hand-over to the squall program.
#include "datafile/session_save.h"

#include "blocks/tpcm.h"
#include "datafile/tpcm_image.h"
#include "runtime/edit_descriptors.h"
#include "runtime/process.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/file_services.h"
#include "util/image_transfer.h"
#include "util/prompts.h"

#include <string>
#include <vector>

namespace lintar {

namespace {

// The low-frequency coefficient file of the program types that keep one; named in the
// warning, never written by this program.
constexpr std::string_view LOWFIL = "LOWDAT";
constexpr std::string_view BAKFL2 = "LASTBAK";

void loss_warning(int EDUNIT, std::string_view DATFIL) {
    CLEAR(EDUNIT);
    write_record(EDUNIT, "");
    write_record(EDUNIT, "");
    write_record(EDUNIT, starting_at(25, ">>> WARNING <<<"));
    write_record(EDUNIT, "");
    write_record(EDUNIT, " This action will result in the loss of data changes to " +
                             std::string(DATFIL) + " or " + std::string(LOWFIL));
    write_record(EDUNIT, " made during this editing session. If you wish to \"Abort\" this");
    write_record(EDUNIT, " decision and reinspect your data, enter \"A\" below.");
}

void handover_warning(int EDUNIT, std::string_view DATFIL) {
    CLEAR(EDUNIT);
    write_record(EDUNIT, "");
    write_record(EDUNIT, "");
    write_record(EDUNIT, starting_at(25, ">>> WARNING <<<"));
    write_record(EDUNIT, "");
    write_record(EDUNIT, " Changes to " + std::string(DATFIL) + ", or " + std::string(LOWFIL) +
                             ", or the Vorlakine excursion disk diameter");
    write_record(EDUNIT, " were detected during this editing session.");
    write_record(EDUNIT, "");
    write_record(EDUNIT,
                 " Chaining to Vorlakine is a VERY bad idea without first rebuilding your support");
    write_record(
        EDUNIT, " files with a normal \"Execute\" (i.e., without chaining directly to Vorlakine).");
    write_record(EDUNIT, "");
    write_record(EDUNIT,
                 " If you wish to Abort this bad decision and review your options, enter \"A\" "
                 "below.");
    write_record(EDUNIT, "");
    write_record(EDUNIT,
                 " If you choose *not* to Abort, the SPMDAT, etc., changes you made will be lost,");
    write_record(EDUNIT, " and your simulation output will likely be seriously compromised.");
}

// The hand-over ends the run: status 0 when the squall program ended well, else 1.
[[noreturn]] void hand_over(std::int32_t CMPUTQ) {
    const int status = CHAIN_SQUAL(CMPUTQ);
    stop_program(status == 0 ? StopKind::normal : StopKind::error);
}

} // namespace

void FINISH(const ProgramIdentity& ID, int KBD, std::int32_t& LBACK, std::int32_t& JMPLOC,
            std::span<const std::uint32_t> IOBUF, std::int32_t& IPAG, int EDUNIT,
            std::int32_t NTOGOQ, bool VORLAKINE_GO) {
    const std::int32_t end_code = LBACK;
    LBACK = 0;
    IPAG = 0;
    JMPLOC = 0;
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t NOCHG = 1;
    NOCHNG(NOCHG, image, IOBUF, NTOGOQ);
    const bool changed = NOCHG == 0;

    if (end_code == 101) {
        if (changed) {
            if (VORLAKINE_GO)
                handover_warning(EDUNIT, ID.DATFIL);
            else
                loss_warning(EDUNIT, ID.DATFIL);
            std::int32_t answer = 0;
            ABORT0(EDUNIT, KBD, answer);
            if (answer == -1) {
                JMPLOC = 1;
                return;
            }
            if (VORLAKINE_GO) {
                write_record(EDUNIT, "");
                write_record(EDUNIT, " >>> Chaining to Vorlakine");
            }
        }
        if (VORLAKINE_GO)
            hand_over(ID.CMPUTQ);
        stop_program(StopKind::user_choice);
    }

    // Every file this program writes holds the layout's word count in its first word, also
    // when the loaded file's own count was damaged.
    image[0] = static_cast<std::uint32_t>(NTOGOQ);
    if (changed)
        BACKIT(EDUNIT, ID.EDPRG, ID.CMPUTQ, NTOGOQ, image, ID.DATFIL, ID.BAKFIL, BAKFL2);
    if (end_code != code_execute)
        stop_program(StopKind::normal);

    // After an Execute: the closing message stays on the console until Return is typed, in a
    // silent run too. The data file is saved and ready by then, so input that ends at this
    // pause ends a finished session (status 0), with the end-of-input line.
    constexpr int unit = screen_unit;
    CLEAR(unit);
    write_record(unit, "");
    write_record(unit, starting_at(20, ">>> Kelbrin Editor Software <<<"));
    write_record(unit, "");
    write_record(unit, "");
    write_record(unit, starting_at(11, "This data file passed preliminary error checks;"));
    write_record(unit, starting_at(14, "it is ready for submission to the server."));
    write_record(unit, starting_at(11, "Run lintar-engine in this folder to analyse it."));
    write_record(unit, "");
    std::int32_t dropped = 0;
    {
        const WorkSavedScope saved;
        PRSRET(unit, KBD, dropped);
    }
    stop_program(StopKind::normal);
}

// The data file is never written in place, and its name never stands empty: at every instant
// DATFIL holds the old image or the new one, whole, also after a crash or a power cut.
//  1. The new image is written under a temporary name of the save's own (TemporaryFile, written
//     through the descriptor of its creation) and synced to the disk.
//  2. The file on disk, as it is, becomes the backup without leaving DATFIL: it is given a
//     second name beside BAKFIL (a hard link, or a synced copy where the file system has none),
//     the old backup is renamed to BAKFL2, and the second name is renamed to BAKFIL. A new file
//     created over an existing one ("C") thus keeps the old file as the backup.
//  3. The new image is renamed over DATFIL in one step, and the folder is synced.
// A link or a folder in the way of a temporary name refuses the save. A failure at any step
// removes the save's temporary names, leaves DATFIL as it was, and ends the run with the
// file-access report, the step that failed with the system's reason, and what is on disk.
void BACKIT(int EDUNIT, std::string_view EDPROG, std::int32_t CMPUTR, std::int32_t NTOGOQ,
            std::span<std::uint32_t> IDUM, std::string_view DATFIL, std::string_view BAKFIL,
            std::string_view BAKFL2) {
    (void)CMPUTR; // the computer code changes only how an image is read
    const std::string data_file(DATFIL);
    const auto stop = [&](const FileFailure& failure) {
        const bool replaced = failure.final_name_replaced && failure.name == data_file;
        const std::string on_disk =
            replaced ? data_file + " holds the new data, but its rename may not survive a power cut"
                     : data_file + " on disk is unchanged";
        ACERR_BECAUSE(EDPROG, failure, on_disk, EDUNIT);
    };
    TemporaryFile temporary(DATFIL, EDUNIT, stop);
    temporary.connect(1, FileForm::unformatted);
    std::int32_t IERR = 0;
    write_image_to_unit(NTOGOQ, 1, IERR, IDUM);
    if (IERR != 0)
        temporary.fail_writing();
    temporary.sync();
    // The generations move only while the image is still where it was written.
    temporary.check_still_own();
    if (file_exists(data_file)) {
        TemporaryFile backup(BAKFIL, EDUNIT, stop, TemporaryFile::SecondNameOf{data_file});
        const std::string old_backup(BAKFIL);
        if (file_exists(old_backup) && !rename_file(old_backup, std::string(BAKFL2)))
            temporary.fail({std::string(BAKFL2),
                            "Renaming " + old_backup + " to " + std::string(BAKFL2),
                            last_file_error()});
        backup.commit();
    }
    temporary.commit();
}

int CHAIN_SQUAL(std::int32_t CMPUTQ) {
    if (CMPUTQ != 5 && CMPUTQ != 21) {
        write_record(screen_unit, "++> Undefined OS type! Aborting out of CHAIN_SQUAL");
        stop_program(StopKind::error);
    }
    // The shell of this platform starts the program (the Windows build wrapped it in its own
    // command shell) and waits for it; if it is not installed, the shell says so.
    const int status = run_command("Vorlakine");
    if (status != 0)
        write_record(screen_unit, " ++> Vorlakine ended with status " + std::to_string(status));
    return status;
}

void HARDWIRE() {
    if (TPCM.AUXFRC == 1 && is_true(TPCM.LSPM)) {
        if (TPCM.LVMR1 == 1)
            TPCM.VESMOM = 0.0f;
        if (TPCM.AXFC2 == 1 && TPCM.LVMR2 == 1)
            TPCM.VESMO2 = 0.0f;
        if (TPCM.AXFC3 == 1 && TPCM.LVMR3 == 1)
            TPCM.VESMO3 = 0.0f;
    }
    if (TPCM.VESTYP != 4) {
        TPCM.MORFBK = 0;
        TPCM.CATFBK = 0;
    }
}

} // namespace lintar
