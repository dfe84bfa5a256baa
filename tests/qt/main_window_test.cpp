// The main window as the Qt front end builds it from its template, the
// window's keys, the toolkit operations, and the message and error boxes.

// moc cannot parse the controls' Chinese names; it needs none of these.
#ifndef Q_MOC_RUN
#include "countdown/countdown.h"
#include "platform/qt/grid_timer.h"
#include "platform/qt/qt_window_system.h"
#include "recording_events.h"
#include "shell/main_window_events.h"
#include "shell/window_template.h"
#endif

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <string_view>

using namespace ostrivel;
using ostrivel::testing::controlName;
using ostrivel::testing::RecordingEvents;

Q_DECLARE_METATYPE(ostrivel::Control)

namespace {

// The window of a freshly started program, shown and active.
struct Program {
  QtWindowSystem system;
  RecordingEvents events{system.toolkit()};

  Program() {
    events.windowVisible = [this] { return system.window()->isVisible(); };
    system.loadWindow(mainWindowTemplate, events);
  }
  MainWindowWidget& window() const { return *system.window(); }
  QWidget* widget(Control control) const {
    return qobject_cast<QWidget*>(window().control(control));
  }
  Toolkit& toolkit() { return system.toolkit(); }
};

// What the message box showed while it was open.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::Information;
  qsizetype buttons = 0;
  bool owned = true;
  Qt::WindowModality modality = Qt::NonModal;
  int ticksWhileOpen = 0;
};

class PowerOffCounter final : public PowerOff {
public:
  bool requestPowerOff() override {
    ++requests;
    return false;
  }
  int requests = 0;
};

} // namespace

class MainWindowTest final : public QObject {
  Q_OBJECT

private slots:
  void initTestCase();
  void cleanupTestCase();
  void controlsFollowTheTemplate_data();
  void controlsFollowTheTemplate();
  void windowFrame();
  void startsWithTheFocusInTheHoursField();
  void tabOrder_data();
  void tabOrder();
  void escapeCloses_data();
  void escapeCloses();
  void keyReachesHandlerThenField_data();
  void keyReachesHandlerThenField();
  void enterClicksNoButton();
  void focusReturnsWhenTheWindowIsActivatedAgain();
  void textsShowAtOnce_data();
  void textsShowAtOnce();
  void backgroundFillsTheWholeLabel_data();
  void backgroundFillsTheWholeLabel();
  void timerPeriodThroughTheToolkit();
  void messageBoxLeavesTheTimerTicking();
  void accessibleNames_data();
  void accessibleNames();
  void iconIsTheEmbeddedPicture();
  void countdownFromStartToPowerOff();
  void fatalErrorShowsTheBoxAndExitsWithMinusOne();
};

namespace {

QtMessageHandler testLog = nullptr;

// The offscreen platform warns that it cannot pass size hints on or raise a
// window; nothing here depends on either.
void dropOffscreenWarnings(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (!message.startsWith(QLatin1String("This plugin does not support")) && testLog != nullptr) {
    testLog(type, context, message);
  }
}

} // namespace

void MainWindowTest::initTestCase() { testLog = qInstallMessageHandler(dropOffscreenWarnings); }

void MainWindowTest::cleanupTestCase() { qInstallMessageHandler(testLog); }

void MainWindowTest::controlsFollowTheTemplate_data() {
  QTest::addColumn<Control>("control");
  QTest::addColumn<QString>("className");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("enabled");

  QTest::newRow("编辑框1") << Control::编辑框1 << "QLineEdit" << QRect(7, 16, 48, 32) << "" << true;
  QTest::newRow("编辑框2") << Control::编辑框2 << "QLineEdit" << QRect(87, 16, 48, 32) << ""
                           << true;
  QTest::newRow("编辑框3") << Control::编辑框3 << "QLineEdit" << QRect(173, 15, 48, 32) << ""
                           << true;
  QTest::newRow("按钮1") << Control::按钮1 << "QPushButton" << QRect(8, 56, 56, 32) << "开始"
                         << true;
  QTest::newRow("按钮2") << Control::按钮2 << "QPushButton" << QRect(184, 55, 56, 32) << "清空"
                         << true;
  QTest::newRow("按钮3") << Control::按钮3 << "QPushButton" << QRect(95, 55, 56, 32) << "解除"
                         << false;
  QTest::newRow("标签1") << Control::标签1 << "QLabel" << QRect(62, 16, 24, 32) << "时" << true;
  QTest::newRow("标签2") << Control::标签2 << "QLabel" << QRect(144, 16, 24, 32) << "分" << true;
  QTest::newRow("标签3") << Control::标签3 << "QLabel" << QRect(228, 15, 24, 32) << "秒" << true;
  QTest::newRow("标签4") << Control::标签4 << "QLabel" << QRect(16, 104, 224, 32) << "倒计时"
                         << true;
}

void MainWindowTest::controlsFollowTheTemplate() {
  QFETCH(Control, control);
  QFETCH(QString, className);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);
  QFETCH(bool, enabled);

  Program program;
  QWidget* widget = program.widget(control);
  QVERIFY(widget != nullptr);
  QCOMPARE(QString(widget->metaObject()->className()), className);
  QCOMPARE(widget->parentWidget(), &program.window());
  QCOMPARE(widget->geometry(), geometry);
  QCOMPARE(QString::fromStdString(program.toolkit().getText(control)), text);
  QCOMPARE(widget->isEnabled(), enabled);
  QVERIFY(widget->isVisible());
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    QVERIFY(!button->isDefault());
    QVERIFY(!button->autoDefault());
  }
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    QVERIFY(!label->wordWrap());
    const Qt::Alignment horizontal = control == Control::标签4 ? Qt::AlignHCenter : Qt::AlignLeft;
    QCOMPARE(label->alignment(), horizontal | Qt::AlignVCenter);
  }
}

void MainWindowTest::windowFrame() {
  Program program;
  MainWindowWidget& window = program.window();
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  QCOMPARE(window.windowTitle(), QString("Ostrivel"));
  QCOMPARE(window.frameGeometry().size(), QSize(258, 173)); // no frame offscreen
  QCOMPARE(window.minimumSize(), window.maximumSize());
  const Qt::WindowFlags flags = window.windowFlags();
  QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(window.parentWidget(), nullptr);

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QPoint centred(screen.left() + (screen.width() - 258) / 2,
                       screen.top() + (screen.height() - 173) / 2);
  QCOMPARE(window.frameGeometry().topLeft(), centred);

  // The timer has no visible part and does not run.
  auto* timer = dynamic_cast<GridTimer*>(window.control(Control::时钟1));
  QVERIFY(timer != nullptr);
  QCOMPARE(timer->period(), 0);
}

void MainWindowTest::startsWithTheFocusInTheHoursField() {
  Program program;
  QCOMPARE(program.events.log.value(0), QString("created"));
  QVERIFY(!program.events.visibleWhenCreated);
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  QCOMPARE(QApplication::focusWidget(), program.widget(Control::编辑框1));
  QVERIFY(!program.widget(Control::按钮3)->isEnabled());
}

void MainWindowTest::tabOrder_data() {
  QTest::addColumn<QList<Control>>("enable");
  QTest::addColumn<QList<Control>>("disable");
  QTest::addColumn<Control>("from");
  QTest::addColumn<bool>("backwards");
  QTest::addColumn<QList<Control>>("visited");

  using C = Control;
  QTest::newRow("Tab skips the disabled Cancel")
      << QList<C>{} << QList<C>{} << C::编辑框1 << false
      << QList<C>{C::编辑框2, C::编辑框3, C::按钮1, C::按钮2, C::编辑框1};
  QTest::newRow("Shift+Tab goes back the same way")
      << QList<C>{} << QList<C>{} << C::编辑框1 << true
      << QList<C>{C::按钮2, C::按钮1, C::编辑框3, C::编辑框2, C::编辑框1};
  QTest::newRow("enabled Cancel comes after Clear")
      << QList<C>{C::按钮3} << QList<C>{} << C::按钮1 << false
      << QList<C>{C::按钮2, C::按钮3, C::编辑框1, C::编辑框2};
  QTest::newRow("counting: Cancel alone keeps the focus")
      << QList<C>{C::按钮3} << QList<C>{C::按钮1, C::编辑框1, C::编辑框2, C::编辑框3, C::按钮2}
      << C::按钮3 << false << QList<C>{C::按钮3, C::按钮3};
}

void MainWindowTest::tabOrder() {
  QFETCH(QList<Control>, enable);
  QFETCH(QList<Control>, disable);
  QFETCH(Control, from);
  QFETCH(bool, backwards);
  QFETCH(QList<Control>, visited);

  Program program;
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  for (Control control : enable) {
    program.toolkit().setDisabled(control, false);
  }
  program.toolkit().setFocus(from);
  for (Control control : disable) {
    program.toolkit().setDisabled(control, true);
  }
  QCOMPARE(QApplication::focusWidget(), program.widget(from));

  for (Control expected : visited) {
    if (backwards) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), program.widget(expected));
  }
  // Tab belongs to the window: the fields' handler never sees it (Shift,
  // pressed on its own in a field, does reach it).
  for (const QString& entry : program.events.log) {
    QVERIFY2(!entry.contains(QRegularExpression("^key \\S+ 9 ")), qPrintable(entry));
  }
}

void MainWindowTest::escapeCloses_data() {
  QTest::addColumn<Control>("focus");
  QTest::addColumn<bool>("counting");

  QTest::newRow("hours field") << Control::编辑框1 << false;
  QTest::newRow("seconds field") << Control::编辑框3 << false;
  QTest::newRow("Start") << Control::按钮1 << false;
  QTest::newRow("Clear") << Control::按钮2 << false;
  QTest::newRow("hours field, counting") << Control::编辑框1 << true;
  QTest::newRow("Cancel, counting") << Control::按钮3 << true;
}

void MainWindowTest::escapeCloses() {
  QFETCH(Control, focus);
  QFETCH(bool, counting);

  Program program;
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  program.toolkit().setDisabled(Control::按钮3, false);
  program.toolkit().setFocus(focus);
  if (counting) {
    program.toolkit().setTimerPeriod(Control::时钟1, 50);
    QTRY_VERIFY_WITH_TIMEOUT(program.events.ticks >= 1, 5000);
  }
  QCOMPARE(QApplication::focusWidget(), program.widget(focus));

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  QVERIFY(!program.window().isVisible());
  const int ticksAtClose = program.events.ticks;
  QTest::qWait(200);
  QCOMPARE(program.events.ticks, ticksAtClose);
  QVERIFY2(program.events.log == QStringList{"created"},
           qPrintable(program.events.log.join(" | ")));
}

void MainWindowTest::keyReachesHandlerThenField_data() {
  QTest::addColumn<Control>("field");
  QTest::addColumn<int>("key");
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<QStringList>("log");
  QTest::addColumn<QString>("textAfter");

  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
  QTest::newRow("Return") << Control::编辑框3 << int(Qt::Key_Return) << none
                          << QStringList{"key 编辑框3 13 0 saw '12'", "field took Enter"} << "12";
  QTest::newRow("keypad Enter") << Control::编辑框1 << int(Qt::Key_Enter) << keypad
                                << QStringList{"key 编辑框1 13 0 saw '12'", "field took Enter"}
                                << "12";
  QTest::newRow("keypad 0") << Control::编辑框2 << int(Qt::Key_0) << keypad
                            << QStringList{"key 编辑框2 48 0 saw '12'"} << "120";
  QTest::newRow("keypad 7") << Control::编辑框2 << int(Qt::Key_7) << keypad
                            << QStringList{"key 编辑框2 55 0 saw '12'"} << "127";
  QTest::newRow("keypad 9") << Control::编辑框2 << int(Qt::Key_9) << keypad
                            << QStringList{"key 编辑框2 57 0 saw '12'"} << "129";
  QTest::newRow("main 5") << Control::编辑框1 << int(Qt::Key_5) << none
                          << QStringList{"key 编辑框1 53 0 saw '12'"} << "125";
  QTest::newRow("Shift+A") << Control::编辑框1 << int(Qt::Key_A)
                           << Qt::KeyboardModifiers(Qt::ShiftModifier)
                           << QStringList{"key 编辑框1 16 2 saw '12'", "key 编辑框1 65 2 saw '12'"}
                           << "12a"; // QTest types a letter key's text in lower case
  QTest::newRow("Backspace") << Control::编辑框3 << int(Qt::Key_Backspace) << none
                             << QStringList{"key 编辑框3 8 0 saw '12'"} << "1";
  QTest::newRow("Ctrl+Alt+F5") << Control::编辑框3 << int(Qt::Key_F5)
                               << (Qt::ControlModifier | Qt::AltModifier)
                               << QStringList{"key 编辑框3 17 1 saw '12'",
                                              "key 编辑框3 18 5 saw '12'",
                                              "key 编辑框3 116 5 saw '12'"}
                               << "12";
}

void MainWindowTest::keyReachesHandlerThenField() {
  QFETCH(Control, field);
  QFETCH(int, key);
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(QStringList, log);
  QFETCH(QString, textAfter);

  Program program;
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  auto* edit = qobject_cast<QLineEdit*>(program.widget(field));
  QVERIFY(edit != nullptr);
  program.toolkit().setText(field, "12");
  program.toolkit().setFocus(field);
  edit->setCursorPosition(2);
  QObject::connect(edit, &QLineEdit::returnPressed,
                   [&] { program.events.log << QStringLiteral("field took Enter"); });
  program.events.log.clear();

  QTest::keyClick(edit, static_cast<Qt::Key>(key), modifiers);
  QCOMPARE(program.events.log, log);
  QCOMPARE(edit->text(), textAfter);
}

void MainWindowTest::enterClicksNoButton() {
  Program program;
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  program.toolkit().setDisabled(Control::按钮3, false);
  for (Control field : {Control::编辑框1, Control::编辑框2, Control::编辑框3}) {
    program.toolkit().setFocus(field);
    QTest::keyClick(program.widget(field), Qt::Key_Return);
    QTest::keyClick(program.widget(field), Qt::Key_Enter, Qt::KeypadModifier);
  }
  QTest::qWait(50);
  for (const QString& entry : program.events.log) {
    QVERIFY2(!entry.startsWith("click"), qPrintable(entry));
  }
  QCOMPARE(program.events.log.size(), 1 + 6);
}

void MainWindowTest::focusReturnsWhenTheWindowIsActivatedAgain() {
  Program program;
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  program.toolkit().setFocus(Control::编辑框2);

  QWidget other;
  other.setGeometry(10, 10, 100, 100);
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  QVERIFY(QApplication::focusWidget() != program.widget(Control::编辑框2));

  program.window().activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  QCOMPARE(QApplication::focusWidget(), program.widget(Control::编辑框2));
}

void MainWindowTest::textsShowAtOnce_data() {
  QTest::addColumn<Control>("control");
  QTest::addColumn<QString>("text");

  QTest::newRow("status line") << Control::标签4 << "0时0分1秒  后关机！！";
  QTest::newRow("empty status line") << Control::标签4 << "";
  QTest::newRow("field, full-width digits") << Control::编辑框2 << "１２";
  QTest::newRow("field emptied") << Control::编辑框1 << "";
  QTest::newRow("button caption") << Control::按钮1 << "开始";
}

void MainWindowTest::textsShowAtOnce() {
  QFETCH(Control, control);
  QFETCH(QString, text);

  Program program;
  program.toolkit().setText(control, "old");
  const QByteArray utf8 = text.toUtf8();
  program.toolkit().setText(control, std::string_view(utf8.constData(), size_t(utf8.size())));
  QCOMPARE(QString::fromStdString(program.toolkit().getText(control)), text);
  if (auto* label = qobject_cast<QLabel*>(program.widget(control))) {
    QCOMPARE(label->text(), text);
  }
  if (auto* edit = qobject_cast<QLineEdit*>(program.widget(control))) {
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->cursorPosition(), 0);
  }
}

void MainWindowTest::backgroundFillsTheWholeLabel_data() {
  QTest::addColumn<quint32>("colour");
  QTest::addColumn<QColor>("expected");

  QTest::newRow("yellow") << quint32(0x0000FFFF) << QColor(255, 255, 0);
  QTest::newRow("blue in 0x00BBGGRR") << quint32(0x00FF0000) << QColor(0, 0, 255);
  QTest::newRow("mixed") << quint32(0x00123456) << QColor(0x56, 0x34, 0x12);
  QTest::newRow("default is the button face")
      << quint32(defaultColour) << QApplication::palette().color(QPalette::Button);
}

void MainWindowTest::backgroundFillsTheWholeLabel() {
  QFETCH(quint32, colour);
  QFETCH(QColor, expected);

  Program program;
  QVERIFY(QTest::qWaitForWindowExposed(&program.window()));
  auto* label = qobject_cast<QLabel*>(program.widget(Control::标签4));
  program.toolkit().setBackgroundColour(Control::标签4, 0x00AABBCC);
  program.toolkit().setBackgroundColour(Control::标签4, colour);
  QVERIFY(label->autoFillBackground());
  QCOMPARE(label->palette().color(QPalette::Window), expected);

  const QImage image = label->grab().toImage();
  for (const QPoint corner :
       {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1),
        QPoint(image.width() - 1, image.height() - 1)}) {
    QCOMPARE(image.pixelColor(corner).rgb(), expected.rgb());
  }
}

void MainWindowTest::timerPeriodThroughTheToolkit() {
  Program program;
  program.toolkit().setTimerPeriod(Control::时钟1, 50);
  QTRY_VERIFY_WITH_TIMEOUT(program.events.ticks >= 2, 5000);
  program.toolkit().setTimerPeriod(Control::时钟1, -1);
  const int ticksAtStop = program.events.ticks;
  QTest::qWait(200);
  QCOMPARE(program.events.ticks, ticksAtStop);
}

void MainWindowTest::messageBoxLeavesTheTimerTicking() {
  Program program;
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  program.toolkit().setFocus(Control::编辑框3);
  program.toolkit().setTimerPeriod(Control::时钟1, 50);

  SeenBox seen;
  int ticksAtOpen = -1;
  QTimer watcher;
  QElapsedTimer openFor;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return;
    }
    if (ticksAtOpen < 0) {
      ticksAtOpen = program.events.ticks;
      openFor.start();
      seen.title = box->windowTitle();
      seen.text = box->text();
      seen.icon = box->icon();
      seen.buttons = box->buttons().size();
      seen.owned = box->parent() != nullptr;
      seen.modality = box->windowModality();
    }
    seen.ticksWhileOpen = program.events.ticks - ticksAtOpen;
    if (seen.ticksWhileOpen >= 3 || openFor.elapsed() > 5000) {
      box->button(QMessageBox::Ok)->click();
    }
  });
  watcher.start(10);
  program.toolkit().showMessage("时间不能为空！！");
  watcher.stop();

  QCOMPARE(seen.title, QString("信息："));
  QCOMPARE(seen.text, QString("时间不能为空！！"));
  QCOMPARE(seen.icon, QMessageBox::NoIcon);
  QCOMPARE(seen.buttons, qsizetype(1));
  QVERIFY(!seen.owned);
  QCOMPARE(seen.modality, Qt::ApplicationModal);
  QVERIFY2(seen.ticksWhileOpen >= 3, qPrintable(QString::number(seen.ticksWhileOpen)));

  // Closing the box gives the focus back to the field that had it.
  QVERIFY(QTest::qWaitForWindowActive(&program.window()));
  QTRY_COMPARE(QApplication::focusWidget(), program.widget(Control::编辑框3));
  program.toolkit().setTimerPeriod(Control::时钟1, 0);
}

void MainWindowTest::accessibleNames_data() {
  QTest::addColumn<Control>("control");
  QTest::addColumn<QString>("name");

  QTest::newRow("hours field") << Control::编辑框1 << "小时";
  QTest::newRow("minutes field") << Control::编辑框2 << "分钟";
  QTest::newRow("seconds field") << Control::编辑框3 << "秒";
  QTest::newRow("Start, by its caption") << Control::按钮1 << "开始";
  QTest::newRow("unit label, by its text") << Control::标签1 << "时";
  QTest::newRow("status line, by its live text") << Control::标签4 << "0时1分0秒  后关机！！";
}

void MainWindowTest::accessibleNames() {
  QFETCH(Control, control);
  QFETCH(QString, name);

  Program program;
  program.toolkit().setText(Control::标签4, "0时1分0秒  后关机！！");
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(program.widget(control));
  QVERIFY(accessible != nullptr);
  QCOMPARE(accessible->text(QAccessible::Name), name);
  if (qobject_cast<QLabel*>(program.widget(control)) != nullptr) {
    QVERIFY(program.widget(control)->accessibleName().isEmpty()); // not frozen
  }
}

void MainWindowTest::iconIsTheEmbeddedPicture() {
  Program program;
  const QImage icon = program.window().windowIcon().pixmap(QSize(64, 64)).toImage();
  QVERIFY2(!icon.isNull(), "the SVG icon did not load: is Qt's SVG plugin installed?");
  QCOMPARE(icon.size(), QSize(64, 64));
  QCOMPARE(icon.pixelColor(0, 0).alpha(), 0); // outside the round face
  const QColor face = icon.pixelColor(15, 25);
  QVERIFY2(face.red() > 220 && face.green() > 220 && face.blue() > 220, qPrintable(face.name()));
  const QColor rim = icon.pixelColor(32, 4);
  QVERIFY2(rim.blue() > rim.red() && rim.red() < 80, qPrintable(rim.name()));
}

// Hands every operation on to the Qt toolkit and keeps each status line
// the logic writes, so no sampling can miss one.
class StatusLineRecorder final : public Toolkit {
public:
  explicit StatusLineRecorder(Toolkit& toolkit) : m_toolkit(toolkit) {}

  std::string getText(Control control) override { return m_toolkit.getText(control); }
  void setText(Control control, std::string_view text) override {
    m_toolkit.setText(control, text);
    if (control == Control::标签4) {
      shown << QString::fromStdString(m_toolkit.getText(control));
    }
  }
  void setDisabled(Control control, bool disabled) override {
    m_toolkit.setDisabled(control, disabled);
  }
  void setBackgroundColour(Control label, Colour colour) override {
    m_toolkit.setBackgroundColour(label, colour);
  }
  void setTimerPeriod(Control timer, int milliseconds) override {
    m_toolkit.setTimerPeriod(timer, milliseconds);
  }
  void setFocus(Control control) override { m_toolkit.setFocus(control); }
  void showMessage(std::string_view text) override { m_toolkit.showMessage(text); }

  QStringList shown;

private:
  Toolkit& m_toolkit;
};

// The road of the shortest countdown with the program's own handlers: 2 in
// the seconds field, Start, then two status lines a second apart and one
// power-off request.
void MainWindowTest::countdownFromStartToPowerOff() {
  QtWindowSystem system;
  StatusLineRecorder toolkit(system.toolkit());
  PowerOffCounter powerOff;
  Countdown countdown(toolkit, powerOff);
  MainWindowEvents events(mainWindowTemplate, toolkit, countdown);
  QVERIFY(system.loadWindow(mainWindowTemplate, events));
  QVERIFY(QTest::qWaitForWindowActive(system.window()));
  auto* seconds = qobject_cast<QLineEdit*>(system.window()->control(Control::编辑框3));
  auto* status = qobject_cast<QLabel*>(system.window()->control(Control::标签4));

  seconds->setFocus();
  QTest::keyClicks(seconds, "2");
  QElapsedTimer sinceStart;
  sinceStart.start();
  QTest::mouseClick(qobject_cast<QWidget*>(system.window()->control(Control::按钮1)),
                    Qt::LeftButton);
  QCOMPARE(status->text(), QString("倒计时")); // until the first tick
  QTRY_VERIFY_WITH_TIMEOUT(powerOff.requests == 1, 10000);

  QVERIFY(sinceStart.elapsed() >= 2000);
  QCOMPARE(toolkit.shown, (QStringList{"0时0分1秒  后关机！！", "0时0分0秒  后关机！！"}));
  QCOMPARE(status->text(), QString("0时0分0秒  后关机！！"));
  QCOMPARE(status->palette().color(QPalette::Window), QColor(255, 255, 0));
  QVERIFY(!seconds->isEnabled());
  QTest::qWait(1200);
  QCOMPARE(powerOff.requests, 1);
}

// fatalError ends the process, so a child copy of this test runs it.
void MainWindowTest::fatalErrorShowsTheBoxAndExitsWithMinusOne() {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {"--fatal-error-child"});
  QVERIFY(child.waitForFinished(30000));
  QCOMPARE(child.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.exitCode(), 255);
  QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()),
           QString("错误|载入启动窗口失败|critical|1 button|no owner\n"));
}

namespace {

int runFatalErrorChild() {
  QtWindowSystem system;
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      std::exit(3);
    }
    const QString seen = QStringLiteral("%1|%2|%3|%4 button|%5\n")
                             .arg(box->windowTitle(), box->text(),
                                  box->icon() == QMessageBox::Critical ? "critical" : "other")
                             .arg(box->buttons().size())
                             .arg(box->parent() == nullptr ? "no owner" : "owned");
    std::fputs(seen.toUtf8().constData(), stdout);
    std::fflush(stdout);
    box->button(QMessageBox::Ok)->click();
  });
  system.fatalError("载入启动窗口失败");
}

} // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc > 1 && std::string_view(argv[1]) == "--fatal-error-child") {
    runFatalErrorChild();
  }
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
