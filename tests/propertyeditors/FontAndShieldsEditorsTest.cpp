#include "arduino/Components.h"
#include "propertyeditors/BoardsPropertyEditors.h"
#include "propertyeditors/FontPropertyEditors.h"

#include <gtest/gtest.h>

TEST(FontPropertyEditor, OffersTheLibraryListAsItIsAtEachCall) {
  TArduinoGraphicsElementDrawText text;
  TArduinoGraphicsFontPropertyEditor editor(nullptr, {&text}, "Font");
  const TCategorizedStringList before = editor.GetStringListValues();
  ASSERT_FALSE(before.isEmpty());
  EXPECT_EQ(before, GetArduinoFontsList());

  // Libraries installed while the editor lives: a font in a known category, two in a new one.
  const TStringCategory known{before.back().Name, {QStringLiteral("Mini5x7")}};
  const TStringCategory added{QStringLiteral("Pixel"), {QStringLiteral("Block8"), QStringLiteral("Block16")}};
  RegisterArduinoFonts(known);
  RegisterArduinoFonts(added);
  const TCategorizedStringList after = editor.GetStringListValues();
  EXPECT_EQ(after, GetArduinoFontsList());
  EXPECT_EQ(after.mid(0, before.size() - 1), before.mid(0, before.size() - 1));
  EXPECT_EQ(after[before.size() - 1].Items, before.back().Items + known.Items);
  EXPECT_EQ(after.mid(before.size()), TCategorizedStringList{added});

  UnregisterArduinoFonts(known);
  UnregisterArduinoFonts(added);
  EXPECT_EQ(editor.GetStringListValues(), before);
}

TEST(ShieldsCollectionPropertyEditor, TheFirstSelectedBoardsCollectionDecides) {
  TArduinoUno uno;
  TArduinoNano nano;
  const struct {
    QList<QObject*> Selection;
    bool Visible;
  } cases[] = {{{&uno}, true}, {{&nano}, false}, {{&nano, &uno}, false}, {{&uno, &nano}, true}};
  for (const auto& c : cases)
    EXPECT_EQ(TShieldsCollectionPropertyEditor(nullptr, c.Selection, "Shields").GetIsVisible(), c.Visible)
        << c.Selection.front()->metaObject()->className() << " of " << c.Selection.size();
}
