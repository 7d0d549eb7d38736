// environment/current_coefficients.cpp: the current load coefficients.
#include "environment/current_coefficients.h"

#include "blocks/lowcof.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "environment/fourier_basis.h"
#include "environment/user_coefficients.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/angles.h"
#include "util/flags.h"
#include "util/prompts.h"
#include "util/table_search.h"

#include <array>
#include <cmath>
#include <span>
#include <string_view>

namespace lintar {

namespace {

using Column = std::array<float, fourier_terms>;

// clang-format off
// The columns known in full.
constexpr Column CNV105_surge = {0.003055f, -0.1225f, 0.08303f, 0.08637f, 0.01086f, 0.01682f, -0.0621f, -0.03322f, -0.007458f, -0.02473f, -0.01284f};
constexpr Column CNV105_sway = {-3.092f, -0.08679f, 0.1204f, -0.08821f, -0.1563f, -0.0261f, -0.1043f, 0.01875f, -0.0381f, 0.0486f, 0.0f};
constexpr Column CNV105_yaw = {0.08659f, -0.3011f, -0.04214f, -0.09877f, -0.006335f, -0.05473f, 0.008502f, -0.01813f, 0.009729f, -0.003634f, 0.0f};
constexpr Column BLSTMN_surge = {0.006431f, -0.05182f, 4.605e-05f, -0.005927f, 0.0002834f, 0.009199f, 0.0003692f, 0.002482f, 0.0009048f, -0.00112f, -0.0001048f};
// clang-format on

// A built-in set: its name, its leading terms (surge a0, sway b1, yaw b1) and the columns that
// are given in full (nullptr: known only by its leading term).
struct CurrentSet {
    std::string_view name;
    std::array<float, 3> lead;
    std::array<const Column*, 3> columns;
};

constexpr std::array<const Column*, 3> none = {nullptr, nullptr, nullptr};
constexpr std::array<const Column*, 3> shared_105 = {nullptr, &CNV105_sway, &CNV105_yaw};

// clang-format off
constexpr CurrentSet CNV105{"CNV105", {0.003055f, -3.092f, 0.08659f}, {&CNV105_surge, &CNV105_sway, &CNV105_yaw}};
constexpr CurrentSet CNV110{"CNV110", {-0.01111f, -2.69f, 0.06736f}, none};
constexpr CurrentSet CNV120{"CNV120", {0.01528f, -2.278f, 0.05559f}, none};
constexpr CurrentSet CNV150{"CNV150", {-0.005f, -1.748f, 0.04852f}, none};
constexpr CurrentSet CNV300{"CNV300", {0.02389f, -0.9522f, 0.02664f}, none};
constexpr CurrentSet CNV600{"CNV600", {0.01083f, -0.557f, 0.01848f}, none};
constexpr CurrentSet CYL105{"CYL105", {0.07583f, -3.092f, 0.08659f}, shared_105};
constexpr CurrentSet CYL110{"CYL110", {0.03583f, -2.69f, 0.06736f}, none};
constexpr CurrentSet CYL120{"CYL120", {0.08278f, -2.278f, 0.05559f}, none};
constexpr CurrentSet CYL150{"CYL150", {0.03972f, -1.748f, 0.04852f}, none};
constexpr CurrentSet CYL300{"CYL300", {0.02389f, -0.9522f, 0.02664f}, none}; // = CNV300
constexpr CurrentSet CYL600{"CYL600", {0.01083f, -0.557f, 0.01848f}, none};  // = CNV600
constexpr CurrentSet LWB105{"LWB105", {0.00684f, -3.092f, 0.08659f}, shared_105};
constexpr CurrentSet LNB105{"LNB105", {0.0525f, -3.092f, 0.08659f}, shared_105};
constexpr CurrentSet BWB105{"BWB105", {0.00504f, -0.908f, -0.00207f}, none};
constexpr CurrentSet BNB105{"BNB105", {0.0114f, -0.7609f, 0.038f}, none};
constexpr CurrentSet LWB11{"LWB11", {0.00684f, -2.69f, -0.0013f}, none};
constexpr CurrentSet LNB11{"LNB11", {0.0525f, -2.36f, 0.0607f}, none};
constexpr CurrentSet BWB11{"BWB11", {0.00504f, -0.908f, -0.00207f}, none}; // = BWB105
constexpr CurrentSet BNB11{"BNB11", {0.0114f, -0.7609f, 0.038f}, none};    // = BNB105
constexpr CurrentSet LWB12{"LWB12", {0.00582f, -2.34f, 0.00728f}, none};
constexpr CurrentSet LNB12{"LNB12", {0.04115f, -2.06f, 0.0618f}, none};
constexpr CurrentSet BWB12{"BWB12", {0.00363f, -0.864f, -0.000431f}, none};
constexpr CurrentSet BNB12{"BNB12", {0.0109f, -0.719f, 0.0362f}, none};
constexpr CurrentSet LWB15{"LWB15", {0.00954f, -1.81f, 0.00104f}, none};
constexpr CurrentSet LNB15{"LNB15", {0.0571f, -1.62f, 0.0429f}, none};
constexpr CurrentSet BWB15{"BWB15", {-0.000599f, -0.732f, 0.00447f}, none};
constexpr CurrentSet BNB15{"BNB15", {0.00911f, -0.594f, 0.0305f}, none};
constexpr CurrentSet LWB30{"LWB30", {0.00318f, -1.02f, 0.00677f}, none};
constexpr CurrentSet LNB30{"LNB30", {0.0104f, -0.963f, 0.0332f}, none};
constexpr CurrentSet BWB30{"BWB30", {-0.000599f, -0.604f, 0.0146f}, none};
constexpr CurrentSet BNB30{"BNB30", {0.00911f, -0.537f, 0.0272f}, none};
constexpr CurrentSet LWB44{"LWB44", {0.002541f, -0.804f, 0.0122f}, none};
constexpr CurrentSet LNB44{"LNB44", {0.01068f, -0.774f, 0.0263f}, none};
constexpr CurrentSet BLST44{"BLST44", {0.004965f, -0.4842f, 0.024f}, none};
constexpr CurrentSet LCY11{"LCY11", {0.0937f, -2.44f, 0.111f}, none};
[[maybe_unused]] constexpr CurrentSet BLSTMN{"BLSTMN", {0.006431f, 0.0f, 0.0f}, {&BLSTMN_surge, nullptr, nullptr}};
// clang-format on

// The depth family (code 6): conventional and cylindrical bow at each depth-to-draft level.
constexpr std::array<float, 6> depth_levels = {1.05f, 1.10f, 1.20f, 1.50f, 3.00f, 6.00f};
constexpr std::array<const CurrentSet*, 6> CNV = {&CNV105, &CNV110, &CNV120,
                                                  &CNV150, &CNV300, &CNV600};
constexpr std::array<const CurrentSet*, 6> CYL = {&CYL105, &CYL110, &CYL120,
                                                  &CYL150, &CYL300, &CYL600};

// The loading family (codes 4 and 15): with bulb (W) and without (N), loaded (L) and ballast
// (B), at the levels up to 4.4; sway and yaw go on to 6.0 with the depth family's sets.
constexpr std::array<float, 7> loading_levels = {1.05f, 1.1f, 1.2f, 1.5f, 3.0f, 4.4f, 6.0f};
constexpr std::array<const CurrentSet*, 6> LWB = {&LWB105, &LWB11, &LWB12, &LWB15, &LWB30, &LWB44};
constexpr std::array<const CurrentSet*, 6> LNB = {&LNB105, &LNB11, &LNB12, &LNB15, &LNB30, &LNB44};
constexpr std::array<const CurrentSet*, 5> BWB = {&BWB105, &BWB11, &BWB12, &BWB15, &BWB30};
constexpr std::array<const CurrentSet*, 5> BNB = {&BNB105, &BNB11, &BNB12, &BNB15, &BNB30};

constexpr float ballast = 40.0f;
constexpr float loaded = 100.0f;

struct CurrentStore {
    bool code_warned = false;
};
CurrentStore store;
const StateReset reset_store{[] { store = CurrentStore{}; }, StoreKind::analysis};

bool given(const CurrentSet& set, std::int32_t IXYZ) {
    return set.columns[slot(IXYZ)] != nullptr;
}

// The series of column IXYZ of a set. A column not given is 0 here: it is only ever reached
// with a zero weight, since current_set_missing refuses the data that would weigh it.
float series(const CurrentSet& set, std::int32_t IXYZ) {
    const Column* column = set.columns[slot(IXYZ)];
    if (column == nullptr)
        return 0.0f;
    return IXYZ == 1 ? CCOF(*column) : SCOF(*column);
}

// The bow blend of INTRPA: the low set's series towards the high set's by the weight W.
float bow_blend(float W, const CurrentSet& low, const CurrentSet& high, std::int32_t IXYZ) {
    const float lo = series(low, IXYZ);
    const float hi = series(high, IXYZ);
    return lo + (W - 0.0f) / (1.0f - 0.0f) * (hi - lo);
}

// The levels around X among the first N of LEVELS: equal indices at and beyond the ends.
struct Bracket {
    std::size_t lo = 0;
    std::size_t hi = 0;
};
template <std::size_t M>
Bracket bracket(float X, const std::array<float, M>& levels, std::size_t N) {
    if (X <= levels[0])
        return {0, 0};
    if (X > levels[N - 1])
        return {N - 1, N - 1};
    std::size_t hi = 1;
    while (!(X <= levels[hi]))
        ++hi;
    return {hi - 1, hi};
}

// The value at X joined between the levels of the bracket (INTRPB), or the end level's.
template <std::size_t M, class LevelValue>
float across_levels(float X, const std::array<float, M>& levels, const Bracket& b,
                    LevelValue value) {
    if (b.lo == b.hi)
        return value(b.lo);
    return INTRPB(X, levels[b.lo], levels[b.hi], value(b.lo), value(b.hi));
}

// Codes 4 and 15 at one level: the ballast and loaded values joined by the loading.
float loading_level(std::size_t k, std::int32_t IXYZ, std::int32_t code, float LOADED,
                    float BOWTYP) {
    float CFLOD = 0.0f;
    float CFBAL = 0.0f;
    if (k == 6) { // 6.0: sway and yaw only
        CFLOD = bow_blend(BOWTYP, CNV600, CYL600, IXYZ);
        CFBAL = series(BLST44, IXYZ);
    } else {
        CFLOD = bow_blend(BOWTYP, *LWB[k], *LNB[k], IXYZ);
        if (k == 5)
            CFBAL = series(BLST44, IXYZ);
        else if (code == 15 && IXYZ == 1)
            CFBAL = CCOF(BLSTMN_surge);
        else
            CFBAL = bow_blend(BOWTYP, *BWB[k], *BNB[k], IXYZ);
    }
    return INTRPB(LOADED, ballast, loaded, CFBAL, CFLOD);
}

// The number of loading levels a component uses: surge stops at 4.4.
std::size_t loading_level_count(std::int32_t IXYZ) {
    return IXYZ == 1 ? 6 : 7;
}

// The first set not given among those a weight does not cancel, in the order evaluated.
struct MissingSearch {
    std::int32_t IXYZ;
    std::optional<std::string> found;
    void need(const CurrentSet& set, bool weighed) {
        if (!found && weighed && !given(set, IXYZ))
            found = std::string(set.name);
    }
    void bow(float W, const CurrentSet& low, const CurrentSet& high, bool weighed) {
        need(low, weighed && W != 1.0f);
        need(high, weighed && W != 0.0f);
    }
};

// Whether each end of a bracket weighs in the join at X.
bool low_weighed(float X, const Bracket& b, std::span<const float> levels) {
    return b.lo == b.hi || X != levels[b.hi];
}
bool high_weighed(float X, const Bracket& b, std::span<const float> levels) {
    return b.lo != b.hi && X != levels[b.lo];
}

} // namespace

std::string current_file_name(std::int32_t CREATR, std::int32_t ISPM) {
    if (CREATR == 13 && ISPM == 2)
        return "BUOYCRNT.txt ";
    if (CREATR == 13 && ISPM == 3)
        return "TANKCRNT.txt ";
    if (CREATR == 10 && ISPM == 2)
        return "TUGCRNT.txt  ";
    if (CREATR == 10 && ISPM == 3)
        return "BARGCRNT.txt ";
    return "CRNTCOFS.txt ";
}

std::optional<std::string> current_set_missing(std::int32_t IXYZ, std::int32_t CODE, float LOADED,
                                               float BOWTYP, float HOVERD) {
    MissingSearch search{IXYZ, std::nullopt};
    if (CODE == 5) {
        search.need(LCY11, true);
    } else if (CODE == 6) {
        const Bracket b = bracket(HOVERD, depth_levels, depth_levels.size());
        const bool weighs[2] = {low_weighed(HOVERD, b, depth_levels),
                                high_weighed(HOVERD, b, depth_levels)};
        const std::size_t at[2] = {b.lo, b.hi};
        for (int e = 0; e < 2; ++e)
            search.bow(BOWTYP, *CNV[at[e]], *CYL[at[e]], weighs[e]);
    } else if (CODE == 4 || CODE == 15) {
        const float HOV100 = LOADED * 0.01f * HOVERD;
        const std::size_t n = loading_level_count(IXYZ);
        const Bracket b = bracket(HOV100, loading_levels, n);
        const std::span<const float> levels(loading_levels.data(), n);
        const bool weighs[2] = {low_weighed(HOV100, b, levels), high_weighed(HOV100, b, levels)};
        const std::size_t at[2] = {b.lo, b.hi};
        const bool loaded_weighed = LOADED != ballast;
        const bool ballast_weighed = LOADED != loaded;
        for (int e = 0; e < 2; ++e) {
            const std::size_t k = at[e];
            if (!weighs[e])
                continue;
            if (k == 6) {
                search.bow(BOWTYP, CNV600, CYL600, loaded_weighed);
                search.need(BLST44, ballast_weighed);
                continue;
            }
            search.bow(BOWTYP, *LWB[k], *LNB[k], loaded_weighed);
            if (k == 5)
                search.need(BLST44, ballast_weighed);
            else if (!(CODE == 15 && IXYZ == 1))
                search.bow(BOWTYP, *BWB[k], *BNB[k], ballast_weighed);
        }
    }
    return search.found;
}

void refuse_current_set(const std::string& name, int IOSCRN) {
    fatal_stop(IOSCRN, keyboard_unit,
               {" ++> FATAL error: built-in current coefficient set " + name + " is not available;",
                "     use a user coefficient file (CRNTCOFS.txt) or another current force model."});
}

void check_current_sets(int IOSCRN) {
    const TpcmBlock& T = TPCM;
    if (T.LCURNT != 1)
        return;
    const float HOVERD = T.DEPTH / T.DRAFT;
    for (std::int32_t k = 1; k <= 3; ++k) {
        const std::int32_t code = NIBVAL(T.LCBARG, k, IOSCRN);
        if (const auto missing = current_set_missing(k, code, T.DFTPCT, T.BOWCUR, HOVERD))
            refuse_current_set(*missing, IOSCRN);
    }
}

float CRNTCF(std::int32_t IXYZ, std::int32_t NIBPAK, float LOADED, float BOWTYP, float HOVERD,
             float CURANG, float XCURAR, float YCURAR, float XCARM, float YCARM, float LWL,
             float BWL, int IOSCRN, std::int32_t ISPM, std::int32_t CREATR) {
    const SinesBlock& B = SINES;
    const std::int32_t code = NIBVAL(NIBPAK, IXYZ, IOSCRN);
    if (const auto missing = current_set_missing(IXYZ, code, LOADED, BOWTYP, HOVERD))
        refuse_current_set(*missing, IOSCRN);
    float value = 0.0f;
    switch (code) {
    case 1: {
        LowcofBlock& L = LOWCOF;
        const std::int32_t n = std::clamp(L.NUCRPT, std::int32_t{0}, std::int32_t{lowcof_points});
        if (n < 2) // refused at the analysis entry; nothing to interpolate
            return 0.0f;
        const float ANGTMP = ANGSYM(CURANG) * degrees_per_radian_rounded;
        const float ABSANG = std::abs(ANGTMP);
        const float* columns[3] = {L.UCRCX_words, L.UCRCY_words, L.UCRCZ_words};
        const std::span<const float> angles(L.UCRANG_words, static_cast<std::size_t>(n));
        const std::span<const float> column(columns[slot(IXYZ)], static_cast<std::size_t>(n));
        std::int32_t IER = 0;
        std::int32_t MIN = 0;
        BSRCH(angles, ABSANG, IER, MIN, n);
        INTERP(angles, column, ABSANG, value, MIN);
        if (IXYZ != 1 && ANGTMP < 0.0f)
            value = -value;
        return value;
    }
    case 2:
        return USRCRN(IXYZ, CURANG, IOSCRN, keyboard_unit, current_file_name(CREATR, ISPM));
    case 3: {
        const float ASCALE = APERP(XCURAR, YCURAR, CURANG);
        if (IXYZ == 1)
            return XCURAR != 0.0f ? -B.C(1) * ASCALE / XCURAR : -B.C(1);
        if (IXYZ == 2)
            return YCURAR != 0.0f ? -B.S(1) * ASCALE / YCURAR : -B.S(1);
        const float arms = XCARM * B.C(1) - YCARM * B.S(1);
        return YCURAR != 0.0f ? arms * ASCALE / (YCURAR * LWL) : arms / LWL;
    }
    case 4:
    case 15: {
        const float HOV100 = LOADED * 0.01f * HOVERD;
        const Bracket b = bracket(HOV100, loading_levels, loading_level_count(IXYZ));
        value = across_levels(HOV100, loading_levels, b, [&](std::size_t k) {
            return loading_level(k, IXYZ, code, LOADED, BOWTYP);
        });
        break;
    }
    case 5:
        value = series(LCY11, IXYZ);
        break;
    case 6: {
        const Bracket b = bracket(HOVERD, depth_levels, depth_levels.size());
        value = across_levels(HOVERD, depth_levels, b, [&](std::size_t k) {
            return bow_blend(BOWTYP, *CNV[k], *CYL[k], IXYZ);
        });
        break;
    }
    case 7:
        if (IXYZ == 1)
            return -B.C(1);
        if (IXYZ == 2)
            return -B.S(1);
        return (XCARM * B.C(1) - YCARM * B.S(1)) / LWL;
    default:
        if (!store.code_warned) {
            store.code_warned = true;
            write_record(IOSCRN, " ++> Warning: Current force model " + std::to_string(code) +
                                     " is not defined; its coefficient is taken as 0.");
        }
        return 0.0f;
    }
    // The built-in surge coefficients are per unit of beam: scaled to the length.
    if (IXYZ == 1)
        value = value * LWL / BWL;
    return value;
}

} // namespace lintar
