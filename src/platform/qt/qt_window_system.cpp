#include "platform/qt/qt_window_system.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>

#include <cstdlib>

// The embedded icon lives in a static library, where nothing would pull its
// resource in: register it by hand (outside any namespace, as Qt requires).
static void registerResources() { Q_INIT_RESOURCE(ostrivel); }

namespace ostrivel {

QtWindowSystem::QtWindowSystem() { registerResources(); }

QtWindowSystem::~QtWindowSystem() { m_toolkit.attach(nullptr); }

bool QtWindowSystem::loadWindow(const WindowTemplate& window, ToolkitEvents& events) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return false;
  }
  m_window = std::make_unique<MainWindowWidget>(window, events);
  m_toolkit.attach(m_window.get());
  events.windowCreated(); // the window is still hidden
  m_window->showCentred(*screen);
  return true;
}

void QtWindowSystem::runEventLoop() {
  // The main window is the program's only lasting window: closing it ends
  // the loop.
  QApplication::setQuitOnLastWindowClosed(true);
  QApplication::exec();
  m_toolkit.attach(nullptr);
  m_window.reset();
}

void QtWindowSystem::fatalError(std::string_view message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"),
                  QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                  QMessageBox::Ok, nullptr);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  std::exit(-1);
}

} // namespace ostrivel
