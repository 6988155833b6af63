// The print preview window: the whole screen, a button bar along the top (First,
// Previous, Next, Last, Print, Close and the "Page p/P" text) and the paper below it,
// showing one page of the print window's preview at a time. Only the page on
// screen is kept. While a page is drawn the wait cursor shows and the buttons are
// disabled; a step asked for meanwhile (button or key) is refused, and a close
// request waits until the page is done.
#pragma once

#include <QWidget>
#include <functional>

#include "print/preview_navigation.h"

class QLabel;

namespace tessaly {

class ButtonOnOff;
class Container3D;
class PrintWindow;

class PreviewWindow : public QWidget {
  Q_OBJECT

 public:
  // The preview of `print_window` after its PrintIt(true); the print window must
  // outlive this window.
  explicit PreviewWindow(PrintWindow& print_window, QWidget* parent = nullptr);

  // Opens a preview window that deletes itself when closed, after closing any other
  // preview window: it takes the whole screen and shows page 1. Print closes it and
  // then runs `on_print`; `on_closed` runs whenever it closes. Meant for the print
  // window's preview hook.
  static PreviewWindow* Open(PrintWindow& print_window, std::function<void()> on_print,
                             std::function<void()> on_closed);

  // Shows the window over the whole screen and draws page 1.
  void ShowPreview();
  // Print closes the window and calls the print hook; the closed hook follows every
  // close, after the print hook when the close was Print's.
  void SetPrintHook(std::function<void()> hook) { on_print_ = std::move(hook); }
  void SetClosedHook(std::function<void()> hook) { on_closed_ = std::move(hook); }

  int Page() const { return navigation_.Page(); }
  bool Drawing() const { return drawing_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Home, Page Up, Page Down and End step like the buttons; Escape closes.
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The bar of page buttons, the page count and Print and Close.
  void BuildButtonBar();
  ButtonOnOff* AddButton(const char* name, const QString& tip);
  // Runs a step command and draws its page; refused while a page is being drawn.
  void Step(PreviewStep (PreviewNavigation::*command)());
  void Print();
  void Place();
  void UpdateButtons();

  PrintWindow& print_window_;
  PreviewNavigation navigation_;
  double paper_width_mm_ = 0;
  double paper_height_mm_ = 0;
  Container3D* bar_;
  QLabel* paper_;
  QLabel* pages_;
  ButtonOnOff* first_;
  ButtonOnOff* previous_;
  ButtonOnOff* next_;
  ButtonOnOff* last_;
  ButtonOnOff* print_;
  ButtonOnOff* close_;
  bool drawing_ = false;
  bool close_pending_ = false;
  std::function<void()> on_print_;
  std::function<void()> on_closed_;
};

}  // namespace tessaly
