// util/spectral_moments.cpp: spectral moments, the spectral peak and the bandwidth of a spectrum
// on the wave grid.
#include "util/spectral_moments.h"
#include "util/angles.h"

#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "runtime/assert.h"
#include "runtime/stop.h"
#include "runtime/units.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace lintar {

namespace {

// Entry k (from 1) of a grid spectrum.
float at(GridSpectrum a, int k) {
    LINTAR_ASSERT(k >= 1 && k <= static_cast<int>(a.size()), "grid index");
    return a[slot(k)];
}

} // namespace

// SMPINT: the zeroth and second moments (VAR = m0, VARDOT = m2) of a spectrum on the wave grid
// by Simpson's rule over the period grid with the squared frequencies W2 of WAVCOM. Reads
// WAVCOM (W2, DT) and TPCM NWP; never ends the run.
void SMPINT(GridSpectrum PSDEN, float& VAR, float& VARDOT) {
    simpson_period_moments(PSDEN, WAVCOM.W2_words, TPCM.NWP, WAVCOM.DT, VAR, VARDOT);
}

// simpson_period_moments: see the header.
void simpson_period_moments(GridSpectrum PSDEN, std::span<const float> OMEGA2, int NWP, float DT,
                            float& m0, float& m2) {
    LINTAR_ASSERT(NWP >= 2 && NWP <= wave_grid_capacity, "wave grid size");
    LINTAR_ASSERT(OMEGA2.size() >= static_cast<std::size_t>(NWP), "omega^2 column");
    const auto w2 = [&](int k) { return OMEGA2[slot(k)]; };
    const auto v0 = [&](int k) { return at(PSDEN, k) * w2(k); };
    const auto v2 = [&](int k) { return at(PSDEN, k) * w2(k) * w2(k); };
    float even0 = 0.0f;
    float odd0 = 0.0f;
    float even2 = 0.0f;
    float odd2 = 0.0f;
    const int pairs = NWP / 2;
    for (int pair = 1; pair <= pairs; ++pair) {
        const int k = 2 * pair - 1;
        even0 += v0(k + 1);
        odd0 += v0(k);
        even2 += v2(k + 1);
        odd2 += v2(k);
    }
    // Simpson's weights 1, 4, 2, ..., 4, 1 over DT / 3, divided by 2 pi.
    const float six_pi = 18.849556f;
    m0 = (4.0f * even0 + 2.0f * odd0 - v0(1) + v0(NWP)) * DT / six_pi;
    m2 = (4.0f * even2 + 2.0f * odd2 - v2(1) + v2(NWP)) * DT / six_pi;
}

// PSDPEK: the peak of |PSD| over the grid W: its ordinate PSDPK, the first and last grid index
// that carry it and the peak period TPEAK from the mean of their frequencies; with GETHALF, the
// half-power indices found by stepping outward from the peak by the same count on both sides
// (IHALFP on the low-frequency side, IHALFM on the high-frequency side; 0 when not found).
// A spectrum without a nonzero ordinate has no peak: indices 0, PSDPK 0 and TPEAK 0.
// Reads TPCM NWP; never ends the run.
void PSDPEK(GridSpectrum PSD, GridSpectrum W, float& PSDPK, float& TPEAK, std::int32_t& IFIRST,
            std::int32_t& ILAST, bool GETHALF, std::int32_t& IHALFP, std::int32_t& IHALFM) {
    const int NWP = TPCM.NWP;
    PSDPK = 0.0f;
    IFIRST = 0;
    ILAST = 0;
    for (int k = 1; k <= NWP; ++k) {
        const float a = std::abs(at(PSD, k));
        if (a > PSDPK) {
            IFIRST = k;
            ILAST = k;
            PSDPK = a;
        } else if (a == PSDPK && IFIRST != 0) {
            ILAST = k;
        }
    }
    IHALFP = 0;
    IHALFM = 0;
    // An all-zero spectrum has no peak: its period is reported as 0 rather than read from
    // outside the grid.
    if (IFIRST == 0) {
        TPEAK = 0.0f;
        return;
    }
    TPEAK = two_pi_single / ((at(W, IFIRST) + at(W, ILAST)) / 2.0f);
    if (!GETHALF)
        return;
    const float half = 0.5f * PSDPK;
    for (int k = IFIRST; k <= NWP; ++k) {
        const int m = std::max(2 * IFIRST - k, 1);
        if (IHALFP == 0 && std::abs(at(PSD, k)) < half)
            IHALFP = k;
        if (IHALFM == 0 && std::abs(at(PSD, m)) < half)
            IHALFM = m;
    }
}

// SPCPROCES: root-mean-square value and rate (sqrt of m0 and m2), bandwidth in Hz and peak
// period of a response spectrum. A bandwidth that does not fit the variance is reported on the
// console with a quit-or-continue question; "Q" stops the run at the user's choice.
// Reads WAVCOM and TPCM NWP through SMPINT and PSDPEK.
void SPCPROCES(GridSpectrum PSD, GridSpectrum W, float& RMS, float& RMSDOT, float& BNDWDTH,
               float& TPEAK) {
    float m0 = 0.0f;
    float m2 = 0.0f;
    SMPINT(PSD, m0, m2);
    RMS = std::sqrt(m0);
    RMSDOT = std::sqrt(m2);

    float PSDPK = 0.0f;
    std::int32_t IFIRST = 0;
    std::int32_t ILAST = 0;
    std::int32_t IHALFP = 0;
    std::int32_t IHALFM = 0;
    PSDPEK(PSD, W, PSDPK, TPEAK, IFIRST, ILAST, true, IHALFP, IHALFM);
    // A spectrum still above half its peak at one end of the grid (a response rising to the
    // shortest period, say) has no half-power point on that side: the grid's end stands in,
    // rather than a frequency read from outside the grid.
    if (IHALFM == 0 && IHALFP != 0)
        IHALFM = 1;
    if (IHALFP == 0 && IHALFM != 0)
        IHALFP = TPCM.NWP;

    const std::int32_t IDELTA = std::abs(IHALFM - IHALFP);
    float bandwidth = 0.0f;
    if (IDELTA == 1 || IDELTA == 2) {
        bandwidth = m0 / PSDPK;
    } else if (IDELTA >= 3) {
        bandwidth = std::min(std::abs(at(W, IHALFM) - at(W, IHALFP)), m0 / PSDPK);
        TPEAK = std::min(TPEAK, two_pi_single * std::sqrt(m0 / m2));
    }

    // No variance leaves nothing to check (and nothing to divide by).
    if (m0 != 0.0f && std::abs(1.0f - bandwidth * PSDPK / m0) > 1.0f) {
        write_record(screen_unit, " ++> Variance overflow in SPCPROCES;");
        write_record(screen_unit, "     press \"q\" to quit or \"c\" to continue");
        const std::string answer = read_answer(1);
        if (answer[0] == 'Q' || answer[0] == 'q')
            stop_program(StopKind::user_choice);
    }
    BNDWDTH = bandwidth / two_pi_single;
}

} // namespace lintar
