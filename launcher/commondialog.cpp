#include "commondialog.h"

#include <QDir>
#include <QFileDialog>

CommonDialog::CommonDialog(const Settings &settings, QWidget *parent)
    : m_settings(settings)
    , m_fileName(settings.fileName)
    , m_parent(parent)
{ }

CommonDialog::~CommonDialog()
{
    delete m_dialog;
}

bool CommonDialog::showOpen()
{
    QFileDialog *fileDialog = dialog();
    if (fileDialog->exec() != QDialog::Accepted)
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

    m_dialog = new QFileDialog(m_parent, m_settings.dialogTitle);
    m_dialog->setObjectName(m_settings.objectName);
    m_dialog->setAcceptMode(QFileDialog::AcceptOpen);
    m_dialog->setFileMode(QFileDialog::ExistingFile);
    // Show the description alone, as the filter reads; the pattern does the work.
    m_dialog->setOption(QFileDialog::HideNameFilterDetails);
    m_dialog->setNameFilter(QStringLiteral("%1 (%2)").arg(m_settings.filter, m_settings.pattern));
    QString suffix = m_settings.defaultExt;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    m_dialog->setDefaultSuffix(suffix);
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // Desktop dialogs on Linux add every chosen file to the user's recent-files
    // list; Qt's own dialog leaves the disk alone.
    m_dialog->setOption(QFileDialog::DontUseNativeDialog);
#endif
    return m_dialog;
}
