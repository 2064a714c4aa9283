#pragma once

#include "platform/Sinks.h"

namespace korven::fuzz {

class NullStatus : public StatusSink {
public:
    void showStatus(const QString&) override {}
};

class NullMessages : public MessageSink {
public:
    MessageAnswer show(const Message& message) override { return message.defaultAnswer; }
};

}  // namespace korven::fuzz
