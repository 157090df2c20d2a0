#include "shell/ini_stand_in.h"

#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "shell/settings_file.h"

namespace shell {

IniStandIn::IniStandIn(std::string target)
    : target_(std::move(target)), dir_(std::make_unique<QTemporaryDir>()),
      copy_(dir_->filePath(QStringLiteral("settings.ini"))) {}

IniStandIn::~IniStandIn() = default;

std::optional<QString> IniStandIn::refreshed() {
    QFile::remove(copy_);
    if (!fileExists(target_)) {
        return copy_;
    }
    // A file that exists but cannot be read must not look empty: a write would replace it.
    const auto bytes = readRegularFile(target_, kMaxSettingsFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    QFile file(copy_);
    const auto size = static_cast<qint64>(bytes->size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes->data(), size) != size ||
        !file.flush()) {
        return std::nullopt;
    }
    return copy_;
}

std::optional<std::string> IniStandIn::writeBack() {
    // Replacing the file by a rename needs only the folder's permission; the file's own
    // must be respected as a direct write would.
    if (fileExists(target_) && ::access(target_.c_str(), W_OK) != 0) {
        return "the file is read-only";
    }
    const auto bytes = readRegularFile(pathBytes(copy_), kMaxSettingsFileBytes);
    if (!bytes) {
        return "the settings could not be prepared for writing";
    }
    return replaceFileContents(target_, *bytes);
}

IniStandIn::Lock::Lock(const std::string& target) {
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_EX);
    }
}

IniStandIn::Lock::~Lock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

} // namespace shell
