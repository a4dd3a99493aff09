// The drawer's two hot paths on the real evaluator: one plot (401 rows filled, 400 segments
// recorded, nothing painted) and one mouse readout.
#include <benchmark/benchmark.h>

#include "HeadlessDrawer.h"

namespace numora {
namespace {

// Plots the formula again and again; the curve must keep the given number of segments.
void PlotFormula(benchmark::State& state, const std::string& formula, std::size_t segments) {
  THeadlessDrawer drawer;
  if (!formula.empty()) drawer.texts.formula = formula;
  for (auto _ : state) {
    drawer.logic.Plot();
    benchmark::DoNotOptimize(drawer.surface.segments.data());
  }
  if (drawer.surface.segments.size() != segments) state.SkipWithError("unexpected curve");
}

// The initial formula: steep in places, continuous everywhere.
void PlotBench(benchmark::State& state) { PlotFormula(state, {}, 400); }
BENCHMARK(PlotBench)->Unit(benchmark::kMicrosecond);

// A pole between every two samples, off the midpoint, with the ends of opposite sign.
void PolePlotBench(benchmark::State& state) { PlotFormula(state, "50/sin(w*PI()+1)", 0); }
BENCHMARK(PolePlotBench)->Unit(benchmark::kMicrosecond);

void ReadoutBench(benchmark::State& state) {
  THeadlessDrawer drawer;
  for (auto _ : state) {
    drawer.logic.FormMouseMove(317, 100);
    benchmark::DoNotOptimize(drawer.texts.panels[2].data());
  }
  if (drawer.texts.panels[2].rfind("f(w) = 94,439", 0) != 0) state.SkipWithError("wrong readout");
}
BENCHMARK(ReadoutBench)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace numora
