#include "HostWindow.h"

#include "DocumentView.h"
#include "bus/BusContract.h"

#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

namespace corvelle::refhost {

HostWindow::HostWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(tr("Corvelle Host"));
    resize(820, 640);

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    QAction *close = fileMenu->addAction(tr("&Close Drawing"));
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, [this] { closeDocument(tabs_->currentIndex()); });
    fileMenu->addSeparator();
    QAction *quit = fileMenu->addAction(tr("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    connect(quit, &QAction::triggered, qApp, &QApplication::quit);

    tabs_ = new QTabWidget(this);
    tabs_->setDocumentMode(true);
    tabs_->setTabsClosable(true);
    connect(tabs_, &QTabWidget::tabCloseRequested, this, &HostWindow::closeDocument);
    setCentralWidget(tabs_);

    statusBar()->showMessage(tr("Ready: waiting for the wizard on %1").arg(bus::Service));
}

DocumentView *HostWindow::addDocument()
{
    auto *doc = new DocumentView(nextId_++, tabs_);
    documents_.insert(doc->id(), doc);
    tabs_->setCurrentIndex(tabs_->addTab(doc, doc->title()));
    return doc;
}

DocumentView *HostWindow::activeDocument() const { return qobject_cast<DocumentView *>(tabs_->currentWidget()); }

DocumentView *HostWindow::document(int id) const { return documents_.value(id, nullptr); }

void HostWindow::closeDocument(int index)
{
    auto *doc = qobject_cast<DocumentView *>(tabs_->widget(index));
    if (!doc)
        return;
    documents_.remove(doc->id());
    tabs_->removeTab(index);
    doc->deleteLater();
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

void HostWindow::report(const QString &status) { statusBar()->showMessage(status); }

void HostWindow::saveSnapshot()
{
    if (!snapshotFile_.isEmpty())
        grab().save(snapshotFile_);
}

} // namespace corvelle::refhost
