#pragma once

#include <QPointer>
#include <QString>

class QFileDialog;
class QWidget;

// A selector's open-file dialog and the file name it holds. The dialog's
// settings never change; the file name starts as the wildcard and becomes the
// full path of the chosen file. The dialog is Qt's, made when first shown.
class CommonDialog
{
public:
    struct Settings
    {
        QString objectName; // of the dialog, once made
        QString dialogTitle;
        QString defaultExt; // ".exe"; empty for none
        QString fileName; // the initial wildcard
        QString filter; // the description of the files listed
        QString pattern; // the files listed
    };

    CommonDialog(const Settings &settings, QWidget *parent);
    ~CommonDialog();

    CommonDialog(const CommonDialog &) = delete;
    CommonDialog &operator=(const CommonDialog &) = delete;

    QString fileName() const { return m_fileName; }

    // Shows the modal open-file dialog. Returns true when a file was chosen;
    // a cancel returns false and leaves the file name as it was.
    bool showOpen();

private:
    const Settings m_settings;
    QString m_fileName;
    QWidget *m_parent;

    QFileDialog *dialog();

    QPointer<QFileDialog> m_dialog;
};
