// The main window's commands: one table of their names, texts, keys, tool tips and
// theme icons, and the rule saying which of them may run in the window's state.
// Every button, menu entry and shortcut of a command shows the same entry. Texts
// use "&" before the menu's access key; keys are portable QKeySequence texts.
#pragma once

#include <QString>

namespace tessaly {

enum class WindowCommand {
  kAddPhotos,
  kOpenJob,
  kSaveJob,
  kExit,
  kRotateLeft,
  kRotateRight,
  kRotateCrop,
  kWhiteBalance,
  kReset,
  kInfo,
  kRemove,
  kRemoveAll,
  kPreviousPhoto,
  kNextPhoto,
  kJobSettings,
  kPreview,
  kPrint,
  kSave,
  kHelp,
  kShortcuts,
  kAbout,
};
inline constexpr int kWindowCommandCount = static_cast<int>(WindowCommand::kAbout) + 1;

// The menus, in the menu bar's order; a command belongs to at most one.
enum class CommandMenu { kNone, kFile, kPhoto, kJob, kHelp };
inline constexpr int kCommandMenuCount = static_cast<int>(CommandMenu::kHelp) + 1;

struct CommandForm {
  const char* name;  // object name: its button's where it has one
  const char* text;
  const char* caption;  // the button's caption; null without a button
  const char* keys;     // a QKeySequence text; empty for none
  const char* tip;
  const char* icon;  // a freedesktop icon name; empty for none
  CommandMenu menu;
};
const CommandForm& FormOf(WindowCommand command);
// "&File", "&Photo", "&Job", "&Help" and the menus' object names.
const char* MenuText(CommandMenu menu);
const char* MenuName(CommandMenu menu);

// What the commands depend on.
struct CommandStates {
  bool has_photos = false;   // the job has photos
  bool has_current = false;  // one of them is shown
  bool editable = false;     // the shown photo's edits may change (not a contact sheet)
  bool run_going = false;    // a print or save run uses the job
  bool adding = false;       // the open-photos dialog is open
};
bool CommandEnabled(WindowCommand command, const CommandStates& states);

// The Help menu's list of keys: a line "text: keys" for every command with keys, in
// the table's order, the keys as this desktop writes them.
QString ShortcutsText();

}  // namespace tessaly
