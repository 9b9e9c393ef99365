// The command line as a user runs it, one whole process per iteration: developing twelve
// quadruples (16,777,216 columns) into memory and straight to a column file, next to the floors
// they are measured against (a plain odometer into a fresh buffer, and writing the same
// 201,326,592 bytes with head -c). Counters: the children's CPU seconds per run.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

const char* const kQuadruples = "012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M 012M";

std::filesystem::path WorkFolder() {
    static const std::filesystem::path folder = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaline-bench-XXXXXX").string();
        const char* made = mkdtemp(tmpl.data());
        return std::filesystem::path(made != nullptr ? made : "/tmp");
    }();
    return folder;
}

double ChildrenCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs the program with its output thrown away; false when it could not run or failed.
bool RunProcess(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const std::string home = "HOME=" + WorkFolder().string();
    std::vector<char*> env{const_cast<char*>(home.c_str()), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void TimeRuns(benchmark::State& state, const std::vector<std::string>& args) {
    const double before = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (!RunProcess(args)) {
            state.SkipWithError("the command failed");
            return;
        }
    }
    state.counters["cpu_s"] =
        benchmark::Counter((ChildrenCpuSeconds() - before) / static_cast<double>(state.iterations()));
}

void BM_CliDevelopMemory(benchmark::State& state) {
    TimeRuns(state, {TESSALINE_CLI_PATH, "develop", "--forecast", kQuadruples});
}
BENCHMARK(BM_CliDevelopMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_CliDevelopToFile(benchmark::State& state) {
    const std::string out = (WorkFolder() / "developed.col").string();
    TimeRuns(state, {TESSALINE_CLI_PATH, "develop", "--forecast", kQuadruples, "-o", out});
    std::filesystem::remove(out);
}
BENCHMARK(BM_CliDevelopToFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The floor of developing into memory.
void BM_FloorEnumerate(benchmark::State& state) {
    TimeRuns(state, {ENUMERATE_FLOOR_PATH});
}
BENCHMARK(BM_FloorEnumerate)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The floor of writing the same bytes to a file.
void BM_HeadToFile(benchmark::State& state) {
    const std::string out = (WorkFolder() / "zeros.bin").string();
    TimeRuns(state, {"/bin/sh", "-c", "exec head -c 201326592 /dev/zero > " + out});
    std::filesystem::remove(out);
}
BENCHMARK(BM_HeadToFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
