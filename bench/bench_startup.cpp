// Start-up of the editor against a bare Qt window with the same kinds of
// controls (bare_window), alone and with the Yes/No message box that the
// editor's start-up shows over its window (bare_window --question). Each
// program is started RUNS times, interleaved, under the offscreen platform on
// the demo installation; the medians of its peak resident memory (the whole
// process, as wait4 reports it) and of the wall time until its event loop first
// settles are printed, with their ratios to both yardsticks. The programs report
// the settled loop and then quit by themselves under VANTOR_QUIT_WHEN_SETTLED.
// A plain program rather than Google Benchmark: what is measured are whole
// processes, compared with each other, not a loop in this one.
//
//   bench_startup [RUNS] [EDITOR...]
//
// RUNS defaults to 15; EDITOR to the vantor08 beside this program. Several
// editors (say, builds before and after a change, each with its aidata.xml
// beside it) are measured in the same rounds, so their ratios compare fairly.
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int TimeoutMs = 30000;

struct Sample {
    double mebibytes = 0;
    double milliseconds = 0;
};

struct Program {
    std::string path;
    std::string argument; // none when empty
    std::vector<Sample> samples;

    std::string name() const { return argument.empty() ? path : path + " " + argument; }
};

[[noreturn]] void fail(const std::string& what)
{
    std::fprintf(stderr, "bench_startup: %s\n", what.c_str());
    std::exit(1);
}

[[noreturn]] void runChild(const Program& p, int out)
{
    dup2(out, STDOUT_FILENO);
    const int devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, STDERR_FILENO);
    const char* argument = p.argument.empty() ? nullptr : p.argument.c_str();
    execl(p.path.c_str(), p.path.c_str(), argument, static_cast<char*>(nullptr));
    _exit(127);
}

// Reads the child's output until it has said "settled" (true) or closed it
// (false), within the time allowed.
bool awaitSettled(int in)
{
    std::string said;
    const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (said.find("settled\n") == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd fd{in, POLLIN, 0};
        if (left <= 0 || poll(&fd, 1, int(left)) <= 0)
            return false;
        char buffer[256];
        const ssize_t got = read(in, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        said.append(buffer, std::size_t(got));
    }
    return true;
}

Sample runOnce(const Program& p)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        fail("no pipe");
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0)
        fail("cannot fork");
    if (pid == 0) {
        close(pipeFds[0]);
        runChild(p, pipeFds[1]);
    }
    close(pipeFds[1]);
    const bool settled = awaitSettled(pipeFds[0]);
    const auto settledAt = Clock::now();
    if (!settled)
        kill(pid, SIGKILL);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        fail("lost the child " + p.name());
    if (!settled)
        fail(p.name() + " did not report a settled event loop within " + std::to_string(TimeoutMs / 1000) + " s");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(p.name() + " did not end normally after settling");
    return {double(usage.ru_maxrss) / 1024.0, std::chrono::duration<double, std::milli>(settledAt - start).count()};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double medianOf(const Program& p, double Sample::*field)
{
    std::vector<double> values;
    for (const Sample& s : p.samples)
        values.push_back(s.*field);
    return median(values);
}

// A temporary folder of the run's own for the editor's lock and working copy,
// and a runtime folder for Qt; the demo installation as the Wine prefix.
fs::path prepareEnvironment()
{
    char pattern[] = "/tmp/bench_startup.XXXXXX";
    if (!mkdtemp(pattern))
        fail("no temporary folder");
    const fs::path temp = pattern;
    fs::create_directory(temp / "runtime");
    fs::permissions(temp / "runtime", fs::perms::owner_all, fs::perm_options::replace);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("VANTOR_QUIT_WHEN_SETTLED", "1", 1);
    setenv("WINEPREFIX", VANTOR_DEMO_PREFIX, 1);
    setenv("TEMP", temp.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (temp / "runtime").c_str(), 1);
    return temp;
}

// Ratios to both yardsticks: the bare window, and the bare window that also
// asks start-up's question.
void printResults(const std::vector<Program>& programs, int runs)
{
    std::printf("%d runs each, interleaved; QT_QPA_PLATFORM=offscreen, WINEPREFIX=%s\n", runs, VANTOR_DEMO_PREFIX);
    std::printf("%-52s %9s %7s %7s %11s %7s %7s\n", "program (medians)", "peak MiB", "/bare", "/+box", "settled ms", "/bare",
                "/+box");
    const double memory[2] = {medianOf(programs[0], &Sample::mebibytes), medianOf(programs[1], &Sample::mebibytes)};
    const double time[2] = {medianOf(programs[0], &Sample::milliseconds), medianOf(programs[1], &Sample::milliseconds)};
    for (const Program& p : programs) {
        const double m = medianOf(p, &Sample::mebibytes);
        const double t = medianOf(p, &Sample::milliseconds);
        std::printf("%-52s %9.2f %6.3fx %6.3fx %11.1f %6.3fx %6.3fx\n", p.name().c_str(), m, m / memory[0], m / memory[1], t,
                    t / time[0], t / time[1]);
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 15;
    if (runs < 1)
        fail("RUNS must be a positive number");
    const fs::path here = fs::read_symlink("/proc/self/exe").parent_path();
    const std::string bare = (here / "bare_window").string();
    std::vector<Program> programs{{bare, {}, {}}, {bare, "--question", {}}};
    for (int i = 2; i < argc; ++i)
        programs.push_back({fs::absolute(argv[i]).string(), {}, {}});
    if (programs.size() == 2)
        programs.push_back({(here / "vantor08").string(), {}, {}});
    const fs::path temp = prepareEnvironment();
    // Each round starts with another program, so none always runs first.
    for (int round = 0; round < runs; ++round) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Program& p = programs[(i + std::size_t(round)) % programs.size()];
            p.samples.push_back(runOnce(p));
        }
    }
    fs::remove_all(temp);
    printResults(programs, runs);
    return 0;
}
