// editor/page_loop.cpp: the editor: start-up, the page walk and the end of the session.
#include "editor/page_loop.h"

#include "datafile/session_save.h"
#include "datafile/startup_load.h"
#include "editor/final_page.h"
#include "editor/identity.h"
#include "editor/pages.h"
#include "mooring_pages/mooring_pages.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/scope_restore.h"

namespace lintar {

EditorStore editor_store;

namespace {

const StateReset reset_editor_store{[] { editor_store = EditorStore{}; }};

// The image size in words handed to the load and the save.
constexpr std::int32_t NTOGOQ = tpcm_word_count;

// Defaults applied on every ordinary load, to an existing file too: the mooring sizes of this
// program, and swell, current, wind, random seas, line dynamics and low-frequency output off,
// the quasi-static analysis on.
void apply_load_defaults() {
    TPCM.MAXELM = 25;
    TPCM.MAXDYN = 149;
    TPCM.MAXLIN = 149;
    TPCM.MAXTYP = 149;
    TPCM.LSWELL = 0;
    TPCM.LCURNT = 0;
    TPCM.LWIND = 0;
    TPCM.LRANDM = 0;
    TPCM.LDYN = 0;
    TPCM.LOWMOT = 0;
    TPCM.LQUAS = 1;
}

// The mooring defaults of a new file: one line of one line type, every line of type 1, and
// each line type with one subline, one line and an anchor, blank composition names and unit
// mass and drag coefficients.
void apply_new_file_defaults() {
    TPCM.MOORTP = 1;
    TPCM.NTYP = 1;
    TPCM.NLIN = 1;
    TPCM.COFMAS = 1.0f;
    TPCM.COFDMP = 1.0f;
    TPCM.NUMTAB = 90;
    TPCM.NLAYER = 7;
    TPCM.STAMOT = 1;
    TPCM.LRESET = 1;
    TPCM.LEQCND = 1;
    for (int i = 1; i <= TPCM.MAXLIN; ++i)
        TPCM.LINTYP(i, 1) = i;
    for (int t = 1; t <= TPCM.MAXTYP; ++t) {
        TPCM.NELEM(t) = 1;
        TPCM.NLINE(t) = 1;
        TPCM.ANCTYP(t) = 1;
        for (int k = 1; k <= TPCM.MAXELM; ++k) {
            set_field_text(TPCM.SCOMP(k, t), "        ");
            TPCM.COFMST(k, t) = 1.0f;
            TPCM.COFDMT(k, t) = 1.0f;
        }
    }
}

// The page counter grows by one at every slot; a counter loaded from a damaged file cannot
// overflow (it wraps as the 32-bit word it is).
std::int32_t counted(std::int32_t IPAG) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(IPAG) + 1u);
}

// Enters a slot: the counter, the reset of the skip code, and the page when it is shown.
void enter_slot(int slot) {
    TPCM.IPAG = counted(TPCM.IPAG);
    if (TPCM.LBACK == code_skip)
        TPCM.LBACK = 0;
    if (!slot_shown(slot))
        return; // LBACK stays, so the same code applies again from this slot
    switch (slot) {
    case 1:
        STATIC();
        break;
    case 2:
        MOORLN("2");
        break;
    case 3:
        MORLN2("3");
        break;
    case 4:
        ONELEG("4");
        break;
    case 5:
        CATOFF("5");
        break;
    case 6:
        CATOF2("6");
        break;
    case 7:
        CATOF3("7");
        break;
    case 8:
        VESEL1("8", "Vessel", keyboard_unit,
               TPCM.IARCO == 0 ? VesselBody::first : VesselBody::second);
        break;
    case 9:
        CATOF4("9");
        break;
    case 14:
        MOROT1("14");
        break;
    case 15:
        CATOT2("15");
        break;
    case 16:
        CATOT3("16");
        break;
    case 17:
        CATFIN("17");
        break;
    default:
        break;
    }
}

// A jump goes to page IPAG when there is one, else to page 1.
int jump_target(std::int32_t IPAG) {
    return IPAG >= first_slot && IPAG <= final_slot ? IPAG : first_slot;
}

} // namespace

bool slot_shown(int slot) {
    const bool forces = TPCM.NFCDIR != 0 || TPCM.NTQDIR != 0;
    switch (slot) {
    case 6:
        return TPCM.IARCO == 0;
    case 8:
        return forces;
    case 9:
        return TPCM.IARCO == 0 && !forces;
    case 10:
    case 11:
    case 12:
    case 13:
        return false;
    default:
        return slot >= first_slot && slot <= final_slot;
    }
}

int next_slot(int slot, std::int32_t LBACK, std::int32_t IPAG) {
    switch (LBACK) {
    case code_redraw:
        return slot;
    case code_first:
        return first_slot;
    case code_last:
    case code_execute:
        return final_slot;
    case code_skip:
        return slot >= 15 ? first_slot : slot + 2;
    case code_jump:
        return jump_target(IPAG);
    default:
        if (LBACK >= 0)
            return slot + 1;
        return slot == first_slot ? final_slot : slot - 1;
    }
}

std::optional<int> slot_after_final(std::int32_t LBACK, std::int32_t IPAG) {
    switch (LBACK) {
    case code_redraw:
    case code_last:
        return final_slot;
    case code_first:
    case 0:
        return first_slot;
    case code_skip:
        return 2;
    case code_jump:
        return jump_target(IPAG);
    case code_back:
        return 16;
    default:
        return std::nullopt;
    }
}

WalkEnd walk_pages(int slot) {
    for (;;) {
        enter_slot(slot);
        if (slot != final_slot) {
            slot = next_slot(slot, TPCM.LBACK, TPCM.IPAG);
            continue;
        }
        if (TPCM.LCOPY != 0)
            return WalkEnd::mirror_pass;
        if (const auto after = slot_after_final(TPCM.LBACK, TPCM.IPAG)) {
            slot = *after;
            continue;
        }
        // The end of the session. The session-only words are cleared first, so that neither
        // counts as a change nor reaches the file.
        const ProgramIdentity ID = CATTOP();
        TPCM.IVERS_SUFX = 0;
        {
            const ScopeRestore keep_console(TPCM.EDUNIT);
            TPCM.EDUNIT = 0;
            FINISH(ID, keyboard_unit, TPCM.LBACK, editor_store.JMPLOC, editor_store.IOBUF,
                   TPCM.IPAG, keep_console.saved(), NTOGOQ, false);
        }
        if (editor_store.JMPLOC == 1) {
            slot = final_slot;
            continue;
        }
        return WalkEnd::session_ended;
    }
}

void CATED() {
    const ProgramIdentity ID = CATTOP();
    TPCM.LCOPY = 0;
    for (;;) {
        IOINIT(ID, editor_store.IOBUF, editor_store.ANSWER, editor_store.JMPLOC, editor_store.IERR0,
               editor_store.IERR1, NTOGOQ);
        int slot = first_slot;
        if (editor_store.JMPLOC == 3000) {
            slot = final_slot;
        } else if (editor_store.JMPLOC != 200) {
            apply_load_defaults();
            if (editor_store.ANSWER == 'C')
                apply_new_file_defaults();
        }
        if (walk_pages(slot) == WalkEnd::session_ended)
            return;
    }
}

} // namespace lintar
