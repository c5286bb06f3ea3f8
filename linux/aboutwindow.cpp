#include "aboutwindow.h"

#include "captionroom.h"
#include "enterpress.h"
#include "form.h"
#include "identity.h"
#include "twips.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<AboutWindow> instance;

// A plain widget reads to a screen reader as a filler. This one is a dialog,
// as other programs' About windows are: opening, it is announced with its
// description.
QAccessibleInterface *accessibleAboutWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String("AboutWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Dialog);
    return nullptr;
}

} // namespace

AboutWindow *frmAbout()
{
    if (!instance) {
        static const bool factoryInstalled = [] {
            QAccessible::installFactory(accessibleAboutWindow);
            return true;
        }();
        Q_UNUSED(factoryInstalled);
        instance = new AboutWindow;
    }
    return instance;
}

void AboutWindow::unload()
{
    delete instance;
}

AboutWindow::AboutWindow()
{
    setObjectName(QLatin1String(Form::about.name));
    setWindowTitle(QLatin1String(Form::about.caption));
    // The close box releases the window; OK only hides it.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    // The picture is loaded here, on first use, so that start-up never pays for
    // it; at a scale factor above one the double-size rendering keeps it crisp.
    const bool doubleSize = devicePixelRatioF() > 1.0;
    QPixmap picture(doubleSize ? QStringLiteral(":/corvane/about@2x.png")
                               : QStringLiteral(":/corvane/about.png"));
    picture.setDevicePixelRatio(doubleSize ? 2.0 : 1.0);
    m_picture = new QLabel(this);
    m_picture->setPixmap(picture);
    m_picture->setGeometry(fromTwips(Form::aboutPicture));
    // A screen reader cannot read the picture's words; the picture and the
    // window say them.
    const QString words = QString::fromStdString(Form::pictureWords());
    m_picture->setAccessibleName(QLatin1String(Identity::name));
    m_picture->setAccessibleDescription(words);
    setAccessibleDescription(words);

    cmdOK = new QPushButton(QLatin1String(Form::aboutOK.caption), this);
    cmdOK->setObjectName(QLatin1String(Form::aboutOK.name));
    // OK where the form puts it, with the room its caption needs.
    setFixedSize(placeControls(this, &Form::aboutOK, 1, Form::about));
    cmdOK->setFocus();
    pressOnEnter(cmdOK);
    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
}

void AboutWindow::cmdOK_Click()
{
    hide();
}
