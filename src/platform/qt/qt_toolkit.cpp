#include "platform/qt/qt_toolkit.h"

#include "platform/qt/grid_timer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace ostrivel {
namespace {

QString toQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// 0x00BBGGRR as Qt's colour; defaultColour is the palette's button face.
QColor toQColor(Colour colour, const QPalette& palette) {
  if (colour == defaultColour) {
    return palette.color(QPalette::Button);
  }
  return {static_cast<int>(colour & 0xFFU), static_cast<int>((colour >> 8U) & 0xFFU),
          static_cast<int>((colour >> 16U) & 0xFFU)};
}

} // namespace

QObject* QtToolkit::find(Control control) const {
  return m_window != nullptr ? m_window->control(control) : nullptr;
}

std::string QtToolkit::getText(Control control) {
  QString text;
  QObject* object = find(control);
  if (auto* field = qobject_cast<QLineEdit*>(object)) {
    text = field->text();
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    text = label->text();
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    text = button->text();
  }
  return text.toUtf8().toStdString();
}

void QtToolkit::setText(Control control, std::string_view text) {
  QObject* object = find(control);
  if (auto* field = qobject_cast<QLineEdit*>(object)) {
    field->setText(toQString(text));
    field->setCursorPosition(0);
  } else if (auto* label = qobject_cast<QLabel*>(object)) {
    label->setText(toQString(text));
  } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
    button->setText(toQString(text));
  }
}

void QtToolkit::setDisabled(Control control, bool disabled) {
  if (auto* widget = qobject_cast<QWidget*>(find(control))) {
    widget->setEnabled(!disabled);
  }
}

void QtToolkit::setBackgroundColour(Control label, Colour colour) {
  auto* widget = qobject_cast<QLabel*>(find(label));
  if (widget == nullptr) {
    return;
  }
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, toQColor(colour, palette));
  widget->setPalette(palette); // schedules the repaint of the whole label
}

void QtToolkit::setTimerPeriod(Control timer, int milliseconds) {
  if (auto* gridTimer = dynamic_cast<GridTimer*>(find(timer))) {
    gridTimer->setPeriod(milliseconds);
  }
}

void QtToolkit::setFocus(Control control) {
  if (auto* widget = qobject_cast<QWidget*>(find(control))) {
    widget->setFocus(Qt::OtherFocusReason);
  }
}

void QtToolkit::showMessage(std::string_view text) {
  // No owner, application-modal: every window of the program waits for it,
  // while exec()'s own event loop keeps the timer's ticks coming.
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："), toQString(text), QMessageBox::Ok,
                  nullptr);
  box.setWindowModality(Qt::ApplicationModal);
  const QPointer<QWidget> wasActive = QApplication::activeWindow();
  box.exec();
  // Without a window manager nobody hands the keyboard back once the box is
  // gone; the window that had it takes it again, and with it the control
  // that had the focus.
  if (wasActive != nullptr && wasActive->isVisible()) {
    wasActive->activateWindow();
  }
}

} // namespace ostrivel
