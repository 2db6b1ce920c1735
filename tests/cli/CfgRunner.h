// Runs the real ravelstone-cfg binary and collects what it prints.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fakes/TempFolder.h"

namespace ravel::testing {

struct CfgResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct CfgOptions {
    std::string input;      // standard input
    bool asNobody = false;  // drop root first: permissions mean nothing to root
    std::vector<std::pair<std::string, std::string>> env;  // set (empty value: unset)
    std::string stdoutPath;  // instead of a file the result is read from
};

inline CfgOptions Stdin(std::string text) {
    CfgOptions options;
    options.input = std::move(text);
    return options;
}

inline CfgOptions AsNobody() {
    CfgOptions options;
    options.asNobody = true;
    return options;
}

inline CfgOptions WithEnv(std::vector<std::pair<std::string, std::string>> env) {
    CfgOptions options;
    options.env = std::move(env);
    return options;
}

inline std::string ReadText(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Runs `command` (program first) with `options`.
inline CfgResult RunCommand(const std::vector<std::string>& command, const CfgOptions& options) {
    TempFolder scratch;
    const std::string in = scratch.path() + "/in";
    const std::string out = scratch.path() + "/out";
    const std::string err = scratch.path() + "/err";
    WriteBytes(in, std::vector<unsigned char>(options.input.begin(), options.input.end()));

    std::vector<char*> argv;
    std::vector<std::string> copies = command;
    if (options.asNobody) {
        // The build folder may lie where an unprivileged user cannot reach
        // (below /root); the program runs from a copy in the open scratch
        // folder instead.
        const std::string program = scratch.path() + "/program";
        std::filesystem::copy_file(command[0], program);
        std::filesystem::permissions(program, std::filesystem::perms(0755));
        std::filesystem::permissions(scratch.path(), std::filesystem::perms(0755));
        copies[0] = program;
    }
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        const int inFd = ::open(in.c_str(), O_RDONLY);
        const std::string& outPath = options.stdoutPath.empty() ? out : options.stdoutPath;
        const int outFd = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (inFd < 0 || outFd < 0 || errFd < 0) {
            ::_exit(120);
        }
        ::dup2(inFd, 0);
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        for (const auto& [name, value] : options.env) {
            if (value.empty()) {
                ::unsetenv(name.c_str());
            } else {
                ::setenv(name.c_str(), value.c_str(), 1);
            }
        }
        // A program that hangs is ended (SIGALRM) instead of the whole test.
        ::alarm(30);
        if (options.asNobody && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(121);
        }
        ::execv(argv[0], argv.data());
        ::_exit(122);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    CfgResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = ReadText(out);
    result.err = ReadText(err);
    return result;
}

#ifdef RAVEL_CFG_PATH
inline CfgResult RunCfg(const std::vector<std::string>& args, const CfgOptions& options = {}) {
    std::vector<std::string> command = {RAVEL_CFG_PATH};
    command.insert(command.end(), args.begin(), args.end());
    return RunCommand(command, options);
}
#endif

}  // namespace ravel::testing
