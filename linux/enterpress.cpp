#include "enterpress.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

class EnterPress : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        // Held down, Enter would start one emulator per repeat.
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat()
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        static_cast<QPushButton *>(watched)->click();
        return true;
    }
};

} // namespace

void pressOnEnter(QPushButton *button)
{
    button->installEventFilter(new EnterPress(button));
}
