#include "aboutwindow.h"

#include "identity.h"

#include <QPainter>
#include <QPointer>
#include <QPushButton>

namespace {
QPointer<AboutWindow> instance;
} // namespace

AboutWindow *frmAbout()
{
    if (!instance)
        instance = new AboutWindow;
    return instance;
}

void AboutWindow::unload()
{
    delete instance;
}

AboutWindow::AboutWindow()
{
    // The picture is loaded here, on first use, so that start-up never pays for
    // it; at a scale factor above one the double-size rendering keeps it crisp.
    const bool doubleSize = devicePixelRatioF() > 1.0;
    m_picture.load(doubleSize ? QStringLiteral(":/corvane/about@2x.png")
                              : QStringLiteral(":/corvane/about.png"));
    m_picture.setDevicePixelRatio(doubleSize ? 2.0 : 1.0);

    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QLatin1String(Identity::aboutCaption));
    // The close box releases the window; OK only hides it.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(370, 267);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(1680 / 15, 3600 / 15, 2055 / 15, 375 / 15);
    cmdOK->setFocus();
    connect(cmdOK, &QPushButton::clicked, this, &AboutWindow::cmdOK_Click);
}

void AboutWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(QPointF(0, 0), m_picture);
}

void AboutWindow::cmdOK_Click()
{
    hide();
}
