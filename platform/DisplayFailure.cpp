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

// The program's own line when a display server (X or Wayland) could not be reached, else
// empty. Only Qt's messages tell: the platform tried may come from QT_QPA_PLATFORM, -platform
// or Qt's own choice, and the X display from DISPLAY or -display.
QString UnreachedServerLine([[maybe_unused]] const std::vector<THeldMessage>& messages) {
  if constexpr (!kDisplayServers) {
    return {};
  } else {
    static const QString xFailure = "could not connect to display";
    bool x = false, wayland = false;
    QString xDisplay;  // empty when there was no display to try
    for (const THeldMessage& m : messages) {
      if (m.text.startsWith(xFailure)) {
        x = true;
        xDisplay = m.text.mid(xFailure.size()).trimmed();
      } else if (m.text.startsWith("Failed to create wl_display")) {
        wayland = true;
      }
    }
    if (x && !xDisplay.isEmpty())
      return "numora: cannot open the X display \"" + xDisplay +
             "\": check DISPLAY, or run it in a desktop session or under xvfb-run";
    if (x) return "numora: no display: run it in a desktop session, or under xvfb-run";
    if (wayland)
      return "numora: cannot connect to a Wayland compositor: check WAYLAND_DISPLAY, or run it "
             "in a desktop session";
    return {};
  }
}

void PrintLine(const QString& text) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// No platform came up: why, on standard error in every case (Qt would hand its messages of a
// Windows program with windows to the debugger, or Linux ones to the journal).
[[noreturn]] void ReportFailure(const THeldMessage& fatal) {
  if (const QString line = UnreachedServerLine(holding->messages); !line.isEmpty()) {
    PrintLine(line);
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
