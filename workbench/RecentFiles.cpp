#include "workbench/RecentFiles.h"

#include <QFileInfo>

namespace {

const char* const Section = "RecentFiles";

std::string KeyOf(qsizetype index) {
    return "File" + std::to_string(index + 1);
}

} // namespace

void RecentFiles::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    if (paths_.size() > Capacity) {
        paths_.resize(Capacity);
    }
}

void RecentFiles::Remove(const QString& path) {
    paths_.removeAll(QFileInfo(path).absoluteFilePath());
}

void RecentFiles::Read(const SettingsFile& settings) {
    paths_.clear();
    for (qsizetype index = Capacity - 1; index >= 0; --index) {
        const std::optional<std::string> path = settings.String(Section, KeyOf(index));
        if (path && !path->empty()) {
            Add(QString::fromStdString(*path));
        }
    }
}

// A name with a line break would end its line early; no file of ours has one.
void RecentFiles::Write(std::vector<SettingsFile::Entry>& entries) const {
    for (qsizetype index = 0; index < paths_.size(); ++index) {
        const QByteArray path = paths_[index].toUtf8();
        if (!path.contains('\n') && !path.contains('\r')) {
            entries.push_back({Section, KeyOf(index), path.toStdString()});
        }
    }
}
