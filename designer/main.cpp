#include "DesignSession.h"
#include "EditorCell.h"
#include "PropertyGridView.h"
#include "MainWindow.h"
#include "PackageLoader.h"
#include "framework/Registration.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMenu>
#include <QPainter>
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
// Makes a row current, as a click would (its in-place form opens), and pictures the window; a row
// with a list of choices shows it popped up with its first group open.
bool ShootRow(TMainWindow& window, const QString& row, QPixmap& picture) {
  if (!window.SetCurrentRow(row)) {
    std::fprintf(stderr, "velto-designer: no inspector row %s\n", qPrintable(row));
    return false;
  }
  QApplication::processEvents();
  picture = window.grab();
  TEditorCell* cell = window.EditorCellOf(row);
  if (!cell || !cell->DropDown()) return true;
  // The lists are windows of their own: drawn onto the picture where they pop up.
  std::unique_ptr<QMenu> list(cell->CreateDropDown(nullptr));
  const QPoint below = cell->mapToGlobal(QPoint(0, cell->height()));
  const QPoint at = window.mapFromGlobal(below);
  list->popup(below);
  QApplication::processEvents();
  QPainter painter(&picture);
  painter.drawPixmap(at, list->grab());
  if (QAction* first = list->actions().value(0); first && first->menu()) {
    const QRect item = list->actionGeometry(first);
    first->menu()->popup(list->mapToGlobal(item.topRight()));
    QApplication::processEvents();
    painter.drawPixmap(at + item.topRight(), first->menu()->grab());
  }
  return true;
}

// Opens inspector rows, then pictures the window; with `menuRow`, that row's context menu is drawn
// where it pops up.
bool ShootInspector(TMainWindow& window, const QStringList& expand, const QString& menuRow, QPixmap& picture) {
  TInspectorView* inspector = window.Inspector();
  for (const QString& path : expand)
    if (!inspector->ExpandRow(path)) {
      std::fprintf(stderr, "velto-designer: no inspector row %s\n", qPrintable(path));
      return false;
    }
  QApplication::processEvents();
  picture = window.grab();
  if (menuRow.isEmpty()) return true;
  const QModelIndex row = inspector->Model()->Find(menuRow);
  if (!row.isValid()) {
    std::fprintf(stderr, "velto-designer: no inspector row %s\n", qPrintable(menuRow));
    return false;
  }
  inspector->setCurrentIndex(row);
  QApplication::processEvents();
  picture = window.grab();
  std::unique_ptr<QMenu> menu(inspector->CreateContextMenu(row, nullptr));
  const QPoint at = inspector->viewport()->mapTo(&window, inspector->visualRect(row).center());
  menu->popup(window.mapToGlobal(at));
  QApplication::processEvents();
  QPainter(&picture).drawPixmap(at, menu->grab());
  return true;
}

// Opens the dialog of an inspector row as the user's "..." would, and renders it instead of waiting
// for the user.
bool ShootDialog(TMainWindow& window, const QString& property, const QString& file) {
  TEditorCell* cell = window.EditorCellOf(property);
  if (!cell || !cell->Dialog() || file.isEmpty()) {
    std::fprintf(stderr, "velto-designer: no dialog for the row %s, or no --dialog file\n", qPrintable(property));
    return false;
  }
  bool saved = false;
  SetDialogResponder([&](const TDialogRequest& request) {
    TDialogAnswer answer;
    if (request.kind != TDialogRequest::Form || !request.form) return answer;
    request.form->show();
    QApplication::processEvents();
    saved = request.form->grab().save(file);
    request.form->hide();
    return answer;
  });
  cell->Execute();
  SetDialogResponder(nullptr);
  if (!saved) std::fprintf(stderr, "velto-designer: the dialog of %s was not rendered to %s\n", qPrintable(property), qPrintable(file));
  return saved;
}

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
    // The picture is taken either way; a document that did not open makes the run fail.
    bool opened = documents.isEmpty() || window.OpenFile(documents.first());
    if (parser.isSet(selectOption)) {
      TComponent* component = session.Document().FindComponent(parser.value(selectOption));
      if (component) window.Select(component);
      else std::fprintf(stderr, "velto-designer: no component named %s\n", qPrintable(parser.value(selectOption)));
      opened = opened && component;
    }
    window.show();
    QApplication::processEvents();
    QPixmap picture = window.grab();
    if ((parser.isSet(expandOption) || parser.isSet(menuOption)) &&
        !ShootInspector(window, parser.values(expandOption), parser.value(menuOption), picture))
      opened = false;
    if (parser.isSet(rowOption) && !ShootRow(window, parser.value(rowOption), picture)) opened = false;
    const QString file = parser.value(screenshotOption);
    if (!picture.save(file)) {
      std::fprintf(stderr, "velto-designer: cannot write %s\n", qPrintable(file));
      return 1;
    }
    if (parser.isSet(executeOption) && !ShootDialog(window, parser.value(executeOption), parser.value(dialogOption)))
      opened = false;
    return opened ? 0 : 2;
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
