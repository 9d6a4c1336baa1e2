// The JSON text dialog the JSON components' "Parse JSON ..." commands open, with a sample object.
#include "Shots.h"

#include "StringArrayList.h"
#include "framework/AdvancedStringsEditorForm.h"

#include <Qsci/qsciscintilla.h>

namespace {
bool ShootJsonText(TShots& shots) {
  TAdvancedStringsEditorForm form;
  form.setWindowTitle(QStringLiteral("JSON Object"));
  TStringArrayList lines;
  lines.SetText(QStringLiteral("{\n  \"topic\": \"home/temp\",\n  \"value\": 21.5,\n  \"ok\": true,\n"
                               "  \"tags\": [{\"id\": 1}],\n  \"meta\": {\"count\": 3}\n}"));
  form.SetLines(lines);
  if (!Present(form)) return false;
  form.GetEditor()->setCursorPosition(1, 11);
  Settle();
  return shots.SaveWidget(form, QStringLiteral("JsonTextDialog"));
}
}  // namespace

void AddJsonShots(TShotGroups& groups) { groups.push_back({{QStringLiteral("JsonTextDialog")}, ShootJsonText}); }
