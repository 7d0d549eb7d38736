// motions/heading_list.cpp: LOGFIL and LOADN.
#include "motions/heading_list.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/prompts.h"

#include <cmath>
#include <string>

namespace lintar {

// LOGFIL: see the header.
void LOGFIL(std::int32_t& MATCH, float HEADG, std::span<const float> RAOANG, std::int32_t NRAO) {
    MATCH = 0;
    for (std::int32_t i = 1; i <= NRAO; ++i) {
        if (std::abs(RAOANG[slot(i)] - HEADG) < 0.05f)
            MATCH = i;
    }
}

namespace {

// The slot of ANGLE (degrees) in REDANG: the matching one, or a new slot with the logical
// LRAO_NEW. The new slot is checked before it is written, so that the tables never run past
// their ends.
std::int32_t heading_slot(float ANGLE, bool LRAO_NEW, std::int32_t& MATCH) {
    HimemBlock& H = HIMEM;
    const float ANG = REDDEG(ANGLE);
    LOGFIL(MATCH, ANG, H.REDANG_words, WAVCOM.NRAO);
    if (MATCH != 0)
        return MATCH;
    if (WAVCOM.NRAO >= max_relative_headings) {
        const int EDUNIT = TPCM.EDUNIT;
        fatal_stop(EDUNIT, keyboard_unit,
                   {" ++> Too many regular wave raos requested (=" + I(WAVCOM.NRAO + 1, 4) + ").",
                    "     Reduce total number to" + I(max_relative_headings, 4) + " or less"});
    }
    WAVCOM.NRAO = WAVCOM.NRAO + 1;
    H.REDANG(WAVCOM.NRAO) = ANG;
    set_logical(H.LRAO(WAVCOM.NRAO), LRAO_NEW);
    return WAVCOM.NRAO;
}

std::int32_t heading_slot(float ANGLE, bool LRAO_NEW) {
    std::int32_t MATCH = 0;
    return heading_slot(ANGLE, LRAO_NEW, MATCH);
}

} // namespace

// LOADN: see the header.
void LOADN() {
    HimemBlock& H = HIMEM;
    const TpcmBlock& P = TPCM;
    LINTAR_ASSERT(P.NDIR <= 12 && P.NSEAHG <= sea_heading_capacity &&
                      P.NA + 1 <= heading_slot_capacity,
                  "heading counts checked by the set-up");
    WAVCOM.NRAO = 0;
    WAVCOM.ISWELL = 0;
    WAVCOM.ISWEL2 = 0;

    // The regular-wave headings take the first slots as they are.
    for (int i = 1; i <= P.NDIR; ++i) {
        H.REDANG(i) = REDDEG(TPCM.WAVHDG(i));
        set_logical(H.LRAO(i), true);
    }
    WAVCOM.NRAO = P.NDIR > 0 ? P.NDIR : 0;

    // Swell headings of their own, or relative to each sea heading.
    if (P.LSWLOK == 0) {
        if (P.LSWELL != 0)
            WAVCOM.ISWELL = heading_slot(P.SWLHDG, true);
        if (P.LSWEL2 != 0)
            WAVCOM.ISWEL2 = heading_slot(P.SWLHDG2, true);
    }
    if (P.LSWLOK == 1) {
        for (int i = 1; i <= P.NSEAHG; ++i) {
            H.ISWL(i) = heading_slot(TPCM.SEAHDG(i) + P.SWLHDG, true);
            H.ISWL2(i) = heading_slot(TPCM.SEAHDG(i) + P.SWLHDG2, true);
        }
    }
    if (P.LRANDM == 0)
        return;

    if (!is_true(WAVCOM.LEXP)) {
        // Long-crested seas: one heading per sea heading.
        for (int i = 1; i <= P.NSEAHG; ++i)
            H.IRAN(i) = heading_slot(TPCM.SEAHDG(i), true);
        return;
    }
    // Short-crested seas: the NA + 1 steps across the sector of each sea heading; headings added
    // here serve the spreading integral only.
    const int EDUNIT = P.EDUNIT;
    for (int IH = 1; IH <= P.NSEAHG; ++IH) {
        const float start = TPCM.SEAHDG(IH) - 0.5f * P.ANGSEC;
        for (int IANG = 1; IANG <= P.NA + 1; ++IANG) {
            const float ANG = start + static_cast<float>(IANG - 1) * WAVCOM.DADEG;
            std::int32_t MATCH = 0;
            H.INTGFL(IANG, IH) = heading_slot(ANG, false, MATCH);
            if (P.NBUG == 1) {
                write_record(EDUNIT, " In LOADN; IHDG,IANG,MATCH,NRAO,ANG,SEAHDG,DADEG");
                write_record(EDUNIT, I(IH, 6) + I(IANG, 6) + I(MATCH, 6) + I(WAVCOM.NRAO, 6) +
                                         F(ANG, 10, 3) + F(TPCM.SEAHDG(IH), 10, 3) +
                                         F(WAVCOM.DADEG, 10, 3));
            }
        }
    }
}

} // namespace lintar
