// Start-up benchmark: runs each program as a whole process, alternating between them round by
// round (after warm-up rounds that aren't counted), and reports the wall time from spawn to exit
// and the peak resident memory (from wait4's rusage), each as median [min-max], with the ratios
// of the first program's medians to every other's.
//
// usage: bench_startup ROUNDS WARMUP NAME=PROGRAM...
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace {

struct Program {
    std::string name, path;
    std::vector<double> ms, cpuMs, mb;
};

struct Run {
    double ms, cpuMs, mb;
};

double now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

Run runOnce(const Program &p)
{
    const double start = now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        std::exit(1);
    }
    if (pid == 0) {
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        execl(p.path.c_str(), p.path.c_str(), static_cast<char *>(nullptr));
        std::perror(p.path.c_str());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("wait4");
        std::exit(1);
    }
    const double ms = now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (status %d)\n", p.name.c_str(), status);
        std::exit(1);
    }
    const auto msOf = [](timeval t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return {ms, msOf(usage.ru_utime) + msOf(usage.ru_stime),
            double(usage.ru_maxrss) / 1024.0};   // ru_maxrss is in KiB
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string figure(const std::vector<double> &v, const char *format)
{
    char buf[128];
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    std::string f = std::string(format) + " [" + format + "–" + format + "]";
    std::snprintf(buf, sizeof buf, f.c_str(), median(v), *lo, *hi);
    return buf;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fputs("usage: bench_startup ROUNDS WARMUP NAME=PROGRAM...\n", stderr);
        return 1;
    }
    const int rounds = std::atoi(argv[1]), warmup = std::atoi(argv[2]);
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.find('=');
        programs.push_back({arg.substr(0, eq), arg.substr(eq + 1), {}, {}, {}});
    }

    for (int round = 0; round < warmup + rounds; ++round)
        for (Program &p : programs) {
            const Run r = runOnce(p);
            if (round >= warmup) {
                p.ms.push_back(r.ms);
                p.cpuMs.push_back(r.cpuMs);
                p.mb.push_back(r.mb);
            }
        }

    // a Markdown table: one row per measure, one column per program, then the ratios
    const Program &first = programs.front();
    std::printf("| %d rounds, median [min–max] |", rounds);
    for (const Program &p : programs)
        std::printf(" %s |", p.name.c_str());
    for (std::size_t i = 1; i < programs.size(); ++i)
        std::printf(" %s / %s |", first.name.c_str(), programs[i].name.c_str());
    std::printf("\n|---|");
    for (std::size_t i = 0; i < 2 * programs.size() - 1; ++i)
        std::printf("---|");
    std::printf("\n");

    const auto row = [&](const char *what, std::vector<double> Program::*values, const char *format) {
        std::printf("| %s |", what);
        for (const Program &p : programs)
            std::printf(" %s |", figure(p.*values, format).c_str());
        for (std::size_t i = 1; i < programs.size(); ++i)
            std::printf(" **%.2f** |", median(first.*values) / median(programs[i].*values));
        std::printf("\n");
    };
    row("start-up to the first paint on screen, ms", &Program::ms, "%.1f");
    row("processor time (user + system), ms", &Program::cpuMs, "%.1f");
    row("peak resident memory, MiB", &Program::mb, "%.1f");
    return 0;
}
