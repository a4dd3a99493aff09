// Readers of description values for the builder and for component classes: each throws
// std::runtime_error with a short reason when the value has another type.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <map>
#include <stdexcept>
#include <string>

#include "Components.h"

namespace numora::description {

std::string Quoted(const QString& text);
int Int(const QJsonValue& v);
bool Bool(const QJsonValue& v);
QString String(const QJsonValue& v);
QJsonObject Object(const QJsonValue& v);
QJsonArray Array(const QJsonValue& v);

// One of the named choices.
template <class T>
T Choice(const QJsonValue& v, const std::map<QString, T>& choices) {
  const QString text = String(v);
  auto it = choices.find(text);
  if (it == choices.end()) throw std::runtime_error("unknown value " + Quoted(text));
  return it->second;
}

// Runs a handler from a signal (menus, timers, push buttons) under the fault report.
void RunGuarded(const TNotifyEvent& handler, QObject* sender);

}  // namespace numora::description
