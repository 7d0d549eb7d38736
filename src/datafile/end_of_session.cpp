// datafile/end_of_session.cpp: the End-of-Session menu, its help pages and the imports.
#include "datafile/end_of_session.h"

#include "blocks/tpcm.h"
#include "datafile/file_identification.h"
#include "datafile/tpcm_image.h"
#include "datafile/unit_conversion.h"
#include "runtime/edit_descriptors.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/file_services.h"
#include "util/image_transfer.h"
#include "util/prompts.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <vector>

namespace lintar {

EndOfSessionStore end_of_session_store;

namespace {

const StateReset reset_end_of_session_store{[] { end_of_session_store = EndOfSessionStore{}; }};

void lines(int unit, std::initializer_list<std::string_view> texts) {
    for (const std::string_view text : texts)
        write_record(unit, text);
}

// The menu, on the console.
void draw_menu(std::string_view PAGE, std::int32_t CREATR, bool Vorlakine_OK) {
    constexpr int unit = screen_unit;
    CLEAR(unit);
    write_record(unit,
                 starting_at(20, "****  Page " + std::string(PAGE) + ": End of Session  ****"));
    lines(unit,
          {"", "", " 1) Exit to operating system and update data file",
           " 2) Exit to operating system WITHOUT updating data file", "",
           " 3) Execute simulation in interactive mode", " 4) Execute simulation in silent mode",
           "", " 5) Produce diskfile of input data"});
    if (CREATR <= 6 || CREATR >= 10)
        write_record(unit, " 6) Produce \"WAVEOUT\" file containing regular wave kinematics data");
    write_record(unit, "");
    const std::string_view body = CREATR == 10 ? "Barge" : CREATR == 13 ? "Tanker" : "Vessel";
    write_record(unit,
                 " 7) Import " + std::string(body) + " and environment data from an external file");
    if (CREATR >= 7 && CREATR != 16)
        write_record(unit, " 8) Import mooring system data from an external file");
    if (CREATR == 10 || CREATR == 13)
        write_record(unit, std::string(" 9) Import ") + (CREATR == 10 ? "Tug" : "Buoy") +
                               " data from an external file");
    if (Vorlakine_OK) {
        write_record(unit, "");
        write_record(unit, "10) Chain to Vorlakine");
    }
    write_record(unit, "");
    write_record(unit, "  (Press <RETURN> to review data)");
}

} // namespace

void FINTOP(std::string_view PAGE, std::int32_t CREATR, std::int32_t& LRETRN,
            std::string_view INDUMP, std::string_view EDPRG, std::int32_t& IPAG,
            std::int32_t& LCOPY, std::int32_t& EDUNIT, std::int32_t& UNTSAV, std::int32_t& LBACK,
            std::int32_t& WARNEM, std::int32_t& FWARN, std::int32_t CMPUTR,
            std::int32_t WriteAuxDatFiles) {
    (void)CMPUTR;
    EndOfSessionStore& store = end_of_session_store;
    LRETRN = 0;
    const bool Vorlakine_OK = (CREATR == 12 || CREATR == 15) && WriteAuxDatFiles != 0;

    if (WARNEM == 0 && FWARN == 0) {
        if (LCOPY != 0) {
            // A mirror pass has written its last page: the file is closed (a failure is
            // reported on the console unit the pass saved) and the console unit restored.
            LCOPY = 0;
            if (EDUNIT == 1)
                HCLOSE(1, INDUMP, EDPRG, UNTSAV);
            EDUNIT = UNTSAV;
            if (store.USRHCP) {
                store.USRHCP = false;
            } else {
                if (store.VORLAKINE_GO) {
                    LRETRN = 999;
                    LBACK = 101;
                } else {
                    LRETRN = 1;
                    LBACK = store.SAVEDATA ? -2 : code_execute;
                }
                return;
            }
        }
        if (LBACK == code_execute)
            return; // an Execute from a page or the title screen: the checks run at once
    }

    for (;;) {
        draw_menu(PAGE, CREATR, Vorlakine_OK);
        std::int32_t answer = 0;
        ENTSEL(answer, screen_unit, keyboard_unit, IPAG);
        switch (answer) {
        case code_help:
            FINHLP(screen_unit, keyboard_unit, IPAG, CREATR, Vorlakine_OK);
            continue;
        case 1:
            LBACK = -2;
            store.SAVEDATA = true;
            LRETRN = 1;
            return;
        case 2:
            LBACK = 101;
            LRETRN = 1;
            return;
        case 3:
        case code_execute:
            // After a check pass with warnings only, the run goes ahead without new checks.
            LBACK = code_execute;
            LRETRN = (FWARN != 0 || WARNEM == 0) ? 0 : 1;
            return;
        case 4:
            // The diagnostics file is opened before the dialogue moves to it, so that a
            // failure to open it is reported on the console.
            CLEAR(screen_unit);
            RHOPEN("Diagnostics.stxt", 1, 0, diagnostics_unit, "Fintop", EDUNIT);
            LBACK = code_execute;
            EDUNIT = diagnostics_unit;
            WARNEM = 0;
            FWARN = 0;
            LRETRN = 0;
            return;
        case 5:
            LCOPY = 1;
            LBACK = code_first;
            RHOPEN(INDUMP, 1, 0, 1, EDPRG, EDUNIT);
            UNTSAV = EDUNIT;
            EDUNIT = 1;
            store.USRHCP = true;
            LRETRN = 1;
            return;
        case 6:
            // The wave-kinematics report belongs to the program types that offer it; this
            // program (type 8) does not.
            continue;
        case 7:
            DATLOAD(1);
            continue;
        case 8:
            if (CREATR >= 7)
                DATLOAD(2);
            continue;
        case 9:
            if (CREATR == 10 || CREATR == 13)
                DATLOAD(3);
            continue;
        case 10:
            if (!Vorlakine_OK)
                continue;
            LBACK = code_execute;
            store.VORLAKINE_GO = true;
            LRETRN = 999;
            return;
        default:
            if (answer <= 0) {
                LBACK = answer;
                LRETRN = 1;
                return;
            }
            continue;
        }
    }
}

namespace {

// clang-format off
constexpr std::string_view help_title = "****  End-of-Session Menu: Help Notes  ****";

constexpr std::string_view help_save[] = {
    "     This option will save the current *DAT data file (and, if",
    "     the program keeps one, its *LOW coefficient file) and end the",
    "     session. The file as it was on disk becomes the *BAK backup, and",
    "     the former *BAK becomes LASTBAK. No error checking is done.",
    "     Each use moves the files one step down the cascade",
    "     [*DAT -> *BAK -> LASTBAK -> deletion], so repeated saves push",
    "     the original file off its end: work on a copy of your data.",
};
constexpr std::string_view help_quit[] = {
    "     This option will cause program termination, after a warning",
    "     when data were changed during the session. No data buffers are",
    "     written, and no *DAT, *BAK or LASTBAK file is updated.",
};
constexpr std::string_view help_execute[] = {
    "     This option causes simulation execution to proceed with a",
    "     check of the whole data file; all messages go to the console.",
    "     It is the same as the Execute command (\"E\") of any editor page",
    "     or of the opening screen.",
};
constexpr std::string_view help_silent[] = {
    "     This option causes the normal console messages that accompany",
    "     an execution to go to the file \"Diagnostics.stxt\" instead.",
    "     Silent runs are faster, but they cannot be steered: a run that",
    "     meets a problem should be repeated in interactive mode.",
};
constexpr std::string_view help_mirror[] = {
    "     This option will produce a textfile mirror of the editor screens",
    "     (all pages) in the file named for the purpose. It does not update",
    "     the binary *DAT, *BAK or LASTBAK files: the only intermediate",
    "     save is item 1.",
};
constexpr std::string_view help_waveout[] = {
    "     This option will produce a text file, \"WAVEOUT.stxt\", with",
    "     tables of regular wave properties at each user-specified wave",
    "     period.",
};
constexpr std::string_view help_vessel[] = {
    "     This option permits importation of vessel and environmental data",
    "     from any data file of the family of simulations; it is useful for",
    "     complex vessels such as semisubmersibles.",
};
constexpr std::string_view help_mooring[] = {
    "     This option permits importation of an entire mooring system from",
    "     any data file of the family of simulations.",
};
constexpr std::string_view help_import_notes[] = {
    "",
    "     The data file can be from any simulation, but should have been",
    "     saved with this program's version number: a legacy file must",
    "     first be updated by its own program. At the prompt, give an",
    "     absolute or relative path in the notation of your system, e.g.",
    "     /home/me/data/SHIPDAT (Linux), C:\\Kelbrin\\SHIPDAT (Windows) or",
    "     Disk:Kelbrin:SHIPDAT (classic Macintosh). Simpler: copy the file",
    "     into the working directory under a short name (e.g. \"ND\") and",
    "     type just that name.",
};
constexpr std::string_view help_chain[] = {
    "     If there have been no changes to the parent application's data during ",
    "     this session, one can hand over to Vorlakine directly, to study",
    "     changes made on its \"Time-Domain Options\" page without rebuilding",
    "     the support files. A change of the excursion disk diameter always",
    "     needs a normal run.",
};
// clang-format on

// The text of an item, or nothing for an item without help.
std::span<const std::string_view> help_text(std::int32_t item, bool Vorlakine_OK) {
    switch (item) {
    case 1:
        return help_save;
    case 2:
        return help_quit;
    case 3:
        return help_execute;
    case 4:
        return help_silent;
    case 5:
        return help_mirror;
    case 6:
        return help_waveout;
    case 7:
    case 9:
        return help_vessel;
    case 8:
        return help_mooring;
    case 10:
        if (Vorlakine_OK)
            return help_chain;
        return {};
    default:
        return {};
    }
}

// One help screen: the title and the item's text (with the import notes after items 7 to 9),
// or the "no help" lines; then the Return pause.
void help_screen(int IOSCRN, int KBD, std::int32_t item, bool Vorlakine_OK) {
    CLEAR(IOSCRN);
    write_record(IOSCRN, starting_at(18, help_title));
    const auto text = help_text(item, Vorlakine_OK);
    write_record(IOSCRN, "");
    if (text.empty()) {
        write_record(IOSCRN, " ++> Sorry, no help for this line...");
        write_record(IOSCRN, "");
    } else {
        write_record(IOSCRN, " ++> Item Number  " + I(item, 2));
        for (const std::string_view line : text)
            write_record(IOSCRN, line);
        if (item >= 7 && item <= 9)
            for (const std::string_view line : help_import_notes)
                write_record(IOSCRN, line);
    }
    std::int32_t dropped = 0;
    PRSRET(IOSCRN, KBD, dropped);
}

} // namespace

// FINHLP: one screen per item shown, each ending in the Return pause.
void FINHLP(int IOSCRN, int KBD, std::int32_t LINE, std::int32_t CREATR, bool Vorlakine_OK) {
    (void)CREATR;
    if (LINE != 0) {
        help_screen(IOSCRN, KBD, LINE, Vorlakine_OK);
        return;
    }
    for (std::int32_t item = 1; item <= 9; ++item)
        help_screen(IOSCRN, KBD, item, Vorlakine_OK);
    if (Vorlakine_OK)
        help_screen(IOSCRN, KBD, 10, Vorlakine_OK);
}

std::string import_path_of(std::string_view answer) {
    const auto first = answer.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = answer.find_last_not_of(" \t");
    const std::string_view text = answer.substr(first, last - first + 1);
    const char quote = text.front();
    if (quote != '\'' && quote != '"')
        return std::string(text);
    std::string path;
    for (std::size_t k = 1; k < text.size(); ++k) {
        if (text[k] != quote) {
            path += text[k];
            continue;
        }
        if (k + 1 < text.size() && text[k + 1] == quote) {
            path += quote; // a doubled quote stands for one
            ++k;
            continue;
        }
        break; // the closing quote
    }
    return path;
}

namespace {

// The word (from 1) at which a member of TPCM lies.
constexpr int word_of(std::size_t offset) {
    return static_cast<int>(offset / 4) + 1;
}

// The words of TPCM an import never changes: the program identity (type, arrangement code,
// version, operating system, image size, layout mark, precision, version increment, year,
// batch flag), the unit system, in which the imported words are given, and the editor state
// (LBACK, IPAG, LCOPY, EDUNIT).
std::vector<int> identity_words() {
    std::vector<int> words = {
        word_of(offsetof(TpcmBlock, SIMTYP)),  word_of(offsetof(TpcmBlock, ISPM)),
        word_of(offsetof(TpcmBlock, VERNO)),   word_of(offsetof(TpcmBlock, CMPUTR)),
        word_of(offsetof(TpcmBlock, NTOGO)),   word_of(offsetof(TpcmBlock, DAT_ID)),
        word_of(offsetof(TpcmBlock, DP_FLAG)), word_of(offsetof(TpcmBlock, IVERS_SUFX)),
        word_of(offsetof(TpcmBlock, IYEAR)),   word_of(offsetof(TpcmBlock, IBATCH)),
        word_of(offsetof(TpcmBlock, NUNTS)),   word_of(offsetof(TpcmBlock, LBACK)),
        word_of(offsetof(TpcmBlock, IPAG)),    word_of(offsetof(TpcmBlock, LCOPY)),
        word_of(offsetof(TpcmBlock, EDUNIT)),
    };
    return words;
}

// The words an import kind exchanges.
TpcmWords import_range(std::int32_t DAT_TYP, std::int32_t CREATR) {
    switch (DAT_TYP) {
    case 1:
        if (CREATR == 3 || CREATR >= 10)
            return {1, 4975};
        return tpcm_vessel_import;
    case 2:
        return tpcm_mooring_import;
    default:
        return tpcm_second_body_import;
    }
}

// Exchanges a range of words between the image and the import buffer.
void exchange(std::vector<std::uint32_t>& image, std::vector<std::uint32_t>& buffer,
              TpcmWords range) {
    std::swap_ranges(image.begin() + (range.first - 1), image.begin() + range.last,
                     buffer.begin() + (range.first - 1));
}

// The across-the-boundary warning of an import, for versions or operating systems.
void boundary_warning(std::string_view first_line) {
    constexpr int unit = screen_unit;
    write_record(unit, "");
    write_record(unit, first_line);
    lines(unit, {"     bad idea. You are strongly advised to \"Abort\" this operation, save",
                 "     any data file changes you have made, and update the target file",
                 "     with the latest version of its application before importing the data."});
}

// Asks whether to keep an import; true when the user aborts it.
bool aborted() {
    std::int32_t LBACK = 0;
    ABORT0(screen_unit, keyboard_unit, LBACK);
    return LBACK == -1;
}

void pause_on_console() {
    std::int32_t dropped = 0;
    PRSRET(screen_unit, keyboard_unit, dropped);
}

// The refusal of a file to import: its name, why, and that nothing came in.
void refuse_import(std::string_view path, std::string_view reason) {
    write_record(screen_unit, " >>> Import refused: " + std::string(path));
    write_record(screen_unit, "     " + std::string(reason) + ".");
    write_record(screen_unit, "     Nothing was imported.");
    pause_on_console();
}

} // namespace

void DATLOAD(std::int32_t DAT_TYP) {
    constexpr int unit = screen_unit;
    const TpcmWords range = import_range(DAT_TYP, TPCM.SIMTYP);

    // The words that stay whatever the import brings.
    const std::vector<int> kept_words = identity_words();
    std::vector<std::uint32_t> kept;
    for (const int word : kept_words)
        kept.push_back(tpcm_word(TPCM, word));
    const float VERNO = TPCM.VERNO;
    const std::int32_t CMPUTR = TPCM.CMPUTR;
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    const std::int32_t NUNTS = TPCM.NUNTS;

    CLEAR(unit);
    write_record(unit, " >>> Input full or relative path to import target in quotes");
    write_record(unit, "     (e.g. \"C:\\Kelbrin\\SHIPDAT)\" or \"SHIPDAT\")");
    write_record(unit, "");
    write_open(unit, " >>> Path:");
    const std::string path = import_path_of(*read_line(keyboard_unit));
    if (path.empty()) {
        write_record(unit, " >>> Invalid Filename!");
        pause_on_console();
        return;
    }

    // A fresh, cleared buffer at every import: no word of an earlier import can come in. The
    // whole file is read, so that its size is known and it is identified as a load identifies
    // the data file.
    std::vector<std::uint32_t> buffer(tpcm_word_count, 0u);
    std::int32_t found = tpcm_word_count;
    std::int32_t IERR = 0;
    // Unit 1, the unit of every data-file transfer, is free at the menu; unit 21 may hold the
    // load's note file, which stays open for the whole run and which a transfer would close.
    DISKIO(1, found, path, 1, IERR, buffer, CMPUTR);
    if (IERR == 1) {
        write_record(unit, " >>> INPUT file not found!");
        pause_on_console();
        return;
    }
    // What a load would refuse, or report as damaged, is not imported: a text file or a
    // damaged one would otherwise be saved as a data file that no load can open.
    const FileIdentity file = identity_of(buffer);
    if (const auto reason = load_refusal(SIMTYP, VERNO, file)) {
        refuse_import(path, *reason);
        return;
    }
    // A file that ends before the part does not hold it: taking it would bring in zeros or
    // words of no meaning in place of the part.
    if (found < range.last) {
        write_record(unit, " >>> Import file holds no data for this part");
        pause_on_console();
        return;
    }

    const bool other_version = versions_differ(VERNO, file.VERNO);
    const bool other_system = file.CMPUTR != CMPUTR;
    const bool other_type = file.SIMTYP != SIMTYP;
    const std::int32_t expected_words = program_word_count(file.SIMTYP);
    const bool expected_size = expected_words == 0 || found == expected_words;

    // The session keeps its unit system: words given in the other one are converted first, as
    // the site page's unit switch converts the session's own data.
    if (file.NUNTS != NUNTS) {
        convert_image_units(buffer, SIMTYP);
        write_record(unit, " >>> The import file holds " +
                               std::string(unit_system_name(file.NUNTS)) +
                               " units; its data are converted to " +
                               std::string(unit_system_name(NUNTS)) + " units.");
    }

    std::vector<std::uint32_t> image = tpcm_image();
    exchange(image, buffer, range);
    set_tpcm_image(image);
    const auto undo = [&] {
        exchange(image, buffer, range);
        set_tpcm_image(image);
    };

    if (other_version) {
        boundary_warning(" >>> Importing data files across version number boundaries is a *very*");
        write_record(unit, "");
        write_record(unit, "     Application version: " + F(VERNO, 7, 2));
        write_record(unit, "     Import file version: " + F(file.VERNO, 7, 2));
        write_record(unit, "");
        if (aborted()) {
            undo();
            return;
        }
    } else if (other_system) {
        boundary_warning(
            " >>> Importing data files between computer operating systems is a *very*");
        if (aborted()) {
            undo();
            return;
        }
    } else if (!other_type && !expected_size) {
        write_record(unit, " >>> Suspicious import file size;there may be a problem!");
        if (aborted()) {
            undo();
            return;
        }
    }
    if (!other_version && !other_system && expected_size) {
        write_record(unit, " >>> Import successful!");
        pause_on_console();
    }

    // An import never changes the program's identity or the editor's state.
    for (std::size_t k = 0; k < kept_words.size(); ++k)
        set_tpcm_word(TPCM, kept_words[k], kept[k]);
}

} // namespace lintar
