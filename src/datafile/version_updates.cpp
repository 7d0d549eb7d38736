// datafile/version_updates.cpp: the version updates of this program type, the import
// adjustments, and the inoperative updaters of the other program types.
#include "datafile/version_updates.h"

#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"
#include "datafile/file_identification.h"
#include "datafile/resize_149.h"
#include "datafile/tpcm_image.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/word_arrays.h"

#include <cmath>
#include <span>
#include <string>
#include <vector>

namespace lintar {

namespace {

// The version below which a file lacks the four reserves of version 4.9, and their size.
constexpr float version_49_reserves = 4.9f;
constexpr std::int32_t version_49_reserve_words = 60 + 60 + 200 + 200;

// The last version of the 49-fairlead layout ("before 6.01").
constexpr float last_49_fairlead_version = 6.00999f;

// The counter of the changes applied and listed; it goes through the warning-page guard, which
// pauses the screen after every five.
struct ChangeCount {
    std::int32_t count = -1;
    void raise(int EDUNIT) {
        count += 1;
        WRNFUL(count, EDUNIT, keyboard_unit);
    }
    bool none() const { return count == -1; }
};

// A note preceded by a blank line.
void note_after_blank(int EDUNIT, std::string_view text) {
    write_note(EDUNIT, "");
    write_note(EDUNIT, text);
}

// The four reserves that version 4.9 added: 60 words after USRPSD(40) and after T(40), 200 at
// RTPCM8 (before ENDHT) and 200 at BMXDP1 (before BLNHT), opened in this order and cleared.
// When the older 49-fairlead layout follows, the positions are that layout's; otherwise the
// current one's.
void open_version_49_reserves(bool older_layout) {
    TpcmBlock& B = TPCM;
    const std::int32_t positions[] = {LRHLOC(&B.USRPSD(41)), LRHLOC(&B.T(41)), LRHLOC(&B.RTPCM8(1)),
                                      LRHLOC(&B.BMXDP1)};
    const std::int32_t sizes[] = {60, 60, 200, 200};
    std::vector<std::uint32_t> image = tpcm_image();
    for (int k = 0; k < 4; ++k) {
        const std::int32_t at = older_layout ? older_layout_word(positions[k]) : positions[k];
        open_gap(image, {at, sizes[k], 1});
        CLEAR_1D(&image[slot(at)], sizes[k], 1, sizes[k]);
    }
    set_tpcm_image(image);
}

// The heading of the list of changes, starting in column 16.
std::string changes_heading(float file_version) {
    return X(15) + "**** Data File Changes Since Version " + F(file_version, 5, 2) + ": ****";
}

// The note on the interpolation-table size of a file from before version 1.7; true when a
// note was written.
bool table_size_note(int EDUNIT, ChangeCount& changes) {
    const std::int32_t NUMTAB = TPCM.NUMTAB;
    if (NUMTAB < 2 || NUMTAB > 90) {
        changes.raise(EDUNIT);
        note_after_blank(EDUNIT, " ++> This file shows an anomalous NTAB =" + I(NUMTAB, 12));
        write_note(EDUNIT, "");
        write_note(EDUNIT, "     It may not have been properly converted using the");
        write_note(EDUNIT, "     Kelbrin line-layout conversion utility. Proceed with caution.");
        return true;
    }
    if (NUMTAB <= 30) {
        changes.raise(EDUNIT);
        note_after_blank(EDUNIT, " ++> Point of information: This file had an interpolation "
                                 "table size of " +
                                     I(NUMTAB, 2) + ";");
        write_note(EDUNIT, "     it may have been converted from an earlier simulation version");
        write_note(EDUNIT, "     supporting a maximum table size of 30.");
        return true;
    }
    return false;
}

// The stand-in of an updater of another program type.
[[noreturn]] void inoperative_updater(int EDUNIT) {
    inoperative_stop(
        EDUNIT, {" ++> You are in an inoperative ???UPD file!", "     Press <Return> to quit"});
}

} // namespace

bool too_old_to_update(float VERNQ, float APPVR) {
    return std::fabs(APPVR) > 6.0f && std::fabs(VERNQ) < 5.0f;
}

// CATUPD: reads and writes TPCM; writes the console and the note file (unit 21).
//
// The layout is brought up to date first and the changes are listed (and the values set) in
// version order afterwards, so that every member named in a change is the member of the
// current layout: set before the resize, a value would land on a word of another member of the
// older layout. For the same reason the console unit (a word the resize moves) is set only
// after the resize.
void CATUPD(float APPVR, std::int32_t& IFLAG, std::int32_t NFOUND) {
    const int EDUNIT = screen_unit;
    TpcmBlock& B = TPCM;
    IFLAG = 1;
    const float file_version = std::fabs(B.VERNO);
    const float program_version = std::fabs(APPVR);

    if (too_old_to_update(file_version, program_version)) {
        write_note(EDUNIT, "");
        write_note(EDUNIT, "");
        write_note(EDUNIT, " ++> This Kelbrin data file, from version" + F(file_version, 6, 2) +
                               ", is too old to update using version" + F(program_version, 6, 2) +
                               ".");
        write_note(EDUNIT, "     You must first update it using Kelbrin version 5.x or 6.00.");
        write_note(EDUNIT, "");
        write_note(EDUNIT, "");
        fatal_stop(EDUNIT, keyboard_unit);
    }

    // The older 49-fairlead layout is converted only when the file held fewer words than the
    // current layout, so that an image already in the current layout is never moved again
    // (every item after the first gap would move and its data be lost). A file marked for 49
    // fairleads is taken at its word; one that only carries a version of 6.00 or older must
    // also fit the older layout, for a file of 6.00 already has the current one, whole or cut
    // short.
    const bool version_49_reserves_lacking = file_version < version_49_reserves;
    const std::int32_t older_words =
        NFOUND + (version_49_reserves_lacking ? version_49_reserve_words : 0);
    const bool resize_asked = B.DAT_ID == 49 || file_version < last_49_fairlead_version;
    const bool resize = resize_asked && older_words < tpcm_word_count &&
                        (B.DAT_ID == 49 || older_words <= older_layout_words);
    if (version_49_reserves_lacking)
        open_version_49_reserves(resize);
    if (resize)
        UPDATE_TO_149(file_version, tpcm_word_count, LRHLOC(&B.NTOGO), LRHLOC(&B.LAST_CATNCOM));
    B.EDUNIT = EDUNIT;

    write_note(EDUNIT, changes_heading(file_version));
    ChangeCount changes;
    if (B.IARCO == 1 && file_version < 1.23f) {
        changes.raise(EDUNIT);
        write_note(EDUNIT, "");
        write_note(EDUNIT, "");
        write_note(EDUNIT, " ++> Because Version " + F(file_version, 5, 2) +
                               " predates Version 1.23, You MUST move your hawser");
        write_note(EDUNIT, "     to the (NLIN, NTYPE) position from the (1,1) position  ");
        write_note(EDUNIT, "");
        write_note(EDUNIT, "");
    }
    if (program_version > 1.62f && file_version < 1.7f)
        table_size_note(EDUNIT, changes);
    if (file_version < 4.06f) {
        changes.raise(EDUNIT);
        B.ROTCTX = 0.0f;
        B.ROTCTY = 0.0f;
        B.EPSDST = 0.1f;
        B.EPSDEG = 0.1f;
        B.ROTCTZ = B.IARCO == 0 ? B.DRAFT : B.BDRAFT;
        note_after_blank(EDUNIT, " ++> Added user specification of oblique rotation origin");
    }
    if (file_version < 4.41f) {
        changes.raise(EDUNIT);
        note_after_blank(EDUNIT, " ++> Data file resized for version 5.0");
    }
    if (file_version < 5.02f) {
        changes.raise(EDUNIT);
        note_after_blank(EDUNIT, " ++> Dry weight specification now required for moorings.");
        write_note(EDUNIT, "     See line specification pages.");
    }
    if (file_version < 5.57f) {
        changes.raise(EDUNIT);
        // The word was no logical before this version: it is written whole, 1 or 0.
        B.SEMI_LIKE = B.VESTYP == 3 || B.VESTYP == 5 || B.VESTYP == 6 ? 1 : 0;
    }
    if (resize) {
        changes.raise(EDUNIT);
        note_after_blank(EDUNIT, " ++> Data file resized for 149 fairleads");
    } else if (B.DAT_ID == 49) {
        changes.raise(EDUNIT);
        note_after_blank(EDUNIT,
                         " ++> Warning: Data file marked for 49 fairleads holds the words of "
                         "a 149-fairlead file;");
        write_note(EDUNIT, "     it is taken as it stands, in the 149-fairlead layout.");
    }
    B.DAT_ID = 149;

    if (changes.none()) {
        IFLAG = 0;
        note_after_blank(EDUNIT, " ++> None...");
    }
    if (file_version > program_version) {
        note_after_blank(EDUNIT,
                         " ++> Warning: The data file loaded was created by a more recent program");
        write_note(EDUNIT, "     version than this one; you should inspect each data page "
                           "THOROUGHLY");
        write_note(EDUNIT, "     before proceeding...");
    }
}

// CATIMPORT: changes TPCM only.
void CATIMPORT(std::int32_t CREATP) {
    TpcmBlock& B = TPCM;
    B.NLAT = 1;
    B.NOFFL = 1;
    B.EPSDST = 0.01f;
    B.EPSDEG = 0.01f;
    if (CREATP == 14) {
        B.TENDON_FLG = 1;
        if (B.NLAYER == 0) {
            B.NLAYER = 29;
            B.ZSPAN = B.DEPTH / 200.0f;
            B.PULLDN = 0;
        }
    } else if (CREATP == 17) {
        B.TENDON_FLG = 0;
        if (B.NLAYER == 0) {
            B.NLAYER = 3;
            B.ZSPAN = B.DRAFT / 10.0f;
            B.PULLDN = 0;
        }
    }
}

// SLOIMPORT: nothing to adjust.
void SLOIMPORT() {}

// The inoperative updaters: the screen and one keyboard line (none in an unattended run),
// then the stop.
void SHPUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void JCKUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void SEMUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void DSCUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void STMUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void TOWUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void SLMUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void MORUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void CLMUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void SLOUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void SPMUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void SPRUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}
void TLPUPD(float, std::int32_t&, std::int32_t&, int EDUNIT) {
    inoperative_updater(EDUNIT);
}

} // namespace lintar
