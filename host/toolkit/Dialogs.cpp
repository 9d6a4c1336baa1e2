#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
TDialogResponder& Responder() {
  static TDialogResponder responder;
  return responder;
}

struct ButtonInfo {
  TMsgDlgBtn button;
  QMessageBox::StandardButton standard;
  int result;
};
constexpr ButtonInfo kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},           {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},              {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},     {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},  {mbAll, QMessageBox::YesToAll, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll}, {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
    {mbHelp, QMessageBox::Help, mrNone},        {mbClose, QMessageBox::Close, mrClose},
};

int DefaultButton(TMsgDlgButtons buttons) {
  for (const auto& b : kButtons)
    if (buttons & (1u << b.button)) return b.button;
  return -1;
}
}  // namespace

void SetDialogResponder(TDialogResponder responder) { Responder() = std::move(responder); }
bool HasDialogResponder() { return bool(Responder()); }
TDialogAnswer AskDialogResponder(const TDialogRequest& request) { return Responder()(request); }

int MessageDlg(const QString& message, TMsgDlgType type, TMsgDlgButtons buttons, int /*helpContext*/,
               int defaultButton) {
  if (defaultButton < 0) defaultButton = DefaultButton(buttons);
  if (HasDialogResponder()) {
    TDialogRequest request;
    request.kind = TDialogRequest::Message;
    request.text = message;
    request.type = type;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    return AskDialogResponder(request).modalResult;
  }
  static const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirm", ""};
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromLatin1(kCaptions[type]));
  box.setText(message);
  box.setIcon(type == mtWarning        ? QMessageBox::Warning
              : type == mtError        ? QMessageBox::Critical
              : type == mtInformation  ? QMessageBox::Information
              : type == mtConfirmation ? QMessageBox::Question
                                       : QMessageBox::NoIcon);
  for (const auto& b : kButtons) {
    if (!(buttons & (1u << b.button))) continue;
    QPushButton* button = box.addButton(b.standard);
    if (b.button == defaultButton) box.setDefaultButton(button);
  }
  box.exec();
  for (const auto& b : kButtons)
    if (box.clickedButton() && box.standardButton(box.clickedButton()) == b.standard) return b.result;
  return mrCancel;
}
