#pragma once

#include "StringArrayList.h"
#include "toolkit/Forms.h"
#include "toolkit/SynEdit.h"

#include <functional>
#include <memory>

// The host's modal multi-line text dialog: a code editor over the lines of a string list, with OK
// (Enter outside the editor) and Cancel (Esc). A package's form inherits its layout and may change
// the Editor, such as giving it a highlighter.
class TAdvancedStringsEditorForm : public TForm {
  Q_OBJECT
public:
  explicit TAdvancedStringsEditorForm(QWidget* parent = nullptr);
  ~TAdvancedStringsEditorForm() override;

  // Shows exactly the list's lines, with no undo history.
  void SetLines(const IStringArrayList& lines);
  // Replaces the list's lines with the editor's.
  void GetLines(IStringArrayList& lines) const;
  TSynEdit* GetEditor() const { return Editor; }

  // Shows the dialog with `caption` over `lines`. True when confirmed; `lines` then holds the edited
  // text. On cancel `lines` is left as it was.
  static bool Execute(const QString& caption, const std::shared_ptr<IStringArrayList>& lines);

  // While a hook is set, Execute hands its caption and list to it instead of showing the dialog;
  // the hook edits the list and returns whether it confirmed. Tests answer the dialog through it.
  using TExecuteHook = std::function<bool(const QString& caption, const std::shared_ptr<IStringArrayList>& lines)>;
  static void SetExecuteHook(TExecuteHook hook);

  // Controls of the layout.
  TSynEdit* Editor = nullptr;
  TPanel* Panel1 = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

public slots:
  virtual void FormShow(QObject* Sender);

protected:
  // For descendants, whose constructors load their own layout.
  struct TOwnLayout {};
  TAdvancedStringsEditorForm(QWidget* parent, TOwnLayout);
  void BindControls() override;
};
