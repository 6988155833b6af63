#include "settings/photo_sizes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <tuple>

#include "controls/scripted_ui.h"
#include "support/test_surfaces.h"

namespace tessaly {
namespace {

// Three entries, the second rejected (zero height).
constexpr char16_t kWithGap[] = u"010160x015240x0000-000000x015240x0000-020000x030000x0100-";

QString IniIn(const char* name) {
  return QDir(QString::fromStdString(test::TempDir())).filePath(QString::fromLatin1(name));
}

TEST(PhotoSizes, DefaultCataloguesHoldTheListedSizes) {
  // {thumb, unit, count, number of one entry checked by hand, its height, width, margins}
  const std::tuple<bool, SizeUnit, std::size_t, int, double, double, double> cases[] = {
      {false, SizeUnit::Inches, 12, 10, 101.60, 152.40, 5.08},
      {false, SizeUnit::Centimetres, 12, 12, 150.0, 200.0, 10.0},
      {true, SizeUnit::Inches, 1, 1, 45.72, 45.72, 3.56},
      {true, SizeUnit::Centimetres, 1, 1, 46.0, 46.0, 3.5}};
  for (const auto& [thumb, unit, count, number, height, width, margins] : cases) {
    SCOPED_TRACE(testing::Message() << "thumb " << thumb << " entry " << number);
    const QString code = DefaultSizeCode(thumb, unit);
    const PhotoSizeCatalogue catalogue = PhotoSizeCatalogue::Parse(code);
    ASSERT_EQ(catalogue.Numbers().size(), count);
    const PhotoSize* size = catalogue.Entry(number);
    ASSERT_NE(size, nullptr);
    EXPECT_DOUBLE_EQ(size->Height, height);
    EXPECT_DOUBLE_EQ(size->Width, width);
    EXPECT_DOUBLE_EQ(size->Margins, margins);
    // Writing the parsed defaults gives back the same text.
    EXPECT_EQ(catalogue.SizeCode(), code);
  }
}

TEST(PhotoSizes, ParsingCountsEntriesAndKeepsNumbersOfRejectedOnes) {
  // {code, slot count, numbers kept, contact sheet}
  const std::tuple<const char*, int, std::vector<int>, bool> cases[] = {
      {"010160x015240x0508", 1, {1}, false},                      // 18 characters: (18 + 1) div 19
      {"010160x015240x050", 0, {}, false},                        // 17 characters: no entry
      {"010160x000000x0508-010160x015240x0508-", 2, {2}, false},  // zero width
      {"010160x015240x-050-010160x015240x0000-", 2, {2}, false},  // negative margin
      // A side below 1 mm, or a picture below 1 mm inside the margins, is no print.
      {"000099x015240x0000-000100x000100x0000-", 2, {2}, false},
      {"010160x015240x5080-010160x015240x5000-", 2, {2}, false},
      {"000700x000700x0000-001000x001000x0000-", 2, {1, 2}, false},
      {"000700x000700x0000-001000x001000x0000-", 2, {2}, true}  // margin at least 3.5
  };
  for (const auto& [code, slot_count, kept, thumb] : cases) {
    SCOPED_TRACE(code);
    const PhotoSizeCatalogue catalogue =
        PhotoSizeCatalogue::Parse(QString::fromLatin1(code), thumb);
    EXPECT_EQ(catalogue.SlotCount(), slot_count);
    EXPECT_EQ(catalogue.Numbers(), kept);
  }
  // Entry 3 keeps its number behind the rejected entry 2 and holds its own values.
  const PhotoSizeCatalogue gap =
      PhotoSizeCatalogue::Parse(u"010160x015240x0000-010160x-15240x0000-020000x030000x0100-");
  EXPECT_EQ(gap.Numbers(), (std::vector<int>{1, 3}));
  ASSERT_NE(gap.Entry(3), nullptr);
  EXPECT_DOUBLE_EQ(gap.Entry(3)->Margins, 1.0);
  EXPECT_EQ(gap.CompactNumber(2), 0);
  EXPECT_EQ(gap.CompactNumber(3), 2);
  EXPECT_EQ(gap.SizeCode(), "010160x015240x0000-020000x030000x0100-");
}

TEST(PhotoSizes, WritingRoundsHundredthsHalfToEvenAndHoldsEachField) {
  const std::pair<PhotoSize, const char*> cases[] = {
      {{152.4, 101.6, 5.08}, "010160x015240x0508-"},
      {{20.0, 10.625, 0.375}, "001062x002000x0038-"},   // 1062.5 → 1062, 37.5 → 38
      {{200.004, 99.996, 0.0}, "010000x020000x0000-"},  // 9999.6 → 10000
      {{12345.678, 1.0, 150.0}, "000100x999999x9999-"}  // too large: held in the field
  };
  for (const auto& [size, code] : cases) {
    PhotoSizeCatalogue catalogue;
    catalogue.Append(size);
    EXPECT_EQ(catalogue.SizeCode(), QString::fromLatin1(code));
  }
}

TEST(PhotoSizes, ListTextsLineUpInFixedColumns) {
  const std::tuple<PhotoSize, SizeUnit, const char*> cases[] = {
      {{152.4, 101.6, 5.08}, SizeUnit::Inches, "  4.00 x  6.00   0.20 margins"},
      {{300.0, 200.0, 0.0}, SizeUnit::Inches, "  7.87 x 11.81"},
      {{133.3, 100.0, 0.0}, SizeUnit::Centimetres, " 10.00 x 13.33"},
      {{150.0, 100.0, 125.0}, SizeUnit::Centimetres, " 10.00 x 15.00  12.50 margins"}};
  for (const auto& [size, unit, text] : cases)
    EXPECT_EQ(SizeListText(size, unit), QString::fromLatin1(text));
  EXPECT_EQ(SizesCaption(SizeUnit::Centimetres), "Photo Sizes (cm)");
  EXPECT_EQ(SizesCaption(SizeUnit::Inches), "Photo Sizes (inches)");
}

TEST(PhotoSizes, EffectiveMarginRaisesOnlyContactSheetMargins) {
  // {margins, contact sheet, effective margin, wide}
  const std::tuple<double, bool, double, bool> cases[] = {{2.0, true, 3.5, true},
                                                          {2.0, false, 2.0, false},
                                                          {5.0, true, 5.0, true},
                                                          {3.5, false, 3.5, true},
                                                          {3.49, false, 3.49, false}};
  for (const auto& [margins, thumb, effective, wide] : cases) {
    EXPECT_DOUBLE_EQ(EffectiveMargin(margins, thumb), effective);
    EXPECT_EQ(IsWideMargin(margins, thumb), wide);
  }
}

TEST(PhotoSizes, LoadFallsBackToTheDefaultOfModeAndUnit) {
  const QString ini = IniIn("Tesly.ini");
  // No file at all.
  EXPECT_EQ(LoadCatalogue(false, SizeUnit::Centimetres, ini).SizeCode(),
            DefaultSizeCode(false, SizeUnit::Centimetres));
  EXPECT_EQ(LoadCatalogue(true, SizeUnit::Inches, ini).SizeCode(), "004572x004572x0356-");
  EXPECT_EQ(LoadSelectedSize(false, ini), 0);
  // A blank value is the same as none; the other mode's section is not read.
  ASSERT_TRUE(WriteIniValue("Options", "UserSizes", "   ", ini));
  ASSERT_TRUE(WriteIniValue("ThumbOptions", "UserSizes", " 005000x005000x0400- ", ini));
  EXPECT_EQ(LoadCatalogue(false, SizeUnit::Inches, ini).SizeCode(),
            DefaultSizeCode(false, SizeUnit::Inches));
  EXPECT_EQ(LoadCatalogue(true, SizeUnit::Inches, ini).SizeCode(), "005000x005000x0400-");
}

TEST(PhotoSizes, SaveAndReloadKeepsTheCatalogueAndTheChosenEntry) {
  const QString ini = IniIn("Tesly.ini");
  const PhotoSizeCatalogue defaults =
      PhotoSizeCatalogue::Parse(DefaultSizeCode(false, SizeUnit::Inches));
  SaveCatalogue(defaults, 10, false, ini);
  EXPECT_EQ(ReadIniValue("Options", "UserSizes", ini), DefaultSizeCode(false, SizeUnit::Inches));
  EXPECT_EQ(LoadCatalogue(false, SizeUnit::Centimetres, ini).SizeCode(), defaults.SizeCode());
  EXPECT_EQ(LoadSelectedSize(false, ini), 10);

  // A rejected entry is dropped on saving and the chosen entry renumbered with it,
  // so the reloaded number still points at the same size.
  const PhotoSizeCatalogue gap = PhotoSizeCatalogue::Parse(kWithGap);
  SaveCatalogue(gap, 3, true, ini);
  const PhotoSizeCatalogue reloaded = LoadCatalogue(true, SizeUnit::Inches, ini);
  const int selected = LoadSelectedSize(true, ini);
  EXPECT_EQ(selected, 2);
  ASSERT_NE(reloaded.Entry(selected), nullptr);
  EXPECT_DOUBLE_EQ(reloaded.Entry(selected)->Height, 200.0);
  // The photo-layout section was left alone.
  EXPECT_EQ(LoadSelectedSize(false, ini), 10);
}

TEST(PhotoSizes, OnlyFiftyTwoEntriesSurviveTheSettingsFile) {
  const QString ini = IniIn("Tesly.ini");
  PhotoSizeCatalogue many;
  for (int i = 1; i <= 53; ++i) many.Append({100.0 + i, 50.0 + i, 0.25 * (i % 4)});
  ASSERT_EQ(many.SizeCode().size(), 53 * kSizeCodeEntryLength);
  SaveCatalogue(many, 53, false, ini);
  const PhotoSizeCatalogue back = LoadCatalogue(false, SizeUnit::Centimetres, ini);
  ASSERT_EQ(back.SlotCount(), 52);
  // The code is written from the parsed entries, so this compares every value kept.
  EXPECT_EQ(back.SizeCode(), many.SizeCode().left(52 * kSizeCodeEntryLength));
}

TEST(PhotoSizesList, SelectByNumberFallsBackToTheFirstItem) {
  PhotoSizesList list(PhotoSizeCatalogue::Parse(kWithGap), SizeUnit::Centimetres);
  ASSERT_EQ(list.Items().size(), 2u);
  EXPECT_EQ(list.Items()[1].number, 3);
  EXPECT_EQ(list.SelectedSize(), nullptr);

  for (auto [number, index] : {std::pair{3, 1}, {0, 0}, {2, 0}, {99, 0}}) {
    list.SelectIndex(-1);
    list.SelectByNumber(number);
    EXPECT_EQ(list.SelectedIndex(), index) << number;
  }
  PhotoSizesList empty(PhotoSizeCatalogue::Parse(u""), SizeUnit::Inches);
  empty.SelectByNumber(0);
  EXPECT_EQ(std::pair(empty.SelectedIndex(), empty.Modified()), std::pair(-1, false));
}

TEST(PhotoSizesList, AddAndEditSelectTheEntryTheyChanged) {
  PhotoSizesList list(PhotoSizeCatalogue::Parse(kWithGap), SizeUnit::Centimetres);
  // The new entry gets the number after the last slot, the rejected one included.
  EXPECT_EQ(list.Add({180.0, 130.0, 0.0}), 4);
  EXPECT_EQ(std::tuple(list.Modified(), list.SelectedIndex(), list.SelectedNumber(),
                       list.Items()[2].text),
            std::tuple(true, 2, 4, QString(" 13.00 x 18.00")));

  list.SelectByNumber(1);
  ASSERT_TRUE(list.EditSelected({150.0, 90.0, 2.5}));
  EXPECT_EQ(std::pair(list.SelectedNumber(), list.Items()[0].text),
            std::pair(1, QString("  9.00 x 15.00   0.25 margins")));
  EXPECT_EQ(list.Catalogue().SizeCode(),
            "009000x015000x0250-020000x030000x0100-013000x018000x0000-");

  list.SelectIndex(-1);
  EXPECT_FALSE(list.EditSelected({1.0, 1.0, 0.0}));
}

TEST(PhotoSizesList, DeleteAsksAndLeavesTheSelectionTheDialogExpects) {
  ScriptedUi ui;
  ScopedUi scoped(ui);
  PhotoSizesList list(PhotoSizeCatalogue::Parse(DefaultSizeCode(false, SizeUnit::Centimetres)),
                      SizeUnit::Centimetres);
  // Nothing selected: nothing asked.
  EXPECT_FALSE(list.DeleteSelected());
  EXPECT_TRUE(ui.Messages().empty());

  // No keeps the entry.
  list.SelectByNumber(4);
  ui.Answer(MsgAnswer::No);
  EXPECT_FALSE(list.DeleteSelected());
  EXPECT_EQ(list.Items().size(), 12u);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(
      std::pair(ui.Messages()[0].text, ui.Messages()[0].title),
      std::pair(QString("Delete current photo size from the list?"), QString("Delete Photo Size")));

  // Yes removes entry 4; the later entries move down and the first item is selected.
  ui.Answer(MsgAnswer::Yes);
  EXPECT_TRUE(list.DeleteSelected());
  EXPECT_EQ(std::tuple(list.Modified(), list.SelectedIndex(), list.Items()[3].number,
                       list.Items()[3].text),
            std::tuple(true, 0, 4, QString(" 13.00 x 18.00")));

  // Down to two entries: deleting one leaves the list without a selection.
  PhotoSizesList two(PhotoSizeCatalogue::Parse(u"010000x015000x0000-013000x018000x0000-"),
                     SizeUnit::Centimetres);
  two.SelectByNumber(1);
  ui.Answer(MsgAnswer::Yes);
  EXPECT_TRUE(two.DeleteSelected());
  ASSERT_EQ(two.Items().size(), 1u);
  EXPECT_EQ(std::pair(two.Items()[0].text, two.SelectedIndex()),
            std::pair(QString(" 13.00 x 18.00"), -1));
  // The last entry stays, without a question.
  two.SelectByNumber(0);
  const std::size_t asked = ui.Messages().size();
  EXPECT_FALSE(two.DeleteSelected());
  EXPECT_EQ(ui.Messages().size(), asked);
  EXPECT_EQ(two.Items().size(), 1u);
}

}  // namespace
}  // namespace tessaly
