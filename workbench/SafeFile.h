#pragma once

#include <QString>
#include <string_view>

class QFileInfo;

// A file nobody may write counts as read only, even for a user whom the system would let
// write it anyway.
bool IsReadOnlyFile(const QFileInfo& info);

// Writes the whole file through a temporary file that replaces the old one only when all
// was written, so a failed write leaves the old file whole. On failure, error says why.
bool WriteWholeFile(const QString& path, std::string_view bytes, QString& error);
