// numora-probe keys: drives the calculator engine from the program's start, token by token.
#include <cstdio>
#include <string>
#include <string_view>

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
    "                       into the hidden field), kp+ kp- kp* kp/ kp, enter backspace\n"
    "                       escape delete, ctrl+c ctrl+v (the Edit menu's shortcuts)\n"
    "  clipboard            copy, paste:TEXT (TEXT goes on the clipboard, then \"&Paste\")\n"
    "  windows              sci (open a new scientific window; later keys go to it),\n"
    "                       std (\"&Standart\": close it, back to the standard window),\n"
    "                       close (the standard window's close reset; later keys still go\n"
    "                       to the current window so the reset can be inspected)\n";

}  // namespace

int RunKeys(const TArgs& args) {
  bool showState = false;
  TKeyScript script;
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
      return 0;
    }
    if (arg == "--state") {
      showState = true;
      continue;
    }
    if (!script.Add(arg)) {
      std::fprintf(stderr, "numora-probe keys: unknown token '%s'\n", arg.c_str());
      std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
      return 2;
    }
  }
  for (const std::string& line : script.Run(showState)) std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace numora::probe
