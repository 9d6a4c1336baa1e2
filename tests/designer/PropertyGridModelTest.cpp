#include "CollectionCommands.h"
#include "DesignSession.h"
#include "PropertyGridModel.h"
#include "TestComponents.h"
#include "framework/Registration.h"

#include <QFont>
#include <gtest/gtest.h>

// Hides its row while the brightness is 0.
class TDimmedHiddenEditor : public TBasicIntegerPropertyEditor {
  Q_OBJECT
public:
  Q_INVOKABLE TDimmedHiddenEditor(IDesigner* designer, const QList<QObject*>& instances, const QByteArray& name)
      : TBasicIntegerPropertyEditor(designer, instances, name) {}
  bool GetIsVisible() override { return static_cast<TTestLed*>(GetFirstMemberUnsafe())->FBrightness != 0; }
};

namespace {
QStringList Names(TInspectorModel& model, const QModelIndex& parent = {}) {
  if (model.canFetchMore(parent)) model.fetchMore(parent);
  QStringList names;
  for (int row = 0; row < model.rowCount(parent); ++row) names << model.Name(model.index(row, 0, parent));
  return names;
}

struct TInspected {
  TDesignSession Session;
  TInspectorModel Model{&Session};
  TTestLed* Led(int i) { return static_cast<TTestLed*>(Session.Document().GetComponent(i)); }
  TInspected(int leds) {
    RegisterTestComponents();
    for (int i = 0; i < leds; ++i) Session.AddComponent(&TTestLed::staticMetaObject);
    Session.UndoStack().clear();
  }
  QString Text(const QString& path) { return Model.Text(Model.Find(path)); }
  bool Bold(const QString& path) {
    return Model.data(Model.Find(path).siblingAtColumn(1), Qt::FontRole).value<QFont>().bold();
  }
};
}  // namespace

// The rows of a selection: its properties in order, an owned object's and a collection's items in
// nested rows made when opened, the values the selected objects share.
TEST(InspectorModel, RowsNestAndShowTheSharedValue) {
  TInspected t(2);
  t.Led(1)->FBrightness = 5;
  t.Model.SetSelection({t.Led(0), t.Led(1)});
  EXPECT_EQ(Names(t.Model), QStringList({"Name", "Brightness", "Enabled", "Mode", "Code", "Lines", "Font", "Elements"}));
  const QModelIndex font = t.Model.Find(QStringLiteral("Font"));
  EXPECT_TRUE(t.Model.hasChildren(font));
  EXPECT_EQ(t.Model.rowCount(font), 0) << "made when opened";
  EXPECT_EQ(Names(t.Model, font), QStringList({"Size", "Face"}));
  EXPECT_FALSE(t.Model.hasChildren(t.Model.Find(QStringLiteral("Elements"))));

  struct TRow {
    const char* Path;
    QString Text;
  };
  for (const TRow& row : std::vector<TRow>{{"Brightness", ""}, {"Enabled", "True"}, {"Font", "(TTestFont)"},
                                           {"Font.Size", "8"}, {"Elements", "(0 items)"}}) {
    SCOPED_TRACE(row.Path);
    EXPECT_EQ(t.Text(row.Path), row.Text);
  }
  t.Led(1)->FBrightness = 100;
  t.Model.Refresh();
  EXPECT_EQ(t.Text("Brightness"), QStringLiteral("100"));

  // Items added: the collection's rows are made anew, each item opens to its properties.
  CollectionCommands::AddItem(t.Session, t.Led(0)->GetElements(), &TTestElement::staticMetaObject);
  CollectionCommands::AddItem(t.Session, t.Led(0)->GetElements(), &TTestNumberElement::staticMetaObject);
  t.Model.Refresh();
  const QModelIndex elements = t.Model.Find(QStringLiteral("Elements"));
  EXPECT_EQ(t.Model.Text(elements), QStringLiteral("(2 items)"));
  EXPECT_EQ(Names(t.Model, elements), QStringList({"0 - TTestElement", "1 - TTestNumberElement"}));
  EXPECT_EQ(Names(t.Model, t.Model.Find(QStringLiteral("Elements.1"))), QStringList({"Text", "Children", "Value"}));
  EXPECT_EQ(t.Model.Path(t.Model.Find(QStringLiteral("Elements.1.Value"))), QStringLiteral("Elements.1.Value"));
  EXPECT_FALSE(t.Model.Find(QStringLiteral("Elements.2")).isValid());
}

// Editors are looked up for the class of the object that carries the property, once per row; the
// editor decides whether its row shows.
TEST(InspectorModel, EditorsPerRowByTheInstancesClass) {
  TInspected t(1);
  RegisterPropertyEditor(QMetaType::fromType<int>(), &TTestFont::staticMetaObject, QStringLiteral("Size"),
                         &TBasicIntegerPropertyEditor::staticMetaObject);
  RegisterPropertyEditor(QMetaType::fromType<int>(), &TTestLed::staticMetaObject, QStringLiteral("Brightness"),
                         &TDimmedHiddenEditor::staticMetaObject);
  t.Model.SetSelection({t.Led(0)});
  const QModelIndex size = t.Model.Find(QStringLiteral("Font.Size"));
  EXPECT_TRUE(t.Model.HasRegisteredEditor(size));
  EXPECT_FALSE(t.Model.HasRegisteredEditor(t.Model.Find(QStringLiteral("Font.Face"))));
  TSinglePropertyEditor* editor = t.Model.Editor(size);
  ASSERT_TRUE(editor);
  EXPECT_EQ(editor->GetInstances(), QList<QObject*>{t.Led(0)->GetFont()});
  const QModelIndex brightness = t.Model.Find(QStringLiteral("Brightness"));
  EXPECT_TRUE(t.Model.IsVisible(brightness));
  t.Model.Apply(brightness, QStringLiteral("0"));
  t.Model.Refresh();
  EXPECT_FALSE(t.Model.IsVisible(brightness));
  EXPECT_EQ(t.Model.Editor(t.Model.Find(QStringLiteral("Font.Size"))), editor) << "values moved on, rows stay";
}

// Text applied to a row goes into every selected object as one undo step named after the property;
// a text that is no value changes nothing.
TEST(InspectorModel, ApplyIsOneStepForTheWholeSelection) {
  TInspected t(2);
  t.Model.SetSelection({t.Led(0), t.Led(1)});
  t.Model.Apply(t.Model.Find(QStringLiteral("Brightness")), QStringLiteral("55"));
  EXPECT_EQ(t.Led(0)->FBrightness, 55);
  EXPECT_EQ(t.Led(1)->FBrightness, 55);
  ASSERT_EQ(t.Session.UndoStack().count(), 1);
  EXPECT_EQ(t.Session.UndoStack().text(0), QStringLiteral("Change Brightness of 2 components"));
  EXPECT_THROW(t.Model.Apply(t.Model.Find(QStringLiteral("Brightness")), QStringLiteral("dim")), std::exception);
  EXPECT_EQ(t.Session.UndoStack().count(), 1);
  EXPECT_EQ(t.Led(1)->FBrightness, 55);
  t.Model.Apply(t.Model.Find(QStringLiteral("Font.Size")), QStringLiteral("12"));
  EXPECT_EQ(t.Session.UndoStack().text(1), QStringLiteral("Change Size of %1").arg(t.Led(0)->GetName()));
  EXPECT_EQ(t.Led(1)->GetFont()->FSize, 8) << "a nested row edits the first object's";
  const QString second = t.Led(1)->GetName();
  t.Model.Apply(t.Model.Find(QStringLiteral("Name")), QStringLiteral("Lamp"));
  EXPECT_EQ(t.Led(0)->GetName(), QStringLiteral("Lamp")) << "a name is the first object's alone";
  EXPECT_EQ(t.Led(1)->GetName(), second);
  t.Session.UndoStack().undo();
  t.Session.UndoStack().undo();
  t.Session.UndoStack().undo();
  EXPECT_EQ(t.Led(0)->FBrightness, 100);
  EXPECT_EQ(t.Led(1)->FBrightness, 100);
}

// A value that differs from a fresh object's is bold and can be reset, as one undo step; an owned
// object differs when any of its values does, a collection when its items do.
TEST(InspectorModel, DefaultsShowBoldAndReset) {
  TInspected t(1);
  TTestLed* led = t.Led(0);
  t.Model.SetSelection({led});
  struct TCase {
    const char* Path;
    std::function<void()> Change;
    std::vector<const char*> AlsoBold;
  };
  const std::vector<TCase> cases = {
      {"Brightness", [&] { led->FBrightness = 3; }, {}},
      {"Mode", [&] { led->FMode = TTestLed::mdFade; }, {}},
      {"Font", [&] { led->GetFont()->FFace = QStringLiteral("Mono"); }, {"Font.Face"}},
      {"Elements", [&] { led->GetElements()->Add(&TTestElement::staticMetaObject); }, {}},
  };
  EXPECT_FALSE(t.Model.CanReset(t.Model.Find(QStringLiteral("Name")))) << "a component's name is not a setting";
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Path);
    const QModelIndex row = t.Model.Find(c.Path);
    EXPECT_FALSE(t.Bold(c.Path));
    EXPECT_FALSE(t.Model.CanReset(row));
    {
      auto scope = t.Session.BeginModify(led);
      c.Change();
    }
    t.Model.Refresh();
    const QModelIndex changed = t.Model.Find(c.Path);
    EXPECT_TRUE(t.Bold(c.Path));
    for (const char* path : c.AlsoBold) EXPECT_TRUE(t.Bold(path)) << path;
    ASSERT_TRUE(t.Model.CanReset(changed));
    const int steps = t.Session.UndoStack().count();
    t.Model.ResetToDefault(changed);
    t.Model.Refresh();
    EXPECT_FALSE(t.Bold(c.Path));
    for (const char* path : c.AlsoBold) EXPECT_FALSE(t.Bold(path)) << path;
    EXPECT_EQ(t.Session.UndoStack().count(), steps + 1);
    t.Session.UndoStack().undo();
    t.Model.Refresh();
    EXPECT_TRUE(t.Bold(c.Path)) << "undo brings the value back";
    t.Session.UndoStack().undo();
    t.Model.Refresh();
  }
  EXPECT_EQ(led->FBrightness, 100);
  EXPECT_EQ(led->GetElements()->GetCount(), 0);
}

#include "PropertyGridModelTest.moc"
