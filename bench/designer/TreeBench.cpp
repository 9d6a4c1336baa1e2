// The component tree through the window: opening many components, and an edit and an undo at the
// bottom of a deep tree that is open all the way down.
#include "CollectionCommands.h"
#include "ComponentTree.h"
#include "ComponentTreeModel.h"
#include "DesignSession.h"
#include "MainWindow.h"
#include "arduino/JsonComponents.h"
#include "arduino/JsonPackage.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

namespace {
TArduinoMakeJSON* AddMaker(TDesignSession& session) {
  return static_cast<TArduinoMakeJSON*>(session.AddComponent(&TArduinoMakeJSON::staticMetaObject));
}

// Components with one element each, opened in the window.
void BM_OpenComponents(benchmark::State& state) {
  Velto::Arduino::Json::RegisterPkg();
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("many.vdoc"));
  {
    TDesignSession session;
    for (int i = 0; i < state.range(0); ++i)
      AddMaker(session)->GetElements()->Add(&TArduinoMakeJSONTextElement::staticMetaObject);
    session.Save(file);
  }
  TDesignSession session;
  TMainWindow window(&session, true);
  window.show();
  for (auto _ : state) {
    if (!window.OpenFile(file)) state.SkipWithError("the document did not open");
    QApplication::processEvents();
  }
  if (window.TreeModel()->rowCount() != state.range(0)) state.SkipWithError("the tree does not show the components");
}
BENCHMARK(BM_OpenComponents)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A chain of object elements: each is two tree levels (the item, its Elements), so half as many
// elements as levels; the window shows it open to the bottom.
struct TDeepTree {
  TDesignSession session;
  TMainWindow window{&session, true};
  TArduinoMakeJSONBasicElement* bottom = nullptr;

  explicit TDeepTree(int levels) {
    Velto::Arduino::Json::RegisterPkg();
    TArduinoMakeJSONElements* elements = AddMaker(session)->GetElements();
    for (int level = 2; level < levels; level += 2) {
      auto* object =
          static_cast<TArduinoMakeJSONObjectElement*>(elements->Add(&TArduinoMakeJSONObjectElement::staticMetaObject));
      object->SetName(QStringLiteral("e%1").arg(level));
      bottom = object;
      elements = object->GetElements();
    }
    window.show();
    window.Tree()->ExpandBelow(window.TreeModel()->index(0, 0));
    window.Select(bottom);
    QApplication::processEvents();
  }
};

void Rename(benchmark::State& state, TDeepTree& deep, int n) {
  const QMetaObject* meta = deep.bottom->metaObject();
  deep.session.SetProperty(deep.bottom, meta->property(meta->indexOfProperty("Name")), QStringLiteral("x%1").arg(n));
  QApplication::processEvents();
  if (deep.window.TreeModel()->IndexOf(deep.bottom).data().toString() != QStringLiteral("0 - x%1").arg(n))
    state.SkipWithError("the tree does not show the new name");
}

void BM_RenameAtTheBottom(benchmark::State& state) {
  TDeepTree deep(int(state.range(0)));
  int n = 0;
  for (auto _ : state) Rename(state, deep, ++n);
}
BENCHMARK(BM_RenameAtTheBottom)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_UndoAtTheBottom(benchmark::State& state) {
  TDeepTree deep(int(state.range(0)));
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Rename(state, deep, ++n);
    state.ResumeTiming();
    deep.session.UndoStack().undo();
    QApplication::processEvents();
  }
  if (deep.window.TreeModel()->IndexOf(deep.bottom).data().toString().startsWith(QStringLiteral("0 - x")))
    state.SkipWithError("the tree does not show the name undone");
  if (!deep.window.Tree()->isExpanded(deep.window.TreeModel()->IndexOf(deep.bottom).parent()))
    state.SkipWithError("the tree did not stay open");
}
BENCHMARK(BM_UndoAtTheBottom)->Arg(10000)->Unit(benchmark::kMillisecond);
// Delete Item on the bottom element: rows removed deep down, where Qt walks every open row's parents.
void BM_DeleteAtTheBottom(benchmark::State& state) {
  TDeepTree deep(int(state.range(0)));
  for (auto _ : state) {
    TCollection* collection = static_cast<TCollectionItem*>(deep.bottom)->GetCollection();
    CollectionCommands::DeleteItem(deep.session, collection, 0);
    QApplication::processEvents();
    state.PauseTiming();
    deep.session.UndoStack().undo();
    deep.bottom = static_cast<TArduinoMakeJSONBasicElement*>(collection->GetItem(0));
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteAtTheBottom)->Arg(10000)->Unit(benchmark::kMillisecond);
}  // namespace
