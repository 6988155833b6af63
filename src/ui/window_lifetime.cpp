// The yield count and the deferred deletion of closed windows.
#include "ui/window_lifetime.h"

#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace tessaly {
namespace {

// A closed window waits this long between looks at the stack.
constexpr int kRetryMs = 20;
// A property that marks a window whose deletion is already on its way.
constexpr char kDeletionPending[] = "tessalyDeletionPending";

int g_yield_depth = 0;

void TryDelete(QPointer<QWidget> window) {
  if (!window) return;
  if (!AtMainLoopTop()) {
    QTimer::singleShot(kRetryMs, [window] { TryDelete(window); });
    return;
  }
  delete window.data();
}

}  // namespace

YieldScope::YieldScope() {
  ++g_yield_depth;
}

YieldScope::~YieldScope() {
  --g_yield_depth;
}

bool AtMainLoopTop() {
  return g_yield_depth == 0 && QThread::currentThread()->loopLevel() <= 1;
}

void DeleteWhenIdle(QWidget* window) {
  if (!window || window->property(kDeletionPending).toBool()) return;
  window->setProperty(kDeletionPending, true);
  QPointer<QWidget> guarded(window);
  QTimer::singleShot(0, [guarded] { TryDelete(guarded); });
}

}  // namespace tessaly
