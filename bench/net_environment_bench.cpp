// Benchmark of the environmental load of one equilibrium-solver iteration: NETFOR and TORQUE at
// a trial heading with every load on (wind, current, seas and a swell with drift and drag, a
// user force), 100 wave periods, through both paths of the RAO re-evaluation: the RAOs put back
// (the heading has not moved) and the hull model run again (forced). The hull is a stand-in
// whose RAOs cost next to nothing, so the figures are the environment's own.
#include "blocks/equilb.h"
#include "blocks/himem.h"
#include "blocks/sines.h"
#include "blocks/tpcm.h"
#include "blocks/wavcom.h"
#include "datafile/new_file_defaults.h"
#include "environment/net_environment.h"
#include "hulls/hull_models.h"
#include "motions/response_indices.h"
#include "motions/wave_setup.h"
#include "runtime/program_state.h"
#include "runtime/units.h"
#include "util/wave_numbers.h"

#include "environment_fixture.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <sstream>

namespace lintar {
namespace {

using bench::Environment;

void BM_NetforRaosRestored(benchmark::State& state) {
    Environment environment;
    (void)NETFOR(0.3f, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(NETFOR(0.3f, false));
}
BENCHMARK(BM_NetforRaosRestored)->Unit(benchmark::kMicrosecond);

void BM_NetforRaosRecomputed(benchmark::State& state) {
    Environment environment;
    for (auto _ : state)
        benchmark::DoNotOptimize(NETFOR(0.3f, true));
}
BENCHMARK(BM_NetforRaosRecomputed)->Unit(benchmark::kMicrosecond);

void BM_Torque(benchmark::State& state) {
    Environment environment;
    for (auto _ : state)
        benchmark::DoNotOptimize(TORQUE(0.3f));
}
BENCHMARK(BM_Torque)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace lintar
