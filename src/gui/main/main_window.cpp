#include "gui/main/main_window.h"

#include "core/i18n/text_numbers.h"
#include "core/procgen/step_layout.h"
#include "gui/about/about_dialog.h"
#include "gui/common/accessible_interfaces.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/control_texts.h"
#include "gui/common/even_tab_bar.h"
#include "gui/common/menu_entries.h"
#include "gui/common/picture_icon.h"
#include "gui/common/resources.h"
#include "gui/common/side_pane.h"
#include "gui/common/status_line.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/window_texts.h"
#include "gui/coverage/coverage_pane.h"
#include "gui/grid/spec_frame.h"
#include "gui/grid/spec_grid.h"
#include "gui/main/localization_commands.h"
#include "gui/main/meter_page.h"
#include "gui/main/options_panel.h"
#include "gui/scope/scope_page.h"
#include "gui/viewer/procedure_preview.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMetaMethod>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace kestrel::gui {
namespace {

// A single local file that is a specification.
QString droppedSpecification(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile() || !url.toLocalFile().endsWith(SpecFileCommands::suffix(), Qt::CaseInsensitive))
        return {};
    return url.toLocalFile();
}

// The pause in typing after which the preview shows the cell being typed.
constexpr int kTypingPauseMilliseconds = 300;
// Below this screen width the pages need the room: the preview starts hidden.
constexpr int kPreviewScreenWidth = 1280;
// The preview's lines in sight when the coverage table shares its side.
constexpr int kPreviewStepsBesideCoverage = 24;
// The procedure's width in characters, the column header's.
constexpr int kProcedureColumns = static_cast<int>(kProcedureWidth);

} // namespace

MainWindow::MainWindow(Document& document, QWidget* parent) : QMainWindow(parent), document_(document)
{
    registerResources();
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("frm_Main"));
    setAcceptDrops(true);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("MainArea"));
    mainTabs_ = new EvenTabWidget(central);
    mainTabs_->setObjectName(QStringLiteral("Main_TabStrip"));
    meterPage_ = new MeterPage(document_, mainTabs_);
    scopePage_ = new ScopePage(document_, mainTabs_);
    mainTabs_->addTab(meterPage_, QString());
    mainTabs_->addTab(scopePage_, QString());
    options_ = new OptionsPanel(document_, meterPage_->optionsHolder());
    meterPage_->optionsHolder()->layout()->addWidget(options_);

    picture5_ = new QToolButton(mainTabs_);
    picture5_->setObjectName(QStringLiteral("Picture5"));
    picture5_->setIcon(pictureIcon(QStringLiteral("menu")));
    picture5_->setIconSize(QSize(20, 20));
    picture5_->setAutoRaise(true);
    mainTabs_->setCornerWidget(picture5_, Qt::TopRightCorner);

    create_ = new QPushButton(central);
    create_->setObjectName(QStringLiteral("Create"));
    create_->setDefault(false);
    create_->setAutoDefault(false);
    create_->setMinimumWidth(110);

    // What a command did when nothing else shows it, left of Create.
    statusLine_ = new StatusLine(central);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(statusLine_, 1);
    bottom->addWidget(create_);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(mainTabs_, 1);
    layout->addLayout(bottom);
    setCentralWidget(central);

    files_ = new SpecFileCommands(document_, this);
    files_->setBeforeCommand([this] { return commitPendingEdit(); });
    buildPreview();
    buildCoverage();
    buildMenu();

    connect(mainTabs_, &QTabWidget::currentChanged, this, &MainWindow::mainTabChanged);
    // Whichever tab strip shows the options panel holds it.
    connect(meterPage_->tabs(), &QTabWidget::currentChanged, this, [this](int index) {
        if (index != 0 && !keepCellOrStay(meterPage_->tabs(), 0))
            return;
        if (meterPage_->tabs()->widget(index) == meterPage_->optionsHolder())
            meterPage_->optionsHolder()->layout()->addWidget(options_);
        else if (index == 0 && !meterPage_->tabs()->tabBar()->hasFocus())
            specFrame()->focusGrid();
    });
    connect(scopePage_->tabs(), &QTabWidget::currentChanged, this, [this](int index) {
        if (scopePage_->tabs()->widget(index) == scopePage_->optionsHolder())
            scopePage_->optionsHolder()->layout()->addWidget(options_);
    });
    connect(picture5_, &QToolButton::pressed, this, [this] {
        openMenu();
        picture5_->setDown(false);
    });
    connect(create_, &QPushButton::clicked, this, [this] {
        if (commitPendingEdit())
            emit createRequested();
    });
    connect(specFrame(), &SpecFrame::edited, this, [this] { create_->setEnabled(true); });
    connect(specFrame(), &SpecFrame::sampleRequested, this, &MainWindow::loadSample);
    connect(specFrame(), &SpecFrame::headerButtonClicked, this, [this](int column) {
        if (isSignalConnected(QMetaMethod::fromSignal(&MainWindow::connectionWizardRequested)))
            runModal([&] { emit connectionWizardRequested(document_.currentFunction(), column); });
    });
    connect(&document_, &Document::changed, this, &MainWindow::documentChanged);
    connect(&document_, &Document::modifiedChanged, this, &MainWindow::updateTitle);
    connect(&document_, &Document::filePathChanged, this, &MainWindow::updateTitle);

    // The start-up steps of the localization: the entries, then the local
    // walk. The walk comes before the defaults are restored, so the
    // comments restored into the document stay and the walk's "Comments..."
    // does not reach it.
    applyDesignTexts(this);
    {
        const QSignalBlocker quiet(control<QWidget>(QStringLiteral("Comments")));
        localization_->startUp();
    }
    options_->refreshIdentity();
    applyTopMost(document_.topMost());
    updateTitle();
    // Wide enough for ten grid columns at first; the grid takes any width
    // the user gives it. Long translations never push it off the screen.
    fitCaptions(this);
    // The panes start as they were left, but hidden on a small screen.
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const bool wide = shown && shown->geometry().width() >= kPreviewScreenWidth;
    bool anyShown = false;
    for (const Pane each : {Pane::Preview, Pane::Coverage}) {
        const bool on = wide && document_.paneShown(each).value_or(true);
        paneEntry(each)->setChecked(on);
        pane(each)->setVisible(on);
        anyShown = anyShown || on;
    }
    const int paneWidth = preview_->textBox()->fontMetrics().horizontalAdvance(QString(kProcedureColumns, u'0')) +
        preview_->textBox()->verticalScrollBar()->sizeHint().width() + 24;
    QSize start = naturalSizeHint(this).expandedTo(QSize(900, 0)) + QSize(anyShown ? paneWidth : 0, 0);
    if (preview_->isVisibleTo(this) && coverage_->isVisibleTo(this)) {
        // Room for the whole coverage table and a screenful of steps above it.
        const int steps = kPreviewStepsBesideCoverage * preview_->textBox()->fontMetrics().lineSpacing();
        start = start.expandedTo(QSize(0, coverage_->wholeTableHeight() + steps + 2 * titleBarHeight()));
    }
    resizeWithinScreen(this, start);
    if (anyShown)
        resizeDocks({preview_, coverage_}, {std::min(paneWidth, width() / 2), std::min(paneWidth, width() / 2)},
            Qt::Horizontal);
    if (preview_->isVisibleTo(this) && coverage_->isVisibleTo(this)) {
        // The coverage table as tall as its rows, the preview the rest: once
        // shown, as showing shares the height out afresh.
        QTimer::singleShot(0, this, [this] {
            const int titleBar = coverage_->height() - coverage_->widget()->height();
            const int table = coverage_->wholeTableHeight() + titleBar;
            resizeDocks({preview_, coverage_},
                {std::max(preview_->height() + coverage_->height() - table, table), table}, Qt::Vertical);
        });
    }
}

void MainWindow::buildPreview()
{
    preview_ = new ProcedurePreview(document_, this);
    addDockWidget(Qt::RightDockWidgetArea, preview_);
    // The cell being typed, as storing it would leave it.
    preview_->setTypedCellSource([this]() -> std::optional<TypedCell> {
        const std::optional<CellChange> edit = grid()->pendingEdit();
        if (!edit)
            return std::nullopt;
        return TypedCell{document_.currentFunction(), edit->row, edit->column, edit->after};
    });
    auto* typingPause = new QTimer(this);
    typingPause->setSingleShot(true);
    typingPause->setInterval(kTypingPauseMilliseconds);
    connect(grid(), &SpecGridView::pendingTextChanged, typingPause, qOverload<>(&QTimer::start));
    connect(typingPause, &QTimer::timeout, preview_, &ProcedurePreview::refresh);
    // The grid's current column has its steps marked; a step chosen in the
    // preview brings its column up.
    connect(grid()->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (current.isValid())
            preview_->markColumn(document_.currentFunction(), current.column());
    });
    connect(preview_, &ProcedurePreview::stepChosen, this,
        [this](MeterFunction function, int column) { showCell(function, 0, column); });
}

void MainWindow::buildCoverage()
{
    coverage_ = new CoveragePane(document_, this);
    addDockWidget(Qt::RightDockWidgetArea, coverage_);
    splitDockWidget(preview_, coverage_, Qt::Vertical);
}

int MainWindow::titleBarHeight() const
{
    return fontMetrics().height() + 2 * style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin);
}

SidePane* MainWindow::pane(Pane which) const
{
    return which == Pane::Preview ? static_cast<SidePane*>(preview_) : coverage_;
}

QAction* MainWindow::paneEntry(Pane which) const { return paneEntries_[static_cast<std::size_t>(which)]; }

void MainWindow::showPane(Pane which, bool shown)
{
    pane(which)->setVisible(shown);
    document_.setPaneShown(which, shown);
    statusLine_->say(qtText(textWith(document_.texts(), shown ? kTextAnnouncePaneShown : kTextAnnouncePaneHidden,
        {coreText(pane(which)->windowTitle())})));
}

MainWindow::~MainWindow() = default;

SpecFrame* MainWindow::specFrame() const { return meterPage_->specFrame(); }
SpecGridView* MainWindow::grid() const { return specFrame()->grid(); }

void MainWindow::buildMenu()
{
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("mnuPopup"));

    popup_->addAction(files_->openAction());
    popup_->addMenu(files_->recentMenu());
    popup_->addAction(files_->saveAction());
    popup_->addAction(files_->saveAsAction());
    // Opened by SecondaryWindows, with the other windows.
    addMenuEntry(popup_, "mnuCompare");
    addMenuSeparator(popup_, "mnuFile_sep");
    QAction* undo = addMenuEntry(popup_, "mnuUndo");
    QAction* redo = addMenuEntry(popup_, "mnuRedo");
    undo->setShortcut(QKeySequence::Undo);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    QUndoStack& stack = document_.undoStack();
    undo->setEnabled(stack.canUndo());
    redo->setEnabled(stack.canRedo());
    connect(&stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(undo, &QAction::triggered, &stack, &QUndoStack::undo);
    connect(redo, &QAction::triggered, &stack, &QUndoStack::redo);
    addMenuSeparator(popup_, "mnuEdit_sep");

    // The panes beside the pages, each with its key; the entry follows the
    // pane's own close button too.
    for (const auto& [which, name, key] :
        {std::tuple(Pane::Preview, "mnuPreview", Qt::Key_F8), std::tuple(Pane::Coverage, "mnuCoverage", Qt::Key_F9)}) {
        QAction* entry = addMenuEntry(popup_, name, true);
        entry->setShortcut(QKeySequence(key));
        paneEntries_[static_cast<std::size_t>(which)] = entry;
        connect(entry, &QAction::triggered, this, [this, which](bool on) { showPane(which, on); });
        connect(pane(which), &SidePane::closedByUser, this, [this, which, entry] {
            entry->setChecked(false);
            document_.setPaneShown(which, false);
        });
    }
    addMenuSeparator(popup_, "mnuView_sep");

    localization_ = new LocalizationCommands(
        {this, [this](TextWalk walk) { relabel(walk); }, [this](const std::function<void()>& show) { runModal(show); }},
        document_, popup_);
    onTop_ = addMenuEntry(popup_, "mnuToggle_OnTop", true);
    addMenuSeparator(popup_, "mnuHelp_sep");
    QAction* about = addMenuEntry(popup_, "mnuAbout");
    addMenuSeparator(popup_, "mnuQuit_sep");
    QAction* quit = addMenuEntry(popup_, "mnuQuit");
    quit->setShortcut(QKeySequence::Quit);

    // F10 and the Menu key open the menu wherever the focus is, as in other
    // desktop programs, with its first entry chosen: a screen reader reads
    // that entry at once, and the arrows and access keys go on from there.
    auto* openKey = new QAction(this);
    openKey->setObjectName(QStringLiteral("mnuOpenMenu"));
    openKey->setShortcuts({QKeySequence(Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    connect(openKey, &QAction::triggered, this, &MainWindow::openMenu);

    connect(onTop_, &QAction::triggered, this, &MainWindow::toggleTopMost);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    connect(quit, &QAction::triggered, this, &QWidget::close);
    for (QAction* a : {undo, redo, paneEntry(Pane::Preview), paneEntry(Pane::Coverage), quit, openKey}) {
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
    }
}

void MainWindow::openMenu()
{
    QAction* first = nullptr;
    for (QAction* entry : popup_->actions())
        if (!first && entry->isVisible() && entry->isEnabled() && !entry->isSeparator())
            first = entry;
    popup_->popup(picture5_->mapToGlobal(picture5_->rect().bottomLeft()), first);
    // The entry chosen, as the arrows would choose it, so it is heard.
    popup_->setActiveAction(first);
}

void MainWindow::relabel(TextWalk walk)
{
    document_.setTextWalk(walk);
    // Connection_Caption: the grid header's tooltip, before the walk names
    // the header by it.
    grid()->horizontalHeader()->setToolTip(QString::fromStdString(connectionCaption(walk, document_.texts())));
    walkControlTexts(this, walk, document_.texts(), document_.sink());
    // The function on show keeps its own row labels.
    specFrame()->relabelRows();
    coverage_->relabel();
    files_->rebuildRecentMenu();
    updateTitle();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (document_.firstActivate())
        firstActivation();
}

void MainWindow::firstActivation()
{
    specFrame()->placeRowLabels();
    mainTabs_->setCurrentIndex(0);
    meterPage_->tabs()->setCurrentIndex(0);
    specFrame()->focusGrid();
    document_.finishFirstActivation();
}

bool MainWindow::keepCellOrStay(QTabWidget* tabs, int gridTab)
{
    // The cell being typed is stored before its page goes out of sight;
    // when the check refuses it, the grid's tab comes back with the editor
    // open on the refused text.
    if (commitPendingEdit())
        return true;
    const QSignalBlocker stay(tabs);
    tabs->setCurrentIndex(gridTab);
    return false;
}

void MainWindow::mainTabChanged(int index)
{
    if (index != 0 && !keepCellOrStay(mainTabs_, 0))
        return;
    // The arrows on the tab strip go from tab to tab; a click or a
    // shortcut goes on into the page.
    const bool stay = mainTabs_->tabBar()->hasFocus();
    if (index == 0) {
        document_.setPage(Page::Meter);
        meterPage_->tabs()->setCurrentIndex(0);
        if (!stay)
            specFrame()->focusGrid();
    } else {
        document_.setPage(Page::Scope);
        scopePage_->tabs()->setCurrentIndex(0);
        if (!stay)
            scopePage_->focusFirstField();
    }
}

void MainWindow::documentChanged(Parts parts)
{
    // A file or an undo step may bring the other page.
    if (parts == kAllParts) {
        const int page = document_.inputs().page == Page::Scope ? 1 : 0;
        if (mainTabs_->currentIndex() != page)
            mainTabs_->setCurrentIndex(page);
    }
}

void MainWindow::applyTopMost(bool on)
{
    onTop_->setChecked(on);
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        show(); // changing the flags hides the window
}

void MainWindow::toggleTopMost()
{
    // The entry's check has already flipped: it says what the user asked for.
    const bool on = onTop_->isChecked();
    applyTopMost(on);
    document_.setTopMost(on);
}

void MainWindow::runModal(const std::function<void()>& show)
{
    const bool onTop = onTop_->isChecked();
    if (onTop)
        applyTopMost(false);
    grid()->setEnabled(false);
    show();
    if (onTop)
        applyTopMost(true);
    grid()->setEnabled(true);
    specFrame()->focusGrid();
}

void MainWindow::loadSample(int index)
{
    if (!files_->maybeSave(SpecFileCommands::Reason::Replace))
        return;
    {
        const WaitCursor wait;
        document_.loadSample(index);
    }
    grid()->moveTo(0, 0);
    specFrame()->focusGrid();
}

bool MainWindow::openFile(const QString& path) { return files_->openFile(path); }

QString MainWindow::specFileFilter() const { return files_->fileFilter(); }

void MainWindow::showCell(MeterFunction function, int row, int column)
{
    if (!commitPendingEdit())
        return;
    mainTabs_->setCurrentIndex(0);
    meterPage_->tabs()->setCurrentIndex(0);
    document_.setCurrentFunction(function);
    grid()->moveTo(row, column);
    raise();
    activateWindow();
    specFrame()->focusGrid();
}

void MainWindow::showControl(QWidget* control)
{
    if (!control || !isAncestorOf(control) || !commitPendingEdit())
        return;
    // Every tab strip on the way up shows the page that holds the control.
    for (QWidget* page = control; page && page != this; page = page->parentWidget()) {
        QWidget* stack = page->parentWidget();
        auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->indexOf(page) >= 0)
            tabs->setCurrentWidget(page);
    }
    raise();
    activateWindow();
    control->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::commitPendingEdit() { return grid()->commitEdit(); }

void MainWindow::updateTitle()
{
    const QString path = document_.filePath();
    // "[*]" is where the title marks unsaved changes.
    const TextLookup& texts = document_.texts();
    setWindowTitle(path.isEmpty()
            ? textOf(texts, kTextProgramName) + QStringLiteral("[*]")
            : qtText(textWith(texts, kTextFileTitle, {coreText(QFileInfo(path).fileName() + QStringLiteral("[*]"))})));
    setWindowFilePath(path);
    setWindowModified(document_.isModified());
}

void MainWindow::showAbout()
{
    AboutDialog about(document_, this);
    runModal([&] { about.exec(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!commitPendingEdit() || !files_->maybeSave(SpecFileCommands::Reason::Exit)) {
        event->ignore();
        return;
    }
    // The unload: the defaults are saved, whatever the window was doing.
    if (!closing_) {
        closing_ = true;
        document_.shutDown();
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedSpecification(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedSpecification(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
}

} // namespace kestrel::gui
