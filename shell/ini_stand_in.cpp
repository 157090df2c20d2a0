#include "ini_stand_in.h"

#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>

#include "settings_file.h"

namespace shell {
IniStandIn::IniStandIn(std::string target)
    : target_(std::move(target)), dir_(std::make_unique<QTemporaryDir>()),
      copy_(dir_->filePath(QStringLiteral("settings.ini"))) {}

IniStandIn::~IniStandIn() = default;

QString IniStandIn::refreshed() {
    QFile::remove(copy_);
    if (const auto bytes = readRegularFile(target_, kMaxSettingsFileBytes)) {
        QFile file(copy_);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(bytes->data(), static_cast<qint64>(bytes->size()));
        }
    }
    return copy_;
}

std::optional<std::string> IniStandIn::writeBack() {
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
