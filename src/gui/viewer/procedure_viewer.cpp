#include "gui/viewer/procedure_viewer.h"

#include "core/app/create.h"
#include "core/base/atomic_file.h"
#include "core/i18n/text_lookup.h"
#include "core/i18n/text_numbers.h"
#include "core/viewers/file_lists.h"
#include "core/viewers/help_files.h"
#include "core/viewers/line_highlighting.h"
#include "core/viewers/viewer_layout.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/file_paths.h"
#include "gui/common/text_pane_search.h"
#include "gui/common/text_positions.h"
#include "gui/common/twips.h"
#include "gui/common/viewer_icons.h"
#include "gui/common/window_texts.h"
#include "gui/help/viewer_openers.h"
#include "gui/viewer/procedure_highlighter.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTextBlock>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestrel::gui {
namespace {

// The procedure's width in characters, the column header's.
constexpr int kProcedureColumns = static_cast<int>(kProcedureWidth);

QTextCharFormat foreground(const QColor& colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    return format;
}

// Redraw stays frozen while the text box is recoloured, and the first
// visible line is the same afterwards.
class FrozenView {
public:
    explicit FrozenView(ProcedureViewer& viewer) : viewer_(viewer), firstLine_(viewer.firstVisibleLine())
    {
        viewer_.textBox()->setUpdatesEnabled(false);
    }
    ~FrozenView()
    {
        viewer_.setFirstVisibleLine(firstLine_);
        viewer_.textBox()->setUpdatesEnabled(true);
        viewer_.textBox()->viewport()->update();
    }
    FrozenView(const FrozenView&) = delete;
    FrozenView& operator=(const FrozenView&) = delete;

private:
    ProcedureViewer& viewer_;
    int firstLine_;
};

} // namespace

ProcedureViewer::ProcedureViewer(const ViewerContext& context, const std::string& procedureText, std::string reference,
    bool topmost, QWidget* parent)
    : QDialog(parent), context_(context), reference_(std::move(reference))
{
    setObjectName(QStringLiteral("frm_Colorized_Viewer"));
    buildControls();
    setTexts();
    // The procedure's own text, kept for Copy and Save As; the box shows it
    // with LF line ends and colours it where it stands.
    procedure_ = qtText(clipboardForm(procedureText));
    rtfMain_->setPlainText(qtText(shownForm(procedureText)));

    setMinimumSize(pixelsFromTwips(kProcedureViewerMinWidth), pixelsFromTwips(kProcedureViewerMinHeight));
    const QScreen* shown = parent ? parent->screen() : QApplication::primaryScreen();
    const int height = shown ? static_cast<int>(shown->geometry().height() * kProcedureViewerScreenShare) : 600;
    // 8990 twips hold a procedure's width in Courier New; a wider
    // fixed-pitch font widens the window so that CON stays in sight.
    const int lineWidth = QFontMetrics(rtfMain_->font()).horizontalAdvance(QString(kProcedureColumns, u'0'));
    const int textWidth = lineWidth +
        2 * (rtfMain_->frameWidth() + static_cast<int>(rtfMain_->document()->documentMargin())) +
        rtfMain_->verticalScrollBar()->sizeHint().width() + layout()->contentsMargins().left() +
        layout()->contentsMargins().right();
    fitCaptions(this);
    resizeWithinScreen(
        this, QSize(std::max(pixelsFromTwips(kProcedureViewerWidth), textWidth), std::max(height, minimumHeight())));
    if (topmost)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void ProcedureViewer::buildControls()
{
    chk_Colorize_ = new QCheckBox(this);
    nameControl(chk_Colorize_, QStringLiteral("chk_Colorize"));
    ProcToClip_ = toolButton(this, QStringLiteral("ProcToClip"), viewerIcon(ViewerIcon::Copy));
    cmdSearch_ = toolButton(this, QStringLiteral("cmdSearch"), viewerIcon(ViewerIcon::Find));
    cmd_SearchAgain_ = toolButton(this, QStringLiteral("cmd_SearchAgain"), viewerIcon(ViewerIcon::FindAgain));
    cmd_ReferenceHelp_ = toolButton(this, QStringLiteral("cmd_ReferenceHelp"), viewerIcon(ViewerIcon::Help));
    cmd_Acc_File_ = toolButton(this, QStringLiteral("cmd_Acc_File"), viewerIcon(ViewerIcon::Accuracy));
    cmd_Save_ = toolButton(this, QStringLiteral("cmd_Save"), viewerIcon(ViewerIcon::Save));
    cmd_Print_ = toolButton(this, QStringLiteral("cmd_Print"), viewerIcon(ViewerIcon::Print));
    cmd_SearchAgain_->setEnabled(false);

    rtfMain_ = new QPlainTextEdit(this);
    nameControl(rtfMain_, QStringLiteral("rtfMain"));
    rtfMain_->setFont(procedureFont());
    rtfMain_->setLineWrapMode(QPlainTextEdit::NoWrap);
    rtfMain_->setReadOnly(true);
    rtfMain_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    rtfMain_->setUndoRedoEnabled(false);
    // Plain text is black on white whatever the desktop's colours: the
    // highlighting colours are chosen for that.
    QPalette palette = rtfMain_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    rtfMain_->setPalette(palette);
    rtfMain_->installEventFilter(this);

    // The legend lies on a strip of its own and moves sideways with the
    // text, so that it stays above its columns however the text scrolls.
    auto* legendStrip = new QWidget(this);
    lbl_Legend_ = new QLabel(qtText(kViewerLegend), legendStrip);
    nameControl(lbl_Legend_, QStringLiteral("lbl_Legend"));
    lbl_Legend_->setFont(procedureFont());
    lbl_Legend_->setTextFormat(Qt::PlainText);
    lbl_Legend_->setContentsMargins(
        rtfMain_->frameWidth() + static_cast<int>(rtfMain_->document()->documentMargin()), 0, 0, 0);
    lbl_Legend_->resize(lbl_Legend_->sizeHint());
    legendStrip->setFixedHeight(lbl_Legend_->height());
    legendStrip->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    connect(rtfMain_->horizontalScrollBar(), &QScrollBar::valueChanged, lbl_Legend_,
        [this](int offset) { lbl_Legend_->move(-offset, 0); });

    auto* tools = new QHBoxLayout;
    tools->setSpacing(2);
    for (QToolButton* button :
        {ProcToClip_, cmd_Save_, cmd_Print_, cmdSearch_, cmd_SearchAgain_, cmd_ReferenceHelp_, cmd_Acc_File_})
        tools->addWidget(button);
    tools->addStretch();
    tools->addWidget(chk_Colorize_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(legendStrip);
    layout->addWidget(rtfMain_, 1);
    layout->setSpacing(2);

    connect(chk_Colorize_, &QCheckBox::toggled, this, &ProcedureViewer::colorizeClicked);
    connect(ProcToClip_, &QToolButton::clicked, this, &ProcedureViewer::copyToClipboard);
    connect(cmdSearch_, &QToolButton::clicked, this, &ProcedureViewer::search);
    connect(cmd_SearchAgain_, &QToolButton::clicked, this, &ProcedureViewer::searchAgain);
    connect(cmd_ReferenceHelp_, &QToolButton::clicked, this, &ProcedureViewer::referenceHelp);
    connect(cmd_Acc_File_, &QToolButton::clicked, this, &ProcedureViewer::accuracyFile);
    connect(cmd_Save_, &QToolButton::clicked, this, &ProcedureViewer::saveAs);
    connect(cmd_Print_, &QToolButton::clicked, this, &ProcedureViewer::printWithPreview);

    // The keys work anywhere in the window, not only in the text.
    const auto addKey = [this](const QKeySequence& key, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addKey(QKeySequence(Qt::Key_F1), [this] { referenceHelp(); });
    addKey(QKeySequence(Qt::Key_F3), [this] { searchAgain(); });
    addKey(QKeySequence::Find, [this] {
        cmdSearch_->setFocus();
        search();
    });
    addKey(QKeySequence::Save, [this] { saveAs(); });
    addKey(QKeySequence::Print, [this] { printWithPreview(); });
}

void ProcedureViewer::setTexts()
{
    const TextLookup& texts = context_.texts;
    setWindowTitle(textOf(texts, kTextProgramName));
    // Heard as what it holds, not by its object name.
    rtfMain_->setAccessibleName(qtText(textWith(texts, kTextViewerProcedureText, {reference_})));
    setCaption(chk_Colorize_, texts, kTextKeywordHighlighting);
    gui::setToolTip(ProcToClip_, texts, kTextCopyToClipboard);
    gui::setToolTip(cmdSearch_, texts, kTextFind);
    gui::setToolTip(cmd_SearchAgain_, texts, kTextFindAgain);
    gui::setToolTip(cmd_ReferenceHelp_, texts, kTextReferenceHelp);
    gui::setToolTip(cmd_Acc_File_, texts, kTextAccuracyFile);
    gui::setToolTip(cmd_Save_, texts, kTextSaveAsTooltip);
    gui::setToolTip(cmd_Print_, texts, kTextPrintTooltip);
}

void ProcedureViewer::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!firstActivation_)
        return;
    firstActivation_ = false;
    QTextCursor start = rtfMain_->textCursor();
    start.movePosition(QTextCursor::Start);
    rtfMain_->setTextCursor(start);
    rtfMain_->setFocus();
}

bool ProcedureViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rtfMain_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && chk_Colorize_->isChecked())
            colorSelectedLine(-1);
    }
    return QDialog::eventFilter(watched, event);
}

void ProcedureViewer::colorSelectedLine(int line)
{
    QTextDocument* document = rtfMain_->document();
    const QTextBlock block =
        line < 0 ? document->findBlock(rtfMain_->textCursor().selectionStart()) : document->findBlockByNumber(line);
    if (!block.isValid())
        return;
    const QString text = block.text();
    const std::vector<HighlightSpan> spans = highlightLine(coreText(text));
    if (spans.empty())
        return;
    // A cursor of its own: the caret and selection of the text box stay.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const HighlightSpan& span : spans) {
        cursor.setPosition(block.position() + utf16Position(text, span.start));
        cursor.setPosition(block.position() + utf16Position(text, span.start + span.length), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(foreground(highlightColour(span.colour)));
    }
    cursor.endEditBlock();
    colouredLines_.insert(block.blockNumber());
}

int ProcedureViewer::firstVisibleLine() const
{
    // Lines do not wrap, so the scroll position counts lines.
    return rtfMain_->verticalScrollBar()->value();
}

void ProcedureViewer::setFirstVisibleLine(int line) { rtfMain_->verticalScrollBar()->setValue(line); }

int ProcedureViewer::visibleLineCount() const
{
    return rtfMain_->viewport()->height() / QFontMetrics(rtfMain_->font()).height();
}

void ProcedureViewer::colorVisibleLines()
{
    if (!chk_Colorize_->isChecked())
        return;
    const int first = firstVisibleLine();
    const int last = first + visibleLineCount();
    QTextCursor batch(rtfMain_->document());
    batch.beginEditBlock(); // one layout pass for all the lines
    for (int line = first; line <= last; ++line)
        colorSelectedLine(line);
    batch.endEditBlock();
}

void ProcedureViewer::colorizeClicked()
{
    {
        FrozenView frozen(*this);
        if (chk_Colorize_->isChecked()) {
            colorVisibleLines();
        } else {
            QTextCursor line(rtfMain_->document());
            line.beginEditBlock();
            for (const int number : colouredLines_) {
                const QTextBlock block = rtfMain_->document()->findBlockByNumber(number);
                line.setPosition(block.position());
                line.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
                line.mergeCharFormat(foreground(Qt::black));
            }
            line.endEditBlock();
            colouredLines_.clear();
        }
    }
    rtfMain_->setFocus();
}

void ProcedureViewer::search()
{
    const QTextCursor caret = rtfMain_->textCursor();
    QString offered;
    if (caret.hasSelection()) {
        context_.state.searchString = coreText(caret.selectedText().replace(QChar::ParagraphSeparator, u'\n'));
        offered = qtText(context_.state.searchString);
    }
    const std::optional<QString> answer =
        askSearchText(this, textOf(context_.texts, kTextEnterSearchString), offered, context_.texts);
    if (answer) {
        context_.state.searchString = coreText(*answer);
        searchAgain();
        return;
    }
    rtfMain_->setFocus();
}

void ProcedureViewer::searchAgain()
{
    // From one character after the caret, so that a hit already selected
    // is passed over.
    const int from = rtfMain_->textCursor().selectionStart() + 1;
    const bool found = findAndSelect(rtfMain_, qtText(context_.state.searchString), from);
    cmd_SearchAgain_->setEnabled(found);
    if (!found)
        context_.sink.inform(context_.texts.gettext(kTextSearchFailed));
    rtfMain_->setFocus();
}

void ProcedureViewer::referenceHelp()
{
    const QString line = rtfMain_->document()->findBlock(rtfMain_->textCursor().selectionStart()).text();
    const LineHelp help = lineHelp(coreText(line), listFiles(filesystemPath(context_.helpDir), kHelpPattern));
    if (!help.missingFsc.empty()) {
        const int message = help.file.empty() ? kTextNoHelpAtAll : kTextNoHelpForFsc;
        context_.sink.inform(textWith(context_.texts, message, {help.missingFsc}));
        if (help.file.empty())
            return;
    }
    openHelpViewer(context_, help.file, this, cmd_ReferenceHelp_);
}

void ProcedureViewer::accuracyFile()
{
    openAccuracyViewer(context_, calibratorAccuracyFile(reference_), this, cmd_Acc_File_);
}

QString ProcedureViewer::plainText() const { return procedure_; }

void ProcedureViewer::copyToClipboard()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(plainText());
    accept();
}

bool ProcedureViewer::saveTo(const QString& path, QString& error) const
{
    std::string reason;
    if (writeFileAtomically(filesystemPath(path), coreText(plainText()), reason))
        return true;
    error = qtText(reason);
    return false;
}

void ProcedureViewer::saveAs()
{
    const TextLookup& texts = context_.texts;
    QFileDialog dialog(this, textOf(texts, kTextSaveProcedureAs));
    dialog.setObjectName(QStringLiteral("SaveProcedureDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(
        {textOf(texts, kTextProcedureFiles), textOf(texts, kTextAllFilesName) + QStringLiteral(" (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().constFirst();
    QString error;
    if (!saveTo(path, error))
        context_.sink.inform(
            errorReport(context_.texts, " save procedure ", coreText(path + QStringLiteral(": ") + error)),
            MessageIcon::Exclamation);
}

void ProcedureViewer::print(QPrinter* printer) const { rtfMain_->print(printer); }

void ProcedureViewer::printWithPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { print(p); });
    preview.exec();
}

} // namespace kestrel::gui
