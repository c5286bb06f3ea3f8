#pragma once

#include "form.h"

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
    CommonDialog(const Form::Selector &settings, QWidget *parent);
    ~CommonDialog();

    CommonDialog(const CommonDialog &) = delete;
    CommonDialog &operator=(const CommonDialog &) = delete;

    QString fileName() const { return m_fileName; }

    // Shows the modal open-file dialog. Returns true when a file was chosen;
    // a cancel returns false and leaves the file name as it was.
    bool showOpen();

private:
    QFileDialog *dialog();

    const Form::Selector &m_settings;
    QString m_fileName;
    QWidget *m_parent;
    QPointer<QFileDialog> m_dialog;
};
