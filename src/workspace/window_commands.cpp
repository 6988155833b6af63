// The window's command table and the rule of when each command may run.
#include "workspace/window_commands.h"

#include <QKeySequence>
#include <QStringList>
#include <array>

namespace tessaly {
namespace {

using M = CommandMenu;

// In WindowCommand's order.
constexpr std::array<CommandForm, kWindowCommandCount> kForms = {{
    {"cmdAdd", "&Add Photos...", "Add", "Ctrl+O", "Add photos to the job", "list-add", M::kFile},
    {"mnuOpenJob", "&Open Job...", nullptr, "Ctrl+Shift+O",
     "Add the photos of a saved job, with their edits", "document-open", M::kFile},
    {"mnuSaveJob", "Save &Job...", nullptr, "Ctrl+Shift+S",
     "Save the job's photos and their edits in a job file", "document-save-as", M::kFile},
    {"cmdSair", "E&xit", "Exit", "Ctrl+Q", "Close the program; the job is kept for the next start",
     "application-exit", M::kFile},
    {"cmdRotateLeft", "Rotate &Left", "Rotate Left", "Ctrl+L",
     "Turn the photo a quarter turn counter-clockwise", "object-rotate-left", M::kPhoto},
    {"cmdRotateRight", "Rotate &Right", "Rotate Right", "Ctrl+R",
     "Turn the photo a quarter turn clockwise", "object-rotate-right", M::kPhoto},
    {"cmdRotateCrop", "Rotate &Crop", "Rotate Crop", "Ctrl+T",
     "Turn the crop frame between landscape and portrait", "", M::kPhoto},
    {"btWhiteBalance", "&White Balance", "White Balance", "Ctrl+B",
     "Then click a spot of the photo that should be neutral grey", "", M::kPhoto},
    {"cmdReset", "Re&set Edits", "Reset", "Ctrl+0",
     "Set brightness, contrast, gamma, saturation and colours back to none", "edit-undo",
     M::kPhoto},
    {"cmdInfo", "&Information", "Info", "Ctrl+I", "Show the photo's file, size and camera data",
     "dialog-information", M::kPhoto},
    {"cmdRemove", "Re&move", "Remove", "Delete",
     "Take the photo out of the job (the file stays); right-click to remove all", "list-remove",
     M::kPhoto},
    {"mnuRemoveAll", "Remove &All", nullptr, "Shift+Delete", "Take every photo out of the job",
     "edit-clear", M::kPhoto},
    {"actPreviousPhoto", "Previous Photo", nullptr, "PgUp", "", "", M::kNone},
    {"actNextPhoto", "Next Photo", nullptr, "PgDown", "", "", M::kNone},
    {"cmdJobSetup", "&Settings...", "Settings", "Ctrl+,",
     "Choose the printer, the photo size and the layout", "document-properties", M::kJob},
    {"cmdPrintPreview", "Pre&view", "Preview", "Ctrl+Shift+P", "Show the pages as they will print",
     "document-print-preview", M::kJob},
    {"cmdPrint", "&Print...", "Print", "Ctrl+P", "Print the job", "document-print", M::kJob},
    {"cmdSave", "Sa&ve Photos...", "Save", "Ctrl+S",
     "Save every photo, edited and sized, as a new file", "document-save", M::kJob},
    {"cmdHelp", "&Help", "Help", "F1", "Open the help", "help-contents", M::kHelp},
    {"mnuShortcuts", "&Keyboard Shortcuts", nullptr, "Ctrl+F1", "List the keyboard shortcuts", "",
     M::kHelp},
    {"cmdAbout", "&About", "About", "", "About this program and its licences", "help-about",
     M::kHelp},
}};

constexpr std::array<const char*, kCommandMenuCount> kMenuTexts = {"", "&File", "&Photo", "&Job",
                                                                   "&Help"};
constexpr std::array<const char*, kCommandMenuCount> kMenuNames = {"", "mnuFile", "mnuPhoto",
                                                                   "mnuJob", "mnuHelp"};

}  // namespace

const CommandForm& FormOf(WindowCommand command) {
  return kForms[static_cast<std::size_t>(command)];
}

const char* MenuText(CommandMenu menu) {
  return kMenuTexts[static_cast<std::size_t>(menu)];
}

const char* MenuName(CommandMenu menu) {
  return kMenuNames[static_cast<std::size_t>(menu)];
}

bool CommandEnabled(WindowCommand command, const CommandStates& s) {
  using C = WindowCommand;
  switch (command) {
    case C::kAddPhotos:
    case C::kOpenJob:
    case C::kJobSettings:
      return !s.run_going && !s.adding;
    case C::kSaveJob:
    case C::kRemoveAll:
    case C::kPreview:
    case C::kPrint:
    case C::kSave:
      return s.has_photos && !s.run_going && !s.adding;
    case C::kRemove:
      return s.has_current && !s.run_going && !s.adding;
    case C::kRotateLeft:
    case C::kRotateRight:
    case C::kRotateCrop:
    case C::kWhiteBalance:
    case C::kReset:
      return s.has_current && s.editable && !s.run_going;
    case C::kInfo:
    case C::kPreviousPhoto:
    case C::kNextPhoto:
      return s.has_current;
    case C::kExit:
    case C::kHelp:
    case C::kShortcuts:
    case C::kAbout:
      return true;
  }
  return false;
}

QString ShortcutsText() {
  QStringList lines;
  for (const CommandForm& form : kForms) {
    if (!*form.keys) continue;
    const QString text = QString::fromLatin1(form.text).remove(u'&').remove(QStringLiteral("..."));
    lines << text + QStringLiteral(": ") +
                 QKeySequence(QString::fromLatin1(form.keys)).toString(QKeySequence::NativeText);
  }
  return lines.join(u'\n');
}

}  // namespace tessaly
