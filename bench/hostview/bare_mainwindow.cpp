// The baseline of the host start-up benchmark: a bare QMainWindow of the host's size.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare main window"));
    window.resize(1180, 720);
    window.show();
    return QApplication::exec();
}
