#pragma once
// Searching a read-only text pane: the question for the search text and
// the hit selected in the pane. The rules of where a search starts belong
// to each viewer (core/viewers/text_search.h).
#include "core/i18n/text_lookup.h"

#include <QString>

#include <cstddef>
#include <optional>

class QPlainTextEdit;
class QWidget;

namespace kestrel::gui {

// Asks for the search text, offering defaultText; nullopt when the user
// cancels or answers with nothing. The title and the buttons are texts of
// `texts`.
std::optional<QString> askSearchText(
    QWidget* parent, const QString& prompt, const QString& defaultText, const TextLookup& texts = englishLookup());

// Finds needle (case-insensitive) at or after the UTF-16 position from and
// selects it, scrolled into view. False, with the selection as it was,
// when there is no hit.
bool findAndSelect(QPlainTextEdit* pane, const QString& needle, int from);

} // namespace kestrel::gui
