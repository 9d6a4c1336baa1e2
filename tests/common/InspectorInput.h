#pragma once

#include "InspectorView.h"
#include "MainWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

// What a user does to type a value into an inspector row: make the row current, F2, replace the
// text, Enter; then the events that apply it.
inline bool TypeIntoRow(TMainWindow& window, const QString& path, const QString& text) {
  TInspectorView* view = window.Inspector();
  if (!view->SetCurrentRow(path)) return false;
  view->setFocus();
  QTest::keyClick(view, Qt::Key_F2);
  auto* line = view->viewport()->findChild<QLineEdit*>();
  if (!line) return false;
  line->selectAll();
  QTest::keyClicks(line, text);
  QTest::keyClick(line, Qt::Key_Return);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return true;
}
