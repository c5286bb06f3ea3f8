#include "windriver.h"

#include "dialogkeys.h"

#include <commctrl.h>
#include <dlgs.h>
#include <oleacc.h>

#include <algorithm>
#include <cstdlib>

namespace WinDriver {

namespace {

    constexpr int messageTextId = 0xffff; // the text of a message box

    void handleMessages()
    {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT || handleDialogKeys(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    // The visible dialogs of this thread: message boxes and the open-file dialog.
    std::vector<HWND> shownDialogs()
    {
        std::vector<HWND> found;
        EnumThreadWindows(
                GetCurrentThreadId(),
                [](HWND window, LPARAM list) -> BOOL {
                    wchar_t className[16] = {};
                    GetClassNameW(window, className, 16);
                    if (IsWindowVisible(window) && wcscmp(className, L"#32770") == 0)
                        reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&found));
        return found;
    }

    // The name field is a combo box with an edit field in the Explorer-style
    // dialog, a plain edit field in older ones.
    HWND nameField(HWND dialog)
    {
        const HWND name = GetDlgItem(dialog, cmb13);
        return name ? name : GetDlgItem(dialog, edt1);
    }

    bool isFileDialog(HWND dialog)
    {
        return nameField(dialog) != nullptr;
    }

    HWND fileList(HWND dialog)
    {
        const HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
        return view ? FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    }

    void pressButton(HWND dialog, int button)
    {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    }

    // Types text into the name field and presses Open, as Enter would.
    void enter(HWND dialog, const std::wstring &text)
    {
        SetWindowTextW(nameField(dialog), text.c_str());
        pressButton(dialog, IDOK);
    }

    std::vector<std::wstring> listedNames(HWND dialog)
    {
        const HWND list = fileList(dialog);
        std::vector<std::wstring> names;
        const int count = list ? int(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
        for (int row = 0; row < count; ++row) {
            wchar_t text[MAX_PATH] = {};
            LVITEMW item = {};
            item.pszText = text;
            item.cchTextMax = MAX_PATH;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            names.emplace_back(text);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::wstring folderOf(const std::wstring &path)
    {
        return path.substr(0, path.find_last_of(L'\\'));
    }

    std::wstring nameOf(const std::wstring &path)
    {
        return path.substr(path.find_last_of(L'\\') + 1);
    }

    MessageBoxAnswerer *answerer = nullptr;

    // The drive in progress: what to do with the dialog once it shows.
    struct Drive
    {
        std::function<void(HWND)> onShown;
        UINT_PTR timer = 0;
        int triesLeft = 500;
    };
    Drive *drive = nullptr;

    void CALLBACK pollForDialog(HWND, UINT, UINT_PTR, DWORD)
    {
        if (!drive)
            return;
        for (HWND dialog : shownDialogs()) {
            if (isFileDialog(dialog)) {
                KillTimer(nullptr, drive->timer);
                drive->onShown(dialog);
                return;
            }
        }
        // None came: close whatever blocks the click instead.
        if (--drive->triesLeft == 0) {
            KillTimer(nullptr, drive->timer);
            for (HWND dialog : shownDialogs())
                pressButton(dialog, IDCANCEL);
        }
    }

} // namespace

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + ULONGLONG(timeoutMs);
    for (;;) {
        handleMessages();
        if (condition())
            return true;
        if (GetTickCount64() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void settle(int ms)
{
    waitFor([] { return false; }, ms);
}

void press(std::initializer_list<Key> keys)
{
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD key, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (const Key &key : keys) {
        if (key.held)
            add(key.held, 0);
        add(key.key, 0);
        add(key.key, KEYEVENTF_KEYUP);
        if (key.held)
            add(key.held, KEYEVENTF_KEYUP);
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    // The keys reach the queue through the system; wait until they have
    // come and been handled.
    int quiet = 0;
    waitFor([&quiet] { return GetQueueStatus(QS_INPUT) == 0 && ++quiet > 10; }, 2000);
}

bool onWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

UINT expectedDpi()
{
    const char *given = std::getenv("CORVANE_EXPECTED_DPI");
    return given ? UINT(std::atoi(given)) : 96;
}

std::wstring textOf(HWND window)
{
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

MessageBoxAnswerer::MessageBoxAnswerer()
{
    answerer = this;
    m_timer = SetTimer(nullptr, 0, 20, tick);
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    KillTimer(nullptr, m_timer);
    answerer = nullptr;
}

void CALLBACK MessageBoxAnswerer::tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (!answerer)
        return;
    for (HWND box : shownDialogs()) {
        const HWND text = GetDlgItem(box, messageTextId);
        if (!text || isFileDialog(box))
            continue;
        answerer->m_seen.push_back({textOf(box), textOf(text)});
        pressButton(box, IDOK);
    }
}

std::wstring ShownDialog::filter() const
{
    const HWND types = GetDlgItem(dialog, cmb1);
    const LRESULT current = SendMessageW(types, CB_GETCURSEL, 0, 0);
    wchar_t text[256] = {};
    if (current != CB_ERR && SendMessageW(types, CB_GETLBTEXTLEN, current, 0) < 256)
        SendMessageW(types, CB_GETLBTEXT, current, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring ShownDialog::nameShown() const
{
    return textOf(nameField(dialog));
}

bool ShownDialog::enterKeepsItOpen() const
{
    enter(dialog, nameShown());
    return IsWindowVisible(dialog);
}

std::vector<std::wstring> ShownDialog::listingOf(const std::wstring &folder,
                                                 const std::vector<std::wstring> &expected) const
{
    enter(dialog, folder + L'\\');
    std::vector<std::wstring> names;
    waitFor([&] { return (names = listedNames(dialog)) == expected; });
    return names;
}

bool clickAndDrive(HWND button, Action action, const std::wstring &path,
                   const std::function<void(const ShownDialog &)> &inspect)
{
    bool appeared = false;
    bool acted = false;
    Drive current;
    current.onShown = [&](HWND dialog) {
        appeared = true;
        const ShownDialog shown {dialog};
        if (inspect)
            inspect(shown);
        switch (action) {
        case Action::TypeName:
            // Go to the file's folder, then type its name, as a user would.
            enter(dialog, folderOf(path) + L'\\');
            enter(dialog, nameOf(path));
            acted = !IsWindowVisible(dialog);
            break;
        case Action::SelectFile: {
            enter(dialog, folderOf(path) + L'\\');
            const HWND list = fileList(dialog);
            const std::wstring name = nameOf(path);
            int row = -1;
            acted = list && waitFor([&] {
                        LVFINDINFOW find = {};
                        find.flags = LVFI_STRING;
                        find.psz = name.c_str();
                        row = int(SendMessageW(list, LVM_FINDITEMW, WPARAM(-1),
                                               reinterpret_cast<LPARAM>(&find)));
                        return row >= 0;
                    });
            if (acted) {
                LVITEMW item = {};
                item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
                item.state = LVIS_SELECTED | LVIS_FOCUSED;
                SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
                pressButton(dialog, IDOK);
                acted = !IsWindowVisible(dialog);
            }
            break;
        }
        case Action::Cancel:
            acted = true;
            break;
        }
        // Never leave a test blocked in a dialog that refused the action.
        if (IsWindowVisible(dialog))
            pressButton(dialog, IDCANCEL);
    };

    const MessageBoxAnswerer boxes;
    drive = &current;
    current.timer = SetTimer(nullptr, 0, 10, pollForDialog);
    // The dialog is modal: the click returns once it has closed.
    SendMessageW(button, BM_CLICK, 0, 0);
    KillTimer(nullptr, current.timer);
    drive = nullptr;
    return appeared && acted && boxes.seen().empty();
}

namespace {
    void removeAll(const std::wstring &folder)
    {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring path = folder + L'\\' + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeAll(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
} // namespace

TemporaryFolder::TemporaryFolder()
{
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    for (unsigned attempt = GetTickCount(); m_path.empty(); ++attempt) {
        const std::wstring candidate
                = std::wstring(base) + L"corvane-test-" + std::to_wstring(attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr))
            m_path = candidate;
    }
}

TemporaryFolder::~TemporaryFolder()
{
    removeAll(m_path);
}

bool TemporaryFolder::make(const std::wstring &name, const std::string &contents) const
{
    const HANDLE made = CreateFileW(file(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (made == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool whole = WriteFile(made, contents.data(), DWORD(contents.size()), &written, nullptr)
            && written == contents.size();
    return CloseHandle(made) && whole;
}

std::string contentsOf(const std::wstring &path)
{
    // Shared every way: a file just renamed may still be open in its writer.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string contents(size_t(GetFileSize(file, nullptr)), '\0');
    DWORD read = 0;
    ReadFile(file, contents.data(), DWORD(contents.size()), &read, nullptr);
    CloseHandle(file);
    contents.resize(read);
    return contents;
}

namespace {
    // A test that faults ends at once, failed, instead of waiting for a
    // debugger that nobody will attach.
    const bool endOnFault = [] {
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        SetUnhandledExceptionFilter([](EXCEPTION_POINTERS *) -> LONG {
            static const char said[] = "fault: the test ends here\n";
            DWORD written = 0;
            WriteFile(GetStdHandle(STD_ERROR_HANDLE), said, sizeof said - 1, &written, nullptr);
            ExitProcess(3);
        });
        return true;
    }();

    int faultCount = 0;

    LONG CALLBACK countFault(EXCEPTION_POINTERS *exception)
    {
        if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
            ++faultCount;
        return EXCEPTION_CONTINUE_SEARCH;
    }
} // namespace

int faults()
{
    static const PVOID handler = AddVectoredExceptionHandler(1, countFault);
    (void)handler;
    return faultCount;
}

namespace {
    RefuseCreation *refusing = nullptr;

    std::wstring classNamed(HWND window)
    {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        return name;
    }
} // namespace

RefuseCreation::RefuseCreation(Refuse refuse)
    : m_refuse(std::move(refuse))
    , m_hook(SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId()))
{
    refusing = this;
}

RefuseCreation::~RefuseCreation()
{
    UnhookWindowsHookEx(m_hook);
    refusing = nullptr;
}

LRESULT CALLBACK RefuseCreation::hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && refusing
        && refusing->m_refuse(*reinterpret_cast<CBT_CREATEWNDW *>(lParam)->lpcs)) {
        ++refusing->m_refused;
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::wstring classOf(const CREATESTRUCTW &window)
{
    // The system's dialog class comes as its atom, which is its name's number.
    if (IS_INTRESOURCE(window.lpszClass))
        return L"#" + std::to_wstring(reinterpret_cast<UINT_PTR>(window.lpszClass));
    return window.lpszClass;
}

std::wstring parentClassOf(const CREATESTRUCTW &window)
{
    return window.hwndParent ? classNamed(window.hwndParent) : std::wstring();
}

Accessible accessibleOf(HWND window)
{
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    Accessible seen;
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, DWORD(OBJID_CLIENT), IID_IAccessible,
                                          reinterpret_cast<void **>(&object))))
        return seen;
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object->get_accName(self, &name) == S_OK && name)
        seen.name = name;
    SysFreeString(name);
    VARIANT role = {};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        seen.role = role.lVal;
    object->Release();
    return seen;
}

MessageFontSize::MessageFontSize(int points)
{
    m_saved.cbSize = sizeof m_saved;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m_saved, &m_saved, 0);
    NONCLIENTMETRICSW larger = m_saved;
    const HDC screen = GetDC(nullptr);
    larger.lfMessageFont.lfHeight = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof larger, &larger, 0);
}

MessageFontSize::~MessageFontSize()
{
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof m_saved, &m_saved, 0);
}

std::string captionsFault(HWND window)
{
    struct Part
    {
        HWND control;
        RECT place;
        std::string name;
    };
    std::vector<Part> frames, others;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&place), 2);
        const std::string name = "control " + std::to_string(GetDlgCtrlID(child));
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        const bool button = _wcsicmp(className, WC_BUTTONW) == 0;
        if (button && type == BS_GROUPBOX) {
            frames.push_back({child, place, name});
            continue;
        }
        if (button) {
            SIZE ideal = {};
            SendMessageW(child, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
            if (place.right - place.left < ideal.cx || place.bottom - place.top < ideal.cy)
                return name + ": " + std::to_string(place.right - place.left) + "x"
                        + std::to_string(place.bottom - place.top) + ", where its caption needs "
                        + std::to_string(ideal.cx) + "x" + std::to_string(ideal.cy);
        }
        RECT client;
        GetClientRect(window, &client);
        RECT inside;
        if (!IntersectRect(&inside, &place, &client) || !EqualRect(&inside, &place))
            return name + " reaches outside the window";
        others.push_back({child, place, name});
    }
    for (const Part &frame : frames) {
        const HDC dc = GetDC(frame.control);
        const HGDIOBJ old = SelectObject(
                dc, reinterpret_cast<HGDIOBJ>(SendMessageW(frame.control, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(frame.control, dc);
        const LONG captionBottom = frame.place.top + metrics.tmHeight;
        for (const Part &part : others) {
            RECT overlap;
            if (IntersectRect(&overlap, &part.place, &frame.place)
                && part.place.top < captionBottom)
                return frame.name + ": its caption reaches " + std::to_string(captionBottom)
                        + ", " + part.name + " starts at " + std::to_string(part.place.top);
        }
    }
    for (std::size_t i = 0; i < others.size(); ++i)
        for (std::size_t j = i + 1; j < others.size(); ++j) {
            RECT overlap;
            if (IntersectRect(&overlap, &others[i].place, &others[j].place))
                return others[i].name + " overlaps " + others[j].name;
        }
    return {};
}

} // namespace WinDriver

