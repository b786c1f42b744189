// Child processes for end-to-end tests.
#include "support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace avz::test {

namespace {
std::vector<char*> cArgs(const std::vector<std::string>& v) {
    std::vector<char*> out;
    for (const auto& s : v) out.push_back(const_cast<char*>(s.c_str()));
    out.push_back(nullptr);
    return out;
}
}  // namespace

std::string SimProcess::binary(const std::string& name) {
    const char* dir = std::getenv("AVZ_BIN_DIR");
    return std::string(dir ? dir : ".") + "/" + name;
}

SimProcess::SimProcess(const std::vector<std::string>& args) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return;
    std::vector<std::string> argv{binary("avuzevi-sim")};
    argv.insert(argv.end(), args.begin(), args.end());
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        auto a = cArgs(argv);
        ::execv(a[0], a.data());
        ::_exit(127);
    }
    ::close(out[1]);
    m_pid = pid;
    std::string line;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < until) {
        pollfd p{out[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char c;
        if (::read(out[0], &c, 1) != 1) break;
        if (c == '\n') {
            m_path = line;
            break;
        }
        line += c;
    }
    ::close(out[0]);
}

SimProcess::~SimProcess() { stop(); }

void SimProcess::stop() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 200; ++i) {
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return;
            }
            ::usleep(10000);
        }
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
    }
}

RunResult runProgram(const std::vector<std::string>& argv, int timeoutMs, const std::vector<std::string>& env) {
    RunResult r;
    int out[2], err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return r;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        const int devnull = ::open("/dev/null", O_RDONLY);
        if (devnull >= 0) ::dup2(devnull, 0);
        for (const auto& e : env) ::putenv(const_cast<char*>(e.c_str()));
        auto a = cArgs(argv);
        ::execv(a[0], a.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool outOpen = true, errOpen = true;
    while ((outOpen || errOpen) && std::chrono::steady_clock::now() < until) {
        pollfd p[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
        if (::poll(p, 2, 50) <= 0) continue;
        char buf[4096];
        for (int k = 0; k < 2; ++k) {
            if (!(p[k].revents & (POLLIN | POLLHUP))) continue;
            const ssize_t n = ::read(k == 0 ? out[0] : err[0], buf, sizeof buf);
            if (n <= 0) (k == 0 ? outOpen : errOpen) = false;
            else (k == 0 ? r.out : r.err).append(buf, static_cast<std::size_t>(n));
        }
    }
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) != pid) {
        const auto grace = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (::waitpid(pid, &status, WNOHANG) != pid) {
            if (std::chrono::steady_clock::now() > grace) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, &status, 0);
                r.exitCode = -9;
                return r;
            }
            ::usleep(10000);
        }
    }
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    return r;
}

}  // namespace avz::test
