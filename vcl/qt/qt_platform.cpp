// Qt side of the backend: the application object, the event loop, the
// clipboard, the screen and the beep.
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vcl/qt/detail/qt_common.h"
#include "vcl/windows/detail/backend.h"

namespace vcl::backend {

namespace {
QGuiApplication* App = nullptr;
int DefaultArgc = 1;
char ArgName[] = "vcl";
char* DefaultArgv[] = {ArgName, nullptr};

// Without a session (a service, a container, a CI job) there is no runtime
// directory, and Qt warns on every start before it falls back to
// /tmp/runtime-<user>. That directory is made here, private as a session's
// is, so the program starts quietly; one that is not ours is left alone.
void EnsureRuntimeDir() {
  if (std::getenv("XDG_RUNTIME_DIR"))
    return;
  const std::string Dir = "/tmp/runtime-" + std::to_string(getuid());
  if (mkdir(Dir.c_str(), 0700) != 0 && errno != EEXIST)
    return;
  struct stat Info;
  if (lstat(Dir.c_str(), &Info) != 0 || !S_ISDIR(Info.st_mode) || Info.st_uid != getuid())
    return;
  if ((Info.st_mode & 0777) != 0700 && chmod(Dir.c_str(), 0700) != 0)
    return;
  setenv("XDG_RUNTIME_DIR", Dir.c_str(), 0);
}
} // namespace

void StartPlatform(bool Headless, int* Argc, char** Argv) {
  if (App)
    return;
  InstallAccessibility();
  // A program that made its own application object (a QApplication for
  // Qt's widgets beside ours, as the comparison benchmark does) keeps it.
  if (auto* Existing = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    App = Existing;
    return;
  }
  // Without a display to talk to, the windowing system would abort: go offscreen.
  const bool NoDisplay = !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY");
  if (Headless || (NoDisplay && !std::getenv("QT_QPA_PLATFORM")))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  EnsureRuntimeDir();
  if (!Argc || !Argv || *Argc < 1) {
    Argc = &DefaultArgc;
    Argv = DefaultArgv;
  }
  App = new QGuiApplication(*Argc, Argv);
  QGuiApplication::setQuitOnLastWindowClosed(false);
}

bool PlatformStarted() {
  return App != nullptr;
}

bool HasDisplay() {
  if (!App)
    return false;
  const QString Name = QGuiApplication::platformName();
  return Name != QLatin1String("offscreen") && Name != QLatin1String("minimal");
}

void ProcessEvents(bool Wait) {
  if (!App)
    return;
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(Wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
}

void ScheduleWakeUp(int DelayMs, std::function<void()> Due) {
  if (!App)
    return;
  // One timer for the platform: only the earliest wake-up matters.
  static QTimer* Timer = nullptr;
  static std::function<void()> Pending;
  if (!Timer) {
    Timer = new QTimer(App);
    Timer->setSingleShot(true);
    QObject::connect(Timer, &QTimer::timeout, [] {
      const std::function<void()> Call = std::move(Pending);
      Pending = nullptr;
      if (Call)
        Call();
    });
  }
  Pending = std::move(Due);
  Timer->start(DelayMs);
}

void Beep() {
  std::fputc('\a', stderr);
  std::fflush(stderr);
}

bool GrabScreen(TPixelBuffer& Out) {
  if (!App || !QGuiApplication::primaryScreen())
    return false;
  const QImage Shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
      QImage::Format_RGB32);
  if (Shot.isNull())
    return false;
  Out.SetSize(Shot.width(), Shot.height());
  for (int Y = 0; Y < Shot.height(); ++Y) {
    const auto* Line = reinterpret_cast<const std::uint32_t*>(Shot.constScanLine(Y));
    std::copy(Line, Line + Shot.width(), Out.Line(Y));
  }
  return true;
}

TPoint ScreenSize() {
  if (!App || !QGuiApplication::primaryScreen())
    return {1024, 768};
  const QSize S = QGuiApplication::primaryScreen()->size();
  return {S.width(), S.height()};
}

bool ClipboardHasText() {
  if (!App)
    return false;
  const QMimeData* Data = QGuiApplication::clipboard()->mimeData();
  return Data && Data->hasText();
}

std::string ClipboardText() {
  return App ? ToUtf8(QGuiApplication::clipboard()->text()) : std::string();
}

void SetClipboardText(const std::string& Text) {
  if (App)
    QGuiApplication::clipboard()->setText(FromUtf8(Text));
}

void ClearClipboard() {
  if (App)
    QGuiApplication::clipboard()->clear();
}

} // namespace vcl::backend
