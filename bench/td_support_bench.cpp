// Benchmarks of the mooring side of the squall program's support data: the whole mooring force
// map (35,937 points) of 150 lines on a freely turning turret, each point with its turret root
// search; and one point of the damping maps for 12 lines on 30 wave periods: the mean line
// shapes, three quadratic line dampings (QDAMP), the motion run with its "LINEANG" file and
// three wave-frequency line dampings (LDAMP). Runs in a temporary folder; the console is
// discarded.
#include "blocks/equilb.h"
#include "blocks/himem.h"
#include "blocks/lincom.h"
#include "blocks/outcom.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "datafile/new_file_defaults.h"
#include "motions/response_indices.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "support/console.h"
#include "support/damping_fixture.h"
#include "support/fake_hull_model.h"
#include "td_support/force_map.h"
#include "td_support/net_line_damping.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <complex>
#include <vector>

namespace lintar {
namespace {

constexpr double pi = 3.14159265358979323846;

// The damping fixture's line type (three sublines of an inextensible hanging line, its tables
// on 16 loads 50 to 200 in one layer row), and nlines lines of it from fairleads on a circle of
// radius r about (xc, 0), each pulling radially outward at the distance of table point 8. The
// lines are laid out here rather than at the fixture's four fairleads because the benchmarks
// time the maps of 12 and 150 lines.
void build_lines(int nlines, double xc, double r) {
    TpcmBlock& T = TPCM;
    const float anchor_distance = testing::fill_damping_line_type();
    T.NLINE(1) = nlines; // every line is of the one type
    T.NTYP = 1;
    T.NLIN = nlines;
    LINCOM.ZDIST_ARR(1) = 1.0f;
    for (int i = 1; i <= nlines; ++i) {
        const double a = 2.0 * pi * (i - 0.5) / nlines;
        T.RFLD(1, i) = static_cast<float>(xc + r * std::cos(a));
        T.RFLD(2, i) = static_cast<float>(r * std::sin(a));
        T.RFLD(3, i) = 0.0f;
        T.ANGDEP(i) = static_cast<float>(a * 180.0 / pi);
        if (i <= 149) { // the motion points (149 at most) are the fairleads
            T.RACC(1, i) = T.RFLD(1, i);
            T.RACC(2, i) = T.RFLD(2, i);
            T.RACC(3, i) = 10.0f;
        }
        LINCOM.LINEID(i) = 1;
        LINCOM.RANC(i) = anchor_distance;
        OUTCOM.DZTOTL(i, 4, 1) = 400.0f;
    }
}

// A temporary working folder, the console discarded, the program state fresh.
struct Workspace {
    testing::ScratchFolder folder;
    testing::ScriptedConsole console{std::string(1000, '\n')};
    testing::DecayingRaoHull hull;

    Workspace() {
        new_file_defaults(8, tpcm_word_count);
        TPCM.NTOGO = tpcm_word_count;
        TPCM.SIMTYP = 8;
        TPCM.EDUNIT = screen_unit;
    }
};

void BM_ForceMapFreeTurret(benchmark::State& state) {
    Workspace w;
    build_lines(150, 80.0, 15.0);
    TPCM.XSALM = 80.0f;
    TPCM.LSPM = 1;
    TPCM.LOCK_TRT = 0;
    EQUILB.YAWARM = 80.0f;
    EQUILB.TRTNG0 = 0.0f;
    // The map's offsets shift the loads within the tables: 0.5 m steps.
    const MapMooring m = map_mooring_of_blocks();
    for (auto _ : state) {
        open_unit(1234, "Moor_Force_Map.vkdt", OpenStatus::replace, FileForm::formatted);
        open_unit(1259, "OneLine_Force_Map.vkdt", OpenStatus::replace, FileForm::formatted);
        float TRTNGL = 0.0f;
        std::int32_t seconds = 0;
        GET_MOOR_FORCES_MAP(screen_unit, 1234, 1259, m, TRTNGL, 16.0f, 16.0f, false, seconds);
        close_unit(1234);
        close_unit(1259);
    }
    state.counters["points"] = 35937;
}
BENCHMARK(BM_ForceMapFreeTurret)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_DampingMapPoint(benchmark::State& state) {
    Workspace w;
    TpcmBlock& T = TPCM;
    constexpr int periods = 30;
    T.NWP = periods;
    for (int k = 1; k <= periods; ++k)
        T.T(k) = 4.0f + 0.5f * static_cast<float>(k - 1);
    testing::fill_metric_ship(1000.0f);
    T.VKG = 12.0f;
    // The damping fixture's sea, on a grid of 30 periods (the fixture's tests use a few) and the
    // new-file hull drift (code 1; the fixture asks for the wall-sided one).
    testing::fill_damping_sea();
    T.IVESL(1) = 12;
    build_lines(12, 0.0, 20.0);
    std::vector<float> RANCHR(150, 0.0f), ANGDPR(150, 0.0f), ZANCHR(150, 0.0f);
    for (int i = 1; i <= 12; ++i) {
        RANCHR[static_cast<std::size_t>(i - 1)] = LINCOM.RANC(i);
        ANGDPR[static_cast<std::size_t>(i - 1)] = T.ANGDEP(i);
    }
    const std::array<float, 3> VESLOC{0.0f, 0.0f, 0.0f};
    for (auto _ : state) {
        for (const int unit : {1233, 1255, 1256, 1258})
            open_unit(unit, "map" + std::to_string(unit), OpenStatus::replace, FileForm::formatted);
        GET_NET_LF_LINES_QUAD_DAMP(0.0f, 0.0f, 0.0f, 1256, 1258, RANCHR, ANGDPR, ZANCHR, VESLOC,
                                   0.0f);
        GET_NET_WF_DAMP(0.0f, 0.0f, 0.0f, 1233, 1255, RANCHR, ANGDPR, ZANCHR, false, VESLOC);
        for (const int unit : {1233, 1255, 1256, 1258})
            close_unit(unit);
    }
}
BENCHMARK(BM_DampingMapPoint)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
