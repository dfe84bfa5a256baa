#include "platform/qt/main_window_widget.h"

#include "platform/qt/grid_timer.h"
#include "platform/qt/key_codes.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace ostrivel {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::size_t indexOf(Control name) { return static_cast<std::size_t>(name); }

// A fixed frame: title bar with the system menu, minimise and close; no
// maximise, no resizing.
Qt::WindowFlags frameFlags(const WindowTemplate& window) {
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (window.minimiseBox) {
    flags |= Qt::WindowMinimizeButtonHint;
  }
  if (window.maximiseBox) {
    flags |= Qt::WindowMaximizeButtonHint;
  }
  return flags;
}

void placeControl(QWidget& widget, const ControlTemplate& control) {
  const Geometry& g = control.geometry;
  widget.setGeometry(g.left, g.top, g.width, g.height);
  widget.setEnabled(!control.disabled);
  widget.setVisible(control.visible);
  if (!control.accessibleName.empty()) {
    widget.setAccessibleName(toQString(control.accessibleName));
  }
}

Qt::Alignment labelAlignment(Alignment alignment) {
  return (alignment == Alignment::centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

MainWindowWidget::MainWindowWidget(const WindowTemplate& window, ToolkitEvents& events)
    : QWidget(nullptr, frameFlags(window)), m_events(events),
      m_outerSize(window.outerWidth, window.outerHeight) {
  setWindowTitle(toQString(window.caption));
  setWindowIcon(QIcon(QStringLiteral(":/ostrivel.svg")));
  setFixedSize(m_outerSize);
  setAutoFillBackground(true);
  QPalette buttonFace = palette();
  buttonFace.setColor(QPalette::Window, buttonFace.color(QPalette::Button));
  setPalette(buttonFace);

  for (const ControlTemplate& control : window.controls) {
    m_controls[indexOf(control.name)] = createControl(control);
  }
  chainTabOrder(window);
  installEventFilter(this);
}

QObject* MainWindowWidget::control(Control name) const {
  const std::size_t index = indexOf(name);
  return index < m_controls.size() ? m_controls[index] : nullptr;
}

void MainWindowWidget::showCentred(const QScreen& screen) {
  // Centre in the screen's own coordinates (device-independent pixels, so a
  // high-DPI screen scales the 96-DPI geometry). move() places the frame.
  const QRect area = screen.geometry();
  const Point corner =
      centredPosition(area.width(), area.height(), m_outerSize.width(), m_outerSize.height());
  move(area.left() + corner.x, area.top() + corner.y);
  show();
  activateWindow();
}

QObject* MainWindowWidget::createControl(const ControlTemplate& control) {
  switch (control.kind) {
  case ControlKind::editBox:
    return createEditBox(control);
  case ControlKind::button:
    return createButton(control);
  case ControlKind::label:
    return createLabel(control);
  case ControlKind::timer:
    return createTimer(control);
  }
  return nullptr;
}

QWidget* MainWindowWidget::createEditBox(const ControlTemplate& control) {
  auto* field = new QLineEdit(toQString(control.text), this);
  field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  field->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
  QPalette blackOnWhite = field->palette();
  blackOnWhite.setColor(QPalette::Base, Qt::white);
  blackOnWhite.setColor(QPalette::Text, Qt::black);
  field->setPalette(blackOnWhite);
  field->setCursorPosition(0);
  field->installEventFilter(this);
  placeControl(*field, control);
  return field;
}

QWidget* MainWindowWidget::createButton(const ControlTemplate& control) {
  auto* button = new QPushButton(toQString(control.text), this);
  // Not a default button: Enter in a field must never click it.
  button->setAutoDefault(false);
  button->setDefault(false);
  button->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
  const Control name = control.name;
  QObject::connect(button, &QPushButton::clicked, this, [this, name] { m_events.clicked(name); });
  button->installEventFilter(this);
  placeControl(*button, control);
  return button;
}

QWidget* MainWindowWidget::createLabel(const ControlTemplate& control) {
  auto* label = new QLabel(toQString(control.text), this);
  label->setAlignment(labelAlignment(control.alignment));
  label->setWordWrap(false);
  label->setTextFormat(Qt::PlainText);
  // The label paints its whole area: the Window role of its own palette.
  label->setAutoFillBackground(true);
  QPalette colours = label->palette();
  colours.setColor(QPalette::Window, colours.color(QPalette::Button));
  colours.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(colours);
  placeControl(*label, control);
  return label;
}

QObject* MainWindowWidget::createTimer(const ControlTemplate& control) {
  const Control name = control.name;
  return new GridTimer([this, name] { m_events.timerFired(name); }, this);
}

void MainWindowWidget::chainTabOrder(const WindowTemplate& window) {
  QWidget* previous = nullptr;
  for (const ControlTemplate& control : window.controls) {
    auto* widget = qobject_cast<QWidget*>(m_controls[indexOf(control.name)]);
    if (widget == nullptr || !control.tabStop) {
      continue;
    }
    if (previous != nullptr) {
      QWidget::setTabOrder(previous, widget);
    }
    previous = widget;
  }
}

bool MainWindowWidget::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  if (event->type() == QEvent::Show || event->type() == QEvent::Move ||
      event->type() == QEvent::Resize) {
    fitOuterSize();
  }
  return handled;
}

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) {
    return QWidget::eventFilter(watched, event);
  }
  const auto& key = *dynamic_cast<const QKeyEvent*>(event);
  if (handleEscape(key)) {
    return true;
  }
  if (qobject_cast<QLineEdit*>(watched) != nullptr) {
    passKeyToHandler(watched, key);
  }
  return false; // the control still gets the key
}

bool MainWindowWidget::handleEscape(const QKeyEvent& key) {
  if (key.key() != Qt::Key_Escape) {
    return false;
  }
  close();
  return true;
}

void MainWindowWidget::passKeyToHandler(QObject* field, const QKeyEvent& key) {
  // Tab and Shift+Tab belong to the window, which moves the focus with them.
  const bool navigation = (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) &&
                          !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  if (navigation) {
    return;
  }
  for (std::size_t index = 0; index < m_controls.size(); ++index) {
    if (m_controls[index] == field) {
      m_events.keyPressed(static_cast<Control>(index), keyCode(key.key(), key.modifiers()),
                          modifierFlags(key.modifiers()));
      return;
    }
  }
}

void MainWindowWidget::fitOuterSize() {
  // frameGeometry() includes the frame once the window manager has drawn
  // one; with no window manager it equals geometry() and nothing changes.
  const QSize frame = frameGeometry().size() - size();
  const QSize client = m_outerSize - frame;
  if (client != size() && client.isValid()) {
    setFixedSize(client);
  }
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
  // Closing during a countdown ends it: no tick may follow, so no power-off.
  stopTimers();
  QWidget::closeEvent(event);
}

void MainWindowWidget::stopTimers() {
  for (QObject* object : m_controls) {
    if (auto* timer = dynamic_cast<GridTimer*>(object)) {
      timer->setPeriod(0);
    }
  }
}

} // namespace ostrivel
