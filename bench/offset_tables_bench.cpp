// Benchmark of the offset-table analysis CATTBL on a large case: 150 chain-wire-chain lines of
// three line types spread round a tanker in 150 m of water, 7 layer rows, and every sequence
// kind at its largest: 10 lateral directions, both yaw senses, 10 oblique rotation axes, the
// vertical sequence, 10 oblique rectilinear directions, an "INPUTOFF.txt" of 10 blocks, 10 force
// directions and 10 couple axes, 50 points each. The report goes to "OFFSETS.stxt".
//
// The run is split by what it does: the table build (MRSTAT), the evaluation of every point
// with the report cut to its one compulsory table, the same with both stiffness matrices in
// single and in double precision, and the whole report on top. Runs in a temporary folder; the
// console is discarded.
#include "blocks/equilb.h"
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "datafile/new_file_defaults.h"
#include "equilibrium/static_equilibrium.h"
#include "lines/line_tables.h"
#include "offsets/offset_tables.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <memory>

namespace lintar {
namespace {

constexpr int lines = 150;
constexpr int points = 50;

// The mooring: metric units, tanker of 15 m draft, lines in three (equal) types of 50,
// azimuths 2.4 degrees apart, fairleads on an ellipse round the hull: symmetric, so the
// still-water state is the start.
void large_mooring() {
    new_file_defaults(8, tpcm_word_count);
    TPCM.NTOGO = tpcm_word_count;
    TPCM.SIMTYP = 8;
    TPCM.EDUNIT = screen_unit;
    TPCM.NUNTS = 1;
    TPCM.IUNIT = 1;
    TPCM.STAMOT = 0;
    TPCM.IPLOTS = 0;
    TPCM.LQUAS = 1;
    TPCM.LRESET = 0;
    TPCM.DEPTH = 150.0f;
    TPCM.DRAFT = 15.0f;
    TPCM.DWATR = 1.025f;
    TPCM.DISPL = 150000.0f;
    TPCM.AWP = 10700.0f;
    TPCM.VKG = 12.5f;
    TPCM.VKMT = 19.5f;
    TPCM.VKML = 341.0f;
    TPCM.LWL = 265.0f;
    TPCM.BWL = 46.0f;
    TPCM.NLAYER = 7;
    TPCM.NUMTAB = 90;
    TPCM.TLOAD = 500.0f;
    TPCM.HMIN = 1.0f;
    TPCM.LODTYP = 2;
    TPCM.BTFRC0 = 1.0f;
    TPCM.ANCDEF = 1;
    TPCM.ANCHT0 = 150.0f;
    TPCM.MAXELM = 25;
    TPCM.MAXLIN = 149;
    TPCM.MAXTYP = 149;
    TPCM.NTYP = 3;
    TPCM.NLIN = lines;
    TPCM.HAWSLN = lines;
    for (int t = 1; t <= 3; ++t) {
        TPCM.NELEM(t) = 3;
        TPCM.NLINE(t) = lines / 3;
        TPCM.ANCTYP(t) = 1;
        TPCM.ANCHGT(t) = 150.0f;
        const float length[] = {100.0f, 600.0f, 600.0f};
        const float wet[] = {1.2046f, 0.3376f, 1.2046f}; // kN/m: 84 mm chain, 89 mm wire
        const float alpha[] = {1.6e-6f, 1.5e-6f, 1.6e-6f};
        for (int e = 1; e <= 3; ++e) {
            TPCM.SLEN(e, t) = length[e - 1];
            TPCM.WETWT(e, t) = wet[e - 1];
            TPCM.DRYWT(e, t) = wet[e - 1] * 1.15f;
            TPCM.ALPHA(1, e, t) = alpha[e - 1];
            TPCM.COFMST(e, t) = 1.0f;
        }
        for (int k = 1; k <= lines / 3; ++k)
            TPCM.LINTYP(k, t) = (t - 1) * (lines / 3) + k;
    }
    for (int i = 1; i <= lines; ++i) {
        const float azimuth = 2.4f * static_cast<float>(i - 1);
        const float a = azimuth / 57.295776f;
        TPCM.ANGDEP(i) = azimuth;
        TPCM.RFLD(1, i) = 120.0f * std::cos(a);
        TPCM.RFLD(2, i) = 21.0f * std::sin(a);
        TPCM.RFLD(3, i) = 10.0f;
        TPCM.HTENS(i) = 1000.0f;
    }
}

// Every sequence kind at its largest.
void every_sequence() {
    TPCM.NLAT = 10;
    TPCM.NOFFL = points;
    TPCM.NYAW = 2;
    TPCM.PHIY(1) = -1.0f;
    TPCM.PHIY(2) = 1.0f;
    TPCM.NOFFY = points;
    TPCM.NOBLDR = 10;
    TPCM.NOFFOB = points;
    TPCM.NVERT = points;
    TPCM.NRCTDR = 10;
    TPCM.NRCTOF = points;
    TPCM.FROMTABLE = 1;
    TPCM.NFCDIR = 10;
    TPCM.NFCOFF = points;
    TPCM.NTQDIR = 10;
    TPCM.NTQOFF = points;
    TPCM.MTCHFT = 0;
    TPCM.FAPPNT(3) = 12.5f;
    for (int k = 1; k <= 10; ++k) {
        const float a = 36.0f * static_cast<float>(k - 1) / 57.295776f;
        TPCM.PHIL(k) = 36.0f * static_cast<float>(k - 1);
        TPCM.OBLVEC(1, k) = std::cos(a);
        TPCM.OBLVEC(2, k) = std::sin(a);
        TPCM.OBLVEC(3, k) = 0.5f;
        TPCM.OBLPTY(k) = 1.0f;
        TPCM.RCTDIR(1, k) = std::cos(a);
        TPCM.RCTDIR(2, k) = std::sin(a);
        TPCM.RCTDIR(3, k) = 0.1f;
        TPCM.FRCVEC(1, k) = std::cos(a);
        TPCM.FRCVEC(2, k) = std::sin(a);
        TPCM.TRQVEC(3, k) = 1.0f;
    }
    for (int i = 1; i <= points; ++i) {
        const float s = static_cast<float>(i - 1);
        TPCM.OFFL(i) = 0.4f * s;
        TPCM.OFFY(i) = 0.1f * s;
        TPCM.OBLOFF(i) = 0.02f * s;
        TPCM.VRTOFF(i) = 0.05f * s;
        TPCM.RCTOFF(i) = 0.4f * s;
        TPCM.FRCOFF(i) = 40.0f * s;
        TPCM.TRQOFF(i) = 2000.0f * s;
    }
    TPCM.EPSDST = 0.1f;
    TPCM.EPSDEG = 0.1f;
}

// "INPUTOFF.txt": 10 blocks of 50 rows along ten directions.
void write_user_offsets() {
    std::ofstream file("INPUTOFF.txt");
    file << 10 << '\n';
    for (int b = 1; b <= 10; ++b) {
        file << points << '\n';
        const double a = 36.0 * (b - 1) / 57.295776;
        for (int i = 1; i <= points; ++i) {
            const double d = 0.4 * (i - 1);
            file << d * std::cos(a) << ' ' << d * std::sin(a) << " 0 0 0 0\n";
        }
    }
}

void set_report_tables(bool all) {
    const std::int32_t on = all ? 1 : 0;
    for (std::int32_t* flag : {&TPCM.NTO, &TPCM.NHO, &TPCM.NVO, &TPCM.NTA, &TPCM.NHA, &TPCM.NVA,
                               &TPCM.NSL, &TPCM.NDA, &TPCM.NBA, &TPCM.NBL, &TPCM.NANCD,
                               &TPCM.NDEPAN, &TPCM.NERGAN, &TPCM.NCRS, &TPCM.NETFV, &TPCM.NETFG})
        *flag = on;
}

// The benchmark's folder and discarded console.
struct BenchFolder {
    testing::ScratchFolder folder;
    // Returns for any pause (a tension warning, say) the run may make.
    testing::ScriptedConsole console{std::string(100000, '\n')};
    BenchFolder() { write_user_offsets(); }
};

void BM_OffsetTableBuild(benchmark::State& state) {
    BenchFolder folder;
    reset_program_state();
    large_mooring();
    const auto data = std::make_unique<TpcmBlock>(TPCM);
    for (auto _ : state) {
        TPCM = *data;
        MRSTAT();
        benchmark::DoNotOptimize(LINCOM.ANCDST_words);
    }
    reset_program_state();
}
BENCHMARK(BM_OffsetTableBuild)->Unit(benchmark::kMillisecond);

// CATTBL with the stiffness as range(0) asks: 0 none, 1 single precision, 2 double precision;
// range(1) 1 writes every report table, 0 only the compulsory one.
void BM_Cattbl(benchmark::State& state) {
    BenchFolder folder;
    reset_program_state();
    large_mooring();
    every_sequence();
    TPCM.NSTIFG = TPCM.NSTIFV = state.range(0) > 0 ? 1 : 0;
    TPCM.DPMTRX = state.range(0) == 2 ? 1 : 0;
    set_report_tables(state.range(1) == 1);
    MRSTAT();
    QSTAT();
    const auto data = std::make_unique<TpcmBlock>(TPCM);
    const EquilbBlock start = EQUILB;
    for (auto _ : state) {
        TPCM = *data;
        EQUILB = start;
        CATTBL();
    }
    reset_program_state();
}
BENCHMARK(BM_Cattbl)
    ->ArgNames({"stiffness", "report"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({2, 0})
    ->Args({2, 1})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
