// The drawer's two hot paths on the real evaluator: one plot of the initial formula (401
// rows filled, 400 segments recorded, nothing painted) and one mouse readout.
#include <benchmark/benchmark.h>

#include "HeadlessDrawer.h"

namespace numora {
namespace {

void PlotBench(benchmark::State& state) {
  THeadlessDrawer drawer;
  for (auto _ : state) {
    drawer.logic.Plot();
    benchmark::DoNotOptimize(drawer.surface.segments.data());
  }
  if (drawer.surface.segments.size() != 400) state.SkipWithError("the plot drew no curve");
}
BENCHMARK(PlotBench)->Unit(benchmark::kMicrosecond);

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
