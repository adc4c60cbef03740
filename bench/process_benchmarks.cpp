// The whole native self-test process against a process that only starts and exits; both are
// started with posix_spawn and waited for. Run: process_benchmarks BRADEN EMPTY_PROGRAM
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

extern char** environ;

namespace {

std::string braden_path;
std::string empty_path;

bool run(const char* const* argv) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_EmptyProcess(benchmark::State& state) {
    const char* argv[] = {empty_path.c_str(), nullptr};
    for (auto _ : state)
        if (!run(argv)) state.SkipWithError("the empty program failed");
}

void BM_SelftestProcess(benchmark::State& state) {
    char report[] = "/tmp/braden-bench-XXXXXX";
    const int fd = mkstemp(report);
    if (fd >= 0) close(fd);
    const char* argv[] = {braden_path.c_str(), "--selftest", report, nullptr};
    for (auto _ : state)
        if (!run(argv)) state.SkipWithError("braden --selftest failed");
    std::remove(report);
}

} // namespace

BENCHMARK(BM_EmptyProcess)->UseRealTime()->Repetitions(25)->ReportAggregatesOnly(true);
BENCHMARK(BM_SelftestProcess)->UseRealTime()->Repetitions(25)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc < 3) {
        std::fputs("usage: process_benchmarks BRADEN EMPTY_PROGRAM [benchmark flags]\n", stderr);
        return 2;
    }
    braden_path = argv[1];
    empty_path = argv[2];
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
