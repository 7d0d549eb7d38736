// environment/wind_coefficients.cpp: the wind load coefficients.
#include "environment/wind_coefficients.h"

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

namespace lintar {

namespace {

using CoefficientSet = std::array<float, 3 * fourier_terms>; // surge, sway, yaw columns

// clang-format off
// The built-in tanker sets: large (L) and small (S), ballast (B, 32 %) and loaded (L, 100 %),
// bow form 0 and 1 for the large tankers.
constexpr CoefficientSet L_B0 = {
    0.02111f, -0.6009f, -0.04057f, -0.107f, -0.06188f, -0.01402f, -0.01166f, -0.007481f, -0.01583f, -0.003408f, -0.006809f,
    -0.9692f, -0.04313f, 0.01603f, 0.01219f, 0.005524f, 0.01249f, 0.008893f, 0.007148f, 0.003339f, 0.002461f, 0.0f,
    0.04813f, -0.1109f, 0.01608f, 0.001259f, 0.001396f, -0.00269f, -0.002955f, 0.001982f, -0.001301f, 0.00008464f, 0.0f};
constexpr CoefficientSet L_L0 = {
    -0.02806f, -0.7863f, -0.04897f, -0.07696f, 0.01399f, 0.003095f, -0.01884f, 0.006042f, -0.007423f, 0.0004885f, -0.004565f,
    -0.7402f, 0.05253f, -0.003032f, 0.02087f, 0.01984f, -0.001905f, 0.00321f, -0.005602f, 0.001051f, -0.003536f, 0.0f,
    0.1362f, -0.05449f, 0.01957f, -0.007275f, -0.003993f, 0.001053f, -2.165e-06f, -0.0001328f, -0.0009834f, 0.001339f, 0.0f};
constexpr CoefficientSet L_B1 = {
    0.1389f, -0.5247f, -0.2038f, -0.259f, -0.02679f, 0.09301f, 0.01056f, -0.04646f, -0.02756f, 0.01074f, -0.007486f,
    -0.9692f, -0.04313f, 0.01603f, 0.01219f, 0.005524f, 0.01249f, 0.008893f, 0.007148f, 0.003339f, 0.002461f, 0.0f,
    0.04813f, -0.1109f, 0.01608f, 0.001259f, 0.001396f, -0.00269f, -0.002955f, 0.001982f, -0.001301f, 0.00008464f, 0.0f};
constexpr CoefficientSet L_L1 = L_L0;
constexpr CoefficientSet S_B = {
    -0.00482f, -0.483f, 0.0263f, 0.0178f, -0.0257f, -0.000669f, -0.00739f, 0.0295f, -0.00961f, 0.0112f, -0.00847f,
    -0.913f, -0.0175f, 0.0282f, 0.0114f, 0.00509f, 0.00675f, 0.0321f, 0.00229f, -0.00764f, 0.00365f, 0.0f,
    -0.000354f, -0.0721f, 0.00276f, -0.00375f, -0.00349f, 0.0095f, -0.00397f, -0.000641f, -0.000117f, -0.00112f, 0.0f};
constexpr CoefficientSet S_L = {
    -0.0129f, -0.526f, 0.00962f, 0.0525f, -0.0127f, -0.00213f, -0.0196f, 0.0162f, -0.00936f, 0.00298f, -0.00783f,
    -0.76f, -0.0156f, -0.00167f, 0.000561f, 0.0387f, 0.00868f, 0.0099f, 0.00699f, 0.000046f, -0.000639f, 0.0f,
    0.0247f, -0.0434f, 0.00163f, 0.00108f, -0.000152f, -0.000386f, -0.00217f, 0.000399f, -0.000326f, 0.000179f, 0.0f};
// clang-format on

constexpr float ballast = 32.0f;
constexpr float loaded = 100.0f;

struct WindStore {
    bool method_warned = false;
};
WindStore store;
const StateReset reset_store{[] { store = WindStore{}; }, StoreKind::analysis};

// Component IXYZ of a set, by its series (CCOF for surge, SCOF otherwise).
float series(const CoefficientSet& set, std::int32_t IXYZ) {
    const std::span<const float> A = std::span<const float>(set).subspan(
        static_cast<std::size_t>(fourier_terms) * slot(IXYZ), fourier_terms);
    return IXYZ == 1 ? CCOF(A) : SCOF(A);
}

float tanker_sets(std::int32_t IXYZ, float LOADED, float BOWTYP, float SIZE) {
    float small = 0.0f;
    if (SIZE != 1.0f)
        small = INTRPB(LOADED, ballast, loaded, series(S_B, IXYZ), series(S_L, IXYZ));
    float large = 0.0f;
    if (SIZE != 0.0f) {
        const float large_ballast = INTRPA(BOWTYP, 0.0f, 1.0f, L_B0, L_B1, IXYZ);
        const float large_loaded = INTRPA(BOWTYP, 0.0f, 1.0f, L_L0, L_L1, IXYZ);
        large = INTRPB(LOADED, ballast, loaded, large_ballast, large_loaded);
    }
    return INTRPB(SIZE, 0.0f, 1.0f, small, large);
}

float low_frequency_table(std::int32_t IXYZ, float WNDANG) {
    LowcofBlock& L = LOWCOF;
    const std::int32_t n = std::clamp(L.NUWNPT, std::int32_t{0}, std::int32_t{lowcof_points});
    if (n < 2) // refused at the analysis entry (wind_table_lacking); nothing to interpolate
        return 0.0f;
    const float phi = ANGSYM(WNDANG) * degrees_per_radian;
    const float a = std::abs(phi);
    const std::span<const float> angles(L.UWNANG_words, static_cast<std::size_t>(n));
    const std::span<const float> column(&L.UWNCFS(1, IXYZ), static_cast<std::size_t>(n));
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(angles, a, IER, MIN, n);
    float value = 0.0f;
    INTERP(angles, column, a, value, MIN);
    // The table describes one side; the other is its mirror image.
    if (IXYZ != 1 && phi < 0.0f)
        value = -value;
    return value;
}

} // namespace

std::string wind_file_name(std::int32_t CREATR, std::int32_t ISPM) {
    if (CREATR == 13 && ISPM == 2)
        return "BUOYWIND.txt ";
    if (CREATR == 13 && ISPM == 3)
        return "TANKWIND.txt ";
    if (CREATR == 10 && ISPM == 2)
        return "TUGWIND.txt  ";
    if (CREATR == 10 && ISPM == 3)
        return "BARGWIND.txt ";
    return "WINDCOFS.txt ";
}

std::optional<std::int32_t> wind_table_lacking(std::int32_t NIBPAK) {
    for (std::int32_t k = 1; k <= 3; ++k)
        if (NIBVAL(NIBPAK, k, screen_unit) == 1 && LOWCOF.NUWNPT < 2)
            return k;
    return std::nullopt;
}

std::optional<std::int32_t> current_table_lacking(std::int32_t NIBPAK) {
    for (std::int32_t k = 1; k <= 3; ++k)
        if (NIBVAL(NIBPAK, k, screen_unit) == 1 && LOWCOF.NUCRPT < 2)
            return k;
    return std::nullopt;
}

void check_coefficient_tables(int IOSCRN) {
    constexpr const char* components[3] = {"surge force", "sway force", "yaw moment"};
    const auto refuse = [&, IOSCRN](const char* load, std::int32_t k) {
        fatal_stop(IOSCRN, keyboard_unit,
                   {std::string(" ++> FATAL error: the ") + load +
                        " coefficient table of the low-frequency data has no points for the " +
                        components[slot(k)] + ";",
                    "     choose another force model for it."});
    };
    if (TPCM.LWIND == 1)
        if (const auto k = wind_table_lacking(TPCM.LWBARG))
            refuse("wind", *k);
    if (TPCM.LCURNT == 1)
        if (const auto k = current_table_lacking(TPCM.LCBARG))
            refuse("current", *k);
}

float WINDCF(std::int32_t IXYZ, std::int32_t NIBPAK, float LOADED, float BOWTYP, float SIZE,
             float WNDANG, float XWNDAR, float YWNDAR, float XWARM, float YWARM, float LWL,
             [[maybe_unused]] float BWL, int IOSCRN, std::int32_t ISPM, std::int32_t CREATR) {
    const SinesBlock& B = SINES;
    const std::int32_t M = NIBVAL(NIBPAK, IXYZ, IOSCRN);
    switch (M) {
    case 1:
        return low_frequency_table(IXYZ, WNDANG);
    case 2:
        return USRWND(IXYZ, WNDANG, IOSCRN, keyboard_unit, wind_file_name(CREATR, ISPM));
    case 3: {
        const float A = APERP(XWNDAR, YWNDAR, WNDANG);
        if (IXYZ == 1)
            return XWNDAR != 0.0f ? -A * B.C(1) / XWNDAR : -B.C(1);
        if (IXYZ == 2)
            return YWNDAR != 0.0f ? -A * B.S(1) / YWNDAR : -B.S(1);
        const float arms = XWARM * B.C(1) - YWARM * B.S(1);
        return YWNDAR != 0.0f ? A * arms / (YWNDAR * LWL) : arms / LWL;
    }
    case 4:
        return tanker_sets(IXYZ, LOADED, BOWTYP, SIZE);
    case 5:
        if (IXYZ == 1)
            return -B.C(1);
        if (IXYZ == 2)
            return -B.S(1);
        return (XWARM * B.C(1) - YWARM * B.S(1)) / LWL;
    default:
        if (!store.method_warned) {
            store.method_warned = true;
            write_record(IOSCRN, " ++> Warning: Wind force method " + std::to_string(M) +
                                     " is not defined; its coefficient is taken as 0.");
        }
        return 0.0f;
    }
}

} // namespace lintar
