// Stands in for the emulator: records the arguments it was started with in
// $ARGRECORDER_DIR/<pid>, each followed by a NUL byte, then stays alive for
// $ARGRECORDER_LINGER seconds so that a test can see it outlive the launcher.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char *argv[])
{
    const char *dir = std::getenv("ARGRECORDER_DIR");
    if (!dir)
        return 2;
    const std::string record = std::string(dir) + "/" + std::to_string(getpid());
    const std::string partial = record + ".partial";

    std::FILE *out = std::fopen(partial.c_str(), "wb");
    if (!out)
        return 3;
    for (int i = 1; i < argc; ++i) {
        std::fputs(argv[i], out);
        std::fputc('\0', out);
    }
    if (std::fclose(out) != 0)
        return 3;
    // Appear whole or not at all, so a reader never sees half a record.
    if (std::rename(partial.c_str(), record.c_str()) != 0)
        return 3;

    if (const char *linger = std::getenv("ARGRECORDER_LINGER"))
        sleep(static_cast<unsigned>(std::atoi(linger)));
    return 0;
}
