#include "gui/grid/spec_frame.h"

#include "core/spec/grid_rules.h"
#include "core/spec/standards.h"
#include "gui/common/control_texts.h"
#include "gui/common/even_tab_bar.h"
#include "gui/common/picture_icon.h"
#include "gui/common/wait_cursor.h"
#include "gui/grid/spec_grid.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrel::gui {
namespace {

QToolButton* commandButton(const char* name, const char* icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(pictureIcon(QString::fromLatin1(icon)));
    button->setIconSize(QSize(20, 20));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QComboBox* list(const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

void fill(QComboBox* box, const auto& entries, const std::string& selected)
{
    const QSignalBlocker block(box);
    box->clear();
    for (const auto entry : entries)
        box->addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    box->setCurrentIndex(std::max(0, box->findText(QString::fromStdString(selected))));
}

} // namespace

SpecFrame::SpecFrame(Document& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName(QStringLiteral("DMM_SpecFrame"));

    functionTabs_ = new EvenTabBar(this);
    functionTabs_->setObjectName(QStringLiteral("Meter_Function_TabStrip"));
    functionTabs_->setExpanding(false);
    functionTabs_->setDrawBase(false);
    for (std::size_t i = 0; i < kFunctionCount; ++i)
        functionTabs_->addTab(QString::fromLatin1(functionInfo(kAllFunctions[i]).code));

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setHorizontalSpacing(8);
    layout->setVerticalSpacing(6);
    layout->addWidget(functionTabs_, 0, 0, 1, 2);
    layout->addWidget(buildGridArea(), 1, 0);
    layout->addWidget(buildCommands(), 1, 1, Qt::AlignTop);
    layout->addWidget(buildStandardAndSamples(), 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);

    connect(functionTabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0 || index >= static_cast<int>(kFunctionCount))
            return;
        // The cell being typed belongs to the function on show: it is
        // stored first, and when the check refuses it the tab goes back,
        // with the editor still open on its text.
        if (!grid_->commitEdit()) {
            const QSignalBlocker stay(functionTabs_);
            functionTabs_->setCurrentIndex(static_cast<int>(functionIndex(document_.currentFunction())));
            return;
        }
        document_.setCurrentFunction(kAllFunctions[static_cast<std::size_t>(index)]);
    });
    connect(grid_->specHeader(), &SpecHeaderView::buttonClicked, this, [this](int column) {
        if (!grid_->commitEdit())
            return;
        document_.recordWizardColumn(column);
        const int row = std::max(0, grid_->currentIndex().row());
        grid_->moveTo(row, column);
        emit headerButtonClicked(column);
    });
    connect(grid_, &SpecGridView::edited, this, &SpecFrame::edited);
    connect(&document_, &Document::changed, this, &SpecFrame::documentChanged);

    showFunction();
    refreshSelections();
    refreshSampleButtons();
}

QWidget* SpecFrame::buildGridArea()
{
    gridArea_ = new QWidget(this);
    gridArea_->setObjectName(QStringLiteral("GridArea"));
    grid_ = new SpecGridView(document_, gridArea_);
    for (int item : {0, 1, 2, 3, 4, 5, 6, 7, 9}) {
        auto* label = new QLabel(gridArea_);
        label->setObjectName(QStringLiteral("SpecLabel_%1").arg(item));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setContentsMargins(0, 0, 6, 0);
        label->setBuddy(grid_);
        specLabels_[static_cast<std::size_t>(item)] = label;
    }
    tcTypes_ = list("TCtypes", gridArea_);
    rtdTypes_ = list("RTDtypes", gridArea_);
    tempScale_ = list("TempScale", gridArea_);
    rtdTypes_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    tcTypes_->setMinimumContentsLength(2);

    connect(tcTypes_, &QComboBox::currentTextChanged, this,
        [this](const QString& text) { document_.selectTcType(text.toStdString()); });
    connect(rtdTypes_, &QComboBox::currentTextChanged, this,
        [this](const QString& text) { document_.selectRtdType(text.toStdString()); });
    connect(tempScale_, &QComboBox::currentTextChanged, this,
        [this](const QString& text) { document_.selectTempScale(text.toStdString()); });

    gridArea_->installEventFilter(this);
    grid_->horizontalHeader()->installEventFilter(this);

    // Room for the header, nine rows (the frequency row, or the sensor
    // lists below row 7) and the scroll bar, so that rows never scroll.
    const int rows = 9 * grid_->verticalHeader()->defaultSectionSize();
    const int height = 2 * grid_->frameWidth() + grid_->horizontalHeader()->sizeHint().height() + rows +
        grid_->horizontalScrollBar()->sizeHint().height();
    gridArea_->setMinimumSize(420, height);
    gridArea_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return gridArea_;
}

QWidget* SpecFrame::buildCommands()
{
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* insert = commandButton("InsertColumn", "insert_column", box);
    auto* remove = commandButton("DeleteColumn", "delete_column", box);
    auto* copy = commandButton("Copy_Column", "copy_column", box);
    auto* duplicate = commandButton("dupRange", "multiply_column", box);
    auto* clearMode = commandButton("ClearSpec_0", "clear_mode", box);
    auto* clearAll = commandButton("ClearSpec_1", "clear_all", box);
    for (QToolButton* b : {insert, remove, copy, duplicate})
        column->addWidget(b);
    column->addSpacing(10);
    column->addWidget(clearMode);
    column->addWidget(clearAll);

    // Each command first stores the cell being typed; then it works on the
    // current column and says where the cursor goes.
    const auto command = [this](QToolButton* button, auto run) {
        connect(button, &QToolButton::clicked, this, [this, run] {
            if (grid_->commitEdit())
                run(std::max(0, grid_->currentIndex().row()), currentColumn());
        });
    };
    command(insert, [this](int row, int c) { afterColumnCommand(document_.insertColumn(c), row, c); });
    command(remove, [this](int row, int c) { afterColumnCommand(document_.deleteColumn(c), row, c); });
    command(copy, [this](int, int c) { afterColumnCommand(document_.copyColumn(c), 0, c + 1); });
    command(duplicate, [this](int, int c) { afterColumnCommand(document_.duplicateRange(c), 0, c + 1); });
    command(clearMode, [this](int, int) { clear(ClearScope::CurrentMode); });
    command(clearAll, [this](int, int) { clear(ClearScope::All); });
    return box;
}

QWidget* SpecFrame::buildStandardAndSamples()
{
    auto* box = new QWidget(this);
    auto* row = new QGridLayout(box);
    row->setContentsMargins(0, 4, 0, 0);
    row->setHorizontalSpacing(6);

    auto* label7 = new QLabel(box);
    label7->setObjectName(QStringLiteral("Label7"));
    reference_ = list("Reference", box);
    label7->setBuddy(reference_);
    for (const auto entry : kReferences)
        reference_->addItem(QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())));
    auto* referenceHelp = commandButton("cmd_ReferenceHelp", "help", box);
    auto* accuracyFile = commandButton("cmd_Acc_File", "accuracy", box);
    referenceHelp->setIconSize(QSize(16, 16));
    accuracyFile->setIconSize(QSize(16, 16));

    auto* standard = new QHBoxLayout;
    standard->setSpacing(6);
    standard->addWidget(label7);
    standard->addWidget(reference_);
    standard->addWidget(referenceHelp);
    standard->addWidget(accuracyFile);
    standard->addStretch(1);
    row->addLayout(standard, 0, 0);

    auto* label6 = new QLabel(box);
    label6->setObjectName(QStringLiteral("Label6"));
    auto* samplesRow = new QHBoxLayout;
    samplesRow->setSpacing(4);
    samplesRow->addWidget(label6);
    const auto all = samples();
    sampleButtons_.assign(all.size(), nullptr);
    for (const SampleButton& button : sampleButtons()) {
        const auto it = std::find_if(all.begin(), all.end(), [&](const auto& s) { return s.name == button.sample; });
        if (it == all.end())
            continue;
        const int index = static_cast<int>(it - all.begin());
        auto* b = new QPushButton(box);
        b->setObjectName(
            QString::fromLatin1(button.objectName.data(), static_cast<qsizetype>(button.objectName.size())));
        b->setAutoDefault(false);
        sampleButtons_[static_cast<std::size_t>(index)] = b;
        samplesRow->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, index] { emit sampleRequested(index); });
    }
    samplesRow->addStretch(1);
    row->addLayout(samplesRow, 1, 0);

    connect(reference_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        // The focus stays on the list, as the arrows change it.
        document_.selectReference(text.toStdString());
    });
    return box;
}

void SpecFrame::focusGrid()
{
    if (grid_->isVisible() && grid_->isEnabled())
        grid_->setFocus();
}

void SpecFrame::clear(ClearScope scope)
{
    WaitCursor wait;
    const bool changed = document_.clearSpecification(scope);
    wait.restore();
    if (changed)
        focusGrid();
}

int SpecFrame::currentColumn() const { return std::max(0, grid_->currentIndex().column()); }

void SpecFrame::afterColumnCommand(bool changed, int row, int column)
{
    if (changed)
        grid_->moveTo(row, std::min(column, kColumnCount - 1));
    focusGrid();
}

void SpecFrame::documentChanged(Parts parts)
{
    if (parts & Part::Function)
        showFunction();
    if (parts & Part::Selections)
        refreshSelections();
    if (parts & Part::Sample)
        refreshSampleButtons();
}

void SpecFrame::showFunction()
{
    const MeterFunction f = document_.currentFunction();
    setUpdatesEnabled(false);
    {
        const QSignalBlocker block(functionTabs_);
        functionTabs_->setCurrentIndex(static_cast<int>(functionIndex(f)));
    }
    relabelRows();
    tcTypes_->setVisible(f == MeterFunction::Tc);
    rtdTypes_->setVisible(f == MeterFunction::Rtd);
    tempScale_->setVisible(f == MeterFunction::Tc || f == MeterFunction::Rtd);
    grid_->moveTo(0, 0);
    placeRowLabels();
    setUpdatesEnabled(true);
    // The arrows on the function tabs go from tab to tab.
    if (!functionTabs_->hasFocus())
        focusGrid();
}

void SpecFrame::relabelRows()
{
    // Row 6 names the function's unit; row 8 is the test frequency (acv,
    // aci) or the sensor type whose lists stand below the grid (TC, RTD).
    const MeterFunction f = document_.currentFunction();
    specLabels_[5]->setText(document_.labelText(rowLabelText(f, RowFixed)));
    const int extra = rowLabelText(f, RowFrequency);
    specLabels_[7]->setVisible(extra != 0);
    if (extra != 0)
        specLabels_[7]->setText(document_.labelText(extra));

    // The labels' column is as wide as the widest label of any function,
    // so the grid stays put when the function changes.
    const QLabel* any = specLabels_[0];
    int width = 0;
    for (QLabel* label : specLabels_)
        if (label)
            width = std::max(width, label->sizeHint().width());
    // Most rows read the same for every function: each text is measured once.
    QList<int> numbers;
    for (const MeterFunction function : kAllFunctions)
        for (int row = 0; row <= RowFrequency; ++row)
            if (const int number = rowLabelText(function, row); number && !numbers.contains(number))
                numbers.push_back(number);
    const QFontMetrics metrics = any->fontMetrics();
    for (const int number : numbers)
        width = std::max(
            width, metrics.horizontalAdvance(document_.labelText(number)) + any->contentsMargins().right() + 4);
    labelWidth_ = width;
    placeRowLabels();
}

void SpecFrame::refreshSelections()
{
    const MeterSelections& s = document_.inputs().selections;
    {
        const QSignalBlocker block(reference_);
        reference_->setCurrentIndex(std::max(0, referenceIndex(s.reference)));
    }
    fill(tcTypes_, tcTypes(s.reference), s.tcType);
    fill(rtdTypes_, rtdTypes(s.reference), s.rtdType);
    fill(tempScale_, kTempScales, s.tempScale);
    placeRowLabels();
}

void SpecFrame::refreshSampleButtons()
{
    for (std::size_t i = 0; i < sampleButtons_.size(); ++i) {
        if (!sampleButtons_[i])
            continue;
        QFont font = sampleButtons_[i]->font();
        font.setBold(static_cast<int>(i) == document_.loadedSample());
        sampleButtons_[i]->setFont(font);
    }
}

void SpecFrame::placeRowLabels()
{
    // Long translations of the row labels are cut short before they take
    // the grid's room.
    const QRect area = gridArea_->rect();
    const int labelWidth = std::min(labelWidth_, area.width() * 2 / 5);
    grid_->setGeometry(labelWidth, 0, area.width() - labelWidth, area.height());

    const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
    const int top = grid_->frameWidth() + grid_->horizontalHeader()->height();
    for (int row = 0; row <= RowFrequency; ++row) {
        if (QLabel* label = specLabels_[static_cast<std::size_t>(specLabelItem(row))])
            label->setGeometry(0, top + row * rowHeight, labelWidth, rowHeight);
    }

    // The sensor lists stand below row 7, where the frequency row of acv
    // and aci would be: the type list first, the scale beside it.
    const int y = top + RowFrequency * rowHeight + 2;
    const int x = labelWidth + grid_->frameWidth() + 2;
    const int columnWidth = grid_->horizontalHeader()->defaultSectionSize();
    const int listHeight = std::min(tcTypes_->sizeHint().height(), rowHeight + 6);
    tcTypes_->setGeometry(x, y, std::max(columnWidth, tcTypes_->sizeHint().width()), listHeight);
    rtdTypes_->setGeometry(x, y, std::max(columnWidth, rtdTypes_->sizeHint().width()), listHeight);
    const int scaleLeft =
        (document_.currentFunction() == MeterFunction::Rtd ? rtdTypes_ : tcTypes_)->geometry().right() + 4;
    tempScale_->setGeometry(scaleLeft, y, std::max(columnWidth, tempScale_->sizeHint().width()), listHeight);
    tcTypes_->raise();
    rtdTypes_->raise();
    tempScale_->raise();
}

void SpecFrame::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeRowLabels();
}

bool SpecFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && (watched == gridArea_ || watched == grid_->horizontalHeader()))
        placeRowLabels();
    return QWidget::eventFilter(watched, event);
}

} // namespace kestrel::gui
