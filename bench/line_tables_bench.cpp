// Benchmark of the whole line-table stage MRSTAT on the largest data set the layout holds:
// 150 line types of 25 sublines (one line each), 29 layer rows, 90 table points, no report
// body (STAMOT 0, no plot table; the report file gets its title page), and the same with the
// whole report. Each type is a chain,
// wire and chain line of 2500 m over a solid seabed 300 m down, slightly different per type,
// solved at 150 x 29 x 89 load points. The same line cut into 3 sublines (the usual chain,
// wire, chain) shows how the time follows the subline count. Runs in a temporary folder; the
// console is discarded.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "datafile/new_file_defaults.h"
#include "lines/line_tables.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace lintar {
namespace {

void largest_data_set(int sublines) {
    new_file_defaults(8, tpcm_word_count);
    TPCM.SIMTYP = 8;
    TPCM.EDUNIT = screen_unit;
    TPCM.NUNTS = 1;
    TPCM.IUNIT = 1;
    TPCM.STAMOT = 0;
    TPCM.IPLOTS = 0;
    TPCM.DRAFT = 15.0f;
    TPCM.NLAYER = 29;
    TPCM.ZSPAN = 28.0f;
    TPCM.NUMTAB = 90;
    TPCM.TLOAD = 1000.0f;
    TPCM.HMIN = 1.0f;
    TPCM.LODTYP = 2;
    TPCM.BTFRC0 = 1.0f;
    TPCM.NTYP = 150;
    TPCM.NLIN = 150;
    for (int t = 1; t <= 150; ++t) {
        const float scale = 1.0f + 0.001f * static_cast<float>(t);
        TPCM.NLINE(t) = 1;
        TPCM.LINTYP(1, t) = t;
        TPCM.NELEM(t) = sublines;
        TPCM.ANCTYP(t) = 1;
        TPCM.ANCHGT(t) = 300.0f;
        for (int e = 1; e <= sublines; ++e) {
            // The middle third is wire.
            const bool wire = 3 * e > sublines && 3 * e <= 2 * sublines + 1;
            TPCM.SLEN(e, t) = 2500.0f / static_cast<float>(sublines) * scale;
            TPCM.WETWT(e, t) = wire ? 0.03f : 0.15f;
            TPCM.DRYWT(e, t) = wire ? 0.035f : 0.17f;
            TPCM.ALPHA(1, e, t) = wire ? 2.0e-5f : 1.0e-5f;
            TPCM.COFMST(e, t) = 1.0f;
        }
        TPCM.RFLD(1, t) = 50.0f;
        TPCM.RFLD(3, t) = 10.0f;
        TPCM.ANGDEP(t) = 2.4f * static_cast<float>(t);
        TPCM.HTENS(t) = 150.0f;
    }
}

void BM_MrstatLargestDataSet(benchmark::State& state) {
    const testing::ScratchFolder folder;
    testing::ScriptedConsole console;

    largest_data_set(static_cast<int>(state.range(0)));
    // The report's body as asked: 1 the sections of every type and layer row, 3 with the
    // endpoint tables too.
    TPCM.STAMOT = static_cast<std::int32_t>(state.range(1));
    const auto data = std::make_unique<TpcmBlock>(TPCM);
    for (auto _ : state) {
        TPCM = *data;
        MRSTAT();
        benchmark::DoNotOptimize(LINCOM.ANCDST_words);
        console.clear_screen_text();
    }
    state.counters["solves"] = benchmark::Counter(
        150.0 * 29.0 * 89.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MrstatLargestDataSet)
    ->ArgNames({"sublines", "STAMOT"})
    ->Args({25, 0})
    ->Args({25, 1})
    ->Args({25, 3})
    ->Args({3, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
