// Benchmarks of one line-shape solve (ITER8P), the inner loop of the line tables: a chain,
// wire and chain line touching down, and a taut polyester line with the cubic law. Each solve
// starts from the bracket the table stage hands on from the previous load point (the slope
// there and a quarter of it), and includes the scaling of weights and compliances by the load.
#include "blocks/lincom.h"
#include "blocks/tpcm.h"
#include "lines/catenary_elements.h"
#include "lines/line_shape.h"
#include "runtime/program_state.h"
#include "runtime/units.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace lintar {
namespace {

struct Subline {
    float L, w, a1, a2, a3;
};

// Line type 1 of the given sublines over a solid seabed, in kips and feet.
void define_line(const std::vector<Subline>& line) {
    reset_program_state();
    TPCM.EDUNIT = screen_unit;
    TPCM.NELEM(1) = static_cast<std::int32_t>(line.size());
    TPCM.NLINE(1) = 1;
    TPCM.ANCTYP(1) = 1;
    for (std::size_t e = 0; e < line.size(); ++e) {
        const int i = static_cast<int>(e) + 1;
        TPCM.SLEN(i, 1) = line[e].L;
        TPCM.WETWT(i, 1) = line[e].w;
        TPCM.ALPHA(1, i, 1) = line[e].a1;
        TPCM.ALPHA(2, i, 1) = line[e].a2;
        TPCM.ALPHA(3, i, 1) = line[e].a3;
    }
    LINCOM.ITYP = 1;
    LINCOM.DSLOPE = 0.0;
}

// One solve at horizontal load H over the height ZF from the bracket TOPT1..TOPT2.
void solve(double H, float ZF, float& TOPT1, float& TOPT2) {
    LINCOM.DPHLD = H;
    LINCOM.DELTAZ = ZF;
    SCLWLD(LINCOM.SCLWT_words, wetwt_column(1), H, TPCM.NELEM(1));
    BETALD(alpha_slice(1), LINCOM.BETA_words, H, TPCM.NELEM(1));
    ITER8P(TOPT1, TOPT2);
}

void run(benchmark::State& state, const std::vector<Subline>& line, double H, float ZF) {
    define_line(line);
    float TOPT1 = 0.01f;
    float TOPT2 = 100.0f;
    solve(0.95 * H, ZF, TOPT1, TOPT2); // the previous point of the table
    const float start1 = TOPT1;
    const float start2 = TOPT2;
    for (auto _ : state) {
        TOPT1 = start1;
        TOPT2 = start2;
        solve(H, ZF, TOPT1, TOPT2);
        benchmark::DoNotOptimize(LINCOM.TMPTAN_words);
    }
    state.SetItemsProcessed(state.iterations()); // items/s = solves per second
    reset_program_state();
}

void BM_Iter8pChainWireChainTouchdown(benchmark::State& state) {
    run(state,
        {{300, 0.1f, 1 / 150000.0f, 0, 0},
         {2500, 0.02f, 1e-5f, 0, 0},
         {1500, 0.1f, 1 / 150000.0f, 0, 0}},
        150.0, 1000.0f);
}
BENCHMARK(BM_Iter8pChainWireChainTouchdown);

void BM_Iter8pTautPolyester(benchmark::State& state) {
    run(state, {{3000, 0.003f, 4e-5f, -1.5e-8f, 4e-12f}}, 300.0, 2000.0f);
}
BENCHMARK(BM_Iter8pTautPolyester);

} // namespace
} // namespace lintar
