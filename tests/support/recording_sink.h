#pragma once
// A message sink for tests: records every message box and answers questions
// with a preset reply.
#include "core/base/message_sink.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrel::test {

class RecordingSink : public MessageSink {
public:
    // answer: true answers OK (or Yes), false Cancel (or No).
    explicit RecordingSink(bool answer = true) : answer_(answer) { }

    MessageAnswer show(const Message& message) override
    {
        shown.push_back(message);
        if (message.buttons == MessageButtons::Ok) {
            messages.push_back(message.text);
            return MessageAnswer::Ok;
        }
        questions.push_back(message.text);
        titles.push_back(message.title);
        if (reply_)
            return *reply_;
        const bool yesNo = message.buttons == MessageButtons::YesNo || message.buttons == MessageButtons::YesNoCancel;
        if (answer_)
            return yesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
        return message.buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    void setAnswer(bool answer)
    {
        answer_ = answer;
        reply_.reset();
    }
    // Answers every question with exactly this button.
    void setReply(MessageAnswer reply) { reply_ = reply; }

    std::vector<Message> shown;         // every message box in order
    std::vector<std::string> messages;  // texts of the OK-only ones
    std::vector<std::string> questions; // texts of the questions
    std::vector<std::string> titles;    // titles of the questions

private:
    bool answer_;
    std::optional<MessageAnswer> reply_;
};

} // namespace kestrel::test
