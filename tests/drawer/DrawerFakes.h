// Stand-ins for the evaluator and the event pump, so plotting rules can be checked on
// numbers of the test's choosing and on a clock that only moves when read.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "DrawerPorts.h"

namespace numora::test {

// Column 1 holds the entries; a formula put into column 2 gets minus F of the w in column 1
// of its row, F chosen by the test. Every call is logged.
class TScriptedCells : public TPlotCells {
 public:
  std::function<double(double w)> F = [](double) { return 0.0; };
  int rejectRow = 0;  // a formula put into this row fails
  mutable std::vector<std::string> log;
  std::map<std::pair<int, int>, double> numbers;
  std::map<std::pair<int, int>, std::string> formulas;

  void SelectCell(int row, int col) override {
    log.push_back("SelectCell " + Pos(row, col));
    selRow_ = row;
    selCol_ = col;
  }
  void GetSelectedCell(int& row, int& col) const override {
    log.push_back("GetSelectedCell");
    row = selRow_;
    col = selCol_;
  }
  std::string CellReference(int row, int col, bool absolute) const override {
    log.push_back("CellReference " + Pos(row, col) + (absolute ? " true" : " false"));
    return "R" + std::to_string(row) + "C" + std::to_string(col);
  }
  void PutCellEntry(int row, int col, std::string_view text) override {
    log.push_back("PutCellEntry " + Pos(row, col) + " " + std::string(text));
    numbers[{row, col}] = std::stod(std::string(text));
  }
  void PutCellFormula(int row, int col, std::string_view text) override {
    log.push_back("PutCellFormula " + Pos(row, col));
    if (row == rejectRow) throw std::runtime_error("rejected at row " + std::to_string(row));
    formulas[{row, col}] = std::string(text);
    numbers[{row, col}] = col == 2 ? -F(numbers[{row, 1}]) : 0.0;
  }
  double GetCellNumber(int row, int col) const override {
    log.push_back("GetCellNumber " + Pos(row, col));
    const auto it = numbers.find({row, col});
    return it == numbers.end() ? 0.0 : it->second;
  }

 private:
  static std::string Pos(int row, int col) {
    return std::to_string(row) + " " + std::to_string(col);
  }
  mutable int selRow_ = 1, selCol_ = 1;
};

// A clock that advances by a fixed step at every reading; events run the test's hook.
class TFakePump : public TEventPump {
 public:
  std::chrono::nanoseconds now{1'000'000'000};
  std::chrono::nanoseconds step = std::chrono::microseconds(250);
  int eventRounds = 0;
  std::function<void()> onEvents;

  void ProcessEvents() override {
    ++eventRounds;
    if (onEvents) onEvents();
  }
  std::chrono::nanoseconds Now() override {
    const auto reading = now;
    now += step;
    return reading;
  }
};

}  // namespace numora::test
