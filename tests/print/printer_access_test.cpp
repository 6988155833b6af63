// Printer access over a catalogue of made-up printers and the real built-in PDF
// printer: the list and its default position, display names, selection, the built-in
// printer's place and switch, the portrait rule's messages, and the kept settings
// surviving ended and discarded documents of a driver that forgets them.
#include "print/printer_access.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>

#include "controls/scripted_ui.h"
#include "print/pdf_printer.h"
#include "settings/settings_table.h"
#include "support/image_printer.h"

namespace tessaly {
namespace {

const QString kNotice = QStringLiteral(
    "For Tessaly to work correctly, the printer paper orientation must be 'Portrait'.\r"
    "Tessaly will change the orientation to 'Portrait'.");
const QString kRefused = QStringLiteral(
    "Tessaly was unable to change the paper orientation for this printer.\r"
    "Please, click in 'Printer Properties' and change the orientation to 'Portrait'.");

// A driver as the tests need it: its default orientation, whether it takes portrait,
// and, like a real device context, back at its default after every document.
struct FakeDriver {
  int default_orientation = 1;
  bool takes_portrait = true;
};

class FakeDevice : public test::ImagePrinter {
 public:
  FakeDevice(const QString& name, FakeDriver driver)
      : ImagePrinter(210, 297, 5, 1),
        name_(name),
        driver_(driver),
        orientation_(driver.default_orientation) {}

  QString DeviceName() const override { return name_; }
  int Orientation() const override { return orientation_; }
  bool SetOrientation(int orientation, QString& error) override {
    if (orientation == 1 && !driver_.takes_portrait) {
      error = QStringLiteral("Portrait is not supported by ") + name_;
      return false;
    }
    orientation_ = orientation;
    return true;
  }
  bool EndDoc() override {
    ++ended;
    orientation_ = driver_.default_orientation;
    return true;
  }
  void KillDoc() override {
    ++killed;
    orientation_ = driver_.default_orientation;
  }

  int ended = 0;
  int killed = 0;

 private:
  QString name_;
  FakeDriver driver_;
  int orientation_;
};

class FakeCatalogue : public PrinterCatalogue {
 public:
  QStringList Descriptions() const override { return descriptions; }
  QString DefaultDescription() const override { return default_description; }
  std::unique_ptr<PrinterDevice> Open(const QString& description) override {
    if (!descriptions.contains(description) || broken.contains(description)) return nullptr;
    ++opened;
    return std::make_unique<FakeDevice>(PrinterDisplayName(description), drivers[description]);
  }

  QStringList descriptions;
  QString default_description;
  QStringList broken;
  std::map<QString, FakeDriver> drivers;
  int opened = 0;
};

struct Listing {
  QStringList descriptions;
  int count = -1;
  int default_position = -1;
};

Listing List(PrinterAccess& access) {
  Listing listing;
  access.GetPrinterList(listing.descriptions, listing.count, listing.default_position);
  return listing;
}

class PrinterAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf"), settings_));
    catalogue_.descriptions = {"Alpha on usb://alpha", "Beta on ipp://beta/queue",
                               "Gamma on Demand on lpd://gamma"};
    catalogue_.default_description = "Beta on ipp://beta/queue";
  }

  QTemporaryDir dir_;
  const QString settings_ = dir_.filePath("Tesly.ini");
  FakeCatalogue catalogue_;
  PrinterAccess access_{&catalogue_, settings_};
  ScriptedUi ui_;
  ScopedUi scoped_{ui_};
};

TEST(PrinterDisplayName, CutsThePortFromTheLastOn) {
  const std::pair<const char*, const char*> cases[] = {
      {"Canon on USB001", "Canon"},
      {"Canon", "Canon"},
      {"Print on Demand on LPT1:", "Print on Demand"},
      {"PDF on cups-pdf:/", "PDF"},
      {"A on B", "A"},
      {" on B", " on B"},           // nothing before the separator
      {"Name on ", "Name on "},     // nothing after it
      {"Name on on X", "Name on"},  // the rightmost one wins
      {"Name onX", "Name onX"},
      {"", ""},
  };
  for (const auto& [description, shown] : cases)
    EXPECT_EQ(PrinterDisplayName(description), shown) << description;
}

TEST_F(PrinterAccessTest, ListsTheSystemPrintersThenTheBuiltInOneAndFindsTheDefault) {
  EXPECT_EQ(access_.Device(), nullptr);
  const Listing first = List(access_);
  EXPECT_EQ(first.descriptions, QStringList({"Alpha on usb://alpha", "Beta on ipp://beta/queue",
                                             "Gamma on Demand on lpd://gamma", "Print to PDF"}));
  EXPECT_EQ(first.count, 4);
  EXPECT_EQ(first.default_position, 2);
  EXPECT_EQ(access_.CurrentPrinterName(), "Beta on ipp://beta/queue");
  ASSERT_NE(access_.Device(), nullptr);
  EXPECT_EQ(access_.Device()->DeviceName(), "Beta");

  // A printer chosen earlier stays current, whatever the system's default says.
  ASSERT_TRUE(access_.SelectPrinter(3));
  EXPECT_EQ(access_.Device()->DeviceName(), "Gamma on Demand");
  catalogue_.default_description = "Alpha on usb://alpha";
  EXPECT_EQ(List(access_).default_position, 3);

  // Switched off in the settings, the built-in printer is not listed.
  ASSERT_TRUE(WriteCheckSetting("Options", "PdfPrinter", false, settings_));
  const Listing without = List(access_);
  EXPECT_EQ(without.count, 3);
  EXPECT_FALSE(without.descriptions.contains("Print to PDF"));
  EXPECT_FALSE(access_.SelectPrinter(4));

  // A current printer that has gone from the system is not found in the list.
  catalogue_.descriptions.removeAt(2);
  const Listing gone = List(access_);
  EXPECT_EQ(gone.count, 2);
  EXPECT_EQ(gone.default_position, 0);
}

TEST_F(PrinterAccessTest, WithoutASystemDefaultTheFirstListedPrinterIsCurrent) {
  catalogue_.default_description.clear();
  EXPECT_EQ(List(access_).default_position, 1);
  EXPECT_EQ(access_.Device()->DeviceName(), "Alpha");

  // Only the built-in printer: it is the default.
  PrinterAccess pdf_only(nullptr, settings_);
  const Listing listing = List(pdf_only);
  EXPECT_EQ(listing.descriptions, QStringList({"Print to PDF"}));
  EXPECT_EQ(listing.default_position, 1);
  ASSERT_NE(dynamic_cast<PdfPrinter*>(pdf_only.Device()), nullptr);
  EXPECT_EQ(dynamic_cast<PdfPrinter*>(pdf_only.Device())->Folder(), dir_.filePath("pdf"));

  // No queue and no built-in printer: an empty list and no device.
  ASSERT_TRUE(WriteCheckSetting("Options", "PdfPrinter", false, settings_));
  FakeCatalogue empty;
  PrinterAccess none(&empty, settings_);
  Listing nothing = List(none);
  nothing.descriptions.append("stale");
  none.GetPrinterList(nothing.descriptions, nothing.count, nothing.default_position);
  EXPECT_TRUE(nothing.descriptions.isEmpty());
  EXPECT_EQ(nothing.count, 0);
  EXPECT_EQ(nothing.default_position, 0);
  EXPECT_TRUE(none.CurrentPrinterName().isEmpty());
  EXPECT_EQ(none.Device(), nullptr);
  EXPECT_FALSE(none.SelectPrinter(1));
  EXPECT_FALSE(none.EndDocAndReset());
}

TEST_F(PrinterAccessTest, SelectingChangesNothingWhenThePrinterCannotBeOpened) {
  catalogue_.broken = {"Alpha on usb://alpha"};
  List(access_);
  PrinterDevice* before = access_.Device();
  for (int position : {0, 1, 5, -1}) {
    SCOPED_TRACE(position);
    EXPECT_FALSE(access_.SelectPrinter(position));
    EXPECT_EQ(access_.CurrentPrinterName(), "Beta on ipp://beta/queue");
    EXPECT_EQ(access_.Device(), before);
  }
  ASSERT_TRUE(access_.SelectPrinter(4));
  EXPECT_EQ(access_.CurrentPrinterName(), "Print to PDF");
  EXPECT_EQ(access_.Device()->DeviceName(), "Print to PDF");
}

// A landscape driver ends portrait without a message, and the kept portrait survives
// ended and discarded documents of a driver that goes back to landscape after each.
TEST_F(PrinterAccessTest, ALandscapeDriverEndsPortraitWithoutAMessageAndStaysSo) {
  catalogue_.drivers["Alpha on usb://alpha"] = {2, true};
  List(access_);
  ASSERT_TRUE(access_.SelectPrinter(1));
  EXPECT_EQ(access_.GetPaperOrientation(), 2);  // the driver's own settings first
  KeepPortraitSilently(access_);
  EXPECT_EQ(access_.GetPaperOrientation(), 1);
  EXPECT_EQ(access_.Device()->Orientation(), 1);
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_TRUE(access_.EndDocAndReset());
  EXPECT_EQ(dynamic_cast<FakeDevice&>(*access_.Device()).ended, 1);
  EXPECT_EQ(access_.Device()->Orientation(), 1);
  access_.KillDocAndReset();
  EXPECT_EQ(dynamic_cast<FakeDevice&>(*access_.Device()).killed, 1);
  EXPECT_EQ(access_.Device()->Orientation(), 1);
  EXPECT_EQ(access_.GetPaperOrientation(), 1);
}

TEST_F(PrinterAccessTest, PropertiesDialogThenThePortraitRuleWithItsMessages) {
  catalogue_.drivers["Gamma on Demand on lpd://gamma"] = {2, false};
  List(access_);
  EXPECT_FALSE(access_.ShowPrinterProperties());  // no dialog installed

  // The user turns the paper to landscape: told, then turned back.
  access_.SetPropertiesHook([](PrinterDevice& device) {
    QString error;
    return device.SetOrientation(2, error);
  });
  ASSERT_TRUE(access_.ShowPrinterProperties());
  EXPECT_EQ(access_.GetPaperOrientation(), 2);
  KeepPortraitAfterProperties(access_);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, kNotice);
  EXPECT_EQ(access_.GetPaperOrientation(), 1);
  EXPECT_EQ(access_.Device()->Orientation(), 1);
  KeepPortraitAfterProperties(access_);  // already portrait: nothing to say
  EXPECT_EQ(ui_.Messages().size(), 1u);

  // A cancelled dialog keeps the settings, and the device follows them again.
  access_.SetPropertiesHook([](PrinterDevice& device) {
    QString error;
    device.SetOrientation(2, error);
    return false;
  });
  EXPECT_FALSE(access_.ShowPrinterProperties());
  EXPECT_EQ(access_.GetPaperOrientation(), 1);
  EXPECT_EQ(access_.Device()->Orientation(), 1);

  // A printer that refuses portrait: both messages.
  ASSERT_TRUE(access_.SelectPrinter(3));
  EXPECT_EQ(access_.GetPaperOrientation(), 2);
  KeepPortraitAfterProperties(access_);
  ASSERT_EQ(ui_.Messages().size(), 3u);
  EXPECT_EQ(ui_.Messages()[1].text, kNotice);
  EXPECT_EQ(ui_.Messages()[2].text, kRefused);
  EXPECT_EQ(access_.GetPaperOrientation(), 2);

  // The device itself turned before a layout: its refusal is shown as it is.
  KeepDevicePortrait(*access_.Device());
  ASSERT_EQ(ui_.Messages().size(), 4u);
  EXPECT_EQ(ui_.Messages()[3].text, "Portrait is not supported by Gamma on Demand");
}

}  // namespace
}  // namespace tessaly
