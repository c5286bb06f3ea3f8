#pragma once

#include "form.h"

#include <windows.h>

#include <commdlg.h>

#include <string>
#include <vector>

// A selector's open-file dialog and the file name it holds: the system's own
// dialog, as the common dialog control shows it. The settings never change;
// the file name starts as the wildcard and becomes the full path of the
// chosen file, as the dialog returned it.
class CommonDialog
{
public:
    explicit CommonDialog(const Form::Selector &settings);

    enum class Outcome { Chosen, Cancelled, Failed };

    const std::wstring &title() const { return m_title; }
    const std::wstring &fileName() const { return m_fileName; }

    // Shows the modal open-file dialog, owned by owner. A file chosen becomes
    // the file name; a cancel leaves it as it was, and so does a dialog that
    // could not be shown, whose reason then says why in the user's words.
    Outcome showOpen(HWND owner, std::wstring *reason);

    // What the system's dialog is handed: the settings, the owner, and the
    // current file name in room for the longest path the system allows.
    class Request
    {
    public:
        Request(const CommonDialog &settings, HWND owner);
        Request(const Request &) = delete;
        Request &operator=(const Request &) = delete;

        OPENFILENAMEW &dialog() { return m_dialog; }
        std::wstring fileName() const { return m_name.data(); }

    private:
        std::vector<wchar_t> m_name;
        OPENFILENAMEW m_dialog = {};
    };

private:
    const std::wstring m_title;
    const std::wstring m_defaultExt;
    // Description and pattern, each ending in a null, the list in another.
    const std::wstring m_filter;
    std::wstring m_fileName;
};
