// The worker that makes sharper screen copies, and the window's look at it.
#include "ui/sharp_screen_copy.h"

#include <QTimer>
#include <chrono>
#include <utility>

#include "job/add_photo.h"

namespace tessaly {
namespace {

// How often the window looks whether a copy is done.
constexpr int kLookMs = 20;

}  // namespace

SharpScreenCopy::SharpScreenCopy(std::function<void(const QString&, cDIB&)> take, QObject* parent)
    : QObject(parent), take_(std::move(take)), look_(new QTimer(this)) {
  look_->setInterval(kLookMs);
  connect(look_, &QTimer::timeout, this, &SharpScreenCopy::Look);
}

SharpScreenCopy::~SharpScreenCopy() {
  if (making_.valid()) making_.wait();
}

void SharpScreenCopy::Request(const QString& file, int pixels) {
  wanted_file_ = file;
  wanted_pixels_ = pixels;
  if (!making_.valid()) Start();
}

void SharpScreenCopy::Forget() {
  wanted_file_.clear();
  wanted_pixels_ = 0;
}

void SharpScreenCopy::Start() {
  if (wanted_file_.isEmpty() || wanted_pixels_ <= 0) return;
  started_file_ = wanted_file_;
  started_pixels_ = wanted_pixels_;
  making_ = std::async(std::launch::async, [file = started_file_, pixels = started_pixels_] {
    Made made;
    made.file = file;
    made.pixels = pixels;
    int w = 0;
    int h = 0;
    made.ok = MakeScreenCopy(file, pixels, made.copy, w, h);
    return made;
  });
  look_->start();
}

void SharpScreenCopy::Look() {
  if (!making_.valid() || making_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
    return;
  look_->stop();
  Made made = making_.get();
  const bool wanted = made.file == wanted_file_ && made.pixels == wanted_pixels_;
  if (wanted) {
    Forget();
    if (made.ok) take_(made.file, made.copy);
    return;
  }
  Start();
}

}  // namespace tessaly
