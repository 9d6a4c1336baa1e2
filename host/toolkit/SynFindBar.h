#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QTimer>

class QsciScintillaBase;
class TSynEdit;

// One hit of a search, as byte positions of the editor's text.
struct TSynHit {
  long Start = 0;
  long End = 0;
  friend bool operator==(const TSynHit&, const TSynHit&) = default;
};

// Every hit of `what` in the editor's text, left to right. Hits do not overlap: the search goes on
// after the end of each hit, as replacing all of them does. Case is folded through Unicode unless
// `matchCase`; a whole word has no letter, digit, "_" or non-ASCII character on either side, as the
// editor's own word moves count them. An empty `what` has none.
QList<TSynHit> SynFindAll(QsciScintillaBase& editor, const QString& what, bool matchCase, bool wholeWord);

// The find bar of a code editor, docked above its text and not modal: Ctrl+F opens it for finding,
// Ctrl+H with replacing, Ctrl+G for going to a line. While it is open every hit in view is marked; F3 and
// Shift+F3 (Enter and Shift+Enter in the find field) select the next and previous hit, going round
// at the ends. Replace All is one undo step. Esc closes it, and the editor keeps the focus.
// Owned by the editor.
class TSynFindBar : public QFrame {
  Q_OBJECT
public:
  enum TMode { mdFind, mdReplace, mdGoToLine };
  static constexpr int HitIndicator = 8;

  explicit TSynFindBar(TSynEdit* editor);

  void Open(TMode mode);
  void Close();
  bool FindNext();
  bool FindPrevious();
  // Replaces the selected hit and selects the next; without a selected hit, selects the next.
  bool Replace();
  int ReplaceAll();
  bool GoToLine();
  const QList<TSynHit>& Hits() const { return FHits; }
  TMode Mode() const { return FMode; }

  QLineEdit* FindEdit = nullptr;
  QLineEdit* ReplaceEdit = nullptr;
  QLineEdit* LineEdit = nullptr;
  QCheckBox* MatchCase = nullptr;
  QCheckBox* WholeWord = nullptr;
  QLabel* Status = nullptr;
  QLabel* LineStatus = nullptr;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Mark();
  void MarkVisible();
  void Place();
  void Select(int index);
  int SelectedHit() const;
  bool HandleKey(QObject* watched, QKeyEvent& key);

  TSynEdit* FEditor;
  QList<TSynHit> FHits;
  TMode FMode = mdFind;
  QWidget* FFindRow = nullptr;
  QWidget* FReplaceRow = nullptr;
  QWidget* FLineRow = nullptr;
  QTimer FMarkLater;
  long FMarkedFrom = 0, FMarkedTo = 0;  // the stretch of text whose hits carry the indicator
};
