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

// An inextensible line of length L and submerged weight w hanging over a fairlead height h
// (fully suspended): its horizontal span and top slope at horizontal load H.
struct HangingLine {
    double L = 1200.0;
    double w = 0.8;
    double h = 400.0;
    double rise(double H, double q) const {
        const double qb = q - L * w / H;
        return H / w * (std::sqrt(1.0 + q * q) - std::sqrt(1.0 + qb * qb));
    }
    double top_slope(double H) const {
        double lo = -50.0, hi = 50.0;
        for (int n = 0; n < 200; ++n) {
            const double mid = 0.5 * (lo + hi);
            (rise(H, mid) < h ? lo : hi) = mid;
        }
        return 0.5 * (lo + hi);
    }
    double span(double H, double q) const {
        return H / w * (std::asinh(q) - std::asinh(q - L * w / H));
    }
};

// Line type 1 as three sublines of the hanging line, its tables on 16 loads 50 to 200 in one
// layer row, and nlines lines of it from fairleads on a circle of radius r about (xc, 0),
// each pulling radially outward at the distance of table point 8.
void build_lines(int nlines, double xc, double r) {
    const HangingLine line;
    TpcmBlock& T = TPCM;
    T.NELEM(1) = 3;
    T.NLINE(1) = nlines;
    T.ANCTYP(1) = 0;
    for (int e = 1; e <= 3; ++e) {
        T.SLEN(e, 1) = 400.0f;
        T.WETWT(e, 1) = 0.8f;
        T.DIAM(e, 1) = 76.0f;
        T.COFMST(e, 1) = 1.0f;
        T.COFDMT(e, 1) = 1.2f;
    }
    T.NUMTAB = 16;
    T.NLAYER = 1;
    T.ZSPAN = 0.0f;
    T.NTYP = 1;
    T.NLIN = nlines;
    T.ANCHGT(1) = 400.0f;
    T.LINTYP(1, 1) = 1;
    LINCOM.MIDLYR = 1;
    LINCOM.DLAYER = 10.0f;
    LINCOM.DSLOPE = 0.0;
    LINCOM.TOTLN(1) = 1200.0f;
    LINCOM.TOTWT(1) = 960.0f;
    for (int k = 1; k <= 16; ++k) {
        const double H = 50.0 + 10.0 * (k - 1);
        const double q = line.top_slope(H);
        LINCOM.HLOD(k) = static_cast<float>(H);
        LINCOM.ANCDST(k, 1, 1) = static_cast<float>(line.span(H, q));
        LINCOM.TOPTEN(k, 1, 1) = static_cast<float>(H * std::sqrt(1.0 + q * q));
        LINCOM.TOPANG(k, 1, 1) = static_cast<float>(std::atan(q));
    }
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
        LINCOM.RANC(i) = LINCOM.ANCDST(8, 1, 1);
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
    T.NUNTS = 1;
    T.DEPTH = 1000.0f;
    T.DWATR = 1025.0f;
    T.DRAFT = 10.0f;
    T.LWL = 200.0f;
    T.BWL = 32.0f;
    T.VKG = 12.0f;
    T.VESTYP = 1;
    T.SEMI_LIKE = 0;
    T.NEGSUM = 1;
    T.hideOrmanelReports = 1;
    T.LRANDM = 1;
    T.WAVTYP = 1;
    T.SWHT(1) = 4.0f;
    T.SIGPD(1) = 10.0f;
    T.NSEAHT = 1;
    T.NSEAHG = 1;
    T.SEAHDG(1) = 0.0f;
    T.NDIR = 1;
    T.DURATN = 3.0f;
    for (int d = 1; d <= 6; ++d)
        T.MOTION(d) = 1;
    T.ISPM = 4;
    T.IVESL(1) = 12;
    WAVCOM.G = 9.8f;
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
