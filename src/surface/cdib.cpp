// cDIB: pixel memory in the surface layout plus QPainter-based drawing.
// The painter of the surface's own context draws through a vertical flip so that
// callers use picture coordinates while the rows stay bottom-up in memory.
#include "surface/cdib.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "controls/ui_service.h"
#include "surface/top_down_rgb.h"

namespace tessaly {
namespace {

constexpr int kBoldWeight = 700;

Qt::PenStyle PenStyleFromClassic(int style) {
  switch (style) {
    case 1:
      return Qt::DashLine;
    case 2:
      return Qt::DotLine;
    case 3:
      return Qt::DashDotLine;
    case 4:
      return Qt::DashDotDotLine;
    case 5:
      return Qt::NoPen;
    default:
      return Qt::SolidLine;
  }
}

// The pen and font of a new or disposed surface: one solid black pixel with flat
// ends and mitred corners, and the platform's default font.
QPen InitialPen() {
  return QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

}  // namespace

QColor ColourFromRgbValue(std::uint32_t rgb) {
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

cDIB::cDIB() : pen_(InitialPen()) {}

cDIB::~cDIB() {
  Dispose();
}

cDIB::cDIB(cDIB&& other) noexcept {
  *this = std::move(other);
}

cDIB& cDIB::operator=(cDIB&& other) noexcept {
  if (this == &other) return *this;
  Dispose();
  // The other surface's painter is bound to its QImage object, not to the pixels:
  // end it there and let this surface open its own when asked.
  other.painter_.reset();
  buffer_ = std::move(other.buffer_);
  width_ = std::exchange(other.width_, 0);
  height_ = std::exchange(other.height_, 0);
  memory_image_ = std::exchange(other.memory_image_, QImage());
  pen_ = other.pen_;
  font_ = other.font_;
  font_escapement_ = other.font_escapement_;
  EmbededProfileDescription = std::move(other.EmbededProfileDescription);
  HaveEmbededProfile = other.HaveEmbededProfile;
  return *this;
}

bool cDIB::CreateUnfilled(int width, int height) {
  Dispose();
  if (!SurfaceSizeAllowed(width, height)) return false;
  if (!buffer_.Allocate(width, height)) return false;
  width_ = width;
  height_ = height;
  memory_image_ =
      QImage(buffer_.View().bits, width, height, StrideFor(width), QImage::Format_BGR888);
  return true;
}

bool cDIB::Create(int width, int height, std::uint32_t background) {
  if (!CreateUnfilled(width, height)) return false;

  // One filled row (padding zero), copied to every row.
  const int stride = StrideFor(width);
  std::uint8_t* first = buffer_.View().bits;
  const std::uint8_t b = (background >> 16) & 0xFF, g = (background >> 8) & 0xFF,
                     r = background & 0xFF;
  for (int c = 0; c < width; ++c) {
    first[3 * c] = b;
    first[3 * c + 1] = g;
    first[3 * c + 2] = r;
  }
  for (int y = 1; y < height; ++y)
    std::memcpy(first + static_cast<std::size_t>(y) * stride, first, stride);
  return true;
}

int cDIB::CreateFromStdPicture(const QImage& picture) {
  if (picture.isNull()) return 0;
  if (!Create(picture.width(), picture.height(), 0xFFFFFF)) return 0;
  LoadBlt(picture, 0, 0);
  return picture.depth() < 9 ? picture.depth() : 24;
}

void cDIB::LoadBlt(const QImage& source, int x, int y) {
  if (!IsCreated() || source.isNull()) return;
  // Straight copy: the source's own pixels, alpha ignored, as a blit would.
  const QImage rgb = source.format() == QImage::Format_RGB888
                         ? source
                         : source.convertToFormat(QImage::Format_RGB888);
  const int x0 = std::max(0, -x), x1 = std::min(width_, rgb.width() - x);
  const int y0 = std::max(0, -y), y1 = std::min(height_, rgb.height() - y);
  if (x0 >= x1 || y0 >= y1) return;
  for (int py = y0; py < y1; ++py) {
    const std::uint8_t* src = rgb.constScanLine(py + y) + 3 * (x0 + x);
    std::uint8_t* dst = View().Row(height_ - 1 - py) + 3 * x0;
    for (int c = x0; c < x1; ++c, src += 3, dst += 3) {
      dst[0] = src[2];
      dst[1] = src[1];
      dst[2] = src[0];
    }
  }
}

void cDIB::LoadBlt(const cDIB& source, int x, int y) {
  if (!IsCreated() || !source.IsCreated()) return;
  const int x0 = std::max(0, -x), x1 = std::min(width_, source.width_ - x);
  const int y0 = std::max(0, -y), y1 = std::min(height_, source.height_ - y);
  if (x0 >= x1 || y0 >= y1) return;
  const int src_stride = source.Stride();
  for (int py = y0; py < y1; ++py) {
    const std::uint8_t* src =
        source.buffer_.View().bits +
        static_cast<std::ptrdiff_t>(source.height_ - 1 - (py + y)) * src_stride + 3 * (x0 + x);
    std::uint8_t* dst = View().Row(height_ - 1 - py) + 3 * x0;
    std::memcpy(dst, src, 3 * static_cast<std::size_t>(x1 - x0));
  }
}

void cDIB::DrawFlipped(QPainter& target, int x, int y, int w, int h) const {
  target.save();
  target.translate(x, y + h);
  target.scale(1.0, -1.0);
  target.drawImage(QRect(0, 0, w, h), memory_image_);
  target.restore();
}

void cDIB::PaintDirect(QPainter& target) const {
  if (!IsCreated()) return;
  DrawFlipped(target, 0, 0, width_, height_);
}

void cDIB::Paint(QPainter& target, int x, int y, int factor) const {
  if (!IsCreated()) return;
  DrawFlipped(target, x, y, width_ * factor, height_ * factor);
}

void cDIB::ToSurface(QPainter& target, int x, int y, int width, int height) const {
  if (!IsCreated() || width <= 0 || height <= 0) return;
  target.save();
  target.setRenderHint(QPainter::SmoothPixmapTransform, true);
  target.setBrushOrigin(0, 0);
  DrawFlipped(target, x, y, width, height);
  target.restore();
}

QPainter* cDIB::hDIBDC() {
  if (!IsCreated()) return nullptr;
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(&memory_image_);
    painter_->translate(0, height_);
    painter_->scale(1.0, -1.0);
  }
  return painter_.get();
}

void cDIB::StrokeOutline(QPainter& target, const QPoint* points, int count, bool closed) const {
  target.save();
  target.setPen(pen_);
  target.setBrush(Qt::NoBrush);
  std::vector<QPoint> mapped(points, points + count);
  if (painter_ && &target == painter_.get()) {
    // On the surface's own context the flip would put aliased strokes one row
    // off; strokes are mapped to memory rows directly instead.
    target.resetTransform();
    for (QPoint& p : mapped) p.setY(height_ - 1 - p.y());
  }
  // A closed outline is joined at every corner, the first one included.
  if (closed)
    target.drawPolygon(mapped.data(), count);
  else
    target.drawPolyline(mapped.data(), count);
  target.restore();
}

void cDIB::DrawLine(int x0, int y0, int x1, int y1) {
  QPainter* p = hDIBDC();
  if (!p) return;
  const QPoint line[] = {{x0, y0}, {x1, y1}};
  StrokeOutline(*p, line, 2, false);
}

void cDIB::DrawRectangle(QPainter& target, int x0, int y0, int x1, int y1) const {
  const QPoint outline[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  StrokeOutline(target, outline, 4, true);
}

void cDIB::SetPen(int pen_style, int width, std::uint32_t colour) {
  pen_ = QPen(ColourFromRgbValue(colour), std::max(1, width), PenStyleFromClassic(pen_style),
              Qt::FlatCap, Qt::MiterJoin);
}

void cDIB::SetFont(const QString& face_name, int height, bool bold, bool italic, float angle) {
  QFont font(face_name.left(kMaxFaceNameLength));
  font.setPixelSize(std::max(1, height));
  font.setWeight(bold ? QFont::Weight(kBoldWeight) : QFont::Normal);
  font.setItalic(italic);
  font_ = font;
  font_escapement_ = static_cast<int>(std::nearbyint(static_cast<double>(angle) * 10.0));
}

void cDIB::PrintText(QPainter& target, const QString& text, int x, int y, std::uint32_t colour,
                     bool right_align) const {
  // No text draws nothing, and skipping it spares loading the font database.
  if (text.isEmpty()) return;
  target.save();
  target.setFont(font_);
  target.setPen(ColourFromRgbValue(colour));
  target.setBackgroundMode(Qt::TransparentMode);
  const QFontMetricsF metrics(font_, target.device());
  target.translate(x, y);
  // The escapement turns the baseline counter-clockwise; y grows downwards here.
  target.rotate(-font_escapement_ / 10.0);
  const double left = right_align ? -metrics.horizontalAdvance(text) : 0.0;
  target.drawText(QPointF(left, metrics.ascent()), text);
  target.restore();
}

cDIB cDIB::AddMargins(int margin) {
  cDIB bordered;
  if (!IsCreated() || margin < 0) return bordered;
  if (!bordered.Create(width_ + 2 * margin, height_ + 2 * margin, 0xFFFFFF)) return bordered;
  // With bottom-up rows the picture offset (m, m) is also m memory rows up.
  const std::size_t row_bytes = 3 * static_cast<std::size_t>(width_);
  for (int y = 0; y < height_; ++y)
    std::memcpy(bordered.View().Row(y + margin) + 3 * margin, View().Row(y), row_bytes);
  bordered.EmbededProfileDescription = EmbededProfileDescription;
  bordered.HaveEmbededProfile = HaveEmbededProfile;
  Dispose();
  return bordered;
}

bool cDIB::ScaleMe(int, int, int) {
  return false;
}

void cDIB::Dispose() {
  painter_.reset();
  pen_ = InitialPen();
  font_ = QFont();
  font_escapement_ = 0;
  memory_image_ = QImage();
  buffer_.Release();
  width_ = 0;
  height_ = 0;
}

std::uint32_t cDIB::PixelAt(int x, int y) const {
  if (!IsCreated() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  const std::uint8_t* p =
      buffer_.View().bits + static_cast<std::ptrdiff_t>(height_ - 1 - y) * Stride() + 3 * x;
  return RgbValue(p[2], p[1], p[0]);
}

QImage cDIB::ToQImage() const {
  if (!IsCreated()) return QImage();
  return TopDownRgb(buffer_.View());
}

}  // namespace tessaly
