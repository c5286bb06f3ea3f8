#pragma once

#include <windows.h>

#include <string>

// A selector's open-file dialog and the file name it holds: the system's own
// dialog, as the common dialog control shows it. The settings never change;
// the file name starts as the wildcard and becomes the full path of the
// chosen file, as the dialog returned it.
class CommonDialog
{
public:
    struct Settings
    {
        const wchar_t *dialogTitle;
        const wchar_t *defaultExt; // "exe", without the dot
        const wchar_t *fileName; // the initial wildcard
        const wchar_t *filter; // the description of the files listed
        const wchar_t *pattern; // the files listed
    };

    explicit CommonDialog(const Settings &settings);

    const std::wstring &fileName() const { return m_fileName; }

    // Shows the modal open-file dialog, owned by owner. Returns true when a
    // file was chosen; a cancel returns false and leaves the file name as it was.
    bool showOpen(HWND owner);

private:
    const Settings m_settings;
    std::wstring m_fileName;
};
