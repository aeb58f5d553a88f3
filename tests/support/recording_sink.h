#pragma once
// A message sink for tests: records every message and answers questions
// with a preset reply.
#include "core/base/message_sink.h"

#include <string>
#include <vector>

namespace kestrel::test {

class RecordingSink : public MessageSink {
public:
    explicit RecordingSink(bool answer = true) : answer_(answer) {}

    void inform(const std::string& text) override { messages.push_back(text); }
    bool ask(const std::string& text, const std::string& title) override
    {
        questions.push_back(text);
        titles.push_back(title);
        return answer_;
    }
    void setAnswer(bool answer) { answer_ = answer; }

    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> titles;

private:
    bool answer_;
};

} // namespace kestrel::test
