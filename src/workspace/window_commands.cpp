// The window's command table and the rule of when each command may run.
#include "workspace/window_commands.h"

#include <QKeySequence>
#include <QStringList>
#include <array>

#include "controls/ui_text.h"

namespace tessaly {
namespace {

using M = CommandMenu;

// In WindowCommand's order.
constexpr std::array<CommandForm, kWindowCommandCount> kForms = {{
    {"cmdAdd", QT_TRANSLATE_NOOP("Tessaly", "&Add Photos..."), QT_TRANSLATE_NOOP("Tessaly", "Add"),
     "Ctrl+O", QT_TRANSLATE_NOOP("Tessaly", "Add photos to the job"), "list-add", M::kFile},
    {"mnuOpenJob", QT_TRANSLATE_NOOP("Tessaly", "&Open Job..."), nullptr, "Ctrl+Shift+O",
     QT_TRANSLATE_NOOP("Tessaly", "Add the photos of a saved job, with their edits"),
     "document-open", M::kFile},
    {"mnuSaveJob", QT_TRANSLATE_NOOP("Tessaly", "Save &Job..."), nullptr, "Ctrl+Shift+S",
     QT_TRANSLATE_NOOP("Tessaly", "Save the job's photos and their edits in a job file"),
     "document-save-as", M::kFile},
    {"cmdSair", QT_TRANSLATE_NOOP("Tessaly", "E&xit"), QT_TRANSLATE_NOOP("Tessaly", "Exit"),
     "Ctrl+Q",
     QT_TRANSLATE_NOOP("Tessaly", "Close the program; the job is kept for the next start"),
     "application-exit", M::kFile},
    {"cmdRotateLeft", QT_TRANSLATE_NOOP("Tessaly", "Rotate &Left"),
     QT_TRANSLATE_NOOP("Tessaly", "Rotate Left"), "Ctrl+L",
     QT_TRANSLATE_NOOP("Tessaly", "Turn the photo a quarter turn counter-clockwise"),
     "object-rotate-left", M::kPhoto},
    {"cmdRotateRight", QT_TRANSLATE_NOOP("Tessaly", "Rotate &Right"),
     QT_TRANSLATE_NOOP("Tessaly", "Rotate Right"), "Ctrl+R",
     QT_TRANSLATE_NOOP("Tessaly", "Turn the photo a quarter turn clockwise"), "object-rotate-right",
     M::kPhoto},
    {"cmdRotateCrop", QT_TRANSLATE_NOOP("Tessaly", "Rotate &Crop"),
     QT_TRANSLATE_NOOP("Tessaly", "Rotate Crop"), "Ctrl+T",
     QT_TRANSLATE_NOOP("Tessaly", "Turn the crop frame between landscape and portrait"), "",
     M::kPhoto},
    {"btWhiteBalance", QT_TRANSLATE_NOOP("Tessaly", "&White Balance"),
     QT_TRANSLATE_NOOP("Tessaly", "White Balance"), "Ctrl+B",
     QT_TRANSLATE_NOOP("Tessaly", "Then click a spot of the photo that should be neutral grey"), "",
     M::kPhoto},
    {"cmdReset", QT_TRANSLATE_NOOP("Tessaly", "Re&set Edits"),
     QT_TRANSLATE_NOOP("Tessaly", "Reset"), "Ctrl+0",
     QT_TRANSLATE_NOOP("Tessaly",
                       "Set brightness, contrast, gamma, saturation and colours back to none"),
     "edit-undo", M::kPhoto},
    {"cmdInfo", QT_TRANSLATE_NOOP("Tessaly", "&Information"), QT_TRANSLATE_NOOP("Tessaly", "Info"),
     "Ctrl+I", QT_TRANSLATE_NOOP("Tessaly", "Show the photo's file, size and camera data"),
     "dialog-information", M::kPhoto},
    {"cmdRemove", QT_TRANSLATE_NOOP("Tessaly", "Re&move"), QT_TRANSLATE_NOOP("Tessaly", "Remove"),
     "Delete",
     QT_TRANSLATE_NOOP("Tessaly",
                       "Take the photo out of the job (the file stays); right-click to remove all"),
     "list-remove", M::kPhoto},
    {"mnuRemoveAll", QT_TRANSLATE_NOOP("Tessaly", "Remove &All"), nullptr, "Shift+Delete",
     QT_TRANSLATE_NOOP("Tessaly", "Take every photo out of the job"), "edit-clear", M::kPhoto},
    {"actPreviousPhoto", QT_TRANSLATE_NOOP("Tessaly", "Previous Photo"), nullptr, "PgUp", "", "",
     M::kNone},
    {"actNextPhoto", QT_TRANSLATE_NOOP("Tessaly", "Next Photo"), nullptr, "PgDown", "", "",
     M::kNone},
    {"cmdJobSetup", QT_TRANSLATE_NOOP("Tessaly", "&Settings..."),
     QT_TRANSLATE_NOOP("Tessaly", "Settings"), "Ctrl+,",
     QT_TRANSLATE_NOOP("Tessaly", "Choose the printer, the photo size and the layout"),
     "document-properties", M::kJob},
    {"cmdPrintPreview", QT_TRANSLATE_NOOP("Tessaly", "Pre&view"),
     QT_TRANSLATE_NOOP("Tessaly", "Preview"), "Ctrl+Shift+P",
     QT_TRANSLATE_NOOP("Tessaly", "Show the pages as they will print"), "document-print-preview",
     M::kJob},
    {"cmdPrint", QT_TRANSLATE_NOOP("Tessaly", "&Print..."), QT_TRANSLATE_NOOP("Tessaly", "Print"),
     "Ctrl+P", QT_TRANSLATE_NOOP("Tessaly", "Print the job"), "document-print", M::kJob},
    {"cmdSave", QT_TRANSLATE_NOOP("Tessaly", "Sa&ve Photos..."),
     QT_TRANSLATE_NOOP("Tessaly", "Save"), "Ctrl+S",
     QT_TRANSLATE_NOOP("Tessaly", "Save every photo, edited and sized, as a new file"),
     "document-save", M::kJob},
    {"cmdHelp", QT_TRANSLATE_NOOP("Tessaly", "&Help"), QT_TRANSLATE_NOOP("Tessaly", "Help"), "F1",
     QT_TRANSLATE_NOOP("Tessaly", "Open the help"), "help-contents", M::kHelp},
    {"mnuShortcuts", QT_TRANSLATE_NOOP("Tessaly", "&Keyboard Shortcuts"), nullptr, "Ctrl+F1",
     QT_TRANSLATE_NOOP("Tessaly", "List the keyboard shortcuts"), "", M::kHelp},
    {"cmdAbout", QT_TRANSLATE_NOOP("Tessaly", "&About"), QT_TRANSLATE_NOOP("Tessaly", "About"), "",
     QT_TRANSLATE_NOOP("Tessaly", "About this program and its licences"), "help-about", M::kHelp},
}};

constexpr std::array<const char*, kCommandMenuCount> kMenuTexts = {
    "", QT_TRANSLATE_NOOP("Tessaly", "&File"), QT_TRANSLATE_NOOP("Tessaly", "&Photo"),
    QT_TRANSLATE_NOOP("Tessaly", "&Job"), QT_TRANSLATE_NOOP("Tessaly", "&Help")};
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
    const QString text = UiText(form.text).remove(u'&').remove(QStringLiteral("..."));
    lines << text + QStringLiteral(": ") +
                 QKeySequence(QString::fromLatin1(form.keys)).toString(QKeySequence::NativeText);
  }
  return lines.join(u'\n');
}

}  // namespace tessaly
