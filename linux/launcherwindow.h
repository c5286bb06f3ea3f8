#pragma once

#include "activationtoken.h"
#include "form.h"
#include "launchhost.h"
#include "launchlogic.h"

#include <QMainWindow>

#include <memory>

class CommonDialog;

// The launcher window, built from the form's description, its controls and
// menu items wired to the launch logic's event procedures. The logic reaches
// the window and the platform through the LaunchHost interface.
class LauncherWindow : public QMainWindow, private LaunchHost
{
    Q_OBJECT

public:
    // What Quit, File > Exit and Exit On Start call: the program's immediate
    // end, or a test's stand-in.
    using EndProgram = void (*)();

    // Creates and loads the window, hidden.
    explicit LauncherWindow(EndProgram endProgram, QWidget *parent = nullptr);
    ~LauncherWindow() override;

    const LaunchLogic &logic() const { return m_logic; }

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void placeControls();
    template<typename Widget>
    Widget *control(Form::Id id) const
    {
        return findChild<Widget *>(QLatin1String(Form::control(id).name));
    }
    CommonDialog &dialog(Selector selector) const;

    // LaunchHost
    bool showOpenDialog(Selector selector) override;
    Text selectorFileName(Selector selector) const override;
    void setSelectorText(Selector selector, const Text &text) override;
    void setPreviewText(const Text &text) override;
    int exitOnStartValue() const override;
    void showMessage(const Text &text) override;
    bool startProgram(const Text &program, const Text &argument, Text *reason) override;
    void showAbout() override;
    void unloadAbout() override;
    void endImmediately() override;

    const EndProgram m_endProgram;
    LaunchLogic m_logic;
    // The input that pressed Run, until a start takes it.
    Input m_runInput;
    // Made on first use; mutable so that reading a file name may make one.
    mutable std::unique_ptr<CommonDialog> cmnExecute;
    mutable std::unique_ptr<CommonDialog> cmnROM;
};
