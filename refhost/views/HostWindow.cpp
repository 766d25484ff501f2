#include "refhost/views/HostWindow.h"

#include "bus/BusContract.h"
#include "refhost/model/Application.h"
#include "refhost/model/Recovery.h"
#include "refhost/shedview/HostTable.h"
#include "refhost/shedview/ShedView.h"
#include "refhost/view3dapi/View3DFactory.h"
#include "refhost/views/DesignPanel.h"
#include "refhost/views/DocumentView.h"
#include "shed/Plans.h"
#include "shed/Project.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
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

// The platform's shortcuts for a standard key, or `fallback` where it has none (the
// generic X11 bindings have no Save As).
void setStandardShortcut(QAction *action, QKeySequence::StandardKey key, const QKeySequence &fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    action->setShortcuts(keys.isEmpty() ? QList<QKeySequence>{fallback} : keys);
}

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
    addFileActions(fileMenu);
    fileMenu->addSeparator();
    addExportActions(fileMenu);
    fileMenu->addSeparator();
    QAction *close = fileMenu->addAction(tr("&Close Drawing"));
    close->setShortcut(QKeySequence::Close);
    connect(close, &QAction::triggered, this, [this] {
        if (Document *doc = app_.activeDocument())
            closeDocument(*doc);
    });
    fileMenu->addSeparator();
    QAction *quit = fileMenu->addAction(tr("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    // Through the window's close, which asks about modified documents first.
    connect(quit, &QAction::triggered, this, &QWidget::close);

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
            closeDocument(view->document());
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
    askToSave_ = [](QWidget *owner, const Document &document) {
        return QMessageBox::question(
            owner, tr("Save Changes"),
            tr("%1 has changes that are not saved. Save them before closing?").arg(document.name()),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    };
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
            tell_(this, caption, problem);
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

void HostWindow::addFileActions(QMenu *menu)
{
    QAction *newDoc = menu->addAction(tr("&New"));
    setStandardShortcut(newDoc, QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N));
    connect(newDoc, &QAction::triggered, this, [this] {
        const Application::Opened opened = app_.newDocument();
        if (!opened.document)
            tell_(this, tr("New"), opened.error);
    });
    QAction *open = menu->addAction(tr("&Open..."));
    setStandardShortcut(open, QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(open, &QAction::triggered, this, [this] {
        const QString path = chooseOpenFile_(this, tr("Open"), startPath(QStringLiteral("project"), QString()),
                                             tr("Shed designs (*.shed *.txt);;Project files (*.shed);;"
                                                "Shed data files (*.txt);;All files (*)"));
        if (!path.isEmpty())
            openFile(path);
    });
    QMenu *recent = menu->addMenu(tr("Open Recen&t"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] {
        recent->clear();
        const QStringList files = recentFiles();
        for (int i = 0; i < files.size(); ++i) {
            // "&1 name" for the first nine, so each is a key away.
            const QString text = QFileInfo(files[i]).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
            QAction *a = recent->addAction(i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(text) : text);
            a->setToolTip(QDir::toNativeSeparators(files[i]));
            a->setStatusTip(a->toolTip());
            connect(a, &QAction::triggered, this, [this, file = files[i]] { openFile(file); });
        }
        if (files.isEmpty())
            recent->addAction(tr("No recent files"))->setEnabled(false);
    });
    menu->addSeparator();
    QAction *saveAction = menu->addAction(tr("&Save"));
    setStandardShortcut(saveAction, QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(saveAction, &QAction::triggered, this, [this] {
        if (Document *doc = app_.activeDocument())
            save(*doc);
    });
    QAction *saveAsAction = menu->addAction(tr("Save &As..."));
    setStandardShortcut(saveAsAction, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAsAction, &QAction::triggered, this, [this] {
        if (Document *doc = app_.activeDocument())
            saveAs(*doc);
    });
    QAction *exportData = menu->addAction(tr("Export &Data File..."));
    connect(exportData, &QAction::triggered, this, [this] {
        Document *doc = app_.activeDocument();
        if (!doc)
            return;
        const QString caption = tr("Export Data File");
        const QString path =
            chooseSaveFile_(this, caption, startPath(QStringLiteral("datafile"), QStringLiteral("ShedData.txt")),
                            tr("Shed data files (*.txt)"));
        if (path.isEmpty())
            return;
        rememberFolder(QStringLiteral("datafile"), path);
        QString note;
        const QString problem = app_.exportDataFile(*doc, path, &note);
        if (!problem.isEmpty())
            return tell_(this, caption, problem);
        statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(path)));
        if (!note.isEmpty())
            tell_(this, caption, note);
    });
    designActions_ = {saveAction, saveAsAction, exportData};
}

bool HostWindow::openFile(const QString &path)
{
    const Application::Opened opened = app_.openFile(path);
    if (!opened.document) {
        tell_(this, tr("Open"), opened.error);
        return false;
    }
    rememberFolder(QStringLiteral("project"), path);
    addRecentFile(path);
    return true;
}

bool HostWindow::saveAs(Document &document)
{
    const QString start = document.filePath().isEmpty()
                              ? startPath(QStringLiteral("project"), QFileInfo(document.name()).completeBaseName()
                                                                         + QLatin1Char('.') + shed::ProjectSuffix)
                              : document.filePath();
    QString path = chooseSaveFile_(this, tr("Save As"), start, tr("Project files (*.shed)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + shed::ProjectSuffix;
    rememberFolder(QStringLiteral("project"), path);
    const QString problem = app_.saveDocument(document, path);
    if (!problem.isEmpty()) {
        tell_(this, tr("Save As"), problem);
        return false;
    }
    addRecentFile(path);
    return true;
}

bool HostWindow::save(Document &document)
{
    if (document.filePath().isEmpty())
        return saveAs(document);
    const QString problem = app_.saveDocument(document, document.filePath());
    if (!problem.isEmpty()) {
        tell_(this, tr("Save"), problem);
        return false;
    }
    addRecentFile(document.filePath());
    return true;
}

bool HostWindow::closeDocument(Document &document)
{
    if (document.isModified()) {
        app_.setActiveDocument(&document); // the one asked about is in view
        const QMessageBox::StandardButton answer = askToSave_(this, document);
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !save(document)))
            return false;
    }
    app_.closeDocument(document.id());
    return true;
}

void HostWindow::closeEvent(QCloseEvent *event)
{
    for (Document *doc : app_.documents()) {
        if (doc->isModified() && !closeDocument(*doc)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

void HostWindow::offerRecovery(Recovery &recovery, QList<RecoveryStore::Orphan> orphans)
{
    if (orphans.isEmpty())
        return;
    const RecoveryStore::Orphan orphan = orphans.takeFirst();
    auto *box = new QMessageBox(QMessageBox::Question, tr("Recover Changes"),
                                tr("Corvelle Host did not exit cleanly. Changes to %1 from %2 were not saved.")
                                    .arg(orphan.name(), QLocale().toString(orphan.saved, QLocale::ShortFormat)),
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("recoverBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *recover = box->addButton(tr("Recover"), QMessageBox::AcceptRole);
    QPushButton *discard = box->addButton(tr("Discard"), QMessageBox::DestructiveRole);
    box->setDefaultButton(recover);
    box->setEscapeButton(recover); // dismissing it loses nothing
    connect(box, &QMessageBox::finished, this, [this, &recovery, box, discard, orphan, orphans] {
        recovery.settle(orphan, box->clickedButton() != discard);
        offerRecovery(recovery, orphans);
    });
    box->open();
}

namespace {
const QString RecentKey = QStringLiteral("files/recent");
}

QStringList HostWindow::recentFiles()
{
    QStringList files;
    for (const QString &file : QSettings().value(RecentKey).toStringList())
        if (!file.isEmpty() && QFileInfo(file).isFile() && !files.contains(file))
            files.append(file);
    return files.mid(0, MaxRecentFiles);
}

void HostWindow::addRecentFile(const QString &path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    QSettings().setValue(RecentKey, files.mid(0, MaxRecentFiles));
}

void HostWindow::showTitle()
{
    const Document *doc = app_.activeDocument();
    // Shortcuts work with the menu closed, so the actions follow the active document.
    for (QAction *a : std::as_const(designActions_))
        a->setEnabled(doc && doc->content() == Document::Content::Shed);
    if (!doc) {
        setWindowTitle(tr("Corvelle Host"));
        setWindowModified(false);
        return;
    }
    // "[*]" is where Qt puts the "*" while the document is modified.
    setWindowTitle(tr("%1[*] \u2014 Corvelle Host").arg(doc->name()));
    setWindowModified(doc->isModified());
}

DocumentView *HostWindow::activeView() const { return qobject_cast<DocumentView *>(tabs_->currentWidget()); }

void HostWindow::addView(Document *document)
{
    auto *view = new DocumentView(*document, tabs_);
    view->setUnits(app_.units());
    views_.insert(document->id(), view);
    tabs_->addTab(view, document->name());
    // The tab and, for the active document, the title follow its name and modified mark.
    const auto named = [this, document, view] {
        tabs_->setTabText(tabs_->indexOf(view),
                          document->name() + (document->isModified() ? QStringLiteral("*") : QString()));
        if (document == app_.activeDocument())
            showTitle();
    };
    connect(document, &Document::nameChanged, view, named);
    connect(document, &Document::modifiedChanged, view, named);
    connect(document, &Document::contentChanged, view, named);
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
    showTitle();
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
