// Stands in for the emulator: records the arguments it was started with in
// $ARGRECORDER_DIR/<pid>, each followed by a NUL byte, and its environment in
// <pid>.env the same way; then stays alive for $ARGRECORDER_LINGER seconds so
// that a test can see it outlive the launcher.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

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

} // namespace

int main(int argc, char *argv[])
{
    const char *dir = std::getenv("ARGRECORDER_DIR");
    if (!dir)
        return 2;
    const std::string path = std::string(dir) + "/" + std::to_string(getpid());
    // The environment first: once the arguments are there, both are.
    if (!record(path + ".env", environ, -1) || !record(path, argv + 1, argc - 1))
        return 3;

    if (const char *linger = std::getenv("ARGRECORDER_LINGER"))
        sleep(static_cast<unsigned>(std::atoi(linger)));
    return 0;
}
