#pragma once

#include <QApplication>
#include <exception>

// The application object of a host. An error raised by an event handler (a button's click, a key in
// an editor, a failed image load) reaches one error report, a message box naming it, and the event
// loop goes on; Qt itself must never see the exception. Handlers bound by a form's layout report
// their errors where they are called (FormLayout); notify catches what event overrides raise.
class TApplication : public QApplication {
  Q_OBJECT
public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
  // The error report; message boxes go through the dialog seam.
  static void ShowException(const std::exception& error);
};
