#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "app/display_check.h"

namespace {

using app::DisplayEnvironment;

// A listening socket standing in for a compositor's.
class FakeWaylandSocket {
public:
    explicit FakeWaylandSocket(const std::string& path) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(fd_, 1);
    }
    ~FakeWaylandSocket() { ::close(fd_); }

private:
    int fd_;
};

TEST(DisplayCheck, NoDisplayIsReportedInsteadOfAborting) {
    const DisplayEnvironment none{};
    ASSERT_TRUE(app::missingDisplayReason(none));
    EXPECT_NE(app::missingDisplayReason(none)->find("neither DISPLAY"), std::string::npos);
    EXPECT_EQ(app::preferredPlatform(none), std::nullopt);

    // Named but not there: an X server that has gone away.
    const DisplayEnvironment gone{"", ":987", "", ""};
    ASSERT_TRUE(app::missingDisplayReason(gone));
    EXPECT_NE(app::missingDisplayReason(gone)->find(":987"), std::string::npos);

    // A platform the user chose is theirs to answer for.
    const DisplayEnvironment chosen{"offscreen", "", "", ""};
    EXPECT_EQ(app::missingDisplayReason(chosen), std::nullopt);
    EXPECT_EQ(app::preferredPlatform(chosen), std::nullopt);
}

TEST(DisplayCheck, ReachableWaylandIsUsed) {
    QTemporaryDir runtime;
    FakeWaylandSocket socket(runtime.filePath("wayland-7").toStdString());
    const DisplayEnvironment wayland{"", "", "wayland-7", runtime.path().toStdString()};
    EXPECT_EQ(app::missingDisplayReason(wayland), std::nullopt);
    EXPECT_EQ(app::preferredPlatform(wayland), "wayland");
}

} // namespace
