#include "common/DialogScript.h"
#include "toolkit/Forms.h"
#include "toolkit/SpinEdit.h"
#include "runtime/Exceptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class TBaseForm : public TForm {
  Q_OBJECT
public:
  using TForm::TForm;
  void Load(const QString& layout) { LoadLayout(layout); }
  QStringList Calls;
public slots:
  virtual void OkClick() { Calls << "base ok"; }
  void OtherClick() { Calls << "other"; }
  void FailClick(QObject* Sender = nullptr) {
    throw Exception(QStringLiteral("the handler of %1 failed").arg(Sender ? Sender->objectName() : QString()));
  }
  void EditKeyPress(QObject*, QChar& key) { key = QLatin1Char('7'); }
};

// A descendant's handler of the same name serves its form.
class TDerivedForm : public TBaseForm {
  Q_OBJECT
public:
  using TBaseForm::TBaseForm;
public slots:
  void OkClick() override { Calls << "derived ok"; }
};

struct TLayouts {
  QTemporaryDir dir;
  QString Write(const char* name, const char* json) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(json);
    return f.fileName();
  }
};
}  // namespace

TEST(FormLayout, InheritsChangesRebindsAndReportsHandlerErrors) {
  TLayouts layouts;
  const QString base = layouts.Write("base.json", R"({
    "properties": {"Caption": "Base", "ClientWidth": 200, "ClientHeight": 100},
    "controls": [
      {"name": "Panel", "class": "TPanel", "bounds": [100, 0, 100, 100], "controls": [
        {"name": "Ok", "class": "TButton", "bounds": [10, 70, 80, 20], "properties": {"Caption": "OK", "Anchors": "akLeft|akBottom"},
         "events": {"OnClick": "OkClick"}},
        {"name": "Other", "class": "TButton", "bounds": [10, 40, 80, 20], "events": {"OnClick": "OtherClick"}}]},
      {"name": "Menu", "class": "TPopupMenu", "controls": [
        {"name": "First1", "class": "TMenuItem", "properties": {"Caption": "First"}},
        {"name": "Last1", "class": "TMenuItem", "properties": {"Caption": "Last"}}]}]})");
  const QString derived = layouts.Write("derived.json", (R"({"inherits": ")" + base.toStdString() + R"(",
    "properties": {"Caption": "Derived"},
    "controls": [
      {"name": "Panel", "bounds": [100, 0, 100, 150]},
      {"name": "Other", "events": {"OnClick": null}},
      {"name": "Fail", "class": "TButton", "parent": "Panel", "bounds": [10, 10, 80, 20], "events": {"OnClick": "FailClick"}},
      {"name": "Edit", "class": "TSpinEdit", "parent": "Panel", "events": {"OnKeyPress": "EditKeyPress"}},
      {"name": "Middle1", "class": "TMenuItem", "parent": "Menu", "after": "First1", "properties": {"Caption": "Middle"}}]})").c_str());

  TDerivedForm form;
  form.Load(derived);
  EXPECT_EQ(form.windowTitle(), "Derived");
  auto* ok = form.findChild<TButton*>("Ok");
  ASSERT_TRUE(ok);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_EQ(ok->geometry(), QRect(10, 120, 80, 20)) << "an anchored child follows its container's new size";
  QStringList menu;
  for (QAction* a : form.findChild<TPopupMenu*>("Menu")->actions()) menu << a->text();
  EXPECT_EQ(menu, QStringList({"First", "Middle", "Last"}));

  ok->click();
  form.findChild<TButton*>("Other")->click();  // its handler was removed
  EXPECT_EQ(form.Calls, QStringList({"derived ok"}));
  QChar key('x');
  emit form.findChild<TSpinEdit*>("Edit")->OnKeyPress(nullptr, key);
  EXPECT_EQ(key, QLatin1Char('7')) << "arguments by reference reach the handler";

  TDialogScript script;
  script.Answer(mrOk);
  form.findChild<TButton*>("Fail")->click();  // the error becomes the report, not an exception
  ASSERT_EQ(script.Asked().size(), 1u);
  EXPECT_EQ(script.Asked()[0].type, mtError);
  EXPECT_EQ(script.Asked()[0].text, "the handler of Fail failed") << "a click handler gets its button as Sender";

  // Broken layouts name the layout and what is wrong.
  const struct {
    const char* json;
    const char* error;
  } broken[] = {{R"({"controls": [{"name": "X", "class": "TNoSuchClass"}]})", "unknown class"},
                {R"({"controls": [{"name": "Nowhere", "bounds": [0, 0, 1, 1]}]})", "no control"},
                {R"({"controls": [{"name": "B", "class": "TButton", "events": {"OnClick": "NoHandler"}}]})", "no handler"},
                {R"({"controls": [{"name": "B", "class": "TButton", "properties": {"Captoin": "OK"}}]})", "\"Captoin\" of \"B\""},
                {R"({"controls": [{"name": "B", "class": "TButton", "event": {"OnClick": "OkClick"}}]})", "\"event\" of \"B\""},
                {R"({"inherit": "base.json"})", "\"inherit\""},
                {R"({"controls": [)", "Layout"}};
  for (const auto& b : broken) {
    TBaseForm bad;
    try {
      bad.Load(layouts.Write("bad.json", b.json));
      ADD_FAILURE() << b.json;
    } catch (const Exception& e) {
      EXPECT_TRUE(e.Message().contains(b.error)) << e.Message().toStdString();
      EXPECT_TRUE(e.Message().contains("bad.json")) << e.Message().toStdString();
    }
  }
}

#include "FormLayoutTest.moc"
