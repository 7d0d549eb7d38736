// Benchmark of the environment side of the squall program's support data: one
// WRITE_SQUAL_ENV_DATA for a sea and a swell with drag on (the environment of the equilibrium
// benchmarks: wind, current, a user force, 100 wave periods, a stand-in hull): the input
// spectra, the 17 x 32 slow-drift force spectra of each wave system (rebuilt on every call),
// and the force tables of 145 headings x 3 directions with the RAOs re-evaluated at each
// heading. Runs in a temporary folder; the files are written there.
#include "blocks/tpcm.h"
#include "support/console.h"
#include "td_support/env_force_tables.h"

#include "environment_fixture.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>

namespace lintar {
namespace {

using bench::Environment;

void BM_WriteSquallEnvData(benchmark::State& state) {
    const testing::ScratchFolder folder;
    std::filesystem::create_directory(folder.path() / "td_aux");
    Environment environment;
    TPCM.ForceAllRebuilds = 1; // the force spectra computed on every call, not reused
    TPCM.VWDFAC = 1.0f;
    for (auto _ : state) {
        std::int32_t id = 0, secs = 0, map = 0, damp = 0;
        WRITE_SQUAL_ENV_DATA(id, secs, map, damp);
        benchmark::DoNotOptimize(id);
    }
}
BENCHMARK(BM_WriteSquallEnvData)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace lintar
