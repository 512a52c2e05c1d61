#include "workbench/EditorText.h"

#include <QTextDocument>
#include <algorithm>

#include "assembler/ByteOrderMark.h"

EditorText::EditorText(QTextDocument* document) : QObject(document), document_(document) {
    connect(document, &QTextDocument::contentsChanged, this, [this] { stale_ = true; });
}

void EditorText::Refresh() const {
    if (!stale_) {
        return;
    }
    // The raw text keeps every character (plain text would turn A0 into a space); blocks
    // are separated by the paragraph separator.
    const QString raw = document_->toRawText();
    bytes_.clear();
    bytes_.reserve(static_cast<size_t>(raw.size()) + static_cast<size_t>(document_->blockCount()));
    lineStarts_.assign(1, 0);
    for (const QChar c : raw) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator || c == u'\n') {
            bytes_ += "\r\n";
            lineStarts_.push_back(static_cast<int64_t>(bytes_.size()));
        } else {
            bytes_ += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?';
        }
    }
    stale_ = false;
}

const std::string& EditorText::Bytes() const {
    Refresh();
    return bytes_;
}

int64_t EditorText::SavedLength() const {
    const std::string& bytes = Bytes();
    const bool endsWithBreak = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
    return static_cast<int64_t>(bytes.size()) + (bytes.empty() || endsWithBreak ? 0 : 2);
}

int EditorText::EditorPosition(int64_t offset) const {
    Refresh();
    offset = std::clamp<int64_t>(offset, 0, static_cast<int64_t>(bytes_.size()));
    const auto line = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) - 1;
    const int64_t lineIndex = line - lineStarts_.begin();
    // An offset between CR and LF stands at the end of its line.
    const int64_t inLine = std::min(
        offset - *line, line + 1 != lineStarts_.end() ? *(line + 1) - 2 - *line : offset - *line);
    return static_cast<int>(*line - lineIndex + inLine);
}

QString EditorText::FromFileBytes(const QByteArray& bytes) {
    std::string_view file(bytes.constData(), static_cast<size_t>(bytes.size()));
    if (file.starts_with(ByteOrderMark)) {
        file.remove_prefix(ByteOrderMark.size());
    }
    const std::string editor = SourceText::FromBytes(file).EditorText();
    QString text = QString::fromLatin1(editor.data(), static_cast<qsizetype>(editor.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}
