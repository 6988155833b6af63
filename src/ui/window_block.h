// Disabling a window on behalf of several holders at once (a print run, a preview,
// the save dialog): each Block is paired with one Unblock, and the window is enabled
// again only when the last holder has let go, whatever order they end in. A plain
// setEnabled(true) at the end of one holder would give the window back while another
// (a preview still drawing from the job) still needs it kept.
#pragma once

#include <QPointer>
#include <QWidget>

namespace tessaly {

void BlockWindow(QWidget* window);
// Without a matching Block it does nothing.
void UnblockWindow(QWidget* window);

// A holder's block, released once (by Release or on destruction).
class WindowBlock {
 public:
  WindowBlock() = default;
  explicit WindowBlock(QWidget* window);
  ~WindowBlock();
  WindowBlock(const WindowBlock&) = delete;
  WindowBlock& operator=(const WindowBlock&) = delete;

  void Release();

 private:
  QPointer<QWidget> window_;
};

}  // namespace tessaly
