#include "tests/support/process.h"

#include <filesystem>
#include <stdexcept>

#include "tests/support/temp_dir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// Quotes one argument so that the C runtime's command-line parser gives it back unchanged.
std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

HANDLE OpenInheritable(const std::string& path, bool write) {
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    return CreateFileA(path.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& in,
          const std::string& out, const std::string& err) {
    std::string commandLine = QuoteArgument(program);
    for (const auto& arg : args) commandLine += " " + QuoteArgument(arg);
    HANDLE handles[3] = {OpenInheritable(in, false), OpenInheritable(out, true), OpenInheritable(err, true)};
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = handles[0];
    si.hStdOutput = handles[1];
    si.hStdError = handles[2];
    PROCESS_INFORMATION pi{};
    // Wine now and then fails to start a program under load; a real failure fails every try.
    BOOL started = FALSE;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(200);
        started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
        if (!started) error = GetLastError();
    }
    for (HANDLE h : handles) CloseHandle(h);
    if (!started) throw std::runtime_error("cannot start " + program + " (error " + std::to_string(error) + ")");
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}
#else
int Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& in,
          const std::string& out, const std::string& err) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("cannot start " + program);
    if (child == 0) {
        const int fds[3] = {open(in.c_str(), O_RDONLY), open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600),
                            open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)};
        for (int i = 0; i < 3; ++i) dup2(fds[i], i);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
#endif

fs::path ExecutableDirectory() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return fs::path(path).parent_path();
#else
    return fs::read_symlink("/proc/self/exe").parent_path();
#endif
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& standardInput) {
    const TempDir io;
    const std::string in = io.Write("stdin", standardInput);
    ProcessResult result;
    result.exitCode = Spawn(program, args, in, io.File("stdout"), io.File("stderr"));
    result.out = io.Read("stdout");
    result.err = io.Read("stderr");
    return result;
}

std::string VarrowPath() {
#ifdef _WIN32
    return (ExecutableDirectory() / "varrow.exe").string();
#else
    return (ExecutableDirectory() / "varrow").string();
#endif
}

ProcessResult RunVarrow(const std::vector<std::string>& args, const std::string& standardInput) {
    return RunProcess(VarrowPath(), args, standardInput);
}
