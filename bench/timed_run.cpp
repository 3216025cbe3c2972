// Runs one command and prints how long it took and its peak memory:
//   orlith-timed PROGRAM [ARGS...]
// prints "SECONDS CPU_SECONDS PEAK_KB": the wall-clock time from the start to the end of the
// child process, the processor time it used (user and system), and its largest resident set in
// KiB. The child's standard output goes to /dev/null; its standard
// error stays. Exit status: the child's, or 127 when it could not be started.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

namespace {

double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: orlith-timed PROGRAM [ARGS...]\n");
    return 127;
  }
  const double start = Now();
  const pid_t child = fork();
  if (child < 0) {
    std::perror("fork");
    return 127;
  }
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    execvp(argv[1], argv + 1);
    std::perror(argv[1]);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) < 0) {
    std::perror("wait4");
    return 127;
  }
  const double seconds = Now() - start;
  const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  std::printf("%.6f %.6f %ld\n", seconds, cpu, usage.ru_maxrss);
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}
