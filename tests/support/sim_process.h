// Starts the avuzevi-sim daemon for end-to-end tests and reads the terminal path it prints.
#pragma once

#include <string>
#include <vector>

namespace avz::test {

class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args);
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool ok() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    int pid() const { return m_pid; }
    void stop();

    // Path of a program built beside the tests (AVZ_BIN_DIR).
    static std::string binary(const std::string& name);

private:
    int m_pid = -1;
    std::string m_path;
};

// Runs a program to its end with a time limit; collects stdout and stderr.
struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};
RunResult runProgram(const std::vector<std::string>& argv, int timeoutMs, const std::vector<std::string>& env = {});

}  // namespace avz::test
