// The progress window of a long run (printing, saving): a small window on top with
// the run's caption, one line of text and a Cancel button. Cancel reports through
// the callback given at construction and the run stops at its next poll; closing
// the window counts as Cancel, so a run never goes on without its window.
#pragma once

#include <QWidget>
#include <functional>

class QLabel;

namespace tessaly {

class ProgressWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressWindow(std::function<void()> on_cancel, QWidget* parent = nullptr);

  // Sets caption and text and shows the window when it is hidden.
  void Show(const QString& caption, const QString& text);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> on_cancel_;
  QLabel* message_;
};

}  // namespace tessaly
