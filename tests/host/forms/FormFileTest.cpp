// Form files. Reading names the file and the system's reason. Saving replaces the file
// safely: a link planted where a temporary file might go is never followed, the file keeps
// its mode and owner, a linked form's target is edited and the links stay, and a failed save
// says why, leaving the original and no stray file behind.
#include "TempFolder.h"
#include "TestForm.h"

#include "vel/host/Errors.h"
#include "vel/host/Forms.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>
#include <utility>
#include <vector>

namespace {

using namespace Host;
namespace fs = std::filesystem;
using VelTest::TTestForm;

// The account the unprivileged cases run as when the tests run as root.
constexpr uid_t Nobody = 65534;

String NameOf(const fs::path& file) {
    return FromAnsi(file.string());
}

void SaveForm(const fs::path& file, int tag) {
    TTestForm form;
    form.SetName(u"Form1");
    form.SetTag(tag);
    WriteFormFile(NameOf(file), form);
}

int TagIn(const fs::path& file) {
    TTestForm form;
    ReadFormFile(NameOf(file), form);
    return static_cast<int>(form.Tag());
}

// The file's bytes; empty for anything but a regular file.
std::string Bytes(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return {};
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every path under the folder, links included and not followed.
std::set<fs::path> Tree(const fs::path& folder) {
    std::set<fs::path> paths;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        paths.insert(entry.path());
    return paths;
}

mode_t ModeOf(const fs::path& file) {
    struct stat status {};
    EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
    return status.st_mode & 07777;
}

TEST(FormFile, ALinkPlantedAtATemporaryNameIsNotFollowed) {
    const Support::TTempFolder folder;
    const fs::path form = folder.Path("form.vfm");
    SaveForm(form, 1);
    folder.Write("victim", "precious");
    for (const char* planted : {"form.vfm.tmp", "form.tmp", ".form.vfm.tmp", "form.vfm~"})
        fs::create_symlink(folder.Path("victim"), folder.Path(planted));
    const std::set<fs::path> before = Tree(folder.Path(""));

    SaveForm(form, 2);

    EXPECT_EQ(Bytes(folder.Path("victim")), "precious");
    EXPECT_EQ(TagIn(form), 2);
    EXPECT_EQ(Tree(folder.Path("")), before);
}

class FormFileMode : public testing::TestWithParam<mode_t> {};

TEST_P(FormFileMode, IsKeptWithTheOwner) {
    const Support::TTempFolder folder;
    const fs::path form = folder.Path("form.vfm");
    SaveForm(form, 1);
    ASSERT_EQ(::chmod(form.c_str(), GetParam()), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(form.c_str(), Nobody, Nobody), 0);
    }

    SaveForm(form, 2);

    EXPECT_EQ(TagIn(form), 2);
    EXPECT_EQ(ModeOf(form), GetParam());
    struct stat status {};
    ASSERT_EQ(::stat(form.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, root ? Nobody : ::geteuid());
    if (root) {
        EXPECT_EQ(status.st_gid, Nobody);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, FormFileMode, testing::Values(0600, 0640, 0444, 0755),
                         [](const testing::TestParamInfo<mode_t>& info) {
                             return "Mode0" + std::to_string(info.param >> 6) +
                                    std::to_string(info.param >> 3 & 7) +
                                    std::to_string(info.param & 7);
                         });

TEST(FormFile, ANewFileTakesTheUsualModeLessTheUmask) {
    const Support::TTempFolder folder;
    const mode_t previous = ::umask(022);
    SaveForm(folder.Path("form.vfm"), 1);
    ::umask(previous);
    EXPECT_EQ(ModeOf(folder.Path("form.vfm")), 0644u);
}

struct TLinkCase {
    const char* What;
    // Links made in order, each (link, target); a target starting with '/' is taken from
    // the test's folder.
    std::vector<std::pair<const char*, const char*>> Links;
    const char* Saved;    // the name the form is saved through
    const char* RealFile; // the file it edits
    bool RealExists;
};

class FormFileLink : public testing::TestWithParam<TLinkCase> {};

TEST_P(FormFileLink, EditsTheTargetAndKeepsTheLinks) {
    const TLinkCase& link = GetParam();
    const Support::TTempFolder folder;
    fs::create_directories(folder.Path("real"));
    fs::create_directories(folder.Path("sub"));
    const fs::path real = folder.Path(link.RealFile);
    if (link.RealExists)
        SaveForm(real, 1);
    for (const auto& [name, target] : link.Links)
        fs::create_symlink(target[0] == '/' ? folder.Path(target + 1) : fs::path(target),
                           folder.Path(name));

    SaveForm(folder.Path(link.Saved), 2);

    EXPECT_EQ(TagIn(real), 2);
    EXPECT_FALSE(fs::is_symlink(real));
    for (const auto& [name, target] : link.Links)
        EXPECT_TRUE(fs::is_symlink(folder.Path(name))) << name;
    std::set<fs::path> expected = {folder.Path("real"), folder.Path("sub"), real};
    for (const auto& [name, target] : link.Links)
        expected.insert(folder.Path(name));
    EXPECT_EQ(Tree(folder.Path("")), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Links, FormFileLink,
    testing::Values(
        TLinkCase{"Relative", {{"form.vfm", "real/form.vfm"}}, "form.vfm", "real/form.vfm", true},
        TLinkCase{"Absolute", {{"form.vfm", "/real/form.vfm"}}, "form.vfm", "real/form.vfm", true},
        TLinkCase{"FromAnotherFolder",
                  {{"sub/form.vfm", "../real/form.vfm"}},
                  "sub/form.vfm",
                  "real/form.vfm",
                  true},
        TLinkCase{"Chain",
                  {{"sub/b.vfm", "../real/form.vfm"}, {"a.vfm", "sub/b.vfm"}},
                  "a.vfm",
                  "real/form.vfm",
                  true},
        TLinkCase{"Dangling", {{"form.vfm", "real/new.vfm"}}, "form.vfm", "real/new.vfm", false},
        TLinkCase{"NotUtf8Names",
                  {{"f\xff.vfm", "real/\xfe\xe9.vfm"}},
                  "f\xff.vfm",
                  "real/\xfe\xe9.vfm",
                  true}),
    [](const testing::TestParamInfo<TLinkCase>& info) { return std::string(info.param.What); });

// A save run in a child process, so that it may give up privileges or lower a limit
// first; returns the message of the EFCreateError it raised.
std::string SaveErrorInChild(const fs::path& file, void (*prepare)()) {
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string message = "saved";
        try {
            if (prepare != nullptr)
                prepare();
            SaveForm(file, 2);
        } catch (const EFCreateError& e) {
            message = e.what();
        } catch (const std::exception& e) {
            message = std::string("another exception: ") + e.what();
        }
        const ssize_t written = ::write(channel[1], message.data(), message.size());
        ::_exit(written == static_cast<ssize_t>(message.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string message;
    char buffer[512];
    for (ssize_t count; (count = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, static_cast<size_t>(count));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return message;
}

// As root, permissions are not checked: the save then runs as nobody.
void GiveUpRoot() {
    if (::geteuid() == 0 && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
        throw std::runtime_error("cannot become nobody");
}

// Any write past the form's first bytes fails with EFBIG.
void LimitFileSize() {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16, RLIM_INFINITY};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("cannot limit the file size");
}

void ReadOnlyFolder(const Support::TTempFolder& folder) {
    fs::create_directories(folder.Path("ro"));
    SaveForm(folder.Path("ro/form.vfm"), 1);
    fs::permissions(folder.Path(""), fs::perms(0755));
    fs::permissions(folder.Path("ro"), fs::perms(0555));
}

void SavedForm(const Support::TTempFolder& folder) {
    SaveForm(folder.Path("form.vfm"), 1);
}

void FolderAtTheName(const Support::TTempFolder& folder) {
    fs::create_directories(folder.Path("form.vfm/inside"));
}

void LinkLoop(const Support::TTempFolder& folder) {
    fs::create_symlink("b.vfm", folder.Path("a.vfm"));
    fs::create_symlink("a.vfm", folder.Path("b.vfm"));
}

struct TSaveFailure {
    const char* What;
    void (*Arrange)(const Support::TTempFolder&);
    void (*InChild)();
    const char* File;
    const char* Reason;
};

class FormFileSaveFailure : public testing::TestWithParam<TSaveFailure> {};

TEST_P(FormFileSaveFailure, SaysWhyAndLeavesTheFolderAsItWas) {
    const TSaveFailure& failure = GetParam();
    const Support::TTempFolder folder;
    failure.Arrange(folder);
    const fs::path file = folder.Path(failure.File);
    const std::set<fs::path> before = Tree(folder.Path(""));
    const std::string original = Bytes(file);

    const std::string message = SaveErrorInChild(file, failure.InChild);

    EXPECT_EQ(message, "Cannot write form file \"" + file.string() + "\": " + failure.Reason);
    EXPECT_EQ(Bytes(file), original);
    EXPECT_EQ(Tree(folder.Path("")), before);
    fs::permissions(folder.Path(""), fs::perms(0700));
    if (fs::is_directory(folder.Path("ro")))
        fs::permissions(folder.Path("ro"), fs::perms(0755));
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FormFileSaveFailure,
    testing::Values(
        TSaveFailure{"ReadOnlyFolder", ReadOnlyFolder, GiveUpRoot, "ro/form.vfm",
                     "Permission denied"},
        TSaveFailure{"DiskLimitReached", SavedForm, LimitFileSize, "form.vfm", "File too large"},
        TSaveFailure{"FolderAtTheName", FolderAtTheName, nullptr, "form.vfm", "Is a directory"},
        TSaveFailure{"MissingFolder", SavedForm, nullptr, "none/form.vfm",
                     "No such file or directory"},
        TSaveFailure{"LinkLoop", LinkLoop, nullptr, "a.vfm", "Too many levels of symbolic links"}),
    [](const testing::TestParamInfo<TSaveFailure>& info) { return std::string(info.param.What); });

struct TReadFailure {
    const char* What;
    const char* Content; // nullptr: no file; "/": a folder
    const char* Message;
};

class FormFileReadFailure : public testing::TestWithParam<TReadFailure> {};

TEST_P(FormFileReadFailure, NamesTheFileAndSaysWhy) {
    const TReadFailure& failure = GetParam();
    const Support::TTempFolder folder;
    const fs::path file = folder.Path("form\xff.vfm");
    if (failure.Content != nullptr && std::string(failure.Content) == "/")
        fs::create_directory(file);
    else if (failure.Content != nullptr)
        folder.Write(file.filename().string(), failure.Content);
    TTestForm form;
    try {
        ReadFormFile(NameOf(file), form);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(e.Message().find(NameOf(file)), String::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(failure.Message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FormFileReadFailure,
    testing::Values(TReadFailure{"Missing", nullptr, "No such file or directory"},
                    TReadFailure{"Folder", "/", "Is a directory"},
                    TReadFailure{"Empty", "", "Line 1: the form text is empty"}),
    [](const testing::TestParamInfo<TReadFailure>& info) { return std::string(info.param.What); });

TEST(FormFile, AByteOrderMarkIsAccepted) {
    const Support::TTempFolder folder;
    folder.Write("form.vfm", "\xEF\xBB\xBFobject Form1: TTestForm\n  Tag = 3\nend\n");
    EXPECT_EQ(TagIn(folder.Path("form.vfm")), 3);
}

} // namespace
