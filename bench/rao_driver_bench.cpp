// Benchmark of the RAO driver VESL2 at its largest: 498 relative headings (one short-crested
// sea of 497 heading steps half a degree apart), 100 wave periods 3 to 33 s, the RAOs from a
// user file, the statistics of every heading, and accelerations, velocities and displacements
// at 20 points; reports and motion files off.
//
// The run is split by what it does: the whole driver; the driver without the point motions
// (so the difference is their cost); one STAT1 call of the six motions; and one ACCOUT call of
// 20 points of each kind with its statistics. Runs in a temporary folder; the console is
// discarded.
#include "blocks/himem.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "datafile/new_file_defaults.h"
#include "motions/point_motions.h"
#include "motions/rao_driver.h"
#include "motions/response_indices.h"
#include "motions/response_statistics.h"
#include "motions/wave_setup.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/fake_hull_model.h"
#include "support/motion_fixture.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <vector>

namespace lintar {
namespace {

constexpr int periods = 100;
constexpr int motion_points = 20;

// "USERRAOS.txt": 22 frequencies 0.1 to 2.2 rad/s over 9 headings 0 to 360 degrees, all six
// motions non-zero, varying with frequency and heading.
void write_user_raos() {
    std::ofstream file("USERRAOS.txt");
    file << "22 9\n";
    for (int h = 0; h < 9; ++h) {
        const double heading = 45.0 * h;
        const double a = heading / 57.295776;
        file << heading << '\n';
        for (int f = 1; f <= 22; ++f) {
            const double w = 0.1 * f;
            const double decay = 1.0 / (1.0 + w * w);
            file << w;
            for (int d = 1; d <= 6; ++d)
                file << ' ' << decay * std::cos(a + d) << ' ' << 0.1 * d * decay * std::sin(a);
            file << '\n';
        }
    }
}

// The data image: metric, a 200 m displacement hull of 10 m draft in 1000 m of water, the
// period grid, a Pierson-Moskowitz sea of 4 m and 10 s spread over 248.5 degrees in 497
// steps, user RAOs, 20 points along the deck, all three point passes, no reports.
void large_motion_run() {
    new_file_defaults(8, tpcm_word_count);
    TPCM.NTOGO = tpcm_word_count;
    TPCM.SIMTYP = 8;
    TPCM.EDUNIT = screen_unit;
    TPCM.NWP = periods;
    for (int k = 1; k <= periods; ++k)
        TPCM.T(k) = 3.0f + 30.0f * static_cast<float>(k - 1) / (periods - 1);
    testing::fill_metric_ship(1000.0f);
    TPCM.VKG = 12.0f;
    TPCM.ISPM = 0;
    TPCM.IUNIT = 1;
    TPCM.NEGSUM = 1;
    TPCM.hideOrmanelReports = 1;
    TPCM.IPLOTS = 0;
    TPCM.NDIR = 0;
    TPCM.LRANDM = 1;
    TPCM.WAVTYP = 1;
    TPCM.SWHT(1) = 4.0f;
    TPCM.SIGPD(1) = 10.0f;
    TPCM.NSEAHT = 1;
    TPCM.NSEAHG = 1;
    TPCM.SEAHDG(1) = 0.0f;
    TPCM.LSPRED = 1;
    TPCM.NA = 497;
    TPCM.ANGSEC = 248.5f;
    TPCM.COSEXP = 2.0f;
    for (int d = 1; d <= 6; ++d)
        TPCM.MOTION(d) = 1;
    VESL1();
    TPCM.AUXVSH = 1;
    TPCM.IVESL(1) = motion_points;
    for (int i = 1; i <= motion_points; ++i) {
        TPCM.RACC(1, i) = -95.0f + 10.0f * static_cast<float>(i - 1);
        TPCM.RACC(2, i) = i % 2 == 0 ? 16.0f : -16.0f;
        TPCM.RACC(3, i) = 18.0f;
    }
    TPCM.LACC = 1;
    TPCM.LVEL = 1;
    TPCM.LDSP = 1;
}

// The benchmark's folder, discarded console and stand-in hull model, which gives the set-up its
// natural frequencies and leaves the RAOs to the user file.
struct BenchFolder {
    testing::ScratchFolder folder;
    testing::ScriptedConsole console{std::string(1000, '\n')};
    testing::StandInHull hull;
    BenchFolder() {
        write_user_raos();
        large_motion_run();
    }
};

void BM_Vesl2(benchmark::State& state) {
    BenchFolder folder;
    const bool point_passes = state.range(0) != 0;
    if (WAVCOM.NRAO != 498) {
        state.SkipWithError("the set-up did not give 498 headings");
        return;
    }
    if (!point_passes)
        TPCM.LACC = TPCM.LVEL = TPCM.LDSP = 0;
    for (auto _ : state) {
        VESL2();
        benchmark::DoNotOptimize(HIMEM.RLDUM(HIMEM.LCNDSP));
    }
    state.counters["headings"] = WAVCOM.NRAO;
    state.counters["periods"] = TPCM.NWP;
}
BENCHMARK(BM_Vesl2)->Arg(1)->Arg(0)->ArgName("points")->Unit(benchmark::kMillisecond);

// One STAT1 call: the six motion responses of one heading under the spread sea.
void BM_Stat1(benchmark::State& state) {
    BenchFolder folder;
    VESL2(); // the last heading's RAOs in the columns
    HimemBlock& H = HIMEM;
    WAVCOM.IRAO = WAVCOM.NRAO;
    H.LSKIP = 0;
    H.LFRFLG = 0;
    H.LOCSIG = H.LCNMOT;
    for (auto _ : state) {
        STAT1();
        benchmark::DoNotOptimize(H.RLDUM(H.LCNMOT));
    }
}
BENCHMARK(BM_Stat1)->Unit(benchmark::kMicrosecond);

// One ACCOUT call of 20 points (ten groups, each with its STAT1) of each kind.
void BM_Accout(benchmark::State& state) {
    BenchFolder folder;
    VESL2();
    HimemBlock& H = HIMEM;
    WAVCOM.IRAO = WAVCOM.NRAO;
    H.LSKIP = 0;
    H.LFRFLG = static_cast<std::int32_t>(state.range(0));
    H.LOCSIG = H.LFRFLG == 2 ? H.LCNACC : H.LFRFLG == 3 ? H.LCNVEL : H.LCNDSP;
    const std::vector<float> points(TPCM.RACC_words, TPCM.RACC_words + 3 * motion_points);
    for (auto _ : state) {
        ACCOUT(motion_points, points);
        benchmark::DoNotOptimize(H.RLDUM(H.LOCSIG));
    }
}
BENCHMARK(BM_Accout)->Arg(2)->Arg(3)->Arg(4)->ArgName("kind")->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lintar
