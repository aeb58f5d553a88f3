#pragma once
// Secondary windows set their own captions and tooltips from text numbers
// when they open. Every named control also gets an accessible name, from
// its caption or, for a button that shows only an icon, its tooltip.
#include "core/i18n/text_lookup.h"

#include <QFont>
#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace kestrel::gui {

inline QString qtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string coreText(const QString& text) { return text.toStdString(); }
// The core ends the lines of a text with CR LF; Qt's texts break at "\n".
inline QString qtLines(std::string_view text)
{
    return qtText(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
inline std::string coreLines(const QString& text)
{
    return coreText(QString(text).replace(u'\n', QStringLiteral("\r\n")));
}

QString textOf(const TextLookup& texts, int number);

// A caption as a screen reader reads it: without the access-key mark.
QString withoutAccessKey(const QString& caption);

// The control's name as the window defines it, for tests and assistive tools.
void nameControl(QWidget* control, const QString& objectName);
// Caption (and accessible name without the "&" mark).
void setCaption(QAbstractButton* button, const TextLookup& texts, int number);
void setCaption(QLabel* label, const TextLookup& texts, int number);
// Tooltip; it is the accessible name too when the control has no caption.
void setToolTip(QWidget* control, const TextLookup& texts, int number);
void setToolTip(QWidget* control, const QString& tip);

// The procedure font: Courier New 9 pt where installed, otherwise the
// platform's fixed-pitch font at 9 pt.
QFont procedureFont();

} // namespace kestrel::gui
