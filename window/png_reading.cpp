#include "png_reading.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyle>

#include <cstring>

namespace quellan {

namespace {

// The digits QPixmap writes for a number in its cache keys: the bytes in
// memory order, and the low digit of each byte first.
template <typename Number> QString cacheDigits(Number value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    unsigned char bytes[sizeof(Number)];
    std::memcpy(bytes, &value, sizeof(Number));
    QString digits;
    digits.reserve(2 * static_cast<qsizetype>(sizeof(Number)));
    for (const unsigned char byte : bytes) {
        digits.append(QLatin1Char(kDigits[byte & 0xf]));
        digits.append(QLatin1Char(kDigits[byte >> 4]));
    }
    return digits;
}

} // namespace

QImage readPng(const QString& path) {
    QImageReader reader(path, "png");
    // With detection off and the format named, Qt's own decoder reads it.
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QString fusionFramePath() {
    return QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
}

QString pixmapCacheKey(const QString& path) {
    const QFileInfo file(path);
    // As QPixmap::load composes it: the file, its time and size, and the
    // kind of pixmap (0, a plain one).
    return QStringLiteral("qt_pixmap") + file.absoluteFilePath() +
           cacheDigits(static_cast<uint>(file.lastModified().toSecsSinceEpoch())) +
           cacheDigits(static_cast<quint64>(file.size())) + cacheDigits(0U);
}

void keepStylePictures(const QStyle& style) {
    if (style.name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
        return;
    const QString path = fusionFramePath();
    const QString key = pixmapCacheKey(path);
    QPixmap kept;
    if (QPixmapCache::find(key, &kept))
        return;
    const QImage picture = readPng(path);
    if (!picture.isNull())
        QPixmapCache::insert(key, QPixmap::fromImage(picture));
}

} // namespace quellan
