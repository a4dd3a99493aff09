// Does on an X server what a window manager or another program would (run it under
// with-xvfb.sh or xvfb-run):
//
//   numora-window-driver --close [--settle MS] TITLE -- PROGRAM [ARGS...]
//       starts PROGRAM, waits until a top-level window titled TITLE is mapped, waits MS more
//       milliseconds (300 by default), reads the program's resident memory, sends that window
//       WM_DELETE_WINDOW (the title bar's close button) and waits for the program to end.
//       Prints "startup_ms=<fork to mapped> rss_kb=<VmRSS> exit=<status, -1 if left running>"
//       and exits 0 when the program ended with status 0.
//   numora-window-driver --delete TITLE         closes the mapped window TITLE as above
//   numora-window-driver --pixels ID X Y W H    prints the window's pixels in that rectangle,
//                                               one line per row of RRGGBB hex values
//   numora-window-driver --clipboard            prints the text on the clipboard
//   numora-window-driver --own-clipboard TEXT   offers TEXT on the clipboard until another
//                                               client takes the clipboard
//   numora-window-driver --num-lock on|off      locks or unlocks NumLock, as its key would
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
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

// A mapped top-level window with that title, or None. A window manager puts each top-level
// window into a frame of its own, a few levels below the root.
Window FindMapped(Display* display, const std::string& title, Window under = None, int depth = 0) {
  Window root = under == None ? DefaultRootWindow(display) : under, parent, *children = nullptr;
  unsigned count = 0;
  Window found = None;
  if (depth > 3 || !XQueryTree(display, root, &root, &parent, &children, &count)) return None;
  for (unsigned i = 0; i < count && found == None; ++i) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, children[i], &attributes) ||
        attributes.map_state != IsViewable)
      continue;
    if (WindowTitle(display, children[i]) == title)
      found = children[i];
    else
      found = FindMapped(display, title, children[i], depth + 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}

int PrintPixels(Display* display, char** args) {
  const Window window = std::strtoul(args[0], nullptr, 0);
  const int x = std::atoi(args[1]), y = std::atoi(args[2]);
  const unsigned width = std::atoi(args[3]), height = std::atoi(args[4]);
  XImage* image = XGetImage(display, window, x, y, width, height, AllPlanes, ZPixmap);
  if (image == nullptr) return 1;
  for (unsigned row = 0; row < height; ++row) {
    for (unsigned column = 0; column < width; ++column)
      std::printf(column == 0 ? "%06lx" : " %06lx", XGetPixel(image, column, row) & 0xFFFFFF);
    std::printf("\n");
  }
  XDestroyImage(image);
  return 0;
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

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// The child's exit status, or -1 when it is still running after the timeout.
int WaitForExit(pid_t pid, double timeoutMs) {
  const auto start = Clock::now();
  while (MillisecondsSince(start) < timeoutMs) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return -1;
}

int CloseProgram(Display* display, int settleMs, const std::string& title, char** program) {
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
  for (int round = 0; window == None && MillisecondsSince(start) < 20000; ++round) {
    while (XPending(display) > 0 && window == None) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && WindowTitle(display, event.xmap.window) == title)
        window = event.xmap.window;
    }
    // A title set only after the mapping is found by looking, now and then.
    if (window == None && round % 20 == 19) window = FindMapped(display, title);
    if (window == None && waitpid(pid, nullptr, WNOHANG) == pid) break;  // ended, no window
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    if (window == None) poll(&connection, 1, 5);
  }
  const double startupMs = MillisecondsSince(start);
  int exitStatus = -1;
  long rss = -1;
  if (window != None) {
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    rss = ResidentKilobytes(pid);
    SendDelete(display, window);
    exitStatus = WaitForExit(pid, 10000);
  } else {
    std::fprintf(stderr, "numora-window-driver: no window \"%s\" appeared\n", title.c_str());
  }
  if (exitStatus == -1) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  std::printf("startup_ms=%.1f rss_kb=%ld exit=%d\n", startupMs, rss, exitStatus);
  return exitStatus == 0 ? 0 : 1;
}

// Reads the clipboard as UTF-8 text (text == nullptr), or owns it with text and answers
// every request until another client takes it over.
int Clipboard(Display* display, const char* text) {
  const Window self = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  const Atom targets = XInternAtom(display, "TARGETS", False);
  const Atom property = XInternAtom(display, "NUMORA_CLIPBOARD", False);
  if (text != nullptr) {
    XSetSelectionOwner(display, clipboard, self, CurrentTime);
    if (XGetSelectionOwner(display, clipboard) != self) return 1;
  } else {
    XConvertSelection(display, clipboard, utf8, property, self, CurrentTime);
  }
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == SelectionClear) return 0;
    if (event.type == SelectionNotify) {
      if (event.xselection.property == None) return 1;  // nobody owns the clipboard
      Atom type;
      int format;
      unsigned long count, left;
      unsigned char* data = nullptr;
      XGetWindowProperty(display, self, property, 0, 1 << 20, False, AnyPropertyType, &type,
                         &format, &count, &left, &data);
      std::printf("%.*s\n", static_cast<int>(count), data ? reinterpret_cast<char*>(data) : "");
      if (data != nullptr) XFree(data);
      return 0;
    }
    if (event.type != SelectionRequest) continue;
    const XSelectionRequestEvent& request = event.xselectionrequest;
    XEvent reply{};
    // clang-format off
    reply.xselection = {SelectionNotify, 0, True, display, request.requestor, request.selection,
                        request.target, request.property, request.time};
    // clang-format on
    const Atom offered[] = {targets, utf8, XA_STRING};
    if (request.target == targets)
      XChangeProperty(display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(offered), 3);
    else if (request.target == utf8 || request.target == XA_STRING)
      XChangeProperty(display, request.requestor, request.property, request.target, 8,
                      PropModeReplace, reinterpret_cast<const unsigned char*>(text),
                      static_cast<int>(std::strlen(text)));
    else
      reply.xselection.property = None;
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
  }
}

// The keypad's keys type digits only with NumLock locked; the desktop decides its state.
int SetNumLock(Display* display, const std::string& state) {
  if (state != "on" && state != "off") return -1;
  const unsigned mask = XkbKeysymToModifiers(display, XK_Num_Lock);
  if (mask == 0) return 1;
  XkbLockModifiers(display, XkbUseCoreKbd, mask, state == "on" ? mask : 0);
  XkbStateRec locked;
  XkbGetState(display, XkbUseCoreKbd, &locked);
  return ((locked.locked_mods & mask) != 0) == (state == "on") ? 0 : 1;
}

int Run(Display* display, int argc, char** argv) {
  const std::string command = argv[1];
  if (command == "--num-lock" && argc == 3) return SetNumLock(display, argv[2]);
  if (command == "--clipboard" && argc == 2) return Clipboard(display, nullptr);
  if (command == "--own-clipboard" && argc == 3) return Clipboard(display, argv[2]);
  if (command == "--pixels" && argc == 7) return PrintPixels(display, argv + 2);
  if (command == "--delete" && argc == 3) {
    const Window window = FindMapped(display, argv[2]);
    if (window != None) SendDelete(display, window);
    return window != None ? 0 : 1;
  }
  int settleMs = 300, i = 2;
  if (i + 1 < argc && std::strcmp(argv[i], "--settle") == 0) {
    settleMs = std::atoi(argv[i + 1]);
    i += 2;
  }
  if (command != "--close" || i + 2 >= argc || std::strcmp(argv[i + 1], "--") != 0) return -1;
  return CloseProgram(display, settleMs, argv[i], argv + i + 2);
}

}  // namespace

int main(int argc, char** argv) {
  Display* display = argc >= 2 ? XOpenDisplay(nullptr) : nullptr;
  if (display == nullptr && argc >= 2) {
    std::fputs("numora-window-driver: no X display (run it under xvfb-run)\n", stderr);
    return 2;
  }
  const int status = display != nullptr ? Run(display, argc, argv) : -1;
  if (display != nullptr) XCloseDisplay(display);
  if (status != -1) return status;
  std::fputs(
      "usage: numora-window-driver --close [--settle MS] TITLE -- PROGRAM [ARGS...]\n"
      "       numora-window-driver --delete TITLE | --clipboard | --own-clipboard TEXT\n"
      "       numora-window-driver --pixels WINDOW X Y WIDTH HEIGHT | --num-lock on|off\n",
      stderr);
  return 2;
}
