// Printer access over a catalogue of made-up printers and the real built-in PDF
// printer: the list and its default position, display names, selection, the built-in
// printer's place and switch, the portrait rule's messages, and the kept settings
// surviving ended and discarded documents of a driver that forgets them.
#include "print/printer_access.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTemporaryDir>
#include <map>

#include "controls/scripted_ui.h"
#include "print/pdf_printer.h"
#include "settings/settings_table.h"

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

class FakeDevice : public PrinterDevice {
 public:
  FakeDevice(const QString& name, FakeDriver driver)
      : name_(name), driver_(driver), orientation_(driver.default_orientation) {}

  QString DeviceName() const override { return name_; }
  double Width() const override { return 11906; }
  double Height() const override { return 16838; }
  double ScaleWidth() const override { return 11338; }
  double ScaleHeight() const override { return 16270; }
  double PixelsPerMm() const override { return 600 / kMmPerInch; }
  int Orientation() const override { return orientation_; }
  bool SetOrientation(int orientation, QString& error) override {
    if (orientation == 1 && !driver_.takes_portrait) {
      error = QStringLiteral("Portrait is not supported by ") + name_;
      return false;
    }
    orientation_ = orientation;
    return true;
  }
  QPainter* hDC() override { return nullptr; }
  void PrintText(const QString&, double, double, const PrintFont&) override {}
  double TextWidthMm(const QString&, const PrintFont&) override { return 0; }
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

FakeDevice& Fake(PrinterAccess& access) {
  return *dynamic_cast<FakeDevice*>(access.Device());
}

class PrinterAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    settings_ = dir_.filePath("Tesly.ini");
    ASSERT_TRUE(WriteIniValue("Options", "PdfFolder", dir_.filePath("pdf"), settings_));
    catalogue_.descriptions = {"Alpha on usb://alpha", "Beta on ipp://beta/queue",
                               "Gamma on Demand on lpd://gamma"};
    catalogue_.default_description = "Beta on ipp://beta/queue";
  }

  QTemporaryDir dir_;
  QString settings_;
  FakeCatalogue catalogue_;
  ScriptedUi ui_;
  ScopedUi scoped_{ui_};
};

TEST(PrinterDisplayName, CutsThePortFromTheLastOn) {
  struct Case {
    const char* description;
    const char* shown;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    EXPECT_EQ(PrinterDisplayName(c.description), c.shown);
  }
}

TEST_F(PrinterAccessTest, ListsTheSystemPrintersThenTheBuiltInOneAndFindsTheDefault) {
  PrinterAccess access(&catalogue_, settings_);
  EXPECT_EQ(access.Device(), nullptr);
  const Listing first = List(access);
  EXPECT_EQ(first.descriptions, QStringList({"Alpha on usb://alpha", "Beta on ipp://beta/queue",
                                             "Gamma on Demand on lpd://gamma", "Print to PDF"}));
  EXPECT_EQ(first.count, 4);
  EXPECT_EQ(first.default_position, 2);
  EXPECT_EQ(access.CurrentPrinterName(), "Beta on ipp://beta/queue");
  ASSERT_NE(access.Device(), nullptr);
  EXPECT_EQ(access.Device()->DeviceName(), "Beta");

  // A printer chosen earlier stays current, whatever the system's default says.
  ASSERT_TRUE(access.SelectPrinter(3));
  EXPECT_EQ(access.Device()->DeviceName(), "Gamma on Demand");
  catalogue_.default_description = "Alpha on usb://alpha";
  EXPECT_EQ(List(access).default_position, 3);

  // Switched off in the settings, the built-in printer is not listed.
  ASSERT_TRUE(WriteCheckSetting("Options", "PdfPrinter", false, settings_));
  const Listing without = List(access);
  EXPECT_EQ(without.count, 3);
  EXPECT_FALSE(without.descriptions.contains("Print to PDF"));
  EXPECT_FALSE(access.SelectPrinter(4));

  // A current printer that has gone from the system is not found in the list.
  catalogue_.descriptions.removeAt(2);
  const Listing gone = List(access);
  EXPECT_EQ(gone.count, 2);
  EXPECT_EQ(gone.default_position, 0);
}

TEST_F(PrinterAccessTest, WithoutASystemDefaultTheFirstListedPrinterIsCurrent) {
  catalogue_.default_description.clear();
  PrinterAccess access(&catalogue_, settings_);
  EXPECT_EQ(List(access).default_position, 1);
  EXPECT_EQ(access.Device()->DeviceName(), "Alpha");

  // Only the built-in printer: it is the default.
  PrinterAccess pdf_only(nullptr, settings_);
  const Listing listing = List(pdf_only);
  EXPECT_EQ(listing.descriptions, QStringList({"Print to PDF"}));
  EXPECT_EQ(listing.default_position, 1);
  ASSERT_NE(dynamic_cast<PdfPrinter*>(pdf_only.Device()), nullptr);
  EXPECT_EQ(dynamic_cast<PdfPrinter*>(pdf_only.Device())->Folder(), dir_.filePath("pdf"));
}

TEST_F(PrinterAccessTest, NoQueueAndNoBuiltInPrinterMeansAnEmptyList) {
  ASSERT_TRUE(WriteCheckSetting("Options", "PdfPrinter", false, settings_));
  FakeCatalogue empty;
  PrinterAccess access(&empty, settings_);
  Listing listing = List(access);
  listing.descriptions.append("stale");
  access.GetPrinterList(listing.descriptions, listing.count, listing.default_position);
  EXPECT_TRUE(listing.descriptions.isEmpty());
  EXPECT_EQ(listing.count, 0);
  EXPECT_EQ(listing.default_position, 0);
  EXPECT_TRUE(access.CurrentPrinterName().isEmpty());
  EXPECT_EQ(access.Device(), nullptr);
  EXPECT_FALSE(access.SelectPrinter(1));
  EXPECT_FALSE(access.EndDocAndReset());
}

TEST_F(PrinterAccessTest, SelectingChangesNothingWhenThePrinterCannotBeOpened) {
  catalogue_.broken = {"Alpha on usb://alpha"};
  PrinterAccess access(&catalogue_, settings_);
  List(access);
  PrinterDevice* before = access.Device();
  for (int position : {0, 1, 5, -1}) {
    SCOPED_TRACE(position);
    EXPECT_FALSE(access.SelectPrinter(position));
    EXPECT_EQ(access.CurrentPrinterName(), "Beta on ipp://beta/queue");
    EXPECT_EQ(access.Device(), before);
  }
  ASSERT_TRUE(access.SelectPrinter(4));
  EXPECT_EQ(access.CurrentPrinterName(), "Print to PDF");
  EXPECT_EQ(access.Device()->DeviceName(), "Print to PDF");
}

TEST_F(PrinterAccessTest, ALandscapeDriverEndsPortraitWithoutAMessage) {
  catalogue_.drivers["Alpha on usb://alpha"] = {2, true};
  PrinterAccess access(&catalogue_, settings_);
  List(access);
  ASSERT_TRUE(access.SelectPrinter(1));
  EXPECT_EQ(access.GetPaperOrientation(), 2);  // the driver's own settings first
  KeepPortraitSilently(access);
  EXPECT_EQ(access.GetPaperOrientation(), 1);
  EXPECT_EQ(access.Device()->Orientation(), 1);
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(PrinterAccessTest, PropertiesDialogThenThePortraitRuleWithItsMessages) {
  catalogue_.drivers["Gamma on Demand on lpd://gamma"] = {2, false};
  PrinterAccess access(&catalogue_, settings_);
  List(access);
  EXPECT_FALSE(access.ShowPrinterProperties());  // no dialog installed

  // The user turns the paper to landscape: told, then turned back.
  access.SetPropertiesHook([](PrinterDevice& device) {
    QString error;
    return device.SetOrientation(2, error);
  });
  ASSERT_TRUE(access.ShowPrinterProperties());
  EXPECT_EQ(access.GetPaperOrientation(), 2);
  KeepPortraitAfterProperties(access);
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, kNotice);
  EXPECT_EQ(access.GetPaperOrientation(), 1);
  EXPECT_EQ(access.Device()->Orientation(), 1);
  KeepPortraitAfterProperties(access);  // already portrait: nothing to say
  EXPECT_EQ(ui_.Messages().size(), 1u);

  // A cancelled dialog keeps the settings, and the device follows them again.
  access.SetPropertiesHook([](PrinterDevice& device) {
    QString error;
    device.SetOrientation(2, error);
    return false;
  });
  EXPECT_FALSE(access.ShowPrinterProperties());
  EXPECT_EQ(access.GetPaperOrientation(), 1);
  EXPECT_EQ(access.Device()->Orientation(), 1);

  // A printer that refuses portrait: both messages.
  ASSERT_TRUE(access.SelectPrinter(3));
  EXPECT_EQ(access.GetPaperOrientation(), 2);
  KeepPortraitAfterProperties(access);
  ASSERT_EQ(ui_.Messages().size(), 3u);
  EXPECT_EQ(ui_.Messages()[1].text, kNotice);
  EXPECT_EQ(ui_.Messages()[2].text, kRefused);
  EXPECT_EQ(access.GetPaperOrientation(), 2);

  // The device itself turned before a layout: its refusal is shown as it is.
  KeepDevicePortrait(*access.Device());
  ASSERT_EQ(ui_.Messages().size(), 4u);
  EXPECT_EQ(ui_.Messages()[3].text, "Portrait is not supported by Gamma on Demand");
}

TEST_F(PrinterAccessTest, EndedAndDiscardedDocumentsKeepTheOrientation) {
  catalogue_.drivers["Beta on ipp://beta/queue"] = {1, true};
  PrinterAccess access(&catalogue_, settings_);
  List(access);
  access.SetPaperOrientation(2);
  EXPECT_TRUE(access.EndDocAndReset());
  EXPECT_EQ(Fake(access).ended, 1);
  EXPECT_EQ(access.Device()->Orientation(), 2);
  access.KillDocAndReset();
  EXPECT_EQ(Fake(access).killed, 1);
  EXPECT_EQ(access.Device()->Orientation(), 2);
  EXPECT_EQ(access.GetPaperOrientation(), 2);
}

}  // namespace
}  // namespace tessaly
