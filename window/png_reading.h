#pragma once

// Reading PNG pictures with Qt's own decoder alone.
//
// Before Qt decodes an image it asks every image-format plugin it finds
// (gif, ico, jpeg, ...) whether it reads that format too, and so loads them
// all, with libraries of their own; that costs the window more at start-up
// than any decoding. This window shows PNG pictures only, its icon and the
// frame picture of the Fusion style's group boxes, so it reads both itself
// and no plugin loads.

#include <QImage>
#include <QString>

class QStyle;

namespace quellan {

// The picture in the PNG file at path (a resource path too); null if there
// is none.
QImage readPng(const QString& path);

// The file from which the Fusion style draws every group box's frame.
QString fusionFramePath();

// Under the Fusion style, reads its frame picture into Qt's pixmap cache,
// where QPixmap finds a file it has read before; the style then draws from
// it and does not read the file. Any other style draws no such picture.
void keepStylePictures(const QStyle& style);

// The key under which QPixmap keeps a picture read from the file at path.
QString pixmapCacheKey(const QString& path);

} // namespace quellan
