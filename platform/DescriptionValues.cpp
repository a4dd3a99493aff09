#include "DescriptionValues.h"

#include <QImage>

#include "Application.h"
#include "FormBuilder.h"

namespace numora {
namespace description {

std::string Quoted(const QString& text) {
  std::string quoted(1, '"');  // built up: g++ 12 warns wrongly on "\"" + std::string
  quoted += text.toStdString();
  quoted += '"';
  return quoted;
}

int Int(const QJsonValue& v) {
  if (!v.isDouble() || v.toDouble() != static_cast<double>(v.toInt()))
    throw std::runtime_error("expected a whole number");
  return v.toInt();
}
bool Bool(const QJsonValue& v) {
  if (!v.isBool()) throw std::runtime_error("expected true or false");
  return v.toBool();
}
QString String(const QJsonValue& v) {
  if (!v.isString()) throw std::runtime_error("expected a text");
  return v.toString();
}
QJsonObject Object(const QJsonValue& v) {
  if (!v.isObject()) throw std::runtime_error("expected an object");
  return v.toObject();
}
QJsonArray Array(const QJsonValue& v) {
  if (!v.isArray()) throw std::runtime_error("expected a list");
  return v.toArray();
}

void RunGuarded(const TNotifyEvent& handler, QObject* sender) {
  TApplication::Instance().Guarded([&] { handler(sender); });
}

}  // namespace description

QByteArray Base64Bytes(const QJsonValue& value) {
  const auto result = QByteArray::fromBase64Encoding(description::String(value).toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
  if (!result) throw std::runtime_error("not valid base64");
  return *result;
}

QImage ImageFromBase64(const QJsonValue& value) {
  QImage image = QImage::fromData(Base64Bytes(value));
  if (image.isNull()) throw std::runtime_error("not a readable image");
  return image;
}

}  // namespace numora
