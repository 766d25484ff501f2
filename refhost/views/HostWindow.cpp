#include "refhost/views/HostWindow.h"

#include "bus/BusContract.h"
#include "refhost/model/Application.h"
#include "refhost/shedview/HostTable.h"
#include "refhost/shedview/ShedView.h"
#include "refhost/view3dapi/View3DFactory.h"
#include "refhost/views/DesignPanel.h"
#include "refhost/views/DocumentView.h"
#include "shed/Plans.h"

#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QUndoGroup>

#include <functional>

namespace corvelle::refhost {

namespace {

QString folderKey(const QString &kind) { return QStringLiteral("folders/") + kind; }

} // namespace

QString HostWindow::startPath(const QString &kind, const QString &name)
{
    const QString folder = QSettings().value(folderKey(kind)).toString();
    return folder.isEmpty() || !QDir(folder).exists() ? name : QDir(folder).filePath(name);
}

void HostWindow::rememberFolder(const QString &kind, const QString &path)
{
    QSettings().setValue(folderKey(kind), QFileInfo(path).absolutePath());
}

HostWindow::HostWindow(Application &app, QWidget *parent) : QMainWindow(parent), app_(app)
{
    setWindowTitle(tr("Corvelle Host"));
    // Room for the Design panel, and the 3D view beside the material list's six columns,
    // within the desktop.
    resize(QSize(1480, 760).boundedTo(screen()->availableSize() * 0.95));

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    addExportActions(fileMenu);
    fileMenu->addSeparator();
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

    addEditMenu();

    // View > Units: what lengths, areas and volumes are written in, remembered by the model.
    QMenu *viewMenu = menuBar()->addMenu(tr("&View"));
    QMenu *unitsMenu = viewMenu->addMenu(tr("&Units"));
    auto *unitsGroup = new QActionGroup(this);
    const auto unitsAction = [&](const QString &text, shed::UnitSystem system) {
        QAction *a = unitsMenu->addAction(text);
        a->setCheckable(true);
        a->setData(int(system));
        a->setActionGroup(unitsGroup);
        connect(a, &QAction::triggered, this, [this, system] { app_.setUnits(shed::Units(system)); });
        return a;
    };
    QAction *imperial = unitsAction(tr("&Imperial"), shed::UnitSystem::Imperial);
    QAction *metric = unitsAction(tr("&Metric"), shed::UnitSystem::Metric);
    const auto showUnits = [this, imperial, metric](shed::Units units) {
        (units.isMetric() ? metric : imperial)->setChecked(true);
        for (DocumentView *view : std::as_const(views_))
            view->setUnits(units);
    };
    showUnits(app_.units());
    connect(&app_, &Application::unitsChanged, this, showUnits);
    addDesignDock(viewMenu);

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
    // What the host last did stays in view: a menu's help texts replace only the
    // passing messages (such as "Saved ...").
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("statusSummary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setMinimumWidth(1); // a long summary is cut rather than widening the window
    statusBar()->addPermanentWidget(summary_, 1);
    connect(&app_, &Application::activity, summary_, &QLabel::setText);
    connect(&app_, &Application::macroFinished, this, &HostWindow::saveSnapshot);
    sizeTotal_ = new QLabel(this);
    sizeTotal_->setObjectName(QStringLiteral("sizeAndTotal"));
    sizeTotal_->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(sizeTotal_);
    connect(&app_, &Application::activeDocumentChanged, this, &HostWindow::follow);
    follow(app_.activeDocument());
    for (Document *doc : app_.documents())
        addView(doc);
    showActive(app_.activeDocument());

    summary_->setText(tr("Ready: waiting for the wizard on %1").arg(bus::Service));
}

void HostWindow::addExportActions(QMenu *menu)
{
    auto shed = [this] { return activeView() ? activeView()->shedView() : nullptr; };
    auto plans = [this] { return activeView() ? activeView()->planDocument() : nullptr; };
    // Each action asks for a file, writes it through the shed exporters and says how it went.
    // Each kind of file starts in the folder the last one of its kind went to.
    auto exporter = [this](const QString &kind, const QString &caption, const QString &filters, const QString &name,
                           std::function<QString(const QString &)> write) {
        const QString path = chooseSaveFile_(this, caption, startPath(kind, name), filters);
        if (path.isEmpty())
            return;
        rememberFolder(kind, path);
        const QString problem = write(path);
        if (problem.isEmpty())
            statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
        else
            QMessageBox::warning(this, caption, problem);
    };
    QAction *model = menu->addAction(tr("Export &Model..."));
    connect(model, &QAction::triggered, this, [=, this] {
        if (ShedView *v = shed())
            exporter(QStringLiteral("model"), tr("Export Model"),
                     tr("glTF binary (*.glb);;Wavefront OBJ (*.obj);;IFC4 (*.ifc)"), QStringLiteral("shed.glb"),
                     [v](const QString &p) { return v->document().exportModel(p); });
    });
    QAction *materials = menu->addAction(tr("Export Material &List..."));
    connect(materials, &QAction::triggered, this, [=, this] {
        if (ShedView *v = shed())
            exporter(QStringLiteral("materials"), tr("Export Material List"), tr("CSV (*.csv)"),
                     QStringLiteral("materials.csv"),
                     [v](const QString &p) { return v->document().exportMaterials(p); });
    });
    QAction *cuts = menu->addAction(tr("Export C&ut List..."));
    connect(cuts, &QAction::triggered, this, [=, this] {
        if (ShedView *v = shed())
            exporter(QStringLiteral("cutlist"), tr("Export Cut List"), tr("CSV (*.csv)"), QStringLiteral("cutlist.csv"),
                     [v](const QString &p) { return v->document().exportCuts(p); });
    });
    QAction *exportPlans = menu->addAction(tr("Export &Plans..."));
    connect(exportPlans, &QAction::triggered, this, [=, this] {
        if (PlanDocument *d = plans())
            exporter(QStringLiteral("plans"), tr("Export Plans"), tr("PDF (*.pdf);;SVG (*.svg)"),
                     QStringLiteral("plans.pdf"), [d](const QString &p) {
                         const QString suffix = QFileInfo(p).suffix().toLower();
                         if (suffix != QLatin1String("pdf") && suffix != QLatin1String("svg"))
                             return tr("%1: plans are exported as .pdf or .svg").arg(QFileInfo(p).fileName());
                         return saveFile(p, suffix == QLatin1String("pdf") ? d->plansPdf() : d->plansSvg());
                     });
    });
    QAction *print = menu->addAction(tr("P&rint Plans..."));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, [=, this] {
        PlanDocument *d = plans();
        if (!d)
            return;
        auto *printer = new QPrinter(QPrinter::HighResolution);
        printer->setPageSize(QPageSize(d->planPaper()));
        printer->setPageOrientation(QPageLayout::Landscape);
        // Window-modal and asynchronous: nothing waits on the desktop's dialog.
        auto *dialog = new QPrintDialog(printer, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        connect(dialog, &QDialog::destroyed, this, [printer] { delete printer; });
        connect(dialog, &QDialog::accepted, this, [this, d, printer] {
            d->printPlans(*printer);
            statusBar()->showMessage(tr("Plans sent to %1").arg(printer->printerName()));
        });
        dialog->open();
    });
    connect(menu, &QMenu::aboutToShow, this, [=, this] {
        const bool hasShed = shed() != nullptr, hasPlans = plans() != nullptr;
        for (QAction *a : {model, materials, cuts})
            a->setEnabled(hasShed);
        for (QAction *a : {exportPlans, print})
            a->setEnabled(hasPlans);
    });
}

void HostWindow::addEditMenu()
{
    // Undo and Redo act on the active document's edits.
    undoGroup_ = new QUndoGroup(this);
    QMenu *edit = menuBar()->addMenu(tr("&Edit"));
    QAction *undo = undoGroup_->createUndoAction(this, tr("&Undo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = undoGroup_->createRedoAction(this, tr("&Redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    undo->setObjectName(QStringLiteral("undo"));
    redo->setObjectName(QStringLiteral("redo"));
    edit->addAction(undo);
    edit->addAction(redo);
}

void HostWindow::addDesignDock(QMenu *viewMenu)
{
    auto *dock = new QDockWidget(tr("Design"), this);
    dock->setObjectName(QStringLiteral("designDock"));
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable
                      | QDockWidget::DockWidgetClosable);
    auto *scroll = new QScrollArea(dock);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    designPanel_ = new DesignPanel(scroll);
    scroll->setWidget(designPanel_);
    dock->setWidget(scroll);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->toggleViewAction()->setText(tr("&Design"));
    viewMenu->addAction(dock->toggleViewAction());
    designPanel_->setUnits(app_.units());
    connect(&app_, &Application::unitsChanged, designPanel_, &DesignPanel::setUnits);
    // A refused value is said in the status bar too, where it stays until the next message.
    connect(designPanel_, &DesignPanel::refused, this,
            [this](const QString &sentence) { statusBar()->showMessage(sentence); });
}

void HostWindow::follow(Document *document)
{
    if (followed_)
        disconnect(followed_, nullptr, this, nullptr);
    followed_ = document;
    if (document) {
        if (!undoGroup_->stacks().contains(document->undoStack()))
            undoGroup_->addStack(document->undoStack());
        connect(document, &Document::takeoffChanged, this, &HostWindow::showSizeAndTotal);
        connect(document, &Document::contentChanged, this, &HostWindow::showSizeAndTotal);
    }
    undoGroup_->setActiveStack(document ? document->undoStack() : nullptr);
    designPanel_->setDocument(document);
    showSizeAndTotal();
}

void HostWindow::showSizeAndTotal()
{
    if (!followed_ || !followed_->shed()) {
        sizeTotal_->clear();
        return;
    }
    const shed::BuildOutputs &o = *followed_->shed();
    const shed::Units units = followed_->units();
    const QString size = units.isMetric() ? units.size(o.design.width, o.design.depth)
                                          : tr("%1 x %2 ft")
                                                .arg(shed::decimalText(o.design.width / 12, 2),
                                                     shed::decimalText(o.design.depth / 12, 2));
    sizeTotal_->setText(tr("%1    Total %2").arg(size, table::moneyText(o.takeoff.total)));
}

DocumentView *HostWindow::activeView() const { return qobject_cast<DocumentView *>(tabs_->currentWidget()); }

void HostWindow::addView(Document *document)
{
    auto *view = new DocumentView(*document, tabs_);
    view->setUnits(app_.units());
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
    if (snapshotFile_.isEmpty())
        return;
    // Replaced in one step: a reader never sees half a picture.
    const auto save = [this](const QImage &image) {
        QSaveFile file(snapshotFile_);
        if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG"))
            file.commit();
    };
    const view3d::View3DFactory *scenes = view3d::loadedView3DFactory();
    if (!scenes) {
        save(grab().toImage());
        return;
    }
    // Saved as the macro ends, and again once the 3D views have drawn what it opened.
    save(scenes->grabWithScenes(this));
    scenes->afterNextFrames(this, this, [this, scenes, save] { save(scenes->grabWithScenes(this)); });
}

} // namespace corvelle::refhost
