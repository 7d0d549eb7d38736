// datafile/resize_149.cpp: the resize of an image of the older 49-fairlead layout to the current
// 149-fairlead layout of TPCM.
#include "datafile/resize_149.h"

#include "blocks/tpcm.h"
#include "blocks/tpcm_location.h"
#include "datafile/tpcm_image.h"
#include "runtime/assert.h"
#include "util/word_arrays.h"

#include <span>

namespace lintar {

namespace {

// The older layout's columns: sublines and line types, line slots, vessel points.
constexpr int old_sublines = 10;
constexpr int old_types = 50;
constexpr int old_slots = 51;
constexpr int old_points = 49;

// The sublines and line types of the current layout.
constexpr int sublines = 25;
constexpr int types = 150;

// The program types whose images end after the top part, and after the second-body part.
bool top_part_only(std::int32_t SIMTYP) {
    return SIMTYP == 1 || SIMTYP == 4 || SIMTYP == 11;
}
bool no_mooring_part(std::int32_t SIMTYP) {
    return top_part_only(SIMTYP) || SIMTYP == 3 || SIMTYP == 16;
}

// The gaps of a subline table of elements of `width` words: one per older line type, after
// its tenth subline, then one for line types 51 to 150. `at(e, t)` is the word of element
// (e, t) in the current layout.
template <class At> void add_subline_table(std::vector<ResizeGap>& gaps, int width, const At& at) {
    for (int t = 1; t <= old_types; ++t)
        gaps.push_back({at(old_sublines + 1, t), width * (sublines - old_sublines), width});
    gaps.push_back({at(1, old_types + 1), width * sublines * (types - old_types), width});
}

} // namespace

// resize_gaps: the gaps in the order of the conversion; reads only the positions of TPCM's
// members.
std::vector<ResizeGap> resize_gaps(std::int32_t SIMTYP) {
    TpcmBlock& B = TPCM;
    std::vector<ResizeGap> gaps;
    // Top part: the reserve before the editor state, the integer reserve, the vessel points,
    // the end word.
    gaps.push_back({LRHLOC(&B.RTPCM2(1)), 200, 1});
    gaps.push_back({LRHLOC(&B.ITPCM6(5)), 100, 1});
    gaps.push_back({LRHLOC(&B.RACC(1, old_points + 1)), 300, 1});
    gaps.push_back({LRHLOC(&B.TOPCOM_LAST), 1, 1});
    if (top_part_only(SIMTYP))
        return gaps;
    // Second-body part.
    gaps.push_back({LRHLOC(&B.BTPCM6(5)), 100, 1});
    gaps.push_back({LRHLOC(&B.BRACC(1, old_points + 1)), 300, 1});
    if (no_mooring_part(SIMTYP))
        return gaps;
    // Mooring part.
    gaps.push_back({LRHLOC(&B.DOHINGE) + 9, 100, 1});
    gaps.push_back({LRHLOC(&B.STRESS_STRAIN_FILE(old_types + 1)), 100, 1});
    gaps.push_back({LRHLOC(&B.ANCTYP(old_types + 1)), 100, 1});
    for (int t = 1; t <= old_types; ++t)
        gaps.push_back({LRHLOC(&B.LINTYP(old_slots + 1, t)), 151 - old_slots, 1});
    gaps.push_back({LRHLOC(&B.LINTYP(1, old_types + 1)), 151 * (types - old_types), 1});
    gaps.push_back({LRHLOC(&B.NLINE(old_types + 1)), 100, 1});
    gaps.push_back({LRHLOC(&B.NELEM(old_types + 1)), 100, 1});
    gaps.push_back({LRHLOC(&B.IDYNEV(old_types + 1)), 100, 1});
    add_subline_table(gaps, 2, [&](int e, int t) { return LRHLOC(B.SCOMP(e, t).data()); });
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.SLEN(e, t)); });
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.DIAM(e, t)); });
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.WETWT(e, t)); });
    add_subline_table(gaps, 3, [&](int e, int t) { return LRHLOC(&B.ALPHA(1, e, t)); });
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.TBRK(e, t)); });
    gaps.push_back({LRHLOC(&B.HTENS(old_types + 1)), 100, 1});
    gaps.push_back({LRHLOC(&B.RFLD(1, old_types + 1)), 300, 3});
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.COFMST(e, t)); });
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.COFDMT(e, t)); });
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.DRYWT(e, t)); });
    add_subline_table(gaps, 1, [&](int e, int t) { return LRHLOC(&B.MOORDUMMY(e, t)); });
    gaps.push_back({LRHLOC(&B.ANGDEP(old_types + 1)), 100, 1});
    gaps.push_back({LRHLOC(&B.ANCHGT(old_types + 1)), 100, 1});
    gaps.push_back({LRHLOC(&B.BOTFRC(old_types + 1)), 100, 1});
    gaps.push_back({LRHLOC(&B.DUMCOM(18)), 200, 1});
    return gaps;
}

// older_layout_word: the gaps of this program type that lie wholly before the word are taken
// away. Reads only the positions of TPCM's members.
std::int32_t older_layout_word(std::int32_t current_word) {
    std::int32_t word = current_word;
    for (const ResizeGap& gap : resize_gaps(8)) {
        if (gap.at + gap.size <= current_word)
            word -= gap.size;
        else
            LINTAR_ASSERT(gap.at > current_word, "a word the older layout lacks");
    }
    return word;
}

// open_gap: changes the image words only.
void open_gap(std::span<std::uint32_t> w, const ResizeGap& gap) {
    const std::int32_t first = gap.at - 1;
    const auto kept = static_cast<std::int32_t>(w.size()) - first - gap.size;
    if (kept <= 0)
        return;
    const std::int32_t elements = kept / gap.width;
    const std::int32_t tail = kept - elements * gap.width;
    const std::int32_t tail_from = first + elements * gap.width;
    MOVDWN(tail, &w[tail_from], &w[tail_from + gap.size]);
    switch (gap.width) {
    case 2:
        MOVDWN2(elements, &w[first], &w[first + gap.size]);
        break;
    case 3:
        MOVDWN3(elements, &w[first], &w[first + gap.size]);
        break;
    default:
        MOVDWN(elements, &w[first], &w[first + gap.size]);
        break;
    }
}

// UPDATE_TO_149: reads and writes TPCM as a whole image (every bit pattern kept); reads the
// image's program type SIMTYP. Never ends the run.
void UPDATE_TO_149(float DATVER, std::int32_t SIZ_DAT, std::int32_t Ntop, std::int32_t Nbottom) {
    (void)DATVER;
    (void)SIZ_DAT;
    LINTAR_ASSERT(Ntop == 1 && Nbottom == SIZ_DAT && SIZ_DAT == tpcm_word_count,
                  "the resize works on the whole of TPCM");
    std::vector<std::uint32_t> image = tpcm_image();
    const std::span<std::uint32_t> w(image.data(), static_cast<std::size_t>(Nbottom));
    const std::int32_t SIMTYP = TPCM.SIMTYP;
    for (const ResizeGap& gap : resize_gaps(SIMTYP))
        open_gap(w, gap);

    // The words of a member in the image being converted.
    TpcmBlock& B = TPCM;
    const auto at = [&](const void* member) { return &w[LRHLOC(member) - Ntop]; };

    // Top part. The end word is cleared too: left alone it would hold a copy of the first word
    // of the second-body part, which the move has just pushed past it.
    CLEAR_1D(at(&B.RTPCM2(1)), 200, 1, 200);
    CLEAR_1D(at(&B.ITPCM6(1)), 104, 5, 104);
    CLEAR_2D(at(&B.RACC(1, 1)), 3, 149, 1, 3, old_points + 1, 149);
    CLEAR_1D(at(&B.TOPCOM_LAST), 1, 1, 1);
    if (!top_part_only(SIMTYP)) {
        CLEAR_1D(at(&B.BTPCM6(1)), 104, 5, 104);
        CLEAR_2D(at(&B.BRACC(1, 1)), 3, 149, 1, 3, old_points + 1, 149);
    }
    if (!no_mooring_part(SIMTYP)) {
        const auto subline_table = [&](const void* first, int width) {
            CLEAR_3D(at(first), width, sublines, types, 1, width, old_sublines + 1, sublines, 1,
                     types);
            CLEAR_3D(at(first), width, sublines, types, 1, width, 1, sublines, old_types + 1,
                     types);
        };
        const auto per_type = [&](const void* first) {
            CLEAR_1D(at(first), types, old_types + 1, types);
        };
        CLEAR_1D(at(&B.DOHINGE), 109, 10, 109);
        per_type(&B.STRESS_STRAIN_FILE(1));
        per_type(&B.ANCTYP(1));
        CLEAR_2D(at(&B.LINTYP(1, 1)), 151, types, old_slots + 1, 151, 1, types);
        CLEAR_2D(at(&B.LINTYP(1, 1)), 151, types, 1, 151, old_types + 1, types);
        per_type(&B.NLINE(1));
        per_type(&B.NELEM(1));
        per_type(&B.IDYNEV(1));
        subline_table(B.SCOMP(1, 1).data(), 2); // zero bytes, not blanks
        subline_table(&B.SLEN(1, 1), 1);
        subline_table(&B.DIAM(1, 1), 1);
        subline_table(&B.WETWT(1, 1), 1);
        subline_table(&B.ALPHA(1, 1, 1), 3);
        subline_table(&B.TBRK(1, 1), 1);
        per_type(&B.HTENS(1));
        CLEAR_2D(at(&B.RFLD(1, 1)), 3, types, 1, 3, old_types + 1, types);
        subline_table(&B.COFMST(1, 1), 1);
        subline_table(&B.COFDMT(1, 1), 1);
        subline_table(&B.DRYWT(1, 1), 1);
        subline_table(&B.MOORDUMMY(1, 1), 1);
        per_type(&B.ANGDEP(1));
        per_type(&B.ANCHGT(1));
        per_type(&B.BOTFRC(1));
        CLEAR_1D(at(&B.DUMCOM(1)), 217, 18, 217);
    }
    set_tpcm_image(image);
}

} // namespace lintar
