#include "commondialog_win.h"

#include "onfirstuse_win.h"

#include <commdlg.h>

#include <vector>

CommonDialog::CommonDialog(const Settings &settings)
    : m_settings(settings)
    , m_fileName(settings.fileName)
{ }

bool CommonDialog::showOpen(HWND owner)
{
    // Description and pattern, each ending in a null, the list ending in another.
    std::wstring filter = m_settings.filter;
    filter += L'\0';
    filter += m_settings.pattern;
    filter += L'\0';

    // Room for the longest path the system allows; the name shown at first is
    // the current file name: the wildcard, or the last file chosen.
    std::vector<wchar_t> name(32768, L'\0');
    m_fileName.copy(name.data(), name.size() - 1);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.lpstrTitle = m_settings.dialogTitle;
    dialog.lpstrDefExt = m_settings.defaultExt;
    // A file that exists; the working folder and the recent-documents list are
    // left as they were.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST
            | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    // The dialog hands the activation back to its owner when it closes.
    if (!OnFirstUse::getOpenFileName(&dialog))
        return false;
    m_fileName = name.data();
    return true;
}
