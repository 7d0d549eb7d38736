// datafile/file_identification.cpp: what a loaded data file is, the load notes, and the choice
// of version update or import adjustment.
#include "datafile/file_identification.h"

#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"
#include "datafile/new_file_defaults.h"
#include "datafile/startup_load.h"
#include "datafile/version_updates.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/prompts.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <string>

namespace lintar {

namespace {

// Two versions closer than this are the same version.
constexpr float version_tolerance = 0.001f;

// The largest field CHSWAP takes: the size of its work area.
constexpr std::int32_t chswap_work_bytes = 200;

// Computer codes 4 and below are big-endian machines, 5 and above little-endian ones.
bool other_byte_order(std::int32_t CMPUTQ, std::int32_t CMPUTR) {
    return (CMPUTQ <= 4) != (CMPUTR <= 4);
}

// The program types whose images hold the subline names SCOMP.
bool has_subline_names(std::int32_t type) {
    switch (type) {
    case 7:
    case 8:
    case 10:
    case 12:
    case 13:
    case 14:
    case 15:
    case 17:
        return true;
    default:
        return false;
    }
}

// The version comparison of the load: the program's version minus the file's, as reals. A
// file version that is no number (a damaged header) counts as older, so it is never taken as
// the current version.
struct VersionCheck {
    bool older; // the file predates the program
    bool newer; // the file postdates it
    bool differs() const { return older || newer; }
};

VersionCheck compare_versions(float VERNQ, float VERNO) {
    const float difference = std::fabs(VERNQ) - std::fabs(VERNO);
    return {difference > version_tolerance || std::isnan(difference),
            difference < -version_tolerance};
}

// One word of an image held as words: word n (from 1) of the member at `offset`, 0 beyond the
// words held.
template <class T> T image_member(std::span<const std::uint32_t> image, std::size_t offset) {
    const std::size_t word = offset / 4;
    if (word >= image.size())
        return T{};
    return read_as<T>(&image[word]);
}

// The version of an identity: VERNO, or the older version word when VERNO is 0.
float version_of(float VERNO, std::int32_t IVERSN) {
    if (VERNO == 0.0f)
        VRCVRT(IVERSN, VERNO);
    return VERNO;
}

// A version in a sentence: F5.2 without its leading blanks.
std::string version_text(float VERNO) {
    const std::string field = F(std::fabs(VERNO), 5, 2);
    return field.substr(std::min(field.find_first_not_of(' '), field.size()));
}

// A note preceded by a blank line.
void note_after_blank(int EDUNIT, std::string_view text) {
    write_note(EDUNIT, "");
    write_note(EDUNIT, text);
}

// The abort prompt: "A" ends the run as the user's choice.
void abort_prompt(int EDUNIT) {
    std::int32_t LBACK = 0;
    ABORT0(EDUNIT, keyboard_unit, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

// The updater of the running program type, for a file of the same type.
void run_updater(std::int32_t CREATQ, float VERNQ, std::int32_t& IFLAG, std::int32_t NFOUND,
                 int EDUNIT) {
    std::int32_t IFLAG2 = 0;
    switch (CREATQ) {
    case 1:
        SHPUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 2:
        JCKUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 3:
        SEMUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 4:
        DSCUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 7:
        STMUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 8:
        CATUPD(VERNQ, IFLAG, NFOUND);
        return;
    case 10:
        TOWUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 11:
        SLMUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 12:
    case 14:
    case 15:
    case 17:
        MORUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 13:
        CLMUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    case 16:
        SLOUPD(VERNQ, IFLAG, IFLAG2, EDUNIT);
    default:
        note_after_blank(EDUNIT, " ++> Unknown file type...");
        fatal_stop(EDUNIT, keyboard_unit);
    }
}

// The notes of a file of this program type: older (or marked for 49 fairleads), newer, or of
// another version increment; an older one is updated.
void same_type_notes(const ProgramIdentity& ID, const VersionCheck& version, std::int32_t IFLAG,
                     std::int32_t NFOUND, std::uint32_t CONSOLE_WORD, int EDUNIT) {
    const std::string versions = "(version " + F(std::fabs(TPCM.VERNO), 5, 2) + ") ";
    const std::string program = " simulation (version " + F(std::fabs(ID.VERNQ), 5, 2) + ")";
    if (version.older || TPCM.DAT_ID == 49) {
        if (version.older)
            note_after_blank(EDUNIT,
                             " ++> Version mismatch: Data " + versions + "predates" + program);
        write_note(EDUNIT, "     Although a reasonable effort has been made to insure forward");
        write_note(EDUNIT, "     compatibility of data files, this cannot be guaranteed.");
        write_note(EDUNIT, "     Carefully inspect each editor screen before proceeding...");
        write_note(EDUNIT, " ");
        // The load wrote the console unit into its word of the current layout; in an older
        // layout that word belongs to another member, so the file's own word goes back before
        // the update moves anything.
        std::memcpy(&TPCM.EDUNIT, &CONSOLE_WORD, sizeof CONSOLE_WORD);
        run_updater(ID.CREATQ, ID.VERNQ, IFLAG, NFOUND, EDUNIT);
        TPCM.EDUNIT = EDUNIT;
    } else if (version.newer) {
        note_after_blank(EDUNIT, " ++> Version mismatch: Data " + versions + "POSTDATES" + program);
        write_note(EDUNIT, "     Data files are NOT generally backwards-compatible!");
        write_note(EDUNIT, "     Carefully inspect each editor screen before proceeding...");
    } else if (TPCM.IVERS_SUFX != 0) {
        note_after_blank(EDUNIT, " ++> Version increment mismatch: ");
        write_note(EDUNIT, "     DATfile  version  increment  = " + I(TPCM.IVERS_SUFX, 2));
        write_note(EDUNIT, "     Simulation version increment = " + I(0, 2));
    }
}

// The notes of a file of another program type: refused unless it has the program's version,
// else the import adjustment of the running program type.
void other_type_notes(const ProgramIdentity& ID, const VersionCheck& version, int EDUNIT) {
    const std::int32_t file_type = TPCM.SIMTYP;
    const std::string creator(program_identifier(file_type));
    note_after_blank(EDUNIT, " ++> Input Data File Creator was " + creator);
    if (version.differs()) {
        write_note(EDUNIT, "     Before importing this data file, you MUST first update it");
        write_note(EDUNIT, "     with version " + F(std::fabs(ID.VERNQ), 5, 2) + " of " + creator +
                               " on the originating computer platform.");
        fatal_stop(EDUNIT, keyboard_unit);
    }
    if (ID.CREATQ == 16) {
        SLOIMPORT();
        if (file_type == 14) {
            write_note(EDUNIT, "     Note: Due to missing tendon information, imports into "
                               "Pentrow from Gordax");
            write_note(EDUNIT, "           cannot presently model the correct wave response "
                               "required for");
            write_note(EDUNIT, "           evaluation of wave reflection and absorption "
                               "coefficients. The");
            write_note(EDUNIT, "           resulting errors are usually small, but not "
                               "necessarily negligible.");
        }
    }
    if (ID.CREATQ == 8)
        CATIMPORT(file_type);
    if (ID.CREATQ >= 10 && file_type < 10 && TPCM.NUMTAB == 0)
        MRINIT('C', ID.CREATQ);
    write_note(EDUNIT,
               "     Although a reasonable effort has been made to achieve cross-compatibility");
    write_note(EDUNIT, "     between data files of different simulations, this cannot be "
                       "guaranteed.");
    write_note(EDUNIT, "     Carefully inspect each editor screen before proceeding...");
    write_note(EDUNIT, " ");
    std::int32_t IFLAG = 0, IFLAG2 = 0;
    if (file_type == 12 && ID.CREATQ == 15)
        MORUPD(ID.VERNQ, IFLAG, IFLAG2, EDUNIT);
    if (file_type == 9 && ID.CREATQ == 16)
        SLOUPD(ID.VERNQ, IFLAG, IFLAG2, EDUNIT);
    if (ID.CREATQ == 17)
        TPCM.VESTYP = 6;
}

// The subline names of a file from the other byte order, in their current places.
void swap_subline_names(int EDUNIT) {
    for (int t = 1; t <= 150; ++t)
        for (int e = 1; e <= 25; ++e)
            CHSWAP(TPCM.SCOMP(e, t), 8, EDUNIT, keyboard_unit);
}

} // namespace

FileIdentity identity_of(const TpcmBlock& block) {
    return {block.NTOGO,
            block.SIMTYP,
            block.DP_FLAG,
            block.NUNTS,
            block.CMPUTR,
            block.IVERS_SUFX,
            version_of(block.VERNO, block.IVERSN)};
}

FileIdentity identity_of(std::span<const std::uint32_t> image) {
    const auto word = [&](std::size_t offset) { return image_member<std::int32_t>(image, offset); };
    return {word(offsetof(TpcmBlock, NTOGO)),
            word(offsetof(TpcmBlock, SIMTYP)),
            word(offsetof(TpcmBlock, DP_FLAG)),
            word(offsetof(TpcmBlock, NUNTS)),
            word(offsetof(TpcmBlock, CMPUTR)),
            word(offsetof(TpcmBlock, IVERS_SUFX)),
            version_of(image_member<float>(image, offsetof(TpcmBlock, VERNO)),
                       word(offsetof(TpcmBlock, IVERSN)))};
}

std::int32_t program_word_count(std::int32_t type) {
    switch (type) {
    case 1:
    case 4:
        return 1987;
    case 3:
    case 16:
    case 11:
        return 4975;
    case 10:
    case 12:
    case 13:
    case 14:
    case 15:
    case 17:
        return 78635;
    case 7:
        return 79524;
    case 8:
        return tpcm_word_count;
    default:
        return 0;
    }
}

bool versions_differ(float VERNQ, float file_VERNO) {
    return compare_versions(VERNQ, file_VERNO).differs();
}

// load_refusal: the refusals and damage reports of check_word_count, identify_data_file,
// CATUPD and check_unit_system, in the load's order.
std::optional<std::string> load_refusal(std::int32_t CREATQ, float VERNQ,
                                        const FileIdentity& file) {
    const std::int32_t code = load_check_code(file, CREATQ);
    if (code == -1)
        return "is not a data file of this program family (its program-type word is damaged)";
    if (code == 1)
        return "is damaged: it holds more words than its program writes";
    if (file.DP_FLAG == 1)
        return "was written with another precision";
    if (file.SIMTYP != CREATQ && versions_differ(VERNQ, file.VERNO))
        return "was written by " + std::string(program_identifier(file.SIMTYP)) + " version " +
               version_text(file.VERNO) + "; update it with version " + version_text(VERNQ) +
               " of that program first";
    if (file.SIMTYP == CREATQ && too_old_to_update(file.VERNO, VERNQ))
        return "is too old to update (version " + version_text(file.VERNO) + ")";
    if (unit_system_damaged(file))
        return "is damaged: its unit-system word is neither English nor metric";
    return std::nullopt;
}

void write_note(int EDUNIT, std::string_view text) {
    write_record(EDUNIT, text);
    write_record(note_unit, text);
}

// CHSWAP: changes only the field; ends the run for a field longer than the work area.
void CHSWAP(std::span<char> C, std::int32_t LEN, int EDUNIT, int KBD) {
    // A longer field would overrun the work area: the field is left as it is and the run ends.
    if (LEN > chswap_work_bytes) {
        write_record(EDUNIT, " ++> LEN overflow in chswap!");
        fatal_stop(EDUNIT, KBD);
    }
    LINTAR_ASSERT(LEN <= static_cast<std::int32_t>(C.size()), "CHSWAP past its field");
    for (std::int32_t k = 0; k + 4 <= LEN; k += 4)
        std::reverse(C.begin() + k, C.begin() + k + 4);
}

// DATCRPT: writes on EDUNIT only.
void DATCRPT(int EDUNIT, std::int32_t I) {
    CLEAR(EDUNIT);
    write_record(EDUNIT, " ");
    switch (I) {
    case 1:
        write_record(EDUNIT, " ++> Warning: Data file is corrupt.");
        break;
    case 2:
        write_record(EDUNIT, " ++> Warning: Data file is seriously corrupt or from a very early "
                             "version.");
        write_record(EDUNIT, "              Inspect all editor pages with particular care...");
        break;
    case 3:
        write_record(EDUNIT, " ++> Warning: Data file is seriously corrupt.");
        write_record(EDUNIT, "              Some versions of Internet Explorer can cause this "
                             "problem.");
        break;
    case 4:
        write_record(EDUNIT, " ++> Warning: Data file is seriously corrupt.");
        write_record(EDUNIT, "              It will very probably crash the simulation if you "
                             "continue...");
        break;
    default:
        break;
    }
    write_record(EDUNIT, " ");
}

// load_check_code: reads NTOGO and SIMTYP of TPCM.
std::int32_t load_check_code(std::int32_t CREATQ) {
    return load_check_code(identity_of(TPCM), CREATQ);
}

std::int32_t load_check_code(const FileIdentity& file, std::int32_t CREATQ) {
    const std::int32_t type = file.SIMTYP;
    if (type < 1 || type > 17)
        return -1;
    const std::int32_t expected = program_word_count(type);
    if (expected == 0 || file.NTOGO == expected)
        return 0;
    const bool own_codes = type == CREATQ || type == 7 || type == 8 || type == 11;
    if (file.NTOGO > expected)
        return own_codes ? 1 : 3;
    return own_codes ? 2 : 4;
}

// check_word_count: reads TPCM; the prompt cannot be answered in an unattended run, which
// stops there (status 1).
void check_word_count(std::int32_t CREATQ) {
    if (!word_count_warning_needed(CREATQ))
        return;
    DATCRPT(screen_unit, load_check_code(CREATQ) == -1 ? 4 : 2);
    std::int32_t LBACK = 0;
    SERV_ABORT(screen_unit, keyboard_unit, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

// load_notes_needed: reads TPCM (before any byte swap of the identification).
bool load_notes_needed(const ProgramIdentity& ID, std::int32_t IERR1) {
    return IERR1 == 4 || compare_versions(ID.VERNQ, TPCM.VERNO).differs() ||
           TPCM.SIMTYP != ID.CREATQ || TPCM.DP_FLAG == 1 ||
           other_byte_order(ID.CMPUTQ, TPCM.CMPUTR) || TPCM.IVERS_SUFX != 0;
}

// word_count_warning_needed: reads NTOGO and SIMTYP of TPCM.
bool word_count_warning_needed(std::int32_t CREATQ) {
    return word_count_warning_needed(identity_of(TPCM), CREATQ);
}

bool word_count_warning_needed(const FileIdentity& file, std::int32_t CREATQ) {
    const std::int32_t code = load_check_code(file, CREATQ);
    return code == -1 || code == 1;
}

// unit_system_damaged: reads NUNTS of TPCM.
bool unit_system_damaged() {
    return unit_system_damaged(identity_of(TPCM));
}

bool unit_system_damaged(const FileIdentity& file) {
    return file.NUNTS != 0 && file.NUNTS != 1;
}

// check_unit_system: reads and writes NUNTS of TPCM; writes the console.
void check_unit_system() {
    if (!unit_system_damaged())
        return;
    const std::int32_t found = TPCM.NUNTS;
    TPCM.NUNTS = 1;
    DATCRPT(screen_unit, 1);
    write_record(screen_unit, " ++> The unit system word NUNTS holds " + std::to_string(found) +
                                  "; it is set to 1 (metric units).");
    write_record(screen_unit, "     Check the unit system and the site data before you save.");
    write_record(screen_unit, " ");
    std::int32_t LBACK = 0;
    SERV_ABORT(screen_unit, keyboard_unit, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

// identify_data_file: reads and writes TPCM and IOBUF; writes the console and unit 21.
void identify_data_file(const ProgramIdentity& ID, char& ANSWER, std::int32_t IERR1,
                        std::int32_t NFOUND, std::int32_t NTOGOQ, std::span<std::uint32_t> IOBUF,
                        std::uint32_t CONSOLE_WORD) {
    const int EDUNIT = screen_unit;
    const std::int32_t file_type = TPCM.SIMTYP;
    const std::int32_t IFLAG = load_check_code(ID.CREATQ);

    // Another byte order: the titles are turned at once; the subline names after the update,
    // when they stand where the current layout keeps them (an older layout holds them
    // elsewhere until the update moves them).
    const bool swapped = other_byte_order(ID.CMPUTQ, TPCM.CMPUTR);
    if (swapped) {
        CHSWAP(TPCM.CID1P(), 80, EDUNIT, keyboard_unit);
        CHSWAP(TPCM.CID2P(), 80, EDUNIT, keyboard_unit);
    }

    const VersionCheck version = compare_versions(ID.VERNQ, TPCM.VERNO);
    const bool other_type = file_type != ID.CREATQ;
    if (!load_notes_needed(ID, IERR1))
        return;

    RHOPEN("DATUPWRN.stxt", 1, 0, note_unit, "IoInit", EDUNIT);
    CLEAR(EDUNIT);
    write_note(EDUNIT, "");
    write_note(EDUNIT, "");
    write_note(EDUNIT, X(18) + " >>> Input File Characteristics <<< ");

    if (TPCM.DP_FLAG == 1) {
        note_after_blank(EDUNIT, " ++> Fatal Warning: The precision specification of the loaded");
        write_note(EDUNIT, "     DAT_file and the executable are not the same!");
        fatal_stop(EDUNIT, keyboard_unit);
    }

    if (IERR1 == 4) {
        if (other_type || std::fabs(TPCM.VERNO) >= 4.9f) {
            note_after_blank(EDUNIT, std::string(" ++> Input Data File ") +
                                         (NTOGOQ < NFOUND ? "larger" : "smaller") +
                                         " than expected:");
            write_note(EDUNIT, "     Expected " + I(NTOGOQ, 6) + " I*4s, found " + I(NFOUND, 6) +
                                   " I*4s... CAUTION!");
        }
        // The words the file lacks are zero, in the image and in its reference copy.
        const std::int32_t first = std::max<std::int32_t>(NFOUND, 0);
        for (std::int32_t k = first; k < NTOGOQ; ++k) {
            std::memset(tpcm_bytes(TPCM).data() + 4 * static_cast<std::size_t>(k), 0, 4);
            if (static_cast<std::size_t>(k) < IOBUF.size())
                IOBUF[static_cast<std::size_t>(k)] = 0;
        }
    }

    if (swapped) {
        note_after_blank(EDUNIT, std::string(" ++> File was produced on a ") +
                                     (TPCM.CMPUTR <= 4 ? "Macintosh PPC" : "Intel") + " computer.");
        if (version.differs()) {
            write_note(EDUNIT,
                       "     Importing datafiles between chip architectures can be problematic;");
            write_note(
                EDUNIT,
                "     proceed with caution; carefully inspect all data screens after import.");
            abort_prompt(EDUNIT);
        }
    }

    const std::uint32_t console_word = NFOUND >= LRHLOC(&TPCM.EDUNIT) ? CONSOLE_WORD : 0u;
    if (!other_type)
        same_type_notes(ID, version, IFLAG, NFOUND, console_word, EDUNIT);
    else
        other_type_notes(ID, version, EDUNIT);

    if (swapped && has_subline_names(file_type))
        swap_subline_names(EDUNIT);

    abort_prompt(EDUNIT);
    if (ANSWER == 'E')
        ANSWER = 'M';
}

} // namespace lintar
