#pragma once

#include "form.h"

#include <windows.h>

#include <string>

// A selector's open-file dialog and the file name it holds: the system's own
// dialog, as the common dialog control shows it. The settings never change;
// the file name starts as the wildcard and becomes the full path of the
// chosen file, as the dialog returned it.
class CommonDialog
{
public:
    explicit CommonDialog(const Form::Selector &settings);

    const std::wstring &fileName() const { return m_fileName; }

    // Shows the modal open-file dialog, owned by owner. Returns true when a
    // file was chosen; a cancel returns false and leaves the file name as it was.
    bool showOpen(HWND owner);

private:
    const std::wstring m_title;
    const std::wstring m_defaultExt;
    // Description and pattern, each ending in a null, the list in another.
    const std::wstring m_filter;
    std::wstring m_fileName;
};
