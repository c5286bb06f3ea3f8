#pragma once

#include <QString>

#include <functional>

class QAbstractButton;
class QFileDialog;

// Drives the next modal file dialog from a timer, since exec() blocks the caller.
namespace DialogDriver {

enum class Action { TypeName, SelectFile, Cancel };

// Clicks button, which must open a modal QFileDialog, and drives that dialog:
// inspect(dialog), if given, looks at it as shown, then the action runs on it:
// type the file's name into its focused name field and press Enter, click the
// file in its list and press Open, or cancel. Returns true only when the dialog
// appeared, took the action and closed; false fails the caller's test.
[[nodiscard]] bool clickAndDrive(QAbstractButton *button, Action action,
                                 const QString &path = QString(),
                                 std::function<void(QFileDialog *)> inspect = {});

// Shows folder in the dialog and returns the names it lists there, once they
// are the expected ones or after a few seconds (it reads folders in the background).
QStringList listingOf(QFileDialog *dialog, const QString &folder, const QStringList &expected);

// Once the next modal message box shows, remember its title and text and press OK.
struct MessageSeen
{
    bool shown = false;
    QString title;
    QString text;
    QString button; // the OK button's caption
};
void answerNextMessageBox(MessageSeen *seen);

} // namespace DialogDriver
