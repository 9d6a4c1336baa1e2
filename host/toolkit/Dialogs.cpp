#include "Dialogs.h"

#include "runtime/Exceptions.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>

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

QStringList FilterToNameFilters(const QString& filter) {
  QStringList result;
  if (filter.isEmpty()) return result;
  const QStringList parts = filter.split(QLatin1Char('|'));
  if (parts.size() % 2 != 0)
    throw Exception(QStringLiteral("Invalid filter \"%1\": descriptions and patterns must come in pairs").arg(filter));
  static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
  static const QRegularExpression trailingGroup(QStringLiteral("^(.*?)\\s*\\(([^()]*)\\)\\s*$"));
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString patterns = parts[i + 1].split(separators, Qt::SkipEmptyParts).join(QLatin1Char(' '));
    // Classic descriptions name their patterns already ("GIF Image (*.gif)"); Qt reads the last
    // group in parentheses as the patterns, separated by spaces, so that group is written once.
    QString description = parts[i];
    const QRegularExpressionMatch named = trailingGroup.match(description);
    if (named.hasMatch() && named.captured(2).split(separators, Qt::SkipEmptyParts).join(QLatin1Char(' ')) == patterns)
      description = named.captured(1);
    result << QStringLiteral("%1 (%2)").arg(description, patterns);
  }
  return result;
}

bool TOpenDialog::Execute(QWidget* parent) {
  const QStringList nameFilters = FilterToNameFilters(Filter);
  QString chosen;
  if (HasDialogResponder()) {
    TDialogRequest request;
    request.kind = Kind();
    request.text = Title;
    request.filter = Filter;
    request.defaultExt = DefaultExt;
    request.fileName = FileName;
    request.filterIndex = FilterIndex;
    const TDialogAnswer answer = AskDialogResponder(request);
    if (answer.modalResult != mrOk || answer.fileName.isEmpty()) return false;
    chosen = answer.fileName;
    FilterIndex = answer.filterIndex;
  } else {
    QFileDialog dialog(parent ? parent : QApplication::activeWindow(), Title);
    const bool save = Kind() == TDialogRequest::SaveFile;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!InitialDir.isEmpty()) dialog.setDirectory(InitialDir);
    if (!nameFilters.isEmpty()) {
      dialog.setNameFilters(nameFilters);
      dialog.selectNameFilter(nameFilters.value(std::clamp(FilterIndex, 1, int(nameFilters.size())) - 1));
    }
    if (!FileName.isEmpty()) dialog.selectFile(FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    chosen = dialog.selectedFiles().first();
    FilterIndex = int(nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
    if (FilterIndex < 1) FilterIndex = 1;
  }
  if (!DefaultExt.isEmpty() && QFileInfo(chosen).suffix().isEmpty() && !chosen.endsWith(QLatin1Char('.')))
    chosen += QLatin1Char('.') + DefaultExt;
  FileName = chosen;
  return true;
}
