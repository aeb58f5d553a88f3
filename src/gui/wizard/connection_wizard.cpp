#include "gui/wizard/connection_wizard.h"

#include "core/base/small_file.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/connection_store.h"
#include "core/viewers/file_lists.h"
#include "gui/common/caption_fitting.h"
#include "gui/common/file_paths.h"
#include "gui/common/option_group_keys.h"
#include "gui/common/text_positions.h"
#include "gui/common/viewer_icons.h"
#include "gui/common/wait_cursor.h"
#include "gui/common/window_texts.h"

#include <QBuffer>
#include <QDir>
#include <QHBoxLayout>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace kestrel::gui {
namespace {

constexpr QSize kPreviewSize(176, 132);
// Far more than any picture a technician photographs for a connection.
constexpr std::uintmax_t kMaxPictureSize = 64u << 20;

QString lineNumbers()
{
    QStringList numbers;
    for (std::size_t line = 1; line <= kInstructionLines; ++line)
        numbers << QString::number(line);
    return numbers.join(u'\n');
}

} // namespace

ConnectionWizard::ConnectionWizard(const TextLookup& texts, MessageSink& sink, const QString& picDir,
    ConnectionStore& records, MeterFunction function, int column, const QString& caption, QWidget* parent)
    : QDialog(parent), texts_(texts), sink_(sink), picDir_(picDir), records_(records), function_(function),
      column_(column)
{
    setObjectName(QStringLiteral("Connection_Wizard"));
    buildControls();
    setTexts(caption);
    // Within the screen however long the translated captions are.
    fitCaptions(this);
    resizeWithinScreen(this);
    try {
        load();
    } catch (const std::exception& failure) {
        sink_.inform(" Wizard load error: " + std::string(failure.what()));
    }
}

void ConnectionWizard::buildControls()
{
    const QString optionNames[3] = {
        QStringLiteral("opt_Which_0"), QStringLiteral("opt_Which_1"), QStringLiteral("opt_Which_2")};
    auto* options = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        opt_Which_[i] = new QRadioButton(this);
        nameControl(opt_Which_[i], optionNames[i]);
        // A choice of one (so screen readers hear option buttons and the
        // arrows move between them); none is chosen until the user
        // chooses one, and Clear unchooses all.
        opt_Which_[i]->setAutoExclusive(true);
        const auto option = static_cast<WizardOption>(i);
        connect(opt_Which_[i], &QRadioButton::clicked, this, [this, option] { optionClicked(option); });
        options->addWidget(opt_Which_[i]);
    }
    makeOneChoice({opt_Which_[0], opt_Which_[1], opt_Which_[2]});
    options->addStretch();

    File1_ = new QListWidget(this);
    nameControl(File1_, QStringLiteral("File1"));
    File1_->setEnabled(false);
    connect(File1_, &QListWidget::currentRowChanged, this, &ConnectionWizard::pictureChosen);

    Image1_ = new QLabel(this);
    nameControl(Image1_, QStringLiteral("Image1"));
    Image1_->setFixedSize(kPreviewSize);
    Image1_->setAlignment(Qt::AlignCenter);
    Image1_->setFrameShape(QFrame::StyledPanel);
    lbl_corrupted_File_ = new QLabel(this);
    nameControl(lbl_corrupted_File_, QStringLiteral("lbl_corrupted_File"));
    lbl_corrupted_File_->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    lbl_corrupted_File_->setWordWrap(true);
    lbl_corrupted_File_->hide();

    const QFont font = procedureFont();
    const QFontMetrics metrics(font);
    ConnectionText_ = new QPlainTextEdit(this);
    nameControl(ConnectionText_, QStringLiteral("ConnectionText"));
    ConnectionText_->setFont(font);
    ConnectionText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    ConnectionText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ConnectionText_->setTabChangesFocus(true);
    const int margins =
        2 * (ConnectionText_->frameWidth() + static_cast<int>(ConnectionText_->document()->documentMargin()));
    ConnectionText_->setFixedSize(
        metrics.horizontalAdvance(QString(static_cast<int>(kInstructionLineLength), u'M')) + margins + 4,
        metrics.lineSpacing() * static_cast<int>(kInstructionLines) + margins + 2);
    ConnectionText_->installEventFilter(this);
    connect(ConnectionText_, &QPlainTextEdit::textChanged, this, &ConnectionWizard::editorChanged);
    connect(ConnectionText_, &QPlainTextEdit::cursorPositionChanged, this, &ConnectionWizard::caretMoved);

    lbl_LineCounter_ = new QLabel(lineNumbers(), this);
    nameControl(lbl_LineCounter_, QStringLiteral("lbl_LineCounter"));
    lbl_LineCounter_->setFont(font);
    lbl_LineCounter_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbl_LineCounter_->setContentsMargins(0, margins / 2, 0, 0);
    QPalette dim = lbl_LineCounter_->palette();
    dim.setColor(QPalette::WindowText, dim.color(QPalette::Disabled, QPalette::WindowText));
    lbl_LineCounter_->setPalette(dim);

    cmd_Clear_ = new QToolButton(this);
    nameControl(cmd_Clear_, QStringLiteral("cmd_Clear"));
    cmd_Clear_->setIcon(viewerIcon(ViewerIcon::Clear));
    cmd_Clear_->setIconSize(QSize(20, 20));
    connect(cmd_Clear_, &QToolButton::clicked, this, &ConnectionWizard::clear);

    cmd_OK_ = new QPushButton(this);
    nameControl(cmd_OK_, QStringLiteral("cmd_OK"));
    cmd_OK_->setAutoDefault(false);
    cmd_Cancel_ = new QPushButton(this);
    nameControl(cmd_Cancel_, QStringLiteral("cmd_Cancel"));
    cmd_Cancel_->setAutoDefault(false);
    connect(cmd_OK_, &QPushButton::clicked, this, &ConnectionWizard::ok);
    connect(cmd_Cancel_, &QPushButton::clicked, this, &ConnectionWizard::reject);

    auto* preview = new QVBoxLayout;
    preview->addWidget(Image1_);
    preview->addWidget(lbl_corrupted_File_);
    preview->addStretch();
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(File1_, 1);
    pictures->addLayout(preview);

    auto* editor = new QHBoxLayout;
    editor->addWidget(lbl_LineCounter_);
    editor->addWidget(ConnectionText_);
    auto* clearColumn = new QVBoxLayout;
    clearColumn->addWidget(cmd_Clear_);
    clearColumn->addStretch();
    editor->addLayout(clearColumn);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_OK_);
    buttons->addWidget(cmd_Cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(pictures, 1);
    layout->addLayout(editor);
    layout->addLayout(buttons);
    // As large as its contents need, never smaller; the captions may be cut.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    File1_->setMinimumHeight(kPreviewSize.height());
}

void ConnectionWizard::setTexts(const QString& caption)
{
    setWindowTitle(caption.trimmed().isEmpty() ? textOf(texts_, kTextPicDispWizard) : caption);
    setCaption(opt_Which_[0], texts_, kTextWizardPic);
    setCaption(opt_Which_[1], texts_, kTextWizardDisp);
    setCaption(opt_Which_[2], texts_, kTextWizardBoth);
    setCaption(lbl_corrupted_File_, texts_, kTextCannotDisplayPicture);
    gui::setToolTip(cmd_Clear_, texts_, kTextWizardClear);
    setCaption(cmd_OK_, texts_, kTextOk);
    setCaption(cmd_Cancel_, texts_, kTextCancel);
    // The preview is heard by the picture it shows, "Picture" while empty.
    Image1_->setAccessibleName(textOf(texts_, kTextPictureLabel));
    ConnectionText_->setAccessibleName(textOf(texts_, kTextEnterConnectionText));
    // Shown while the editor is empty, never stored: where the prompt
    // cannot be an instruction it is only this hint.
    ConnectionText_->setPlaceholderText(textOf(texts_, kTextEnterConnectionText));
    File1_->setAccessibleName(textOf(texts_, kTextWizardPic));
}

void ConnectionWizard::load()
{
    pictures_ = listFiles(filesystemPath(picDir_), kPicturePattern);
    // A name a PIC step cannot hold (too long, a control character) would
    // make a specification that Save writes and Open refuses: not offered.
    std::erase_if(pictures_, [](const std::string& name) { return !pictureNameProblem(name).empty(); });
    for (const std::string& picture : pictures_)
        File1_->addItem(qtText(picture));
    File1_->setCurrentRow(-1);

    start_ = wizardStart(records_, function_, column_, texts_.gettext(kTextEnterConnectionText));
    if (!start_.picture.empty()) {
        showPicture(qtText(start_.picture));
        recordPicture_ = findListEntry(pictures_, start_.picture);
        File1_->setEnabled(true);
    }
    setEditorText(qtText(start_.editorText));
    ConnectionText_->setReadOnly(!start_.editorEditable);
}

void ConnectionWizard::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (busy_)
        firstActivation();
}

void ConnectionWizard::firstActivation()
{
    if (recordPicture_ >= 0) {
        File1_->setCurrentRow(recordPicture_);
        File1_->setFocus();
    }
    busy_ = false;
    if (!start_.option)
        return;
    optionClicked(*start_.option);
    if (*start_.option == WizardOption::Both)
        File1_->setFocus();
}

void ConnectionWizard::optionClicked(WizardOption option)
{
    for (int i = 0; i < 3; ++i)
        opt_Which_[i]->setChecked(static_cast<int>(option) == i);
    if (busy_)
        return;
    const auto promptIfEmpty = [this] {
        if (ConnectionText_->toPlainText().isEmpty())
            setEditorText(qtText(wizardPromptText(texts_.gettext(kTextEnterConnectionText))));
    };
    switch (option) {
    case WizardOption::Pic:
        File1_->setEnabled(true);
        if (QListWidgetItem* item = File1_->currentItem())
            showPicture(item->text());
        ConnectionText_->setEnabled(false);
        ConnectionText_->setReadOnly(true);
        break;
    case WizardOption::Disp:
        File1_->setEnabled(false);
        clearPicture();
        ConnectionText_->setEnabled(true);
        ConnectionText_->setReadOnly(false);
        promptIfEmpty();
        ConnectionText_->setFocus();
        break;
    case WizardOption::Both:
        File1_->setEnabled(true);
        if (QListWidgetItem* item = File1_->currentItem())
            showPicture(item->text());
        ConnectionText_->setEnabled(true);
        ConnectionText_->setReadOnly(false);
        promptIfEmpty();
        break;
    }
}

void ConnectionWizard::pictureChosen()
{
    if (busy_)
        return;
    if (QListWidgetItem* item = File1_->currentItem()) {
        WaitCursor wait;
        showPicture(item->text());
    }
}

void ConnectionWizard::showPicture(const QString& fileName)
{
    lbl_corrupted_File_->hide();
    // Only a bare name in the picture folder, and only a regular file, read
    // here with a cap: Qt opening a pipe under that name would wait for a
    // writer with the window frozen.
    QImage image;
    const std::string name = coreText(fileName);
    if (pictureNameProblem(name).empty()) {
        const SmallFile file = readSmallFile(filesystemPath(QDir(picDir_).filePath(fileName)), kMaxPictureSize);
        if (file.status == SmallFileStatus::Read) {
            QByteArray bytes = QByteArray::fromStdString(file.content);
            QBuffer buffer(&bytes);
            QImageReader reader(&buffer);
            reader.setAutoTransform(true);
            image = reader.read();
        }
    }
    if (image.isNull()) {
        Image1_->clear();
        Image1_->setAccessibleName(textOf(texts_, kTextPictureLabel));
        lbl_corrupted_File_->show();
        return;
    }
    const QSize room = Image1_->contentsRect().size();
    const QPixmap pixmap = QPixmap::fromImage(image);
    Image1_->setAccessibleName(fileName);
    Image1_->setPixmap(image.width() > room.width() || image.height() > room.height()
            ? pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : pixmap);
}

void ConnectionWizard::clearPicture()
{
    Image1_->clear();
    Image1_->setAccessibleName(textOf(texts_, kTextPictureLabel));
    lbl_corrupted_File_->hide();
}

void ConnectionWizard::clear()
{
    File1_->setCurrentRow(-1);
    clearPicture();
    setEditorText(QString());
    ConnectionText_->setEnabled(false);
    // An exclusive option cannot be unchosen by itself: for the moment of
    // clearing, the options are not exclusive.
    for (QRadioButton* option : opt_Which_) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void ConnectionWizard::ok()
{
    const QListWidgetItem* item = File1_->currentItem();
    const std::string picture = item ? coreText(item->text()) : std::string();
    // A text no record may hold (a pasted control character) is said and
    // the wizard stays open, so that nothing Save would refuse gets in.
    const std::string problem = applyWizardChoice(
        records_, checkedOption(), function_, column_, picture, coreText(ConnectionText_->toPlainText()));
    if (!problem.empty()) {
        sink_.inform(textWith(texts_, kTextInstructionRefused, {problem}), MessageIcon::Exclamation);
        ConnectionText_->setFocus();
        return;
    }
    accept();
}

std::optional<WizardOption> ConnectionWizard::checkedOption() const
{
    for (int i = 0; i < 3; ++i)
        if (opt_Which_[i]->isChecked())
            return static_cast<WizardOption>(i);
    return std::nullopt;
}

// The editor's rules: the whole text selected on focus, 56 characters a
// line (an overlong change is undone, caret and selection included), Enter
// refused on the eighth line and the caption counting the lines.

void ConnectionWizard::setEditorText(const QString& text)
{
    restoring_ = true;
    ConnectionText_->setPlainText(text);
    restoring_ = false;
    editorRule_.reset(editorContent());
}

EditorContent ConnectionWizard::editorContent() const
{
    const QString text = ConnectionText_->toPlainText();
    const QTextCursor cursor = ConnectionText_->textCursor();
    const std::size_t start = characterPosition(text, cursor.selectionStart());
    const std::size_t end = characterPosition(text, cursor.selectionEnd());
    return {coreText(text), start, end - start};
}

void ConnectionWizard::editorChanged()
{
    if (busy_ || restoring_)
        return;
    const std::optional<EditorContent> back = editorRule_.afterChange(editorContent());
    if (!back)
        return;
    restoring_ = true;
    const QString text = qtText(back->text);
    ConnectionText_->setPlainText(text);
    QTextCursor cursor = ConnectionText_->textCursor();
    cursor.setPosition(utf16Position(text, back->caret));
    cursor.setPosition(utf16Position(text, back->caret + back->selectionLength), QTextCursor::KeepAnchor);
    ConnectionText_->setTextCursor(cursor);
    restoring_ = false;
}

void ConnectionWizard::caretMoved()
{
    if (!busy_ && !restoring_)
        editorRule_.caretMoved(editorContent());
}

bool ConnectionWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ConnectionText_) {
        if (event->type() == QEvent::FocusIn) {
            ConnectionText_->selectAll();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !ConnectionText_->isReadOnly()) {
                const std::optional<std::string> caption = enterCaption(coreText(ConnectionText_->toPlainText()));
                if (!caption)
                    return true; // the eighth line: Enter is refused
                setWindowTitle(qtText(*caption));
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrel::gui
