#pragma once

#include <memory>
#include <optional>
#include <string>

#include <QString>

class QTemporaryDir;

namespace shell {

// QSettings names files by QString, which cannot hold every byte string a file name may be
// (Latin-1 names on a UTF-8 system, say). For such a file, QSettings works on a private copy
// that is refreshed from the file before each use and written back to it after a write.
class IniStandIn {
public:
    explicit IniStandIn(std::string target);
    ~IniStandIn();

    // The copy's path, refreshed from the target (removed when the target does not exist).
    // Nothing when the target exists but cannot be read in full.
    std::optional<QString> refreshed();
    // Writes the copy back over the target. Returns the reason of a failure, or nothing.
    std::optional<std::string> writeBack();

    // Holds off other processes' write-backs into the target's folder while alive.
    class Lock {
    public:
        explicit Lock(const std::string& target);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        int fd_ = -1;
    };

private:
    std::string target_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString copy_;
};

} // namespace shell
