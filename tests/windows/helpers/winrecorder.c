/*
 * Stands in for the emulator on Windows: writes to %WINRECORDER_FILE% (UTF-8)
 * the arguments Windows parsed from its command line, one per line after a
 * count; then how it was asked to show its window (STARTUPINFO's dwFlags and
 * wShowWindow); then whether the handle numbered %WINRECORDER_HANDLE% is open
 * in it, that is, whether its starter's handles were inherited; then the
 * value of %WINRECORDER_GIVEN%, as its starter's environment gave it. The
 * file appears whole, by renaming, once written.
 */
#include <windows.h>

#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

static void writeUtf8(FILE *out, const wchar_t *text)
{
    char buffer[4096];
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, NULL, NULL);
    if (length > 0)
        fputs(buffer, out);
}

int main(void)
{
    wchar_t target[MAX_PATH], partial[MAX_PATH + 8], handle[32] = L"0", given[256] = L"";
    if (!GetEnvironmentVariableW(L"WINRECORDER_FILE", target, MAX_PATH))
        return 2;
    swprintf(partial, MAX_PATH + 8, L"%ls.part", target);
    GetEnvironmentVariableW(L"WINRECORDER_HANDLE", handle, 32);
    GetEnvironmentVariableW(L"WINRECORDER_GIVEN", given, 256);

    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    STARTUPINFOW startup;
    GetStartupInfoW(&startup);
    DWORD flags = 0;
    const int inherited
            = GetHandleInformation((HANDLE)(UINT_PTR)wcstoull(handle, NULL, 10), &flags);

    FILE *out = _wfopen(partial, L"wb");
    if (!out || !argv)
        return 3;
    fprintf(out, "%d\n", argc - 1);
    for (int i = 1; i < argc; ++i) {
        writeUtf8(out, argv[i]);
        fputc('\n', out);
    }
    fprintf(out, "flags=%lu show=%u\n", (unsigned long)startup.dwFlags,
            (unsigned)startup.wShowWindow);
    fprintf(out, "inherited=%d\n", inherited ? 1 : 0);
    fputs("given=", out);
    writeUtf8(out, given);
    fputc('\n', out);
    if (fclose(out) != 0)
        return 3;
    return MoveFileW(partial, target) ? 0 : 3;
}
