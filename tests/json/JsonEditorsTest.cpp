#include "JsonTestSupport.h"
#include "common/DialogScript.h"
#include "common/RegistryScope.h"
#include "framework/AdvancedStringsEditorForm.h"
#include "framework/Registration.h"
#include "json/JsonDesign.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Velto::Arduino::JSON::Design;

namespace {

// The test is the designer: it records each modification the editors open.
struct JsonEditorsTest : ::testing::Test, IDesigner {
  const TRegistryScope Registry;
  std::vector<TPersistent*> Targets;
  std::weak_ptr<IModification> Last;  // expired once the editor has ended its modification
  TDialogScript Messages;             // anything not scripted is answered Cancel, so no question can block a test
  std::optional<QString> Sample;      // what the user types into the strings dialog; nothing: Cancel

  TArduinoMakeJSON Make;
  TArduinoMakeJSONArray MakeArray;
  TArduinoSplitJSON Split;
  TArduinoSplitJSONArray SplitArray;
  const struct TRow {
    const char* Name;
    TComponent* Component;
    TCollection* Elements;
    bool Array;
  } Rows[4] = {{"make object", &Make, Make.GetElements(), false},
               {"make array", &MakeArray, MakeArray.GetElements(), true},
               {"split object", &Split, Split.GetElements(), false},
               {"split array", &SplitArray, SplitArray.GetElements(), true}};
  const TRow* Running = nullptr;  // the row whose command runs

  void SetUp() override {
    Register();
    TAdvancedStringsEditorForm::SetExecuteHook(
        [this](const QString& title, const std::shared_ptr<IStringArrayList>& lines) {
          EXPECT_EQ(title.toStdString(), Running->Array ? "JSON Array" : "JSON Object");
          EXPECT_EQ(lines->GetCount(), 0);  // every run starts from an empty text
          if (Sample) lines->SetText(*Sample);
          return Sample.has_value();
        });
  }
  void TearDown() override { TAdvancedStringsEditorForm::SetExecuteHook(nullptr); }
  std::shared_ptr<IModification> BeginModify(TPersistent* target) override {
    Targets.push_back(target);
    auto modification = std::make_shared<IModification>();
    Last = modification;
    return modification;
  }

  // Runs the component's one command as the designer's context menu would.
  void RunCommand(const TRow& row) {
    Running = &row;
    std::unique_ptr<TComponentEditor> editor = TComponentEditor::CreateFor(row.Component, this);
    ASSERT_NE(editor, nullptr);
    TComponentEditorMenuItems items;
    editor->GetMenuItems(items);
    ASSERT_EQ(items.GetCount(), 1);
    ASSERT_EQ(items.GetItem(0)->GetCaption(), row.Array ? "Parse JSON Array ..." : "Parse JSON Object ...");
    items.GetItem(0)->Execute();
  }
};

}  // namespace

TEST_F(JsonEditorsTest, CommandGeneratesIntoAnEmptyComponentAndAsksBeforeMergingIntoElements) {
  for (const TRow& row : Rows) {
    SCOPED_TRACE(row.Name);
    const size_t asked = Messages.Asked().size();
    Sample = row.Array ? R"([1, "a"])" : R"({"topic": "home/temp", "value": 21.5})";
    RunCommand(row);
    const std::string generated = row.Array ? "IntegerArray, TextArray" : "Text:topic, Analog:value";
    EXPECT_EQ(Describe(row.Elements), generated);
    EXPECT_EQ(Messages.Asked().size(), asked);

    Sample = row.Array ? R"([1, "b", true])" : R"({"topic": "t", "n": 1})";
    const struct {
      const char* Name;
      int Answer;
      std::string Expected;
    } answers[] = {{"no", mrNo, generated},
                   {"cancel", mrCancel, generated},
                   {"yes", mrYes, generated + (row.Array ? ", DigitalArray" : ", Integer:n")}};
    for (const auto& a : answers) {
      SCOPED_TRACE(a.Name);
      Messages.Answer(a.Answer);
      RunCommand(row);
      EXPECT_EQ(Describe(row.Elements), a.Expected);
      EXPECT_TRUE(Last.expired());  // also a run that ends at the question ends its modification
    }
    ASSERT_EQ(Messages.Asked().size(), asked + 3);
    const TDialogRequest& question = Messages.Asked().back();
    EXPECT_EQ(question.text, QStringLiteral("Your component already contans elements.\r\n"
                                            "They may be destroied if you want to populate the component from JSON\r\n"
                                            "Do you want to delete the old, and generate new elements?"));
    EXPECT_EQ(question.type, mtWarning);
    EXPECT_EQ(question.buttons, MsgButtons({mbYes, mbNo}));
    EXPECT_EQ(Targets, std::vector<TPersistent*>(4, row.Component));  // one modification per run
    Targets.clear();
  }
}

TEST_F(JsonEditorsTest, CancelWrongRootsAndInvalidTextEndSilentlyWithoutChange) {
  const struct {
    const char* Name;
    std::optional<QString> Object, Array;  // the text typed to the object and to the array commands
  } cases[] = {{"cancel", std::nullopt, std::nullopt},
               {"empty", "", ""},
               {"invalid", "{\"a\":", "[1,"},
               {"a bare value", "42", "\"text\""},
               {"the other root", "[{\"a\": 1}]", "{\"a\": [1]}"}};
  for (const auto& c : cases)
    for (const TRow& row : Rows) {
      SCOPED_TRACE(std::string(c.Name) + ", " + row.Name);
      Sample = row.Array ? c.Array : c.Object;
      RunCommand(row);
      EXPECT_EQ(row.Elements->GetCount(), 0);
      EXPECT_TRUE(Targets.empty());
    }
  EXPECT_TRUE(Messages.Asked().empty());
}

TEST_F(JsonEditorsTest, AFailureMidwayIsSwallowedKeepsThePartialResultAndEndsTheModification) {
  // The third element appended to the top-level collection breaks generation.
  int appended = 0;
  QObject::connect(Make.GetElements(), &TCollection::Changed, [&] {
    if (++appended == 3) throw ERangeError(QStringLiteral("collection full"));
  });
  Sample = R"({"a": 1, "o": {"x": true}, "b": "t", "c": 2})";
  RunCommand(Rows[0]);
  // The element that raised was already in the collection; nothing after it was made or named.
  EXPECT_EQ(Describe(Make.GetElements()), "Integer:a, Object:o{Digital:x}, Text:");
  EXPECT_TRUE(Messages.Asked().empty());
  EXPECT_EQ(Targets.size(), 1u);
  EXPECT_TRUE(Last.expired());
}
