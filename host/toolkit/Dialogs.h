#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp, mbClose };
using TMsgDlgButtons = unsigned;  // bit (1 << TMsgDlgBtn)
constexpr TMsgDlgButtons MsgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
  TMsgDlgButtons set = 0;
  for (auto b : buttons) set |= 1u << b;
  return set;
}

// Modal results.
constexpr int mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7,
              mrClose = 8, mrAll = 12, mrNoToAll = 13, mrYesToAll = 14;

// Shows a modal message box and returns the modal result of the button pressed (mrCancel when the
// box is closed without one). The default button is the first of Yes, OK, ... present in `buttons`
// unless given.
int MessageDlg(const QString& message, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext,
               int defaultButton = -1);

// What a dialog asked, as a test sees it through the seam.
struct TDialogRequest {
  enum Kind { Message, OpenFile, SaveFile, Form } kind = Message;
  QString text;             // message text, the file dialog's title, or the form's caption
  QWidget* form = nullptr;  // a form shown modally, which the responder may edit before it answers
  TMsgDlgType type = mtCustom;
  TMsgDlgButtons buttons = 0;
  int defaultButton = -1;   // a TMsgDlgBtn
  QString filter;           // "desc|pattern|desc|pattern"
  QString defaultExt;
  QString fileName;         // initial file name
  int filterIndex = 1;
};

struct TDialogAnswer {
  int modalResult = mrCancel;  // for messages; for file dialogs mrOk or mrCancel
  QString fileName;
  int filterIndex = 1;
};

// While a responder is set, every dialog goes to it instead of the screen; tests script answers
// and see what was asked. Set an empty function to show real dialogs again.
using TDialogResponder = std::function<TDialogAnswer(const TDialogRequest&)>;
void SetDialogResponder(TDialogResponder responder);
bool HasDialogResponder();
TDialogAnswer AskDialogResponder(const TDialogRequest& request);

// Open and save dialogs. Filter is "description|pattern|description|pattern", FilterIndex counts
// from 1. Execute shows the dialog (or asks the responder) and returns true when a file was chosen;
// a name chosen without an extension then gets DefaultExt.
// They are components, so a form's layout can hold them.
class TOpenDialog : public QObject {
  Q_OBJECT
  Q_PROPERTY(QString Title MEMBER Title)
  Q_PROPERTY(QString Filter MEMBER Filter)
  Q_PROPERTY(int FilterIndex MEMBER FilterIndex)
  Q_PROPERTY(QString DefaultExt MEMBER DefaultExt)
  Q_PROPERTY(QString FileName MEMBER FileName)
  Q_PROPERTY(QString InitialDir MEMBER InitialDir)
public:
  explicit TOpenDialog(QObject* parent = nullptr) : QObject(parent) {}
  QString Title;
  QString Filter;
  int FilterIndex = 1;
  QString DefaultExt;
  QString FileName;
  QString InitialDir;
  bool Execute(QWidget* parent = nullptr);

protected:
  virtual TDialogRequest::Kind Kind() const { return TDialogRequest::OpenFile; }
};

// Asks nothing about overwriting: the caller decides that.
class TSaveDialog : public TOpenDialog {
  Q_OBJECT
public:
  using TOpenDialog::TOpenDialog;

protected:
  TDialogRequest::Kind Kind() const override { return TDialogRequest::SaveFile; }
};

// "desc|pattern|..." as Qt name filters "desc (pattern pattern)", a description that ends with its
// own patterns in parentheses keeping them once; malformed input raises Exception.
QStringList FilterToNameFilters(const QString& filter);
