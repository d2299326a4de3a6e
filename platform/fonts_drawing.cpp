// Fonts, images and drawing outputs (images and canvas back buffers), with the
// text measurement that the layout metrics rest on.
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "platform/canvas_recording.h"
#include "platform/registry.h"
#include "platform/widgets.h"

namespace {

bool IsMonospaceFace(std::string_view face) {
  const QString f = ToQString(face).toLower();
  return f.contains("consolas") || f.contains("mono") || f.contains("courier");
}

// Drawing outputs: 0 none; image n -> 2n + 2; canvas n -> 2n + 3.
struct DrawingState {
  std::unique_ptr<QPainter> painter;
  QImage* target = nullptr;
  int64_t canvas = -1;
  QFont font;
};

DrawingState& Drawing() {
  static DrawingState state;
  return state;
}

QFont MeasureFont() { return Drawing().painter ? Drawing().font : QApplication::font(); }

}  // namespace

QFont FontOf(int64_t font) {
  auto& fonts = Platform().fonts;
  if (auto it = fonts.find(font); it != fonts.end()) return it->second.font;
  return QApplication::font();
}

int64_t FontLoad(int64_t font, std::string_view face, double pointSize, int64_t flags) {
  if (QApplication::instance() == nullptr || !(pointSize > 0)) return -1;
  const int64_t number = ChooseNumber(font);
  QFont f;
  // The face asked for first, then the common families of its kind, then the
  // system's default of that kind.
  QStringList families{ToQString(face)};
  if (IsMonospaceFace(face)) {
    families << "DejaVu Sans Mono" << "Liberation Mono" << "Noto Mono" << "monospace";
    f.setStyleHint(QFont::Monospace);
    f.setFixedPitch(true);
  } else {
    families << "DejaVu Sans" << "Liberation Sans" << "Noto Sans" << "sans-serif";
    f.setStyleHint(QFont::SansSerif);
  }
  f.setFamilies(families);
  f.setPointSizeF(pointSize);
  f.setBold((flags & kFontBold) != 0);
  f.setItalic((flags & kFontItalic) != 0);
  Platform().fonts[number] = FontEntry{f};
  return number;
}

int64_t FontLoadFull(std::string_view face, double pointSize, bool bold) {
  return FontLoad(kAnyNumber, face, pointSize, bold ? kFontBold : 0);
}

void FontFree(int64_t font) { Platform().fonts.erase(font); }
bool FontExists(int64_t font) { return Platform().fonts.count(font) != 0; }
uintptr_t FontGetHandle(int64_t font) { return FontExists(font) ? uintptr_t(font) + 1 : 0; }
std::string FontGetFamily(int64_t font) { return FromQString(QFontInfo(FontOf(font)).family()); }
double FontGetPointSize(int64_t font) { return FontOf(font).pointSizeF(); }
bool FontIsFixedPitch(int64_t font) { return QFontInfo(FontOf(font)).fixedPitch(); }

int64_t ImageCreate(int64_t image, int width, int height) {
  if (width <= 0 || height <= 0) return -1;
  const int64_t number = ChooseNumber(image);
  QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
  if (img.isNull()) return -1;
  img.fill(Qt::white);
  Platform().images[number] = img;
  return number;
}

void ImageFree(int64_t image) { Platform().images.erase(image); }
bool ImageExists(int64_t image) { return Platform().images.count(image) != 0; }

int ImageGetWidth(int64_t image) {
  auto& images = Platform().images;
  auto it = images.find(image);
  return it != images.end() ? it->second.width() : 0;
}

int ImageGetHeight(int64_t image) {
  auto& images = Platform().images;
  auto it = images.find(image);
  return it != images.end() ? it->second.height() : 0;
}

bool ImageSavePng(int64_t image, const std::string& path) {
  auto& images = Platform().images;
  auto it = images.find(image);
  return it != images.end() && it->second.save(ToQString(path), "PNG");
}

DrawingOutput ImageGetOutput(int64_t image) { return ImageExists(image) ? image * 2 + 2 : 0; }

DrawingOutput CanvasGetOutput(int64_t canvas) {
  return GadgetGetType(canvas) == kControlCanvas ? canvas * 2 + 3 : 0;
}

QImage* CanvasBackBuffer(int64_t canvas) {
  ControlEntry* e = FindControl(canvas);
  if (e == nullptr || e->kind != kControlCanvas) return nullptr;
  return &static_cast<CanvasWidget*>(e->widget.data())->backBuffer();
}

void CanvasPresent(int64_t canvas) {
  if (QWidget* w = ControlWidget(canvas)) w->update();
}

bool DrawingStart(DrawingOutput output) {
  DrawingState& d = Drawing();
  if (d.painter) DrawingStop();
  QImage* target = nullptr;
  int64_t canvas = -1;
  if (output >= 2 && output % 2 == 0) {
    auto& images = Platform().images;
    auto it = images.find((output - 2) / 2);
    if (it != images.end()) target = &it->second;
  } else if (output >= 3) {
    canvas = (output - 3) / 2;
    target = CanvasBackBuffer(canvas);
  }
  if (target == nullptr || target->isNull()) return false;
  d.painter = std::make_unique<QPainter>();
  if (!d.painter->begin(target)) {
    d.painter.reset();
    return false;
  }
  d.painter->setRenderHint(QPainter::Antialiasing, true);
  d.painter->setRenderHint(QPainter::TextAntialiasing, true);
  d.target = target;
  d.canvas = canvas;
  d.font = QApplication::font();
  d.painter->setFont(d.font);
  // A canvas frame is drawn in bands side by side when drawing stops.
  if (canvas >= 0) RecordingStart(*d.painter);
  return true;
}

void DrawingStop() {
  DrawingState& d = Drawing();
  if (d.painter) {
    RecordingFinish(*d.painter);
    d.painter->end();
  }
  d.painter.reset();
  if (d.canvas >= 0) CanvasPresent(d.canvas);
  d.target = nullptr;
  d.canvas = -1;
}

QPainter* CurrentDrawingPainter() { return Drawing().painter.get(); }

void DrawingSetFont(int64_t font) {
  DrawingState& d = Drawing();
  d.font = FontOf(font);
  if (d.painter) d.painter->setFont(d.font);
}

// Text sizes are measured in the screen's logical pixels and given in device
// pixels (times the screen's scale), as the layout metrics expect.
int DrawingTextWidth(std::string_view text) {
  const QFontMetricsF metrics(MeasureFont());
  return int(std::lround(metrics.horizontalAdvance(ToQString(text)) * DpiScaleX()));
}

int DrawingTextHeight(std::string_view) {
  const QFontMetricsF metrics(MeasureFont());
  return int(std::lround(metrics.height() * DpiScaleY()));
}

int DrawingOutputWidth() {
  const DrawingState& d = Drawing();
  return d.target != nullptr ? d.target->width() : 0;
}

int DrawingOutputHeight() {
  const DrawingState& d = Drawing();
  return d.target != nullptr ? d.target->height() : 0;
}

bool CanvasSavePng(int64_t canvas, const std::string& path) {
  QImage* buffer = CanvasBackBuffer(canvas);
  return buffer != nullptr && buffer->save(ToQString(path), "PNG");
}

uint32_t CanvasGetPixel(int64_t canvas, int x, int y) {
  QImage* buffer = CanvasBackBuffer(canvas);
  if (buffer == nullptr || !buffer->valid(x, y)) return 0;
  const QRgb c = buffer->pixel(x, y);
  return (uint32_t(qRed(c)) << 24) | (uint32_t(qGreen(c)) << 16) | (uint32_t(qBlue(c)) << 8) | uint32_t(qAlpha(c));
}

void ShutdownImages() {
  if (Drawing().painter) DrawingStop();
  Platform().images.clear();
}

void ShutdownFonts() { Platform().fonts.clear(); }
