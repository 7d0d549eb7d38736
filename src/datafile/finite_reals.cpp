// datafile/finite_reals.cpp: the reals of the data file that the analysis reads, and which of
// them hold no finite number.
#include "datafile/finite_reals.h"

#include "blocks/tpcm.h"
#include "datafile/offset_counts.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lintar {

namespace {

// How far the stages read along one dimension of a member.
enum class Reach : std::uint8_t {
    all,           // every slot the dimension declares
    lines,         // the lines of the mooring, NLIN
    types,         // the line types, NTYP
    sublines,      // the sublines of the line type the next index names, NELEM(t)
    motion_points, // the vessel's motion points, IVESL(1)
    buoy_points,   // the second body's motion points, IBUOY(1)
    hawser_line,   // the hawser's line alone, HAWSLN
    directions,    // the directions of the member's offset kind
    points,        // the points of the member's offset kind
};

// When the stages read a member: always, or only when the data switch it on.
enum class When : std::uint8_t {
    always,
    second_body, // a tow, a tanker with its buoy, a CALM buoy: the second body's section
    current,     // a current (LCURNT)
};

// A real member of TPCM that the stages read, and the part of it they read: its first word,
// its declared bounds (first index fastest; 0 past its rank) and, for each dimension, how far
// the stages go along it.
struct CheckedReal {
    const char* name;
    int word;
    std::array<int, 3> bounds{};
    std::array<Reach, 3> reach{};
    std::int32_t kind = 0; // the offset kind of Reach::directions and Reach::points
    When when = When::always;

    constexpr int rank() const {
        return static_cast<int>(
            std::count_if(bounds.begin(), bounds.end(), [](int b) { return b > 0; }));
    }
    constexpr int slots() const {
        int n = 1;
        for (int d = 0; d < rank(); ++d)
            n *= bounds[static_cast<std::size_t>(d)];
        return n;
    }
};

constexpr int word_at(std::size_t offset) {
    return static_cast<int>(offset / 4) + 1;
}

constexpr CheckedReal scalar(const char* name, std::size_t offset, When when = When::always) {
    return {name, word_at(offset), {}, {}, 0, when};
}

// clang-format off
// Every real the line tables (MRSTAT), the static equilibrium (QSTAT) and the offset table
// (CATTBL) read from the data, in the order of the data file's pages: the site, the vessel (and
// the second body, whose section takes the vessel's place in its pass), the lines and their
// types, the offset specifications. A member the stages write before they read it (the DP
// results DPXFRC to DPYLOC, the moment centre RMCTRG, the towline angles TLNANG and BLNANG of a
// tow) or only copy (MOORDUMMY) is not listed: a stored file may hold anything there.
constexpr CheckedReal checked_reals[] = {
    // The site, the table loads and the version the reports print.
    scalar("VERNO", offsetof(TpcmBlock, VERNO)),
    scalar("DEPTH", offsetof(TpcmBlock, DEPTH)),
    scalar("DWATR", offsetof(TpcmBlock, DWATR)),
    scalar("HMIN", offsetof(TpcmBlock, HMIN)),
    scalar("TLOAD", offsetof(TpcmBlock, TLOAD)),
    scalar("CURHDG", offsetof(TpcmBlock, CURHDG), When::current),
    scalar("CURSPD", offsetof(TpcmBlock, CURSPD), When::current),

    // The vessel: hydrostatics, the still-water heading, applied loads (the yaw moment of a
    // user's force takes its arm from the centre of gravity, CG_to_Midship), DP and the motion
    // points.
    scalar("TRIMDG", offsetof(TpcmBlock, TRIMDG)), scalar("HEELDG", offsetof(TpcmBlock, HEELDG)),
    scalar("XSALM", offsetof(TpcmBlock, XSALM)),   scalar("ZXWARM", offsetof(TpcmBlock, ZXWARM)),
    scalar("ZYWARM", offsetof(TpcmBlock, ZYWARM)), scalar("ZXCARM", offsetof(TpcmBlock, ZXCARM)),
    scalar("ZYCARM", offsetof(TpcmBlock, ZYCARM)), scalar("DISPL", offsetof(TpcmBlock, DISPL)),
    scalar("VKG", offsetof(TpcmBlock, VKG)),       scalar("DRAFT", offsetof(TpcmBlock, DRAFT)),
    scalar("AWP", offsetof(TpcmBlock, AWP)),       scalar("VKMT", offsetof(TpcmBlock, VKMT)),
    scalar("VKML", offsetof(TpcmBlock, VKML)),     scalar("LWL", offsetof(TpcmBlock, LWL)),
    scalar("BWL", offsetof(TpcmBlock, BWL)),       scalar("VFWD", offsetof(TpcmBlock, VFWD)),
    scalar("AWPEST", offsetof(TpcmBlock, AWPEST)), scalar("VESAN0", offsetof(TpcmBlock, VESAN0)),
    scalar("XVFRC", offsetof(TpcmBlock, XVFRC)),   scalar("YVFRC", offsetof(TpcmBlock, YVFRC)),
    scalar("VESMOM", offsetof(TpcmBlock, VESMOM)), scalar("XVLOC", offsetof(TpcmBlock, XVLOC)),
    scalar("YVLOC", offsetof(TpcmBlock, YVLOC)),   scalar("ZVLOC", offsetof(TpcmBlock, ZVLOC)),
    scalar("XVFRC2", offsetof(TpcmBlock, XVFRC2)), scalar("YVFRC2", offsetof(TpcmBlock, YVFRC2)),
    scalar("ZVLOC2", offsetof(TpcmBlock, ZVLOC2)), scalar("XVFRC3", offsetof(TpcmBlock, XVFRC3)),
    scalar("YVFRC3", offsetof(TpcmBlock, YVFRC3)), scalar("ZVLOC3", offsetof(TpcmBlock, ZVLOC3)),
    scalar("DPANG", offsetof(TpcmBlock, DPANG)),   scalar("DPASPR", offsetof(TpcmBlock, DPASPR)),
    scalar("DPXPNT", offsetof(TpcmBlock, DPXPNT)), scalar("DPYPNT", offsetof(TpcmBlock, DPYPNT)),
    scalar("ENDHT", offsetof(TpcmBlock, ENDHT)),
    scalar("CG_to_Midship", offsetof(TpcmBlock, CG_to_Midship)),
    {"RACC", word_at(offsetof(TpcmBlock, RACC_words)),
     {3, 149}, {Reach::all, Reach::motion_points}},

    // The second body's counterparts of the vessel's words (its section has no DP words of
    // its own names), and the second body's end of the hawser, which a buoy's pass reads
    // whatever its motion points.
    scalar("BTRMDG", offsetof(TpcmBlock, BTRMDG), When::second_body),
    scalar("BHELDG", offsetof(TpcmBlock, BHELDG), When::second_body),
    scalar("BXSALM", offsetof(TpcmBlock, BXSALM), When::second_body),
    scalar("BZXWRM", offsetof(TpcmBlock, BZXWRM), When::second_body),
    scalar("BZYWRM", offsetof(TpcmBlock, BZYWRM), When::second_body),
    scalar("BZXCRM", offsetof(TpcmBlock, BZXCRM), When::second_body),
    scalar("BZYCRM", offsetof(TpcmBlock, BZYCRM), When::second_body),
    scalar("BDISPL", offsetof(TpcmBlock, BDISPL), When::second_body),
    scalar("BVKG", offsetof(TpcmBlock, BVKG), When::second_body),
    scalar("BDRAFT", offsetof(TpcmBlock, BDRAFT), When::second_body),
    scalar("BAWP", offsetof(TpcmBlock, BAWP), When::second_body),
    scalar("BVKMT", offsetof(TpcmBlock, BVKMT), When::second_body),
    scalar("BVKML", offsetof(TpcmBlock, BVKML), When::second_body),
    scalar("BLWL", offsetof(TpcmBlock, BLWL), When::second_body),
    scalar("BBWL", offsetof(TpcmBlock, BBWL), When::second_body),
    scalar("BVFWD", offsetof(TpcmBlock, BVFWD), When::second_body),
    scalar("BVSAN0", offsetof(TpcmBlock, BVSAN0), When::second_body),
    scalar("BXVFRC", offsetof(TpcmBlock, BXVFRC), When::second_body),
    scalar("BYVFRC", offsetof(TpcmBlock, BYVFRC), When::second_body),
    scalar("BVSMOM", offsetof(TpcmBlock, BVSMOM), When::second_body),
    scalar("BXVLOC", offsetof(TpcmBlock, BXVLOC), When::second_body),
    scalar("BYVLOC", offsetof(TpcmBlock, BYVLOC), When::second_body),
    scalar("BZVLOC", offsetof(TpcmBlock, BZVLOC), When::second_body),
    scalar("BLNHT", offsetof(TpcmBlock, BLNHT), When::second_body),
    scalar("BCG_to_Midship", offsetof(TpcmBlock, BCG_to_Midship), When::second_body),
    {"BRACC", word_at(offsetof(TpcmBlock, BRACC_words)), {3, 149}, {Reach::all, Reach::buoy_points},
     0, When::second_body},
    {"BRACC", word_at(offsetof(TpcmBlock, BRACC_words)), {3, 149}, {Reach::all, Reach::hawser_line},
     0, When::second_body},

    // The mooring: its centre, layers and seabed, each line up to NLIN, each subline of each
    // line type up to NTYP and NELEM, the buoys and clumps of the first twelve types.
    scalar("SHORTY", offsetof(TpcmBlock, SHORTY)),
    scalar("ZSPAN", offsetof(TpcmBlock, ZSPAN)),
    scalar("COFMAS", offsetof(TpcmBlock, COFMAS)),
    scalar("COFDMP", offsetof(TpcmBlock, COFDMP)),
    scalar("BTFRC0", offsetof(TpcmBlock, BTFRC0)),
    {"RMCTR", word_at(offsetof(TpcmBlock, RMCTR_words)), {3}, {Reach::all}},
    {"SPRGBY", word_at(offsetof(TpcmBlock, SPRGBY_words)), {12}, {Reach::types}},
    {"CLUMP", word_at(offsetof(TpcmBlock, CLUMP_words)), {12}, {Reach::types}},
    {"RFLD", word_at(offsetof(TpcmBlock, RFLD_words)), {3, 150}, {Reach::all, Reach::lines}},
    {"HTENS", word_at(offsetof(TpcmBlock, HTENS_words)), {150}, {Reach::lines}},
    {"ANGDEP", word_at(offsetof(TpcmBlock, ANGDEP_words)), {150}, {Reach::lines}},
    {"ANCHGT", word_at(offsetof(TpcmBlock, ANCHGT_words)), {150}, {Reach::types}},
    {"SLEN", word_at(offsetof(TpcmBlock, SLEN_words)), {25, 150}, {Reach::sublines, Reach::types}},
    {"DIAM", word_at(offsetof(TpcmBlock, DIAM_words)), {25, 150}, {Reach::sublines, Reach::types}},
    {"WETWT", word_at(offsetof(TpcmBlock, WETWT_words)),
     {25, 150}, {Reach::sublines, Reach::types}},
    {"DRYWT", word_at(offsetof(TpcmBlock, DRYWT_words)),
     {25, 150}, {Reach::sublines, Reach::types}},
    {"TBRK", word_at(offsetof(TpcmBlock, TBRK_words)), {25, 150}, {Reach::sublines, Reach::types}},
    {"COFMST", word_at(offsetof(TpcmBlock, COFMST_words)),
     {25, 150}, {Reach::sublines, Reach::types}},
    {"COFDMT", word_at(offsetof(TpcmBlock, COFDMT_words)),
     {25, 150}, {Reach::sublines, Reach::types}},
    {"ALPHA", word_at(offsetof(TpcmBlock, ALPHA_words)), {3, 25, 150},
     {Reach::all, Reach::sublines, Reach::types}},

    // The offset specifications: the start, the centre of rotation, the steps, and each kind's
    // directions and points up to their counts.
    scalar("XINIT", offsetof(TpcmBlock, XINIT)),
    scalar("YINIT", offsetof(TpcmBlock, YINIT)),
    scalar("ZINIT", offsetof(TpcmBlock, ZINIT)),
    scalar("YWINIT", offsetof(TpcmBlock, YWINIT)),
    {"ROTCTR", word_at(offsetof(TpcmBlock, ROTCTX)), {3}, {Reach::all}},
    {"FAPPNT", word_at(offsetof(TpcmBlock, FAPPNT_words)), {3}, {Reach::all}},
    scalar("EPSDST", offsetof(TpcmBlock, EPSDST)),
    scalar("EPSDEG", offsetof(TpcmBlock, EPSDEG)),
    {"PHIL", word_at(offsetof(TpcmBlock, PHIL_words)), {10}, {Reach::directions}, kind_lateral},
    {"PHIY", word_at(offsetof(TpcmBlock, PHIY_words)), {2}, {Reach::directions}, kind_yaw},
    {"OBLPTY", word_at(offsetof(TpcmBlock, OBLPTY_words)),
     {10}, {Reach::directions}, kind_oblique_rotation},
    {"OBLVEC", word_at(offsetof(TpcmBlock, OBLVEC_words)),
     {3, 10}, {Reach::all, Reach::directions}, kind_oblique_rotation},
    {"RCTDIR", word_at(offsetof(TpcmBlock, RCTDIR_words)),
     {3, 10}, {Reach::all, Reach::directions}, kind_rectilinear},
    {"FRCVEC", word_at(offsetof(TpcmBlock, FRCVEC_words)),
     {3, 10}, {Reach::all, Reach::directions}, kind_forces},
    {"TRQVEC", word_at(offsetof(TpcmBlock, TRQVEC_words)),
     {3, 10}, {Reach::all, Reach::directions}, kind_couples},
    {"OFFL", word_at(offsetof(TpcmBlock, OFFL_words)), {50}, {Reach::points}, kind_lateral},
    {"OFFY", word_at(offsetof(TpcmBlock, OFFY_words)), {50}, {Reach::points}, kind_yaw},
    {"OBLOFF", word_at(offsetof(TpcmBlock, OBLOFF_words)),
     {50}, {Reach::points}, kind_oblique_rotation},
    {"VRTOFF", word_at(offsetof(TpcmBlock, VRTOFF_words)), {50}, {Reach::points}, kind_vertical},
    {"RCTOFF", word_at(offsetof(TpcmBlock, RCTOFF_words)), {50}, {Reach::points}, kind_rectilinear},
    {"FRCOFF", word_at(offsetof(TpcmBlock, FRCOFF_words)), {50}, {Reach::points}, kind_forces},
    {"TRQOFF", word_at(offsetof(TpcmBlock, TRQOFF_words)), {50}, {Reach::points}, kind_couples},
};
// clang-format on

// Each member lies within the image, and the reach of each dimension suits its bound.
constexpr bool table_is_sound() {
    for (const CheckedReal& m : checked_reals) {
        if (m.word < 1 || m.word + m.slots() - 1 > tpcm_word_count)
            return false;
        for (int d = 0; d < m.rank(); ++d) {
            const auto i = static_cast<std::size_t>(d);
            const bool last = d + 1 == m.rank();
            switch (m.reach[i]) {
            case Reach::sublines: // needs the line type as the next index
                if (last || m.reach[i + 1] != Reach::types)
                    return false;
                break;
            case Reach::directions:
            case Reach::points:
                if (m.kind == 0)
                    return false;
                break;
            default:
                break;
            }
        }
    }
    return true;
}
static_assert(table_is_sound());

// A count of the data file held to the slots its arrays have: a count beyond them is refused
// by the stage that reads it, with its own message.
int held(std::int32_t count, int slots) {
    return std::clamp<int>(count, 0, slots);
}

bool is_read(const TpcmBlock& T, When when) {
    switch (when) {
    case When::second_body:
        return T.SIMTYP == 10 || T.SIMTYP == 13 || T.IARCO != 0;
    case When::current:
        return T.LCURNT != 0;
    case When::always:
        break;
    }
    return true;
}

// The slots FIRST to LAST (none when LAST is below FIRST) of one dimension.
struct Slots {
    int first = 1;
    int last = 0;
};

// The slots the stages read along dimension D of member M; NEXT is the index of the dimension
// after it (the line type of a subline).
Slots reach_of(const TpcmBlock& T, const CheckedReal& m, int d, int next) {
    const int bound = m.bounds[static_cast<std::size_t>(d)];
    switch (m.reach[static_cast<std::size_t>(d)]) {
    case Reach::all:
        return {1, bound};
    case Reach::lines:
        return {1, held(T.NLIN, bound)};
    case Reach::types:
        return {1, held(T.NTYP, bound)};
    case Reach::sublines:
        return {1, held(T.NELEM(next), bound)};
    case Reach::motion_points:
        return {1, held(T.IVESL(1), bound)};
    case Reach::buoy_points:
        return {1, held(T.IBUOY(1), bound)};
    case Reach::hawser_line: // a hawser outside the slots is refused by the stage
        if (T.HAWSLN >= 1 && T.HAWSLN <= bound)
            return {T.HAWSLN, T.HAWSLN};
        return {};
    case Reach::directions:
        return {1, held(offset_direction_count(m.kind), bound)};
    case Reach::points:
        return {1, held(offset_point_count(m.kind), bound)};
    }
    return {};
}

// The first element of M within its reach that is no finite number, the outermost dimension
// first, by its name and indices ("SLEN(2, 1)"); nothing when every one is finite.
std::optional<std::string> first_non_finite(const TpcmBlock& T, const CheckedReal& m) {
    std::array<int, 3> index{};
    const auto finite = [&] {
        int offset = 0;
        for (int d = m.rank() - 1; d >= 0; --d) {
            const auto i = static_cast<std::size_t>(d);
            offset = offset * m.bounds[i] + index[i] - 1;
        }
        return std::isfinite(std::bit_cast<float>(tpcm_word(T, m.word + offset)));
    };
    // Dimension D and those before it; false at the first element that is not finite, with
    // INDEX left on it.
    const auto walk = [&](const auto& self, int d, int next) -> bool {
        if (d < 0)
            return finite();
        const Slots slots = reach_of(T, m, d, next);
        for (int i = slots.first; i <= slots.last; ++i) {
            index[static_cast<std::size_t>(d)] = i;
            if (!self(self, d - 1, i))
                return false;
        }
        return true;
    };
    if (walk(walk, m.rank() - 1, 0))
        return std::nullopt;
    std::string name = m.name;
    for (int d = 0; d < m.rank(); ++d)
        name += (d == 0 ? "(" : ", ") + std::to_string(index[static_cast<std::size_t>(d)]);
    return m.rank() == 0 ? name : name + ")";
}

} // namespace

// A member read in parts under different reaches takes a row for each part (BRACC); it is named
// once, by the first row that finds an element.
std::vector<std::string> non_finite_reals() {
    const TpcmBlock& T = TPCM;
    std::vector<std::string> found;
    std::vector<std::string_view> named;
    for (const CheckedReal& m : checked_reals) {
        if (!is_read(T, m.when) || std::find(named.begin(), named.end(), m.name) != named.end())
            continue;
        if (std::optional<std::string> name = first_non_finite(T, m)) {
            found.push_back(std::move(*name));
            named.emplace_back(m.name);
        }
    }
    return found;
}

} // namespace lintar
