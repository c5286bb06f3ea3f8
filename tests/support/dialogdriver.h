#pragma once

#include <QString>

#include <functional>

class QFileDialog;

// Drives the next modal file dialog from a timer, since exec() blocks the caller.
namespace DialogDriver {

enum class Action { TypeName, SelectFile, Cancel };

// Once the next modal QFileDialog shows, let inspect(dialog), if given, look at
// it as shown, then run the action on it: type the file's name into its name
// field and press Enter, click the file in its list and press Open, or cancel.
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
