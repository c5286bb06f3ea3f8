#include "dialogdriver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTimer>

#include <memory>

namespace DialogDriver {

namespace {

    // Polls until a modal widget of the wanted type is active, then hands it
    // over. Should none come, whatever modal dialog shows instead is rejected,
    // so that the click waiting on it returns.
    template<typename Dialog, typename Handler>
    void whenModal(Handler handler, int triesLeft = 500)
    {
        QTimer::singleShot(10, qApp, [handler, triesLeft] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *dialog = qobject_cast<Dialog *>(modal);
            if (dialog && dialog->isVisible()) {
                handler(dialog);
            } else if (triesLeft > 0) {
                whenModal<Dialog>(handler, triesLeft - 1);
            } else {
                qWarning("DialogDriver: no %s appeared", Dialog::staticMetaObject.className());
                if (auto *other = qobject_cast<QDialog *>(modal))
                    other->reject();
            }
        });
    }

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer()
{
    // Timers fire inside the message box's own event loop too.
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QAbstractButton *answer = box->button(QMessageBox::Ok);
        if (!answer)
            answer = box->escapeButton();
        // Where the box takes its text for markup, a user reads it rendered.
        const bool rich = box->textFormat() == Qt::RichText
                || (box->textFormat() == Qt::AutoText && Qt::mightBeRichText(box->text()));
        const QString shown
                = rich ? QTextDocumentFragment::fromHtml(box->text()).toPlainText() : box->text();
        m_seen.append({box->windowTitle(), box->text(), shown, answer ? answer->text() : QString()});
        if (answer)
            answer->click();
        else
            box->reject();
    });
    m_timer.start(20);
}

QString ShownDialog::title() const
{
    return qtDialog()->windowTitle();
}

QString ShownDialog::filter() const
{
    return qtDialog()->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))->currentText();
}

QString ShownDialog::nameShown() const
{
    auto *name = qtDialog()->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    return name->text().isEmpty() ? name->placeholderText() : name->text();
}

bool ShownDialog::enterKeepsItOpen()
{
    QTest::keyClick(qtDialog()->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")),
                    Qt::Key_Return);
    return qtDialog()->isVisible();
}

bool clickAndDrive(QAbstractButton *button, Action action, const QString &path,
                   std::function<void(ShownDialog &)> inspect)
{
    struct State
    {
        bool clicked = false; // the click has returned: too late to drive
        bool appeared = false;
        bool done = false;
    };
    const auto state = std::make_shared<State>();
    whenModal<QFileDialog>([state, action, path, inspect](QFileDialog *dialog) {
        if (state->clicked)
            return;
        state->appeared = true;
        if (inspect) {
            ShownDialog shown(dialog);
            inspect(shown);
        }
        bool acted = true;
        switch (action) {
        case Action::TypeName: {
            const QFileInfo file(path);
            dialog->setDirectory(file.absolutePath());
            // Type as a user would: into the name field, once it has the focus.
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            dialog->activateWindow();
            name->setFocus();
            acted = QTest::qWaitFor([name] { return name->hasFocus(); });
            name->clear();
            QTest::keyClicks(name, file.fileName());
            QTest::keyClick(name, Qt::Key_Return);
            break;
        }
        case Action::SelectFile: {
            // Click the file in whichever view the dialog shows, once it is listed.
            const QFileInfo file(path);
            dialog->setDirectory(file.absolutePath());
            auto *model = dialog->findChild<QFileSystemModel *>();
            QAbstractItemView *view = nullptr;
            for (const char *name : {"listView", "treeView"}) {
                auto *candidate = dialog->findChild<QAbstractItemView *>(QLatin1String(name));
                if (candidate && candidate->isVisible())
                    view = candidate;
            }
            QModelIndex item;
            acted = view && QTest::qWaitFor([&] {
                        item = model->index(file.absoluteFilePath());
                        return item.isValid() && view->visualRect(item).isValid();
                    });
            if (acted) {
                view->scrollTo(item);
                QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                                  view->visualRect(item).center());
                dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Open)->click();
            }
            break;
        }
        case Action::Cancel:
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
            break;
        }
        state->done = acted && !dialog->isVisible();
        // Never leave a test blocked in a dialog that refused the action.
        if (dialog->isVisible())
            dialog->reject();
    });
    // The dialog is modal: the click returns once it has closed.
    const MessageBoxAnswerer answerer;
    button->click();
    state->clicked = true;
    for (const MessageBoxAnswerer::Seen &box : answerer.seen())
        qWarning("DialogDriver: a message box showed: %s", qPrintable(box.text));
    return state->appeared && state->done && answerer.seen().isEmpty();
}

QStringList ShownDialog::listingOf(const QString &folder, const QStringList &expected)
{
    QFileDialog *dialog = qtDialog();
    dialog->setDirectory(folder);
    auto *model = dialog->findChild<QFileSystemModel *>();
    QStringList names;
    const bool complete = QTest::qWaitFor([&] {
        const QModelIndex index = model->index(folder);
        names.clear();
        for (int row = 0; row < model->rowCount(index); ++row)
            names << model->index(row, 0, index).data().toString();
        names.sort();
        return names == expected;
    });
    Q_UNUSED(complete); // the caller compares the names
    return names;
}

} // namespace DialogDriver
