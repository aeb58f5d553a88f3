#include "gui/scope/scope_page.h"

#include "core/scope/scope_inputs.h"
#include "core/spec/text_lengths.h"
#include "gui/common/even_tab_bar.h"
#include "gui/common/field_behaviour.h"
#include "gui/common/picture_icon.h"
#include "gui/common/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kestrel::gui {

// p_Scope_Connectors: as many input connectors as channels are tested; the
// picture is drawn from its left edge and cut at the width the channels need.
class ConnectorPicture : public QWidget {
public:
    explicit ConnectorPicture(QWidget* parent) : QWidget(parent), picture_(pictureIcon(QStringLiteral("connectors")))
    {
        setObjectName(QStringLiteral("p_Scope_Connectors"));
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        setWidthInTwips(2200);
    }
    void setWidthInTwips(int twips) { setFixedSize(pixelsFromTwips(twips), kPictureSize.height()); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        picture_.paint(&painter, QRect(QPoint(0, 0), kPictureSize), Qt::AlignLeft | Qt::AlignTop);
    }

private:
    // The size the picture is drawn at (pictures.cmake).
    static constexpr QSize kPictureSize{148, 36};
    QIcon picture_;
};

namespace {

// A field is never narrower than this many digits, or its whole value.
constexpr int kLeastFieldCharacters = 4;

// The disabled risetime box's own colour, and white for a field in use.
const QColor kRisetimeOff(57, 198, 222);

void setBackground(QLineEdit* edit, const QColor& colour)
{
    QPalette palette = edit->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Base, colour);
    edit->setPalette(palette);
}

QLabel* label(const char* name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QComboBox* list(const char* name, const auto& entries, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const auto entry : entries)
        box->addItem(QString::fromUtf8(entry.data(), static_cast<qsizetype>(entry.size())));
    return box;
}

void select(QComboBox* box, int index)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

} // namespace

ScopePage::ScopePage(Document& document, QWidget* parent) : QWidget(parent), document_(document)
{
    setObjectName(QStringLiteral("pic_UUT_Type_2"));
    tabs_ = new EvenTabWidget(this);
    tabs_->setObjectName(QStringLiteral("Scope_TabStrip_2"));
    tabs_->addTab(buildSpecFrame(), QString()); // tab captions come from the text table
    optionsHolder_ = new QWidget(tabs_);
    optionsHolder_->setObjectName(QStringLiteral("ScopeOptionsHolder"));
    auto* holderLayout = new QVBoxLayout(optionsHolder_);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    tabs_->addTab(optionsHolder_, QString());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(tabs_);

    connect(&document_, &Document::changed, this, &ScopePage::documentChanged);
    connect(&document_, &Document::marksChanged, this, &ScopePage::markOverflows);
    refresh();
}

QLineEdit* ScopePage::field(const char* name, ScopeField which, QWidget* parent, int maximumWidth)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new CharacterValidator([which](char c) { return scopeFieldAccepts(which, c); }, edit));
    edit->setMaximumWidth(maximumWidth);
    edit->setMaxLength(static_cast<int>(kLongestLineText)); // no more than a specification file takes
    showWholeValue(edit, kLeastFieldCharacters);
    selectAllOnFocus(edit);
    connect(edit, &QLineEdit::textEdited, this, [this, which](const QString& text) {
        document_.editScope([&](ScopeInputs& s) { scopeFieldText(s, which) = text.toStdString(); });
    });
    fields_.emplace_back(which, edit);
    return edit;
}

QWidget* ScopePage::buildSpecFrame()
{
    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("Scope_SpecFrame_2"));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);

    // The calibrator, with its help and accuracy files.
    auto* standard = new QHBoxLayout;
    standard->setSpacing(8);
    QLabel* label5 = label("Label5", frame);
    reference_ = list("ScopeReference", kScopeReferences, frame);
    label5->setBuddy(reference_);
    auto* help = new QPushButton(pictureIcon(QStringLiteral("help")), QString(), frame);
    help->setObjectName(QStringLiteral("ScopeHelp"));
    auto* accuracy = new QPushButton(pictureIcon(QStringLiteral("accuracy")), QString(), frame);
    accuracy->setObjectName(QStringLiteral("cmd_Scope_Acc"));
    for (QPushButton* b : {help, accuracy})
        b->setAutoDefault(false);
    standard->addWidget(label5);
    standard->addWidget(reference_);
    standard->addWidget(help);
    standard->addWidget(accuracy);
    standard->addStretch(1);
    grid->addLayout(standard, 0, 0, 1, 2);

    // Vertical: the gain range and its accuracy; horizontal: the sweep
    // range and the timebase accuracy.
    vertGain1_ = list("VertGain1", kVertGain1, frame);
    vertGain2_ = list("VertGain2", kVertGain2, frame);
    grid->addWidget(rangeFrame({"Frame2", "Label10", "Label15", "VerticalAccuracy", "lbl_VertPercent"}, vertGain1_,
                        vertGain2_, ScopeField::VerticalAccuracy, frame),
        1, 0);
    sweep1_ = list("Sweep1", kSweep1, frame);
    sweep2_ = list("Sweep2", kSweep2, frame);
    grid->addWidget(rangeFrame({"Frame6", "Label4", "Label18", "TimebaseAccuracy", "lbl_TimebasePercent"}, sweep1_,
                        sweep2_, ScopeField::TimebaseAccuracy, frame),
        2, 0);

    // Bandwidth and risetime: a label, then the field with its unit.
    auto* response = new QGridLayout;
    response->setHorizontalSpacing(8);
    QLabel* label12 = label("Label12", frame);
    bandwidth_ = list("Bandwidth", kBandwidths, frame);
    bandwidth_->setEditable(true);
    bandwidth_->setInsertPolicy(QComboBox::NoInsert);
    bandwidth_->lineEdit()->setValidator(
        new CharacterValidator([](char c) { return scopeFieldAccepts(ScopeField::Bandwidth, c); }, bandwidth_));
    bandwidth_->setMinimumContentsLength(5);
    label12->setBuddy(bandwidth_);
    auto* bandwidthRow = new QHBoxLayout;
    bandwidthRow->setSpacing(6);
    bandwidthRow->addWidget(bandwidth_);
    bandwidthRow->addWidget(label("lbl_Mhz", frame));
    bandwidthRow->addStretch(1);
    response->addWidget(label12, 0, 0);
    response->addLayout(bandwidthRow, 0, 1);
    QLabel* label13 = label("Label13", frame);
    risetimeCheck_ = new QCheckBox(frame);
    risetimeCheck_->setObjectName(QStringLiteral("chk_Risetime"));
    QLineEdit* risetime = field("Risetime", ScopeField::Risetime, frame, 60);
    label13->setBuddy(risetime);
    auto* risetimeRow = new QHBoxLayout;
    risetimeRow->setSpacing(6);
    risetimeRow->addWidget(risetimeCheck_);
    risetimeRow->addWidget(risetime);
    risetimeRow->addWidget(label("lbl_ns", frame));
    risetimeRow->addStretch(1);
    response->addWidget(label13, 1, 0);
    response->addLayout(risetimeRow, 1, 1);
    response->setContentsMargins(10, 4, 0, 0);
    grid->addLayout(response, 3, 0);

    // Input channels: the channel count with its connectors, and the
    // input impedance tests.
    auto* channels = new QGroupBox(frame);
    channels->setObjectName(QStringLiteral("Frame7"));
    auto* c = new QGridLayout(channels);
    QLabel* label26 = label("Label26", channels);
    numChannels_ = list("NumChannels", kNumChannels, channels);
    label26->setBuddy(numChannels_);
    connectors_ = new ConnectorPicture(channels);
    auto* count = new QHBoxLayout;
    count->addWidget(label26);
    count->addWidget(numChannels_);
    count->addSpacing(8);
    count->addWidget(connectors_);
    count->addStretch(1);
    c->addLayout(count, 0, 0, 1, 4);
    impedanceCheck_ = new QCheckBox(channels);
    impedanceCheck_->setObjectName(QStringLiteral("chk_Impedance"));
    c->addWidget(impedanceCheck_, 1, 0, 1, 4);
    const auto labelled = [&](const char* labelName, const char* fieldName, ScopeField which, int maximumWidth) {
        QLabel* l = label(labelName, channels);
        QLineEdit* edit = field(fieldName, which, channels, maximumWidth);
        l->setBuddy(edit);
        return std::pair{l, edit};
    };
    const auto [oneMegLabel, oneMeg] = labelled("lbl_1MOhm", "Accuracy_1M_Ohm", ScopeField::Accuracy1MOhm, 80);
    const auto [fiftyLabel, fifty] = labelled("lbl_50Ohm", "Accuracy_50_Ohm", ScopeField::Accuracy50Ohm, 80);
    const auto [capLabel, cap] = labelled("lbl_Capacitance", "Capacitance", ScopeField::Capacitance, 60);
    c->addWidget(oneMegLabel, 2, 0, Qt::AlignRight);
    c->addWidget(oneMeg, 2, 1);
    c->addWidget(label("lbl_1MOhmPercent", channels), 2, 2);
    c->addWidget(fiftyLabel, 3, 0, Qt::AlignRight);
    c->addWidget(fifty, 3, 1);
    c->addWidget(label("lbl_50OhmPercent", channels), 3, 2);
    c->addWidget(capLabel, 4, 0, Qt::AlignRight);
    auto* capacitance = new QHBoxLayout;
    capacitance->addWidget(cap);
    capacitance->addWidget(label("lbl_pF", channels));
    capacitance->addWidget(field("CapAccuracy", ScopeField::CapAccuracy, channels));
    capacitance->addWidget(label("lbl_CapPercent", channels));
    capacitance->addStretch(1);
    c->addLayout(capacitance, 4, 1, 1, 3);
    c->setColumnStretch(3, 1);
    c->setRowStretch(5, 1);
    grid->addWidget(channels, 1, 1, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    const auto onIndex = [this](QComboBox* box, auto apply) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, apply](int index) {
            if (index >= 0)
                document_.editScope([&](ScopeInputs& s) { apply(s, index); });
        });
    };
    onIndex(reference_, [](ScopeInputs& s, int i) { selectScopeReference(s, i); });
    // Choosing the standard already chosen is a choice too: its rule (the
    // impedance tick taken off) holds for every choice from the list.
    connect(reference_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index == document_.inputs().scope.reference && document_.inputs().scope.impedanceTest) {
            document_.editScope([&](ScopeInputs& s) { selectScopeReference(s, index); });
            refresh();
        }
    });
    onIndex(numChannels_, [](ScopeInputs& s, int i) { s.numChannels = i; });
    onIndex(vertGain1_, [](ScopeInputs& s, int i) { s.vertGain1 = i; });
    onIndex(vertGain2_, [](ScopeInputs& s, int i) { s.vertGain2 = i; });
    onIndex(sweep1_, [](ScopeInputs& s, int i) { s.sweep1 = i; });
    onIndex(sweep2_, [](ScopeInputs& s, int i) { s.sweep2 = i; });
    connect(bandwidth_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        document_.editScope([&](ScopeInputs& s) { s.bandwidth = text.toStdString(); });
    });
    connect(risetimeCheck_, &QCheckBox::clicked, this,
        [this](bool on) { document_.editScope([&](ScopeInputs& s) { setRisetimeTest(s, on); }); });
    connect(impedanceCheck_, &QCheckBox::clicked, this, [this](bool on) {
        document_.editScope([&](ScopeInputs& s) { setImpedanceTest(s, on); });
        refresh(); // a refused tick does not stay
    });
    return frame;
}

QGroupBox* ScopePage::rangeFrame(
    const RangeFrameNames& names, QComboBox* from, QComboBox* to, ScopeField accuracy, QWidget* parent)
{
    auto* box = new QGroupBox(parent);
    box->setObjectName(QString::fromLatin1(names.frame));
    auto* layout = new QGridLayout(box);
    from->setParent(box);
    to->setParent(box);
    layout->addWidget(from, 0, 0);
    layout->addWidget(label(names.to, box), 0, 1, Qt::AlignCenter);
    layout->addWidget(to, 0, 2);
    auto* accuracyRow = new QHBoxLayout;
    accuracyRow->addWidget(label(names.plusMinus, box));
    accuracyRow->addWidget(field(names.accuracy, accuracy, box));
    accuracyRow->addWidget(label(names.percent, box));
    accuracyRow->addStretch(1);
    layout->addLayout(accuracyRow, 1, 0, 1, 3);
    layout->setColumnStretch(3, 1);
    return box;
}

void ScopePage::focusFirstField()
{
    if (vertGain1_->isVisible())
        vertGain1_->setFocus();
}

void ScopePage::documentChanged(Parts parts)
{
    if (parts & Part::Scope)
        refresh();
    markOverflows();
}

void ScopePage::markOverflows()
{
    for (const auto& [which, edit] : fields_) {
        // A text that would run over the procedure's next field is marked
        // the way the grid marks its cells.
        markOverflow(edit, document_.inputOverflows(scopeFieldKey(which)));
    }
}

void ScopePage::refresh()
{
    const ScopeInputs& s = document_.inputs().scope;
    select(reference_, s.reference);
    select(numChannels_, s.numChannels);
    select(vertGain1_, s.vertGain1);
    select(vertGain2_, s.vertGain2);
    select(sweep1_, s.sweep1);
    select(sweep2_, s.sweep2);
    if (bandwidth_->currentText() != QString::fromStdString(s.bandwidth)) {
        const QSignalBlocker block(bandwidth_);
        bandwidth_->setEditText(QString::fromStdString(s.bandwidth));
    }
    risetimeCheck_->setChecked(s.risetimeTest);
    impedanceCheck_->setChecked(s.impedanceTest);
    impedanceCheck_->setEnabled(impedanceTestAvailable(s.reference));

    const QColor buttonFace = palette().color(QPalette::Button);
    for (const auto& [which, edit] : fields_) {
        const QString text = QString::fromStdString(scopeFieldText(s, which));
        if (edit->text() != text)
            edit->setText(text);
        const bool enabled = scopeFieldEnabled(s, which);
        edit->setEnabled(enabled);
        if (which == ScopeField::Risetime)
            setBackground(edit, enabled ? QColor(Qt::white) : kRisetimeOff);
        else if (which != ScopeField::VerticalAccuracy && which != ScopeField::TimebaseAccuracy &&
            which != ScopeField::Bandwidth)
            setBackground(edit, enabled ? QColor(Qt::white) : buttonFace);
    }
    if (const auto width = connectorPictureWidth(s))
        connectors_->setWidthInTwips(*width);
    markOverflows();
}

} // namespace kestrel::gui
