#pragma once

#include <QStringList>
#include <vector>

#include "workbench/SettingsFile.h"

// The files last opened or saved, most recent first, each once, at most eight. The settings
// file keeps them in a section of their own as File1=... to File8=....
class RecentFiles {
  public:
    static constexpr qsizetype Capacity = 8;

    // To the top; a file already in the list moves there.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Paths() const { return paths_; }

    // Whatever the section holds: keys out of range, empty names and repeats are passed over.
    void Read(const SettingsFile& settings);
    void Write(std::vector<SettingsFile::Entry>& entries) const;

  private:
    QStringList paths_;
};
