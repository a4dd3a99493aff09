// Qt aborts the process with a page about plugins when none of its platforms comes up. While
// the application object is being created, this turns that failure into a report and exit
// status 1: one line of the program's own when a platform could not connect to its display
// server (X or Wayland), else what Qt said. The path that succeeds opens nothing extra.
#pragma once

namespace numora {

// Holds back Qt's messages from its construction until Finish (or the destructor), then
// passes them on; only one may exist at a time.
class TDisplayFailureReport {
 public:
  TDisplayFailureReport();
  ~TDisplayFailureReport();
  TDisplayFailureReport(const TDisplayFailureReport&) = delete;
  TDisplayFailureReport& operator=(const TDisplayFailureReport&) = delete;

  // The application exists: later messages go where they went before.
  void Finish();
};

}  // namespace numora
