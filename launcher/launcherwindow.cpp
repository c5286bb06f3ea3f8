#include "launcherwindow.h"

#include "aboutwindow.h"
#include "commondialog.h"
#include "enterpress.h"
#include "framestyle.h"
#include "identity.h"
#include "lifetime.h"
#include "programicon.h"
#include "programstart.h"
#include "qttext.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Geometry is laid out in twips, fifteen to a pixel at 96 dots per inch.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

template<typename Widget>
Widget *place(Widget *widget, const char *name, const QRect &geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLineEdit *selectionField(QGroupBox *frame, const char *name, const QString &text)
{
    auto *field = place(new QLineEdit(text, frame), name, twips(1560, 240, 4335, 375));
    field->setEnabled(false);
    // Disabled fields have no label a screen reader could use; their frame names them.
    field->setAccessibleName(frame->title());
    return field;
}

const QString noneSelected = QStringLiteral("<none selected>");

CommonDialog::Settings executableDialogSettings()
{
    CommonDialog::Settings settings;
    settings.objectName = QStringLiteral("cmnExecute");
    settings.dialogTitle = QStringLiteral("Select Ruxa Executable");
    settings.fileName = QStringLiteral("*.exe");
    settings.filter = QStringLiteral("VirtualBoy Executable");
    // Emulators here carry no extension: list every file, and never turn a
    // typed "ruxa" into "ruxa.exe".
    settings.pattern = QStringLiteral("*");
    return settings;
}

CommonDialog::Settings romDialogSettings()
{
    CommonDialog::Settings settings;
    settings.objectName = QStringLiteral("cmnROM");
    settings.dialogTitle = QStringLiteral("Select Ruxa Rom Image");
    settings.defaultExt = QStringLiteral(".vb");
    settings.fileName = QStringLiteral("*.vb");
    settings.filter = QStringLiteral("VirtualBoy ROM Images");
    settings.pattern = QStringLiteral("*.vb");
    return settings;
}

} // namespace

LauncherWindow::LauncherWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_logic(*this)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QLatin1String(Identity::launcherCaption));
    setWindowIcon(programIcon());

    createControls();
    createMenus();
    Form_Load();
}

LauncherWindow::~LauncherWindow() = default;

void LauncherWindow::createControls()
{
    auto *client = new QWidget(this);
    client->setFixedSize(425, 227);
    setCentralWidget(client);
    // The window keeps the size of its menu bar and client area, and offers no
    // maximise button that could not work.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    // Captions sit in the frame lines, clear of the buttons below them.
    auto *frameStyle = new FrameStyle;
    frameStyle->setParent(this);

    fraExecute = place(new QGroupBox(QStringLiteral("Ruxa Executable"), client), "fraExecute",
                       twips(120, 0, 6015, 735));
    cmdExecute = place(new QPushButton(QStringLiteral("Select"), fraExecute), "cmdExecute",
                       twips(120, 240, 1335, 375));
    txtExecute = selectionField(fraExecute, "txtExecute", noneSelected);

    fraROM = place(new QGroupBox(QStringLiteral("Virtual Gameboy ROM"), client), "fraROM",
                   twips(120, 840, 6015, 735));
    cmdROM = place(new QPushButton(QStringLiteral("Select"), fraROM), "cmdROM",
                   twips(120, 240, 1335, 375));
    txtROM = selectionField(fraROM, "txtROM", noneSelected);

    fraCommand = place(new QGroupBox(QStringLiteral("Command Line Preview"), client), "fraCommand",
                       twips(120, 1680, 6015, 735));
    cmdPreview = place(new QPushButton(QStringLiteral("Preview"), fraCommand), "cmdPreview",
                       twips(120, 240, 1335, 375));
    txtCommand = selectionField(fraCommand, "txtCommand", QString());

    for (QGroupBox *frame : {fraExecute, fraROM, fraCommand})
        frame->setStyle(frameStyle);

    // Two buttons read "Select"; their frames tell a screen reader which is which.
    cmdExecute->setAccessibleDescription(fraExecute->title());
    cmdROM->setAccessibleDescription(fraROM->title());

    cmdRun = place(new QPushButton(QStringLiteral("Run Ruxa"), client), "cmdRun",
                   twips(120, 2520, 6135, 375));
    chkExit = place(new QCheckBox(QStringLiteral("Exit On Start"), client), "chkExit",
                    twips(600, 3000, 1215, 255));
    cmdQuit = place(new QPushButton(QStringLiteral("&Quit"), client), "cmdQuit",
                    twips(2400, 3000, 1575, 375));
    // The caption must not be cut off where the system font is wider than the
    // layout assumed; it may take the room up to the Quit button, never more.
    const int room = cmdQuit->x() - chkExit->x();
    chkExit->resize(qBound(chkExit->width(), chkExit->sizeHint().width(), room), chkExit->height());

    // Text fields are disabled, so Tab visits only the buttons and the check box.
    setTabOrder(cmdRun, cmdExecute);
    setTabOrder(cmdExecute, cmdROM);
    setTabOrder(cmdROM, cmdQuit);
    setTabOrder(cmdQuit, cmdPreview);
    setTabOrder(cmdPreview, chkExit);
    cmdRun->setFocus();

    // Enter presses the focused button, as Space does; there is no default button.
    for (QPushButton *button : {cmdExecute, cmdROM, cmdPreview, cmdRun, cmdQuit})
        pressOnEnter(button);
    // The time of the click or key that runs the emulator lets its window
    // take the focus.
    cmdRun->installEventFilter(this);

    connect(cmdExecute, &QPushButton::clicked, this, &LauncherWindow::cmdExecute_Click);
    connect(cmdROM, &QPushButton::clicked, this, &LauncherWindow::cmdROM_Click);
    connect(cmdPreview, &QPushButton::clicked, this, &LauncherWindow::cmdPreview_Click);
    connect(cmdRun, &QPushButton::clicked, this, &LauncherWindow::cmdRun_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &LauncherWindow::cmdQuit_Click);
}

void LauncherWindow::createMenus()
{
    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("About"));
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));

    // An opened menu is a window of its own; a screen reader names it by this.
    mnuFile->setAccessibleName(QStringLiteral("File"));
    mnuHelp->setAccessibleName(QStringLiteral("Help"));

    connect(mnuFileExit, &QAction::triggered, this, &LauncherWindow::mnuFileExit_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &LauncherWindow::mnuHelpAbout_Click);
}

CommonDialog &LauncherWindow::cmnExecute() const
{
    if (!m_cmnExecute)
        m_cmnExecute = std::make_unique<CommonDialog>(executableDialogSettings(), fraExecute);
    return *m_cmnExecute;
}

CommonDialog &LauncherWindow::cmnROM() const
{
    if (!m_cmnROM)
        m_cmnROM = std::make_unique<CommonDialog>(romDialogSettings(), fraROM);
    return *m_cmnROM;
}

bool LauncherWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        m_runInputTime = static_cast<QInputEvent *>(event)->timestamp();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void LauncherWindow::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void LauncherWindow::Form_Load()
{
    m_logic.Form_Load();
}

void LauncherWindow::Form_Unload()
{
    AboutWindow::unload();
}

void LauncherWindow::cmdExecute_Click()
{
    if (!cmnExecute().showOpen())
        return;
    txtExecute->setText(cmnExecute().fileName());
    m_logic.markExecutableSelected();
}

void LauncherWindow::cmdROM_Click()
{
    if (!cmnROM().showOpen())
        return;
    txtROM->setText(cmnROM().fileName());
    m_logic.markRomSelected();
}

void LauncherWindow::cmdPreview_Click()
{
    m_logic.cmdPreview_Click();
}

void LauncherWindow::cmdRun_Click()
{
    m_logic.cmdRun_Click();
}

void LauncherWindow::cmdQuit_Click()
{
    endImmediately();
}

void LauncherWindow::mnuFileExit_Click()
{
    endImmediately();
}

void LauncherWindow::mnuHelpAbout_Click()
{
    AboutWindow *about = frmAbout();
    about->show();
    about->raise();
    about->activateWindow();
}

Text LauncherWindow::selectorFileName(Selector selector) const
{
    return toText(selector == Selector::Executable ? cmnExecute().fileName() : cmnROM().fileName());
}

void LauncherWindow::setPreviewText(const Text &text)
{
    txtCommand->setText(toQString(text));
}

int LauncherWindow::exitOnStartValue() const
{
    switch (chkExit->checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

void LauncherWindow::showMessage(const Text &text)
{
    QMessageBox box(QMessageBox::NoIcon, QLatin1String(Identity::name), toQString(text),
                    QMessageBox::Ok, this);
    box.exec();
}

bool LauncherWindow::startProgram(const Text &program, const Text &argument, Text *reason)
{
    return startDetachedProgram(program, argument, activationFor(this, m_runInputTime), reason);
}

void LauncherWindow::endImmediately()
{
    endProgramNow();
}
