// datafile/startup_load.cpp: the start-up load of the data file.
#include "datafile/startup_load.h"

#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"
#include "datafile/file_identification.h"
#include "datafile/new_file_defaults.h"
#include "datafile/tpcm_image.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/file_services.h"
#include "util/image_transfer.h"
#include "util/prompts.h"
#include "util/scope_restore.h"
#include "util/title_screens.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

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

// The read of the data file ID.DATFIL into TPCM: the file goes into a copy of TPCM, so that a
// missing file (IERR1 1) leaves TPCM as it was and the words a short file lacks keep theirs.
// FOUND returns the words found. Sets the version from the old version word when VERNO is 0,
// and the console unit. Returns the file's own word where the console unit is kept, read
// before the load sets the unit: an older layout keeps another member there, which its update
// must find as the file held it.
std::uint32_t read_data_file(const ProgramIdentity& ID, std::int32_t NTOGOQ, std::int32_t& IERR1,
                             std::int32_t& found) {
    std::vector<std::uint32_t> image = tpcm_image();
    found = NTOGOQ;
    DISKIO(1, found, ID.DATFIL, 1, IERR1, image, ID.CMPUTQ);
    if (IERR1 != 1)
        set_tpcm_image(image);
    const std::uint32_t file_console_word = image[slot(LRHLOC(&TPCM.EDUNIT))];
    if (TPCM.VERNO == 0.0f)
        VRCVRT(TPCM.IVERSN, TPCM.VERNO);
    TPCM.EDUNIT = screen_unit;
    return file_console_word;
}

// What keeps the analysis from running a loaded image as it stands, or nothing: each is a load
// note, warning or repair of the editor, which the user must see and settle there.
std::optional<std::string_view> needs_the_editor(const ProgramIdentity& ID, std::int32_t IERR1) {
    if (TPCM.DP_FLAG == 1)
        return "it was written with another precision";
    if (IERR1 == 4)
        return "it does not hold the word count this program writes";
    if (TPCM.SIMTYP != ID.CREATQ)
        return "it was written by another program of the family";
    if (load_notes_needed(ID, IERR1))
        return "it was written by another version or on a machine of the other byte order";
    if (unit_system_damaged())
        return "its unit system word is damaged";
    return std::nullopt;
}

} // namespace

void load_for_analysis(const ProgramIdentity& ID, std::int32_t NTOGOQ) {
    TPCM.LCOPY = 0;
    TPCM.EDUNIT = screen_unit;
    std::int32_t IERR1 = 0;
    std::int32_t found = NTOGOQ;
    (void)read_data_file(ID, NTOGOQ, IERR1, found);
    if (IERR1 == 1)
        ACERR(ID.EDPRG, ID.DATFIL, TPCM.EDUNIT);
    if (const auto reason = needs_the_editor(ID, IERR1)) {
        const std::string name(ID.DATFIL);
        write_record(TPCM.EDUNIT,
                     " ++> The analysis engine runs a data file as the editor saves it;");
        write_record(TPCM.EDUNIT,
                     "     " + name + " needs the editor first: " + std::string(*reason) + ".");
        write_record(TPCM.EDUNIT,
                     "     Open it with lintar, check it and save it, then run the engine again.");
        stop_program(StopKind::error);
    }
    // A word count larger than the layout's is shown as damage, as the editor shows it; the
    // user may abort there (status 0) or run the file as it stands.
    check_word_count(ID.CREATQ);
    TPCM.LCOPY = 0;
    TPCM.LBACK = -1983;
}

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

    std::int32_t found = NTOGOQ;
    const std::uint32_t file_console_word = read_data_file(ID, NTOGOQ, IERR1, found);
    if (IERR1 == 1 && ANSWER != 'C')
        ACERR(ID.EDPRG, ID.DATFIL, TPCM.EDUNIT);

    if (ANSWER != 'C') {
        check_word_count(ID.CREATQ);
        // The reference copy, with the console unit 0 so that it never counts as an edit.
        {
            const ScopeRestore keep_console(TPCM.EDUNIT);
            TPCM.EDUNIT = 0;
            const std::vector<std::uint32_t> loaded = tpcm_image();
            std::copy(loaded.begin(),
                      loaded.begin() + std::min<std::ptrdiff_t>(
                                           NTOGOQ, static_cast<std::ptrdiff_t>(IOBUF.size())),
                      IOBUF.begin());
        }
        identify_data_file(ID, ANSWER, IERR1, found, NTOGOQ, IOBUF, file_console_word);
        check_unit_system();
    }

    // A load never starts a mirror pass: only a damaged file holds a nonzero pass counter (the
    // session end clears it before every save). Cleared after the update, which finds an older
    // layout's own member in this word.
    TPCM.LCOPY = 0;
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
