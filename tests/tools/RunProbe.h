// Runs a command line as a script would, collecting what it prints and its exit status.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace numora::testing {

struct TProbeResult {
  std::string out;
  int status;  // -1 when the command did not exit normally
};

inline TProbeResult RunShell(const std::string& command) {
  TProbeResult result{{}, -1};
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::array<char, 256> buffer{};
  while (fgets(buffer.data(), buffer.size(), pipe) != nullptr) result.out += buffer.data();
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

enum class TProbeOutput { StandardOutput, BothStreams };

// The probe command line: this build's probe, or NUMORA_PROBE_COMMAND when it is set (the
// Windows build's probe under Wine runs the same tables).
inline std::string ProbeCommand() {
  const char* other = std::getenv("NUMORA_PROBE_COMMAND");
  return other != nullptr && *other != '\0' ? other : NUMORA_PROBE;
}

// numora-probe with the given arguments (already quoted for the shell).
inline TProbeResult RunProbe(const std::string& arguments,
                             TProbeOutput output = TProbeOutput::StandardOutput) {
  const char* redirect = output == TProbeOutput::BothStreams ? " 2>&1" : " 2>/dev/null";
  return RunShell(ProbeCommand() + " " + arguments + redirect);
}

}  // namespace numora::testing
