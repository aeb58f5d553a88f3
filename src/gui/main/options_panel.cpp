#include "gui/main/options_panel.h"

#include "core/base/user_text.h"
#include "core/i18n/text_numbers.h"
#include "core/spec/procedure_comments.h"
#include "core/spec/procedure_options.h"
#include "core/spec/standards.h"
#include "core/spec/text_lengths.h"
#include "gui/common/field_behaviour.h"
#include "gui/common/option_group_keys.h"
#include "gui/common/picture_icon.h"
#include "gui/common/window_texts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

namespace kestrel::gui {
namespace {

QGroupBox* frame(const char* name, QWidget* parent)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLabel* label(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

// A help label: a small "?" that opens the help file of what it stands
// beside, reached by Tab like a button.
ClickableLabel* helpLabel(const char* name, QWidget* parent)
{
    auto* l = new HelpLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setPixmap(pictureIcon(QStringLiteral("help")).pixmap(16, 16));
    l->setCursor(Qt::PointingHandCursor);
    return l;
}

// A frame's controls one below the other, with its help label (if any)
// at the top right.
class FrameColumn {
public:
    explicit FrameColumn(QGroupBox* box, ClickableLabel* help = nullptr) : layout_(new QGridLayout(box))
    {
        layout_->setVerticalSpacing(4);
        layout_->setColumnStretch(0, 1);
        if (help)
            layout_->addWidget(help, 0, 1, Qt::AlignRight | Qt::AlignTop);
    }
    void add(QWidget* widget) { layout_->addWidget(widget, rows_++, 0); }
    // Option buttons named "<prefix>_0" … one below the other, as a group
    // whose ids are their indexes.
    QButtonGroup* addOptions(const char* prefix, int count, QGroupBox* box)
    {
        auto* group = new QButtonGroup(box);
        for (int i = 0; i < count; ++i) {
            auto* option = new QRadioButton(box);
            option->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(prefix)).arg(i));
            group->addButton(option, i);
            add(option);
        }
        makeOneChoice(group->buttons());
        return group;
    }
    void finish() { layout_->setRowStretch(rows_, 1); }

private:
    QGridLayout* layout_;
    int rows_ = 0;
};

// The comments take TABs, but Tab and Shift+Tab move the focus, as in
// every other field: Ctrl+Tab types the TAB (rather than switch the page).
class CtrlTabTypesTab : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab || key->modifiers() != Qt::ControlModifier)
            return false;
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept(); // no shortcut takes it from the box
            return true;
        }
        auto* box = static_cast<QPlainTextEdit*>(watched);
        if (!box->isReadOnly())
            box->insertPlainText(QStringLiteral("\t"));
        return true;
    }
};

void setTextKeepingCursor(QLineEdit* edit, const std::string& text)
{
    const QString value = QString::fromStdString(text);
    if (edit->text() != value)
        edit->setText(value);
}

} // namespace

OptionsPanel::OptionsPanel(Document& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName(QStringLiteral("Picture1_2"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(8);
    layout->addWidget(buildIdentity(), 0, 0, 2, 1);
    layout->addWidget(buildUncertainty(), 2, 0);
    layout->addWidget(buildTolerance(), 0, 1);
    layout->addWidget(buildMessages(), 1, 1);
    layout->addWidget(buildPostTest(), 2, 1);
    layout->addWidget(buildOperatorButtons(), 0, 2);
    layout->addWidget(buildDataEntry(), 1, 2, 2, 1);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);
    layout->setColumnStretch(2, 2);
    layout->setRowStretch(3, 1);

    connect(&document_, &Document::changed, this, &OptionsPanel::documentChanged);
    connect(&document_, &Document::marksChanged, this, &OptionsPanel::markOverflows);
    refreshIdentity();
    refreshOptions();
}

QWidget* OptionsPanel::buildIdentity()
{
    QGroupBox* box = frame("Frame1", this);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    // A translated label too long to stand beside its field goes above it.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    procName_ = new QLineEdit(box);
    procName_->setObjectName(QStringLiteral("ProcName"));
    authorName_ = new QLineEdit(box);
    authorName_->setObjectName(QStringLiteral("AuthorName"));
    revision_ = new QLineEdit(box);
    revision_->setObjectName(QStringLiteral("Revision"));
    // No more than a specification file takes.
    for (QLineEdit* edit : {procName_, authorName_, revision_})
        edit->setMaxLength(static_cast<int>(kLongestLineText));
    comments_ = new QPlainTextEdit(box);
    comments_->setObjectName(QStringLiteral("Comments"));
    comments_->setTabChangesFocus(true);
    comments_->installEventFilter(new CtrlTabTypesTab(comments_));
    comments_->setMinimumHeight(90);

    QLabel* nameLabel = label(QStringLiteral("Label1_3"), box);
    QLabel* authorLabel = label(QStringLiteral("Author"), box);
    QLabel* revisionLabel = label(QStringLiteral("Label1_1"), box);
    nameLabel->setBuddy(procName_);
    authorLabel->setBuddy(authorName_);
    revisionLabel->setBuddy(revision_);
    form->addRow(nameLabel, procName_);
    form->addRow(authorLabel, authorName_);
    form->addRow(revisionLabel, revision_);
    form->addRow(comments_);

    for (QLineEdit* edit : {procName_, authorName_, revision_}) {
        selectAllOnFocus(edit);
        edit->setValidator(new OneLineTextValidator(edit));
    }
    // Enter in the procedure name moves on to the next field.
    connect(procName_, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(procName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        document_.editIdentity([&](ProcedureIdentity& id) { id.name = text.toStdString(); });
    });
    connect(authorName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        document_.editIdentity([&](ProcedureIdentity& id) { id.author = text.toStdString(); });
    });
    connect(revision_, &QLineEdit::textEdited, this, [this](const QString& text) {
        document_.editIdentity([&](ProcedureIdentity& id) { id.revision = text.toStdString(); });
    });
    connect(comments_, &QPlainTextEdit::textChanged, this, &OptionsPanel::commentsChanged);
    return box;
}

// Every option follows its state, however it changed: a click, a key, or
// an accessibility action (screen readers and UI automation toggle a
// button without clicking it). Setting the state the document already
// holds changes nothing, so the panel's own refresh is no edit.

QWidget* OptionsPanel::buildTolerance()
{
    QGroupBox* box = frame("Spec_Frame", this);
    FrameColumn column(box, helpLabel("Tessel_HLP", box));
    tolerance_ = column.addOptions("Proc_Tol", 2, box);
    column.finish();
    connect(tolerance_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            document_.editOptions([&](ProcedureOptions& o) { o.toleranceStyle = static_cast<ToleranceStyle>(id); });
    });
    return box;
}

QWidget* OptionsPanel::buildMessages()
{
    QGroupBox* box = frame("MessageFrame", this);
    auto* layout = new QGridLayout(box);
    layout->setColumnStretch(1, 1);
    functionMessage_ = new QCheckBox(box);
    functionMessage_->setObjectName(QStringLiteral("chk_Add_FUNCTION_Message"));
    rangeMessage_ = new QCheckBox(box);
    rangeMessage_->setObjectName(QStringLiteral("chk_Add_RANGE_message"));
    int row = 0;
    for (auto [check, name] :
        {std::pair{functionMessage_, "lbl_FunctionMessage"}, std::pair{rangeMessage_, "lbl_RangeMessage"}}) {
        auto* text = new ClickableLabel(box);
        text->setObjectName(QString::fromLatin1(name));
        text->setWordWrap(true);
        text->setBuddy(check);
        connect(text, &ClickableLabel::clicked, check, &QCheckBox::click);
        layout->addWidget(check, row, 0, Qt::AlignTop);
        layout->addWidget(text, row, 1);
        ++row;
    }
    connect(functionMessage_, &QCheckBox::toggled, this,
        [this](bool on) { document_.editOptions([&](ProcedureOptions& o) { o.functionMessages = on; }); });
    connect(rangeMessage_, &QCheckBox::toggled, this,
        [this](bool on) { document_.editOptions([&](ProcedureOptions& o) { o.autoranging = on; }); });
    return box;
}

QWidget* OptionsPanel::buildPostTest()
{
    QGroupBox* box = frame("Frame3", this);
    FrameColumn column(box, helpLabel("Ask_HLP_0", box));
    pauseBetweenTests_ = column.addOptions("PauseBetweenTests", 3, box);
    column.finish();
    connect(pauseBetweenTests_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            document_.editOptions([&](ProcedureOptions& o) { o.postTestWindow = static_cast<PostTestWindow>(id); });
    });
    return box;
}

QWidget* OptionsPanel::buildOperatorButtons()
{
    QGroupBox* box = frame("Frame4", this);
    FrameColumn column(box, helpLabel("Ask_HLP_1", box));
    for (int i = 0; i < 3; ++i) {
        auto* check = new QCheckBox(box);
        check->setObjectName(QStringLiteral("OperatorControl_%1").arg(i));
        operatorControl_[static_cast<std::size_t>(i)] = check;
        column.add(check);
        connect(check, &QCheckBox::toggled, this, [this, i](bool on) {
            document_.editOptions([&](ProcedureOptions& o) {
                bool* buttons[] = {&o.operatorButtons.list, &o.operatorButtons.cancel, &o.operatorButtons.repeat};
                *buttons[i] = on;
            });
        });
    }
    column.finish();
    return box;
}

QWidget* OptionsPanel::buildDataEntry()
{
    QGroupBox* box = frame("DataEntryFrame", this);
    FrameColumn column(box, helpLabel("Ask_HLP_2", box));
    dataEntry_ = column.addOptions("DataEntry", 4, box);
    column.finish();
    connect(dataEntry_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        document_.editOptions([&](ProcedureOptions& o) {
            o.dataEntry = static_cast<DataEntry>(id);
            o.measurements = measurementsForDataEntry(o.dataEntry, o.measurements).measurements;
        });
    });
    return box;
}

QWidget* OptionsPanel::buildUncertainty()
{
    QGroupBox* box = frame("Frame5", this);
    auto* layout = new QGridLayout(box);
    turCheck_ = new QCheckBox(box);
    turCheck_->setObjectName(QStringLiteral("TUR_Check_Off"));
    measurementsLabel_ = label(QStringLiteral("Label2"), box);
    measurements_ = new QComboBox(box);
    measurements_->setObjectName(QStringLiteral("Meas_Unc_No_Readings"));
    for (int i = 0; i < kMeasurementChoices; ++i)
        measurements_->addItem(QString::number(i));
    measurementsLabel_->setBuddy(measurements_);
    QLabel* keyboardOnly = label(QStringLiteral("lbl_Keyboard_Only"), box);

    layout->addWidget(turCheck_, 0, 0, 1, 2);
    layout->addWidget(helpLabel("Vset_HLP", box), 0, 2, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(measurementsLabel_, 1, 0);
    layout->addWidget(measurements_, 1, 1);
    layout->addWidget(keyboardOnly, 2, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(3, 1);

    connect(turCheck_, &QCheckBox::toggled, this,
        [this](bool on) { document_.editOptions([&](ProcedureOptions& o) { o.turChecking = on; }); });
    connect(measurements_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            document_.editOptions([&](ProcedureOptions& o) { o.measurements = index; });
    });
    return box;
}

void OptionsPanel::documentChanged(Parts parts)
{
    if (parts & Part::Identity)
        refreshIdentity();
    if (parts & Part::Options)
        refreshOptions();
}

void OptionsPanel::commentsChanged()
{
    // The comments take what a specification file may hold, so that Save
    // writes what Open reads back: a pasted control character is refused
    // whole, and the box goes back to the text the procedure has.
    const std::string text = coreLines(comments_->toPlainText());
    const std::string problem = commentsProblem(text);
    if (problem.empty()) {
        document_.editIdentity([&](ProcedureIdentity& id) { id.comments = text; });
        return;
    }
    // Once the paste has finished: the box is not changed, nor a message
    // box opened, from inside its own change.
    QTimer::singleShot(0, this, [this, problem] {
        const QString accepted = qtLines(document_.inputs().identity.comments);
        if (comments_->toPlainText() != accepted) {
            const QSignalBlocker block(comments_);
            comments_->undo(); // the paste was one step; the caret goes back where it was
            if (comments_->toPlainText() != accepted)
                comments_->setPlainText(accepted);
        }
        document_.sink().inform(textWith(document_.texts(), kTextCommentsRefused, {problem}), MessageIcon::Exclamation);
    });
}

void OptionsPanel::markOverflows()
{
    // The header's lines hold so much of each value.
    markOverflow(procName_, document_.inputOverflows("name"));
    markOverflow(authorName_, document_.inputOverflows("author"));
    markOverflow(revision_, document_.inputOverflows("revision"));
}

void OptionsPanel::refreshIdentity()
{
    const ProcedureIdentity& id = document_.inputs().identity;
    setTextKeepingCursor(procName_, id.name);
    setTextKeepingCursor(authorName_, id.author);
    setTextKeepingCursor(revision_, id.revision);
    const QString comments = qtLines(id.comments);
    if (comments_->toPlainText() != comments) {
        const QSignalBlocker block(comments_);
        comments_->setPlainText(comments);
    }
}

void OptionsPanel::refreshOptions()
{
    const ProcedureOptions& o = document_.inputs().options;
    tolerance_->button(static_cast<int>(o.toleranceStyle))->setChecked(true);
    functionMessage_->setChecked(o.functionMessages);
    rangeMessage_->setChecked(o.autoranging);
    pauseBetweenTests_->button(static_cast<int>(o.postTestWindow))->setChecked(true);
    operatorControl_[0]->setChecked(o.operatorButtons.list);
    operatorControl_[1]->setChecked(o.operatorButtons.cancel);
    operatorControl_[2]->setChecked(o.operatorButtons.repeat);
    {
        // Showing the data entry must not apply its rule to the readings: an
        // opened file keeps its count, as kestrel-cli reads it.
        const QSignalBlocker quiet(dataEntry_);
        dataEntry_->button(static_cast<int>(o.dataEntry))->setChecked(true);
    }
    turCheck_->setChecked(o.turChecking);
    // The readings list is usable only with keyboard entry.
    const bool usable = measurementsForDataEntry(o.dataEntry, o.measurements).enabled;
    measurementsLabel_->setEnabled(usable);
    measurements_->setEnabled(usable);
    const QSignalBlocker block(measurements_);
    measurements_->setCurrentIndex(o.measurements);
}

} // namespace kestrel::gui
