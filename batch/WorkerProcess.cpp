#include "WorkerProcess.h"

#include "Channel.h"
#include "GuardedScan.h"
#include "ResultWire.h"
#include "WorkerMain.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <initializer_list>
#include <iterator>
#include <span>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace VelBatch {

namespace {

using TClock = std::chrono::steady_clock;

// How often a worker that is waiting for memory is looked at, so that the time limit counts
// from when it may go on.
constexpr std::chrono::milliseconds BudgetCheckInterval{200};

[[noreturn]] void Fail(const std::string& what, int error = errno) {
    throw ERunError("cannot start a worker process: " + what + ": " + std::strerror(error));
}

// A copy of the descriptor above the numbers the worker's descriptors take, so that placing
// one never overwrites another; closed on exec. -1 when it cannot be made.
int DuplicateHigh(int fd) {
    return fcntl(fd, F_DUPFD_CLOEXEC, 10);
}

void CloseAll(std::initializer_list<int> fds) {
    for (const int fd : fds)
        if (fd >= 0)
            close(fd);
}

// Every handler the run installed back to the default action, as exec does: a worker must
// not run the run's own handlers (one removes the copy of the picture read from standard
// input). Ignored signals stay ignored, as across exec.
void DefaultHandlers() {
    for (int signal = 1; signal < NSIG; ++signal) {
        struct sigaction former {};
        if (sigaction(signal, nullptr, &former) == 0 && former.sa_handler != SIG_IGN &&
            former.sa_handler != SIG_DFL)
            std::signal(signal, SIG_DFL);
    }
}

// Whether this process runs one thread only. Only then may a child go on without exec:
// another thread may hold a lock (a stream's, the loader's) that the child would find taken
// for ever.
bool SingleThreaded() {
    std::error_code error;
    std::filesystem::directory_iterator tasks("/proc/self/task", error);
    return !error && std::distance(tasks, std::filesystem::directory_iterator()) == 1;
}

// The worker's descriptors: its socket and the budget at their numbers, nothing to read on
// standard input, and standard output onto standard error so that nothing a library prints
// mixes with the run's results. The worker is killed when the thread that starts it ends (the
// kernel's parent-death signal, kept across exec); a child whose run ended before the signal
// was set (its parent is another process then) ends at once. Async-signal-safe calls only.
bool PrepareWorker(pid_t run, int socket, int budget) {
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != run ||
        dup2(socket, WorkerChannelFd) < 0 || dup2(budget, WorkerBudgetFd) < 0)
        return false;
    const int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    return input >= 0 && dup2(input, STDIN_FILENO) >= 0 && dup2(STDERR_FILENO, STDOUT_FILENO) >= 0;
}

// The child's side of a start. A child of a process that runs one thread becomes the worker
// without exec: it has ZBar and the picture libraries loaded already. It keeps only the
// worker's descriptors, as exec would, so that it holds no other worker's socket open, and
// leaves by _exit, so that it never flushes the run's buffered output nor runs its exit
// handlers. A child of a process with more threads (a worker restarted during the run)
// starts the program, between fork and exec async-signal-safe calls only. On failure the
// reason (errno) goes up the report pipe, which exec or the closing of the run's descriptors
// closes. The program and the pipe move above the worker's numbers first, so that placing
// those does not close them. Each worker is used, and restarted, by one thread of the run,
// which lives as long as the run needs it.
[[noreturn]] void BecomeWorker(pid_t run, bool exec, int program, int socket, int budget,
                               int report, std::span<char* const> argv, const TBatchHooks* hooks) {
    program = DuplicateHigh(program);
    report = DuplicateHigh(report);
    if (program >= 0 && report >= 0 && PrepareWorker(run, socket, budget)) {
        if (exec)
            fexecve(program, argv.data(), environ);
        else if (close_range(WorkerBudgetFd + 1, ~0U, 0) == 0) {
            DefaultHandlers();
            _exit(RunWorker(argv[0], argv.subspan(2, argv.size() - 3), *hooks));
        }
    }
    const int error = errno;
    (void)!write(report, &error, sizeof error);
    _exit(127);
}

// Forks the worker and waits for it to start; its process id. Throws ERunError.
// The arguments end with a null pointer.
pid_t SpawnWorker(int program, int socket, int budget, std::span<char* const> argv,
                  const TBatchHooks& hooks) {
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        Fail("pipe");
    const pid_t run = getpid();
    const bool exec = !SingleThreaded();
    const pid_t pid = fork();
    if (pid == 0)
        BecomeWorker(run, exec, program, socket, budget, report[1], argv, &hooks);
    const int forkError = errno;
    close(report[1]);
    if (pid < 0) {
        close(report[0]);
        Fail("fork", forkError);
    }
    int error = 0;
    ssize_t got;
    while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(report[0]);
    if (got > 0) {
        while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        Fail(exec ? "exec" : "setup", error);
    }
    return pid;
}

std::vector<std::string> WorkerArguments(const TWorkerLaunch& launch, unsigned slot) {
    return {launch.ProgramName, WorkerModeFlag, std::to_string(slot)};
}

std::string Seconds(std::chrono::milliseconds time) {
    const auto count = time.count();
    std::string text = std::to_string(count / 1000);
    if (count % 1000 != 0) {
        std::string fraction = std::to_string(1000 + count % 1000).substr(1);
        fraction.erase(fraction.find_last_not_of('0') + 1);
        text += "." + fraction;
    }
    return text + " s";
}

// The error of a page of the file a worker process failed on.
TPageResult PageError(const TPageResult& done, int page, std::string failure) {
    TPageResult result;
    result.Path = done.Path;
    result.Page = page;
    result.Pages = done.Pages;
    result.Error = std::move(failure);
    result.ErrorKind = TErrorKind::ekOther;
    return result;
}

std::string Ending(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        return "crashed while reading or scanning the picture: signal " + std::to_string(signal) +
               " (" + strsignal(signal) + ")";
    }
    return "the worker process ended with status " + std::to_string(WEXITSTATUS(status)) +
           " while reading or scanning the picture";
}

} // namespace

TProgramFile::TProgramFile() : FFd(open("/proc/self/exe", O_PATH | O_CLOEXEC)) {
    if (FFd < 0)
        Fail("/proc/self/exe");
}

TProgramFile::~TProgramFile() {
    if (FFd >= 0)
        close(FFd);
}

TProgramFile::TProgramFile(TProgramFile&& other) noexcept : FFd(std::exchange(other.FFd, -1)) {}

TWorkerProcess::TWorkerProcess(std::shared_ptr<const TWorkerLaunch> launch, unsigned slot)
    : FLaunch(std::move(launch)), FSlot(slot) {
    Start();
}

TWorkerProcess::~TWorkerProcess() {
    if (FSocket >= 0)
        close(FSocket);
}

void TWorkerProcess::Start() {
    int sockets[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        Fail("socketpair");
    const int childSocket = DuplicateHigh(sockets[1]);
    const int childBudget = DuplicateHigh(FLaunch->Budget->Fd());
    close(sockets[1]);
    if (childSocket < 0 || childBudget < 0) {
        const int error = errno;
        CloseAll({sockets[0], childSocket, childBudget});
        Fail("fcntl", error);
    }
    std::vector<std::string> args = WorkerArguments(*FLaunch, FSlot);
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    try {
        FPid = SpawnWorker(FLaunch->Program.Fd(), childSocket, childBudget, argv, FLaunch->Hooks);
    } catch (...) {
        CloseAll({sockets[0], childSocket, childBudget});
        throw;
    }
    CloseAll({childSocket, childBudget});
    FSocket = sockets[0];
    // A worker that is gone already is found out by the first input sent.
    SendMessage(FSocket, EncodeSettings(FLaunch->Settings));
}

TFileResult TWorkerProcess::Scan(const TInput& input) {
    return GuardedScan(input, [this, &input] { return Exchange(input); });
}

// A failure on a page of a many-page file costs that page only: the pages done are kept, the
// failed page gets the error, and the file's later pages go to a new process.
TFileResult TWorkerProcess::Exchange(const TInput& input) {
    TFileResult results;
    TInput request = input;
    for (;;) {
        const auto failure = Receive(request, results);
        if (!failure)
            return results;
        if (results.empty())
            throw std::runtime_error(*failure);
        const int pages = results.back().Pages;
        const int failed = FLaunch->Settings.Pages.NextAfter(results.back().Page, pages);
        if (failed == 0 || (input.LastPage != 0 && failed > input.LastPage))
            return results;
        results.push_back(PageError(results.back(), failed, *failure));
        request.FirstPage = FLaunch->Settings.Pages.NextAfter(failed, pages);
        if (request.FirstPage == 0 || (input.LastPage != 0 && request.FirstPage > input.LastPage))
            return results;
    }
}

std::optional<std::string> TWorkerProcess::Receive(const TInput& input, TFileResult& results) {
    if (FPid < 0)
        Start();
    if (!SendMessage(FSocket, EncodeInput(input)))
        return Stop();
    for (;;) {
        if (!AwaitReply()) {
            Stop();
            return "took longer than the time limit of " + Seconds(FLaunch->Timeout) +
                   " (--timeout)";
        }
        std::optional<std::string> reply;
        try {
            reply = ReceiveMessage(FSocket);
        } catch (const EMessageTooLong& error) {
            Stop();
            return error.what();
        }
        if (!reply)
            return Stop();
        if (*reply == FileDoneMessage)
            return std::nullopt;
        for (TPageResult& page : DecodeResults(*reply))
            results.push_back(std::move(page));
    }
}

bool TWorkerProcess::AwaitReply() {
    const auto timeout = FLaunch->Timeout;
    if (timeout.count() == 0)
        return WaitReadable(FSocket, -1);
    auto deadline = TClock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - TClock::now());
        if (left.count() <= 0)
            return false;
        if (WaitReadable(FSocket, static_cast<int>(std::min(left, BudgetCheckInterval).count())))
            return true;
        if (FLaunch->Budget->Blocked(FSlot))
            deadline = TClock::now() + timeout;
    }
}

std::string TWorkerProcess::Stop() {
    // Killing a process that has ended already changes nothing; one that has not (it hangs,
    // or closed its socket and lingers) must not keep the run waiting.
    kill(FPid, SIGKILL);
    int status = 0;
    while (waitpid(FPid, &status, 0) < 0 && errno == EINTR) {
    }
    close(FSocket);
    FPid = -1;
    FSocket = -1;
    FLaunch->Budget->Release(FSlot);
    return Ending(status);
}

} // namespace VelBatch
