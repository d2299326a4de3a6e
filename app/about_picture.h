// The About box picture: our own 256 x 256 RGBA PNG (app/about_picture.png,
// drawn by scripts/make_about_picture.py), embedded in the program as bytes.
#pragma once

#include <cstddef>

extern const unsigned char kAboutPicturePng[];
extern const std::size_t kAboutPicturePngSize;
