#include "subnet_export.h"

#include "block_split.h"
#include "subnet_rows.h"

#include <QItemSelection>
#include <QSaveFile>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace quellan {

namespace {

// The selected rows, each once and in list order: a selection made with
// Ctrl and Shift is a list of ranges that may overlap and come in any order.
std::vector<std::pair<int, int>> selectedRowSpans(const QItemSelection& selection) {
    std::vector<std::pair<int, int>> spans;
    for (const QItemSelectionRange& range : selection)
        spans.emplace_back(range.top(), range.bottom());
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& span : spans) {
        if (!merged.empty() && span.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, span.second);
        else
            merged.push_back(span);
    }
    return merged;
}

Block rowBlock(const SubnetList& list, std::uint32_t row) {
    return subnetAt(list.network, list.length, row);
}

} // namespace

QString selectedRowsText(const SubnetList& list, const QItemSelection& selection) {
    std::string text;
    appendSubnetHeader(text, '\t');
    for (const auto& [top, bottom] : selectedRowSpans(selection))
        for (int row = top; row <= bottom; ++row)
            appendSubnetLine(text, rowBlock(list, static_cast<std::uint32_t>(row)), '\t');
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
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
