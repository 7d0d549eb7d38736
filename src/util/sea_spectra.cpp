// util/sea_spectra.cpp: sea spectra on the wave grid, the wave-group spectrum, the JONSWAP shape
// constant and the shallow-water (TMA) depth factor.
#include "util/sea_spectra.h"
#include "util/angles.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/stop.h"
#include "runtime/units.h"
#include "util/bessel_gamma.h"
#include "util/prompts.h"
#include "util/root_finders.h"
#include "util/spectral_moments.h"
#include "util/table_search.h"
#include "util/user_spectrum.h"
#include "util/wave_numbers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>

namespace lintar {

namespace {

// x^4 by two squarings.
float pow4(float x) {
    const float x2 = x * x;
    return x2 * x2;
}

// A message, an empty line, the Return pause and an error stop.
[[noreturn]] void refuse(std::string_view message, int IOSCRN) {
    write_record(IOSCRN, message);
    write_record(IOSCRN, "");
    fatal_stop(IOSCRN, keyboard_unit);
}

// The shape parameters of one wave system.
struct WaveSystemShape {
    float SPECWID; // relative width of the default swell
    float JONPLQ;  // JONSWAP sigma below the peak
    float JONPGQ;  // JONSWAP sigma above the peak
    float JONGAMQ; // JONSWAP peak enhancement
};

// The shape parameters of TPCM for wave system 0 (seas), 1 or 2 (first or second swell).
WaveSystemShape shape_of(std::int32_t WAVE_SYS_ID) {
    switch (WAVE_SYS_ID) {
    case 0:
        return {TPCM.WAVWID, TPCM.JONPL, TPCM.JONPG, TPCM.JONGAM};
    case 1:
        return {TPCM.SWLWID, TPCM.JONPL_SWL, TPCM.JONPG_SWL, TPCM.JONGAM_SWL};
    default:
        LINTAR_ASSERT(WAVE_SYS_ID == 2, "wave system 0, 1 or 2");
        return {TPCM.SWLWID2, TPCM.JONPL_SWL2, TPCM.JONPG_SWL2, TPCM.JONGAM_SWL2};
    }
}

// The JONSWAP constants of one spectrum: J the zeroth moment of the normalised shape, ln gamma,
// and 2 sigma^2 below and above the peak.
struct JonswapShape {
    float J;
    float ln_gamma;
    float two_sigma2_low;
    float two_sigma2_high;
};

// TMA depth factor PHI(k) for every grid point: R, the ratio of the finite-depth to the deep-
// water wave number, is the root of RWHFUN in [1, RUPPER]; PHI = 1 / (R^2 (1 + 2 wh^2 R /
// sinh(2 wh^2 R))). A root that does not converge is reported with the abort prompt, and a
// continue raises the iteration limit by 100 and starts again from the first point. A root that
// is not bracketed widens the bracket tenfold and starts again, four times without a word; the
// fifth time the bounds failure is reported with the abort prompt, and a continue starts the
// count again with the bracket reached.
void tma_depth_factors(std::array<float, 100>& SHALLO_COR, int IOSCRN) {
    const int NWP = TPCM.NWP;
    const float depth_scale = depth_frequency_scale(TPCM.DEPTH, WAVCOM.G);
    std::int32_t ITERN = 100;
    float RUPPER = 100.0f;
    std::int32_t NTRY = 1;
    int k = 1;
    while (k <= NWP) {
        const float WH_TMA = WAVCOM.W(k) * depth_scale;
        float R = 0.0f;
        float F = 0.0f;
        std::int32_t IER = 0;
        RTMI1(
            R, F, [WH_TMA](float X) { return RWHFUN(X, WH_TMA); }, 1.0f, RUPPER, 0.01f, 0.01f,
            ITERN, IER);
        if (IER == 1) {
            write_record(IOSCRN, " +=> TMA spectrum convergence failure In WVSPEC.");
            write_record(IOSCRN, "");
            std::int32_t LBACK = 0;
            SERV_ABORT(IOSCRN, keyboard_unit, LBACK);
            if (LBACK == -1)
                stop_program(StopKind::user_choice);
            ITERN += 100;
            k = 1;
            continue;
        }
        if (IER == 2) {
            if (NTRY <= 4) {
                ++NTRY;
                RUPPER *= 10.0f;
            } else {
                write_record(IOSCRN, " +=> TMA spectrum bounds failure In WVSPEC.");
                write_record(IOSCRN, "");
                std::int32_t LBACK = 0;
                SERV_ABORT(IOSCRN, keyboard_unit, LBACK);
                if (LBACK == -1)
                    stop_program(StopKind::user_choice);
                NTRY = 1;
            }
            k = 1;
            continue;
        }
        const float x = 2.0f * WH_TMA * WH_TMA * R;
        SHALLO_COR[slot(k)] = 1.0f / (R * R * (1.0f + x / std::sinh(x)));
        ++k;
    }
}

// The JONSWAP constants of codes 2 to 5 and 10.
JonswapShape jonswap_shape(std::int32_t WAVSEL, const WaveSystemShape& shape, int IOSCRN) {
    switch (WAVSEL) {
    case 2: // mean JONSWAP: gamma 3.3, sigma 0.07 and 0.09
        return {0.3049f, 1.193922f, 0.0098f, 0.0162f};
    case 3: // sharp JONSWAP: gamma 4.2, sigma 0.05 and 0.07
        return {0.3076f, 1.435085f, 0.005f, 0.0098f};
    case 4: // squat JONSWAP: gamma 7.0, sigma 0.68 and 0.123
        return {0.7114f, 1.94591f, 0.9248f, 0.030258f};
    default: { // general JONSWAP and TMA: the user's shape
        float JONVAL = 0.0f;
        JONSVAL(shape.JONPLQ, shape.JONPGQ, shape.JONGAMQ, JONVAL, IOSCRN);
        return {JONVAL, std::log(shape.JONGAMQ), 2.0f * shape.JONPLQ * shape.JONPLQ,
                2.0f * shape.JONPGQ * shape.JONPGQ};
    }
    }
}

// The peak of a user spectrum (codes 7 and 8): the running maximum from 0; a larger ordinate
// sets the first and last peak index, an equal one the last. The peak period comes from the
// mean of their frequencies, the height from m0. A spectrum without a positive ordinate has no
// peak to take a period from, so the run stops with a message instead of reading W(0).
void user_spectrum_peak(std::span<float, 100> PSDQ, float& QSWH, float& QTPK, int IOSCRN) {
    float peak = 0.0f;
    int first = 0;
    int last = 0;
    for (int k = 1; k <= TPCM.NWP; ++k) {
        const float p = PSDQ[slot(k)];
        if (p > peak) {
            peak = p;
            first = k;
            last = k;
        } else if (p == peak && first != 0) {
            last = k;
        }
    }
    if (first == 0)
        refuse(" ++> Wave spectrum has no positive ordinate: no peak period", IOSCRN);
    QTPK = two_pi_single / ((WAVCOM.W(first) + WAVCOM.W(last)) / 2.0f);
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(PSDQ, m0, m2);
    QSWH = 4.0f * std::sqrt(m0);
}

// Ordinate of a spectrum at frequency w by linear interpolation on the grid; 0 off the grid.
float ordinate_at(std::span<const float, 100> PSDQ, float w) {
    const int NWP = TPCM.NWP;
    const std::span<const float> W(WAVCOM.W_words, static_cast<std::size_t>(NWP));
    if (!(w >= WAVCOM.W(NWP) && w <= WAVCOM.W(1)))
        return 0.0f;
    std::int32_t IER = 0;
    std::int32_t MIN = 0;
    BSRCH(W, w, IER, MIN, NWP);
    float S = 0.0f;
    INTERP(W, PSDQ.first(static_cast<std::size_t>(NWP)), w, S, MIN);
    return S;
}

// The analysis grid: 3 to 100 periods, the first positive, rising, each step within 1e-4 of
// the first step T(2) - T(1) relative to it (the single-precision rounding of typed periods is
// far below that; a mistyped period is far above it).
void check_analysis_wave_grid(int IOSCRN) {
    const int NWP = TPCM.NWP;
    const auto fatal = [IOSCRN](const std::string& problem) {
        fatal_stop(IOSCRN, keyboard_unit,
                   {" ++> FATAL error: " + problem,
                    "     The wave periods must be 3 to 100 evenly spaced, increasing values."});
    };
    if (NWP < 3 || NWP > wave_grid_capacity)
        fatal("the wave period array holds " + std::to_string(NWP) + " periods.");
    if (!(TPCM.T(1) > 0.0f))
        fatal("wave period 1 is not positive.");
    const float DT = TPCM.T(2) - TPCM.T(1);
    for (int k = 1; k < NWP; ++k) {
        const float step = TPCM.T(k + 1) - TPCM.T(k);
        if (!(step > 0.0f))
            fatal("wave periods " + std::to_string(k) + " and " + std::to_string(k + 1) +
                  " do not increase.");
        if (!(std::abs(step - DT) <= 1.0e-4f * DT))
            fatal("wave periods " + std::to_string(k) + " and " + std::to_string(k + 1) +
                  " are not spaced like periods 1 and 2.");
    }
}

} // namespace

// check_wave_grid: see the header. Reads TPCM NWP and T; ends the run on a grid it cannot use.
void check_wave_grid(int IOSCRN, WaveGridRule rule) {
    const int NWP = TPCM.NWP;
    if (rule == WaveGridRule::analysis) {
        check_analysis_wave_grid(IOSCRN);
        return;
    }
    if (NWP < 2 || NWP > wave_grid_capacity)
        refuse(" ++> Wave period array must hold 2 to 100 periods; it holds " + std::to_string(NWP),
               IOSCRN);
    for (int k = 1; k <= NWP; ++k) {
        if (!(TPCM.T(k) > 0.0f))
            refuse(" ++> Wave period " + std::to_string(k) + " is not positive", IOSCRN);
    }
    for (int k = 1; k < NWP; ++k) {
        if (TPCM.T(k) == TPCM.T(k + 1))
            refuse(" ++> Wave periods " + std::to_string(k) + " and " + std::to_string(k + 1) +
                       " are equal: the wave period step must not be zero",
                   IOSCRN);
    }
}

// set_wave_grid: see the header. Reads TPCM NWP and T; writes the grid words of WAVCOM.
void set_wave_grid() {
    const int NWP = TPCM.NWP;
    LINTAR_ASSERT(NWP >= 2 && NWP <= wave_grid_capacity, "wave grid checked");
    for (int k = 1; k <= NWP; ++k) {
        WAVCOM.W(k) = two_pi_single / TPCM.T(k);
        WAVCOM.W2(k) = WAVCOM.W(k) * WAVCOM.W(k);
    }
    WAVCOM.TS = TPCM.T(1);
    WAVCOM.TL = TPCM.T(NWP);
    WAVCOM.NW = NWP - 1;
    WAVCOM.DT = TPCM.T(2) - TPCM.T(1);
    WAVCOM.DW = 0.0f;
}

// RWHFUN: 1 - X tanh(X WH_TMA^2); its root R satisfies R WH_TMA^2 = k DEPTH.
float RWHFUN(float X, float WH_TMA) {
    return 1.0f - X * std::tanh(X * WH_TMA * WH_TMA);
}

namespace {

// Entry k (1..100) of a spectrum on the wave grid.
float& grid_entry(std::span<float, 100> PSDQ, int k) {
    LINTAR_ASSERT(k >= 1 && k <= 100, "grid index");
    return PSDQ[slot(k)];
}

// gaussian_spectrum: the Gaussian in frequency about the grid frequency nearest the peak period
// QTPK, of significant height QSWH and relative width SPECWID, into PSDQ. The peak index must lie
// on the grid: a period off the grid is refused, not read outside it. Reads TPCM NWP and the grid
// of WAVCOM; ends the run on a peak off the grid.
void gaussian_spectrum(std::span<float, 100> PSDQ, float QSWH, float QTPK, float SPECWID,
                       int IOSCRN) {
    const int NWP = TPCM.NWP;
    const float position = (QTPK - WAVCOM.TS) / WAVCOM.DT + 1.5f;
    if (!(position >= 1.0f && position < static_cast<float>(NWP) + 1.0f))
        refuse(" ++> Spectral peak outside wave period range", IOSCRN);
    const int NPKQ = static_cast<int>(position);
    const float w_p = WAVCOM.W(NPKQ);
    const float PKFAC = QSWH * QSWH / (16.0f * std::sqrt(two_pi_single) * SPECWID * w_p);
    for (int k = 1; k <= NWP; ++k) {
        const float f = WAVCOM.W(k) / w_p - 1.0f;
        const float e = f * f / (2.0f * SPECWID * SPECWID);
        grid_entry(PSDQ, k) = e > 50.0f ? 0.0f : PKFAC * std::exp(-e);
    }
}

// keep_deep_water_variance: reshapes the spectrum PSDQ by the TMA depth factors SHALLO_COR and
// scales the result back to the deep-water m0, so that the significant height is unchanged. A
// spectrum without variance (a zero height) stays zero rather than 0 / 0. Reads TPCM NWP and the
// grid of WAVCOM.
void keep_deep_water_variance(std::span<float, 100> PSDQ,
                              const std::array<float, 100>& SHALLO_COR) {
    const int NWP = TPCM.NWP;
    std::array<float, 100> SCRATCH_FUN{};
    for (int k = 1; k <= NWP; ++k)
        SCRATCH_FUN[slot(k)] = grid_entry(PSDQ, k) * SHALLO_COR[slot(k)];
    float VARQ = 0.0f;
    float VARQ2 = 0.0f;
    float m2 = 0.0f;
    SMPINT(PSDQ, VARQ, m2);
    SMPINT(SCRATCH_FUN, VARQ2, m2);
    const float CORRECTION = VARQ2 > 0.0f ? VARQ / VARQ2 : 0.0f;
    for (int k = 1; k <= NWP; ++k)
        grid_entry(PSDQ, k) = SCRATCH_FUN[slot(k)] * CORRECTION;
}

// pierson_moskowitz_family: the Pierson-Moskowitz shape of level ALPHA and peak frequency QWPK
// (types 1 and 6), with the JONSWAP peak enhancement scaled to the height QSWH (types 2 to 5 and
// 10) and the TMA depth factor (type 10), into PSDQ. Reads TPCM NWP, WAVCOM (G, the grid); ends
// the run through the JONSWAP shape and the TMA root prompts.
void pierson_moskowitz_family(std::span<float, 100> PSDQ, std::int32_t WAVSEL, float ALPHA,
                              float QSWH, float QWPK, const WaveSystemShape& shape, int IOSCRN) {
    const int NWP = TPCM.NWP;
    const float G = WAVCOM.G;
    const bool enhanced = WAVSEL != 1 && WAVSEL != 6;
    JonswapShape jonswap{0.2f, 0.0f, 1.0f, 1.0f};
    std::array<float, 100> SHALLO_COR{};
    if (enhanced) {
        jonswap = jonswap_shape(WAVSEL, shape, IOSCRN);
        // Scaled to the requested height: m0 = QSWH^2 / 16 once divided by J.
        ALPHA = QSWH * QSWH * pow4(QWPK) / (16.0f * G * G);
        ALPHA = ALPHA / jonswap.J;
    }
    if (WAVSEL == 10)
        tma_depth_factors(SHALLO_COR, IOSCRN);
    for (int k = 1; k <= NWP; ++k) {
        const float w = WAVCOM.W(k);
        const float r = std::min(pow4(QWPK / w), 80.0f);
        const float base = std::exp(-1.25f * r) * G * G / (pow4(w) * w);
        float factor = 1.0f;
        if (enhanced) {
            const float d = (w / QWPK - 1.0f) * (w / QWPK - 1.0f);
            float b = -d / (w <= QWPK ? jonswap.two_sigma2_low : jonswap.two_sigma2_high);
            b = std::max(b, -100.0f);
            factor = std::exp(jonswap.ln_gamma * std::exp(b)); // gamma^exp(b)
        }
        const float S = ALPHA * base * factor;
        grid_entry(PSDQ, k) = S < 1.0e-20f ? 0.0f : S;
    }
    if (WAVSEL == 10)
        keep_deep_water_variance(PSDQ, SHALLO_COR);
}

// ochi_hubble_spectrum: the Ochi-Hubble spectrum, three parameters per component (height SWHT,
// modal period SIGPD, shape lambda RTPCM0), into PSDQ. The count is held to the four components
// the data file has room for. Reads TPCM and the grid of WAVCOM; ends the run on a gamma-function
// failure.
void ochi_hubble_spectrum(std::span<float, 100> PSDQ, int IOSCRN) {
    const int NWP = TPCM.NWP;
    const int N = std::clamp<int>(TPCM.N_OCHI_COMP, 0, 4);
    std::array<float, 4> TMP_FAC{};
    for (int j = 1; j <= N; ++j) {
        float GX = 0.0f;
        std::int32_t IER = 0;
        GAMMA(TPCM.RTPCM0(j), GX, IER);
        if (IER != 0) {
            write_record(IOSCRN, " ++> Gamma function error in WVSPEC");
            fatal_stop(IOSCRN, keyboard_unit);
        }
        TMP_FAC[slot(j)] = 0.25f * TPCM.SWHT(j) * TPCM.SWHT(j) / GX;
    }
    for (int k = 1; k <= NWP; ++k) {
        const float w = WAVCOM.W(k);
        float sum = 0.0f;
        for (int j = 1; j <= N; ++j) {
            const float lambda = TPCM.RTPCM0(j);
            const float w_m = two_pi_single / TPCM.SIGPD(j);
            const float q = (lambda + 0.25f) / pow4(w / w_m);
            sum += TMP_FAC[slot(j)] * std::exp(-q) * std::pow(q, lambda) / w;
        }
        grid_entry(PSDQ, k) = sum;
    }
}

} // namespace

// WVSPEC: the spectrum of type WAVSEL over the wave grid of WAVCOM for significant height QSWH
// and peak period QTPK, with the shape parameters of wave system WAVE_SYS_ID; returns the peak
// frequency QWPK and the peak wave number QWKPK. Type 1 returns the peak period of its height;
// types 7 and 8 return both height and period of the user spectrum.
// Reads TPCM (NWP, T, DEPTH, EDUNIT, shape parameters, Ochi-Hubble components, USRPSD), WAVCOM
// (G, the grid) and HIMEM (IHT, LCNWV); writes PSDQ, HIMEM WCONST and, once the vessel-motion
// set-up has set its indices, the peak period into HIMEM RLDUM. Ends the run on an unknown type,
// a depth that is not positive, an unusable grid or peak, a gamma-function failure, and through
// the TMA root prompts, the user file and JONSVAL.
void WVSPEC(std::int32_t WAVSEL, std::span<float, 100> PSDQ, float& QSWH, float& QTPK, float& QWPK,
            float& QWKPK, std::int32_t WAVE_SYS_ID) {
    const int IOSCRN = TPCM.EDUNIT;
    const int NWP = TPCM.NWP;
    const float G = WAVCOM.G;
    LINTAR_ASSERT(G > 0.0f, "gravity set before the spectra");
    if (WAVSEL < 0 || WAVSEL > 10)
        refuse(" ++> Wave spectrum type " + std::to_string(WAVSEL) + " is not defined (WVSPEC)",
               IOSCRN);
    // The wave number at the peak and the depth factors divide by the depth.
    if (!(TPCM.DEPTH > 0.0f))
        refuse(" ++> Water depth must be positive for the wave spectrum (WVSPEC); depth =" +
                   F(TPCM.DEPTH, 10, 2),
               IOSCRN);
    check_wave_grid(IOSCRN);

    // Preparation: type 1 takes its period from the height, type 6 scales the
    // Pierson-Moskowitz shape to the height.
    float ALPHA = 0.0081f;
    if (WAVSEL == 1) {
        QTPK = 15.66f * std::sqrt(QSWH / G);
    } else if (WAVSEL == 6) {
        const float H_pm = QTPK * QTPK * G / 245.2356f; // 245.2356 = 15.66^2
        ALPHA = 0.0081f * (QSWH / H_pm) * (QSWH / H_pm);
    }
    if (WAVSEL != 7 && WAVSEL != 8 && !(QTPK > 0.0f))
        refuse(" ++> Spectrum peak period must be positive (WVSPEC)", IOSCRN);
    QWPK = two_pi_single / QTPK;
    const WaveSystemShape shape = shape_of(WAVE_SYS_ID);

    switch (WAVSEL) {
    case 0:
        gaussian_spectrum(PSDQ, QSWH, QTPK, shape.SPECWID, IOSCRN);
        break;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 10:
        pierson_moskowitz_family(PSDQ, WAVSEL, ALPHA, QSWH, QWPK, shape, IOSCRN);
        break;
    case 7:
    case 8:
        for (int k = 1; k <= NWP; ++k)
            grid_entry(PSDQ, k) = WAVSEL == 7
                                      ? UWVSPC(WAVCOM.W(k), IOSCRN, keyboard_unit, "WAVSPEC.txt  ")
                                      : TPCM.USRPSD(k);
        user_spectrum_peak(PSDQ, QSWH, QTPK, IOSCRN);
        break;
    case 9:
        ochi_hubble_spectrum(PSDQ, IOSCRN);
        break;
    default:
        break;
    }

    // Common tail. The peak period goes into the wave-statistics words of HIMEM only once the
    // vessel-motion set-up has laid them out: before that IHT and LCNWV are 0 and the entry
    // would lie before the start of RLDUM.
    if (HIMEM.LCNWV >= 1 && HIMEM.IHT >= 1)
        HIMEM.RLDUM(HIMEM.LCNWV + 3 * (HIMEM.IHT - 1) + 2) = QTPK;
    HIMEM.WCONST = depth_frequency_scale(TPCM.DEPTH, G);
    QWPK = two_pi_single / QTPK;
    QWKPK = wave_number(QWPK, TPCM.DEPTH, G);
}

// GRPSPC: the wave-group (envelope) spectrum at difference frequency WFREQ:
// GRPPSD = 8 * integral of S(w + mu/2) S(|w - mu/2|) dw over the grid, S interpolated linearly
// on the grid and 0 off it. Reads WAVCOM and TPCM NWP; never ends the run.
void GRPSPC(std::span<const float, 100> PSDQ, float& GRPPSD, float WFREQ) {
    std::array<float, 100> product{};
    for (int k = 1; k <= TPCM.NWP; ++k) {
        const float w_plus = std::abs(WAVCOM.W(k) + WFREQ / 2.0f);
        const float w_minus = std::abs(WAVCOM.W(k) - WFREQ / 2.0f);
        product[slot(k)] = ordinate_at(PSDQ, w_plus) * ordinate_at(PSDQ, w_minus);
    }
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(product, m0, m2);
    GRPPSD = 8.0f * m0;
}

// JONINT: exp(Z ln GAM - 1.25 / u^4) with u = 1 -/+ sqrt(-2 PVAL^2 ln Z) on the branch below
// (1) or above (2) the peak; the root is taken as 0 at Z = 0.
float JONINT(float Z, float PVAL, float GAM, std::int32_t BRANCH) {
    const float s = Z == 0.0f ? 0.0f : std::sqrt(-2.0f * PVAL * PVAL * std::log(Z));
    const float u = BRANCH == 1 ? 1.0f - s : 1.0f + s;
    return std::exp(Z * std::log(GAM) - 1.25f / pow4(u));
}

namespace {

// One branch integral of JONSVAL by QATR, with its retry loop: a rounding stop loosens the
// tolerance tenfold, exhausted steps double the table (up to 80 levels), a result much larger
// than the tolerance tightens it to 0.008 Y once more. After `attempt_limit` attempts the user
// is asked whether to go on.
float jonswap_branch(std::int32_t BRANCH, float PVAL, float GAM, float XL, float XU,
                     std::int32_t attempt_limit, int IOSCRN) {
    std::array<float, 80> AUX{};
    float EPS = 0.0001f;
    std::int32_t NDIM = 10;
    std::int32_t NITER = 0;
    for (;;) {
        ++NITER;
        if (NITER > attempt_limit) {
            write_record(IOSCRN, "  ++> Possible iteration failure in JONSVAL");
            std::int32_t LBACK = 0;
            ABORT0(IOSCRN, keyboard_unit, LBACK);
            if (LBACK == -1)
                stop_program(StopKind::user_choice);
            if (IOSCRN == diagnostics_unit)
                stop_program(StopKind::error);
            NITER = 0;
        }
        float Y = 0.0f;
        std::int32_t IER = 0;
        QATR(
            XL, XU, EPS, NDIM,
            [PVAL, GAM, BRANCH](float Z) { return JONINT(Z, PVAL, GAM, BRANCH); }, Y, IER, AUX);
        if (IER == 1) {
            if (std::abs(Y) <= 10.0f * EPS) {
                write_record(IOSCRN, "  ++> FATAL error: unfixable roundoff error in JONSVAL");
                fatal_stop(IOSCRN, keyboard_unit);
            }
            EPS *= 10.0f;
        } else if (IER == 2) {
            if (NDIM > 40) {
                write_record(IOSCRN, " ++> FATAL error: NDIM > NDMSUP in JONSVAL");
                fatal_stop(IOSCRN, keyboard_unit);
            }
            NDIM *= 2;
        } else if (0.01f * Y < EPS) {
            EPS = 0.008f * Y;
        } else {
            return Y;
        }
    }
}

} // namespace

// JONSVAL: J = 0.2 (1 - ln gamma (YL - YG)) by integration by parts, YL and YG the transformed
// integrals over the branches below and above the peak (JONINT). Writes JONVAL; messages go to
// IOSCRN (written list-directed, so each starts with a blank of its own). Ends the run on an
// unfixable quadrature failure, or at the attempt-limit prompt.
void JONSVAL(float PL, float PG, float GAMMA, float& JONVAL, int IOSCRN) {
    const float GAM = GAMMA;
    const float YL = jonswap_branch(1, PL, GAM, std::exp(-0.5f / (PL * PL)), 1.0f, 100, IOSCRN);
    const float YG = jonswap_branch(2, PG, GAM, 0.0f, 1.0f, 20, IOSCRN);
    JONVAL = (1.0f - (YL - YG) * std::log(GAMMA)) * 0.2f;
}

} // namespace lintar
