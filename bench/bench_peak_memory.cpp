// bench_peak_memory PROGRAM [ARGUMENTS...]: runs the program and prints its peak resident
// memory in kilobytes. A small process of its own on purpose: the kernel charges a program
// with the peak of the address space its exec replaced, so one started straight from a
// benchmark holding two windows would report the benchmark's memory instead of its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: bench_peak_memory PROGRAM [ARGUMENTS...]\n", stderr);
        return 2;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return 1;
    }
    std::printf("%ld\n", usage.ru_maxrss);
    return 0;
}
