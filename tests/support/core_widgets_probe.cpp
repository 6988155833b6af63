// Must not compile: core code may not include Qt Widgets headers.
#include <QtWidgets/QWidget>

int main() {
  return 0;
}
