#pragma once

#include "launchhost.h"
#include "launchlogic.h"

#include <QMainWindow>

#include <memory>

class CommonDialog;
class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;

// The launcher window: its controls, menu and wiring. The behaviour lives in
// LaunchLogic, which reaches the controls through the LaunchHost interface.
class LauncherWindow : public QMainWindow, private LaunchHost
{
    Q_OBJECT

public:
    explicit LauncherWindow(QWidget *parent = nullptr);
    ~LauncherWindow() override;

    const LaunchLogic &logic() const { return m_logic; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void cmdExecute_Click();
    void cmdROM_Click();
    void cmdPreview_Click();
    void cmdRun_Click();
    void cmdQuit_Click();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();

    void createControls();
    void createMenus();
    CommonDialog &cmnExecute() const;
    CommonDialog &cmnROM() const;

    // LaunchHost
    Text selectorFileName(Selector selector) const override;
    void setPreviewText(const Text &text) override;
    int exitOnStartValue() const override;
    void showMessage(const Text &text) override;
    bool startProgram(const Text &program, const Text &argument, Text *reason) override;
    void endImmediately() override;

    LaunchLogic m_logic;
    // The window system's time of the last input that reached Run.
    unsigned long m_runInputTime = 0;
    // Made on first use; mutable so that reading a file name may make one.
    mutable std::unique_ptr<CommonDialog> m_cmnExecute;
    mutable std::unique_ptr<CommonDialog> m_cmnROM;

    QGroupBox *fraExecute = nullptr;
    QPushButton *cmdExecute = nullptr;
    QLineEdit *txtExecute = nullptr;
    QGroupBox *fraROM = nullptr;
    QPushButton *cmdROM = nullptr;
    QLineEdit *txtROM = nullptr;
    QGroupBox *fraCommand = nullptr;
    QPushButton *cmdPreview = nullptr;
    QLineEdit *txtCommand = nullptr;
    QPushButton *cmdRun = nullptr;
    QCheckBox *chkExit = nullptr;
    QPushButton *cmdQuit = nullptr;
    QMenu *mnuFile = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuHelpAbout = nullptr;
};
