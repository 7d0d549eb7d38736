// datafile/startup_load.cpp: the start-up load of the data file.
#include "datafile/startup_load.h"

#include "blocks/tpcm.h"
#include "datafile/new_file_defaults.h"
#include "datafile/tpcm_image.h"
#include "editor/page_placeholder.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/image_transfer.h"
#include "util/prompts.h"
#include "util/title_screens.h"

#include <cmath>
#include <string>

namespace lintar {

namespace {

// clang-format off
constexpr std::string_view identifiers[21] = {
    "",
    "CALDRUN", "TREVONA", "EBROTAN", "ULMARIS", "",        "",        "DRUVALE",
    "LINTAR ", "UNKNOWN", "QUELDA ", "YSTORIA", "BRENVIC", "OSTREVI", "GORDAX ",
    "VARNEL ", "PENTROW", "MIDDREN", "",        "",        "",
};
// clang-format on

// The word count a file of the given program type must hold, or 0 when it is not checked.
std::int32_t expected_words(std::int32_t type) {
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
        return 79676;
    default:
        return 0;
    }
}

// The load-check code of the word-count check: 0 as expected; 1 larger and 2 smaller for a
// file of this program type (and always for types 7, 8 and 11); 3 larger and 4 smaller for
// another type; -1 for a program-type code outside 1 to 17 (a damaged file).
std::int32_t load_check_code(std::int32_t CREATQ) {
    const std::int32_t type = TPCM.SIMTYP;
    if (type < 1 || type > 17)
        return -1;
    const std::int32_t expected = expected_words(type);
    if (expected == 0 || TPCM.NTOGO == expected)
        return 0;
    const bool own_codes = type == CREATQ || type == 7 || type == 8 || type == 11;
    if (TPCM.NTOGO > expected)
        return own_codes ? 1 : 3;
    return own_codes ? 2 : 4;
}

// DATCRPT: the damage warning of a level, on EDUNIT.
void DATCRPT(int EDUNIT, std::int32_t level) {
    CLEAR(EDUNIT);
    write_record(EDUNIT, " ");
    switch (level) {
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

// The word-count check and its damage warning: a damaged type code or a file larger than its
// type allows is shown, and the user may abort (which ends the run as the user's choice).
void damage_check(std::int32_t CREATQ) {
    const std::int32_t code = load_check_code(CREATQ);
    if (code != -1 && code != 1)
        return;
    DATCRPT(TPCM.EDUNIT, code == -1 ? 4 : 2);
    std::int32_t LBACK = 0;
    SERV_ABORT(TPCM.EDUNIT, keyboard_unit, LBACK);
    if (LBACK == -1)
        stop_program(StopKind::user_choice);
}

// The identification of a loaded file. A file of this program type, of this version, written
// in single precision on a machine of this byte order with no version increment, is taken as
// it stands. Any other file needs the notes and the update or import adjustment of the load,
// which come with their own work: until then it is shown with the note that tells what it is
// and refused (an error stop), so that no such file is ever taken silently.
void identify_loaded_file(const ProgramIdentity& ID, std::int32_t IERR1, std::int32_t found,
                          std::int32_t NTOGOQ) {
    const int EDUNIT = TPCM.EDUNIT;
    const float difference = std::fabs(ID.VERNQ) - std::fabs(TPCM.VERNO);
    const bool other_type = TPCM.SIMTYP != ID.CREATQ;
    const bool swapped = (ID.CMPUTQ <= 4) != (TPCM.CMPUTR <= 4);
    const bool notes = IERR1 == 4 || std::fabs(difference) > 0.001f || other_type ||
                       TPCM.DP_FLAG == 1 || swapped || TPCM.IVERS_SUFX != 0;
    if (!notes)
        return;

    CLEAR(EDUNIT);
    write_record(EDUNIT, "");
    write_record(EDUNIT, "");
    write_record(EDUNIT, starting_at(19, " >>> Input File Characteristics <<< "));
    std::int32_t dropped = 0;
    if (TPCM.DP_FLAG == 1) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, " ++> Fatal Warning: The precision specification of the loaded");
        write_record(EDUNIT, "     DAT_file and the executable are not the same!");
        PRSRET(EDUNIT, keyboard_unit, dropped);
        stop_program(StopKind::error);
    }
    if (IERR1 == 4 && (other_type || std::fabs(TPCM.VERNO) >= 4.9f)) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, std::string(" ++> Input Data File ") +
                                 (NTOGOQ < found ? "larger" : "smaller") + " than expected:");
        write_record(EDUNIT, "     Expected " + I(NTOGOQ, 6) + " I*4s, found " + I(found, 6) +
                                 " I*4s... CAUTION!");
    }
    if (swapped) {
        write_record(EDUNIT, "");
        write_record(EDUNIT, std::string(" ++> File was produced on a ") +
                                 (TPCM.CMPUTR <= 4 ? "Macintosh PPC" : "Intel") + " computer.");
    }
    if (!other_type) {
        const std::string versions = F(std::fabs(TPCM.VERNO), 5, 2) + ") ";
        if (difference > 0.001f || difference < -0.001f) {
            write_record(EDUNIT, "");
            write_record(EDUNIT, " ++> Version mismatch: Data (version " + versions +
                                     (difference > 0.0f ? "predates" : "POSTDATES") +
                                     " simulation (version " + F(std::fabs(ID.VERNQ), 5, 2) + ")");
        } else if (TPCM.IVERS_SUFX != 0) {
            write_record(EDUNIT, "");
            write_record(EDUNIT, " ++> Version increment mismatch: ");
            write_record(EDUNIT, "     DATfile  version  increment  = " + I(TPCM.IVERS_SUFX, 2));
            write_record(EDUNIT, "     Simulation version increment = " + I(0, 2));
        }
    } else {
        write_record(EDUNIT, "");
        write_record(EDUNIT, " ++> Input Data File Creator was " +
                                 std::string(program_identifier(TPCM.SIMTYP)));
    }
    write_record(EDUNIT, "");
    write_record(EDUNIT, " ++> This data file cannot be updated or imported yet; it is left as "
                         "it is.");
    PRSRET(EDUNIT, keyboard_unit, dropped);
    stop_program(StopKind::error);
}

} // namespace

std::string_view program_identifier(std::int32_t SIMTYP) {
    if (SIMTYP < 1 || SIMTYP > 20 || identifiers[SIMTYP].empty())
        return "???????";
    return identifiers[SIMTYP];
}

void IOINIT(const ProgramIdentity& ID, std::span<std::uint32_t> IOBUF, char& ANSWER,
            std::int32_t& JMPLOC, std::int32_t& IERR0, std::int32_t& IERR1, std::int32_t NTOGOQ) {
    JMPLOC = 0;
    if (TPCM.LCOPY == 0)
        TPCM.EDUNIT = screen_unit;
    TITLE(ID.CREATQ, ID.NAME, ID.VERNQ, TPCM.EDUNIT, keyboard_unit, ANSWER, TPCM.LCOPY);
    const bool batch = ANSWER == 'B';
    if (batch)
        ANSWER = 'M';
    if (TPCM.LCOPY != 0) {
        TWOPG(TPCM.LCOPY, TPCM.EDUNIT);
        JMPLOC = 200;
        return;
    }

    // The low-frequency coefficient file belongs to program types 10 and above.
    IERR0 = 0;

    // The file is read into a copy of TPCM, so that a missing file leaves TPCM as it was and
    // the words a short file lacks keep theirs.
    std::vector<std::uint32_t> image = tpcm_image();
    std::int32_t found = NTOGOQ;
    DISKIO(1, found, ID.DATFIL, 1, IERR1, image, ID.CMPUTQ);
    if (IERR1 != 1)
        set_tpcm_image(image);
    if (TPCM.VERNO == 0.0f)
        VRCVRT(TPCM.IVERSN, TPCM.VERNO);
    TPCM.EDUNIT = screen_unit;
    if (IERR1 == 1 && ANSWER != 'C')
        ACERR(ID.EDPRG, ID.DATFIL, TPCM.EDUNIT);

    if (ANSWER != 'C') {
        damage_check(ID.CREATQ);
        // The reference copy, with the console unit 0 so that it never counts as an edit.
        const std::int32_t console = TPCM.EDUNIT;
        TPCM.EDUNIT = 0;
        const std::vector<std::uint32_t> loaded = tpcm_image();
        std::copy(loaded.begin(),
                  loaded.begin() +
                      std::min<std::ptrdiff_t>(NTOGOQ, static_cast<std::ptrdiff_t>(IOBUF.size())),
                  IOBUF.begin());
        TPCM.EDUNIT = console;
        identify_loaded_file(ID, IERR1, found, NTOGOQ);
    }

    if (ANSWER == 'E') {
        TPCM.LBACK = -1983;
        JMPLOC = 3000;
        return;
    }
    if (ANSWER == 'C')
        new_file_defaults(ID.CREATQ, NTOGOQ);

    // The identity stamp.
    TPCM.VERNO = ID.VERNQ;
    TPCM.IYEAR = ID.IYEARQ;
    TPCM.SIMTYP = ID.CREATQ;
    TPCM.EDUNIT = screen_unit;
    TPCM.IBATCH = batch ? 1 : 0;
    TPCM.CMPUTR = ID.CMPUTQ;
    TPCM.NTOGO = NTOGOQ;

    // Option words outside their ranges.
    if (TPCM.LGAP < 0 || TPCM.LGAP > 2 || ID.CREATQ >= 10)
        TPCM.LGAP = 0;
    if (ID.CREATQ < 10) {
        TPCM.MORFBK = 0;
        TPCM.CATFBK = 0;
        TPCM.BMRFBK = 0;
        TPCM.BCTFBK = 0;
    }
    if (TPCM.IUNIT != 1 && TPCM.IUNIT != TPCM.EDUNIT && TPCM.IUNIT != 99)
        TPCM.IUNIT = 1;
}

} // namespace lintar
