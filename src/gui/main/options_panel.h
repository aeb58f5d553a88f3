#pragma once
// The Options/Misc page (Picture1 item 2): the procedure's identity and the
// options that shape the written procedure. The DMM and Scopes pages share
// this one panel; whichever tab strip shows it holds it.
#include "gui/document/document.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kestrel::gui {

class OptionsPanel : public QWidget {
    Q_OBJECT

public:
    OptionsPanel(Document& document, QWidget* parent);

    // Shows the procedure's identity as the document holds it (start-up
    // restores the comments after the window's first walk).
    void refreshIdentity();

private:
    // Marks a name, author or revision too long for its header line.
    void markOverflows();
    QWidget* buildIdentity();
    QWidget* buildTolerance();
    QWidget* buildMessages();
    QWidget* buildPostTest();
    QWidget* buildOperatorButtons();
    QWidget* buildDataEntry();
    QWidget* buildUncertainty();
    void documentChanged(Parts parts);
    void refreshOptions();
    void commentsChanged();

    Document& document_;
    QLineEdit* procName_;
    QLineEdit* authorName_;
    QLineEdit* revision_;
    QPlainTextEdit* comments_;
    QButtonGroup* tolerance_;
    QCheckBox* functionMessage_;
    QCheckBox* rangeMessage_;
    QButtonGroup* pauseBetweenTests_;
    std::array<QCheckBox*, 3> operatorControl_{};
    QButtonGroup* dataEntry_;
    QCheckBox* turCheck_;
    QLabel* measurementsLabel_;
    QComboBox* measurements_;
};

} // namespace kestrel::gui
