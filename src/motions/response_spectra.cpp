// motions/response_spectra.cpp: SMPIN2, STATCP, STATCM and SCALEF.
#include "motions/response_spectra.h"

#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "motions/response_indices.h"
#include "runtime/assert.h"
#include "runtime/edit_descriptors.h"
#include "runtime/units.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/spectral_moments.h"
#include "util/table_search.h"
#include "util/unit_labels.h"

#include <array>
#include <cmath>
#include <complex>
#include <string>

namespace lintar {

namespace {

// Unit of the plot file.
constexpr int plot_unit = 14;

// RLDUM words FIRST .. FIRST + n - 1 as a read-only column.
std::span<const float> rldum_column(std::int32_t FIRST, int n) {
    LINTAR_ASSERT(FIRST >= 1 && FIRST + n - 1 <= rldum_word_count, "RLDUM column");
    return std::span<const float>(&HIMEM.RLDUM(FIRST), static_cast<std::size_t>(n));
}

} // namespace

// SMPIN2: see the header.
void SMPIN2(std::span<const float, 100> PSDEN, std::int32_t LSIG) {
    const int NWP = TPCM.NWP;
    float m0 = 0.0f;
    float m2 = 0.0f;
    simpson_period_moments(PSDEN, rldum_column(HIMEM.LCNW2, NWP), NWP, WAVCOM.DT, m0, m2);
    HIMEM.RLDUM(LSIG) = m0;
    HIMEM.RLDUM(LSIG + 1) = m2;
}

// STATCP: see the header.
void STATCP(std::span<const float> RAOSQ, std::int32_t LWPSD, std::int32_t LSIG) {
    const int NWP = TPCM.NWP;
    LINTAR_ASSERT(RAOSQ.size() >= static_cast<std::size_t>(NWP), "RAO column");
    for (int IW = 1; IW <= NWP; ++IW)
        HIMEM.PSD(IW) = RAOSQ[slot(IW)] * HIMEM.RLDUM(LWPSD - 1 + IW);
    SMPIN2(HIMEM.PSD_words, LSIG);
}

// STATCM: see the header.
void STATCM(std::int32_t LCNRAO, std::int32_t LWPSD, std::int32_t LSIG) {
    HimemBlock& H = HIMEM;
    const int NWP = TPCM.NWP;
    // Heights of the roll and pitch centres above the centre of gravity.
    const float CTMPR = H.VTCRR - TPCM.VKG;
    const float CTMPP = H.VTCRP - TPCM.VKG;
    const float VCOMP =
        TPCM.VFWD * std::cos((H.REDANG(WAVCOM.IRAO) - TPCM.VGLDIR) / degrees_per_radian);
    const bool force_columns = H.LFRFLG == 1;
    const bool HEVFLG = LCNRAO != H.LCNHV && force_columns;
    bool SRGFLG = false;
    bool SWYFLG = false;
    bool ROLFLG = false;
    bool PITFLG = false;
    if (TPCM.LCGFLG == 1) {
        if (force_columns) {
            ROLFLG = LCNRAO == H.LCNROL;
            PITFLG = LCNRAO == H.LCNPIT;
        } else {
            SRGFLG = LCNRAO == H.LCNSG;
            SWYFLG = LCNRAO == H.LCNSWY;
        }
    }
    const bool moving = TPCM.VFWD != 0.0f;

    std::array<std::complex<float>, 100> V{};
    std::array<float, 100> WENC{};
    for (int IW = 1; IW <= NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        std::complex<float> v = H.CRLDUM(LCNRAO + H.IWM);
        if (SRGFLG)
            v = v - CTMPP * H.CRLDUM(H.LPT).get();
        if (SWYFLG)
            v = v + CTMPR * H.CRLDUM(H.LRL).get();
        if (ROLFLG)
            v = v - (CTMPR / H.GMT) * H.CRLDUM(H.LSW).get();
        if (PITFLG)
            v = v + (CTMPP / H.GML) * H.CRLDUM(H.LSG).get();
        if (HEVFLG)
            v = v * H.RLDUM(H.LWK);
        V[slot(IW)] = v;
        if (moving)
            WENC[slot(IW)] = H.RLDUM(H.LW) - H.RLDUM(H.LWK) * VCOMP;
    }
    for (int IW = 1; IW <= NWP; ++IW) {
        H.IW = IW;
        INDXUP();
        std::complex<float> v = V[slot(IW)];
        if (moving) {
            // The response at the wave frequency, read from the encounter-frequency table.
            const std::span<const float> we(WENC.data(), static_cast<std::size_t>(NWP));
            const std::span<const std::complex<float>> cv(V.data(), static_cast<std::size_t>(NWP));
            std::int32_t IER = 0;
            std::int32_t MIN = 1;
            const float omega = H.RLDUM(H.LW);
            BSRCH(we, omega, IER, MIN, NWP);
            CINTRP(we, cv, omega, v, MIN);
        }
        H.PSD(IW) = H.RLDUM(LWPSD - 1 + IW) * ABS2(v);
    }
    SMPIN2(H.PSD_words, LSIG);
}

// SCALEF: see the header. Reads TPCM (IUNIT, IPLOTS, NUNTS, LCGFLG) and HIMEM SCALE.
void SCALEF() {
    const int IUNIT = TPCM.IUNIT;
    const bool plot = TPCM.IPLOTS == 1;
    const auto both = [&](const std::string& text) {
        write_record(IUNIT, text);
        if (plot)
            write_record(plot_unit, text);
    };
    const bool metric = TPCM.NUNTS == 1;
    write_record(IUNIT, "");
    both("-----  REGULAR WAVE FORCE/TORQUE SCALE FACTORS  ----");
    for (int i = 1; i <= 6; ++i) {
        std::string unit;
        if (i <= 2)
            unit = metric ? "M.TON/DEG" : "KIPS/DEG";
        else if (i == 3)
            unit = metric ? "M.TON/METER" : "KIPS/FT";
        else
            unit = metric ? "M.TON-METER/DEG" : "FT-KIPS/DEG";
        both(std::string(7, ' ') + A(DOF(i), 5) + " .................................." +
             G(HIMEM.SCALE(i), 12, 4) + " " + unit);
    }
    write_record(IUNIT, std::string(" ++> Note: Moments evaluated about ") +
                            (TPCM.LCGFLG == 1 ? "vessel center of gravity (VKG)"
                                              : "\"natural\" roll and pitch centers"));
}

} // namespace lintar
