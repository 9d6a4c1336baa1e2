#include "common/DialogScript.h"
#include "JsonTestSupport.h"
#include "framework/AdvancedStringsEditorForm.h"
#include "framework/Registration.h"
#include "json/JsonDesign.h"

#include <gtest/gtest.h>
#include <optional>

using namespace Velto::Arduino::JSON::Design;

namespace {

// Answers the strings dialog: records what it was asked and types the scripted sample, or cancels.
struct TSampleDialog {
  std::optional<QString> Sample;  // nothing: the user cancels
  QStringList Captions;
  int LinesOnOpen = -1;

  std::weak_ptr<IStringArrayList> Lines;

  TSampleDialog() {
    TAdvancedStringsEditorForm::SetExecuteHook(
        [this](const QString& caption, const std::shared_ptr<IStringArrayList>& lines) {
          Captions.append(caption);
          LinesOnOpen = lines->GetCount();
          Lines = lines;
          if (!Sample) return false;
          lines->SetText(*Sample);
          return true;
        });
  }
  ~TSampleDialog() { TAdvancedStringsEditorForm::SetExecuteHook(nullptr); }
};

struct JsonEditorsTest : ::testing::Test {
  TCountingDesigner Designer;
  TSampleDialog Dialog;
  TDialogScript Messages;

  // Runs the editor's command as the designer's context menu would.
  void RunCommand(TComponent& component, const QString& caption) {
    std::unique_ptr<TComponentEditor> editor = TComponentEditor::CreateFor(&component, &Designer);
    ASSERT_NE(editor, nullptr);
    TComponentEditorMenuItems items;
    editor->GetMenuItems(items);
    ASSERT_EQ(items.GetCount(), 1);
    ASSERT_EQ(items.GetItem(0)->GetCaption(), caption);
    items.GetItem(0)->Execute();
  }

  void SetUp() override {
    TDesignRegistry::Instance().Clear();
    Register();
  }
  void TearDown() override { TDesignRegistry::Instance().Clear(); }
};

}  // namespace

TEST_F(JsonEditorsTest, RegisterBindsTheFourEditorsInOrder) {
  const auto& all = TDesignRegistry::Instance().Registrations();
  ASSERT_EQ(all.size(), 4u);
  const std::pair<TClass, TClass> expected[] = {
      {&TArduinoMakeJSON::staticMetaObject, &TArduinoMakeJSONObjectComponentEditor::staticMetaObject},
      {&TArduinoMakeJSONArray::staticMetaObject, &TArduinoMakeJSONArrayComponentEditor::staticMetaObject},
      {&TArduinoSplitJSON::staticMetaObject, &TArduinoSplitJSONObjectComponentEditor::staticMetaObject},
      {&TArduinoSplitJSONArray::staticMetaObject, &TArduinoSplitJSONArrayComponentEditor::staticMetaObject}};
  for (size_t i = 0; i < 4; ++i) {
    const auto& r = std::get<TComponentEditorRegistration>(all[i]);
    EXPECT_EQ(r.ComponentClass, expected[i].first);
    EXPECT_EQ(r.EditorClass, expected[i].second);
  }
}

TEST_F(JsonEditorsTest, CommandGeneratesIntoAnEmptyComponentWithoutAsking) {
  TArduinoMakeJSON make;
  TArduinoSplitJSON split;
  TArduinoMakeJSONArray makeArray;
  TArduinoSplitJSONArray splitArray;
  // The sample text is gone by the time the modification is released.
  int releasedAfterText = 0;
  Designer.OnRelease = [&] { releasedAfterText += Dialog.Lines.expired(); };
  Dialog.Sample = QStringLiteral("{\n  \"topic\": \"home/temp\",\n  \"value\": 21.5\n}");
  RunCommand(make, "Parse JSON Object ...");
  RunCommand(split, "Parse JSON Object ...");
  Dialog.Sample = QStringLiteral("[1,\n\"a\"]");
  RunCommand(makeArray, "Parse JSON Array ...");
  RunCommand(splitArray, "Parse JSON Array ...");

  EXPECT_EQ(Dialog.Captions, QStringList({"JSON Object", "JSON Object", "JSON Array", "JSON Array"}));
  EXPECT_EQ(Dialog.LinesOnOpen, 0);
  EXPECT_TRUE(Messages.Asked().empty());
  EXPECT_EQ(Designer.Begun, 4);
  EXPECT_EQ(Designer.Released, 4);
  EXPECT_EQ(releasedAfterText, 4);
  EXPECT_EQ(Designer.LastTarget, &splitArray);
  EXPECT_EQ(DescribeStd(make.GetElements()), "Text:topic, Analog:value");
  // The designer reaches the collection through the published property.
  EXPECT_EQ(make.property("Elements").value<TCollection*>(), make.GetElements());
  EXPECT_EQ(DescribeStd(split.GetElements()), "Text:topic, Analog:value");
  EXPECT_EQ(DescribeStd(makeArray.GetElements()), "IntegerArray, TextArray");
  EXPECT_EQ(DescribeStd(splitArray.GetElements()), "IntegerArray, TextArray");
}

TEST_F(JsonEditorsTest, ExistingElementsAskFirstAndMergeOnlyOnYes) {
  TArduinoSplitJSON component;
  component.GetElements()->Add(&TArduinoSplitJSONTextElement::staticMetaObject)->SetName("topic");
  Dialog.Sample = QStringLiteral(R"({"topic": "t", "n": 1})");

  Messages.Answer(mrNo);
  RunCommand(component, "Parse JSON Object ...");
  ASSERT_EQ(Messages.Asked().size(), 1u);
  const TDialogRequest& asked = Messages.Asked()[0];
  EXPECT_EQ(asked.text, QStringLiteral("Your component already contans elements.\r\n"
                                       "They may be destroied if you want to populate the component from JSON\r\n"
                                       "Do you want to delete the old, and generate new elements?"));
  EXPECT_EQ(asked.type, mtWarning);
  EXPECT_EQ(asked.buttons, MsgButtons({mbYes, mbNo}));
  EXPECT_EQ(DescribeStd(component.GetElements()), "Text:topic");
  // Even a run that ends at the question opened and closed a modification.
  EXPECT_EQ(Designer.Begun, 1);
  EXPECT_EQ(Designer.Released, 1);

  Messages.Answer(mrCancel);
  RunCommand(component, "Parse JSON Object ...");
  EXPECT_EQ(DescribeStd(component.GetElements()), "Text:topic");

  Messages.Answer(mrYes);
  RunCommand(component, "Parse JSON Object ...");
  EXPECT_EQ(Messages.Asked().size(), 3u);
  EXPECT_EQ(DescribeStd(component.GetElements()), "Text:topic, Integer:n");
  EXPECT_EQ(Designer.Begun, 3);
  EXPECT_EQ(Designer.Released, 3);
}

TEST_F(JsonEditorsTest, CancelWrongRootsAndInvalidTextEndSilentlyWithoutChange) {
  TArduinoMakeJSON object;
  TArduinoMakeJSONArray array;
  TArduinoSplitJSON splitObject;
  TArduinoSplitJSONArray splitArray;

  Dialog.Sample.reset();  // cancel
  RunCommand(object, "Parse JSON Object ...");
  RunCommand(array, "Parse JSON Array ...");

  for (const char* sample : {"", "  ", "{", "[1,", "42", "\"text\"", "true", "null", "{\"a\":1} trailing"}) {
    SCOPED_TRACE(sample);
    Dialog.Sample = QString::fromUtf8(sample);
    RunCommand(object, "Parse JSON Object ...");
    RunCommand(array, "Parse JSON Array ...");
    RunCommand(splitObject, "Parse JSON Object ...");
    RunCommand(splitArray, "Parse JSON Array ...");
  }
  // Nesting past the parser's limit is invalid text like any other.
  Dialog.Sample = QString(1000000, QLatin1Char('['));
  RunCommand(array, "Parse JSON Array ...");
  RunCommand(splitArray, "Parse JSON Array ...");

  Dialog.Sample = QStringLiteral("[{\"a\": 1}]");
  RunCommand(object, "Parse JSON Object ...");
  RunCommand(splitObject, "Parse JSON Object ...");
  Dialog.Sample = QStringLiteral("{\"a\": [1]}");
  RunCommand(array, "Parse JSON Array ...");
  RunCommand(splitArray, "Parse JSON Array ...");

  EXPECT_EQ(Designer.Begun, 0);
  EXPECT_EQ(Designer.Released, 0);
  EXPECT_TRUE(Messages.Asked().empty());
  for (TCollection* c : std::initializer_list<TCollection*>{object.GetElements(), array.GetElements(),
                                                            splitObject.GetElements(), splitArray.GetElements()})
    EXPECT_EQ(c->GetCount(), 0);
}

TEST_F(JsonEditorsTest, AFailureMidwayIsSwallowedKeepsThePartialResultAndReleasesTheModification) {
  TArduinoMakeJSON component;
  // The third element appended to the top-level collection breaks generation.
  int appended = 0;
  QObject::connect(component.GetElements(), &TCollection::Changed, [&] {
    if (++appended == 3) throw ERangeError(QStringLiteral("collection full"));
  });
  Dialog.Sample = QStringLiteral(R"({"a": 1, "o": {"x": true}, "b": "t", "c": 2})");
  RunCommand(component, "Parse JSON Object ...");
  // The element that raised was already in the collection; nothing after it was made or named.
  EXPECT_EQ(DescribeStd(component.GetElements()), "Integer:a, Object:o{Digital:x}, Text:");
  EXPECT_EQ(Designer.Begun, 1);
  EXPECT_EQ(Designer.Released, 1);
}
