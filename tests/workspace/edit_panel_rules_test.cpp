// Edit panel mappings: gamma slider and label, sharpening controls, the copies box
// and the label length check with its warn-once state.
#include "workspace/edit_panel_rules.h"

#include <gtest/gtest.h>

#include <tuple>

#include "controls/scripted_ui.h"
#include "controls/units.h"
#include "print/page_text.h"

namespace tessaly {
namespace {

TEST(EditPanelRules, GammaSliderLabelAndRecordValueMapBothWays) {
  // {slider, label, record value}
  const std::tuple<int, const char*, double> to_record[] = {
      {0, "1.00", 1.0},   {51, "1.50", 1.5}, {-51, "0.50", 0.5},  {1, "1.01", 1.01},
      {-1, "0.99", 0.99}, {10, "1.10", 1.1}, {-25, "0.75", 0.75}, {36, "1.35", 1.35}};
  for (const auto& [slider, label, gamma] : to_record) {
    EXPECT_EQ(std::pair(GammaLabelText(slider), GammaFromSlider(slider)),
              std::pair(QString(label), gamma))
        << slider;
  }
  // Nearest with halves to even ((0.75 − 1) × 102 = −25.5), held in the range.
  const std::pair<double, int> to_slider[] = {{1.0, 0},   {1.35, 36}, {0.65, -36}, {0.75, -26},
                                              {1.25, 26}, {1.5, 51},  {2.0, 51},   {0.3, -51},
                                              {1.01, 1},  {0.99, -1}};
  for (const auto& [gamma, slider] : to_slider) EXPECT_EQ(GammaSlider(gamma), slider) << gamma;
}

TEST(EditPanelRules, SharpeningControlsAndValueMapBothWays) {
  EXPECT_EQ(SharpenRadiusCaptions(), QStringList({"1", "1.5", "2"}));
  EXPECT_EQ(SharpenAmountTexts(), QStringList({"25", "50", "100", "125", "150"}));
  EXPECT_EQ(SharpenAmountTexts().at(kDefaultSharpenAmountIndex), "100");
  // {checked, radius index, amount text, value}
  const std::tuple<bool, int, const char*, int> controls[] = {
      {false, 1, "100", 0},     {true, 0, "25", 10025}, {true, 1, "150", 15150},
      {true, 2, "100", 20100},  {true, 7, "50", 10050}, {true, 1, "2000", 15999},
      {true, 2, " 125x", 20125}};
  for (const auto& [checked, radius, amount, value] : controls)
    EXPECT_EQ(UnsharpMaskFromControls(checked, radius, amount), value) << value;
  // {value, checked, radius index, amount index}
  const std::tuple<int, bool, int, int> shown[] = {{0, false, -1, -1},
                                                   {15150, true, 1, 4},
                                                   {20025, true, 2, 0},
                                                   {10037, true, 0, -1},
                                                   {30100, true, -1, 2}};
  for (const auto& [value, checked, radius, amount] : shown) {
    const SharpenControls got = SharpenControlsFor(value);
    EXPECT_EQ(std::tuple(got.checked, got.radius_index, got.amount_index),
              std::tuple(checked, radius, amount))
        << value;
  }
}

TEST(EditPanelRules, CopiesBoxLeavesAtLeastOne) {
  const std::pair<const char*, int> texts[] = {
      {"", 1},      {"0", 1},       {"00", 1},       {"7", 7},
      {"0012", 12}, {"9999", 9999}, {"10000", 9999}, {"99999999999999999999", 9999},
      {"12ab", 12}, {"ab", 1}};
  for (const auto& [text, copies] : texts) EXPECT_EQ(CopiesFromText(text), copies) << text;
}

TEST(EditPanelRules, LabelCheckUsesTheCropsSideMarginsAndWarnsOnce) {
  ScriptedUi ui;
  ScopedUi scoped_ui(ui);
  const QString label = "Holiday 2026";
  const PrintFont font{"Arial", 10};
  const double pixels_per_mm = kTwipsPerInch / kTwipsPerPixel / kMmPerInch;
  const double w = PageTextWidthMm(pixels_per_mm, label + "M", font);
  const double bare = PageTextWidthMm(pixels_per_mm, label, font);
  ASSERT_GT(w, bare);

  const auto settings = [](double margin, bool thumb) {
    JobSettings s;
    s.Size = PhotoSize{152.4, 101.6, margin};
    s.ThumbMode = thumb;
    return s;
  };
  // {case, label, crop wider than high, contact sheet, margin, too big}
  const std::tuple<const char*, QString, bool, bool, double, bool> cases[] = {
      // The width from the photo's long side less two margins, with 15 % to spare.
      {"wide, 14 % room", label, true, false, (152.4 - 1.14 * w) / 2, true},
      {"wide, 16 % room", label, true, false, (152.4 - 1.16 * w) / 2, false},
      // An upright crop measures along the short side.
      {"tall, 14 % room", label, false, false, (101.6 - 1.14 * w) / 2, true},
      {"tall, 16 % room", label, false, false, (101.6 - 1.16 * w) / 2, false},
      // Contact sheets take the margin once.
      {"contact sheet", label, true, true, 152.4 - 1.16 * w, false},
      // The "M" after the label counts.
      {"with M", label, true, false, (152.4 - 1.15 * (w + bare) / 2) / 2, true},
      // Blanks around the label do not.
      {"trimmed", "   " + label + "   ", true, false, (152.4 - 1.16 * w) / 2, false},
  };
  for (const auto& [name, text, wide, thumb, margin, too_big] : cases)
    EXPECT_EQ(LabelTooBig(text, settings(margin, thumb), wide), too_big) << name;

  const JobSettings tight = settings((152.4 - 1.10 * w) / 2, false);
  LabelLengthWarning warning;
  for (int i = 0; i < 3; ++i) warning.OnLabelChanged(label, tight, true);  // typing on
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(std::pair(ui.Messages()[0].text, ui.Messages()[0].icon),
            std::pair(QString("Warning: Text label too big!"), MsgIcon::Information));
  EXPECT_TRUE(warning.Warned());
  warning.Check(label, tight, true);  // a turn checks again
  EXPECT_EQ(ui.Messages().size(), 2u);
  warning.Reset();  // the box is entered again
  warning.OnLabelChanged(label, tight, true);
  EXPECT_EQ(ui.Messages().size(), 3u);
  warning.Reset();
  // Typing in contact-sheet mode is never checked, even for a label too big there.
  warning.OnLabelChanged(label, settings(152.4 - 1.10 * w, true), true);
  warning.OnLabelChanged("Hi", tight, true);  // fits
  EXPECT_EQ(ui.Messages().size(), 3u);
  EXPECT_FALSE(warning.Warned());
}

}  // namespace
}  // namespace tessaly
