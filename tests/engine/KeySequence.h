// Drives a headless calculator with key sequences written the way a person writes them:
// "2 + 3 * 4 =", digits and commas typed one key at a time.
#pragma once

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "HeadlessCalculator.h"

namespace numora::test {

inline const std::map<std::string, std::string>& KeyComponents() {
  static const std::map<std::string, std::string> keys = {
      {"+", "PlusButton"},    {"--", "MinusButton"},    {"*", "MultiplyButton"},
      {"/", "DivideButton"},  {"=", "EqualButton"},     {"%", "PercentButton"},
      {"sqrt", "RootButton"}, {"1/x", "AdverseButton"}, {"+/-", "SignButton"},
      {"back", "BackButton"}, {"ce", "ClearButton"},    {"c", "ClearAllButton"},
      {"mc", "MemClearBtn"},  {"mr", "MemButton"},      {"ms", "SpeedButton22"},
      {"m+", "MemPlusBtn"},   {"exp", "ExpButton"},     {"ln", "LnButton"},
      {"log", "LogButton"},   {"sin", "SinButton"},     {"cos", "CosButton"},
      {"tan", "TanButton"},   {"x^2", "SquareButton"},  {"x^3", "CubeButton"},
      {"x^y", "xUPyButton"},  {"n!", "FactorButton"},   {"pi", "PiBtn"}};
  return keys;
}

// Presses the keys; returns false when a token names no key.
inline bool Press(THeadlessCalculator& calculator, const std::string& sequence) {
  static const char* const kDigits[] = {"ZeroButton",  "OneButton",  "TwoButton", "ThreeButton",
                                        "FourButton",  "FiveButton", "SixButton", "SevenButton",
                                        "EightButton", "NineButton"};
  std::istringstream tokens(sequence);
  std::string token;
  while (tokens >> token) {
    const auto key = KeyComponents().find(token);
    if (key != KeyComponents().end()) {
      if (!calculator.Click(key->second)) return false;
      continue;
    }
    for (char c : token) {
      if (c == ',') {
        calculator.Click("CommaButton");
      } else if (c >= '0' && c <= '9') {
        calculator.Click(kDigits[c - '0']);
      } else {
        return false;
      }
    }
  }
  return true;
}

inline std::string FaultKindName(EEngineFault::TKind kind) {
  switch (kind) {
    case EEngineFault::TKind::Conversion:
      return "conversion";
    case EEngineFault::TKind::InvalidOperation:
      return "invalid";
    case EEngineFault::TKind::DivisionByZero:
      return "zero-divide";
    case EEngineFault::TKind::Overflow:
      return "overflow";
  }
  return "?";
}

// The events as the probe prints them, faults by their kind, joined by "; ".
inline std::string EventLines(THeadlessCalculator& calculator) {
  std::string lines;
  for (const THeadlessEvent& e : calculator.TakeEvents()) {
    if (!lines.empty()) lines += "; ";
    lines += e.FaultKind ? "fault: " + FaultKindName(*e.FaultKind) : e.Line();
  }
  return lines;
}

}  // namespace numora::test
