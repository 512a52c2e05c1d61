#include "workbench/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor when the scope ends, unless it was already closed.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }
    // The result of close() matters for a write: NFS, for one, reports a full disk there.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Some file systems cannot sync; that is no reason to keep the old file.
bool SyncToDisk(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// The new file takes the old one's mode, owner and group; as root, a save does not make a
// student's file root's. Who may not change the owner keeps at least the group if allowed.
void TakeOverAttributes(int fd, const struct stat* old) {
    if (!old) {
        ::fchmod(fd, NewFileMode());
        return;
    }
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
        [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
    }
    ::fchmod(fd, old->st_mode & 07777);
}

// The file a save replaces: the target of a link, so that the link stays a link.
QByteArray SaveTarget(const QString& path) {
    const QFileInfo info(path);
    return QFile::encodeName(info.isSymLink() && info.exists() ? info.canonicalFilePath() : path);
}

int WriteThroughTemporary(const QByteArray& target, std::string_view bytes) {
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return NotARegularFile;
    }
    QByteArray temporary = target + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0) {
        return errno;
    }
    TakeOverAttributes(file.Get(), exists ? &old : nullptr);
    if (WriteAll(file.Get(), bytes) && SyncToDisk(file.Get()) && file.Close() &&
        ::rename(temporary.constData(), target.constData()) == 0) {
        return 0;
    }
    const int error = errno;
    ::unlink(temporary.constData());
    return error;
}

} // namespace

bool IsReadOnlyFile(const QFileInfo& info) {
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return info.exists() && (!info.isWritable() || !(info.permissions() & anyWrite));
}

int WriteWholeFile(const QString& path, std::string_view bytes) {
    return WriteThroughTemporary(SaveTarget(path), bytes);
}

QString SystemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool IsDiskFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

QString SaveFailureMessage(const QString& path, int error) {
    if (IsDiskFull(error)) {
        return "The disk is full: " + path + " was not saved.";
    }
    if (error == NotARegularFile) {
        return path + " is not a regular file.";
    }
    return "Could not save " + path + ": " + SystemReason(error) + ".";
}

FileRead ReadRegularFile(const QString& path, qint64 maxBytes) {
    // Without O_NONBLOCK, opening a FIFO would wait for a writer.
    Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.Get() < 0) {
        return {{}, "Could not open " + path + ": " + SystemReason(errno) + "."};
    }
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return {{}, path + " is not a regular file."};
    }
    FileRead read;
    char buffer[65536];
    while (read.Bytes.size() <= maxBytes) {
        const auto wanted = std::min<qint64>(sizeof buffer, maxBytes + 1 - read.Bytes.size());
        const ssize_t count = ::read(file.Get(), buffer, static_cast<size_t>(wanted));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return {{}, "Could not read " + path + ": " + SystemReason(errno) + "."};
        }
        if (count == 0) {
            break;
        }
        read.Bytes.append(buffer, static_cast<qsizetype>(count));
    }
    return read;
}
