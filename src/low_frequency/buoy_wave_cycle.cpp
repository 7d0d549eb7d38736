// low_frequency/buoy_wave_cycle.cpp: BUYDYN, the body stepped through one design-wave cycle.
#include "low_frequency/buoy_wave_cycle.h"

#include "blocks/equilb.h"
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "hulls/hull_models.h"
#include "lines/mooring_force.h"
#include "motions/response_indices.h"
#include "motions/wave_setup.h"
#include "offsets/equilibrium_search.h"
#include "offsets/point_lines.h"
#include "util/algebra.h"
#include "util/angles.h"
#include "util/scope_restore.h"
#include "util/table_search.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <span>

namespace lintar {

namespace {

// The offset tables' kind for user-file offsets: the cycle's tables are printed as such.
constexpr std::int32_t user_file_kind = 6;

// The set-up run and the hull model's forces with the environment seen from the body.
// The environment headings and the report switches are the body's only for the set-up run:
// they are put back when it ends, or when it stops.
void wave_forces_at_the_body() {
    TpcmBlock& P = TPCM;
    const ScopeRestore keep_sea(P.SEAHDG(1)), keep_wave(P.WAVHDG(1)), keep_current(P.CURHDG),
        keep_wind(P.WNDHDG), keep_swell(P.SWLHDG), keep_swell2(P.SWLHDG2), keep_glide(P.VGLDIR);
    const ScopeRestore keep_plots(P.IPLOTS), keep_negsum(P.NEGSUM);
    const float turn = EQUILB.VESANG() * degrees_per_radian;
    P.SEAHDG(1) -= turn;
    P.WAVHDG(1) -= turn;
    P.CURHDG -= turn;
    P.WNDHDG -= turn;
    P.SWLHDG -= turn;
    P.SWLHDG2 -= turn;
    P.VGLDIR -= turn;
    if (P.LRANDM != 0)
        P.WAVHDG(1) = P.SEAHDG(1);
    else if (P.LSWELL != 0)
        P.WAVHDG(1) = P.SWLHDG;
    P.IPLOTS = 0;
    P.NEGSUM = 1;
    LINCOM.DSLOPE = 0.0;
    // memset rather than assignment from a temporary: the block is 3.4 MB.
    std::memset(&HIMEM, 0, sizeof HIMEM);

    VESL1();
    if (HullModel* model = vessel_hull_model()) {
        // The first relative heading the set-up lays out: WAVHDG(1), now the design wave's.
        WAVCOM.IRAO = 1;
        std::int32_t NPASS2 = 5;
        model->forces_and_raos(NPASS2);
    }
}

// Grid period, amplitude and slope of the design wave; the work-array indices of its
// period. The wave number is the set-up's of that grid period.
void design_wave(BuoyWaveCycle& C) {
    const TpcmBlock& P = TPCM;
    constexpr float deg = degrees_per_radian;
    if (P.LRANDM != 0) {
        std::int32_t IER = 0;
        std::int32_t MIN = 1;
        BSRCH(std::span<const float>(P.T_words, 100), WAVCOM.TPK, IER, MIN, P.NWP);
        C.IW = MIN;
    } else {
        C.IW = P.NWP / 2;
    }
    const float k = HIMEM.RLDUM(HIMEM.LCNWK + C.IW - 1);
    const bool regular = P.LRANDM == 0;
    if (P.LSLPHT == 0) {
        C.WVAMP = regular ? 0.5f * P.SLPHT : P.SLPHT * WAVCOM.DURFAC;
        C.SLOPE = k * C.WVAMP;
    } else {
        C.SLOPE = regular ? P.SLPHT / deg : 2.63f * P.SLPHT / deg;
        C.WVAMP = C.SLOPE / k;
    }
    HIMEM.IW = C.IW;
    INDXUP();
}

// The values of phase I of a table (150 of them).
std::span<float> point_column(OffsetTable& table, std::int32_t I) {
    return std::span<float>(table).subspan(slot(I) * static_cast<std::size_t>(offset_table_values),
                                           static_cast<std::size_t>(offset_table_values));
}

// A component of a force kept only when it is not below `least` in size.
float above(float v, float least) {
    return std::abs(v) < least ? 0.0f : v;
}

// Column I of a summary table from its rows.
void fill_rows(OffsetTable& table, std::int32_t I, std::initializer_list<float> values) {
    std::copy(values.begin(), values.end(), point_column(table, I).begin());
}

// The load of phase I of the cycle: the hull model's transfer values F at the phase, with
// their amplitudes and scales, added to the mean load.
std::array<float, 6> phase_load(std::int32_t I, const std::complex<float> (&F)[6],
                                const float (&amplitude)[6], const float (&mean)[6]) {
    HimemBlock& H = HIMEM;
    const float phase = static_cast<float>(I - 1) * (2.0f * pi_single) / 36.0f;
    const std::complex<float> c = std::polar(1.0f, phase);
    std::array<float, 6> FEXT{};
    for (std::size_t d = 0; d < 6; ++d)
        FEXT[d] = amplitude[d] * H.SCALE(static_cast<int>(d) + 1) * std::real(c * F[d]) + mean[d];
    return FEXT;
}

} // namespace

std::unique_ptr<BuoyWaveCycle> buoy_wave_cycle(float FXXTRN, float FYXTRN, float FZXTRN,
                                               float TXXTRN, float TYXTRN, float TZXTRN) {
    auto cycle = std::make_unique<BuoyWaveCycle>();
    BuoyWaveCycle& C = *cycle;
    OffsetTables& T = C.T;
    const TpcmBlock& P = TPCM;
    const std::int32_t NLIN = P.NLIN;
    C.NPAG = (NLIN + 7) / 8;

    wave_forces_at_the_body();
    design_wave(C);

    // The hull model's transfer values of the design period, and their scales.
    HimemBlock& H = HIMEM;
    const std::complex<float> F[6] = {H.CRLDUM(H.LSG).get(), H.CRLDUM(H.LSW).get(),
                                      H.CRLDUM(H.LHV).get(), H.CRLDUM(H.LRL).get(),
                                      H.CRLDUM(H.LPT).get(), H.CRLDUM(H.LYA).get()};
    const float S = C.SLOPE * degrees_per_radian;
    const float amplitude[6] = {S, S, C.WVAMP, S, S, S};
    const float mean[6] = {FXXTRN, FYXTRN, FZXTRN, TXXTRN, TYXTRN, TZXTRN};

    AppliedLoadFrame frame; // force and moment in global axes
    frame.FAPPNT = {P.FAPPNT(1), P.FAPPNT(2), P.FAPPNT(3)};
    SpanWarning warn;
    warn.IOSCRN = P.EDUNIT;
    warn.TENDON_FLG = P.TENDON_FLG;
    const bool buoy = P.IARCO == 1;
    const std::int32_t h = P.HAWSLN;
    const bool hawser = buoy && h >= 1 && h <= std::min<std::int32_t>(NLIN, lincom_lines);
    const PointLineOptions line_options{user_file_kind, 'A', false};
    OffsetTableRecords& rec = C.records;

    std::array<float, 6> XVEC{};
    C.NOFF = buoy_cycle_phases;
    for (std::int32_t I = 1; I <= buoy_cycle_phases; ++I) {
        const auto at = slot(I);
        // The wave force at this phase added to the mean load.
        std::array<float, 6> FEXT = phase_load(I, F, amplitude, mean);
        const std::span<float, 3> frcvec(&C.FRCVEC[3 * at], 3);
        const std::span<float, 3> trqvec(&C.TRQVEC[3 * at], 3);
        UNITIZ(std::span<const float, 3>(FEXT.data(), 3), frcvec);
        UNITIZ(std::span<const float, 3>(FEXT.data() + 3, 3), trqvec);

        const LineResults columns{point_column(T.TOPTH, I),  point_column(T.TOPTZ, I),
                                  point_column(T.TOPTT, I),  point_column(T.TOPAN, I),
                                  point_column(T.BOTLIN, I), point_column(T.BOTAN, I),
                                  point_column(T.LINERG, I)};
        EquilibriumResult result;
        EQFND2(FEXT, XVEC, I, columns, result, frame, C.QUITFG, 1, NLIN, warn);
        if (result.ITFAIL)
            record_equilibrium_failure(I, rec.FRSTFL, rec.ITFLWN, rec.NITRFL, P.EDUNIT);
        const SixDofLoads& q = result.loads;

        const std::array<float, 3> FG = {q.FGXMOR, q.FGYMOR, q.FGZMOR};
        const float PARFRC = DOTP(frcvec, FG);
        // Rounding must not make the square under the root negative.
        const float PERPFC =
            std::sqrt(std::max(DOTP(FG, FG) - PARFRC * PARFRC, 0.0f)); // across the force
        const float FCVAL = VMOD(std::span<const float, 3>(FEXT.data(), 3));
        const float TQVAL = VMOD(std::span<const float, 3>(FEXT.data() + 3, 3));
        const float SRGFRC = above(q.FVXMOR, 0.01f);
        const float SWYFRC = above(q.FVYMOR, 0.01f);
        const float HVFRC = above(q.FVZMOR, 0.01f);
        const float TVXTMP = above(q.TVXMOR, 0.1f);
        const float TVYTMP = above(q.TVYMOR, 0.1f);
        const float TVZTMP = above(q.TVZMOR, 0.1f);

        // The offsets the tables are printed against.
        T.OFFVAL[at] = static_cast<float>(I);
        T.BYOFF[at] =
            buoy ? std::sqrt(XVEC[0] * XVEC[0] + XVEC[1] * XVEC[1]) : static_cast<float>(I);

        // The lines, the anchor loads the search does not give, and the rows.
        const std::int32_t NBIGLD =
            point_line_states(T, I, line_options, rec.OVRFLO, rec.BADLIN, rec.NOVFLO);
        most_exposed_rows(T, I, NBIGLD, PARFRC, q.ERGMOR);
        if (hawser) {
            const float ERGHWS = point_column(T.LINERG, I)[slot(h)];
            hawser_data_row(T, I, h);
            const auto at = [&](OffsetTable& table) { return point_column(table, I)[slot(h)]; };
            fill_rows(T.HWSERG, I,
                      {LINCOM.RANCP(h), at(T.TOPTT), at(T.TOPTH), at(T.TOPTZ), ERGHWS,
                       q.ERGMOR - ERGHWS, q.ERGMOR});
        }
        constexpr float deg = degrees_per_radian;
        fill_rows(T.EQLDAT, I,
                  {FCVAL, TQVAL, XVEC[0], XVEC[1], XVEC[2], q.PITANG * deg, q.ROLANG * deg,
                   q.YAWANG * deg});
        fill_rows(T.XCPLAR, I, {PARFRC, TVXTMP, TVYTMP, TVZTMP, PERPFC, SRGFRC, SWYFRC, HVFRC});

        if (C.QUITFG > 0) {
            C.NOFF = I;
            break;
        }
    }
    return cycle;
}

void write_buoy_wave_cycle(const BuoyWaveCycle& C) {
    const OffsetTables& T = C.T;
    const bool buoy = TPCM.IARCO == 1;
    struct Item {
        bool wanted;
        std::int32_t IDENT;
        const OffsetTable& table;
        bool buoy_offsets; // printed against BYOFF rather than OFFVAL
    };
    const Item items[] = {
        {true, 99, T.MSTEXP, false}, {true, 95, T.EQLDAT, false}, {buoy, 97, T.HWSDAT, true},
        {true, 96, T.SYSERG, true},  {buoy, 94, T.HWSERG, true},  {true, 98, T.XCPLAR, false},
        {true, 1, T.TOPTT, false},   {true, 3, T.TOPTZ, false},   {true, 12, T.LINERG, false},
    };
    OffsetReportInputs inputs;
    inputs.RVES = {EQUILB.RVES(1), EQUILB.RVES(2), EQUILB.RVES(3)};
    if (TPCM.HAWSTP >= 1 && TPCM.HAWSTP <= lincom_types)
        inputs.hawser_length = LINCOM.TOTLN(TPCM.HAWSTP);
    const std::array<float, 3> ROTCTR = {TPCM.ROTCTX, TPCM.ROTCTY, TPCM.ROTCTZ};
    const OffsetReportOptions options = offset_report_options();
    // Printed as user-file offsets of repetition 1, matched-fit offset box, no initial offset,
    // every row (no cut at the first row out of range).
    constexpr std::int32_t IREP = 1, AUXDSP = 0, MTCHFT = 1, NOCUT = 1;
    for (const Item& item : items) {
        if (!item.wanted)
            continue;
        std::int32_t NROW = C.NOFF;
        TBLOT1(item.buoy_offsets ? T.BYOFF : T.OFFVAL, item.table, item.IDENT, user_file_kind, IREP,
               C.NPAG, C.records, AUXDSP, MTCHFT, NOCUT, ROTCTR, NROW, options, inputs);
    }
}

void BUYDYN(float FXXTRN, float FYXTRN, float FZXTRN, float TXXTRN, float TYXTRN, float TZXTRN) {
    const auto cycle = buoy_wave_cycle(FXXTRN, FYXTRN, FZXTRN, TXXTRN, TYXTRN, TZXTRN);
    write_buoy_wave_cycle(*cycle);
}

} // namespace lintar
