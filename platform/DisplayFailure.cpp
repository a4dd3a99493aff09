#include "DisplayFailure.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>
#include <vector>

namespace numora {
namespace {

struct THeldMessage {
  QtMsgType type;
  QByteArray file, function, category;
  int line;
  QString text;
};

// Qt's message handler is a plain function, so what it holds back has to be reachable from
// one: this exists only while a TDisplayFailureReport does.
struct THolding {
  QtMessageHandler previous;
  std::vector<THeldMessage> messages;
};
THolding* holding = nullptr;

// Whether QT_QPA_PLATFORM, a list of fallbacks such as "wayland;xcb", names the platform.
// Without the variable Qt picks a display server's platform itself.
bool Lists(std::string_view platforms, std::string_view name) {
  while (true) {
    const std::size_t end = platforms.find(';');
    if (platforms.substr(0, end).substr(0, name.size()) == name) return true;
    if (end == std::string_view::npos) return false;
    platforms.remove_prefix(end + 1);
  }
}

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

[[noreturn]] void ReportNoDisplay() {
  const std::string_view platforms = Environment("QT_QPA_PLATFORM");
  const std::string_view display = Environment("DISPLAY");
  if (!display.empty() && (platforms.empty() || Lists(platforms, "xcb"))) {
    std::fprintf(stderr,
                 "numora: cannot open the X display \"%.*s\": check DISPLAY, or run it in a "
                 "desktop session or under xvfb-run\n",
                 static_cast<int>(display.size()), display.data());
  } else {
    std::fputs("numora: no display: run it in a desktop session, or under xvfb-run\n", stderr);
  }
  // Qt is half built and would only abort: leave without running anyone's exit handlers.
  std::_Exit(1);
}

// No platform came up and one of those tried needs a display server (X or Wayland). Any
// other fatal error, or a platform that does not exist, keeps Qt's own report.
bool NoDisplayReached() {
  const std::string_view platforms = Environment("QT_QPA_PLATFORM");
  return QGuiApplication::platformName().isEmpty() &&
         (platforms.empty() || Lists(platforms, "xcb") || Lists(platforms, "wayland"));
}

// Gives the held messages to the handler that was there before.
void PassOn(THolding& from) {
  qInstallMessageHandler(from.previous);
  for (const THeldMessage& m : from.messages) {
    const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                     m.category.constData());
    qt_message_output(m.type, context, m.text);
  }
  from.messages.clear();
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    if (NoDisplayReached()) ReportNoDisplay();
    // Qt's own report, after what it said before; Qt aborts when it has been shown.
    PassOn(*holding);
    qt_message_output(type, context, text);
    return;
  }
  holding->messages.push_back(
      {type, context.file, context.function, context.category, context.line, text});
}

}  // namespace

TDisplayFailureReport::TDisplayFailureReport() {
  holding = new THolding{nullptr, {}};
  holding->previous = qInstallMessageHandler(Hold);
}

TDisplayFailureReport::~TDisplayFailureReport() { Finish(); }

void TDisplayFailureReport::Finish() {
  if (holding == nullptr) return;
  PassOn(*holding);
  delete std::exchange(holding, nullptr);
}

}  // namespace numora
