#include "ShippedFaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace numora {

QStringList RegisterFacesIn(const QString& folder) {
  QStringList families;
  const QDir dir(folder);
  // A file path (not its bytes) lets Qt hand the file to the system, which then keeps it
  // private to this process.
  for (const QString& name : dir.entryList({"*.otf", "*.ttf"}, QDir::Files, QDir::Name)) {
    const int id = QFontDatabase::addApplicationFont(QDir::toNativeSeparators(dir.filePath(name)));
    if (id < 0) continue;
    for (const QString& family : QFontDatabase::applicationFontFamilies(id)) {
      if (!families.contains(family)) families.append(family);
    }
  }
  return families;
}

QStringList RegisterShippedFaces() {
  return RegisterFacesIn(QCoreApplication::applicationDirPath() + "/fonts");
}

}  // namespace numora
