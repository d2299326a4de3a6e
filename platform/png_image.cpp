// Images decoded from PNG data in memory (the About picture), read with
// libpng directly: signature check, header, rows.
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "platform/registry.h"

namespace {

struct MemoryReader {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  std::size_t offset = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader == nullptr || length > reader->size - reader->offset) {
    png_error(png, "PNG data ends early");
    return;
  }
  std::memcpy(out, reader->data + reader->offset, length);
  reader->offset += length;
}

// libpng's error exit without its default message on stderr: a picture that
// cannot be read is reported by the result alone.
[[noreturn]] void ExitOnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnorePngWarning(png_structp, png_const_charp) {}

// Decodes into rgba (width * height * 4 bytes, straight alpha); false when
// the data is not a PNG image libpng can read.
bool DecodePng(const unsigned char* data, std::size_t size, QImage& image) {
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) return false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, ExitOnPngError, IgnorePngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  MemoryReader reader{data, size, 0};
  // Declared before setjmp so that a longjmp (libpng's error exit, taken on
  // corrupt or truncated data) skips no destructor and leaks nothing but what
  // png_destroy_read_struct frees.
  QImage decoded;
  std::vector<png_bytep> rows;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  // Any colour type and depth becomes 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (width == 0 || height == 0 || width > 16384 || height > 16384 || png_get_rowbytes(png, info) != width * 4) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  decoded = QImage(int(width), int(height), QImage::Format_RGBA8888);
  rows.resize(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = decoded.scanLine(int(y));
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  image = decoded;
  return true;
}

}  // namespace

bool PngDecoderRegister() { return true; }

int64_t ImageCatch(int64_t image, const unsigned char* start, const unsigned char* end) {
  if (start == nullptr || end == nullptr || !(start < end)) return -1;
  QImage decoded;
  if (!DecodePng(start, std::size_t(end - start), decoded)) return -1;
  const int64_t number = ChooseNumber(image);
  Platform().images[number] = decoded;
  return number;
}

uintptr_t ImageGetHandle(int64_t image) { return ImageExists(image) ? uintptr_t(image) + 1 : 0; }
