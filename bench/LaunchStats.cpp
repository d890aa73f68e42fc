// Launches commands many times, in turn, and reports for each the medians of
// its whole-process CPU time (user + system), peak resident memory and wall
// time, and their ratios to the first command. Output goes to /dev/null.
//
//   launch_stats [-n RUNS] -- LABEL COMMAND ARGS... [-- LABEL COMMAND ARGS...]...
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Command {
    std::string label;
    std::vector<char*> argv;
    std::vector<double> cpuMs, rssMiB, wallMs, userMs, faults;
    int failures = 0;
};

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void RunOnce(Command& command) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execvp(command.argv[0], command.argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto wall = std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || (WEXITSTATUS(status) != 0 && WEXITSTATUS(status) != 1)) {
        ++command.failures;
        if (WIFSIGNALED(status))
            std::fprintf(stderr, "%s: ended by signal %d\n", command.label.c_str(), WTERMSIG(status));
        else
            std::fprintf(stderr, "%s: exit code %d\n", command.label.c_str(), WEXITSTATUS(status));
    }
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    command.cpuMs.push_back(ms(usage.ru_utime) + ms(usage.ru_stime));
    command.userMs.push_back(ms(usage.ru_utime));
    command.faults.push_back(static_cast<double>(usage.ru_minflt + usage.ru_majflt));
    command.rssMiB.push_back(static_cast<double>(usage.ru_maxrss) / 1024.0);
    command.wallMs.push_back(std::chrono::duration<double, std::milli>(wall).count());
}

} // namespace

int main(int argc, char** argv) {
    int runs = 30;
    std::vector<Command> commands;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-n") == 0 && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--") == 0) {
            commands.emplace_back();
        } else if (!commands.empty()) {
            Command& c = commands.back();
            if (c.label.empty())
                c.label = argv[i];
            else
                c.argv.push_back(argv[i]);
        }
    }
    commands.erase(
        std::remove_if(commands.begin(), commands.end(), [](const Command& c) { return c.argv.empty(); }),
        commands.end());
    if (commands.empty() || runs < 1) {
        std::fprintf(
            stderr, "usage: launch_stats [-n RUNS] -- LABEL COMMAND ARGS... [-- LABEL COMMAND ARGS...]...\n");
        return 2;
    }
    for (Command& c : commands)
        c.argv.push_back(nullptr);
    // One run of each first, not counted: the files and libraries are then in the cache for all.
    for (Command& c : commands) {
        RunOnce(c);
        c.cpuMs.clear();
        c.rssMiB.clear();
        c.wallMs.clear();
        c.userMs.clear();
        c.faults.clear();
        c.failures = 0;
    }
    for (int r = 0; r < runs; ++r)
        for (Command& c : commands)
            RunOnce(c);

    std::printf("%-28s %10s %10s %10s %9s %9s %9s %9s %6s\n", "command (medians)", "cpu ms", "rss MiB",
                "wall ms", "cpu x", "rss x", "user ms", "faults", "fails");
    const double cpu0 = Median(commands.front().cpuMs);
    const double rss0 = Median(commands.front().rssMiB);
    for (const Command& c : commands) {
        const double cpu = Median(c.cpuMs);
        const double rss = Median(c.rssMiB);
        std::printf("%-28s %10.1f %10.1f %10.1f %9.3f %9.3f %9.1f %9.0f %6d\n", c.label.c_str(), cpu, rss,
                    Median(c.wallMs), cpu0 > 0 ? cpu / cpu0 : 0.0, rss0 > 0 ? rss / rss0 : 0.0,
                    Median(c.userMs), Median(c.faults), c.failures);
    }
    return 0;
}
