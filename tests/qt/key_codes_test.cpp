// The numbers the key-press event carries for Qt's keys.

#include "platform/qt/key_codes.h"

#include <QTest>

using namespace ostrivel;

class KeyCodesTest final : public QObject {
  Q_OBJECT

private slots:
  void keyCode_data();
  void keyCode();
  void modifierFlags_data();
  void modifierFlags();
};

void KeyCodesTest::keyCode_data() {
  QTest::addColumn<int>("qtKey");
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<int>("expected");

  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
  QTest::newRow("Return") << int(Qt::Key_Return) << none << 13;
  QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << keypad << 13;
  QTest::newRow("main 0") << int(Qt::Key_0) << none << 48;
  QTest::newRow("main 9") << int(Qt::Key_9) << none << 57;
  QTest::newRow("keypad 0") << int(Qt::Key_0) << keypad << 48;
  QTest::newRow("keypad 5") << int(Qt::Key_5) << keypad << 53;
  QTest::newRow("keypad 9") << int(Qt::Key_9) << keypad << 57;
  QTest::newRow("A") << int(Qt::Key_A) << none << 65;
  QTest::newRow("Z with Shift") << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 90;
  QTest::newRow("F1") << int(Qt::Key_F1) << none << 112;
  QTest::newRow("F12") << int(Qt::Key_F12) << none << 123;
  QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << 8;
  QTest::newRow("Tab") << int(Qt::Key_Tab) << none << 9;
  QTest::newRow("Esc") << int(Qt::Key_Escape) << none << 27;
  QTest::newRow("Space") << int(Qt::Key_Space) << none << 32;
  QTest::newRow("Left") << int(Qt::Key_Left) << none << 37;
  QTest::newRow("Delete") << int(Qt::Key_Delete) << none << 46;
  QTest::newRow("keypad Home without NumLock") << int(Qt::Key_Home) << keypad << 36;
  QTest::newRow("main minus") << int(Qt::Key_Minus) << none << 189;
  QTest::newRow("keypad minus") << int(Qt::Key_Minus) << keypad << 109;
  QTest::newRow("main period") << int(Qt::Key_Period) << none << 190;
  QTest::newRow("keypad decimal point") << int(Qt::Key_Period) << keypad << 110;
  QTest::newRow("main plus, Shift and =") << int(Qt::Key_Plus) << none << 187;
  QTest::newRow("keypad plus") << int(Qt::Key_Plus) << keypad << 107;
  QTest::newRow("keypad times") << int(Qt::Key_Asterisk) << keypad << 106;
  QTest::newRow("Shift and 8") << int(Qt::Key_Asterisk) << none << 56;
  QTest::newRow("Shift and 0") << int(Qt::Key_ParenRight) << none << 48;
  QTest::newRow("input method key") << int(Qt::Key_unknown) << none << 0;
  QTest::newRow("Cyrillic letter") << int(0x0416) << none << 0;
}

void KeyCodesTest::keyCode() {
  QFETCH(int, qtKey);
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(int, expected);
  QCOMPARE(ostrivel::keyCode(qtKey, modifiers), expected);
}

void KeyCodesTest::modifierFlags_data() {
  QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
  QTest::addColumn<int>("expected");

  QTest::newRow("none") << Qt::KeyboardModifiers(Qt::NoModifier) << 0;
  QTest::newRow("Ctrl") << Qt::KeyboardModifiers(Qt::ControlModifier) << 1;
  QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << 2;
  QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier) << 4;
  QTest::newRow("Ctrl+Alt") << (Qt::ControlModifier | Qt::AltModifier) << 5;
  QTest::newRow("all three") << (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier) << 7;
  QTest::newRow("keypad is not a modifier") << Qt::KeyboardModifiers(Qt::KeypadModifier) << 0;
  QTest::newRow("Meta is not a modifier") << Qt::KeyboardModifiers(Qt::MetaModifier) << 0;
}

void KeyCodesTest::modifierFlags() {
  QFETCH(Qt::KeyboardModifiers, modifiers);
  QFETCH(int, expected);
  QCOMPARE(ostrivel::modifierFlags(modifiers), expected);
}

QTEST_APPLESS_MAIN(KeyCodesTest)
#include "key_codes_test.moc"
