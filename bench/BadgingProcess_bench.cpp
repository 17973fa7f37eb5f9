// Our PTQList against the Android asset packaging tool's "aapt d badging", each run
// as a process with its output on a pipe, on the same packages, in one run. The
// counters of our benchmarks are aapt's time over ours for that package: wall time
// (start to exit, the benchmark's own time) and the child's CPU time (user + system),
// which a busy machine does not blur.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

// One run: start, read the whole output from the pipe, wait. Returns the bytes read
// and adds the child's CPU seconds.
size_t RunToPipe(const std::vector<std::string>& argv, double& childCpu) {
  int fds[2];
  if (pipe(fds) != 0) return 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0x1 /* O_WRONLY */, 0);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  size_t total = 0;
  char buffer[65536];
  for (ssize_t got; (got = read(fds[0], buffer, sizeof buffer)) > 0;) total += static_cast<size_t>(got);
  close(fds[0]);
  struct rusage usage = {};
  if (rc == 0 && wait4(pid, nullptr, 0, &usage) == pid) {
    childCpu += usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  }
  return total;
}

const std::map<std::string, std::string> kPackages = {
    {"framework-res", "/usr/share/android-framework-res/framework-res.apk"},
    {"references", VQ_SOURCE_DIR "/tests/data/badging/references.apk"},
    {"native", VQ_SOURCE_DIR "/tests/data/badging/native.apk"},
};

struct Times {
  double wall = 0, cpu = 0;
};

std::map<std::string, Times>& AaptTimes() {
  static std::map<std::string, Times> times;
  return times;
}

void Measure(benchmark::State& state, const std::string& tool, const std::string& package) {
  const std::vector<std::string> argv = {tool, "d", "badging", kPackages.at(package)};
  double cpu = 0;
  if (RunToPipe(argv, cpu) == 0) {
    state.SkipWithError(("no output from " + tool).c_str());
    return;
  }
  Times total;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(RunToPipe(argv, total.cpu));
    total.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double runs = static_cast<double>(state.iterations());
  const Times perRun{total.wall / runs, total.cpu / runs};
  state.counters["child_cpu_ms"] = perRun.cpu * 1e3;
  if (tool == "aapt") {
    AaptTimes()[package] = perRun;
  } else if (AaptTimes().count(package)) {
    state.counters["aapt_over_ours_wall"] = AaptTimes()[package].wall / perRun.wall;
    state.counters["aapt_over_ours_cpu"] = AaptTimes()[package].cpu / perRun.cpu;
  }
}

// aapt first for each package, so ours can report the ratio to it.
void RegisterAll() {
  for (const auto& [name, path] : kPackages) {
    benchmark::RegisterBenchmark(("Badging_aapt/" + name).c_str(),
                                 [name = name](benchmark::State& s) { Measure(s, "aapt", name); })
        ->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark(("Badging_PTQList/" + name).c_str(),
                                 [name = name](benchmark::State& s) { Measure(s, VQ_PTQLIST, name); })
        ->Unit(benchmark::kMillisecond)->UseRealTime();
  }
}

const int kRegistered = (RegisterAll(), 0);

}  // namespace
