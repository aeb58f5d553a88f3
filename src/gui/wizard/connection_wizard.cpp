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
        recordKindButtons_[i] = new QRadioButton(this);
        nameControl(recordKindButtons_[i], optionNames[i]);
        // A choice of one (so screen readers hear option buttons and the
        // arrows move between them); none is chosen until the user
        // chooses one, and Clear unchooses all.
        recordKindButtons_[i]->setAutoExclusive(true);
        const auto option = static_cast<WizardOption>(i);
        connect(recordKindButtons_[i], &QRadioButton::clicked, this, [this, option] { optionClicked(option); });
        options->addWidget(recordKindButtons_[i]);
    }
    makeOneChoice({recordKindButtons_[0], recordKindButtons_[1], recordKindButtons_[2]});
    options->addStretch();

    pictureList_ = new QListWidget(this);
    nameControl(pictureList_, QStringLiteral("File1"));
    pictureList_->setEnabled(false);
    connect(pictureList_, &QListWidget::currentRowChanged, this, &ConnectionWizard::pictureChosen);

    picturePreview_ = new QLabel(this);
    nameControl(picturePreview_, QStringLiteral("Image1"));
    picturePreview_->setFixedSize(kPreviewSize);
    picturePreview_->setAlignment(Qt::AlignCenter);
    picturePreview_->setFrameShape(QFrame::StyledPanel);
    corruptedFileLabel_ = new QLabel(this);
    nameControl(corruptedFileLabel_, QStringLiteral("lbl_corrupted_File"));
    corruptedFileLabel_->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    corruptedFileLabel_->setWordWrap(true);
    corruptedFileLabel_->hide();

    const QFont font = procedureFont();
    const QFontMetrics metrics(font);
    instructionText_ = new QPlainTextEdit(this);
    nameControl(instructionText_, QStringLiteral("ConnectionText"));
    instructionText_->setFont(font);
    instructionText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    instructionText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    instructionText_->setTabChangesFocus(true);
    const int margins =
        2 * (instructionText_->frameWidth() + static_cast<int>(instructionText_->document()->documentMargin()));
    instructionText_->setFixedSize(
        metrics.horizontalAdvance(QString(static_cast<int>(kInstructionLineLength), u'M')) + margins + 4,
        metrics.lineSpacing() * static_cast<int>(kInstructionLines) + margins + 2);
    instructionText_->installEventFilter(this);
    connect(instructionText_, &QPlainTextEdit::textChanged, this, &ConnectionWizard::editorChanged);
    connect(instructionText_, &QPlainTextEdit::cursorPositionChanged, this, &ConnectionWizard::caretMoved);

    lineCounter_ = new QLabel(lineNumbers(), this);
    nameControl(lineCounter_, QStringLiteral("lbl_LineCounter"));
    lineCounter_->setFont(font);
    lineCounter_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lineCounter_->setContentsMargins(0, margins / 2, 0, 0);
    QPalette dim = lineCounter_->palette();
    dim.setColor(QPalette::WindowText, dim.color(QPalette::Disabled, QPalette::WindowText));
    lineCounter_->setPalette(dim);

    clearButton_ = new QToolButton(this);
    nameControl(clearButton_, QStringLiteral("cmd_Clear"));
    clearButton_->setIcon(viewerIcon(ViewerIcon::Clear));
    clearButton_->setIconSize(QSize(20, 20));
    connect(clearButton_, &QToolButton::clicked, this, &ConnectionWizard::clear);

    okButton_ = new QPushButton(this);
    nameControl(okButton_, QStringLiteral("cmd_OK"));
    okButton_->setAutoDefault(false);
    cancelButton_ = new QPushButton(this);
    nameControl(cancelButton_, QStringLiteral("cmd_Cancel"));
    cancelButton_->setAutoDefault(false);
    connect(okButton_, &QPushButton::clicked, this, &ConnectionWizard::ok);
    connect(cancelButton_, &QPushButton::clicked, this, &ConnectionWizard::reject);

    auto* preview = new QVBoxLayout;
    preview->addWidget(picturePreview_);
    preview->addWidget(corruptedFileLabel_);
    preview->addStretch();
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(pictureList_, 1);
    pictures->addLayout(preview);

    auto* editor = new QHBoxLayout;
    editor->addWidget(lineCounter_);
    editor->addWidget(instructionText_);
    auto* clearColumn = new QVBoxLayout;
    clearColumn->addWidget(clearButton_);
    clearColumn->addStretch();
    editor->addLayout(clearColumn);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addLayout(pictures, 1);
    layout->addLayout(editor);
    layout->addLayout(buttons);
    // As large as its contents need, never smaller; the captions may be cut.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    pictureList_->setMinimumHeight(kPreviewSize.height());
}

void ConnectionWizard::setTexts(const QString& caption)
{
    setWindowTitle(caption.trimmed().isEmpty() ? textOf(texts_, kTextPicDispWizard) : caption);
    setCaption(recordKindButtons_[0], texts_, kTextWizardPic);
    setCaption(recordKindButtons_[1], texts_, kTextWizardDisp);
    setCaption(recordKindButtons_[2], texts_, kTextWizardBoth);
    setCaption(corruptedFileLabel_, texts_, kTextCannotDisplayPicture);
    gui::setToolTip(clearButton_, texts_, kTextWizardClear);
    setCaption(okButton_, texts_, kTextOk);
    setCaption(cancelButton_, texts_, kTextCancel);
    // The preview is heard by the picture it shows, "Picture" while empty.
    picturePreview_->setAccessibleName(textOf(texts_, kTextPictureLabel));
    instructionText_->setAccessibleName(textOf(texts_, kTextEnterConnectionText));
    // Shown while the editor is empty, never stored: where the prompt
    // cannot be an instruction it is only this hint.
    instructionText_->setPlaceholderText(textOf(texts_, kTextEnterConnectionText));
    pictureList_->setAccessibleName(textOf(texts_, kTextWizardPic));
}

void ConnectionWizard::load()
{
    pictures_ = listFiles(filesystemPath(picDir_), kPicturePattern);
    // A name a PIC step cannot hold (too long, a control character) would
    // make a specification that Save writes and Open refuses: not offered.
    std::erase_if(pictures_, [](const std::string& name) { return !pictureNameProblem(name).empty(); });
    for (const std::string& picture : pictures_)
        pictureList_->addItem(qtText(picture));
    pictureList_->setCurrentRow(-1);

    start_ = wizardStart(records_, function_, column_, texts_.gettext(kTextEnterConnectionText));
    if (!start_.picture.empty()) {
        showPicture(qtText(start_.picture));
        recordPicture_ = findListEntry(pictures_, start_.picture);
        pictureList_->setEnabled(true);
    }
    setEditorText(qtText(start_.editorText));
    instructionText_->setReadOnly(!start_.editorEditable);
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
        pictureList_->setCurrentRow(recordPicture_);
        pictureList_->setFocus();
    }
    busy_ = false;
    if (!start_.option)
        return;
    optionClicked(*start_.option);
    if (*start_.option == WizardOption::Both)
        pictureList_->setFocus();
}

void ConnectionWizard::optionClicked(WizardOption option)
{
    for (int i = 0; i < 3; ++i)
        recordKindButtons_[i]->setChecked(static_cast<int>(option) == i);
    if (busy_)
        return;
    const auto promptIfEmpty = [this] {
        if (instructionText_->toPlainText().isEmpty())
            setEditorText(qtText(wizardPromptText(texts_.gettext(kTextEnterConnectionText))));
    };
    switch (option) {
    case WizardOption::Pic:
        pictureList_->setEnabled(true);
        if (QListWidgetItem* item = pictureList_->currentItem())
            showPicture(item->text());
        instructionText_->setEnabled(false);
        instructionText_->setReadOnly(true);
        break;
    case WizardOption::Disp:
        pictureList_->setEnabled(false);
        clearPicture();
        instructionText_->setEnabled(true);
        instructionText_->setReadOnly(false);
        promptIfEmpty();
        instructionText_->setFocus();
        break;
    case WizardOption::Both:
        pictureList_->setEnabled(true);
        if (QListWidgetItem* item = pictureList_->currentItem())
            showPicture(item->text());
        instructionText_->setEnabled(true);
        instructionText_->setReadOnly(false);
        promptIfEmpty();
        break;
    }
}

void ConnectionWizard::pictureChosen()
{
    if (busy_)
        return;
    if (QListWidgetItem* item = pictureList_->currentItem()) {
        WaitCursor wait;
        showPicture(item->text());
    }
}

void ConnectionWizard::showPicture(const QString& fileName)
{
    corruptedFileLabel_->hide();
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
        picturePreview_->clear();
        picturePreview_->setAccessibleName(textOf(texts_, kTextPictureLabel));
        corruptedFileLabel_->show();
        return;
    }
    const QSize room = picturePreview_->contentsRect().size();
    const QPixmap pixmap = QPixmap::fromImage(image);
    picturePreview_->setAccessibleName(fileName);
    picturePreview_->setPixmap(image.width() > room.width() || image.height() > room.height()
            ? pixmap.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : pixmap);
}

void ConnectionWizard::clearPicture()
{
    picturePreview_->clear();
    picturePreview_->setAccessibleName(textOf(texts_, kTextPictureLabel));
    corruptedFileLabel_->hide();
}

void ConnectionWizard::clear()
{
    pictureList_->setCurrentRow(-1);
    clearPicture();
    setEditorText(QString());
    instructionText_->setEnabled(false);
    // An exclusive option cannot be unchosen by itself: for the moment of
    // clearing, the options are not exclusive.
    for (QRadioButton* option : recordKindButtons_) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void ConnectionWizard::ok()
{
    const QListWidgetItem* item = pictureList_->currentItem();
    const std::string picture = item ? coreText(item->text()) : std::string();
    // A text no record may hold (a pasted control character) is said and
    // the wizard stays open, so that nothing Save would refuse gets in.
    const std::string problem = applyWizardChoice(
        records_, checkedOption(), function_, column_, picture, coreText(instructionText_->toPlainText()));
    if (!problem.empty()) {
        sink_.inform(textWith(texts_, kTextInstructionRefused, {problem}), MessageIcon::Exclamation);
        instructionText_->setFocus();
        return;
    }
    accept();
}

std::optional<WizardOption> ConnectionWizard::checkedOption() const
{
    for (int i = 0; i < 3; ++i)
        if (recordKindButtons_[i]->isChecked())
            return static_cast<WizardOption>(i);
    return std::nullopt;
}

// The editor's rules: the whole text selected on focus, 56 characters a
// line (an overlong change is undone, caret and selection included), Enter
// refused on the eighth line and the caption counting the lines.

void ConnectionWizard::setEditorText(const QString& text)
{
    restoring_ = true;
    instructionText_->setPlainText(text);
    restoring_ = false;
    editorRule_.reset(editorContent());
}

EditorContent ConnectionWizard::editorContent() const
{
    const QString text = instructionText_->toPlainText();
    const QTextCursor cursor = instructionText_->textCursor();
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
    instructionText_->setPlainText(text);
    QTextCursor cursor = instructionText_->textCursor();
    cursor.setPosition(utf16Position(text, back->caret));
    cursor.setPosition(utf16Position(text, back->caret + back->selectionLength), QTextCursor::KeepAnchor);
    instructionText_->setTextCursor(cursor);
    restoring_ = false;
}

void ConnectionWizard::caretMoved()
{
    if (!busy_ && !restoring_)
        editorRule_.caretMoved(editorContent());
}

bool ConnectionWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == instructionText_) {
        if (event->type() == QEvent::FocusIn) {
            instructionText_->selectAll();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !instructionText_->isReadOnly()) {
                const std::optional<std::string> caption = enterCaption(coreText(instructionText_->toPlainText()));
                if (!caption)
                    return true; // the eighth line: Enter is refused
                setWindowTitle(qtText(*caption));
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrel::gui
