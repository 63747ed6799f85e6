// A whole file replaced safely: the bytes replaced through a link of the process's own, and a
// link that another user planted in a shared sticky folder refused, its target untouched.
#include "vel/host/WholeFile.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// A user id that is not the process's (nobody).
constexpr uid_t OtherUser = 65534;

// A folder of its own, sticky and writable by anyone as /tmp is, removed with its content.
class TStickyFolder : public Support::TTempFolder {
public:
    TStickyFolder() { fs::permissions(Path(), fs::perms::all | fs::perms::sticky_bit); }
};

void WriteFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A symbolic link to the target, owned by the user.
void PlantLink(const fs::path& link, const fs::path& target, uid_t owner) {
    fs::create_symlink(target, link);
    ASSERT_EQ(lchown(link.c_str(), owner, static_cast<gid_t>(-1)), 0);
}

TEST(WholeFile, ALinkOfAnotherUserInAStickyFolderIsRefused) {
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    const TStickyFolder folder;
    const fs::path target = folder.Path() / "victim", link = folder.Path() / "out";
    WriteFile(target, "the victim's bytes");
    PlantLink(link, target, OtherUser);
    try {
        Host::ReplaceWholeFile(link, "replaced");
        ADD_FAILURE() << "the link was followed";
    } catch (const std::system_error& error) {
        EXPECT_EQ(error.code(), std::errc::permission_denied);
    }
    EXPECT_EQ(Host::ReadWholeFile(target), "the victim's bytes");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 2);
}

// The process's own link, and one of the folder's owner, are followed as the kernel does.
TEST(WholeFile, ALinkOfTheProcessOrTheFolderOwnerIsFollowed) {
    const TStickyFolder folder;
    const fs::path target = folder.Path() / "file", link = folder.Path() / "out";
    WriteFile(target, "old");
    fs::create_symlink(target, link);
    Host::ReplaceWholeFile(link, "new");
    EXPECT_EQ(Host::ReadWholeFile(target), "new");
    EXPECT_TRUE(fs::is_symlink(link));
    if (geteuid() != 0)
        return;
    // The folder and the link both belong to another user: that user's own link.
    ASSERT_EQ(chown(folder.Path().c_str(), OtherUser, static_cast<gid_t>(-1)), 0);
    ASSERT_EQ(lchown(link.c_str(), OtherUser, static_cast<gid_t>(-1)), 0);
    Host::ReplaceWholeFile(link, "newer");
    EXPECT_EQ(Host::ReadWholeFile(target), "newer");
}

} // namespace
