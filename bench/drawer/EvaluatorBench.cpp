// The evaluator's share of one plot of the drawer's initial formula: 401 entries, 401
// formulas with w replaced by a cell reference, and the 802 numbers read back.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "DrawerGeometry.h"
#include "FormulaVariable.h"
#include "VCF1.h"

namespace numora {
namespace {

constexpr int kRows = 401;

std::string DrawerFormula(const std::string& w) {
  std::string formula = "-(";
  AppendReplacedVariable(formula, TDrawerGeometry::Drawer().initialFormula, w);
  return formula += ')';
}

void EvaluatorPlotBench(benchmark::State& state) {
  TF1Book book;
  // The texts the drawer would build, made beforehand: only the evaluator is timed.
  std::vector<std::string> entries, formulas;
  for (int i = 0; i < kRows; ++i) {
    entries.push_back(std::to_string(i - 200));
    formulas.push_back(DrawerFormula(book.CellReference(i + 1, 1, false)));
  }
  double sum = 0;
  for (auto _ : state) {
    for (int r = 1; r <= kRows; ++r) {
      book.SelectCell(r, 1);
      book.PutCellEntry(r, 1, entries[r - 1]);
      book.PutCellFormula(r, 2, formulas[r - 1]);
    }
    for (int r = 1; r <= kRows; ++r) sum += book.GetCellNumber(r, 1) + book.GetCellNumber(r, 2);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(EvaluatorPlotBench)->Unit(benchmark::kMicrosecond);

void EvaluatorReadoutBench(benchmark::State& state) {
  TF1Book book;
  std::string formula = "(";
  AppendReplacedVariable(formula, TDrawerGeometry::Drawer().initialFormula, "1");
  formula += ')';
  for (auto _ : state) {
    book.PutCellFormula(1, 3, formula);
    benchmark::DoNotOptimize(book.GetCellNumber(1, 3));
  }
}
BENCHMARK(EvaluatorReadoutBench)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace numora

BENCHMARK_MAIN();
