#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include <QString>

// The settings file as the file system sees it. Paths are byte strings, passed to the system
// unchanged, whatever their encoding.
namespace shell {

// Far beyond any settings file; a larger one is not read.
inline constexpr std::size_t kMaxSettingsFileBytes = std::size_t{16} << 20;

// Why the file at this path must not be read or written, or nothing when it may: it does
// not exist yet or it is a regular file (or a link to one). A device, a pipe, a folder or a
// loop of links is refused, so the store never blocks on it nor replaces it with a file.
std::optional<std::string> settingsFileRefusal(const std::string& path);

// True when something (a file, a link, anything) is at this path.
bool fileExists(const std::string& path);

// True when Qt's file functions reach this path under the same bytes.
bool qtNamesPathExactly(const std::string& path);
QString qtPath(const std::string& path);
std::string pathBytes(const QString& path);

// The contents of a regular file of at most maxBytes, read without blocking on a special
// file. Nothing when the path names no such file.
std::optional<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

// Replaces the file's contents in one step (a new file renamed over it), so a crash leaves
// the old contents or the new. A link is followed, the link itself stays. Creates missing
// folders. Returns the reason of a failure, or nothing.
std::optional<std::string> replaceFileContents(const std::string& path, const std::string& bytes);

// Removes a QLockFile lock file that its owner left behind: one that is empty (its writer
// died before filling it in) or that no living process holds. QLockFile would wait for such a
// file to grow 30 s old. Returns true when the file was removed.
bool removeAbandonedLockFile(const std::string& lockPath);

// Copies the bytes to a new file "<path>.bak" (or ".bak2", ".bak3", ... when taken), never
// over an existing file; a backup that already holds these bytes serves again. Returns the
// backup's path, or nothing with the reason in error.
std::optional<std::string> keepBackupCopy(const std::string& path, const std::string& bytes,
                                          std::string& error);

} // namespace shell
