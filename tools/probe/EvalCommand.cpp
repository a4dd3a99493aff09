// numora-probe eval: one formula through the drawer's evaluator, in a fresh sheet whose
// cells all hold 0.
#include <cstdio>
#include <string_view>

#include "Commands.h"
#include "VCF1.h"

namespace numora::probe {

int RunEval(const TArgs& args) {
  if (args.size() != 1) {
    constexpr std::string_view kUsage =
        "usage: numora-probe eval FORMULA\n"
        "Puts FORMULA into a cell of an empty sheet and prints its value with 17 significant\n"
        "digits (nan when it has no numeric value), or error: MESSAGE with exit status 1.\n";
    std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
    return 2;
  }
  TF1Book book;
  try {
    book.PutCellFormula(1, 1, args[0]);
  } catch (const EF1BookError& error) {
    std::fprintf(stderr, "error: %s\n", error.what());
    return 1;
  }
  std::printf("%.17g\n", book.GetCellNumber(1, 1));
  return 0;
}

}  // namespace numora::probe
