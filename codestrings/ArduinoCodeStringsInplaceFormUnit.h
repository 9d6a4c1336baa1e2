#pragma once
// Module Velto.ArduinoCodeStringsInplaceFormUnit: the code editor inside an inspector row.

#include "codestrings/ResizableInplaceFormUnit.h"

// A small C++ source editor for a code string, with a switch that shows white space and line ends
// and the resize grip. Its text is the property value both ways; every change of the text is
// reported through the change callback. Esc leaves the editor for the row that holds the form (the
// text typed is written already); Ctrl+Tab stays in the editor and does nothing, so that it cannot
// move the inspector's row under the user's hands.
class TArduinoCodeStringsInplaceForm : public TResizableInplaceForm {
  Q_OBJECT
public:
  TArduinoCodeStringsInplaceForm(QWidget* owner, IModifiable* modifiable, IDesigner* designer, TChangeCallback onChange);

  void SetValue(const QString& value);
  QString GetValue() const;

  // Controls of the layout.
  TPanel* Panel1 = nullptr;
  TCheckBox* SpecialCharactersCheckBox = nullptr;
  TSynEdit* Editor = nullptr;
  TPopupMenu* PopupMenu = nullptr;
  TMenuItem* SelectAllAction = nullptr;
  TMenuItem* CopyAction = nullptr;
  TMenuItem* PasteAction = nullptr;
  TSynCppSyn* SynCppSyn1 = nullptr;
  // Completion of the Arduino core's names, on Ctrl+Space only.
  TSynCompletion* Completion = nullptr;

public slots:
  virtual void SpecialCharactersCheckBoxClick(QObject* Sender = nullptr);
  virtual void EditorChange(QObject* Sender = nullptr);
  virtual void EditorEnter(QObject* Sender = nullptr);
  virtual void EditorExit(QObject* Sender = nullptr);
  virtual void SelectAllActionExecute(QObject* Sender = nullptr);
  virtual void CopyActionExecute(QObject* Sender = nullptr);
  virtual void PasteActionExecute(QObject* Sender = nullptr);

  // Gives the focus to the nearest control around the form that takes it.
  void LeaveEditor();

protected:
  void BindControls() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};
