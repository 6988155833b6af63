// The main window's edit side, top to bottom: the current photo's histogram, the
// edit panel and the command buttons, each button bound to its window action. With
// no photo shown the histogram is empty and the panel disabled.
#pragma once

#include <QWidget>

namespace tessaly {

class EditPanel;
class HistogramView;
class MyPicture;
class WindowActions;
struct JobSettings;

class EditSide : public QWidget {
  Q_OBJECT

 public:
  // `settings` and `actions` outlive the side.
  EditSide(const JobSettings& settings, const WindowActions& actions, QWidget* parent);

  EditPanel* Panel() const { return panel_; }
  // Shows `photo`'s values and histogram; null clears both and disables the panel.
  void ShowPhoto(MyPicture* photo);
  // The histogram of `photo`, after its picture was redrawn.
  void ShowHistogram(const MyPicture& photo);

 private:
  QWidget* BuildCommands(const WindowActions& actions);

  HistogramView* histogram_;
  EditPanel* panel_;
};

}  // namespace tessaly
