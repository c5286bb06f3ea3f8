#pragma once

#include <QString>

#include <functional>

class QFileDialog;

// Drives the next modal file dialog from a timer, since exec() blocks the caller.
namespace DialogDriver {

enum class Action { TypeName, SelectFile, Cancel };

// Once the next modal QFileDialog shows, run the action on it: type the file's
// name into its name field and press Enter, select the file as a click would and
// accept, or cancel. Afterwards inspect(dialog) may look at the dialog as shown.
void onNextFileDialog(Action action, const QString &path = QString(),
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
};
void answerNextMessageBox(MessageSeen *seen);

} // namespace DialogDriver
