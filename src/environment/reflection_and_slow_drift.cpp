// environment/reflection_and_slow_drift.cpp: the box-hull reflection factor and the
// slow-drift spectral integrals.
#include "environment/reflection_and_slow_drift.h"

#include "blocks/tpcm.h"
#include "runtime/units.h"
#include "util/spectral_moments.h"
#include "util/table_search.h"

#include <cmath>
#include <cstddef>

namespace lintar {

namespace {

// The density at frequency w interpolated on the grid, 0 outside [W(NWP), W(1)].
float density_at(std::span<const float, 100> W, std::int32_t NWP, std::span<const float, 100> P,
                 float w) {
    const auto n = static_cast<std::size_t>(NWP);
    if (NWP < 2 || w > W[0] || w < W[n - 1])
        return 0.0f;
    const std::span<const float> grid = W.first(n);
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(grid, w, IER, MIN, NWP);
    float value = 0.0f;
    INTERP(grid, P.first(n), w, value, MIN);
    return value;
}

// A negative difference frequency: the warning, a pause for a character, its absolute value.
void absolute_difference(float& DELTAW) {
    if (!(DELTAW < 0.0f))
        return;
    const int EDUNIT = TPCM.EDUNIT;
    write_record(EDUNIT,
                 " Negative DELTAW in GET_GVAR, using ABS[DELTAW]; press c + <Return> to continue");
    if (EDUNIT != diagnostics_unit)
        (void)read_answer(1);
    DELTAW = std::abs(DELTAW);
}

template <class Product>
void slow_drift_integral(float DELTAW, std::span<const float, 100> W, std::int32_t NWP,
                         Product product, float& GVAR, float& GVARDOT) {
    std::array<float, 100> GPSD{};
    const float h = 0.5f * DELTAW;
    for (std::int32_t IW = 1; IW <= NWP && IW <= 100; ++IW) {
        const float w = W[slot(IW)];
        GPSD[slot(IW)] = product(w + h, std::abs(w - h));
    }
    SMPINT(GPSD, GVAR, GVARDOT);
}

} // namespace

BoxSideFactors box_side_factors(float a) {
    if (std::abs(a) > 0.0001f) {
        const double x = a;
        const double S = std::sin(x) / x;
        return {static_cast<float>(S),
                static_cast<float>((x * std::cos(x) - std::sin(x)) / (x * x * x)),
                static_cast<float>((S - std::cos(x)) / x)};
    }
    return {1.0f, -0.33333334f, a / 3.0f};
}

float DOTP2D(const Vector2& A, const Vector2& B) {
    return A[0] * B[0] + A[1] * B[1];
}

float XPRD2D(const Vector2& A, const Vector2& B) {
    return A[0] * B[1] - A[1] * B[0];
}

void OPACITY(float& RELMFC, float WK, float THETA, float LWL, float BWL, float DRAFT, float BOWARM,
             float STRNRM, float BOWANG, float STRNAN, std::int32_t DOFFLG) {
    const float KDRFT = WK * DRAFT;
    const float RGYR = std::sqrt((LWL * LWL + BWL * BWL) / 12.0f);
    const Vector2 KUNIT = {std::cos(THETA), std::sin(THETA)};
    const Vector2 KVEC = {WK * KUNIT[0], WK * KUNIT[1]};
    const float ALPHX = KVEC[0] * 0.5f * LWL;
    const float ALPHY = KVEC[1] * 0.5f * BWL;
    const float DFCN = (1.0f - std::exp(-KDRFT)) / KDRFT;
    const float DFCN2 = (1.0f - std::exp(-2.0f * KDRFT)) / (2.0f * KDRFT);

    // The four entrance faces: bow and stern on each side, from the geometry passed.
    const float CBOW = std::cos(BOWANG), SBOW = std::sin(BOWANG);
    const float CSTRN = std::cos(STRNAN), SSTRN = std::sin(STRNAN);
    const Vector2 N[4] = {{CBOW, SBOW}, {-CSTRN, SSTRN}, {-CSTRN, -SSTRN}, {CBOW, -SBOW}};
    const Vector2 P[4] = {{BOWARM * LWL, BWL / 4.0f},
                          {-STRNRM * LWL, BWL / 4.0f},
                          {-STRNRM * LWL, -BWL / 4.0f},
                          {BOWARM * LWL, -BWL / 4.0f}};

    const BoxSideFactors y = box_side_factors(ALPHY);
    const BoxSideFactors x = box_side_factors(ALPHX);
    const float GYFUN = DFCN * x.S * y.S;
    const float GPFUN = DFCN * 0.25f * WK * BWL * LWL / (RGYR * RGYR) *
                        (y.S * (LWL / BWL) * x.Q - x.S * (BWL / LWL) * y.Q);
    const float s = std::sin(THETA);
    const float c = std::cos(THETA);
    if (DOFFLG == 1) {
        const float lateral = s * GPFUN * BWL;
        RELMFC =
            1.0f -
            2.0f * (DFCN / DFCN2) * std::cos(ALPHX) * (GYFUN * y.S - 0.5f * GPFUN * s * BWL * y.F) +
            (GYFUN * GYFUN + lateral * lateral / 12.0f) / DFCN2;
    } else if (DOFFLG == 2) {
        const float lateral = c * GPFUN * LWL;
        RELMFC =
            1.0f -
            2.0f * (DFCN / DFCN2) * std::cos(ALPHY) * (GYFUN * x.S - 0.5f * GPFUN * c * LWL * x.F) +
            (GYFUN * GYFUN + lateral * lateral / 12.0f) / DFCN2;
    } else {
        float SKDOTN = 0.0f, SNCRSR = 0.0f, COSTRM = 0.0f, SINTRM = 0.0f;
        for (int f = 0; f < 4; ++f) {
            const float DOTTMP = DOTP2D(N[f], KUNIT);
            const float CRSTMP = XPRD2D(N[f], P[f]);
            const float QPHASE = DOTP2D(KVEC, P[f]);
            SKDOTN += DOTTMP * DOTTMP;
            SNCRSR += CRSTMP * CRSTMP;
            COSTRM += DOTTMP * DOTTMP * std::cos(QPHASE);
            SINTRM += CRSTMP * DOTTMP * std::sin(QPHASE);
        }
        const float turn = GPFUN * s * c;
        RELMFC = (GYFUN * GYFUN + turn * turn * SNCRSR / SKDOTN) / DFCN2 + 1.0f +
                 2.0f * DFCN * (turn * SINTRM - GYFUN * COSTRM) / (SKDOTN * DFCN2);
    }
}

void GET_GVAR(float& DELTAW, std::span<const float, 100> W, std::int32_t NWP,
              std::span<const float, 100> PSDIN, float& GVAR, float& GVARDOT, float& VGPSD2,
              float& VDGPSD2) {
    VGPSD2 = 0.0f;
    VDGPSD2 = 0.0f;
    absolute_difference(DELTAW);
    slow_drift_integral(
        DELTAW, W, NWP,
        [&](float up, float down) {
            return density_at(W, NWP, PSDIN, up) * density_at(W, NWP, PSDIN, down);
        },
        GVAR, GVARDOT);
}

void GET_GVAR2(float& DELTAW, std::span<const float, 100> W, std::int32_t NWP,
               std::span<const float, 100> PSD1, std::span<const float, 100> PSD2, float& GVAR,
               float& GVARDOT) {
    absolute_difference(DELTAW);
    slow_drift_integral(
        DELTAW, W, NWP,
        [&](float up, float down) {
            return 0.5f * (density_at(W, NWP, PSD1, up) * density_at(W, NWP, PSD2, down) +
                           density_at(W, NWP, PSD2, up) * density_at(W, NWP, PSD1, down));
        },
        GVAR, GVARDOT);
}

} // namespace lintar
