#include "ui/picload_qt.h"

#include <QImageReader>
#include <QPainter>

#include "platform/host.h"
#include "platform/paths.h"
#include "ui/qtbridge_qt.h"

namespace kv {

PixelPicture LoadPictureFile(const std::string& path) {
    QImageReader reader(Q(NativePath(ResolvePath(path))));
    reader.setAutoTransform(false);
    QImage image = reader.read();  // the first frame of an animation
    if (image.isNull())
        throw PictureLoadError("The picture " + path + " cannot be read (" + B(reader.errorString()) + ").");
    image.setDevicePixelRatio(1);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    {
        QPainter p(&flat);
        p.drawImage(0, 0, image);
    }
    PixelPicture picture(flat.width(), flat.height());
    for (int y = 0; y < flat.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(flat.constScanLine(y));
        for (int x = 0; x < flat.width(); ++x)
            picture.PSet(x, y, qRed(line[x]) | qGreen(line[x]) << 8 | qBlue(line[x]) << 16);
    }
    return picture;
}

QImage PictureImage(const PixelPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            const int32_t c = picture.Point(x, y);
            line[x] = qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
    }
    return image;
}

void CheckPictureFormats() {
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    std::string missing;
    for (const char* f : {"bmp", "gif", "jpeg"})
        if (!formats.contains(f)) missing += std::string(missing.empty() ? "" : ", ") + f;
    if (!missing.empty())
        MsgBox("Pictures of these kinds cannot be read, so they cannot be imported: " + missing, vbExclamation);
}

}  // namespace kv
