#include "DialogScript.h"

TDialogScript::TDialogScript() {
  SetDialogResponder([this](const TDialogRequest& request) {
    FAsked.push_back(request);
    if (FAnswers.empty()) return TDialogAnswer{};
    TScripted next = std::move(FAnswers.front());
    FAnswers.pop_front();
    if (next.edit) next.answer.modalResult = next.edit(request.form);
    return next.answer;
  });
}

TDialogScript::~TDialogScript() { SetDialogResponder(nullptr); }

TDialogScript& TDialogScript::Answer(int modalResult) {
  FAnswers.push_back({TDialogAnswer{modalResult, {}, 1}, nullptr});
  return *this;
}

TDialogScript& TDialogScript::AnswerFile(const QString& fileName, int filterIndex) {
  FAnswers.push_back({TDialogAnswer{mrOk, fileName, filterIndex}, nullptr});
  return *this;
}

TDialogScript& TDialogScript::AnswerForm(std::function<int(QWidget*)> edit) {
  FAnswers.push_back({TDialogAnswer{mrCancel, {}, 1}, std::move(edit)});
  return *this;
}
