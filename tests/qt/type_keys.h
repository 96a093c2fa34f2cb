// Typing as a keyboard does in the Qt tests, one key per character, any
// character (QTest::keyClicks knows only ASCII).
#pragma once

#include <QString>
#include <QTest>

namespace folioteer::testing {

inline void Type(QWidget* widget, const QString& text) {
  for (char32_t code : text.toUcs4())
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUcs4(&code, 1), Qt::NoModifier);
}

}  // namespace folioteer::testing
