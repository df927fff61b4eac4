// Pictures from files for the bitmap import: BMP, GIF (its first frame) and
// JPEG through Qt's image readers, transparency laid over white, one pixel
// a colour 0x00BBGGRR.
#pragma once

#include <QImage>
#include <string>

#include "app/picconvert.h"

namespace kv {

// Reads the picture; throws PictureLoadError naming the file when it
// cannot be read as a picture.
PixelPicture LoadPictureFile(const std::string& path);
// The picture as an image to show.
QImage PictureImage(const PixelPicture& picture);
// At start: a message naming the picture kinds that cannot be read.
void CheckPictureFormats();

}  // namespace kv
