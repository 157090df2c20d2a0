#include "app/output_paths.h"

#include <filesystem>
#include <system_error>

#include <sys/stat.h>

namespace app {
namespace {

namespace fs = std::filesystem;

// Where a path that names nothing yet would be created: links in its folders and a dangling
// link at its end followed, "." and ".." gone.
fs::path creationPath(fs::path path) {
    std::error_code error;
    path = fs::absolute(path, error);
    // Each link followed by hand, so that a dangling one still leads to its target; the bound
    // stops a loop of links as the system does.
    for (int links = 0; links < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++links) {
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? path.lexically_normal() : resolved;
}

} // namespace

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    return creationPath(a) == creationPath(b);
}

std::optional<std::string> outputPathsRefusal(const std::optional<std::string>& trace,
                                              const std::optional<std::string>& record,
                                              const std::vector<GuardedFile>& guarded) {
    for (const auto& [option, path] :
         {std::pair{"--trace", &trace}, std::pair{"--record", &record}}) {
        if (!*path) {
            continue;
        }
        for (const GuardedFile& file : guarded) {
            if (sameFile(**path, file.path)) {
                return std::string(option) + " " + **path + " is " + file.name +
                       ", which writing would destroy; name another file";
            }
        }
    }
    if (trace && record && sameFile(*trace, *record)) {
        return "--trace and --record both name " + *record +
               ", where the two would garble each other; name two files";
    }
    return std::nullopt;
}

} // namespace app
