#include "commondialog.h"

#include <QGuiApplication>
#include <QWidget>

#include <qt_windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

// Windows shows the system's own open-file dialog, as the common dialog control
// does. Qt's dialog would read and write its history under HKCU\Software\QtProject.

CommonDialog::~CommonDialog() = default;

bool CommonDialog::showOpen()
{
    // Description and pattern, each ending in a null, the list ending in another.
    std::wstring filter = m_settings.filter.toStdWString();
    filter += L'\0';
    filter += m_settings.pattern.toStdWString();
    filter += L'\0';
    const std::wstring title = m_settings.dialogTitle.toStdWString();
    QString suffix = m_settings.defaultExt;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    const std::wstring defaultExt = suffix.toStdWString();

    // Room for the longest path the system allows; the name shown at first is
    // the current file name: the wildcard, or the last file chosen.
    std::vector<wchar_t> name(32768, L'\0');
    m_fileName.left(int(name.size()) - 1).toWCharArray(name.data());

    // Only the native platform has a window the dialog can belong to.
    QWidget *window = m_parent->window();
    const bool native = QGuiApplication::platformName() == QLatin1String("windows");

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = native ? reinterpret_cast<HWND>(window->winId()) : nullptr;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = DWORD(name.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    // A file that exists; the working folder and the recent-documents list are
    // left as they were.
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST
            | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_DONTADDTORECENT;
    // The dialog hands the activation back to its owner when it closes.
    if (!GetOpenFileNameW(&dialog))
        return false;
    m_fileName = QString::fromWCharArray(name.data());
    return true;
}
