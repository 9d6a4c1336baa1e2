// The code dialog over a small sketch (also with its find bar, completion list and call tip) and
// the in-place code editor in a row.
#include "Shots.h"

#include "codestrings/ArduinoCodeStringsEditorFormUnit.h"

#include <QTest>

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
bool Shoot(TShots& shots, QWidget& window, QWidget* focus, const QString& name) {
  if (!Present(window)) return false;
  if (focus) focus->setFocus();
  Settle();
  return shots.SaveScreen(window.frameGeometry(), name);
}

// Each picture continues from the dialog as the one before left it.
bool ShootDialog(TShots& shots) {
  auto* dialog = Designer::GetForm<TArduinoCodeStringsEditorForm>();
  dialog->SetCaption(QStringLiteral("Loop"));
  TStringArrayList lines;
  lines.SetText(QString::fromLatin1(Sketch));
  dialog->SetLines(lines);
  dialog->Editor->setCursorPosition(14, 4);
  bool ok = Shoot(shots, *dialog, dialog->Editor, QStringLiteral("CodeEditorForm"));

  // The find bar with its hits marked, the second one selected.
  QTest::keyClick(dialog->Editor, Qt::Key_H, Qt::ControlModifier);
  QTest::keyClicks(dialog->FindBar->FindEdit, QStringLiteral("angle"));
  QTest::keyClicks(dialog->FindBar->ReplaceEdit, QStringLiteral("degrees"));
  QTest::keyClick(dialog->FindBar->FindEdit, Qt::Key_F3);
  QTest::keyClick(dialog->FindBar->FindEdit, Qt::Key_F3);
  ok &= Shoot(shots, *dialog, dialog->FindBar->FindEdit, QStringLiteral("CodeEditorFind"));
  QTest::keyClick(dialog->FindBar->FindEdit, Qt::Key_Escape);

  // Completion: the list of names for the letters typed, then the call tip of the one taken.
  dialog->Editor->setCursorPosition(16, 0);
  QTest::keyClick(dialog->Editor, Qt::Key_End);
  QTest::keyClick(dialog->Editor, Qt::Key_Return);
  QTest::keyClicks(dialog->Editor, QStringLiteral("Serial.pri"));
  ok &= Shoot(shots, *dialog, nullptr, QStringLiteral("CodeEditorCompletion"));
  QTest::keyClick(dialog->Editor, Qt::Key_Down);
  QTest::keyClick(dialog->Editor, Qt::Key_Down);
  QTest::keyClick(dialog->Editor, Qt::Key_Return);
  QTest::keyClicks(dialog->Editor, QStringLiteral("angle, "));
  ok &= Shoot(shots, *dialog, nullptr, QStringLiteral("CodeEditorCallTip"));
  dialog->hide();
  return ok;
}

// The in-place editor as a row of the inspector shows it, special characters on.
bool ShootInplace(TShots& shots) {
  QWidget inspector;
  inspector.resize(360, 260);
  inspector.setWindowTitle(QStringLiteral("Inspector"));
  TArduinoCodeStringsInplaceForm form(nullptr, nullptr, nullptr, nullptr);
  form.SetParentControl(&inspector);
  form.SetBounds(10, 10, 340, 240);
  form.SetValue(QString::fromLatin1(Sketch).section(QLatin1Char('\n'), 11, 17));
  form.SpecialCharactersCheckBox->setChecked(true);
  return Shoot(shots, inspector, form.Editor, QStringLiteral("CodeStringsInplaceForm"));
}
}  // namespace

void AddCodeStringShots(TShotGroups& groups) {
  groups.push_back({{QStringLiteral("CodeEditorForm"), QStringLiteral("CodeEditorFind"), QStringLiteral("CodeEditorCompletion"),
                     QStringLiteral("CodeEditorCallTip")},
                    ShootDialog});
  groups.push_back({{QStringLiteral("CodeStringsInplaceForm")}, ShootInplace});
}
