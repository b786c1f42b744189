// avuzevi-cli entry point.
#include "app/system_ports.h"
#include "cli/cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    avz::cli::CliIo io;
    io.systemPorts = [] { return avz::systemSerialPorts(); };
    return avz::cli::run(args, io);
}
