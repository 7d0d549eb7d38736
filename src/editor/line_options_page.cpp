// editor/line_options_page.cpp: page 15, line-specific output options.
#include "editor/pages.h"

#include "blocks/tpcm.h"
#include "editor/page_help.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/answer_reader.h"
#include "util/prompts.h"

#include <span>
#include <string>

namespace lintar {

namespace {

// One switch of the page: its item number, its word in TPCM and its label.
struct LineSwitch {
    std::int32_t item;
    std::int32_t TpcmBlock::*word;
    std::string_view label;
};

// clang-format off
constexpr LineSwitch tension_switches[] = {
    {1, &TpcmBlock::NTO, "  1) Total line tension at fairlead ........................"},
    {2, &TpcmBlock::NHO, "  2) Net Horizontal tension at fairlead (Gh = Gxy) ........."},
    {3, &TpcmBlock::NVO, "  3) Vertical tension component (Gz) at fairlead ..........."},
    {4, &TpcmBlock::NTA, "  4) Total line tension at anchor .........................."},
    {5, &TpcmBlock::NHA, "  5) Net Horizontal tension component at anchor (Gh = Gxy) ."},
    {6, &TpcmBlock::NVA, "  6) Vertical tension component (Gz) at anchor ............."},
};
constexpr LineSwitch length_switches[] = {
    {11, &TpcmBlock::NSL, " 11) Total suspended line length ..........................."},
    {12, &TpcmBlock::NBL, " 12) Line lying on bottom .................................."},
    {13, &TpcmBlock::NANCD, " 13) Fairlead-Anchor distances ............................."},
};
constexpr LineSwitch angle_switches[] = {
    {21, &TpcmBlock::NDA, " 21) Declination angles at fairlead (from horizontal) ......"},
    {22, &TpcmBlock::NBA, " 22) Line uplift angle at anchor (from horizontal).........."},
    {23, &TpcmBlock::NDEPAN, " 23) Plan-view line departure angles (global-zero relative) "},
};
// clang-format on

struct SwitchGroup {
    std::string_view title;
    std::span<const LineSwitch> switches;
};
const SwitchGroup groups[] = {
    {">>> Line Tension Data (global, waterplane-relative) <<<", tension_switches},
    {">>> Length & Distance Data <<<", length_switches},
    {">>> Angle Data (global, waterplane-relative) <<<", angle_switches},
};

// The page: the heading and the three groups of switches.
void draw_page(std::string_view PAGE) {
    const int U = TPCM.EDUNIT;
    if (TPCM.LCOPY == 0)
        CLEAR(U);
    write_record(U, X(13) + " ****  Page " + std::string(PAGE) + ": Line-Specific Options ****");
    for (const SwitchGroup& group : groups) {
        LINES(U, 1);
        CENTER(group.title, "", 68, U);
        for (const LineSwitch& s : group.switches)
            write_record(U, std::string(s.label) + "...." + std::string(YESNO(TPCM.*s.word)));
    }
}

// The switch of an item number, or nothing.
std::int32_t* switch_of(std::int32_t item) {
    for (const SwitchGroup& group : groups)
        for (const LineSwitch& s : group.switches)
            if (s.item == item)
                return &(TPCM.*s.word);
    return nullptr;
}

} // namespace

// CATOT2: page 15, the per-line quantities the offset report tabulates: twelve yes/no
// switches. Reads and writes TPCM; ends the run only at the end of input.
void CATOT2(std::string_view PAGE) {
    for (;;) {
        draw_page(PAGE);
        const int U = TPCM.EDUNIT;
        if (TPCM.LCOPY != 0) {
            TWOPG(TPCM.LCOPY, U);
            TPCM.LBACK = 0;
            return;
        }
        ENTSEL(TPCM.LBACK, U, keyboard_unit, TPCM.IPAG);
        if (TPCM.LBACK == code_help) {
            CTOTHP(U, keyboard_unit, TPCM.IPAG, TPCM.SIMTYP);
            continue;
        }
        if (TPCM.LBACK < 1)
            return;
        if (std::int32_t* word = switch_of(TPCM.LBACK))
            TOGGLE2(*word, TPCM.IBATCH, U, keyboard_unit);
    }
}

} // namespace lintar
