#include "gui/field_behaviour.h"

#include "core/base/text_util.h"

#include <QEvent>
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
        if (event->type() == QEvent::FocusIn) {
            // After the click that gave the focus has placed the cursor.
            auto* edit = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
        }
        return false;
    }
};

} // namespace

void selectAllOnFocus(QLineEdit* edit) { edit->installEventFilter(new SelectAllOnFocus(edit)); }

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
    return findControlCharacter(text) == std::string::npos ? Acceptable : Invalid;
}

} // namespace kestrel::gui
