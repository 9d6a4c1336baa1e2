#pragma once

#include <QObject>

class TSynEdit;

// Editing help for a code editor: Ctrl+/ comments or uncomments the selected lines (one undo step),
// the brace at the caret and its partner are highlighted and an unmatched brace marked, and a new
// line keeps the previous line's indentation, one level more after "{"; a "}" typed as the first
// character of a line goes back one level. Owned by the editor; nothing here changes the text
// unless the user asks.
class TSynEditHelp : public QObject {
  Q_OBJECT
public:
  explicit TSynEditHelp(TSynEdit* editor);

  // Comments the lines of the selection (or the caret's line) with "// " at their least
  // indentation, or, when every non-blank one is commented already, removes that comment mark.
  // Blank lines stay as they are. One undo step, one change.
  static void ToggleComment(TSynEdit& editor);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CharAdded(int ch);
  TSynEdit* FEditor;
};
