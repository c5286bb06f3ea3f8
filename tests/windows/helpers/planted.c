/*
 * A DLL as a download might leave beside Corvane.exe, under the name of one
 * that the system's dialog or the imaging component loads by bare name.
 * Loaded, it writes its own path as a line to the file that PLANTED_RECORD
 * names; it takes nothing else from the process.
 */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    wchar_t record[MAX_PATH];
    wchar_t path[MAX_PATH];
    if (!GetEnvironmentVariableW(L"PLANTED_RECORD", record, MAX_PATH)
        || !GetModuleFileNameW(instance, path, MAX_PATH))
        return TRUE;
    const HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written;
        WriteFile(file, path, (DWORD)(lstrlenW(path) * sizeof *path), &written, NULL);
        WriteFile(file, L"\r\n", 2 * sizeof *path, &written, NULL);
        CloseHandle(file);
    }
    return TRUE;
}
