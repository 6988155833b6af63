// When a closed window may be deleted: only from the main event loop itself, at loop
// level one, outside every "let messages run" and every modal dialog's own loop, so
// that none of the window's handlers can still be on the stack. Qt's deleteLater is
// not enough: its deferred delete also runs inside a shallower processEvents in which
// a handler of the window may still be waiting (a long add, a page being drawn).
#pragma once

class QWidget;

namespace tessaly {

// Marks a "let messages run" of the window program for as long as it lives.
class YieldScope {
 public:
  YieldScope();
  ~YieldScope();
  YieldScope(const YieldScope&) = delete;
  YieldScope& operator=(const YieldScope&) = delete;
};

// True when only the main event loop is running: no yield open, no nested loop.
bool AtMainLoopTop();

// Deletes `window` (hidden by its close) the first time AtMainLoopTop() holds; until
// then it checks again every few milliseconds. Calling it twice deletes once.
void DeleteWhenIdle(QWidget* window);

}  // namespace tessaly
