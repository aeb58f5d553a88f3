#pragma once
// Where the core's message boxes go. The window shows dialogs, the command
// line prints to standard error, tests record them. Texts arrive complete,
// exactly as the user is to read them; a message carries everything a
// message box needs (buttons, the default one, the icon, the title), so the
// core decides what is asked and the front end only how it looks.
#include <string>

namespace kestrel {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Exclamation, Question, Critical };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct Message {
    std::string text;
    std::string title; // empty: the program's default title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // The button Enter presses. Ok and Yes unless a question names another.
    MessageAnswer defaultAnswer = MessageAnswer::Ok;

    bool operator==(const Message&) const = default;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows the message and returns the button chosen. A message with an
    // OK button only answers Ok.
    virtual MessageAnswer show(const Message& message) = 0;

    // A message with an OK button only and the default title.
    void inform(const std::string& text) { show(Message{text, {}, MessageButtons::Ok, MessageIcon::None}); }
    void inform(const std::string& text, MessageIcon icon) { show(Message{text, {}, MessageButtons::Ok, icon}); }
    // A question with OK and Cancel; true means OK.
    bool ask(const std::string& text, const std::string& title, MessageIcon icon = MessageIcon::None,
        MessageAnswer defaultAnswer = MessageAnswer::Ok)
    {
        return show(Message{text, title, MessageButtons::OkCancel, icon, defaultAnswer}) == MessageAnswer::Ok;
    }
};

// Swallows messages and answers every question with its default button.
class SilentSink : public MessageSink {
public:
    MessageAnswer show(const Message& message) override { return message.defaultAnswer; }
};

} // namespace kestrel
