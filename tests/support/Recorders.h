#pragma once

#include "platform/Sinks.h"

#include <QStringList>

#include <vector>

// Sinks that record what the code under test showed, answering messages from a script.
namespace korven::fixtures {

class RecordingStatus : public StatusSink {
public:
    void showStatus(const QString& text) override { texts.append(text); }
    QStringList texts;
};

class RecordingMessages : public MessageSink {
public:
    MessageAnswer show(const Message& message) override {
        shown.push_back(message);
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }
        return message.defaultAnswer;
    }
    QStringList texts() const {
        QStringList result;
        for (const Message& m : shown) {
            result.append(m.text);
        }
        return result;
    }
    std::vector<Message> shown;
    std::vector<MessageAnswer> answers;  // used in order; then each message's default
};

}  // namespace korven::fixtures
