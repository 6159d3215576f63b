// What the Qt and the Windows bindings take from the core alike: the file
// dialogs' filter entries, the menus and their keys, wheel notches, the tab
// order and the glyph pictures.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "platform/file_filter.h"
#include "platform/glyph_pictures.h"
#include "platform/menu_layout.h"
#include "platform/wheel_notches.h"

namespace puffel {
namespace {

TEST(FilterEntries, SplitsIntoDescriptionAndPatternPairs) {
  const std::vector<FilterEntry> entries = FilterEntries(TForm1::PictureFilter);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].description, "画像ファイル (*.bmp;*.png;*.jpg;*.jpeg;*.gif)");
  EXPECT_EQ(entries[0].patterns, "*.bmp;*.png;*.jpg;*.jpeg;*.gif");
  EXPECT_EQ(entries[1].description, "ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ (*.bmp)");
  EXPECT_EQ(entries[1].patterns, "*.bmp");
  // Blanks around the parts go; a description without its pattern is dropped.
  const std::vector<FilterEntry> loose = FilterEntries(" All | *.* |Lonely");
  ASSERT_EQ(loose.size(), 1u);
  EXPECT_EQ(loose[0].description, "All");
  EXPECT_EQ(loose[0].patterns, "*.*");
  EXPECT_TRUE(FilterEntries("").empty());
  EXPECT_TRUE(FilterEntries("Nothing").empty());
}

TEST(MenuGroups, OneMenuPerCaptionInTheOrderTheyFirstAppear) {
  MenuEntry a{"ファイル", "A", "a"};
  MenuEntry b{"編集", "B", "b"};
  MenuEntry c{"ファイル", "C", "c"};
  const std::vector<MenuGroup> groups = MenuGroups({&a, &b, &c});
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].caption, "ファイル");
  ASSERT_EQ(groups[0].items.size(), 2u);
  EXPECT_EQ(groups[0].items[0].entries, (std::vector<MenuEntry*>{&a}));
  EXPECT_EQ(groups[0].items[1].entries, (std::vector<MenuEntry*>{&c}));
  EXPECT_EQ(groups[1].caption, "編集");
  ASSERT_EQ(groups[1].items.size(), 1u);
  EXPECT_EQ(groups[1].items[0].entries, (std::vector<MenuEntry*>{&b}));
  EXPECT_TRUE(MenuGroups({}).empty());
}

TEST(MenuGroups, ASubmenuSitsWhereItsFirstEntryAppearsAndGathersTheRest) {
  MenuEntry play{"アニメ", "Play", "再生"};
  MenuEntry slow{"アニメ", "Slow", "遅い", {}, "速さ"};
  MenuEntry stop{"アニメ", "Stop", "停止"};
  MenuEntry fast{"アニメ", "Fast", "速い", {}, "速さ"};
  // The same submenu caption in another menu is another submenu.
  MenuEntry other{"表示", "Other", "他", {}, "速さ"};
  const std::vector<MenuGroup> groups = MenuGroups({&play, &slow, &stop, &fast, &other});
  ASSERT_EQ(groups.size(), 2u);
  const std::vector<MenuItem>& items = groups[0].items;
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[0].submenu, "");
  EXPECT_EQ(items[0].entries, (std::vector<MenuEntry*>{&play}));
  EXPECT_EQ(items[1].submenu, "速さ");
  EXPECT_EQ(items[1].entries, (std::vector<MenuEntry*>{&slow, &fast}));
  EXPECT_EQ(items[2].entries, (std::vector<MenuEntry*>{&stop}));
  ASSERT_EQ(groups[1].items.size(), 1u);
  EXPECT_EQ(groups[1].items[0].entries, (std::vector<MenuEntry*>{&other}));
}

TEST(ParseShortcut, ReadsModifiersAndTheKey) {
  const Shortcut redo = ParseShortcut("Ctrl+Shift+Z");
  EXPECT_TRUE(redo.ctrl);
  EXPECT_TRUE(redo.shift);
  EXPECT_FALSE(redo.alt);
  EXPECT_EQ(redo.key, "Z");
  const Shortcut lower = ParseShortcut("Alt+y");
  EXPECT_TRUE(lower.alt);
  EXPECT_FALSE(lower.ctrl);
  EXPECT_EQ(lower.key, "Y");
  EXPECT_EQ(ParseShortcut("F5").key, "F5");
  const Shortcut plus = ParseShortcut("Ctrl++");
  EXPECT_TRUE(plus.ctrl);
  EXPECT_EQ(plus.key, "+");
  // An unknown modifier makes no key at all rather than a wrong one.
  EXPECT_EQ(ParseShortcut("Meta+Z").key, "");
  EXPECT_EQ(ParseShortcut("").key, "");
}

TEST(WheelNotches, FractionsAddUpAndTheRestWaits) {
  WheelNotches wheel;
  EXPECT_EQ(wheel.Add(WheelNotch), 1);
  EXPECT_EQ(wheel.Add(-3 * WheelNotch), -3);
  EXPECT_EQ(wheel.Add(40), 0);
  EXPECT_EQ(wheel.Add(40), 0);
  EXPECT_EQ(wheel.Add(41), 1);
  EXPECT_EQ(wheel.rest, 1);
  // Turning back cancels what was waiting before it makes notches.
  EXPECT_EQ(wheel.Add(-60), 0);
  EXPECT_EQ(wheel.Add(-61), -1);
  EXPECT_EQ(wheel.rest, 0);
}

TEST(TabStops, FollowTheTabOrderAndLeaveOutTheRest) {
  Control a{"A", ControlKind::Button, {}};
  Control b{"B", ControlKind::Button, {}};
  Control c{"C", ControlKind::GlyphButton, {}};
  Control d{"D", ControlKind::CheckBox, {}};
  a.tabOrder = 2;
  b.tabOrder = 0;
  d.tabOrder = 1;
  EXPECT_EQ(TabStops({&a, &b, &c, &d}), (std::vector<Control*>{&b, &d, &a}));
  Scene scene;
  TForm1 form(scene);
  const std::vector<Control*> stops = TabStops(form.Controls());
  ASSERT_FALSE(stops.empty());
  for (size_t i = 1; i < stops.size(); ++i) EXPECT_LT(stops[i - 1]->tabOrder, stops[i]->tabOrder);
}

TEST(GlyphPicture, EveryGlyphIs23By22WithOliveAroundItsPicture) {
  for (Glyph glyph :
       {Glyph::Diskette, Glyph::Starburst, Glyph::Cross, Glyph::LetterS, Glyph::LetterL}) {
    const Bitmap picture = GlyphPicture(glyph);
    ASSERT_EQ(picture.Width(), GlyphWidth);
    ASSERT_EQ(picture.Height(), GlyphHeight);
    const uint32_t transparent = GlyphTransparentColour(picture);
    EXPECT_EQ(transparent, 0x808000u);
    int drawn = 0;
    for (int y = 0; y < GlyphHeight; ++y) {
      for (int x = 0; x < GlyphWidth; ++x) drawn += (picture.Row(y)[x] & 0xFFFFFF) != transparent;
    }
    EXPECT_GT(drawn, 20);
    EXPECT_LT(drawn, GlyphWidth * GlyphHeight);
  }
  EXPECT_TRUE(GlyphPicture(Glyph::None).Empty());
  // The diskette's label holds white; the S is red, the L blue.
  EXPECT_EQ(GlyphPicture(Glyph::Diskette).Row(8)[4] & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(GlyphPicture(Glyph::LetterS).Row(4)[7] & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(GlyphPicture(Glyph::LetterL).Row(16)[10] & 0xFFFFFF, 0x0000FFu);
}

}  // namespace
}  // namespace puffel
