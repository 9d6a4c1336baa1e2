#pragma once

#include "runtime/StringArrayList.h"

#include <QDialog>
#include <functional>
#include <memory>

class QsciScintilla;
namespace Ui {
class TAdvancedStringsEditorForm;
}

// The host's modal multi-line text dialog: a code editor over the lines of a string list.
class TAdvancedStringsEditorForm : public QDialog {
  Q_OBJECT
public:
  explicit TAdvancedStringsEditorForm(QWidget* parent = nullptr);
  ~TAdvancedStringsEditorForm() override;

  void SetLines(const IStringArrayList& lines);
  // Replaces the list's lines with the editor's text.
  void GetLines(IStringArrayList& lines) const;
  QsciScintilla* GetEditor() const;

  // Shows the dialog with `caption` over `lines`. True when confirmed; `lines` then holds the edited
  // text. On cancel `lines` is left as it was.
  static bool Execute(const QString& caption, const std::shared_ptr<IStringArrayList>& lines);

  // While a hook is set, Execute hands its caption and list to it instead of showing the dialog;
  // the hook edits the list and returns whether it confirmed. Tests answer the dialog through it.
  using TExecuteHook = std::function<bool(const QString& caption, const std::shared_ptr<IStringArrayList>& lines)>;
  static void SetExecuteHook(TExecuteHook hook);

private:
  std::unique_ptr<Ui::TAdvancedStringsEditorForm> ui;
};
