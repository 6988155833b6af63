#include "workspace/window_commands.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QSet>
#include <QStringList>

namespace tessaly {
namespace {

using C = WindowCommand;

// The commands enabled in `states`, by object name.
QStringList Enabled(const CommandStates& states) {
  QStringList names;
  for (int i = 0; i < kWindowCommandCount; ++i)
    if (CommandEnabled(static_cast<C>(i), states))
      names << QString::fromLatin1(FormOf(static_cast<C>(i)).name);
  return names;
}

TEST(WindowCommands, WhatRunsInEachState) {
  CommandStates empty;
  EXPECT_EQ(Enabled(empty), QStringList({"cmdAdd", "mnuOpenJob", "cmdSair", "cmdJobSetup",
                                         "cmdHelp", "mnuShortcuts", "cmdAbout"}));
  CommandStates photos{true, true, true, false, false};
  EXPECT_EQ(Enabled(photos).size(), kWindowCommandCount);
  // A contact sheet prints photos as they are: no edits, everything else.
  CommandStates sheet = photos;
  sheet.editable = false;
  for (const char* edit :
       {"cmdRotateLeft", "cmdRotateRight", "cmdRotateCrop", "btWhiteBalance", "cmdReset"})
    EXPECT_FALSE(Enabled(sheet).contains(edit)) << edit;
  EXPECT_EQ(Enabled(sheet).size(), kWindowCommandCount - 5);
  // A run or the open-photos dialog leave the job alone; looking around stays.
  CommandStates run = photos;
  run.run_going = true;
  EXPECT_EQ(Enabled(run), QStringList({"cmdSair", "cmdInfo", "actPreviousPhoto", "actNextPhoto",
                                       "cmdHelp", "mnuShortcuts", "cmdAbout"}));
  CommandStates adding = photos;
  adding.adding = true;
  EXPECT_EQ(Enabled(adding),
            QStringList({"cmdSair", "cmdRotateLeft", "cmdRotateRight", "cmdRotateCrop",
                         "btWhiteBalance", "cmdReset", "cmdInfo", "actPreviousPhoto",
                         "actNextPhoto", "cmdHelp", "mnuShortcuts", "cmdAbout"}));
}

TEST(WindowCommands, NamesAndKeysAreUniqueAndEveryShownCommandExplainsItself) {
  QSet<QString> names;
  QSet<QString> keys;
  int with_keys = 0;
  for (int i = 0; i < kWindowCommandCount; ++i) {
    const CommandForm& form = FormOf(static_cast<C>(i));
    const QString name = QString::fromLatin1(form.name);
    EXPECT_FALSE(names.contains(name)) << form.name;
    names.insert(name);
    if (*form.keys) {
      const QKeySequence sequence(QString::fromLatin1(form.keys));
      EXPECT_EQ(sequence.count(), 1) << form.name;
      EXPECT_FALSE(keys.contains(sequence.toString())) << form.name;
      keys.insert(sequence.toString());
      ++with_keys;
    }
    if (form.menu != CommandMenu::kNone || form.caption) {
      EXPECT_TRUE(*form.tip) << form.name;
    }
  }
  const QStringList lines = ShortcutsText().split(u'\n');
  EXPECT_EQ(lines.size(), with_keys);
  EXPECT_TRUE(lines.contains("Print: Ctrl+P"));
  EXPECT_TRUE(lines.contains("Add Photos: Ctrl+O"));
}

}  // namespace
}  // namespace tessaly
