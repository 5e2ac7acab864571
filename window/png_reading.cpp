#include "png_reading.h"

#include <QImageReader>

namespace quellan {

QImage readPng(const QString& path) {
    QImageReader reader(path, "png");
    // With detection off and the format named, Qt's own decoder reads it.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace quellan
