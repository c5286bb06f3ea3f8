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

CommonDialog::Request::Request(const CommonDialog &settings, HWND owner)
    : m_name(32768, L'\0')
{
    settings.m_fileName.copy(m_name.data(), m_name.size() - 1);
    m_dialog.lStructSize = sizeof m_dialog;
    m_dialog.hwndOwner = owner;
    m_dialog.lpstrFilter = settings.m_filter.c_str();
    m_dialog.nFilterIndex = 1;
    m_dialog.lpstrFile = m_name.data();
    m_dialog.nMaxFile = DWORD(m_name.size());
    m_dialog.lpstrTitle = settings.m_title.c_str();
    m_dialog.lpstrDefExt = settings.m_defaultExt.empty() ? nullptr : settings.m_defaultExt.c_str();
    // A file that exists; the working folder and the recent-documents list are
    // left as they were.
    m_dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST
            | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
}

CommonDialog::Outcome CommonDialog::showOpen(HWND owner, std::wstring *reason)
{
    if (!SystemCalls::getOpenFileName) {
        *reason = systemWords(SystemCalls::getOpenFileName.lookUpError());
        return Outcome::Failed;
    }
    Request request(*this, owner);
    // The dialog hands the activation back to its owner when it closes.
    if (SystemCalls::getOpenFileName(&request.dialog())) {
        m_fileName = request.fileName();
        return Outcome::Chosen;
    }
    const DWORD error = SystemCalls::commDlgExtendedError();
    if (error == 0)
        return Outcome::Cancelled;
    *reason = dialogError(error);
    return Outcome::Failed;
}
