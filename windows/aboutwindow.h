#pragma once

#include "handles.h"
#include "windowclass.h"

#include <windows.h>

// The modeless About window: the product picture and an OK button that hides
// it. There is one instance, frmAbout(), made on first use; the close box
// destroys its window, and the next frmAbout() makes a fresh one.
class AboutWindow
{
public:
    ~AboutWindow();
    AboutWindow(const AboutWindow &) = delete;
    AboutWindow &operator=(const AboutWindow &) = delete;

    // Shows the window, where it was or where new windows go, and activates it.
    void show();

    // Destroys the window, whether shown or hidden, and releases it; does
    // nothing if there is none.
    static void unload();

private:
    friend AboutWindow *frmAbout(HWND owner);
    explicit AboutWindow(HWND owner);

    template<typename Object>
    friend LRESULT CALLBACK routeMessages(HWND, UINT, WPARAM, LPARAM);
    void attach(HWND window) { m_window = window; }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void windowGone();
    void layOut(UINT dpi);
    SIZE windowSize(UINT dpi) const;

    void cmdOK_Click();

    HWND m_window = nullptr;
    HWND m_picture = nullptr;
    HWND cmdOK = nullptr;
    FontHandle m_font;
    BitmapHandle m_pictureBitmap;
};

// The one About window, created and loaded when first asked for, owned by the
// launcher window owner; null where it cannot be made.
AboutWindow *frmAbout(HWND owner);
