#include "windows/main/HandedBoard.h"

#include <QByteArray>
#include <QMimeData>
#include <QUrl>

namespace quillet {

std::optional<std::string> LocalPathOf(const QUrl& url) {
    if (!url.isLocalFile() || !url.host().isEmpty()) return std::nullopt;
    // The encoded path keeps every byte of a name that is not UTF-8 as %XX;
    // decoding it to a QString first would replace such bytes.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return QByteArray::fromPercentEncoding(encoded).toStdString();
}

std::optional<HandedBoard> ReadDrop(const QMimeData& data) {
    if (data.hasUrls()) {
        // A file manager adds the paths as text too: the addresses decide.
        const QList<QUrl> urls = data.urls();
        if (urls.size() != 1) return std::nullopt;
        const std::optional<std::string> path = LocalPathOf(urls.front());
        if (!path) return std::nullopt;
        HandedFile file = ExamineHandedFile(*path);
        if (file.kind == HandedFile::Kind::kNeither || !file.read) return std::nullopt;
        return HandedBoard{std::move(file), std::nullopt};
    }
    if (!data.hasText()) return std::nullopt;
    std::optional<RowMajorCells> puzzle = ReadFirstPuzzle(data.text().toStdString());
    if (!puzzle) return std::nullopt;
    return HandedBoard{std::nullopt, std::move(puzzle)};
}

}  // namespace quillet
