// numora-probe faces: which family the windows are drawn in for each face a description names,
// after the program's own start-up step that registers the faces shipped beside it.
#include <QFontInfo>
#include <QGuiApplication>
#include <cstdio>
#include <string_view>

#include "Commands.h"
#include "Look.h"
#include "ShippedFaces.h"

namespace numora::probe {
namespace {

constexpr std::string_view kFacesUsage =
    "usage: numora-probe faces FACE...\n"
    "Registers the faces in the \"fonts\" folder beside the probe, as the program does at start,\n"
    "prints each registered family as registered: FAMILY, then for each FACE (bold, as the\n"
    "keypads use them) FACE: FAMILY, the family the system draws it in.\n";

}  // namespace

int RunFaces(const TArgs& args) {
  if (args.empty() || args[0] == "--help") {
    std::fwrite(kFacesUsage.data(), 1, kFacesUsage.size(), args.empty() ? stderr : stdout);
    return args.empty() ? 2 : 0;
  }
  int argc = 1;
  char name[] = "numora-probe";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  for (const QString& family : RegisterShippedFaces())
    std::printf("registered: %s\n", family.toUtf8().constData());
  for (const std::string& face : args) {
    QFont font(SubstituteFace(QString::fromStdString(face)));
    font.setBold(true);
    std::printf("%s: %s\n", face.c_str(), QFontInfo(font).family().toUtf8().constData());
  }
  return 0;
}

}  // namespace numora::probe
