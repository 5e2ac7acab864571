#include "subnet_export.h"

#include "calculator/subnet_rows.h"
#include "networks/block_split.h"

#include <QSaveFile>

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
    // of their own per row or per cell. A QSaveFile dropped uncommitted
    // removes what it wrote.
    constexpr std::size_t kChunk = std::size_t{1} << 20U;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    std::string chunk;
    chunk.reserve(kChunk + 128);
    auto flush = [&file, &chunk] {
        const auto size = static_cast<qint64>(chunk.size());
        const bool written = file.write(chunk.data(), size) == size;
        chunk.clear();
        return written;
    };
    appendSubnetHeader(chunk, ',');
    for (std::uint32_t row = 0; row < list.rows; ++row) {
        appendSubnetLine(chunk, rowBlock(list, row), ',');
        if (chunk.size() >= kChunk && !flush())
            return file.errorString();
    }
    if (!flush() || !file.commit())
        return file.errorString();
    return {};
}

} // namespace quellan
