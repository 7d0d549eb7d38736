// Benchmark of section V of the low-frequency report: the three single-amplitude pages of a
// spread-moored ship (English units, wind, current, sea, swell, a second swell and one user
// force), every excursion carried onto a 90-point hardening energy curve by NLNCOR. The page
// file is written anew in a temporary folder at each iteration.
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/tpcm.h"
#include "low_frequency/mode_pages.h"
#include "low_frequency/report_context.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <benchmark/benchmark.h>

namespace lintar {
namespace {

void spread_ship_modes() {
    reset_program_state();
    TpcmBlock& T = TPCM;
    T.NUNTS = 0;
    T.SIMTYP = 12;
    T.IUNIT = 1;
    T.EDUNIT = screen_unit;
    T.NUMTAB = 90;
    T.LWIND = T.LCURNT = T.LRANDM = T.LSWELL = T.LSWEL2 = T.AUXFRC = 1;
    T.WNDTYP = T.CURTYP = 1;
    T.DURATN = 3.0f;
    T.XTRMFL = 1;
    ErgcomBlock& C = ERGCOM;
    for (int i = 1; i <= energy_curve_points; ++i) {
        const double u = i - 45;
        const auto e =
            static_cast<float>(u < 0.0 ? 0.5 * u * u : 0.5 * u * u + 0.0025 * u * u * u * u);
        C.PENFUN(i) = C.SWYERG(i) = C.YAWERG(i) = e;
    }
    C.DXSRG = C.DYSWY = 1.0f;
    C.DZYAW = 0.01f;
    C.SPRNGX_L = C.SPRNGY_L = 1.0f;
    C.SPRNGZ_L = 10000.0f;
    C.SRGOFF = 6.5f;
    C.SWYOFF = -3.25f;
    C.YAWOFF = 0.035f;
    for (int g = lf_surge; g <= lf_yaw; ++g) {
        const float scale = g == lf_yaw ? 1.0e-5f : 1.0f;
        for (int w = 1; w <= lf_group_words; ++w)
            EQUILB.LFSTAT(w, g) = 0.01f * static_cast<float>(w);
        for (const LfWord v :
             {VARWND, VARCUR, VARWAV, VARSWL, VWVDG, VSWDG, VR1UF1, VARSWL_2, VSWDG_2})
            EQUILB.LFSTAT(v.w, g) = 0.5f * scale;
        EQUILB.LFSTAT(VARTOT.w, g) = 20.0f * scale;
        EQUILB.LFSTAT(FSGPK.w, g) = 3.0f;
        EQUILB.LFSTAT(FSGPQ.w, g) = 2.8f;
        EQUILB.LFSTAT(PK_SURG_SIDE.w, g) = 1.0f;
    }
    convert_mode_statistics(low_report_flags());
}

void BM_ModePages(benchmark::State& state) {
    const testing::ScratchFolder folder;
    const testing::ScriptedConsole console;
    spread_ship_modes();
    const LowReportFlags flags = low_report_flags();
    for (auto _ : state) {
        open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted);
        benchmark::DoNotOptimize(write_mode_pages(flags));
        close_unit(1);
    }
}
BENCHMARK(BM_ModePages)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lintar
