#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

// The modeless About window: the product picture and an OK button that hides
// it. There is one instance, frmAbout(), made on first use; closing it with the
// close box releases it, and the next frmAbout() makes a fresh one.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    // Releases the window, whether shown or hidden; does nothing if there is none.
    static void unload();

private:
    friend AboutWindow *frmAbout();
    AboutWindow();

    void cmdOK_Click();

    QLabel *m_picture = nullptr;
    QPushButton *cmdOK = nullptr;
};

// The one About window, created and loaded when first asked for.
AboutWindow *frmAbout();
