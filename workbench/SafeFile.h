#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

class QFileInfo;

// Whole files in and out, so that a student's file is never cut short and a strange file
// (a FIFO, a device, a link to one) never hangs the window or fills the memory.

// A file nobody may write counts as read only, even for a user whom the system would let
// write it anyway.
bool IsReadOnlyFile(const QFileInfo& info);

// Writes the whole file through a temporary file beside it, which replaces the old file only
// when every write, the flush to the disk and the close succeeded; the new file keeps the old
// one's permissions, and its owner and group where the process may set them. Returns 0, or
// the system's error number when the old file was left as it was. Something that is there
// but is no regular file (a device, a FIFO, a folder) is never replaced: NotARegularFile.
inline constexpr int NotARegularFile = -1;
int WriteWholeFile(const QString& path, std::string_view bytes);

bool IsDiskFull(int error);

// The message for a failed write: "The disk is full: PATH was not saved.", "PATH is not a
// regular file." or the system's own reason.
QString SaveFailureMessage(const QString& path, int error);

struct FileRead {
    QByteArray Bytes;
    QString Error; // one sentence naming the path; empty when the file was read
};

// Reads a regular file (links followed), at most maxBytes + 1 bytes of it, so that the caller
// can tell a file longer than maxBytes. Anything else is refused without waiting for it.
FileRead ReadRegularFile(const QString& path, qint64 maxBytes);

// The system's reason for an error number, as a sentence without its full stop.
QString SystemReason(int error);
