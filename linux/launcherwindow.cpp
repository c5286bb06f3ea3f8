#include "launcherwindow.h"

#include "aboutwindow.h"
#include "captionroom.h"
#include "commondialog.h"
#include "enterpress.h"
#include "framestyle.h"
#include "identity.h"
#include "programicon.h"
#include "programstart.h"
#include "qttext.h"
#include "twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QWidget *makeControl(const Form::Control &spec, QWidget *parent)
{
    const QString caption = QLatin1String(spec.caption);
    switch (spec.kind) {
    case Form::Frame:
        return new QGroupBox(caption, parent);
    case Form::Button: {
        auto *button = new QPushButton(caption, parent);
        // Enter presses the focused button, as Space does; there is no default button.
        pressOnEnter(button);
        return button;
    }
    case Form::Field: {
        auto *field = new QLineEdit(caption, parent);
        field->setEnabled(false);
        // Disabled fields have no label a screen reader could use; their frame names them.
        field->setAccessibleName(QLatin1String(Form::control(spec.frame).caption));
        return field;
    }
    case Form::CheckBox:
        return new QCheckBox(caption, parent);
    }
    return nullptr;
}

} // namespace

LauncherWindow::LauncherWindow(EndProgram endProgram, QWidget *parent)
    : QMainWindow(parent)
    , m_endProgram(endProgram)
    , m_logic(*this)
{
    setObjectName(QLatin1String(Form::launcher.name));
    setWindowTitle(QLatin1String(Form::launcher.caption));
    setWindowIcon(programIcon());

    createControls();
    createMenus();
    m_logic.Form_Load();
}

LauncherWindow::~LauncherWindow() = default;

void LauncherWindow::createControls()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);
    // The window keeps the size of its menu bar and client area, and offers no
    // maximise button that could not work.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    // Captions sit in the frame lines, clear of the buttons below them.
    auto *frameStyle = new FrameStyle(QStyleFactory::create(style()->name()));
    frameStyle->setParent(this);

    std::vector<const Form::Control *> tabStops;
    for (const Form::Control &spec : Form::launcherControls) {
        QWidget *widget = makeControl(spec, spec.frame ? control<QWidget>(spec.frame) : client);
        widget->setObjectName(QLatin1String(spec.name));
        if (spec.kind == Form::Frame)
            widget->setStyle(frameStyle);
        if (spec.kind == Form::Button || spec.kind == Form::CheckBox)
            tabStops.push_back(&spec);
        if (const Form::Procedure click = Form::procedureOf(spec.id))
            connect(static_cast<QAbstractButton *>(widget), &QAbstractButton::clicked, this,
                    [this, click] { (m_logic.*click)(); });
    }

    // Buttons that read alike ("Select") are told apart by their frames.
    for (const Form::Control &spec : Form::launcherControls) {
        const auto alike = std::count_if(std::begin(Form::launcherControls),
                                         std::end(Form::launcherControls),
                                         [&spec](const Form::Control &other) {
                                             return qstrcmp(other.caption, spec.caption) == 0;
                                         });
        if (spec.kind == Form::Button && spec.frame && alike > 1)
            control<QWidget>(spec.id)->setAccessibleDescription(
                    QLatin1String(Form::control(spec.frame).caption));
    }

    placeControls();

    // Tab visits the buttons and the check box by their tab index.
    std::sort(tabStops.begin(), tabStops.end(), [](const Form::Control *a, const Form::Control *b) {
        return a->tabIndex < b->tabIndex;
    });
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        setTabOrder(control<QWidget>(tabStops[i - 1]->id), control<QWidget>(tabStops[i]->id));
    control<QWidget>(tabStops.front()->id)->setFocus();

    // The time of the click or key that runs the emulator lets its window
    // take the focus.
    control<QWidget>(Form::cmdRun)->installEventFilter(this);
}

// Each control where the form puts it, with the room its caption needs in
// the font and style it has.
void LauncherWindow::placeControls()
{
    const QSize client = ::placeControls(centralWidget(), Form::launcherControls,
                                         std::size(Form::launcherControls), Form::launcher);
    centralWidget()->setFixedSize(client);
}

void LauncherWindow::changeEvent(QEvent *event)
{
    // A new font or style asks for new room; the form's places are the start.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        placeControls();
    QMainWindow::changeEvent(event);
}

void LauncherWindow::createMenus()
{
    QMenu *menu = nullptr;
    for (const Form::MenuItem &item : Form::menuItems) {
        const QString caption = QLatin1String(item.caption);
        if (!item.menu) {
            menu = menuBar()->addMenu(caption);
            menu->setObjectName(QLatin1String(item.name));
            // An opened menu is a window of its own; a screen reader names it by this.
            menu->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
            continue;
        }
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(item.name));
        connect(action, &QAction::triggered, this,
                [this, click = Form::procedureOf(item.id)] { (m_logic.*click)(); });
    }
}

CommonDialog &LauncherWindow::dialog(Selector selector) const
{
    std::unique_ptr<CommonDialog> &made = selector == Selector::Executable ? cmnExecute : cmnROM;
    if (!made)
        made = std::make_unique<CommonDialog>(Form::selector(selector), window());
    return *made;
}

bool LauncherWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
        m_runInput = inputOf(static_cast<QInputEvent *>(event));
        break;
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
        // A click's time is its release's; the press's serial stands.
        m_runInput.time = static_cast<QInputEvent *>(event)->timestamp();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void LauncherWindow::closeEvent(QCloseEvent *event)
{
    m_logic.Form_Unload();
    QMainWindow::closeEvent(event);
}

bool LauncherWindow::showOpenDialog(Selector selector)
{
    return dialog(selector).showOpen();
}

Text LauncherWindow::selectorFileName(Selector selector) const
{
    return toText(dialog(selector).fileName());
}

void LauncherWindow::setSelectorText(Selector selector, const Text &text)
{
    control<QLineEdit>(Form::selector(selector).field)->setText(toQString(text));
}

void LauncherWindow::setPreviewText(const Text &text)
{
    control<QLineEdit>(Form::txtCommand)->setText(toQString(text));
}

int LauncherWindow::exitOnStartValue() const
{
    switch (control<QCheckBox>(Form::chkExit)->checkState()) {
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
    // Paths are shown as typed, "<b>" and "&lt;" included, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool LauncherWindow::startProgram(const Text &program, const Text &argument, Text *reason)
{
    // Each input starts one program: pressed again without one, by a screen
    // reader, say, Run asks for no focus.
    const Input input = std::exchange(m_runInput, Input());
    return startDetachedProgram(program, argument, activationFor(this, input), reason);
}

void LauncherWindow::showAbout()
{
    AboutWindow *about = frmAbout();
    about->show();
    about->raise();
    about->activateWindow();
}

void LauncherWindow::unloadAbout()
{
    AboutWindow::unload();
}

void LauncherWindow::endImmediately()
{
    m_endProgram();
}
