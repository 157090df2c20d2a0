#include "shell/settings_file.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace shell {
namespace {

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a pipe";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "not a regular file";
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<std::string> settingsFileRefusal(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISREG(info.st_mode)) {
            return std::nullopt;
        }
        return path + " is " + kindOf(info.st_mode) + ", not a settings file";
    }
    if (errno == ELOOP) {
        return path + " is a loop of symbolic links, not a settings file";
    }
    return std::nullopt;
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool qtNamesPathExactly(const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

QString qtPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string pathBytes(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> contents;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::uintmax_t>(info.st_size) <= maxBytes) {
        std::string bytes;
        char buffer[16384];
        for (;;) {
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0 || bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
                bytes.clear();
                break;
            }
            if (n == 0) {
                contents = std::move(bytes);
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    return contents;
}

std::optional<std::string> replaceFileContents(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) {
            return path + ": " + ec.message();
        }
        target = resolved;
    }
    if (target.has_parent_path()) {
        fs::create_directories(target.parent_path(), ec);
        if (ec) {
            return "cannot create the folder " + target.parent_path().string() + ": " +
                   ec.message();
        }
    }
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return std::strerror(errno);
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temporary.c_str());
        return std::strerror(writeErrno);
    }
    // The new file keeps the old one's permissions, or gets those of any new file.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        ::chmod(temporary.c_str(), old.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temporary.c_str(), 0666 & ~mask);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(temporary.c_str());
        return std::strerror(renameErrno);
    }
    return std::nullopt;
}

bool removeAbandonedLockFile(const std::string& lockPath) {
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // A living owner holds flock on the file from the moment it creates it until it removes it.
    struct stat held {};
    bool abandoned =
        ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (abandoned && held.st_size == 0) {
        // Its creator may stand between creating and locking it; then it fills it in at once.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        abandoned = ::fstat(fd, &held) == 0 && held.st_size == 0;
    }
    struct stat named {};
    const bool removed = abandoned && ::lstat(lockPath.c_str(), &named) == 0 &&
                         named.st_dev == held.st_dev && named.st_ino == held.st_ino &&
                         ::unlink(lockPath.c_str()) == 0;
    ::close(fd);
    return removed;
}

std::optional<std::string> keepBackupCopy(const std::string& path, const std::string& bytes,
                                          std::string& error) {
    for (int n = 1; n <= 99; ++n) {
        const std::string name = path + ".bak" + (n == 1 ? std::string() : std::to_string(n));
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                if (readRegularFile(name, bytes.size()) == bytes) {
                    return name;
                }
                continue;
            }
            error = "cannot create " + name + ": " + std::strerror(errno);
            return std::nullopt;
        }
        const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
        const int writeErrno = errno;
        ::close(fd);
        if (!written) {
            ::unlink(name.c_str());
            error = "cannot write " + name + ": " + std::strerror(writeErrno);
            return std::nullopt;
        }
        return name;
    }
    error = "every backup name beside " + path + " is taken";
    return std::nullopt;
}

} // namespace shell
