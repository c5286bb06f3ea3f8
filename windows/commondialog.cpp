#include "commondialog.h"

#include "systemcalls.h"
#include "text.h"

#include <cderr.h>

#include <vector>

namespace {

// What a common dialog's error code means to a user; the system has no words
// of its own for these.
std::wstring dialogError(DWORD code)
{
    switch (code) {
    case CDERR_DIALOGFAILURE:
        return L"The system could not create the dialog.";
    case CDERR_INITIALIZATION:
    case CDERR_MEMALLOCFAILURE:
    case CDERR_MEMLOCKFAILURE:
        return L"There was not enough memory for the dialog.";
    case FNERR_INVALIDFILENAME:
        return L"The file name it was given is not valid.";
    default:
        std::wstring hex;
        for (int shift = 12; shift >= 0; shift -= 4)
            hex += L"0123456789ABCDEF"[(code >> shift) & 0xF];
        return L"The system's dialog failed (error 0x" + hex + L").";
    }
}

} // namespace

CommonDialog::CommonDialog(const Form::Selector &settings)
    : m_title(widen(settings.title))
    , m_defaultExt(widen(settings.defaultExt))
    , m_filter(widen(settings.filter) + L'\0' + widen(settings.pattern) + L'\0')
    , m_fileName(widen(settings.fileName))
{ }

CommonDialog::Outcome CommonDialog::showOpen(HWND owner, std::wstring *reason)
{
    if (!SystemCalls::getOpenFileName) {
        *reason = systemWords(SystemCalls::getOpenFileName.lookUpError());
        return Outcome::Failed;
    }

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
    if (SystemCalls::getOpenFileName(&dialog)) {
        m_fileName = name.data();
        return Outcome::Chosen;
    }
    const DWORD error = SystemCalls::commDlgExtendedError();
    if (error == 0)
        return Outcome::Cancelled;
    *reason = dialogError(error);
    return Outcome::Failed;
}
