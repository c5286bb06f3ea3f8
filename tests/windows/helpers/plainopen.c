/*
 * The baseline for what a Windows program leaves behind: it only shows the
 * system's open-file dialog twice, with the launcher's titles and filters and
 * no options beyond the usual ones, then ends.
 */
#include <windows.h>

#include <commdlg.h>

static void showOpen(const wchar_t *title, const wchar_t *filter, const wchar_t *name,
                     const wchar_t *extension)
{
    wchar_t file[MAX_PATH];
    lstrcpynW(file, name, MAX_PATH);
    OPENFILENAMEW dialog;
    ZeroMemory(&dialog, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    GetOpenFileNameW(&dialog);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    showOpen(L"Select Ruxa Executable", L"VirtualBoy Executable\0*.exe\0", L"*.exe", L"exe");
    showOpen(L"Select Ruxa Rom Image", L"VirtualBoy ROM Images\0*.vb\0", L"*.vb", L"vb");
    return 0;
}
