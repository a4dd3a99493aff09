#include "DisplayFailure.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
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

#ifdef _WIN32
constexpr bool kDisplayServers = false;  // the Windows platform needs no display server
#else
constexpr bool kDisplayServers = true;
#endif

// The display servers Qt's platforms said they could not reach. Only their messages tell:
// the platform tried may come from QT_QPA_PLATFORM, -platform or Qt's own choice, and the X
// display from DISPLAY or -display.
struct TUnreachedServers {
  bool x = false;
  QString xDisplay;  // empty when there was no display to try
  bool wayland = false;
};

TUnreachedServers UnreachedServers(const std::vector<THeldMessage>& messages) {
  static const QString xFailure = "could not connect to display";
  TUnreachedServers unreached;
  for (const THeldMessage& m : messages) {
    if (m.text.startsWith(xFailure)) {
      unreached.x = true;
      unreached.xDisplay = m.text.mid(xFailure.size()).trimmed();
    } else if (m.text.startsWith("Failed to create wl_display")) {
      unreached.wayland = true;
    }
  }
  return unreached;
}

void PrintLine(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// No platform came up: why, on standard error, whatever Qt would have done with its messages
// (on Windows a program with windows has nobody reading them).
[[noreturn]] void ReportFailure(const THeldMessage& fatal) {
  const TUnreachedServers unreached = UnreachedServers(holding->messages);
  if (kDisplayServers && unreached.x && !unreached.xDisplay.isEmpty()) {
    PrintLine("numora: cannot open the X display \"" + unreached.xDisplay +
              "\": check DISPLAY, or run it in a desktop session or under xvfb-run");
  } else if (kDisplayServers && unreached.x) {
    PrintLine("numora: no display: run it in a desktop session, or under xvfb-run");
  } else if (kDisplayServers && unreached.wayland) {
    PrintLine(
        "numora: cannot connect to a Wayland compositor: check WAYLAND_DISPLAY, or run it in a "
        "desktop session");
  } else {
    // Not a display that is missing (a platform that does not exist, or one that cannot be
    // loaded): Qt's own words say what is.
    holding->messages.push_back(fatal);
    for (const THeldMessage& m : holding->messages) {
      const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(),
                                       m.category.constData());
      PrintLine(qFormatLogMessage(m.type, context, m.text));
    }
  }
  // Qt is half built and would only abort: leave without running anyone's exit handlers.
  std::fflush(stderr);
  std::_Exit(1);
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
  THeldMessage message{type, context.file, context.function, context.category, context.line, text};
  if (type == QtFatalMsg) ReportFailure(message);
  holding->messages.push_back(std::move(message));
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
