#include "Process.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <signal.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace VelScanTest {

namespace {

struct TPipe {
    int Read = -1;
    int Write = -1;
};

TPipe MakePipe() {
    int fds[2];
    if (pipe(fds) != 0)
        throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
    return {fds[0], fds[1]};
}

[[noreturn]] void ExecChild(const std::vector<std::string>& argv, TPipe in, TPipe out, TPipe err) {
    dup2(in.Read, STDIN_FILENO);
    dup2(out.Write, STDOUT_FILENO);
    dup2(err.Write, STDERR_FILENO);
    for (int fd : {in.Read, in.Write, out.Read, out.Write, err.Read, err.Write})
        close(fd);
    std::vector<char*> args = ExecArguments(argv);
    execv(args[0], args.data());
    _exit(127);
}

// Reads what the polled pipe has; closes it (fd becomes -1) at its end.
void Drain(int& fd, const pollfd& polled, std::string& text) {
    if (fd < 0 || !polled.revents)
        return;
    char buffer[65536];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    } else {
        close(fd);
        fd = -1;
    }
}

// Feeds the input and drains both outputs at the same time, so that no pipe fills up.
void Exchange(const std::string& input, int in, int out, int err, TProcessResult& result) {
    std::size_t written = 0;
    if (input.empty()) {
        close(in);
        in = -1;
    }
    while (out >= 0 || err >= 0) {
        pollfd fds[3] = {{in, POLLOUT, 0}, {out, POLLIN, 0}, {err, POLLIN, 0}};
        if (poll(fds, 3, -1) < 0 && errno != EINTR)
            throw std::runtime_error(std::string("poll: ") + std::strerror(errno));
        if (in >= 0 && fds[0].revents) {
            const ssize_t n = write(in, input.data() + written, input.size() - written);
            written += n > 0 ? static_cast<std::size_t>(n) : 0;
            if (n <= 0 || written == input.size()) {
                close(in);
                in = -1;
            }
        }
        Drain(out, fds[1], result.Out);
        Drain(err, fds[2], result.Err);
    }
    if (in >= 0)
        close(in);
}

} // namespace

TProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& input) {
    signal(SIGPIPE, SIG_IGN);
    const TPipe in = MakePipe(), out = MakePipe(), err = MakePipe();
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid == 0)
        ExecChild(argv, in, out, err);
    close(in.Read);
    close(out.Write);
    close(err.Write);
    TProcessResult result;
    Exchange(input, in.Write, out.Read, err.Read, result);
    int status = 0;
    waitpid(pid, &status, 0);
    result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<char*> ExecArguments(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const auto& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    return args;
}

} // namespace VelScanTest
