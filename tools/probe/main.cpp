#include <cstdio>
#include <string_view>

#include "Commands.h"
#include "SystemServices.h"

namespace {

struct TCommand {
  std::string_view name;
  int (*run)(const numora::probe::TArgs&);
  std::string_view usage;
};

constexpr TCommand kCommands[] = {
    {"keys", numora::probe::RunKeys, "keys [--state] TOKEN...      drive the calculator engine"},
    {"jpeg-info", numora::probe::RunJpegInfo,
     "jpeg-info FILE               header of a JPEG stream or picture record"},
    {"jpeg-decode", numora::probe::RunJpegDecode, "jpeg-decode FILE OUT.ppm [options]"},
    {"jpeg-encode", numora::probe::RunJpegEncode, "jpeg-encode IN.ppm OUT.jpg [options]"},
    {"picture-record", numora::probe::RunPictureRecord, "picture-record IN OUT [--extract]"},
    {"plot", numora::probe::RunPlot, "plot [FORMULA] [--repeat N]  segments the drawer draws"},
    {"readout", numora::probe::RunReadout,
     "readout FORMULA X Y [X Y]... status texts after mouse moves"},
    {"eval", numora::probe::RunEval, "eval FORMULA                 value of a drawer formula"},
    {"faces", numora::probe::RunFaces,
     "faces FACE...                the families the faces are drawn in"},
};

void PrintUsage(std::FILE* to) {
  std::fputs("usage: numora-probe COMMAND [ARGS...]\ncommands:\n", to);
  for (const TCommand& c : kCommands)
    std::fprintf(to, "  %.*s\n", int(c.usage.size()), c.usage.data());
}

}  // namespace

int main(int argc, char** argv) {
  // Scripts compare the output byte for byte, whatever system wrote it.
  numora::sys::UseBinaryStandardStreams();
  // One list for the count and the entries: on Windows it is the wide command line's, which
  // splits quotes differently from the C runtime's argv.
  const std::vector<std::string> arguments = numora::sys::Utf8Arguments(argc, argv);
  if (arguments.empty()) {
    PrintUsage(stderr);
    return 2;
  }
  const std::string_view name = arguments[0];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintUsage(stdout);
    return 0;
  }
  for (const TCommand& c : kCommands) {
    if (c.name == name) return c.run(numora::probe::TArgs(arguments.begin() + 1, arguments.end()));
  }
  std::fprintf(stderr, "numora-probe: unknown command '%s'\n", arguments[0].c_str());
  PrintUsage(stderr);
  return 2;
}
