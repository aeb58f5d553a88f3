#include "gui/common/field_behaviour.h"

#include "core/base/user_text.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

namespace kestrel::gui {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

namespace {

class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* edit = static_cast<QLineEdit*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
            // After the click that gave the focus has placed the cursor.
            clickGaveFocus_ = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
            selectAllSoon(edit);
            break;
        case QEvent::MouseButtonRelease:
            // A press on text still selected from an earlier visit starts a
            // drag, and its release takes the selection away: the click
            // that gave the focus selects everything once it has ended.
            if (clickGaveFocus_) {
                clickGaveFocus_ = false;
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

    bool clickGaveFocus_ = false;
};

} // namespace

void selectAllOnFocus(QLineEdit* edit) { edit->installEventFilter(new SelectAllOnFocus(edit)); }

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
