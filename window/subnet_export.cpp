#include "subnet_export.h"

#include "calculator/subnet_rows.h"
#include "networks/block_split.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <string>

namespace quellan {

namespace {

Block rowBlock(const SubnetList& list, std::uint32_t row) {
    return subnetAt(list.network, list.length, row);
}

} // namespace

QString selectedRowsText(const SubnetList& list, const RowSelection& selection) {
    std::string text;
    appendSubnetHeader(text, '\t');
    for (const RowRun& run : selection.runs())
        for (std::uint64_t row = run.first; row <= run.last; ++row)
            appendSubnetLine(text, rowBlock(list, static_cast<std::uint32_t>(row)), '\t');
    return QString::fromLatin1(text);
}

QString writeSubnetCsv(const QString& path, const SubnetList& list) {
    // Rows go out a megabyte at a time from one reused string, with no text
    // of their own per row or per cell, each straight to the system: a full
    // disk then shows at the write that meets it. A QSaveFile dropped
    // uncommitted removes what it wrote and leaves the file it would have
    // replaced as it was.
    constexpr std::size_t kChunk = std::size_t{1} << 20U;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    std::string chunk;
    chunk.reserve(kChunk + 128);
    // A short write leaves no error on the file, only in errno: the reason
    // is taken from there at once.
    QString failure;
    auto flush = [&file, &chunk, &failure] {
        const auto size = static_cast<qint64>(chunk.size());
        errno = 0;
        if (file.write(chunk.data(), size) != size) {
            const int error = errno;
            failure = file.error() != QFileDevice::NoError || error == 0
                          ? file.errorString()
                          : QString::fromLocal8Bit(std::strerror(error));
            return false;
        }
        chunk.clear();
        return true;
    };
    appendSubnetHeader(chunk, ',');
    for (std::uint32_t row = 0; row < list.rows; ++row) {
        appendSubnetLine(chunk, rowBlock(list, row), ',');
        if (chunk.size() >= kChunk && !flush())
            return failure;
    }
    if (!flush())
        return failure;
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace quellan
