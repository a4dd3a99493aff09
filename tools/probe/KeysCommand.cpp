// numora-probe keys: drives the calculator engine from the program's start, token by token.
#include <cstdio>
#include <string>
#include <string_view>

#include "AsciiCase.h"
#include "CalculatorKeys.h"
#include "Commands.h"
#include "KeyScript.h"

namespace numora::probe {

namespace {

constexpr std::string_view kUsage =
    "usage: numora-probe keys [--state] TOKEN...\n"
    "Starts as the program does (standard window created, display \"0\") and feeds the\n"
    "tokens in order; prints beep, message: TEXT, fault: TEXT and clipboard: TEXT lines in\n"
    "the order they happen, then display: TEXT (and with --state the engine state).\n"
    "Tokens, case-insensitive:\n"
    "  digits and commas    typed key by key: 200  2,5  ,\n"
    "  keypad keys          + -- - * / = % sqrt 1/x +/- back ce c mc mr ms m+\n"
    "  scientific keys      exp ln log sin cos tan x^2 x^3 x^y n! pi\n"
    "                       (they work in the standard window too: the engine does not\n"
    "                       care which window a key belongs to)\n"
    "  keyboard             type:TEXT (each character typed as a keyboard without a\n"
    "                       keypad types it: type:3.5*2=), key:N (virtual key code N\n"
    "                       into the hidden field), ctrl+KEY (KEY a letter, a digit or\n"
    "                       a key below held with Ctrl; ctrl+c ctrl+v are the Edit\n"
    "                       menu's shortcuts), and the keys\n"
    "  clipboard            copy, paste:TEXT (TEXT goes on the clipboard, then \"&Paste\")\n"
    "  windows              sci (open a new scientific window; later keys go to it),\n"
    "                       std (\"&Standart\": close it, back to the standard window),\n"
    "                       close (the standard window's close reset; later keys still go\n"
    "                       to the current window so the reset can be inspected)\n";

// The keyboard's keys from the tables that the calculator reads: the named keys, then the
// keys of the key table that are pressed with a key stroke of their own.
std::string Usage() {
  std::string usage(kUsage);
  const std::string indent(23, ' ');
  std::string line = indent;
  const auto add = [&](std::string token) {
    if (line.size() + token.size() + 1 > 78) {
      usage.insert(usage.find("  clipboard"), line + "\n");
      line = indent;
    }
    line.append(line.size() > indent.size() ? " " : "").append(token);
  };
  for (const TNamedKey& key : NamedKeys()) add(std::string(key.Token));
  for (const TCalculatorKey& key : CalculatorKeys()) {
    if (key.Stroke.Code == 0) continue;
    std::string token = LowerAscii(StrokeName(key.Stroke));
    std::erase(token, ' ');
    add(token + " (" + std::string(key.Caption) + ")");
  }
  usage.insert(usage.find("  clipboard"), line + "\n");
  return usage;
}

}  // namespace

int RunKeys(const TArgs& args) {
  bool showState = false;
  TKeyScript script;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      const std::string usage = Usage();
      std::fwrite(usage.data(), 1, usage.size(), stdout);
      return 0;
    }
    if (arg == "--state") {
      showState = true;
      continue;
    }
    if (!script.Add(arg)) {
      std::fprintf(stderr, "numora-probe keys: unknown token '%s'\n", arg.c_str());
      const std::string usage = Usage();
      std::fwrite(usage.data(), 1, usage.size(), stderr);
      return 2;
    }
  }
  for (const std::string& line : script.Run(showState)) std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace numora::probe
