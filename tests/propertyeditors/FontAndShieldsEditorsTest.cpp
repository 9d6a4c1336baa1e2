#include "arduino/Components.h"
#include "propertyeditors/BoardsPropertyEditors.h"
#include "propertyeditors/FontPropertyEditors.h"

#include <gtest/gtest.h>

// A library installed while the editor lives is offered at once, and gone once removed.
TEST(FontPropertyEditor, OffersTheLibraryListAsItIsAtEachCall) {
  TArduinoGraphicsElementDrawText text;
  TArduinoGraphicsFontPropertyEditor editor(nullptr, {&text}, "Font");
  const TCategorizedStringList before = editor.GetStringListValues();
  ASSERT_EQ(before, GetArduinoFontsList());
  const TStringCategory added{QStringLiteral("Pixel"), {QStringLiteral("Block8"), QStringLiteral("Block16")}};
  RegisterArduinoFonts(added);
  EXPECT_EQ(editor.GetStringListValues(), before + TCategorizedStringList{added});
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
