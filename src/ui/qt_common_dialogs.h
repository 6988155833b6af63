// The common dialogs of the window program on Qt: a non-native QFileDialog for
// opening and saving files (saving asks before a name already taken is used) (non-native so that
// every desktop shows the same dialog and the filters match file names in either letter case), the
// folder chooser of QFileDialog limited to folders, and QFontDialog followed by QColorDialog for a
// font and its colour. A size range outside min..max is pulled into it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "controls/common_dialogs.h"

namespace tessaly {

class QtCommonDialogs final : public CommonDialogs {
 public:
  // Dialogs open over `owner` (may be null, then over the active window).
  explicit QtCommonDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }

  bool OpenFiles(OpenFileRequest& request, QStringList& files) override;
  bool SaveFile(OpenFileRequest& request, QString& file) override;
  QString BrowseFolders(const QString& title) override;
  bool ChooseFont(FontChoice& font, std::uint32_t& colour, double min_size,
                  double max_size) override;

 private:
  QWidget* Owner() const;
  QPointer<QWidget> owner_;
};

}  // namespace tessaly
