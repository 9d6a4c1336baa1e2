// Shows the package's dialogs and forms on a real display and saves each as PNG, to look at the
// layouts as users see them: velto-screenshots [DIR [FILTER]], FILTER a regular expression on the
// picture names.
#include "Shots.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
  const QRegularExpression filter(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
  if (!filter.isValid()) {
    std::fprintf(stderr, "velto-screenshots: the filter is no regular expression: %s\n", qPrintable(filter.errorString()));
    return 2;
  }
  if (!QDir().mkpath(dir)) {
    std::fprintf(stderr, "velto-screenshots: cannot create %s\n", qPrintable(dir));
    return 1;
  }
  TShots shots(dir, filter);
  // Settings such as the import options come from a file of this run only, not the user's.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, shots.TempDir());

  TShotGroups groups;
  AddPixelEditorShots(groups);
  AddJsonShots(groups);
  AddPropertyEditorShots(groups);
  AddCodeStringShots(groups);
  QStringList failed;
  for (const TShotGroup& group : groups) {
    const auto wanted = [&](const QString& name) { return shots.Wants(name); };
    if (std::none_of(group.Pictures.begin(), group.Pictures.end(), wanted)) continue;
    const bool ok = group.Take(shots);
    // A step that went wrong without saying so still shows as a picture missing.
    const auto missing = [&](const QString& name) { return wanted(name) && !shots.Written().contains(name); };
    if (!ok || std::any_of(group.Pictures.begin(), group.Pictures.end(), missing))
      failed << group.Pictures.join(QStringLiteral(", "));
  }
  for (const QString& pictures : failed) std::fprintf(stderr, "velto-screenshots: failed: %s\n", qPrintable(pictures));
  if (shots.Written().isEmpty() && failed.isEmpty()) {
    std::fprintf(stderr, "velto-screenshots: no picture's name matches %s\n", qPrintable(filter.pattern()));
    return 2;
  }
  return failed.isEmpty() ? 0 : 1;
}
