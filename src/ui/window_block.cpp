// The holders are counted in a property of the window.
#include "ui/window_block.h"

#include <QVariant>
#include <QWidget>

namespace tessaly {
namespace {

constexpr char kBlocks[] = "tessalyBlocks";

}  // namespace

void BlockWindow(QWidget* window) {
  if (!window) return;
  window->setProperty(kBlocks, window->property(kBlocks).toInt() + 1);
  window->setEnabled(false);
}

void UnblockWindow(QWidget* window) {
  if (!window) return;
  const int blocks = window->property(kBlocks).toInt();
  if (blocks <= 0) return;
  window->setProperty(kBlocks, blocks - 1);
  if (blocks == 1) window->setEnabled(true);
}

WindowBlock::WindowBlock(QWidget* window) : window_(window) {
  BlockWindow(window_);
}

WindowBlock::~WindowBlock() {
  Release();
}

void WindowBlock::Release() {
  UnblockWindow(window_);
  window_ = nullptr;
}

}  // namespace tessaly
