#pragma once

#include "toolkit/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

// Answers the dialogs a test provokes, in order, and records what each asked. Unexpected dialogs
// (more than scripted) answer Cancel and are still recorded, so a test can assert on them.
class TDialogScript {
public:
  TDialogScript();
  ~TDialogScript();
  TDialogScript& Answer(int modalResult);
  TDialogScript& AnswerFile(const QString& fileName, int filterIndex = 1);
  // A modal form: `edit` works on the form as a user would and returns its modal result.
  TDialogScript& AnswerForm(std::function<int(QWidget* form)> edit);
  const std::vector<TDialogRequest>& Asked() const { return FAsked; }

private:
  struct TScripted {
    TDialogAnswer answer;
    std::function<int(QWidget*)> edit;
  };
  std::deque<TScripted> FAnswers;
  std::vector<TDialogRequest> FAsked;
};
