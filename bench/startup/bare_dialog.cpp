// The baselines of the start-up benchmark: a bare Qt program that shows one empty
// fixed-size dialog of the wizard's size; with --label the dialog also shows one
// line of text, so the program pays for the font system as any real screen does.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    dialog.setFixedSize(451, 266);
    if (argc > 1 && QByteArray(argv[1]) == "--label")
        (new QLabel(QStringLiteral("Choose a path"), &dialog))->move(20, 20);
    dialog.show();
    return QApplication::exec();
}
