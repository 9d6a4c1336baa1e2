// The designer's --screenshot mode: the window with a document drawn to a PNG instead of waiting
// for the user, optionally with a component selected, inspector rows opened, a row's context menu,
// in-place form or drop-down list shown, and a row's dialog drawn to a second PNG.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TDesignSession;
class TMainWindow;

struct TDesignerShot {
  QString File;
  QStringList Documents;  // the first one is opened
  std::optional<QString> Select;
  QStringList Expand;
  std::optional<QString> MenuRow;
  std::optional<QString> Row;
  std::optional<QString> Execute;
  QString DialogFile;  // for Execute
};

// The process's exit code: 0, 1 when the picture cannot be written, 2 when something asked for
// (the document, a component, a row, a dialog) was not there; the picture is written either way.
int TakeDesignerShot(TMainWindow& window, TDesignSession& session, const TDesignerShot& shot);
