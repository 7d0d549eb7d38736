// motions/response_statistics.cpp: STAT1.
#include "motions/response_statistics.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/response_indices.h"
#include "motions/response_spectra.h"
#include "runtime/units.h"
#include "util/prompts.h"
#include "util/sea_spectra.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>

namespace lintar {

namespace {

// The 100 words of a spectrum in RLDUM from word FIRST.
std::span<float, 100> spectrum_at(std::int32_t FIRST) {
    return std::span<float, 100>(&HIMEM.RLDUM(FIRST), 100);
}

// The responses of a call: kinds 0 and 1 the six degrees of freedom (only those selected are
// treated), kinds 2 to 4 the three axes of the NCOL points of group IREP (all treated).
struct Responses {
    bool rigid = true;
    int NR = 6;
    bool treated(int r) const { return !rigid || TPCM.MOTION(r) != 0; }
    std::int32_t slot_index(int r) const { return rigid ? r : (HIMEM.IREP - 1) * 6 + r; }
};

// The moments of response r under the spectrum at word LWPSD into LSIG: the RAO column of a
// degree of freedom (STATCM, which applies the centre and speed corrections) or the squared
// moduli from LBASE (STATCP).
void response_moments(const Responses& R, int r, std::int32_t LBASE, std::int32_t LWPSD,
                      std::int32_t LSIG) {
    HimemBlock& H = HIMEM;
    if (R.rigid)
        STATCM((r - 1) * H.NARRAY + 1, LWPSD, LSIG);
    else
        STATCP(std::span<const float>(&H.RLDUM(LBASE), static_cast<std::size_t>(TPCM.NWP)), LWPSD,
               LSIG);
}

// Adds FAC times the moment pair at word FROM into the slot of (IHT, IHD, R).
void add_to_slot(std::int32_t IHT, std::int32_t IHD, std::int32_t R, std::int32_t FROM, float FAC) {
    HimemBlock& H = HIMEM;
    const std::int32_t slot = LOCAT0(H.NHTNHD, H.MAXHT, IHD, IHT, R, H.LOCSIG);
    H.RLDUM(slot) += FAC * H.RLDUM(FROM);
    H.RLDUM(slot + 1) += FAC * H.RLDUM(FROM + 1);
}

void swell_pass(const Responses& R) {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    const std::int32_t IRAO = W.IRAO;
    std::int32_t P1 = 0;
    std::int32_t P2 = 0;
    if (P.LSWLOK == 1) {
        for (std::int32_t IHD = 1; IHD <= P.NSEAHG; ++IHD) {
            if (H.ISWL(IHD) == IRAO) {
                W.ISWELL = IRAO;
                P1 = IHD;
            }
            if (H.ISWL2(IHD) == IRAO) {
                W.ISWEL2 = IRAO;
                P2 = IHD;
            }
        }
    }
    const bool first = W.ISWELL == IRAO;
    const bool second = W.ISWEL2 == IRAO;
    if (!first && !second)
        return;
    const std::int32_t first_spectrum = H.LCNPSD + H.MAXHT * H.NARRAY;
    const std::int32_t second_spectrum = H.LCNPSD + (H.MAXHT + 1) * H.NARRAY;
    if (first) {
        WVSPEC(P.SWLTYP, spectrum_at(first_spectrum), P.SWELHT, P.SWELPD, W.WSWLPK, W.WKSWLPK, 1);
        SMPIN2(spectrum_at(first_spectrum), H.LCNSWL);
    }
    if (second) {
        WVSPEC(P.SWLTYP2, spectrum_at(second_spectrum), P.SWELHT2, P.SWELPD2, W.WSWLPK2, W.WKSWLPK2,
               2);
        SMPIN2(spectrum_at(second_spectrum), H.LCNSWL2);
    }
    std::int32_t LBASE = H.LBASEX;
    for (int r = 1; r <= R.NR; ++r) {
        if (!R.treated(r))
            continue;
        if (first)
            response_moments(R, r, LBASE, first_spectrum, H.LCNSIG);
        if (second)
            response_moments(R, r, LBASE, second_spectrum, H.LCNSIG2);
        const std::int32_t slot = R.slot_index(r);
        for (std::int32_t IHT = 1; IHT <= std::max(P.NSEAHT, 1); ++IHT) {
            for (std::int32_t IHD = 1; IHD <= std::max(P.NSEAHG, 1); ++IHD) {
                // Locked to the seas, a swell belongs to the sea heading whose swell it is;
                // otherwise it is part of every sea state.
                const bool locked = P.LSWLOK != 0;
                if (first && (!locked || IHD == P1))
                    add_to_slot(IHT, IHD, slot, H.LCNSIG, 1.0f);
                if (second && (!locked || IHD == P2))
                    add_to_slot(IHT, IHD, slot, H.LCNSIG2, 1.0f);
            }
        }
        LBASE += H.NARRAY;
    }
}

void random_sea_pass(const Responses& R) {
    TpcmBlock& P = TPCM;
    WavcomBlock& W = WAVCOM;
    HimemBlock& H = HIMEM;
    const std::int32_t IRAO = W.IRAO;
    const bool LEXP = W.LEXP != 0;
    const std::int32_t NSPR = LEXP ? P.NA + 1 : 1;
    for (std::int32_t IHT = 1; IHT <= P.NSEAHT; ++IHT) {
        const std::int32_t sea_spectrum = H.LCNPSD + (IHT - 1) * H.NARRAY;
        if (W.LWVCMP == 0) {
            W.TPK = P.SIGPD(IHT);
            W.SWH = P.SWHT(IHT);
            WVSPEC(P.WAVTYP, spectrum_at(sea_spectrum), W.SWH, W.TPK, W.WPK, W.WKPK, 0);
            SMPIN2(spectrum_at(sea_spectrum), H.LCNWV + 3 * (IHT - 1));
        }
        std::int32_t LBASE = H.LBASEX;
        for (int r = 1; r <= R.NR; ++r) {
            if (!R.treated(r))
                continue;
            response_moments(R, r, LBASE, sea_spectrum, H.LCNSIG);
            LBASE += H.NARRAY;
            const std::int32_t slot = R.slot_index(r);
            float FAC = 1.0f;
            for (std::int32_t IHD = 1; IHD <= P.NSEAHG; ++IHD) {
                if (!LEXP && H.IRAN(IHD) != IRAO)
                    continue;
                for (std::int32_t j = 1; j <= NSPR; ++j) {
                    if (LEXP && H.INTGFL(j, IHD) != IRAO)
                        continue;
                    if (LEXP) {
                        // The cos^n spreading weight of step j with its Simpson weight; the
                        // last step of the sector carries none.
                        float SW = 0.0f;
                        SEIVE(j, 1, P.NA + 1, SW);
                        const std::int32_t IDEL = j - 1 - W.NA2;
                        FAC = IDEL == W.NA2
                                  ? 0.0f
                                  : W.ANGNRM * SW *
                                        std::pow(std::abs(std::cos(static_cast<float>(IDEL) * W.DA *
                                                                   180.0f / P.ANGSEC)),
                                                 P.COSEXP);
                    }
                    add_to_slot(IHT, IHD, slot, H.LCNSIG, FAC);
                }
            }
        }
    }
    W.LWVCMP = 1;
}

} // namespace

// STAT1: see the header.
void STAT1() {
    TpcmBlock& P = TPCM;
    HimemBlock& H = HIMEM;
    if (P.NBUG == 1) {
        write_record(P.EDUNIT, " IN STAT1. IRAO,LRFGLG = " + std::to_string(WAVCOM.IRAO) + " " +
                                   std::to_string(H.LFRFLG));
        INBUG(P.NBUG, P.EDUNIT, keyboard_unit);
    }
    Responses R;
    if (H.LFRFLG >= 2) {
        R.rigid = false;
        R.NR = 3 * H.NCOL;
    }
    if (P.LSWELL != 0)
        swell_pass(R);
    if (P.LRANDM != 0)
        random_sea_pass(R);
}

} // namespace lintar
