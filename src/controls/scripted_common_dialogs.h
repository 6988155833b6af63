// The common dialogs answered from a script, for tests: each kind of dialog takes
// its answers from its own queue, in order (the save dialog takes the first file of
// the open dialog's queue), and every request is recorded. A dialog with no queued
// answer is cancelled.
#pragma once

#include <deque>
#include <vector>

#include "controls/common_dialogs.h"

namespace tessaly {

enum class DialogKind { OpenFiles, SaveFile, BrowseFolders, ChooseFont };

struct RecordedDialog {
  DialogKind kind;
  QString title;
  QString filter;
  QString initial_folder;
  bool multi_select = false;
  FontChoice font;  // the font offered (ChooseFont)
};

class ScriptedCommonDialogs : public CommonDialogs {
 public:
  bool OpenFiles(OpenFileRequest& request, QStringList& files) override;
  bool SaveFile(OpenFileRequest& request, QString& file) override;
  QString BrowseFolders(const QString& title) override;
  bool ChooseFont(FontChoice& font, std::uint32_t& colour, double min_size,
                  double max_size) override;

  // Queues the files of the next open dialog with the filter pair chosen; an empty
  // list cancels it.
  void AnswerFiles(const QStringList& files, int filter_index = 1) {
    files_.push_back({files, filter_index});
  }
  // Queues the next chosen folder; "" cancels.
  void AnswerFolder(const QString& folder) { folders_.push_back(folder); }
  // Queues the next font dialog's choice.
  void AnswerFont(const FontChoice& font, std::uint32_t colour) {
    fonts_.push_back({font, colour});
  }

  const std::vector<RecordedDialog>& Requests() const { return requests_; }

 private:
  struct Files {
    QStringList files;
    int filter_index;
  };
  struct Font {
    FontChoice font;
    std::uint32_t colour;
  };
  std::vector<RecordedDialog> requests_;
  std::deque<Files> files_;
  std::deque<QString> folders_;
  std::deque<Font> fonts_;
};

}  // namespace tessaly
