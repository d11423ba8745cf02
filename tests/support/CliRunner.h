#pragma once
// Runs kelvra-cli as a user would, through the shell, and collects its
// standard output and exit status.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct CliResult {
    int status = -1;
    std::string out;
};

// Runs one shell command line and collects its standard output.
inline CliResult RunShell(const std::string& command) {
    CliResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return result;
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), n);
    }
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

// `arguments` is shell text after the program name; stderr is left alone
// unless the arguments redirect it (for example "2>&1").
inline CliResult RunCli(const std::string& arguments) {
    return RunShell(std::string(KELVRA_CLI) + " " + arguments);
}

// Runs kelvra-cli in the given folder; stdout and stderr together.
inline CliResult RunIn(const std::string& directory, const std::string& arguments) {
    return RunShell("cd '" + directory + "' && " + std::string(KELVRA_CLI) + " " + arguments +
                    " 2>&1");
}
