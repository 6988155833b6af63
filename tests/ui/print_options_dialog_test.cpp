// The print options window's wiring: a value the core's checks refuse is reported
// and gets the focus, and nothing is stored.
#include "ui/print_options_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "controls/scripted_ui.h"
#include "print/printer_access.h"
#include "settings/settings_file.h"
#include "support/find_control.h"
#include "support/scoped_state.h"

namespace tessaly {
namespace {

using test::FindControl;

TEST(PrintOptionsDialog, RefusedValueGetsTheFocusAndNothingIsStored) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("Tesly.ini");
  test::PutFile(ini, "[Options]\r\nPdfFolder=" + dir.filePath("pdf").toUtf8() + "\r\n");
  ScriptedUi ui;
  ScopedUi scoped(ui);
  JobSettings settings;
  PrinterAccess printers(nullptr, ini);
  PageLayout layout;
  PrintOptionsDialog dialog(settings, printers, layout, ini);
  dialog.show();

  FindControl<QCheckBox>(dialog, "chkInterpolate", 1)->click();
  EXPECT_FALSE(FindControl<QCheckBox>(dialog, "chkInterpolate", 0)->isChecked());
  auto* minimum = FindControl<QLineEdit>(dialog, "txtInterpolVal", 1);
  QTest::keyClicks(minimum, "10a01");
  EXPECT_EQ(minimum->text(), "1001");
  FindControl<QPushButton>(dialog, "cmdPrint")->click();

  EXPECT_EQ(ui.MessageTexts(), std::vector<QString>{"The minimum resolution is invalid!"});
  EXPECT_EQ(dialog.focusWidget(), minimum);
  EXPECT_NE(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ReadIniValue("PrintOptions", "InterpolVal1", ini), "");
}

}  // namespace
}  // namespace tessaly
