// Scripted answers and recorded requests of the common dialogs.
#include "controls/scripted_common_dialogs.h"

namespace tessaly {

bool ScriptedCommonDialogs::OpenFiles(OpenFileRequest& request, QStringList& files) {
  requests_.push_back({DialogKind::OpenFiles,
                       request.title,
                       request.filter,
                       request.initial_folder,
                       request.multi_select,
                       {}});
  files.clear();
  if (files_.empty() || files_.front().files.isEmpty()) {
    if (!files_.empty()) files_.pop_front();
    return false;
  }
  files = files_.front().files;
  request.filter_index = files_.front().filter_index;
  files_.pop_front();
  if (!request.multi_select && files.size() > 1) files = files.mid(0, 1);
  return true;
}

bool ScriptedCommonDialogs::SaveFile(OpenFileRequest& request, QString& file) {
  QStringList files;
  request.multi_select = false;
  const bool chosen = OpenFiles(request, files);
  requests_.back().kind = DialogKind::SaveFile;
  file = chosen ? files.front() : QString();
  return chosen;
}

QString ScriptedCommonDialogs::BrowseFolders(const QString& title) {
  requests_.push_back({DialogKind::BrowseFolders, title, {}, {}, false, {}});
  if (folders_.empty()) return QString();
  const QString folder = folders_.front();
  folders_.pop_front();
  return folder;
}

bool ScriptedCommonDialogs::ChooseFont(FontChoice& font, std::uint32_t& colour, double, double) {
  requests_.push_back({DialogKind::ChooseFont, {}, {}, {}, false, font});
  if (fonts_.empty()) return false;
  font = fonts_.front().font;
  colour = fonts_.front().colour;
  fonts_.pop_front();
  return true;
}

}  // namespace tessaly
