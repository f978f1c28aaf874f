#include "program_runner.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <filesystem>
#include <stdexcept>

#include "support/host_fixture.h"

namespace testing_support {

namespace {

std::string TemporaryFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-output-XXXXXX").string();
    const int fd = ::mkstemp(&pattern[0]);
    if (fd < 0) throw std::runtime_error("cannot make a temporary file");
    ::close(fd);
    return pattern;
}

std::string Slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    ::unlink(path.c_str());
    return text.str();
}

}  // namespace

ProgramResult RunQuorvaneSim(const std::vector<std::string> &args, const std::string &folder) {
    const std::string program = BuildRoot() + "/quorvane-sim";
    const std::string outPath = TemporaryFile(), errPath = TemporaryFile();
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &w : words) argv.push_back(&w[0]);
    argv.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0) throw std::runtime_error("cannot start the program");
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_TRUNC);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_TRUNC);
        if (out < 0 || err < 0 || ::chdir(folder.c_str()) != 0) ::_exit(126);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(err, STDERR_FILENO);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ProgramResult r;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    r.out = Slurp(outPath);
    r.err = Slurp(errPath);
    return r;
}

}  // namespace testing_support
