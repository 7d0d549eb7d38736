// Benchmark of one LOWLOD call for 150 lines (a spread of one line type on a linear table,
// anchors round a 1000 ft circle, the surge statistics of one load component) with sections
// VIa and VIb written to a report file, no two-body runs.
#include "blocks/equilb.h"
#include "blocks/ergcom.h"
#include "blocks/lf_mode_record.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "low_frequency/low_frequency_loads.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace lintar {
namespace {

void build_case() {
    reset_program_state();
    TpcmBlock& T = TPCM;
    T.EDUNIT = screen_unit;
    T.IUNIT = 1;
    T.NUMTAB = 12;
    T.NLAYER = 3;
    T.NLIN = 150;
    T.TLOAD = 2200.0f;
    T.LOWMOT = 1;
    T.ONETWO = 1;
    T.SIMTYP = 8;
    LINCOM.MIDLYR = 2;
    for (int k = 1; k <= 12; ++k) {
        const float H = 200.0f * static_cast<float>(k - 1);
        LINCOM.HLOD(k) = H;
        for (int L = 1; L <= 3; ++L) {
            LINCOM.ANCDST(k, L, 1) = 900.0f + H / 10.0f;
            LINCOM.TOPTEN(k, L, 1) = H + 250.0f;
            LINCOM.TOPANG(k, L, 1) = 0.5f;
            LINCOM.BOTANG(k, L, 1) = 0.05f;
            LINCOM.BOTLEN(k, L, 1) = 600.0f - H / 4.0f;
            LINCOM.FFRICT(k, L, 1) = 0.03f * H;
        }
    }
    EQUILB.RVES(1) = 20.0f;
    EQUILB.YCGVAR() = 10.0f;
    for (int i = 1; i <= 150; ++i) {
        const double a = 2.0 * std::numbers::pi * (i - 1) / 150.0;
        LINCOM.LINEID(i) = 1;
        LINCOM.RANC(i) = 1000.0f;
        T.ANGDEP(i) = static_cast<float>(a * 180.0 / std::numbers::pi);
        const double vx = 1000.0 * std::cos(a) - 20.0, vy = 1000.0 * std::sin(a) - 10.0;
        LINCOM.RANCP(i) = static_cast<float>(std::hypot(vx, vy));
        LINCOM.ANGDPP(i) = static_cast<float>(
            std::fmod(std::atan2(vy, vx) * 180.0 / std::numbers::pi + 360.0, 360.0));
        OUTCOM.DZTOTL(i, 4, 1) = 300.0f;
    }
    ERGCOM.DXSRG = ERGCOM.DYSWY = ERGCOM.DZYAW = 1.0f;
    ERGCOM.SPRNGX = ERGCOM.SPRNGY = ERGCOM.SPRNGZ = 22.0f;
    for (int k = 1; k <= 12; ++k) {
        const float x = static_cast<float>(k - 6);
        ERGCOM.PENFUN(k) = ERGCOM.SWYERG(k) = ERGCOM.YAWERG(k) = 11.0f * x * x;
    }
    ERGCOM.SRGOFF = 20.0f;
    EQUILB.FXENV = EQUILB.SXWND = 400.0f;
    lf(VARTOT) = lf(VARWND) = 1.0f;
    lf(FSGPK) = lf(FSGPQ) = 3.0f;
    lf(FSGPKM) = lf(FSGPQM) = 2.0f;
    lf(FSGPKS) = lf(FSGPQS) = 4.0f;
    lf(PK_SURG_SIDE) = lf(PK_SWAY_SIDE) = lf(PK_YAW_SIDE) = 1.0f;
}

void BM_LowlodOneCall(benchmark::State& state) {
    const testing::ScratchFolder folder;
    for (auto _ : state) {
        state.PauseTiming();
        build_case();
        open_unit(1, "LOWOUT.stxt", OpenStatus::replace, FileForm::formatted);
        state.ResumeTiming();
        LOWLOD();
        state.PauseTiming();
        close_unit(1);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LowlodOneCall)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
