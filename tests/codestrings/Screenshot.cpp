// The code dialog over a small sketch (also with its find bar, completion list and call tip) and the
// in-place code editor in a row, saved as PNG: xvfb-run -a bin/codestrings_screenshot DIR
#include "codestrings/ArduinoCodeStringsEditorFormUnit.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <cstdio>

namespace {
const char* const Sketch = R"(#include <Servo.h>

// Sweeps the servo while the button is held.
const float Step = 1.5;
Servo servo;

void setup() {
  servo.attach(9);
  pinMode(2, INPUT_PULLUP);
}

void loop() {
  static float angle = 0.0;
  if (digitalRead(2) == LOW) {
    angle = angle + Step;
    if (angle > 180) angle = 0;
    servo.write(int(angle));
  }
  Serial.println("angle");
  delay(15);
})";

// The screen under the window: the completion list and the call tip are windows of their own.
bool Shoot(QWidget& window, QWidget* focus, const QString& file) {
  window.show();
  window.activateWindow();
  if (!QTest::qWaitForWindowExposed(&window)) return false;
  if (focus) focus->setFocus();
  QTest::qWait(200);
  const QRect frame = window.frameGeometry();
  return window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(file);
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  bool ok = true;

  auto* dialog = Designer::GetForm<TArduinoCodeStringsEditorForm>();
  dialog->SetCaption(QStringLiteral("Loop"));
  TStringArrayList lines;
  lines.SetText(QString::fromLatin1(Sketch));
  dialog->SetLines(lines);
  dialog->Editor->setCursorPosition(14, 4);
  ok &= Shoot(*dialog, dialog->Editor, dir + QStringLiteral("/CodeEditorForm.png"));

  // The find bar with its hits marked, the second one selected.
  QTest::keyClick(dialog->Editor, Qt::Key_H, Qt::ControlModifier);
  QTest::keyClicks(dialog->FindBar->FindEdit, QStringLiteral("angle"));
  QTest::keyClicks(dialog->FindBar->ReplaceEdit, QStringLiteral("degrees"));
  QTest::keyClick(dialog->FindBar->FindEdit, Qt::Key_F3);
  QTest::keyClick(dialog->FindBar->FindEdit, Qt::Key_F3);
  ok &= Shoot(*dialog, dialog->FindBar->FindEdit, dir + QStringLiteral("/CodeEditorFind.png"));
  QTest::keyClick(dialog->FindBar->FindEdit, Qt::Key_Escape);

  // Completion: the list of names for the letters typed, then the call tip of the one taken.
  dialog->Editor->setCursorPosition(16, 0);
  QTest::keyClick(dialog->Editor, Qt::Key_End);
  QTest::keyClick(dialog->Editor, Qt::Key_Return);
  QTest::keyClicks(dialog->Editor, QStringLiteral("Serial.pri"));
  ok &= Shoot(*dialog, nullptr, dir + QStringLiteral("/CodeEditorCompletion.png"));
  QTest::keyClick(dialog->Editor, Qt::Key_Down);
  QTest::keyClick(dialog->Editor, Qt::Key_Down);
  QTest::keyClick(dialog->Editor, Qt::Key_Return);
  QTest::keyClicks(dialog->Editor, QStringLiteral("angle, "));
  ok &= Shoot(*dialog, nullptr, dir + QStringLiteral("/CodeEditorCallTip.png"));
  dialog->hide();

  // The in-place editor as a row of the inspector shows it, special characters on.
  QWidget inspector;
  inspector.resize(360, 260);
  inspector.setWindowTitle(QStringLiteral("Inspector"));
  TArduinoCodeStringsInplaceForm form(nullptr, nullptr, nullptr, nullptr);
  form.SetParentControl(&inspector);
  form.SetBounds(10, 10, 340, 240);
  form.SetValue(QString::fromLatin1(Sketch).section(QLatin1Char('\n'), 11, 17));
  form.SpecialCharactersCheckBox->setChecked(true);
  ok &= Shoot(inspector, form.Editor, dir + QStringLiteral("/CodeStringsInplaceForm.png"));

  std::printf("%s\n", ok ? "saved" : "failed");
  return ok ? 0 : 1;
}
