#pragma once

#include "PropertyGridView.h"
#include "MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

// What a user does to type a value into an inspector row: make the row current, F2, replace the
// text, Enter; then the events that apply it.
inline bool TypeIntoRow(TMainWindow& window, const QString& path, const QString& text) {
  TInspectorView* view = window.Inspector();
  if (!view->SetCurrentRow(path)) return false;
  QApplication::setActiveWindow(view->window());
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F2);
  auto* line = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (!line) return false;
  line->selectAll();
  QTest::keyClicks(line, text);
  QTest::keyClick(line, Qt::Key_Return);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return true;
}
