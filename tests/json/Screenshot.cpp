// Shows the JSON text dialog the JSON components' "Parse JSON ..." commands open, with a sample
// object, and saves it as PNG: xvfb-run -a bin/json_screenshot DIR
#include "framework/AdvancedStringsEditorForm.h"
#include "StringArrayList.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTest>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  TAdvancedStringsEditorForm form;
  form.setWindowTitle(QStringLiteral("JSON Object"));
  TStringArrayList lines;
  lines.SetText(QStringLiteral("{\n  \"topic\": \"home/temp\",\n  \"value\": 21.5,\n  \"ok\": true,\n"
                               "  \"tags\": [{\"id\": 1}],\n  \"meta\": {\"count\": 3}\n}"));
  form.SetLines(lines);
  form.show();
  form.activateWindow();
  bool ok = QTest::qWaitForWindowExposed(&form);
  form.GetEditor()->setCursorPosition(1, 11);
  QTest::qWait(200);
  ok = ok && form.grab().save(dir + QStringLiteral("/JsonTextDialog.png"));
  std::printf("%s\n", ok ? "saved" : "failed");
  return ok ? 0 : 1;
}
