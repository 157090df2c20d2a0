#include <gtest/gtest.h>

#include "dialogs/link_addresses.h"
#include "dialogs/links.h"

namespace dialogs {
namespace {

TEST(LinkAddresses, ShownWithoutTheirSchemeAndTheSlashesAfterIt) {
    EXPECT_EQ(addressText(kWebsiteAddress), "zemblor.example.org/sim/");
    EXPECT_EQ(addressText(kEmailAddress), "team@zemblor.example.org");
    EXPECT_EQ(addressText(kDonationAddress), "donate.example.net/zemblor");
    EXPECT_EQ(addressText("zemblor.example.org/a:b"), "zemblor.example.org/a:b") << "no scheme";
    EXPECT_EQ(addressText("1http://x"), "1http://x") << "a scheme starts with a letter";
    EXPECT_EQ(addressText("svn+ssh://host/x"), "host/x");
}

// The desktop opens what the shared table names and shows what the browser edition shows.
TEST(LinkAddresses, TheDesktopsLinksAreTheTablesAddresses) {
    EXPECT_EQ(websiteLink().toString().toStdString(), kWebsiteAddress);
    EXPECT_EQ(emailLink().toString().toStdString(), kEmailAddress);
    EXPECT_EQ(donationLink().toString().toStdString(), kDonationAddress);
    EXPECT_EQ(linkText(websiteLink()).toStdString(), addressText(kWebsiteAddress));
    EXPECT_EQ(linkText(emailLink()).toStdString(), addressText(kEmailAddress));
}

} // namespace
} // namespace dialogs
