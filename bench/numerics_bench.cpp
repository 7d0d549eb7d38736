// Benchmarks of the numerical kernels that sit in the line-table and catenary inner loops:
// the table search, the row-blended interpolation and the root finder.
#include "util/root_finders.h"
#include "util/table_search.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using namespace lintar;

// A rising line-table row of 90 horizontal loads, and the values searched for in it.
std::vector<float> load_row() {
    std::vector<float> row(layer_row_length);
    for (std::int32_t i = 0; i < layer_row_length; ++i)
        row[static_cast<std::size_t>(i)] = 10.0f * static_cast<float>(i) * (1.0f + 0.01f * i);
    return row;
}

std::vector<float> probes(float low, float high) {
    std::vector<float> p(256);
    for (std::size_t k = 0; k < p.size(); ++k)
        p[k] = low + (high - low) * static_cast<float>((k * 97) % p.size()) /
                         static_cast<float>(p.size());
    return p;
}

void BM_BSRCH(benchmark::State& state) {
    const auto W = load_row();
    const auto values = probes(-50.0f, W.back() + 50.0f);
    std::size_t k = 0;
    for (auto _ : state) {
        std::int32_t IER = 0, MIN = 0;
        BSRCH(W, values[k++ % values.size()], IER, MIN, layer_row_length);
        benchmark::DoNotOptimize(MIN);
        benchmark::DoNotOptimize(IER);
    }
}
BENCHMARK(BM_BSRCH);

// Search and interpolation between two rows of a line table (horizontal load against anchor
// distance), as a line-table lookup at a vertical span between two table rows does.
void BM_BlendedLookup(benchmark::State& state) {
    const auto row = load_row();
    std::vector<float> loads(2 * layer_row_length), distances(2 * layer_row_length);
    for (std::int32_t i = 0; i < layer_row_length; ++i) {
        const auto k = static_cast<std::size_t>(i);
        loads[k] = row[k];
        loads[k + layer_row_length] = 1.2f * row[k];
        distances[k] = 500.0f + std::sqrt(row[k]);
        distances[k + layer_row_length] = 480.0f + std::sqrt(1.2f * row[k]);
    }
    const auto values = probes(0.0f, row.back());
    std::size_t k = 0;
    for (auto _ : state) {
        const float DELLAY = 0.37f;
        const float HLOAD = values[k++ % values.size()];
        std::int32_t IER = 0, MIN = 0;
        BSRCHQ(loads, DELLAY, HLOAD, IER, MIN, layer_row_length);
        float distance = 0.0f;
        INTRPQ(loads, distances, HLOAD, distance, MIN, DELLAY);
        benchmark::DoNotOptimize(distance);
    }
}
BENCHMARK(BM_BlendedLookup);

// The horizontal tension H of a catenary of weight w per length spanning X horizontally and
// Z vertically: (H / w)(cosh(w X / H) - 1) = Z.
void BM_RTMI1_Catenary(benchmark::State& state) {
    const float w = 1.5f;
    const float X = 800.0f;
    const auto spans = probes(60.0f, 140.0f);
    std::size_t k = 0;
    int evaluations = 0;
    for (auto _ : state) {
        const float Z = spans[k++ % spans.size()];
        float H = 0.0f, F = 0.0f;
        std::int32_t IER = 0;
        RTMI1(
            H, F,
            [&](float h) {
                ++evaluations;
                return h / w * (std::cosh(w * X / h) - 1.0f) - Z;
            },
            500.0f, 50000.0f, 1e-6f, 0.0f, 50, IER);
        benchmark::DoNotOptimize(H);
    }
    state.counters["evaluations"] =
        benchmark::Counter(evaluations, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RTMI1_Catenary);

} // namespace
