// velscan's worker processes and memory budget, run as a process with the real ZBar and with
// the fake ZBar told (through its environment variables) to crash, hang or take its time.
#include "VelscanRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

using namespace VelScanTest;
namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// A run of a program whose standard output and error, and the fake ZBar's telling of its
// scans, go to files in the folder, so that a test can act while it runs.
class TRunningProgram {
public:
    TRunningProgram(const fs::path& folder, std::vector<std::string> argv)
        : FOut(folder / "out"), FErr(folder / "err"), FTells(folder / "tells") {
        std::vector<char*> args = ExecArguments(argv);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, FOut.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, FErr.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        std::string tells = "FAKEZBAR_TELL_FILE=" + FTells.string();
        std::vector<char*> environment = {tells.data()};
        for (char** variable = environ; *variable != nullptr; ++variable)
            environment.push_back(*variable);
        environment.push_back(nullptr);
        EXPECT_EQ(posix_spawn(&FPid, args[0], &actions, nullptr, args.data(), environment.data()),
                  0);
        posix_spawn_file_actions_destroy(&actions);
    }
    ~TRunningProgram() {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            Wait();
        }
    }
    TRunningProgram(const TRunningProgram&) = delete;
    TRunningProgram& operator=(const TRunningProgram&) = delete;

    pid_t Pid() const { return FPid; }

    // Waits (10 s at most) until the fake ZBar told the text; whether it came.
    bool AwaitTell(const std::string& text) const {
        for (int i = 0; i < 1000; ++i) {
            if (Contains(ReadFile(FTells), text))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // Waits for the program to end; what it wrote, and its status (-1: killed by a signal).
    TProcessResult Wait() {
        while (FPid > 0 && waitpid(FPid, &FStatus, 0) < 0 && errno == EINTR) {
        }
        FPid = -1;
        return {WIFEXITED(FStatus) ? WEXITSTATUS(FStatus) : -1, ReadFile(FOut), ReadFile(FErr)};
    }

    // Waits for the program to end within the time; whether it did (Wait then tells the rest).
    bool AwaitEnd(std::chrono::seconds time) {
        const auto until = std::chrono::steady_clock::now() + time;
        while (waitpid(FPid, &FStatus, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        FPid = -1;
        return true;
    }

private:
    fs::path FOut, FErr, FTells;
    pid_t FPid = -1;
    int FStatus = 0;
};

TEST(VelscanIsolation, WorkerProcessesGiveTheSameOutputAsThreads) {
    std::vector<std::string> args = {"-j2",
                                     Sample("ean13.png"),
                                     Sample("multi.png"),
                                     Broken("truncated.png"),
                                     Missing,
                                     Sample("qrcode.webp"),
                                     Broken("qr-binary.png"),
                                     Sample("databar.tif"),
                                     Broken("huge.png")};
    for (const std::string format : {"--format=json", "--format=xml", "--format=text"}) {
        auto formatArgs = args;
        formatArgs.insert(formatArgs.begin(), format);
        const auto isolated = Velscan(formatArgs);
        formatArgs.insert(formatArgs.begin(), "--no-isolation");
        const auto threads = Velscan(formatArgs);
        EXPECT_EQ(isolated.Out, threads.Out) << format;
        EXPECT_EQ(isolated.Err, threads.Err) << format;
        EXPECT_EQ(isolated.ExitStatus, 2) << format;
        EXPECT_EQ(threads.ExitStatus, 2) << format;
    }
}

TEST(VelscanIsolation, BatchSurvivesAPictureThatCrashesZBarAndOneThatHangs) {
    // With the fake ZBar, code128.jpg (1496 pixels wide) crashes it and multi.png (698) hangs.
    const TEnvironment environment(
        {{"FAKEZBAR_CRASH_WIDTH", "1496"}, {"FAKEZBAR_HANG_WIDTH", "698"}});
    const std::vector<std::string> pictures = {
        Sample("ean13.png"),   Sample("code128.jpg"), Sample("ean8-label.jpg"), Sample("multi.png"),
        Sample("qrcode.webp"), Sample("code128.jpg"), Sample("code39.gif"),     Missing,
        Sample("upca.bmp")};
    std::vector<std::string> args = {"--library", VEL_FAKE_ZBAR, "--timeout",
                                     "1.5",       "-j2",         "--format=json"};
    args.insert(args.end(), pictures.begin(), pictures.end());
    const auto run = Velscan(args);
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), pictures.size()) << run.Out;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const TJson& object = objects[i];
        EXPECT_EQ(object["path"].String, pictures[i]);
        if (pictures[i] == pictures[1]) {
            EXPECT_EQ(object["error"].String,
                      "crashed while reading or scanning the picture: signal 11 (Segmentation "
                      "fault)");
        } else if (pictures[i] == pictures[3]) {
            EXPECT_EQ(object["error"].String,
                      "took longer than the time limit of 1.5 s (--timeout)");
        } else if (pictures[i] != Missing) {
            EXPECT_FALSE(object.Has("error")) << pictures[i];
            EXPECT_GT(object["width"].Number, 0) << pictures[i];
        }
    }

    // The text formats report the same on standard error, each naming its path.
    args[5] = "--format=text";
    const auto text = Velscan(args);
    EXPECT_EQ(text.ExitStatus, 2);
    const auto errors = Lines(text.Err);
    ASSERT_EQ(errors.size(), 4u) << text.Err;
    EXPECT_TRUE(errors[0].starts_with("velscan: " + pictures[1] + ": crashed")) << errors[0];
    EXPECT_TRUE(errors[1].starts_with("velscan: " + pictures[3] + ": took longer")) << errors[1];
    EXPECT_TRUE(errors[2].starts_with("velscan: " + pictures[5] + ": crashed")) << errors[2];
    EXPECT_TRUE(errors[3].starts_with("velscan: " + Missing + ": ")) << errors[3];
}

TEST(VelscanIsolation, AnAbortCostsOnlyItsPictureAsACrashDoes) {
    // A failed assertion aborts (SIGABRT), as zxing-cpp 1.4 as Debian builds it does on some
    // DataBar and Code 128 pictures; with the fake ZBar, code39.gif (596 pixels wide) aborts.
    const TEnvironment environment({{"FAKEZBAR_ABORT_WIDTH", "596"}});
    const std::vector<std::string> pictures = {Sample("ean13.png"), Sample("code39.gif"),
                                               Sample("qrcode.webp"), Sample("code39.gif"),
                                               Sample("upca.bmp")};
    std::vector<std::string> args = {"--library", VEL_FAKE_ZBAR, "-j2", "--format=json"};
    args.insert(args.end(), pictures.begin(), pictures.end());
    const auto run = Velscan(args);
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), pictures.size()) << run.Out;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        EXPECT_EQ(objects[i]["path"].String, pictures[i]);
        if (pictures[i] == pictures[1])
            EXPECT_EQ(objects[i]["error"].String,
                      "crashed while reading or scanning the picture: signal 6 (Aborted)");
        else
            EXPECT_GT(objects[i]["width"].Number, 0) << pictures[i];
    }
}

// The fake's scans of the two large pictures (2000 and 2002 pixels wide) as it tells them;
// whether they overlapped.
bool LargeScansOverlap(const std::string& tells) {
    int scanning = 0;
    bool overlapped = false;
    for (const auto& line : Lines(tells)) {
        if (line == "fakezbar: begin 2000" || line == "fakezbar: begin 2002")
            overlapped |= ++scanning > 1;
        else if (line == "fakezbar: end 2000" || line == "fakezbar: end 2002")
            --scanning;
    }
    return overlapped;
}

TEST(VelscanIsolation, MemoryBudgetKeepsLargePicturesApartAndRefusesOneTooLarge) {
    // Each large picture needs about 16 MiB, the one over budget about 48 MiB.
    const TTempFolder folder;
    const fs::path tells = folder.Path() / "tells";
    const TEnvironment environment({{"FAKEZBAR_SCAN_MS", "400"}, {"FAKEZBAR_TELL_FILE", tells}});
    const auto told = [&tells] {
        const std::string text = ReadFile(tells);
        fs::remove(tells);
        return text;
    };
    const std::vector<std::string> pictures = {Broken("large-a.png"), Broken("large-b.png"),
                                               Broken("over-budget.png"), Broken("large-a.png")};
    for (const bool isolated : {true, false}) {
        std::vector<std::string> args = {"--library", VEL_FAKE_ZBAR, "--effort=fast", "-j2",
                                         "--format=json"};
        if (!isolated)
            args.push_back("--no-isolation");
        args.insert(args.end(), pictures.begin(), pictures.end());

        // Room for both at once: the two workers scan them together.
        auto roomy = args;
        roomy.push_back("--memory-budget=1G");
        const auto together = Velscan(roomy);
        EXPECT_TRUE(LargeScansOverlap(told())) << together.Err;

        auto tight = args;
        tight.push_back("--memory-budget=24M");
        const auto run = Velscan(tight);
        EXPECT_FALSE(LargeScansOverlap(told())) << run.Err;
        EXPECT_EQ(run.ExitStatus, 2);
        const auto objects = JsonLines(run.Out);
        ASSERT_EQ(objects.size(), pictures.size());
        EXPECT_EQ(objects[2]["path"].String, pictures[2]);
        EXPECT_EQ(objects[2]["error"].String,
                  "picture of 3000 x 3000 pixels needs about 48 MiB to read and scan, more than "
                  "the memory budget of 24 MiB (--memory-budget)");
        for (const std::size_t i : {0u, 1u, 3u})
            EXPECT_EQ(objects[i]["width"].Number, i == 1 ? 2002 : 2000) << isolated;
    }
}

// Workers start from the program that runs, not from its file's name: a crash after the
// file is gone still costs only its picture.
TEST(VelscanIsolation, AProgramFileRemovedDuringTheRunCostsNothing) {
    const TTempFolder folder;
    const std::string program = folder.Add(VELSCAN_PATH, "velscan");
    // With the fake ZBar, code128.jpg (1496 pixels wide) crashes it; every scan takes 300 ms.
    const TEnvironment environment({{"FAKEZBAR_CRASH_WIDTH", "1496"}, {"FAKEZBAR_SCAN_MS", "300"}});
    const std::vector<std::string> pictures = {Sample("ean13.png"), Sample("code128.jpg"),
                                               Sample("upca.bmp"), Sample("code128.jpg"),
                                               Sample("code39.gif")};
    std::vector<std::string> args = {program, "--library", VEL_FAKE_ZBAR, "-j1", "--format=json"};
    args.insert(args.end(), pictures.begin(), pictures.end());
    TRunningProgram running(folder.Path(), args);
    ASSERT_TRUE(running.AwaitTell("fakezbar: begin"));
    fs::remove(program);
    const auto run = running.Wait();
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    EXPECT_FALSE(Contains(run.Err, "cannot start a worker process")) << run.Err;
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), pictures.size()) << run.Out;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (pictures[i] == Sample("code128.jpg"))
            EXPECT_TRUE(Contains(objects[i]["error"].String, "crashed")) << i;
        else
            EXPECT_FALSE(objects[i].Has("error")) << objects[i]["error"].String;
    }
}

// The processes whose parent is the process, found in /proc.
std::vector<pid_t> Children(pid_t parent) {
    std::vector<pid_t> children;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        // pid (comm) state ppid ...: the name may hold spaces, so read after its ')'.
        std::istringstream fields(text.substr(text.rfind(')') + 1));
        std::string state;
        pid_t ppid = 0;
        if (fields >> state >> ppid && ppid == parent)
            children.push_back(static_cast<pid_t>(std::stol(name)));
    }
    return children;
}

// Whether the process is gone (or only a zombie left for whoever adopted it to reap).
bool Ended(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    return text.empty() || text.substr(text.rfind(')') + 2, 1) == "Z";
}

// Worker processes end when velscan does, however it ends, even while they are scanning.
TEST(VelscanIsolation, WorkersEndWhenTheRunIsKilled) {
    const TEnvironment environment({{"FAKEZBAR_SCAN_MS", "60000"}});
    for (const int signal : {SIGTERM, SIGKILL}) {
        SCOPED_TRACE(signal);
        const TTempFolder folder;
        TRunningProgram running(folder.Path(),
                                {VELSCAN_PATH, "--library", VEL_FAKE_ZBAR, "-j2", "--timeout=0",
                                 Sample("ean13.png"), Sample("upca.bmp"), Sample("code39.gif")});
        ASSERT_TRUE(running.AwaitTell("fakezbar: begin"));
        const std::vector<pid_t> workers = Children(running.Pid());
        ASSERT_EQ(workers.size(), 2u);
        kill(running.Pid(), signal);
        running.Wait();
        for (const pid_t worker : workers) {
            for (int i = 0; i < 500 && !Ended(worker); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            EXPECT_TRUE(Ended(worker)) << worker;
            kill(worker, SIGKILL);
        }
    }
}

// A run starts no more worker processes than the pictures it is given, whatever -j asks.
TEST(VelscanIsolation, OnePictureStartsOneWorker) {
    const TEnvironment environment({{"FAKEZBAR_SCAN_MS", "60000"}});
    const TTempFolder folder;
    TRunningProgram running(folder.Path(), {VELSCAN_PATH, "--library", VEL_FAKE_ZBAR, "-j2",
                                            "--timeout=0", Sample("ean13.png")});
    ASSERT_TRUE(running.AwaitTell("fakezbar: begin"));
    EXPECT_EQ(Children(running.Pid()).size(), 1u);
    kill(running.Pid(), SIGKILL);
    running.Wait();
}

// --timeout holds in every state of a worker: stopped (SIGSTOP) while it scans, and stopped
// while it waits for memory, which is free once the other is ended.
TEST(VelscanIsolation, StoppedWorkersWaitingForMemoryAreTimedOut) {
    // Each large picture needs about 16 MiB: with 24 MiB one waits while the other scans.
    const TEnvironment environment({{"FAKEZBAR_SCAN_MS", "60000"}});
    const TTempFolder folder;
    TRunningProgram running(folder.Path(), {VELSCAN_PATH, "--library", VEL_FAKE_ZBAR, "-j2",
                                            "--memory-budget=24M", "--timeout=2", "--format=json",
                                            Broken("large-a.png"), Broken("large-b.png")});
    ASSERT_TRUE(running.AwaitTell("fakezbar: begin"));
    // The other worker has read its picture's size by now, and waits for memory.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::vector<pid_t> workers = Children(running.Pid());
    ASSERT_EQ(workers.size(), 2u);
    for (const pid_t worker : workers)
        kill(worker, SIGSTOP);
    ASSERT_TRUE(running.AwaitEnd(std::chrono::seconds(30)));
    const auto run = running.Wait();
    EXPECT_EQ(run.ExitStatus, 2) << run.Err;
    const auto objects = JsonLines(run.Out);
    ASSERT_EQ(objects.size(), 2u) << run.Out;
    for (const auto& object : objects)
        EXPECT_EQ(object["error"].String, "took longer than the time limit of 2 s (--timeout)");
}

// A worker process as the run starts one, its socket's other end kept by the test.
class TWorkerOnSocket {
public:
    TWorkerOnSocket() {
        int sockets[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets), 0);
        FSocket = sockets[0];
        const int budget = memfd_create("budget", MFD_CLOEXEC);
        EXPECT_EQ(ftruncate(budget, 1 << 20), 0);
        std::vector<std::string> all = {VELSCAN_PATH, "--scan-worker", "0",
                                        "--library",  VEL_FAKE_ZBAR,   Sample("ean13.png")};
        std::vector<char*> argv = ExecArguments(all);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, sockets[1], 3);
        posix_spawn_file_actions_adddup2(&actions, budget, 4);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, FErr.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        EXPECT_EQ(posix_spawn(&FPid, VELSCAN_PATH, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(sockets[1]);
        close(budget);
    }
    ~TWorkerOnSocket() {
        close(FSocket);
        kill(FPid, SIGKILL);
        waitpid(FPid, nullptr, 0);
    }
    TWorkerOnSocket(const TWorkerOnSocket&) = delete;
    TWorkerOnSocket& operator=(const TWorkerOnSocket&) = delete;

    int Socket() const { return FSocket; }
    pid_t Pid() const { return FPid; }
    std::string Err() const { return ReadFile(FErr); }

private:
    TTempFolder FFolder;
    fs::path FErr = FFolder.Path() / "err";
    int FSocket = -1;
    pid_t FPid = -1;
};

// A length header longer than a page's results can be (1 GiB) is refused before anything is
// allocated; the worker and the run share the receiving side.
TEST(VelscanIsolation, AMessageLongerThanAPagesResultsIsRefused) {
    for (const std::uint64_t length : {(std::uint64_t{1} << 30) + 1, std::uint64_t{8} << 30}) {
        SCOPED_TRACE(length);
        TWorkerOnSocket worker;
        ASSERT_EQ(write(worker.Socket(), &length, sizeof length),
                  static_cast<ssize_t>(sizeof length));
        shutdown(worker.Socket(), SHUT_WR);
        int status = 0;
        ASSERT_EQ(waitpid(worker.Pid(), &status, 0), worker.Pid());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
        EXPECT_TRUE(Contains(worker.Err(), "a message of " + std::to_string(length) +
                                               " bytes came from the other process, more than"))
            << worker.Err();
    }
}

TEST(VelscanIsolation, BadLimitsAreUsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {"--timeout", "-1"},      {"--timeout", "soon"},      {"--timeout=1e7"},
        {"--memory-budget", "0"}, {"--memory-budget", "12X"}, {"--memory-budget=99999999999T"},
        {"--no-isolation=yes"},
    };
    for (const auto& args : cases) {
        auto withPicture = args;
        withPicture.push_back(Sample("ean13.png"));
        const auto run = Velscan(withPicture);
        EXPECT_EQ(run.ExitStatus, 1) << args.back();
        EXPECT_TRUE(Contains(run.Err, args.back().substr(args.back().find('=') + 1))) << run.Err;
        EXPECT_EQ(run.Out, "");
    }
}

} // namespace
