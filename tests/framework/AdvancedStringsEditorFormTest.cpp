#include "framework/AdvancedStringsEditorForm.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <Qsci/qsciscintilla.h>
#include <gtest/gtest.h>

namespace {

// Acts on the modal form as soon as the event loop of exec() runs.
void WhenShown(std::function<void(TAdvancedStringsEditorForm&)> act) {
  QTimer::singleShot(0, [act] {
    auto* form = qobject_cast<TAdvancedStringsEditorForm*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    act(*form);
  });
}

}  // namespace

TEST(AdvancedStringsEditorFormTest, ConfirmReturnsTheEditedLinesCancelKeepsTheList) {
  auto lines = TStringArrayList::Create();
  lines->Add("first");
  lines->Add("second");

  QString title, shown;
  WhenShown([&](TAdvancedStringsEditorForm& form) {
    title = form.windowTitle();
    shown = form.GetEditor()->text();
    form.GetEditor()->selectAll();
    QTest::keyClicks(form.GetEditor(), "{\"a\": 1,");
    QTest::keyClick(form.GetEditor(), Qt::Key_Return);
    QTest::keyClicks(form.GetEditor(), "\"b\": 2}");
    form.OKButton->click();
  });
  ASSERT_TRUE(TAdvancedStringsEditorForm::Execute("JSON Object", lines));
  EXPECT_EQ(title, "JSON Object");
  EXPECT_EQ(shown, "first\nsecond");
  ASSERT_EQ(lines->GetCount(), 2);
  EXPECT_EQ(lines->GetItem(0), "{\"a\": 1,");
  EXPECT_TRUE(lines->GetItem(1).endsWith("\"b\": 2}"));

  WhenShown([](TAdvancedStringsEditorForm& form) {
    form.GetEditor()->setText("changed");
    QTest::keyClick(form.GetEditor(), Qt::Key_Escape);
  });
  EXPECT_FALSE(TAdvancedStringsEditorForm::Execute("JSON Array", lines));
  EXPECT_EQ(lines->GetItem(0), "{\"a\": 1,");
}
