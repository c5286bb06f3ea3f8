// The toolkit's floor for the start-up and memory benchmark: a bare Qt Widgets
// window of the launcher's size with the same kinds of controls and a menu bar,
// and nothing else.

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("About"));

    auto *client = new QWidget;
    client->setFixedSize(425, 227);
    window.setCentralWidget(client);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    const char *frames[] = {"Executable", "ROM", "Command"};
    for (int i = 0; i < 3; ++i) {
        auto *frame = new QGroupBox(QLatin1String(frames[i]), client);
        frame->setGeometry(8, 56 * i, 401, 49);
        (new QPushButton(QStringLiteral("Select"), frame))->setGeometry(8, 16, 89, 25);
        auto *field = new QLineEdit(QStringLiteral("<none selected>"), frame);
        field->setGeometry(104, 16, 289, 25);
        field->setEnabled(false);
    }
    (new QPushButton(QStringLiteral("Run"), client))->setGeometry(8, 168, 409, 25);
    (new QCheckBox(QStringLiteral("Exit On Start"), client))->setGeometry(40, 200, 100, 17);
    (new QPushButton(QStringLiteral("&Quit"), client))->setGeometry(160, 200, 105, 25);

    window.show();
    return app.exec();
}
