#include "gui/common/window_texts.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>

namespace kestrel::gui {

QString textOf(const TextLookup& texts, int number) { return qtText(texts.gettext(number)); }

void nameControl(QWidget* control, const QString& objectName)
{
    control->setObjectName(objectName);
    // A label is heard as the text it shows, whatever changes that text.
    if (!qobject_cast<QLabel*>(control) && control->accessibleName().isEmpty())
        control->setAccessibleName(objectName);
}

void setCaption(QAbstractButton* button, const TextLookup& texts, int number)
{
    const QString caption = textOf(texts, number);
    button->setText(caption);
    button->setAccessibleName(withoutAccessKey(caption));
}

void setCaption(QLabel* label, const TextLookup& texts, int number)
{
    const QString caption = textOf(texts, number);
    label->setText(caption);
    label->setAccessibleName(QString()); // heard as its text, see nameControl
}

void setToolTip(QWidget* control, const TextLookup& texts, int number) { setToolTip(control, textOf(texts, number)); }

void setToolTip(QWidget* control, const QString& tip)
{
    control->setToolTip(tip);
    const auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button || button->text().isEmpty())
        control->setAccessibleName(withoutAccessKey(tip));
}

QFont procedureFont()
{
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::TypeWriter);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(9);
    if (QFontInfo(fixed).fixedPitch())
        return fixed;
    // A platform that names no fixed-pitch font of its own (Qt's offscreen
    // platform on Windows reads only the fonts of a folder): the first
    // fixed-pitch family installed keeps the columns in line.
    for (const QString& family : QFontDatabase::families())
        if (QFontDatabase::isFixedPitch(family))
            return QFont(family, 9);
    return fixed;
}

QString withoutAccessKey(const QString& caption)
{
    QString out;
    out.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                out += u'&';
            else
                continue;
            ++i;
            continue;
        }
        out += caption[i];
    }
    return out;
}

} // namespace kestrel::gui
