// avuzevi-cli: the program's workflows from a shell. Global options come before the command.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace avz::cli {

struct CliIo {
    std::FILE* in = stdin;
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    // The system's serial ports (injected so tests need no hardware).
    std::function<std::vector<std::string>()> systemPorts;
};

// Runs the command line (without the program name); returns the exit code: 0 done, 1 failed, 2 usage.
int run(const std::vector<std::string>& args, const CliIo& io);

// "V\\n" -> "V\n": expands \n, \r, \t and \\ escapes.
std::string expandEscapes(const std::string& text);

}  // namespace avz::cli
