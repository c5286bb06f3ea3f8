#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class QAbstractButton;
class QFileDialog;

// Drives the next modal file dialog from a timer, since it blocks the caller.
namespace DialogDriver {

enum class Action { TypeName, SelectFile, Cancel };

// An open-file dialog as it shows.
class ShownDialog
{
public:
    explicit ShownDialog(QFileDialog *dialog)
        : m_dialog(dialog)
    { }

    QString title() const;
    QString filter() const; // the file type it lists
    QString nameShown() const; // the name field's text, or its placeholder while empty
    // Presses Enter on the name field as it is; true when the dialog stays open.
    bool enterKeepsItOpen();
    // Shows folder and returns the names listed there, once they are the
    // expected ones or after a few seconds (folders are read in the background).
    QStringList listingOf(const QString &folder, const QStringList &expected);
    QFileDialog *qtDialog() const { return m_dialog; }

private:
    QFileDialog *m_dialog;
};

// Clicks button, which must open a modal open-file dialog, and drives that
// dialog: inspect(dialog), if given, looks at it as shown, then the action
// runs on it: type the file's path into its name field and press Enter, click
// the file in its list and press Open, or cancel. Returns true only when the
// dialog appeared, took the action and closed, and no message box showed;
// false fails the caller's test. Whatever shows instead is closed, so that
// the caller never hangs.
[[nodiscard]] bool clickAndDrive(QAbstractButton *button, Action action,
                                 const QString &path = QString(),
                                 std::function<void(ShownDialog &)> inspect = {});

// While it lives, answers every modal message box that shows with its OK (or
// escape) button and remembers what each said. A box nobody expected then
// ends in a failed check, never in a test blocked inside exec().
class MessageBoxAnswerer
{
public:
    struct Seen
    {
        QString title;
        QString text;
        QString shown; // the words as a user reads them, markup rendered
        QString button; // the caption of the button that answered it
    };

    MessageBoxAnswerer();

    const QList<Seen> &seen() const { return m_seen; }

private:
    QTimer m_timer;
    QList<Seen> m_seen;
};

} // namespace DialogDriver
