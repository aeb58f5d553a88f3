#include "gui/main/secondary_windows.h"

#include "core/i18n/text_numbers.h"
#include "core/scope/scope_inputs.h"
#include "core/viewers/help_files.h"
#include "gui/common/field_behaviour.h"
#include "gui/common/window_texts.h"
#include "gui/compare/change_fields.h"
#include "gui/compare/compare_window.h"
#include "gui/document/document.h"
#include "gui/grid/spec_grid.h"
#include "gui/help/viewer_openers.h"
#include "gui/main/main_window.h"
#include "gui/viewer/create_delivery.h"
#include "gui/wizard/connection_wizard.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>

namespace kestrel::gui {

SecondaryWindows::SecondaryWindows(MainWindow& window) : QObject(&window), window_(window), document_(window.document())
{
    connect(&window_, &MainWindow::createRequested, this, &SecondaryWindows::create);
    connect(&window_, &MainWindow::connectionWizardRequested, this, &SecondaryWindows::openWizard);
    if (auto* compare = window_.control<QAction>(QStringLiteral("mnuCompare")))
        connect(compare, &QAction::triggered, this, &SecondaryWindows::chooseAndCompare);

    const auto button = [this](
                            const char* name) { return window_.control<QAbstractButton>(QString::fromLatin1(name)); };
    if (QAbstractButton* help = button("cmd_ReferenceHelp"))
        connect(help, &QAbstractButton::clicked, this,
            [this, help] { openHelp(calibratorHelpFile(document_.inputs().selections.reference), help); });
    if (QAbstractButton* accuracy = button("cmd_Acc_File"))
        connect(accuracy, &QAbstractButton::clicked, this, [this, accuracy] {
            openAccuracy(calibratorAccuracyFile(document_.inputs().selections.reference), accuracy);
        });
    if (QAbstractButton* help = button("ScopeHelp"))
        connect(help, &QAbstractButton::clicked, this,
            [this, help] { openHelp(calibratorHelpFile(scopeFsc(document_.inputs().scope.reference)), help, true); });
    if (QAbstractButton* accuracy = button("cmd_Scope_Acc"))
        connect(accuracy, &QAbstractButton::clicked, this, [this, accuracy] {
            openAccuracy(calibratorAccuracyFile(scopeFsc(document_.inputs().scope.reference)), accuracy);
        });
    for (const char* ask : {"Ask_HLP_0", "Ask_HLP_1", "Ask_HLP_2"})
        connectHelpLabel(ask, "ask.hlp");
    connectHelpLabel("Vset_HLP", "vset.hlp");
    connectHelpLabel("Tessel_HLP", "tessel.hlp");
}

ViewerContext SecondaryWindows::viewerContext()
{
    const TesselInstallation& tessel = document_.session().tessel;
    return {document_.texts(), document_.sink(), qtText(tessel.helpDir), qtText(tessel.accDir), viewerState_};
}

void SecondaryWindows::create()
{
    CreateTargets targets;
    targets.createButton = window_.control<QAbstractButton>(QStringLiteral("Create"));
    targets.grid = window_.grid();
    targets.parent = &window_;
    targets.topmost = document_.topMost();
    createAndDeliver(document_.inputsDatedToday(), viewerContext(), targets);
}

void SecondaryWindows::chooseAndCompare()
{
    // The window's inputs as they are, with the cell being typed.
    if (!window_.commitPendingEdit())
        return;
    const QString start = document_.filePath().isEmpty() ? QDir::homePath() : QFileInfo(document_.filePath()).path();
    const QString path = QFileDialog::getOpenFileName(
        &window_, document_.text(kTextCompareChooseTitle), start, window_.specFileFilter());
    if (!path.isEmpty())
        compareWith(path);
}

void SecondaryWindows::compareWith(const QString& path)
{
    CompareWindow* compare = openCompareWindow(document_, path, &window_);
    if (!compare)
        return;
    connect(compare, &CompareWindow::cellChosen, &window_,
        [this](MeterCell cell) { window_.showCell(cell.function, cell.row, cell.column); });
    connect(compare, &CompareWindow::fieldChosen, &window_, [this](const ChangeField& field) {
        QWidget* control =
            window_.control<QWidget>(field.control + (field.optionButtons ? QStringLiteral("0") : QString()));
        // Of option buttons, the one chosen.
        for (int i = 0; field.optionButtons; ++i) {
            auto* option = window_.control<QRadioButton>(field.control + QString::number(i));
            if (!option)
                break;
            if (option->isChecked())
                control = option;
        }
        window_.showControl(control);
    });
}

void SecondaryWindows::openWizard(MeterFunction function, int column)
{
    // The wizard works on a copy; OK hands it back as one undo step.
    ConnectionStore records = document_.inputs().connections;
    ConnectionWizard wizard(document_.texts(), document_.sink(), qtText(document_.session().tessel.picDir), records,
        function, column, qtText(document_.wizardCaption()), &window_);
    if (wizard.exec() == QDialog::Accepted)
        document_.setConnections(records);
    document_.clearWizardCaption();
}

void SecondaryWindows::connectHelpLabel(const char* name, const char* file)
{
    auto* label = window_.control<ClickableLabel>(QString::fromLatin1(name));
    if (!label)
        return;
    const std::string helpFile = file;
    const bool tessel = helpFile == "tessel.hlp";
    connect(label, &ClickableLabel::clicked, this, [this, helpFile, tessel] {
        openHelp(helpFile, nullptr);
        // After Tessel's own help the user goes on to Create.
        if (tessel)
            if (auto* create = window_.control<QPushButton>(QStringLiteral("Create")))
                create->setFocus();
    });
}

void SecondaryWindows::openHelp(const std::string& file, QAbstractButton* button, bool onTop)
{
    window_.runModal([&] { openHelpViewer(viewerContext(), file, &window_, button, onTop); });
}

void SecondaryWindows::openAccuracy(const std::string& file, QAbstractButton* button)
{
    window_.runModal([&] { openAccuracyViewer(viewerContext(), file, &window_, button); });
}

} // namespace kestrel::gui
