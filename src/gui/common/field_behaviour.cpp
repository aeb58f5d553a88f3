#include "gui/common/field_behaviour.h"

#include "core/base/user_text.h"
#include "gui/common/caption_fitting.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <algorithm>

namespace kestrel::gui {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void HelpLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            emit clicked();
            return;
        }
        break;
    default:
        break;
    }
    ClickableLabel::keyPressEvent(event);
}

void HelpLabel::paintEvent(QPaintEvent* event)
{
    ClickableLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A frame of the selection colour: some styles draw their focus frame
    // only around controls they know.
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

// A help label as a screen reader presents it: a button named by its
// tooltip ("Click for Help") that its press action clicks.
class AccessibleHelpLabel : public QAccessibleWidget {
public:
    explicit AccessibleHelpLabel(HelpLabel* label) : QAccessibleWidget(label, QAccessible::Button) { }

    // Heard by its tooltip, then described by what it stands beside (the
    // frame's title, which would otherwise name it).
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && !widget()->toolTip().isEmpty())
            return widget()->toolTip();
        if (t == QAccessible::Description)
            return QAccessibleWidget::text(QAccessible::Name);
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction())
            emit static_cast<HelpLabel*>(widget())->clicked();
    }
};

QAccessibleInterface* helpLabelInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(HelpLabel::staticMetaObject.className()) && object && object->isWidgetType())
        return new AccessibleHelpLabel(static_cast<HelpLabel*>(object));
    return nullptr;
}

class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* edit = static_cast<QLineEdit*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
            // After the click that gave the focus has placed the cursor.
            firstClickPending_ = true;
            selectAllSoon(edit);
            break;
        case QEvent::KeyPress:
            // Keys typed into the selection: a later click places the caret.
            firstClickPending_ = false;
            break;
        case QEvent::MouseButtonRelease:
            // The first click since the field got the focus, whether the
            // click gave it or the keyboard or a page switch did, selects
            // everything once it has ended: a press on text still selected
            // starts a drag, and its release takes the selection away.
            if (firstClickPending_) {
                firstClickPending_ = false;
                selectAllSoon(edit);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    static void selectAllSoon(QLineEdit* edit)
    {
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    }

    bool firstClickPending_ = false;
};

// The most characters a field widens for.
constexpr int kMostShownCharacters = 16;

// The width the field needs to show text whole, the caret after it.
int widthShowing(const QLineEdit* edit, const QString& text)
{
    QStyleOptionFrame frame;
    frame.initFrom(edit);
    frame.rect = edit->rect();
    frame.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit);
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    const QMargins margins = edit->textMargins() + edit->contentsMargins();
    // QLineEdit keeps two pixels free on either side of its text.
    const int contents = edit->fontMetrics().horizontalAdvance(text) + margins.left() + margins.right() + 4 +
        edit->style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, edit) + 1;
    return edit->style()
        ->sizeFromContents(QStyle::CT_LineEdit, &frame, QSize(contents, edit->fontMetrics().height()), edit)
        .width();
}

} // namespace

HelpLabel::HelpLabel(QWidget* parent) : ClickableLabel(parent)
{
    static const bool registered = [] {
        QAccessible::installFactory(&helpLabelInterface);
        return true;
    }();
    Q_UNUSED(registered);
    setFocusPolicy(Qt::StrongFocus);
    // Room for the focus frame around the picture.
    setContentsMargins(2, 2, 2, 2);
}

void selectAllOnFocus(QLineEdit* edit) { edit->installEventFilter(new SelectAllOnFocus(edit)); }

void showWholeValue(QLineEdit* edit, int leastCharacters)
{
    const auto fit = [edit, leastCharacters] {
        // A value longer than kMostShownCharacters scrolls rather than
        // widen the page past the screen.
        const int most = widthShowing(edit, QString(kMostShownCharacters, QLatin1Char('0')));
        const int width = std::max(std::min(widthShowing(edit, edit->text()), most),
            widthShowing(edit, QString(leastCharacters, QLatin1Char('0'))));
        if (width == edit->minimumWidth())
            return;
        edit->setMaximumWidth(std::max(edit->maximumWidth(), width));
        edit->setMinimumWidth(width);
        refitFrames(edit);
    };
    QObject::connect(edit, &QLineEdit::textChanged, edit, fit);
    fit();
}

void markOverflow(QLineEdit* edit, const QString& tip)
{
    if (edit->toolTip() == tip)
        return;
    edit->setToolTip(tip);
    edit->setStyleSheet(
        tip.isEmpty() ? QString() : QStringLiteral("QLineEdit { background: %1; }").arg(overflowColour().name()));
}

QValidator::State CharacterValidator::validate(QString& input, int&) const
{
    for (const QChar ch : input)
        if (ch.unicode() > 0x7F || !accepts_(static_cast<char>(ch.unicode())))
            return Invalid;
    return Acceptable;
}

QValidator::State OneLineTextValidator::validate(QString& input, int&) const
{
    const std::string text = input.toStdString();
    return findRefusedCharacter(text) == std::string::npos ? Acceptable : Invalid;
}

QColor overflowColour() { return QColor(255, 176, 160); }

} // namespace kestrel::gui
