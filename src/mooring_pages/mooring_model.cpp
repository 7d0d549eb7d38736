// mooring_pages/mooring_model.cpp: the encodings of the mooring model in TPCM.
#include "mooring_pages/mooring_model.h"

#include "blocks/tpcm.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/flags.h"
#include "util/prompts.h"

#include <algorithm>
#include <array>
#include <string>

namespace lintar {

int held(std::int32_t count, int limit) {
    return std::clamp<std::int32_t>(count, 0, limit);
}

char line_type_letter(std::int32_t type) {
    // Types from 63 on have no character a text screen can show (DEL and the bytes beyond
    // ASCII): they show as "?", which is no type's letter, and are chosen by number.
    const int code = 'A' + type - 1;
    if (code < 'A' || code > '~')
        return '?';
    return static_cast<char>(code);
}

std::string_view profile_text(std::int32_t LODTYP) {
    static constexpr std::array<std::string_view, 5> texts = {
        "fairlead line angle", "distance to anchor ", "line tension       ", "horizontal force   ",
        "Undefined!         "};
    return texts[static_cast<std::size_t>(LODTYP >= 0 && LODTYP <= 3 ? LODTYP : 4)];
}

bool hawser_mode() {
    return (TPCM.SIMTYP == 13 || TPCM.SIMTYP == 8) && TPCM.IARCO == 1;
}

std::optional<ExclusionBit> exclusion_bit(std::int32_t line) {
    if (line < 1 || line > exclusion_capacity)
        return std::nullopt;
    return ExclusionBit{(line - 1) / exclusion_word_bits + 1, (line - 1) % exclusion_word_bits + 1};
}

bool line_in_set(std::int32_t line, std::int32_t ID1, std::int32_t ID2, std::int32_t ID3,
                 std::int32_t ID4) {
    const auto at = exclusion_bit(line);
    if (!at)
        return false;
    const std::int32_t words[] = {ID1, ID2, ID3, ID4};
    return BITVAL(words[at->word - 1], at->bit) == 1;
}

namespace {

// The warning of a system with more lines than an exclusion set holds. The console shows it
// and waits for Return; an unattended run, which has no one to answer, writes it to the
// diagnostics file and goes on. A silent run keeps unit 41 open while its mirror pass writes
// the pages on unit 1, so an open unit 41 marks the unattended run there too.
void warn_lines_beyond_sets(int IOSCRN) {
    const bool unattended = IOSCRN == diagnostics_unit || unit_is_open(diagnostics_unit);
    const int unit = unattended ? diagnostics_unit : screen_unit;
    if (!unattended)
        CLEAR(IOSCRN);
    write_record(unit, "");
    write_record(unit, "");
    write_record(unit, " ++> Line exclusion data; Warning for systems with > " +
                           I(exclusion_capacity, 3) + " lines:");
    write_record(unit, "     Lines with line numbers > " + I(exclusion_capacity, 3) +
                           " cannot be excluded...");
    if (unattended)
        return;
    write_record(unit, "     Press <Return> to continue");
    (void)read_answer(1);
}

} // namespace

void LOADEXCLUDE(std::int32_t N, std::span<std::int32_t> IARRAY, std::int32_t& ID1,
                 std::int32_t& ID2, std::int32_t& ID3, std::int32_t& ID4, std::int32_t NLIN,
                 std::int32_t LREAD, int IOSCRN) {
    if (NLIN > exclusion_capacity)
        warn_lines_beyond_sets(IOSCRN);
    std::int32_t* const words[] = {&ID1, &ID2, &ID3, &ID4};
    const int places = static_cast<int>(IARRAY.size());
    if (LREAD == 1) {
        // Place j (from 1) of the list takes the next excluded line.
        int j = 1;
        for (int i = 1; i <= std::min(held(NLIN, lincom_lines), places); ++i) {
            const bool excluded = line_in_set(i, ID1, ID2, ID3, ID4);
            IARRAY[slot(j)] = excluded ? i : 0;
            if (excluded)
                ++j;
        }
        return;
    }
    for (std::int32_t* word : words)
        *word = 0;
    for (int k = 1; k <= held(N, places); ++k)
        if (const auto at = exclusion_bit(IARRAY[slot(k)]))
            BITSET(*words[at->word - 1], at->bit, 1, IOSCRN);
}

} // namespace lintar
