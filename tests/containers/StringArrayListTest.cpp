#include "StringArrayList.h"

#include <gtest/gtest.h>

namespace {

TEST(StringArrayListTest, TextSplitsOnEveryLineBreakAndJoinsWithOne) {
  std::shared_ptr<IStringArrayList> list = std::make_shared<TStringArrayList>();
  list->SetText("one\r\ntwo\nthree\rfour\r\r\nsix");
  EXPECT_EQ(list->ToStringList(), (QStringList{"one", "two", "three", "four", "", "six"}));
  EXPECT_EQ(list->GetText(), "one\ntwo\nthree\nfour\n\nsix");
  EXPECT_EQ(list->GetText("\r\n"), "one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix");

  list->SetText("last\n");  // a break at the end leaves an empty last line, so GetText gives it back
  EXPECT_EQ(list->GetCount(), 2);
  EXPECT_EQ(list->GetText(), "last\n");
  list->SetText("");
  EXPECT_EQ(list->GetCount(), 0);
  EXPECT_EQ(list->GetText(), "");
  // Counting agrees with splitting.
  for (const QString text : {"", "one", "last\n", "\r", "a\r\n\r\nb", "one\r\ntwo\nthree\rfour\r\r\nsix"}) {
    TStringArrayList lines;
    lines.SetText(text);
    EXPECT_EQ(TStringArrayList::CountLines(text), lines.GetCount()) << text.toStdString();
  }

  list->Add("a");
  list->Add("b").Add("c");
  EXPECT_EQ(list->GetItem(1), "b");
  EXPECT_THROW(list->GetItem(3), ERangeError);
  list->Clear();
  EXPECT_EQ(list->GetCount(), 0);

  const QStringList editorLines{"void setup() {", "}", ""};
  list->Assign(editorLines);
  EXPECT_EQ(list->GetText(), "void setup() {\n}\n");
  EXPECT_EQ(list->ToStringList(), editorLines);
  EXPECT_EQ(TStringArrayList::Create()->GetCount(), 0);
}

}  // namespace
