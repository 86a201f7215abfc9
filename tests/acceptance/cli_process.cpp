#include "tests/acceptance/cli_process.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "tests/support/scratch_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace acceptance {

namespace fs = std::filesystem;

namespace {

std::string ReadWholeFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#ifdef _WIN32

// Under Wine the build hands over a Unix path; drive Z: maps the Unix root.
std::string WindowsExecutablePath() {
    std::string path = KV_CLI_EXECUTABLE;
    if (!path.empty() && path[0] == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
        return arg;
    }
    return "\"" + arg + "\"";
}

// The arguments are UTF-8; the child gets them as Windows gives every program its command line.
std::wstring Wide(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

HANDLE OpenInheritable(const fs::path& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES security{sizeof(security), nullptr, TRUE};
    return CreateFileW(path.wstring().c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &security, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

int RunChild(const fs::path& workDir, const std::vector<std::string>& args, const fs::path& out,
             const fs::path& err, const Environment& environment, const ChildLimits& limits) {
    if (!environment.empty() || limits.addressSpace != 0 || limits.asNobody) {
        throw std::logic_error("the child's environment is set on POSIX only");
    }
    std::string commandLine = QuoteArgument(WindowsExecutablePath());
    for (const std::string& arg : args) {
        commandLine += " " + QuoteArgument(arg);
    }
    HANDLE input = OpenInheritable("NUL", GENERIC_READ, OPEN_EXISTING);
    HANDLE output = OpenInheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
    HANDLE error = OpenInheritable(err, GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    PROCESS_INFORMATION process{};
    std::wstring wideCommandLine = Wide(commandLine);
    const BOOL started = CreateProcessW(nullptr, wideCommandLine.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, workDir.wstring().c_str(), &startup, &process);
    const DWORD startError = started ? 0 : GetLastError();  // before CloseHandle resets it
    CloseHandle(input);
    CloseHandle(output);
    CloseHandle(error);
    if (!started) {
        throw std::runtime_error("cannot start " + commandLine + " (error " +
                                 std::to_string(startError) + ")");
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}

#else

void SetEnvironment(const Environment& environment) {
    for (const auto& [name, value] : environment) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }
}

bool ApplyLimits(const ChildLimits& limits) {
    if (limits.addressSpace != 0) {
        const rlimit limit{limits.addressSpace, limits.addressSpace};
        if (setrlimit(RLIMIT_AS, &limit) != 0) {
            return false;
        }
    }
    constexpr uid_t kNobody = 65534;
    return !limits.asNobody || geteuid() != 0 ||
           (setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0);
}

// A copy of kvimeter-cli where nobody may run it: the build may live in a folder that only its
// owner can enter (a home, a private clone). Made once, removed when the tests end.
class NobodysCopy {
public:
    NobodysCopy() : folder_(fs::temp_directory_path() / ("kv-cli-" + std::to_string(getpid()))) {
        fs::create_directories(folder_);
        fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read |
                                     fs::perms::others_exec);
        fs::copy_file(KV_CLI_EXECUTABLE, Program(), fs::copy_options::overwrite_existing);
    }
    ~NobodysCopy() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    fs::path Program() const { return folder_ / "kvimeter-cli"; }

private:
    fs::path folder_;
};

std::string ProgramFor(const ChildLimits& limits) {
    if (!limits.asNobody) {
        return KV_CLI_EXECUTABLE;
    }
    static const NobodysCopy copy;
    return copy.Program().string();
}

[[noreturn]] void ExecChild(const fs::path& workDir, const std::vector<std::string>& args,
                            const fs::path& out, const fs::path& err,
                            const Environment& environment, const ChildLimits& limits,
                            std::string program) {
    const int input = open("/dev/null", O_RDONLY);
    const int output = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int error = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // Boundary dates are checked against UTC; the rule itself follows the local time zone.
    setenv("TZ", "UTC", 1);
    SetEnvironment(environment);
    if (input < 0 || output < 0 || error < 0 || chdir(workDir.c_str()) != 0 || dup2(input, 0) < 0 ||
        dup2(output, 1) < 0 || dup2(error, 2) < 0 || !ApplyLimits(limits)) {
        _exit(127);
    }
    std::vector<char*> argv;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& arg : copies) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

int RunChild(const fs::path& workDir, const std::vector<std::string>& args, const fs::path& out,
             const fs::path& err, const Environment& environment, const ChildLimits& limits) {
    const std::string program = ProgramFor(limits);
    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("cannot fork");
    }
    if (child == 0) {
        ExecChild(workDir, args, out, err, environment, limits, program);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    if (!WIFEXITED(status)) {
        return 1000 + WTERMSIG(status);  // killed by a signal: never a valid exit status
    }
    return WEXITSTATUS(status);
}

#endif

}  // namespace

fs::path Utf8Path(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

ScratchFolder::ScratchFolder() {
    static std::atomic<int> serial{0};
    path_ = TestScratchPath("kv-acceptance-" + std::to_string(serial++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
#ifdef _WIN32
    // Literally: a report named CON.avi_2015-03.txt is a file, not the console.
    fs::remove_all(L"\\\\?\\" + fs::absolute(path_).wstring(), ignored);
#else
    fs::remove_all(path_, ignored);
#endif
}

void ScratchFolder::WriteFile(const std::string& relative, const std::string& bytes) const {
    const fs::path file = path_ / Utf8Path(relative);
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

void ScratchFolder::WriteLog(const std::string& fileName, const std::string& bytes) const {
    WriteFile("log/" + fileName, bytes);
}

CliResult RunCli(const fs::path& workDir, const std::vector<std::string>& args,
                 const Environment& environment, const ChildLimits& limits) {
    // The captured streams live beside the working folder so they never show up in its listing.
    static std::atomic<int> serial{0};
    const std::string stem = workDir.filename().string() + ".run" + std::to_string(serial++) + ".";
    const fs::path out = workDir.parent_path() / (stem + "out");
    const fs::path err = workDir.parent_path() / (stem + "err");
    CliResult result;
    result.status = RunChild(workDir, args, out, err, environment, limits);
    result.out = ReadWholeFile(out);
    result.err = ReadWholeFile(err);
    fs::remove(out);
    fs::remove(err);
    return result;
}

const std::string& UsageText() {
    static const std::string usage = [] {
        ScratchFolder folder;
        return RunCli(folder.Path(), {"--help"}).out;
    }();
    return usage;
}

std::string Play(const std::string& date, const std::string& time, const std::string& name,
                 const std::string& length) {
    return date + "\t" + time + "\tX\t" + name + "\t" + length + "\r\n";
}

std::string Row(const std::string& name, const std::string& length, const std::string& count,
                const std::string& totalTime) {
    return name + "\t" + length + "\t" + count + "\t" + totalTime + "\n";
}

bool LocalTimeIsUtc() {
#ifdef _WIN32
    TIME_ZONE_INFORMATION zone{};
    const DWORD kind = GetTimeZoneInformation(&zone);
    return zone.Bias == 0 &&
           (kind == TIME_ZONE_ID_UNKNOWN || (zone.StandardBias == 0 && zone.DaylightBias == 0));
#else
    return true;  // the child runs with TZ=UTC
#endif
}

CliResult CliTest::ListMarch(std::vector<std::string> options) const {
    options.insert(options.begin(), {"list", "2015-03"});
    return Run(options);
}

void ExpectPrinted(const CliResult& result, const std::string& expected) {
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, expected);
    EXPECT_EQ(result.err, "");
}

void ExpectFailedLoad(const CliResult& result) {
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    ASSERT_FALSE(result.err.empty());
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

// stderr is a text stream on Windows (LF written as CR LF); the words are what count there.
std::string WithLineFeeds(std::string text) {
#ifdef _WIN32
    for (std::string::size_type at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at)) {
        text.erase(at, 1);
    }
#endif
    return text;
}

void ExpectUsageError(const CliResult& result) {
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    const std::string& usage = UsageText();
    const std::string err = WithLineFeeds(result.err);
    ASSERT_FALSE(usage.empty());
    ASSERT_GE(err.size(), usage.size()) << err;
    EXPECT_EQ(err.substr(err.size() - usage.size()), usage);
}

}  // namespace acceptance
