#pragma once

#include <QObject>
#include <cstdint>
#include <string>
#include <vector>

#include "assembler/SourceText.h"

class QTextDocument;

// The source editor's text as the engine sees it: Latin-1 bytes with CR LF between lines.
// The engine's offsets count a line break as two characters, the editor's positions count it
// as one; this maps one onto the other. The bytes are made again only after an edit.
class EditorText : public QObject {
    Q_OBJECT
  public:
    explicit EditorText(QTextDocument* document);

    const std::string& Bytes() const;
    // The lines as saving writes them.
    SourceText Source() const { return SourceText::FromBytes(Bytes()); }
    // The length of the text as saved: a final line break is always written.
    int64_t SavedLength() const;
    // The editor position of an engine offset, kept inside the text.
    int EditorPosition(int64_t offset) const;

    // Editor text made from bytes as a file holds them (CR LF, LF or CR end a line), without
    // the byte-order mark a file may start with.
    static QString FromFileBytes(const QByteArray& bytes);

  private:
    void Refresh() const;

    QTextDocument* document_;
    mutable bool stale_ = true;
    mutable std::string bytes_;
    mutable std::vector<int64_t> lineStarts_; // engine offset of each line
};
