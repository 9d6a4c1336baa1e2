#pragma once

#include "toolkit/Dialogs.h"

#include <deque>
#include <vector>

// Answers the dialogs a test provokes, in order, and records what each asked. Unexpected dialogs
// (more than scripted) answer Cancel and are still recorded, so a test can assert on them.
class TDialogScript {
public:
  TDialogScript();
  ~TDialogScript();
  TDialogScript& Answer(int modalResult);
  TDialogScript& AnswerFile(const QString& fileName, int filterIndex = 1);
  const std::vector<TDialogRequest>& Asked() const { return FAsked; }

private:
  std::deque<TDialogAnswer> FAnswers;
  std::vector<TDialogRequest> FAsked;
};
