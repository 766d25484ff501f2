#include "refhost/views/HostWindow.h"

#include "bus/BusContract.h"
#include "refhost/model/Application.h"
#include "refhost/views/DocumentView.h"

#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

namespace corvelle::refhost {

HostWindow::HostWindow(Application &app, QWidget *parent) : QMainWindow(parent), app_(app)
{
    setWindowTitle(tr("Corvelle Host"));
    resize(820, 640);

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    QAction *close = fileMenu->addAction(tr("&Close Drawing"));
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, [this] {
        if (Document *doc = app_.activeDocument())
            app_.closeDocument(doc->id());
    });
    fileMenu->addSeparator();
    QAction *quit = fileMenu->addAction(tr("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, qApp, &QApplication::quit);

    tabs_ = new QTabWidget(this);
    tabs_->setDocumentMode(true);
    tabs_->setTabsClosable(true);
    connect(tabs_, &QTabWidget::tabCloseRequested, this, [this](int index) {
        if (auto *view = qobject_cast<DocumentView *>(tabs_->widget(index)))
            app_.closeDocument(view->document().id());
    });
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (auto *view = qobject_cast<DocumentView *>(tabs_->widget(index)))
            app_.setActiveDocument(&view->document());
    });
    setCentralWidget(tabs_);

    connect(&app_, &Application::documentAdded, this, &HostWindow::addView);
    connect(&app_, &Application::documentClosed, this, &HostWindow::removeView);
    connect(&app_, &Application::activeDocumentChanged, this, &HostWindow::showActive);
    connect(&app_, &Application::raiseRequested, this, &HostWindow::bringToTop);
    connect(&app_, &Application::activity, this, [this](const QString &status) { statusBar()->showMessage(status); });
    connect(&app_, &Application::macroFinished, this, &HostWindow::saveSnapshot);
    for (Document *doc : app_.documents())
        addView(doc);
    showActive(app_.activeDocument());

    statusBar()->showMessage(tr("Ready: waiting for the wizard on %1").arg(bus::Service));
}

void HostWindow::addView(Document *document)
{
    auto *view = new DocumentView(*document, tabs_);
    views_.insert(document->id(), view);
    tabs_->addTab(view, document->title());
}

void HostWindow::removeView(int id)
{
    if (DocumentView *view = views_.take(id)) {
        tabs_->removeTab(tabs_->indexOf(view));
        view->deleteLater();
    }
}

void HostWindow::showActive(Document *document)
{
    if (DocumentView *view = document ? views_.value(document->id()) : nullptr)
        tabs_->setCurrentWidget(view);
}

void HostWindow::bringToTop()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void HostWindow::saveSnapshot()
{
    if (!snapshotFile_.isEmpty())
        grab().save(snapshotFile_);
}

} // namespace corvelle::refhost
