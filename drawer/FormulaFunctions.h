// The functions a formula may call: one table of {name, argument counts, function}.
// Names are upper-cased once when registered and once per lookup, so calls match in any
// letter case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace numora {

// Called only with numbers (never NaN); a result that is not finite has no number.
using TFormulaFunction = double (*)(const double* args, int count);

struct TFunctionEntry {
  std::string name;  // upper case
  int minArgs;
  int maxArgs;
  TFormulaFunction function;
};

class TFunctionTable {
 public:
  void Register(std::string_view name, int minArgs, int maxArgs, TFormulaFunction function);
  // nullptr when no function has that name.
  const TFunctionEntry* Find(std::string_view name) const;

  // The evaluator's functions, built once and never changed afterwards.
  static const TFunctionTable& Standard();

 private:
  std::vector<TFunctionEntry> entries_;
};

}  // namespace numora
