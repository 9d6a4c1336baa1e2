#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class TSynEdit;

// One name the completion offers. Scope is the object or class a member belongs to ("Serial" for
// Serial.begin), empty for a free name; Params is the parameter list without parentheses, and
// IsFunction tells "f()" from a name without parentheses.
struct TSynApiEntry {
  enum TKind { Function = 1, Constant, Type, User };
  QString Scope;
  QString Name;
  QString Params;
  bool IsFunction = false;
  TKind Kind = Constant;
  // The declared type of a user's variable, so that "value." can offer that type's members.
  QString TypeName;

  QString Signature() const;  // "Serial.begin(speed)", "HIGH"
};

// A list of names in the API file format QScintilla's API files use: one entry a line,
// "name(params)" for a function, "Scope.name(params)" for a member, "NAME" for anything else; blank
// lines are skipped. Entries of one name with different parameters are overloads.
class TSynApiList {
public:
  // Parses `text`. A line that is no entry of the format is an error naming its line number.
  static TSynApiList Parse(const QString& text);
  void Add(const TSynApiEntry& entry);
  void Append(const TSynApiList& other);
  const QList<TSynApiEntry>& Entries() const { return FEntries; }
  // Entries of `scope` (empty: free names) whose name starts with `prefix`, case ignored.
  QList<const TSynApiEntry*> Matching(const QString& scope, const QString& prefix) const;
  // Every overload of `scope`.`name`, exact case.
  QList<const TSynApiEntry*> Overloads(const QString& scope, const QString& name) const;
  // The type a name was declared with, empty for names without one.
  QString TypeOf(const QString& name) const;
  bool HasScope(const QString& scope) const;

private:
  QList<TSynApiEntry> FEntries;
};

// Completion and call tips for a code editor: a list of names that start with the word before the
// caret (members after "object."), on Ctrl+Space and, with a threshold, after that many typed
// letters of a known name; a call tip with the parameters after "(", the parameter being typed in
// bold. Enter and Tab take the chosen name while the list is open, Esc closes it. Owned by the editor.
class TSynCompletion : public QObject {
  Q_OBJECT
public:
  TSynCompletion(TSynEdit* editor, TSynApiList names);

  // Letters typed before the list opens by itself; 0: only Ctrl+Space opens it.
  void SetThreshold(int letters) { FThreshold = letters; }
  // Names added to the list each time it opens, such as those the user declared elsewhere.
  void SetExtraNames(std::function<TSynApiList()> source) { FExtraNames = std::move(source); }

  // Opens the list for the word before the caret; false when nothing matches. Explicit: also with
  // no letters typed (the whole list).
  bool ShowList(bool explicitly);
  bool ShowCallTip();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CharAdded(int ch);
  void Accepted(const char* selection, int position);
  TSynApiList Names() const;
  // The word before `pos` and the scope before its dot.
  void WordBefore(long pos, QString& scope, QString& word, long& wordStart) const;
  long Caret() const;
  void HighlightParameter();

  TSynEdit* FEditor;
  TSynApiList FNames;
  std::function<TSynApiList()> FExtraNames;
  int FThreshold = 0;
  long FTipStart = -1;  // the "(" of the open call tip
  QByteArray FTip;      // its text
};
