#include "workbench/SafeFile.h"

#include <QFileInfo>
#include <QSaveFile>

bool IsReadOnlyFile(const QFileInfo& info) {
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.exists() && (!info.isWritable() || !(info.permissions() & anyWrite));
}

bool WriteWholeFile(const QString& path, std::string_view bytes, QString& error) {
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.commit();
    if (!written) {
        error = file.errorString();
    }
    return written;
}
