#pragma once
// Small behaviours the window's fields share: a label that can be clicked
// (the help labels, the labels of caption-less check boxes), selecting a
// text box's whole content when it gets the focus, and a key filter for
// text boxes that take only some characters.
#include <QColor>
#include <QLabel>
#include <QValidator>

#include <functional>

class QLineEdit;

namespace kestrel::gui {

class ClickableLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A help label (the small "?" beside a frame): reached by Tab like a
// button, Space or Enter clicks it, and screen readers hear a button
// named by its tooltip.
class HelpLabel : public ClickableLabel {
    Q_OBJECT

public:
    explicit HelpLabel(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// The whole text is selected whenever the box gets the focus, by the
// keyboard or by a click, and by the first click after the focus came:
// the focus may already be in the box when the user clicks there to
// replace its default ("Enter Name"), and typing must then replace it.
void selectAllOnFocus(QLineEdit* edit);

// The field never gets narrower than its whole text (at least
// leastCharacters digits, at most 16 characters): a squeezed field
// scrolls the start of its value out of sight, and "0.01" would read ".01".
void showWholeValue(QLineEdit* edit, int leastCharacters);

// Marks a field whose text would run over the procedure's next field (or
// past its line) the way the grid marks its cells, with tip (the
// document's overflow text) as its tooltip; an empty tip unmarks it.
void markOverflow(QLineEdit* edit, const QString& tip);

// The colour of a text that would run over the field after it in the
// procedure: a grid cell, an identity field.
QColor overflowColour();

// Refuses every text holding a character the filter does not accept, so a
// refused key (or a paste holding one) changes nothing.
class CharacterValidator : public QValidator {
public:
    CharacterValidator(std::function<bool(char)> accepts, QObject* parent)
        : QValidator(parent), accepts_(std::move(accepts))
    {
    }
    State validate(QString& input, int& position) const override;

private:
    std::function<bool(char)> accepts_;
};

// A one-line text that goes into the procedure's header (name, author,
// revision): no control character may reach it, as none may come in from a
// specification file, so a pasted TAB or line break is refused.
class OneLineTextValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace kestrel::gui
