// mooring_pages/subline_editing.cpp: slot operations on the per-subline tables and the copy,
// delete, insert and exchange commands of the subline page.
#include "mooring_pages/subline_editing.h"

#include "blocks/tpcm.h"
#include "mooring_pages/subline_page.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <string>

namespace lintar {

namespace {

// The eleven words of a slot that are reals, in the order the exchange takes them.
std::array<float*, 11> slot_reals(std::int32_t IELEM, std::int32_t ITYP) {
    return {&TPCM.SLEN(IELEM, ITYP),     &TPCM.DIAM(IELEM, ITYP),      &TPCM.WETWT(IELEM, ITYP),
            &TPCM.DRYWT(IELEM, ITYP),    &TPCM.MOORDUMMY(IELEM, ITYP), &TPCM.COFMST(IELEM, ITYP),
            &TPCM.COFDMT(IELEM, ITYP),   &TPCM.TBRK(IELEM, ITYP),      &TPCM.ALPHA(1, IELEM, ITYP),
            &TPCM.ALPHA(2, IELEM, ITYP), &TPCM.ALPHA(3, IELEM, ITYP)};
}

// True when both sublines are the last of their (different) types: the anchor data then go
// with them.
bool anchor_sublines(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO,
                     std::int32_t ITPFRM) {
    return ITPTO != ITPFRM && IELTO == TPCM.NELEM(ITPTO) && IELFRM == TPCM.NELEM(ITPFRM);
}

// The answer to "E"lement or "T"ype: 'E', 'T', another letter (the command does nothing), or
// 0 when the answer was blank (the command is dropped). Numbers and other characters ask
// again.
char element_or_type(std::string_view prompt) {
    for (;;) {
        WRTLIN(prompt, TPCM.EDUNIT);
        bool CR = false;
        char AVAL = ' ';
        std::int32_t NUMVAL = 0;
        READ_TYPE(CR, AVAL, NUMVAL, keyboard_unit);
        if (CR)
            return 0;
        if (NUMVAL != 0)
            continue;
        std::int32_t IERR = 0;
        UPCASE(AVAL, IERR);
        if (IERR == 0)
            return AVAL;
    }
}

// The source or partner type of a copy or an exchange, asked with prompt (not when there is
// one type only). Blank drops the command (0); a letter outside the types in use asks again; a
// number from 1 to NTYP is taken; another number drops a copy and asks an exchange again.
std::int32_t partner_type(std::string_view prompt, bool number_outside_drops) {
    if (types_in_use() == 1)
        return 1;
    for (;;) {
        WRTLIN(prompt, TPCM.EDUNIT);
        bool CR = false;
        char AVAL = ' ';
        std::int32_t NUMVAL = 0;
        READ_TYPE(CR, AVAL, NUMVAL, keyboard_unit);
        if (CR)
            return 0;
        if (NUMVAL >= 1 && NUMVAL <= types_in_use())
            return NUMVAL;
        if (AVAL != ' ') {
            const std::int32_t type = type_of_letter(AVAL);
            if (type >= 1 && type <= types_in_use())
                return type;
            continue;
        }
        if (number_outside_drops)
            return 0;
    }
}

// An element number from 1 to `last` after prompt, or 0 for 99 or a blank answer. A blank
// answer is read as 99: READI leaves the number it is given when nothing is typed, and an old
// number from an earlier command must not be taken for an answer. 101 comes back as 101 when
// `all_allowed`; anything else (page commands too) asks again.
std::int32_t element_number(std::string_view prompt, std::int32_t last, bool all_allowed) {
    for (;;) {
        WRTLIN(prompt, TPCM.EDUNIT);
        std::int32_t KELEM = 99;
        std::int32_t PAGNO = 0;
        READI(KELEM, keyboard_unit, PAGNO);
        if (KELEM == 99)
            return 0;
        if (all_allowed && KELEM == 101)
            return 101;
        if (KELEM >= 1 && KELEM <= last)
            return KELEM;
    }
}

// Exchanges the fields of two slots, not the type's data.
void swap_slot_fields(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO,
                      std::int32_t ITPFRM) {
    SWAPC(TPCM.SCOMP(IELTO, ITPTO), TPCM.SCOMP(IELFRM, ITPFRM));
    const auto to = slot_reals(IELTO, ITPTO);
    const auto from = slot_reals(IELFRM, ITPFRM);
    for (std::size_t k = 0; k < to.size(); ++k)
        SWAPX(*to[k], *from[k]);
}

// Exchanges the spring buoys and clump weights of two types.
void swap_buoy_and_clump(std::int32_t ITPTO, std::int32_t ITPFRM) {
    const float buoy = spring_buoy(ITPTO);
    const float clump = clump_weight(ITPTO);
    set_spring_buoy(ITPTO, spring_buoy(ITPFRM));
    set_clump_weight(ITPTO, clump_weight(ITPFRM));
    set_spring_buoy(ITPFRM, buoy);
    set_clump_weight(ITPFRM, clump);
}

// Exchanges the anchor data of two types when the sublines are the last of both.
void swap_anchor_data(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO,
                      std::int32_t ITPFRM) {
    if (!anchor_sublines(IELTO, IELFRM, ITPTO, ITPFRM))
        return;
    SWAPX(TPCM.ANCHGT(ITPTO), TPCM.ANCHGT(ITPFRM));
    SWAPI(TPCM.ANCTYP(ITPTO), TPCM.ANCTYP(ITPFRM));
}

// The whole-type moves. A type moves with all its data: its slots, its spring buoy and clump
// weight, and its anchor data. The slot rule (anchor data go with a last subline onto a last
// subline) would leave a moved type's anchor depth and bottom boundary behind whenever the
// neighbouring types have different counts of sublines (the counts do not move), so that a
// type would take over the anchor of the type deleted before it.

// Type `from` onto type `to`, every slot of the capacity.
void move_type(std::int32_t from, std::int32_t to) {
    for (std::int32_t s = 1; s <= subline_capacity(); ++s)
        COPY(s, s, to, from);
    TPCM.ANCHGT(to) = TPCM.ANCHGT(from);
    TPCM.ANCTYP(to) = TPCM.ANCTYP(from);
}

// Every slot of type t cleared, and its anchor data back to the defaults.
void clear_type(std::int32_t t) {
    for (std::int32_t s = 1; s <= subline_capacity(); ++s)
        CLRDAT(s, t);
    TPCM.ANCHGT(t) = TPCM.ANCHT0;
    TPCM.ANCTYP(t) = TPCM.MOORTP;
}

} // namespace

void CLRDAT(std::int32_t IELEM, std::int32_t ITYP) {
    std::fill_n(TPCM.SCOMP(IELEM, ITYP).begin(), 8, ' ');
    for (float* value : slot_reals(IELEM, ITYP))
        *value = 0.0f;
    TPCM.COFMST(IELEM, ITYP) = TPCM.COFMAS;
    TPCM.COFDMT(IELEM, ITYP) = TPCM.COFDMP;
    if (IELEM == TPCM.NELEM(ITYP)) {
        TPCM.ANCHGT(ITYP) = TPCM.ANCHT0;
        TPCM.ANCTYP(ITYP) = TPCM.MOORTP;
    }
    set_clump_weight(ITYP, 0.0f);
    set_spring_buoy(ITYP, 0.0f);
}

void COPY(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO, std::int32_t ITPFRM) {
    const auto from_name = TPCM.SCOMP(IELFRM, ITPFRM);
    std::copy(from_name.begin(), from_name.end(), TPCM.SCOMP(IELTO, ITPTO).begin());
    const auto to = slot_reals(IELTO, ITPTO);
    const auto from = slot_reals(IELFRM, ITPFRM);
    for (std::size_t k = 0; k < to.size(); ++k)
        *to[k] = *from[k];
    set_clump_weight(ITPTO, clump_weight(ITPFRM));
    set_spring_buoy(ITPTO, spring_buoy(ITPFRM));
    if (anchor_sublines(IELTO, IELFRM, ITPTO, ITPFRM)) {
        TPCM.ANCHGT(ITPTO) = TPCM.ANCHGT(ITPFRM);
        TPCM.ANCTYP(ITPTO) = TPCM.ANCTYP(ITPFRM);
    }
}

void SWAP(std::int32_t IELTO, std::int32_t IELFRM, std::int32_t ITPTO, std::int32_t ITPFRM) {
    swap_slot_fields(IELTO, IELFRM, ITPTO, ITPFRM);
    swap_buoy_and_clump(ITPTO, ITPFRM);
    swap_anchor_data(IELTO, IELFRM, ITPTO, ITPFRM);
}

void SWAPX(float& XITEM1, float& XITEM2) {
    const float TEMP = XITEM1;
    XITEM1 = XITEM2;
    XITEM2 = TEMP;
}

void SWAPI(std::int32_t& ITEM1, std::int32_t& ITEM2) {
    const std::int32_t ITEMP = ITEM1;
    ITEM1 = ITEM2;
    ITEM2 = ITEMP;
}

void SWAPC(std::span<char> CITEM1, std::span<char> CITEM2) {
    // Each assignment pads with blanks or cuts, as between texts of different lengths.
    const auto assign = [](std::span<char> to, std::span<const char> from) {
        for (std::size_t k = 0; k < to.size(); ++k)
            to[k] = k < from.size() ? from[k] : ' ';
    };
    std::array<char, 79> CTEMP{};
    assign(CTEMP, CITEM1);
    assign(CITEM1, CITEM2);
    assign(CITEM2, CTEMP);
}

// copy_command: "C". Copies into the current slot from one subline of a source type, or, with
// 101, the first NELEM(ITYP) sublines of the source into the current type (a note and a Return
// pause first when the source has more).
void copy_command(std::int32_t ITYP, std::int32_t IELEM) {
    const std::int32_t KTYP = partner_type("Copy data from which type?: ", true);
    if (KTYP == 0)
        return;
    if (TPCM.NELEM(KTYP) <= 1) {
        COPY(IELEM, 1, ITYP, KTYP);
        return;
    }
    const std::int32_t KELEM = element_number(
        "Copy data from which element number? (99 to abort; 101 to copy all elements): ",
        sublines_of(KTYP), true);
    if (KELEM == 0)
        return;
    if (KELEM != 101) {
        COPY(IELEM, KELEM, ITYP, KTYP);
        return;
    }
    const int EDUNIT = TPCM.EDUNIT;
    if (TPCM.NELEM(ITYP) < TPCM.NELEM(KTYP)) {
        write_record(EDUNIT, " >>> More elements in source Type (" + std::to_string(KTYP) +
                                 ") than destination Type (" + std::to_string(ITYP) + ").");
        write_record(EDUNIT, "     Only the first " + std::to_string(TPCM.NELEM(ITYP)) +
                                 " Elements will be copied...");
        std::int32_t dropped = 0;
        PRSRET(EDUNIT, keyboard_unit, dropped);
    }
    for (std::int32_t i = 1; i <= sublines_of(ITYP); ++i)
        COPY(i, i, ITYP, KTYP);
}

// delete_command: "D". "E" moves every later subline of the type one number down and clears
// the last slot; "T" moves every later type one number down and clears the last possible
// type. The counts stay as they were: the user adjusts them on pages 2 and 3.
void delete_command(std::int32_t ITYP, std::int32_t IELEM) {
    const char answer =
        element_or_type("Delete this \"E\"lement or all elements of this \"T\"ype?: ");
    const std::int32_t MAXTYP = type_capacity();
    const std::int32_t MAXELM = subline_capacity();
    if (answer == 'T') {
        for (std::int32_t t = ITYP + 1; t <= MAXTYP; ++t)
            move_type(t, t - 1);
        // The last possible type is cleared once it has moved down. Deleting that type itself
        // clears it as well: there is nothing to move into it, and leaving it as it was would
        // let the user believe it deleted.
        clear_type(MAXTYP);
    } else if (answer == 'E') {
        for (std::int32_t s = IELEM + 1; s <= MAXELM; ++s)
            COPY(s - 1, s, ITYP, ITYP);
        CLRDAT(MAXELM, ITYP);
    }
}

// insert_command: "I". "E" moves the current subline and every later one a number up (the last
// slot's data are lost) and clears the current slot; "T" moves the current type and every
// later one a number up (the last possible type's data are lost) and clears the current type.
void insert_command(std::int32_t ITYP, std::int32_t IELEM) {
    const char answer = element_or_type("Insert a single \"E\"lement or an entire \"T\"ype?: ");
    const std::int32_t MAXTYP = type_capacity();
    const std::int32_t MAXELM = subline_capacity();
    if (answer == 'T') {
        for (std::int32_t t = MAXTYP - 1; t >= ITYP; --t)
            move_type(t, t + 1);
        // Cleared after it has moved up whole (its spring buoy and clump weight with it).
        clear_type(ITYP);
    } else if (answer == 'E') {
        for (std::int32_t s = MAXELM - 1; s >= IELEM; --s)
            COPY(s + 1, s, ITYP, ITYP);
        CLRDAT(IELEM, ITYP);
    }
}

// exchange_command: "X". "T" exchanges the whole current type with a partner type, "E" the
// current subline with one subline of the partner type.
void exchange_command(std::int32_t ITYP, std::int32_t IELEM) {
    const char answer = element_or_type("Exchange a single \"E\"lement or an entire \"T\"ype?: ");
    if (answer != 'T' && answer != 'E')
        return;
    const bool TPLOOP = answer == 'T';
    const std::int32_t KTYP = partner_type("Exchange data with which type?: ", false);
    if (KTYP == 0)
        return;
    if (TPLOOP) {
        // Slot by slot; the types' spring buoys, clump weights and anchor data once.
        for (std::int32_t s = 1; s <= subline_capacity(); ++s)
            swap_slot_fields(s, s, ITYP, KTYP);
        swap_buoy_and_clump(ITYP, KTYP);
        if (ITYP != KTYP) {
            SWAPX(TPCM.ANCHGT(ITYP), TPCM.ANCHGT(KTYP));
            SWAPI(TPCM.ANCTYP(ITYP), TPCM.ANCTYP(KTYP));
        }
        return;
    }
    if (TPCM.NELEM(KTYP) <= 1) {
        SWAP(IELEM, 1, ITYP, KTYP);
        return;
    }
    const std::int32_t KELEM = element_number(
        "Exchange with which element number? (99 to abort): ", sublines_of(KTYP), false);
    if (KELEM != 0)
        SWAP(IELEM, KELEM, ITYP, KTYP);
}

} // namespace lintar
