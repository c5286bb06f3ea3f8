#include "commondialog.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSettings>

namespace {

// Corvane's dialogs are Qt's own, on every desktop and under every platform
// theme. A theme's native dialog (GTK's, the portal's) would be made in
// QFileDialog's constructor, hidden or not, unless told otherwise first, and
// GTK's writes the user's recent files and bookmarks folders.
//
// Qt's own dialog reads its folder, history and layout from the user's
// settings file (QtProject.conf) and writes them back; Corvane keeps nothing
// between runs and reads no settings. The toolkit's settings are pointed
// where no file can be, so that neither happens.
void keepDialogsToThemselves()
{
    static const bool done = [] {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
            for (const auto scope : {QSettings::UserScope, QSettings::SystemScope})
                QSettings::setPath(format, scope, QStringLiteral("/dev/null"));
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace

CommonDialog::CommonDialog(const Form::Selector &settings, QWidget *parent)
    : m_settings(settings)
    , m_fileName(QLatin1String(settings.fileName))
    , m_parent(parent)
{ }

CommonDialog::~CommonDialog()
{
    delete m_dialog;
}

bool CommonDialog::showOpen()
{
    QFileDialog *fileDialog = dialog();
    const int result = fileDialog->exec();
    // Qt leaves the name field's completion list open when Return in the field
    // closes the dialog; left over, it would take the launcher's next keys.
    for (QCompleter *completer : fileDialog->findChildren<QCompleter *>())
        completer->popup()->hide();
    // On X11 without a window manager nobody hands the focus back once the
    // dialog has gone, and the next keys would be lost. Wayland compositors
    // do, and there Qt would ask for an activation token it never lets go of.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_parent->window()->activateWindow();
    if (result != QDialog::Accepted)
        return false;
    const QStringList chosen = fileDialog->selectedFiles();
    if (chosen.isEmpty())
        return false;
    m_fileName = QDir::toNativeSeparators(chosen.constFirst());
    return true;
}

QFileDialog *CommonDialog::dialog()
{
    if (m_dialog)
        return m_dialog;

    keepDialogsToThemselves();
    m_dialog = new QFileDialog(m_parent, QLatin1String(m_settings.title));
    m_dialog->setObjectName(QLatin1String(m_settings.dialogName));
    m_dialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_dialog->setFileMode(QFileDialog::ExistingFile);
    // Show the description alone, as the filter reads; the pattern does the work.
    m_dialog->setOption(QFileDialog::HideNameFilterDetails);
    const QString pattern = QLatin1String(m_settings.pattern);
    m_dialog->setNameFilter(
            QStringLiteral("%1 (%2)").arg(QLatin1String(m_settings.filter), pattern));
    m_dialog->setDefaultSuffix(QLatin1String(m_settings.defaultExt));
    // The name field shows the wildcard until a name is typed. As its text, Qt's
    // dialog would take it for a file name and answer Enter with "File not found".
    if (auto *name = m_dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
        name->setPlaceholderText(pattern);
    return m_dialog;
}
