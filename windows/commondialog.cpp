#include "commondialog.h"

#include "systemcalls.h"
#include "text.h"

#include <vector>

CommonDialog::CommonDialog(const Form::Selector &settings)
    : m_title(widen(settings.title))
    , m_defaultExt(widen(settings.defaultExt))
    , m_filter(widen(settings.filter) + L'\0' + widen(settings.pattern) + L'\0')
    , m_fileName(widen(settings.fileName))
{ }

bool CommonDialog::showOpen(HWND owner)
{
    // Room for the longest path the system allows; the name shown at first is
    // the current file name: the wildcard, or the last file chosen.
    std::vector<wchar_t> name(32768, L'\0');
    m_fileName.copy(name.data(), name.size() - 1);

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = m_filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.lpstrTitle = m_title.c_str();
    dialog.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
    // A file that exists; the working folder and the recent-documents list are
    // left as they were.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST
            | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    // The dialog hands the activation back to its owner when it closes.
    if (!SystemCalls::getOpenFileName || !SystemCalls::getOpenFileName(&dialog))
        return false;
    m_fileName = name.data();
    return true;
}
