#include "Application.h"

#include "Dialogs.h"
#include "runtime/Exceptions.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return false;
}

void TApplication::ShowException(const std::exception& error) {
  const auto* own = dynamic_cast<const Exception*>(&error);
  MessageDlg(own ? own->Message() : QString::fromUtf8(error.what()), mtError, MsgButtons({mbOK}), 0);
}
