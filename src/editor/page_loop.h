// editor/page_loop.h: the editor: start-up, the walk through the numbered page slots, and the
// end of the session.
#pragma once

#include "blocks/tpcm.h"

#include <array>
#include <cstdint>
#include <optional>

namespace lintar {

// The page slots: 1 to 16 the data pages (10 to 13 are empty), 17 the final page.
inline constexpr int first_slot = 1;
inline constexpr int final_slot = 17;

// What the editor keeps for the whole run besides TPCM.
struct EditorStore {
    // The image of TPCM as loaded (EDUNIT 0 in it), against which the end of the session
    // detects edits.
    std::array<std::uint32_t, tpcm_word_count> IOBUF{};
    char ANSWER = ' ';       // the title-screen choice after the load: M, C or E
    std::int32_t JMPLOC = 0; // the load's entry code, then the save's result code
    std::int32_t IERR0 = 0;  // status of the low-frequency coefficient file (not used here)
    std::int32_t IERR1 = 0;  // status of the data file at the load; 1 = it did not exist
};
extern EditorStore editor_store;

// CATED: the data-file editor: takes the identity, opens or creates the data file, applies
// the editor's fixed defaults, walks the page slots and ends the session through the save.
// Reads and writes TPCM and the files of the working folder; ends the run through the save
// (or any stop on the way).
void CATED();

// Whether a slot's page is shown, by the mooring arrangement in TPCM: page 6 only without a
// buoy or tug (IARCO 0), page 8 only when force or couple directions are given, page 9 only
// when neither is given and IARCO is 0; slots 10 to 13 never.
bool slot_shown(int slot);

// The slot after slots 1 to 16 for the navigation code LBACK (IPAG: the target of a jump).
int next_slot(int slot, std::int32_t LBACK, std::int32_t IPAG);

// The slot after the final page, or nothing when the code ends the session.
std::optional<int> slot_after_final(std::int32_t LBACK, std::int32_t IPAG);

// How one walk through the slots ended: the final page started a mirror pass (the load runs
// again and the pass starts on page 1), or the session ended.
enum class WalkEnd { mirror_pass, session_ended };

// The walk from the given slot until the final page leaves it. Reads and writes TPCM; the end
// of the session saves through FINISH, which ends the run.
WalkEnd walk_pages(int slot);

} // namespace lintar
