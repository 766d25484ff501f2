#include "app/Services.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace corvelle {

namespace {

void run(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title.isEmpty() ? QCoreApplication::applicationName() : title, text,
                    QMessageBox::Ok);
    box.exec();
}

} // namespace

void QtMessageService::showMessage(const QString &text, MessageForm form)
{
    switch (form) {
    case MessageForm::WrongValue:
        run(QMessageBox::Critical, QStringLiteral("Wrong Value"), text);
        break;
    case MessageForm::ErrorIcon:
        run(QMessageBox::Critical, QString(), text);
        break;
    case MessageForm::Plain:
        run(QMessageBox::NoIcon, QString(), text);
        break;
    }
}

void QtMessageService::showFailure(const QString &text)
{
    run(QMessageBox::Critical, QCoreApplication::applicationName(), text);
}

void QtExitService::end(int status)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(status);
}

} // namespace corvelle
