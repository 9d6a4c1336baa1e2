#include "DialogScript.h"

TDialogScript::TDialogScript() {
  SetDialogResponder([this](const TDialogRequest& request) {
    FAsked.push_back(request);
    if (FAnswers.empty()) return TDialogAnswer{};
    TDialogAnswer answer = FAnswers.front();
    FAnswers.pop_front();
    return answer;
  });
}

TDialogScript::~TDialogScript() { SetDialogResponder(nullptr); }

TDialogScript& TDialogScript::Answer(int modalResult) {
  FAnswers.push_back(TDialogAnswer{modalResult, {}, 1});
  return *this;
}

TDialogScript& TDialogScript::AnswerFile(const QString& fileName, int filterIndex) {
  FAnswers.push_back(TDialogAnswer{mrOk, fileName, filterIndex});
  return *this;
}
