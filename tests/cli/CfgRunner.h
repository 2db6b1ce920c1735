// Runs a real program and collects what it prints.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "fakes/TempFolder.h"

namespace ravel::testing {

struct CfgResult {
    int exitCode = -1;
    std::string out, err;
};

struct CfgOptions {
    std::string input;      // standard input
    bool asNobody = false;  // drop root first: permissions mean nothing to root
    std::vector<std::pair<std::string, std::string>> env;  // set (empty value: unset)
    std::string stdoutPath;  // instead of a file the result is read from
};

// Runs `command` (program first) with `options`.
inline CfgResult RunCommand(std::vector<std::string> command, const CfgOptions& options) {
    const TempFolder scratch;
    const std::string in = scratch.path() + "/in", out = scratch.path() + "/out", err = out + ".err";
    WriteBytes(in, std::vector<unsigned char>(options.input.begin(), options.input.end()));
    if (options.asNobody) {
        // The build folder may lie where nobody cannot reach (below /root).
        std::filesystem::copy_file(command[0], scratch.path() + "/program");
        std::filesystem::permissions(scratch.path(), std::filesystem::perms(0755));
        command[0] = scratch.path() + "/program";
    }
    std::vector<char*> argv(command.size() + 1);
    std::transform(command.begin(), command.end(), argv.begin(), [](std::string& arg) { return arg.data(); });
    const pid_t child = ::fork();
    if (child == 0) {
        for (const auto& [name, value] : options.env) {
            value.empty() ? ::unsetenv(name.c_str()) : ::setenv(name.c_str(), value.c_str(), 1);
        }
        ::alarm(30);  // a program that hangs ends, not the whole test run
        const int written = O_WRONLY | O_CREAT | O_TRUNC;
        const std::string& stdoutPath = options.stdoutPath.empty() ? out : options.stdoutPath;
        if (::dup2(::open(in.c_str(), O_RDONLY), 0) < 0 || ::dup2(::open(stdoutPath.c_str(), written, 0666), 1) < 0 ||
            ::dup2(::open(err.c_str(), written, 0666), 2) < 0 ||
            (options.asNobody && ::geteuid() == 0 &&
             (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))) {
            ::_exit(120);
        }
        ::execv(argv[0], argv.data());
        ::_exit(121);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    const std::vector<unsigned char> outBytes = ReadBytes(out), errBytes = ReadBytes(err);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
            {outBytes.begin(), outBytes.end()}, {errBytes.begin(), errBytes.end()}};
}

}  // namespace ravel::testing
