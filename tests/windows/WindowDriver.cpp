// Drives a program's top-level window on an X server (run it under xvfb-run), the way a
// window manager would:
//
//   numora-window-driver [--close] [--settle MS] [--timeout S] TITLE -- PROGRAM [ARGS...]
//
// starts PROGRAM, waits until a top-level window titled TITLE is mapped, waits MS more
// milliseconds (300 by default), reads the program's resident memory, and with --close
// sends that window WM_DELETE_WINDOW (the title bar's close button) and waits for the
// program to end. Prints one line:
//   startup_ms=<fork to mapped> rss_kb=<VmRSS> exit=<exit status, or -1 if left running>
// and exits 0 when the window appeared and (with --close) the program ended with status 0.
//
//   numora-window-driver --delete TITLE    closes the mapped window TITLE as above
//   numora-window-driver --clipboard       prints the text on the clipboard
//   numora-window-driver --own-clipboard TEXT   puts TEXT on the clipboard and serves it
//                                               until another client takes the clipboard
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string WindowTitle(Display* display, Window window) {
  char* name = nullptr;
  std::string title;
  if (XFetchName(display, window, &name) && name != nullptr) title = name;
  if (name != nullptr) XFree(name);
  return title;
}

// A mapped child of the root window with that title, or None.
Window FindMapped(Display* display, const std::string& title) {
  Window root = DefaultRootWindow(display), parent, *children = nullptr;
  unsigned count = 0;
  Window found = None;
  if (!XQueryTree(display, root, &root, &parent, &children, &count)) return None;
  for (unsigned i = 0; i < count && found == None; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable && WindowTitle(display, children[i]) == title)
      found = children[i];
  }
  if (children != nullptr) XFree(children);
  return found;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

void SendDelete(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

// The child's exit status, or -1 when it is still running after the timeout.
int WaitForExit(pid_t pid, double timeoutMs) {
  const auto start = Clock::now();
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (MillisecondsSince(start) > timeoutMs) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// The CLIPBOARD selection as UTF-8 text, asked for through a window of our own.
int PrintClipboard(Display* display) {
  const Window self = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom property = XInternAtom(display, "NUMORA_CLIPBOARD", False);
  XConvertSelection(display, clipboard, utf8, property, self, CurrentTime);
  XFlush(display);
  const auto start = Clock::now();
  while (MillisecondsSince(start) < 5000) {
    XEvent event;
    if (XCheckTypedWindowEvent(display, self, SelectionNotify, &event)) {
      if (event.xselection.property == None) return 1;  // nobody owns the clipboard
      Atom type;
      int format;
      unsigned long count, left;
      unsigned char* data = nullptr;
      XGetWindowProperty(display, self, property, 0, 1 << 20, False, AnyPropertyType, &type,
                         &format, &count, &left, &data);
      std::printf("%.*s\n", static_cast<int>(count),
                  data != nullptr ? reinterpret_cast<char*>(data) : "");
      if (data != nullptr) XFree(data);
      return 0;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return 1;
}

// Serves TEXT as UTF8_STRING or STRING until another client takes the clipboard.
int OwnClipboard(Display* display, const char* text) {
  const Window self = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom targets = XInternAtom(display, "TARGETS", False);
  XSetSelectionOwner(display, clipboard, self, CurrentTime);
  if (XGetSelectionOwner(display, clipboard) != self) return 1;
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == SelectionClear) return 0;
    if (event.type != SelectionRequest) continue;
    const XSelectionRequestEvent& request = event.xselectionrequest;
    XEvent reply{};
    XSelectionEvent& answer = reply.xselection;
    answer.type = SelectionNotify;
    answer.requestor = request.requestor;
    answer.selection = request.selection;
    answer.target = request.target;
    answer.property = request.property;
    answer.time = request.time;
    if (request.target == targets) {
      const Atom offered[] = {targets, utf8, XA_STRING};
      XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(offered), 3);
    } else if (request.target == utf8 || request.target == XA_STRING) {
      XChangeProperty(display, request.requestor, request.property, request.target, 8,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(text),
                      static_cast<int>(std::strlen(text)));
    } else {
      answer.property = None;
    }
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
  }
}

int Usage() {
  std::fputs(
      "usage: numora-window-driver [--close] [--settle MS] [--timeout S] TITLE -- PROGRAM "
      "[ARGS...]\n       numora-window-driver --delete TITLE | --clipboard | --own-clipboard "
      "TEXT\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 &&
      (std::strcmp(argv[1], "--clipboard") == 0 || std::strcmp(argv[1], "--delete") == 0 ||
       std::strcmp(argv[1], "--own-clipboard") == 0)) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 2;
    int status = 1;
    if (argv[1][2] == 'c') {
      status = PrintClipboard(display);
    } else if (argv[1][2] == 'o') {
      status = argc == 3 ? OwnClipboard(display, argv[2]) : 2;
    } else if (argc == 3) {
      const Window window = FindMapped(display, argv[2]);
      if (window != None) SendDelete(display, window);
      status = window != None ? 0 : 1;
    }
    XCloseDisplay(display);
    return status;
  }
  bool close = false;
  int settleMs = 300;
  double timeoutMs = 20000;
  int i = 1;
  for (; i < argc && std::strncmp(argv[i], "--", 2) == 0 && std::strcmp(argv[i], "--") != 0; ++i) {
    if (std::strcmp(argv[i], "--close") == 0)
      close = true;
    else if (std::strcmp(argv[i], "--settle") == 0 && i + 1 < argc)
      settleMs = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc)
      timeoutMs = 1000.0 * std::atof(argv[++i]);
    else
      return Usage();
  }
  if (i + 2 >= argc || std::strcmp(argv[i + 1], "--") != 0) return Usage();
  const std::string title = argv[i];
  char** program = argv + i + 2;

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fputs("numora-window-driver: no X display (run it under xvfb-run)\n", stderr);
    return 2;
  }
  // Every new top-level window is a child of the root: its mapping is seen here.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    execvp(program[0], program);
    std::perror("numora-window-driver: exec");
    _exit(127);
  }

  Window window = None;
  for (int round = 0; window == None && MillisecondsSince(start) < timeoutMs; ++round) {
    while (XPending(display) > 0 && window == None) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && WindowTitle(display, event.xmap.window) == title)
        window = event.xmap.window;
    }
    // A title set only after the mapping is found by looking, now and then.
    if (window == None && round % 20 == 19) window = FindMapped(display, title);
    if (window != None) break;
    if (waitpid(pid, nullptr, WNOHANG) == pid) break;  // ended without a window
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 5);
  }
  const double startupMs = MillisecondsSince(start);
  if (window == None) {
    std::fprintf(stderr, "numora-window-driver: no window \"%s\" appeared\n", title.c_str());
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return 1;
  }

  std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
  const long rss = ResidentKilobytes(pid);
  int exitStatus = -1;
  if (close) {
    SendDelete(display, window);
    exitStatus = WaitForExit(pid, 10000);
  }
  if (exitStatus == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  std::printf("startup_ms=%.1f rss_kb=%ld exit=%d\n", startupMs, rss, exitStatus);
  XCloseDisplay(display);
  return !close || exitStatus == 0 ? 0 : 1;
}
