#pragma once

#include <QString>
#include <QStringList>

// The launch logic (LaunchLogic) is plain Qt Core code. Everything it needs from
// the launcher window and the platform passes through this interface: the window
// (LauncherWindow) implements it for real, the tests implement it with a fake.
class LaunchHost
{
public:
    enum class Selector { Executable, Rom };

    virtual ~LaunchHost() = default;

    // The selector's current file name: its wildcard until a file is chosen.
    virtual QString selectorFileName(Selector selector) const = 0;
    virtual void setPreviewText(const QString &text) = 0;
    // The "Exit On Start" check box: 0 unchecked, 1 checked, 2 greyed.
    virtual int exitOnStartValue() const = 0;
    // A modal message with an OK button under the application's title.
    virtual void showMessage(const QString &text) = 0;
    // Starts program with arguments exactly as given, without waiting for it.
    // Returns false, with the system's reason in *reason, when it cannot start.
    virtual bool startProgram(const QString &program, const QStringList &arguments, QString *reason)
            = 0;
    virtual void endImmediately() = 0;
};
