// The picture program's frame: where pictures go, which of them are wanted, and the ways a window
// is brought on screen and grabbed.
#pragma once

#include <QPixmap>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

class QWidget;

class TShots {
public:
  TShots(const QString& dir, const QRegularExpression& filter) : FDir(dir), FFilter(filter) {}

  bool Wants(const QString& name) const { return FFilter.match(name).hasMatch(); }
  // A scratch file of this run (pictures to load, settings).
  QString TempDir() const { return FTemp.path(); }
  QString TempPath(const QString& name) const { return FTemp.filePath(name); }

  // Saves `<dir>/<name>.png` when the filter wants it; false only when a wanted picture is not written.
  bool Save(const QPixmap& picture, const QString& name);
  bool Save(const QImage& picture, const QString& name);
  // The window as it draws itself.
  bool SaveWidget(QWidget& window, const QString& name);
  // What the screen shows there: pop-up lists and tips are windows of their own.
  bool SaveScreen(const QRect& area, const QString& name);

  // The names of the pictures saved so far.
  const QStringList& Written() const { return FWritten; }

private:
  QString FDir;
  QRegularExpression FFilter;
  QTemporaryDir FTemp;
  QStringList FWritten;
};

// Shows the window, brings it to the front and waits until it is on screen.
bool Present(QWidget& window);
// Lets the window finish drawing (caret, focus frames, delayed layouts) before it is grabbed.
void Settle();

// Pictures that are taken together because each step builds on the one before.
struct TShotGroup {
  QStringList Pictures;
  std::function<bool(TShots&)> Take;
};
using TShotGroups = std::vector<TShotGroup>;

void AddPixelEditorShots(TShotGroups& groups);
void AddJsonShots(TShotGroups& groups);
void AddPropertyEditorShots(TShotGroups& groups);
void AddCodeStringShots(TShotGroups& groups);
