// Stands in for the emulator: records the arguments it was started with in
// $ARGRECORDER_DIR/<pid>, each followed by a NUL byte, its environment in
// <pid>.env and the numbers of the descriptors it was started with in
// <pid>.fds the same way; then stays alive for $ARGRECORDER_LINGER seconds so
// that a test can see it outlive the launcher, or becomes $ARGRECORDER_EXEC,
// a stand-in that goes on from there.

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

// Writes the strings, each followed by a NUL, to path; appears whole or not
// at all, so that a reader never sees half a record.
bool record(const std::string &path, char *const *strings, int count)
{
    const std::string partial = path + ".partial";
    std::FILE *out = std::fopen(partial.c_str(), "wb");
    if (!out)
        return false;
    for (int i = 0; count < 0 ? strings[i] != nullptr : i < count; ++i) {
        std::fputs(strings[i], out);
        std::fputc('\0', out);
    }
    return std::fclose(out) == 0 && std::rename(partial.c_str(), path.c_str()) == 0;
}

// The descriptors open in this process, but the one that lists them.
std::vector<std::string> openDescriptors()
{
    std::vector<std::string> open;
    DIR *listing = opendir("/proc/self/fd");
    if (!listing)
        return open;
    const std::string own = std::to_string(dirfd(listing));
    while (const dirent *entry = readdir(listing))
        if (entry->d_name[0] != '.' && entry->d_name != own)
            open.emplace_back(entry->d_name);
    closedir(listing);
    return open;
}

} // namespace

int main(int argc, char *argv[])
{
    const char *dir = std::getenv("ARGRECORDER_DIR");
    if (!dir)
        return 2;
    const std::string path = std::string(dir) + "/" + std::to_string(getpid());
    // Descriptors and environment first: once the arguments are there, all are.
    std::vector<std::string> descriptors = openDescriptors();
    std::vector<char *> numbers;
    for (std::string &number : descriptors)
        numbers.push_back(number.data());
    if (!record(path + ".fds", numbers.data(), int(numbers.size()))
        || !record(path + ".env", environ, -1) || !record(path, argv + 1, argc - 1))
        return 3;

    if (const char *next = std::getenv("ARGRECORDER_EXEC")) {
        execv(next, argv);
        return 4;
    }
    if (const char *linger = std::getenv("ARGRECORDER_LINGER"))
        sleep(static_cast<unsigned>(std::atoi(linger)));
    return 0;
}
