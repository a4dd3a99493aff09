// Reading descriptions and merging an inheriting description into its base.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include "FormBuilder.h"

namespace numora {

namespace {

bool IsNamedList(const QString& key) {
  return key == "components" || key == "items" || key == "menu";
}

QJsonArray MergeNamedList(const QJsonArray& base, const QJsonArray& changes) {
  QJsonArray result = base;
  for (const QJsonValue& change : changes) {
    const QString name = change.toObject().value("name").toString();
    bool merged = false;
    for (qsizetype i = 0; i < result.size() && !name.isEmpty(); ++i) {
      if (result[i].toObject().value("name").toString() != name) continue;
      result[i] = MergeFormDescription(result[i].toObject(), change.toObject());
      merged = true;
      break;
    }
    if (!merged) result.append(change);
  }
  return result;
}

QJsonObject LoadDescription(const QString& path, int depth) {
  const std::string where = "window description " + path.toStdString();
  if (depth > 8) throw EFormDescription(where + ": inherits too deeply");
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) throw EFormDescription(where + ": cannot be read");
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError)
    throw EFormDescription(where + ": " + error.errorString().toStdString() + " at offset " +
                           std::to_string(error.offset));
  if (!document.isObject()) throw EFormDescription(where + ": not a JSON object");
  QJsonObject description = document.object();
  const QJsonValue base = description.value("inherits");
  if (base.isUndefined()) return description;
  if (!base.isString()) throw EFormDescription(where + ": \"inherits\" expects a path");
  return MergeFormDescription(LoadDescription(base.toString(), depth + 1), description);
}

}  // namespace

QJsonObject MergeFormDescription(const QJsonObject& base, const QJsonObject& changes) {
  QJsonObject result = base;
  for (auto it = changes.begin(); it != changes.end(); ++it) {
    const QString key = it.key();
    if (key == "inherits") continue;
    const QJsonValue old = result.value(key);
    if (IsNamedList(key) && old.isArray() && it.value().isArray())
      result[key] = MergeNamedList(old.toArray(), it.value().toArray());
    else if (old.isObject() && it.value().isObject())
      result[key] = MergeFormDescription(old.toObject(), it.value().toObject());
    else
      result[key] = it.value();
  }
  result.remove("inherits");
  return result;
}

QJsonObject LoadFormDescription(const QString& path) { return LoadDescription(path, 0); }

}  // namespace numora
