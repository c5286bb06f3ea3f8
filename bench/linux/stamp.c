/*
 * A stand-in emulator for the run-latency benchmark: appends the moment it
 * started (CLOCK_MONOTONIC, in microseconds) as a line to the file named by its
 * one argument, then exits.
 */
#define _POSIX_C_SOURCE 200809L

#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    if (argc != 2)
        return 2;
    char line[32];
    const int length = snprintf(line, sizeof line, "%lld\n",
                                (long long)ts.tv_sec * 1000000 + ts.tv_nsec / 1000);
    const int fd = open(argv[1], O_WRONLY | O_APPEND | O_CREAT, 0600);
    if (fd < 0 || write(fd, line, (size_t)length) != length)
        return 1;
    return close(fd) == 0 ? 0 : 1;
}
