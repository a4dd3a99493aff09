// numora-probe plot and readout: the function drawer's logic on recorders and the real
// evaluator, as the window would run it.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Arguments.h"
#include "Commands.h"
#include "HeadlessDrawer.h"
#include "Timing.h"

namespace numora::probe {
namespace {

constexpr std::string_view kPlotUsage =
    "usage: numora-probe plot [FORMULA] [--repeat N]\n"
    "Plots FORMULA in w (default: the window's initial formula) as Enter in the drawer does;\n"
    "prints each segment as drawn, cut to the picture, as x1 y1 x2 y2, then label4: TEXT and\n"
    "label5: TEXT.\n"
    "With --repeat N it plots N times and prints only: plot median US us.\n";
constexpr std::string_view kReadoutUsage =
    "usage: numora-probe readout FORMULA X Y [X Y]...\n"
    "Moves the pointer to each client position X, Y in turn over a freshly created drawer\n"
    "whose edit field holds FORMULA, and prints the three status panel texts, one a line.\n"
    "Each error the window would show in a box is printed as error: MESSAGE (exit status 1).\n";

int Usage(std::string_view usage) {
  std::fwrite(usage.data(), 1, usage.size(), stderr);
  return 2;
}

int Fail(const std::exception& error) {
  std::fprintf(stderr, "error: %s\n", error.what());
  return 1;
}

}  // namespace

int RunPlot(const TArgs& args) {
  std::optional<std::string> formula;
  int repeat = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--repeat") {
      if (i + 1 == args.size()) return Usage(kPlotUsage);
      const std::optional<int> n = ParseInt(args[++i]);
      if (!n || *n < 1) return Usage(kPlotUsage);
      repeat = *n;
    } else if (args[i] == "--help") {
      std::fwrite(kPlotUsage.data(), 1, kPlotUsage.size(), stdout);
      return 0;
    } else if (!formula) {
      formula = args[i];
    } else {
      return Usage(kPlotUsage);
    }
  }
  THeadlessDrawer drawer;
  if (formula) drawer.texts.formula = *formula;
  try {
    if (repeat > 0) {
      std::printf("plot median %.1f us\n",
                  1000 * MedianMilliseconds(repeat, [&] { drawer.logic.Plot(); }));
      return 0;
    }
    drawer.logic.Plot();
  } catch (const std::exception& error) {
    return Fail(error);
  }
  for (const TSegment& s : drawer.surface.segments)
    std::printf("%d %d %d %d\n", s.x1, s.y1, s.x2, s.y2);
  std::printf("label4: %s\nlabel5: %s\n", drawer.texts.label4.c_str(), drawer.texts.label5.c_str());
  return 0;
}

int RunReadout(const TArgs& args) {
  if (args.size() < 3 || args.size() % 2 == 0) return Usage(kReadoutUsage);
  std::vector<std::pair<int, int>> moves;
  for (std::size_t i = 1; i < args.size(); i += 2) {
    const std::optional<int> x = ParseInt(args[i]), y = ParseInt(args[i + 1]);
    if (!x || !y) return Usage(kReadoutUsage);
    moves.emplace_back(*x, *y);
  }
  THeadlessDrawer drawer;
  drawer.texts.formula = args[0];
  int status = 0;
  for (const auto& [x, y] : moves) {
    try {
      drawer.MouseMove(x, y);
    } catch (const std::exception& error) {
      status = Fail(error);  // the panels set before the failure are still printed
    }
  }
  for (const std::string& text : drawer.texts.panels) std::printf("%s\n", text.c_str());
  return status;
}

}  // namespace numora::probe
