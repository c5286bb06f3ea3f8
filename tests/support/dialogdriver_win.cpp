#include "dialogdriver.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <qt_windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <iterator>
#include <memory>

// The system's open-file dialog runs its own message loop inside the click.
// Qt's timers still fire there, so the dialog is driven from one, through the
// messages its own controls would send.
namespace DialogDriver {

namespace {

    HWND handle(void *dialog) { return static_cast<HWND>(dialog); }

    // The visible system dialog of this process, if one shows.
    HWND shownDialog()
    {
        HWND found = nullptr;
        EnumWindows(
                [](HWND window, LPARAM result) -> BOOL {
                    DWORD process = 0;
                    GetWindowThreadProcessId(window, &process);
                    wchar_t className[16] = {};
                    GetClassNameW(window, className, 16);
                    if (process != GetCurrentProcessId() || !IsWindowVisible(window)
                        || wcscmp(className, L"#32770") != 0)
                        return TRUE;
                    *reinterpret_cast<HWND *>(result) = window;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&found));
        return found;
    }

    QString textOf(HWND window)
    {
        wchar_t text[1024] = {};
        GetWindowTextW(window, text, 1024);
        return QString::fromWCharArray(text);
    }

    // The name field is a combo box with an edit field on Windows, a plain
    // edit field in older dialogs.
    HWND nameField(HWND dialog)
    {
        HWND name = GetDlgItem(dialog, cmb13);
        return name ? name : GetDlgItem(dialog, edt1);
    }

    HWND fileList(HWND dialog)
    {
        HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
        return view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    }

    void press(HWND dialog, int button)
    {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    }

    // Types text into the name field and presses Open, as Enter would. Where
    // the dialog answers with a message ("File does not exist"), it is
    // answered with OK, so that the dialog stays open instead of the test
    // waiting on the message forever.
    void enter(HWND dialog, const QString &text)
    {
        SetWindowTextW(nameField(dialog), reinterpret_cast<const wchar_t *>(text.utf16()));
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [dialog] {
            HWND shown = GetLastActivePopup(dialog);
            if (shown && shown != dialog && IsWindowVisible(shown))
                press(shown, IDOK);
        });
        answer.start(50);
        press(dialog, IDOK);
    }

    QStringList listedNames(HWND dialog)
    {
        HWND list = fileList(dialog);
        QStringList names;
        const int count = list ? int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
        for (int row = 0; row < count; ++row) {
            wchar_t text[MAX_PATH] = {};
            LVITEMW item = {};
            item.iSubItem = 0;
            item.pszText = text;
            item.cchTextMax = MAX_PATH;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            names << QString::fromWCharArray(text);
        }
        names.sort();
        return names;
    }

    // Polls for the system dialog from a timer, which fires inside the
    // dialog's own message loop too, then hands it over.
    template<typename Handler>
    void whenShown(Handler handler, int triesLeft = 500)
    {
        QTimer::singleShot(10, qApp, [handler, triesLeft] {
            if (HWND dialog = shownDialog())
                handler(dialog);
            else if (triesLeft > 0)
                whenShown(handler, triesLeft - 1);
            else
                qWarning("DialogDriver: no system dialog appeared");
        });
    }

    // Shows folder in the dialog, as typing its path and Enter would.
    void showFolder(HWND dialog, const QString &folder)
    {
        enter(dialog, QDir::toNativeSeparators(folder) + QLatin1Char('\\'));
    }

} // namespace

bool systemDialogAddsDefaultExtension()
{
    // Wine's dialog reports a typed name without its extension as missing.
    return !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
}

QString ShownDialog::title() const
{
    return textOf(handle(m_dialog));
}

QString ShownDialog::filter() const
{
    HWND types = GetDlgItem(handle(m_dialog), cmb1);
    const LRESULT current = SendMessageW(types, CB_GETCURSEL, 0, 0);
    wchar_t text[256] = {};
    if (current != CB_ERR
        && SendMessageW(types, CB_GETLBTEXTLEN, current, 0) < LRESULT(std::size(text)))
        SendMessageW(types, CB_GETLBTEXT, current, reinterpret_cast<LPARAM>(text));
    return QString::fromWCharArray(text);
}

QString ShownDialog::nameShown() const
{
    return textOf(nameField(handle(m_dialog)));
}

bool ShownDialog::enterKeepsItOpen()
{
    enter(handle(m_dialog), nameShown());
    return IsWindowVisible(handle(m_dialog));
}

QStringList ShownDialog::listingOf(const QString &folder, const QStringList &expected)
{
    showFolder(handle(m_dialog), folder);
    QStringList names;
    const bool complete = QTest::qWaitFor([&] {
        names = listedNames(handle(m_dialog));
        return names == expected;
    });
    Q_UNUSED(complete); // the caller compares the names
    return names;
}

bool clickAndDrive(QAbstractButton *button, Action action, const QString &path,
                   std::function<void(ShownDialog &)> inspect)
{
    struct State
    {
        bool clicked = false; // the click has returned: too late to drive
        bool appeared = false;
        bool acted = false;
    };
    const auto state = std::make_shared<State>();
    auto drive = [state, action, path, inspect](HWND dialog) {
        state->appeared = true;
        if (inspect) {
            ShownDialog shown(dialog);
            inspect(shown);
        }
        const QFileInfo file(path);
        switch (action) {
        case Action::TypeName:
            // Go to the file's folder, then type its name, as a user would.
            showFolder(dialog, file.absolutePath());
            enter(dialog, file.fileName());
            state->acted = !IsWindowVisible(dialog);
            break;
        case Action::SelectFile: {
            // Select the file in the list, once it is listed, and press Open.
            showFolder(dialog, file.absolutePath());
            HWND list = fileList(dialog);
            int row = -1;
            state->acted = list && QTest::qWaitFor([&] {
                LVFINDINFOW find = {};
                find.flags = LVFI_STRING;
                const std::wstring name = file.fileName().toStdWString();
                find.psz = name.c_str();
                row = int(SendMessageW(list, LVM_FINDITEMW, WPARAM(-1),
                                       reinterpret_cast<LPARAM>(&find)));
                return row >= 0;
            });
            if (state->acted) {
                LVITEMW item = {};
                item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                item.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
                press(dialog, IDOK);
                state->acted = !IsWindowVisible(dialog);
            }
            break;
        }
        case Action::Cancel:
            state->acted = true;
            break;
        }
        // Never leave a test blocked in a dialog that refused the action.
        if (IsWindowVisible(dialog))
            press(dialog, IDCANCEL);
    };

    whenShown([state, drive](HWND dialog) {
        if (!state->clicked)
            drive(dialog);
    });
    // The dialog is modal: the click returns once it has closed.
    button->click();
    state->clicked = true;
    return state->appeared && state->acted;
}

} // namespace DialogDriver
