#include "gui/common/text_positions.h"

namespace kestrel::gui {

int utf16Position(const QString& text, std::size_t characters)
{
    int position = 0;
    for (std::size_t c = 0; c < characters && position < text.size(); ++c)
        position += (text.at(position).isHighSurrogate() && position + 1 < text.size()) ? 2 : 1;
    return position;
}

std::size_t characterPosition(const QString& text, int utf16)
{
    std::size_t characters = 0;
    for (int position = 0; position < utf16 && position < text.size(); ++position)
        if (!text.at(position).isLowSurrogate())
            ++characters;
    return characters;
}

} // namespace kestrel::gui
