#include "core/i18n/text_walks.h"

#include "core/base/text_util.h"
#include "core/i18n/text_numbers.h"

#include <cctype>

namespace kestrel {
namespace {

// The value of the leading digits, after blanks and an optional sign: the
// number a tooltip such as "1526" or " 12x" carries.
int leadingValue(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    long value = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])); ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > 1'000'000'000)
            break; // far past any text number
    }
    return static_cast<int>(negative ? -value : value);
}

// The help labels show the help text's number as their tooltip in the
// numbers walk and keep their "?" picture.
bool isHelpLabel(std::string_view name)
{
    std::string base = toLower(name);
    if (const auto underscore = base.find_last_of('_'); underscore != std::string::npos) {
        const std::string_view index = std::string_view(base).substr(underscore + 1);
        if (!index.empty() && index.find_first_not_of("0123456789") == std::string_view::npos)
            base.resize(underscore);
    }
    return base == "vset_hlp" || base == "ask_hlp" || base == "tessel_hlp";
}

// Caption or tooltip by the tag's mark, the rule of labels, buttons and
// check boxes in the local and English walks.
TextChange byMark(const TextTag& tag, const TextLookup& texts)
{
    TextChange change;
    if (tag.empty())
        return change;
    if (tag.tooltip)
        change.tooltip = texts.gettext(tag.number);
    else
        change.caption = texts.gettext(tag.number);
    return change;
}

// Kinds without a rule of their own: the tag's number names the caption
// (a text box's text), a tooltip that is itself a number names the tooltip.
TextChange byNumbers(const TextTag& tag, std::string_view currentTooltip, const TextLookup& texts)
{
    TextChange change;
    if (tag.number > 0)
        change.caption = texts.gettext(tag.number);
    if (const int tip = leadingValue(currentTooltip); tip >= 1)
        change.tooltip = texts.gettext(tip);
    return change;
}

TextChange textWalk(
    TextWalk walk, ControlKind kind, const TextTag& tag, std::string_view currentTooltip, const TextLookup& texts)
{
    switch (kind) {
    case ControlKind::Label:
    case ControlKind::CheckBox:
        return byMark(tag, texts);
    case ControlKind::CommandButton:
        // The column-delete button shows "X" whatever its number says.
        if (walk == TextWalk::Local && tag.number == kTextDeleteColumn && !tag.tooltip)
            return {.caption = "X"};
        return byMark(tag, texts);
    case ControlKind::Frame: {
        // The English walk leaves frames alone: after the numbers walk they
        // keep their numbers until local texts are shown again.
        if (walk == TextWalk::English || tag.empty())
            return {};
        return {.caption = texts.gettext(tag.number), .letEventsRun = true};
    }
    case ControlKind::Pane:
        return byMark(tag, texts);
    case ControlKind::PictureBox:
        if (tag.empty())
            return {};
        return {.tooltip = texts.gettext(tag.number)};
    case ControlKind::TextBox:
    case ControlKind::OptionButton:
        return byNumbers(tag, currentTooltip, texts);
    }
    return {};
}

TextChange numbersWalk(ControlKind kind, std::string_view name, const TextTag& tag)
{
    switch (kind) {
    case ControlKind::Label:
        if (tag.empty())
            return {};
        if (isHelpLabel(name))
            return {.tooltip = std::to_string(kTextClickForHelp)};
        return {.caption = " " + std::to_string(tag.number)};
    case ControlKind::CommandButton:
        if (tag.empty())
            return {};
        if (!tag.tooltip)
            return {.caption = std::to_string(tag.number)};
        return {.tooltip = std::to_string(tag.number)};
    case ControlKind::CheckBox:
        if (tag.empty())
            return {};
        // A tooltip's number shows in the caption with its mark, and in
        // the tooltip it names.
        if (tag.tooltip)
            return {.caption = tag.text(), .tooltip = std::to_string(tag.number)};
        return {.caption = tag.text()};
    case ControlKind::Frame:
    case ControlKind::Pane:
        if (tag.empty())
            return {};
        return {.caption = tag.text()};
    case ControlKind::OptionButton:
        return {.caption = tag.text()};
    case ControlKind::PictureBox:
        // A picture's tooltip is its only text: the translator finds it
        // by its number like any other.
        if (tag.empty())
            return {};
        return {.tooltip = std::to_string(tag.number)};
    case ControlKind::TextBox:
        return {};
    }
    return {};
}

} // namespace

std::string TextTag::text() const
{
    if (empty())
        return {};
    return std::to_string(number) + (tooltip ? "T" : "");
}

const TextLookup& walkTexts(TextWalk walk, const TextLookup& local)
{
    return walk == TextWalk::English ? englishLookup() : local;
}

TextChange walkControl(TextWalk walk, ControlKind kind, std::string_view name, const TextTag& tag,
    std::string_view currentTooltip, const TextLookup& texts)
{
    if (walk == TextWalk::Numbers)
        return numbersWalk(kind, name, tag);
    return textWalk(walk, kind, tag, currentTooltip, texts);
}

std::string walkMenuEntry(TextWalk walk, int number, std::string_view currentCaption, const TextLookup& texts)
{
    if (walk == TextWalk::Numbers)
        return std::to_string(number) + " (" + std::string(currentCaption) + ")";
    return texts.gettext(number);
}

std::optional<std::string> walkTab(TextWalk walk, int number, const TextLookup& texts)
{
    if (walk == TextWalk::Numbers)
        return number == 0 ? std::string() : std::to_string(number);
    if (number == 0)
        return std::nullopt;
    return texts.gettext(number);
}

std::string connectionCaption(TextWalk walk, const TextLookup& local)
{
    return walk == TextWalk::Numbers ? std::to_string(kTextInstructionsAndConnection)
                                     : local.gettext(kTextInstructionsAndConnection);
}

std::string walkLabelCaption(TextWalk walk, int number, const TextLookup& texts)
{
    return walkControl(walk, ControlKind::Label, {}, TextTag{number}, {}, texts).caption.value_or(std::string());
}

} // namespace kestrel
