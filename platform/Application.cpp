#include "Application.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <exception>

#include "AccessibleComponents.h"
#include "Look.h"
#include "WindowOwner.h"

namespace numora {
namespace {
TApplication* theApplication = nullptr;

// A box as narrow as a short message leaves its title bar no room for the title beside the
// icon and the buttons, and the window manager shows "..." in its place. A bar holds about
// five squares of its own height besides the title; both grow with the scale and the font.
void FitTitle(QMessageBox& box) {
  QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
  titleFont.setBold(true);
  const QFontMetrics metrics(titleFont);
  const int width = metrics.horizontalAdvance(box.windowTitle()) + 6 * (metrics.height() + 8);
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
  theApplication = this;
  // The main form's close ends the loop, not the last visible window: the About box and
  // the drawer are hidden forms of their own.
  setQuitOnLastWindowClosed(false);
  setFont(DefaultFont());
  InstallAccessibleComponents();
}

TApplication::~TApplication() { theApplication = nullptr; }

TApplication& TApplication::Instance() {
  if (!theApplication) std::abort();
  return *theApplication;
}

void TApplication::RegisterForm(QWidget* form) {
  if (!mainForm_) mainForm_ = form;
}

void TApplication::MainFormClosed() { quit(); }

int TApplication::Run() {
  if (!mainForm_) return 1;
  if (!deferredBuilds_.empty()) mainForm_->installEventFilter(this);
  mainForm_->show();
  return exec();
}

void TApplication::BuildAfterFirstPaint(std::function<void()> build) {
  deferredBuilds_.push_back(std::move(build));
}

void TApplication::FinishDeferredBuilds() {
  // A build may show a fault box whose loop calls back here: take the list first.
  std::vector<std::function<void()>> builds;
  builds.swap(deferredBuilds_);
  for (auto& build : builds) build();
}

bool TApplication::eventFilter(QObject* watched, QEvent* event) {
  if (watched == mainForm_ && event->type() == QEvent::Paint) {
    mainForm_->removeEventFilter(this);
    // Queued, so that the painted window reaches the screen before the builds start.
    QTimer::singleShot(0, this, [this] { FinishDeferredBuilds(); });
  }
  return QApplication::eventFilter(watched, event);
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    HandleException();
    return true;
  }
}

void TApplication::HandleException() {
  std::string description = "Unknown fault";
  try {
    throw;
  } catch (const std::exception& e) {
    description = e.what();
  } catch (...) {
  }
  try {
    ShowFault(description);
  } catch (...) {
    // A fault inside the report itself has nowhere further to go.
  }
}

QWidget* TApplication::BoxOwner(const QDialog& box) const {
  // The box itself may still count as active just after its last showing.
  for (QWidget* candidate : {activeModalWidget(), activeWindow()})
    if (candidate != nullptr && candidate != &box) return candidate;
  return mainForm_ != nullptr && mainForm_->isVisible() ? mainForm_.data() : nullptr;
}

int TApplication::ShowModal(QDialog& box, QWidget* owner) {
  if (std::find(showing_.begin(), showing_.end(), &box) != showing_.end()) {
    // QDialog::exec cannot nest: the request waits for the earlier showing to return.
    const bool waiting = std::any_of(waiting_.begin(), waiting_.end(),
                                     [&](const TWaitingRequest& r) { return r.box == &box; });
    if (!waiting) waiting_.push_back({&box, owner});
    return QDialog::Rejected;
  }
  if (owner == nullptr) owner = BoxOwner(box);
  if (owner != nullptr) {
    owner = owner->window();
    OwnWindow(box, *owner);
  }
  const QPointer<QWidget> previous = activeWindow();
  showing_.push_back(&box);
  struct TDone {
    TApplication& application;
    QDialog& box;
    ~TDone() {
      application.showing_.pop_back();
      application.ShowWaitingRequest(box);
    }
  } done{*this, box};
  const int result = box.exec();
  if (previous != nullptr && previous->isVisible()) previous->activateWindow();
  return result;
}

void TApplication::ShowWaitingRequest(QDialog& box) {
  const auto request = std::find_if(waiting_.begin(), waiting_.end(),
                                    [&](const TWaitingRequest& r) { return r.box == &box; });
  if (request == waiting_.end()) return;
  const QPointer<QWidget> owner = request->owner;
  waiting_.erase(request);
  // Queued, so that the handler that showed the box before goes on first; a box destroyed
  // meanwhile takes the request with it.
  QMetaObject::invokeMethod(
      &box, [this, &box, owner] { ShowModal(box, owner); }, Qt::QueuedConnection);
}

void TApplication::ShowFault(const std::string& description) {
  if (faultSink_) return faultSink_(description);
  QMessageBox box(QMessageBox::Critical, applicationDisplayName(),
                  QString::fromStdString(description), QMessageBox::Ok);
  box.setObjectName("FaultBox");
  FitTitle(box);
  ShowModal(box);
}

void TApplication::Beep() {
  if (beepSink_) return beepSink_();
  QApplication::beep();
}

void TApplication::ShowMessage(const std::string& text) {
  if (messageSink_) return messageSink_(text);
  QMessageBox box(QMessageBox::NoIcon, applicationDisplayName(), QString::fromStdString(text),
                  QMessageBox::Ok);
  box.setObjectName("MessageBox");
  FitTitle(box);
  ShowModal(box);
}

void Beep() { TApplication::Instance().Beep(); }
void ShowMessage(const std::string& text) { TApplication::Instance().ShowMessage(text); }

}  // namespace numora
