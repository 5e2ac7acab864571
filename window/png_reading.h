#pragma once

// Reading the window's PNG pictures with Qt's own decoder alone.
//
// Before Qt decodes an image of unnamed format it asks every image-format
// plugin it finds (gif, ico, jpeg, ...) whether it reads it, and so loads
// them all, with libraries of their own, only to find that the file is a PNG.

#include <QImage>
#include <QString>

namespace quellan {

// The picture in the PNG file at path (a resource path too); null if there
// is none.
QImage readPng(const QString& path);

} // namespace quellan
