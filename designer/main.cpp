#include "DesignSession.h"
#include "DesignerShot.h"
#include "MainWindow.h"
#include "PackageLoader.h"
#include "framework/Registration.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSet>
#include <QTimer>
#include <cstdio>
#include <cstring>

namespace {
bool HasOption(int argc, char** argv, std::initializer_list<const char*> names) {
  for (int i = 1; i < argc; ++i)
    for (const char* name : names)
      if (std::strcmp(argv[i], name) == 0 ||
          (std::strncmp(argv[i], name, std::strlen(name)) == 0 && argv[i][std::strlen(name)] == '='))
        return true;
  return false;
}

void PrintErrors(const TPackageLoader& loader) {
  for (const auto& e : loader.Errors())
    std::fprintf(stderr, "velto-designer: cannot load package %s: %s\n", qPrintable(e.FileName), qPrintable(e.Reason));
}

int ListRegistrations(const TPackageLoader& loader) {
  for (const auto& package : loader.Packages())
    if (package->Registered)
      std::printf("package %s \"%s\"\n", qPrintable(package->Name), qPrintable(package->Description));
  for (const auto& registration : TDesignRegistry::Instance().Registrations())
    std::printf("%s\n", qPrintable(FormatRegistration(registration)));
  PrintErrors(loader);
  return 0;
}

// A document with one component of every class on the palette, to keep the example current.
// Starts from `samples` when given (components with content worth showing, such as pictures), then
// adds one component of each palette class the samples lack.
int WriteDemo(const QString& fileName, const QString& samples) {
  TDesignSession session;
  try {
    if (!samples.isEmpty()) session.Open(samples);
    QSet<TClass> present;
    for (int i = 0; i < session.Document().GetCount(); ++i) present.insert(session.Document().GetComponent(i)->metaObject());
    for (TClass cls : TDesignRegistry::Instance().PaletteClasses())
      if (!present.contains(cls)) session.AddComponent(cls);
    session.Save(fileName);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "velto-designer: %s\n", e.what());
    return 1;
  }
  std::printf("%s: %d components\n", qPrintable(fileName), session.Document().GetCount());
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  // Modes that open no window run on the offscreen platform, so they work without a display.
  const bool headless = HasOption(
      argc, argv, {"--list-registrations", "--screenshot", "--new-demo", "-h", "--help", "-v", "--version"});
  if (headless) PrepareHeadless();

  TApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velto-designer"));
  QApplication::setApplicationVersion(QStringLiteral(VELTO_VERSION));
  // The editors' layouts are drawn for the classic desktop look: flat tool buttons, sunken grids.
  QApplication::setStyle(QStringLiteral("Windows"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Velto design-time host: loads packages and edits design documents."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption packagesOption(QStringLiteral("packages"),
                                          QStringLiteral("Also load the packages in <dir>."), QStringLiteral("dir"));
  const QCommandLineOption listOption(
      QStringLiteral("list-registrations"),
      QStringLiteral("Print every package loaded and every registration made, then exit."));
  const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                            QStringLiteral("Render the window with the document to <png> and exit."),
                                            QStringLiteral("png"));
  const QCommandLineOption demoOption(
      QStringLiteral("new-demo"),
      QStringLiteral("Write a document with one component of each palette class to <file>, starting from the "
                     "components of the document given, if any."),
      QStringLiteral("file"));
  const QCommandLineOption selectOption(QStringLiteral("select"),
                                        QStringLiteral("With --screenshot: select the component named <name> first."),
                                        QStringLiteral("name"));
  const QCommandLineOption executeOption(
      QStringLiteral("execute"),
      QStringLiteral("With --screenshot: then open the dialog of the inspector row <property>, render it to the "
                     "png given with --dialog and cancel it."),
      QStringLiteral("property"));
  const QCommandLineOption dialogOption(QStringLiteral("dialog"), QStringLiteral("The png for --execute."),
                                        QStringLiteral("png"));
  const QCommandLineOption rowOption(
      QStringLiteral("row"),
      QStringLiteral("With --screenshot: make the inspector row <property> current first (its in-place form opens; "
                     "its drop-down list is shown)."),
      QStringLiteral("property"));
  const QCommandLineOption expandOption(
      QStringLiteral("expand"),
      QStringLiteral("With --screenshot: open the inspector row <path> (\"Font\", \"Elements.0\"); may be repeated."),
      QStringLiteral("path"));
  const QCommandLineOption menuOption(QStringLiteral("row-menu"),
                                      QStringLiteral("With --screenshot: show the context menu of the inspector row <path>."),
                                      QStringLiteral("path"));
  parser.addOptions({packagesOption, listOption, screenshotOption, selectOption, rowOption, executeOption, dialogOption,
                     demoOption, expandOption, menuOption});
  parser.addPositionalArgument(QStringLiteral("document"), QStringLiteral("The design document to open (.vdoc)."),
                               QStringLiteral("[document]"));
  parser.process(app);

  // Declared before the session and window so the packages outlive every object of their classes.
  TPackageLoader loader;
  loader.LoadFolders(TPackageLoader::DefaultFolders() + parser.values(packagesOption));

  if (parser.isSet(listOption)) return ListRegistrations(loader);
  if (parser.isSet(demoOption)) {
    PrintErrors(loader);
    return WriteDemo(parser.value(demoOption), parser.positionalArguments().value(0));
  }

  const bool screenshot = parser.isSet(screenshotOption);
  TDesignSession session;
  TMainWindow window(&session, screenshot);
  const QStringList documents = parser.positionalArguments();

  if (screenshot) {
    PrintErrors(loader);
    TDesignerShot shot;
    shot.File = parser.value(screenshotOption);
    shot.Documents = documents;
    if (parser.isSet(selectOption)) shot.Select = parser.value(selectOption);
    shot.Expand = parser.values(expandOption);
    if (parser.isSet(menuOption)) shot.MenuRow = parser.value(menuOption);
    if (parser.isSet(rowOption)) shot.Row = parser.value(rowOption);
    if (parser.isSet(executeOption)) shot.Execute = parser.value(executeOption);
    shot.DialogFile = parser.value(dialogOption);
    return TakeDesignerShot(window, session, shot);
  }

  window.show();
  // Once the window is up: the document, then the package errors as one message.
  QTimer::singleShot(0, &window, [&] {
    if (!documents.isEmpty()) window.OpenFile(documents.first());
    if (!loader.Errors().empty())
      window.ReportError(QStringLiteral("Some packages could not be loaded:\n\n") + loader.ErrorReport());
  });
  return app.exec();
}
