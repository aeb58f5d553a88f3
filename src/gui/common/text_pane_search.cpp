#include "gui/common/text_pane_search.h"

#include "core/i18n/text_numbers.h"
#include "core/viewers/text_search.h"
#include "gui/common/text_positions.h"
#include "gui/common/window_texts.h"

#include <QInputDialog>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace kestrel::gui {

std::optional<QString> askSearchText(
    QWidget* parent, const QString& prompt, const QString& defaultText, const TextLookup& texts)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("SearchInput"));
    dialog.setWindowTitle(textOf(texts, kTextProgramName));
    dialog.setOkButtonText(textOf(texts, kTextOk));
    dialog.setCancelButtonText(textOf(texts, kTextCancel));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted || dialog.textValue().isEmpty())
        return std::nullopt;
    return dialog.textValue();
}

bool findAndSelect(QPlainTextEdit* pane, const QString& needle, int from)
{
    const QString text = pane->toPlainText();
    const std::optional<std::size_t> hit = findNoCase(coreText(text), coreText(needle), characterPosition(text, from));
    if (!hit)
        return false;
    const int start = utf16Position(text, *hit);
    const int end = utf16Position(text, *hit + characterPosition(needle, static_cast<int>(needle.size())));
    QTextCursor cursor = pane->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    pane->ensureCursorVisible();
    return true;
}

} // namespace kestrel::gui
