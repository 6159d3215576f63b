#include <gtest/gtest.h>

#include "desktop_fixture.h"
#include "gui/dialogs.h"
#include "gui/glyphs.h"

namespace puffel::test {
namespace {

TEST(QtNameFiltersTest, TurnsEachDescriptionAndPatternPairIntoOneEntry) {
  EXPECT_EQ(QtNameFilters("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)|*.bmp"),
            QStringList{QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)")});
  EXPECT_EQ(QtNameFilters("Pictures|*.bmp;*.dib|All|*.*"),
            (QStringList{QStringLiteral("Pictures (*.bmp *.dib)"), QStringLiteral("All (*.*)")}));
  EXPECT_TRUE(QtNameFilters("").isEmpty());
  // Patterns shown with ';' in the description are shown as Qt reads them.
  EXPECT_EQ(QtNameFilters(TForm1::PictureFilter),
            (QStringList{QStringLiteral("画像ファイル (*.bmp *.png *.jpg *.jpeg *.gif)"),
                         QStringLiteral("ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)")}));
}

TEST(GlyphImageTest, EveryGlyphIs23By22WithItsLowerLeftColourTransparent) {
  EnsureQtApplication();
  for (Glyph glyph :
       {Glyph::Diskette, Glyph::Starburst, Glyph::Cross, Glyph::LetterS, Glyph::LetterL}) {
    const QImage image = GlyphImage(glyph);
    ASSERT_EQ(image.size(), QSize(23, 22));
    EXPECT_EQ(qAlpha(image.pixel(0, 21)), 0);
    int opaque = 0;
    for (int y = 0; y < 22; ++y) {
      for (int x = 0; x < 23; ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
    }
    EXPECT_GT(opaque, 20);
    EXPECT_LT(opaque, 23 * 22);
  }
  EXPECT_TRUE(GlyphImage(Glyph::None).isNull());
}

}  // namespace
}  // namespace puffel::test
