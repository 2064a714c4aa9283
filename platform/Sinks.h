#pragma once

#include <QString>

// The seams through which the file core reports progress and problems. The window shows
// them in its status bar and message boxes, the command-line tool on stderr, tests record them.
namespace korven {

enum class MessageIcon { None, Information, Exclamation, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct Message {
    explicit Message(QString text_, MessageIcon icon_ = MessageIcon::None,
                     MessageButtons buttons_ = MessageButtons::Ok,
                     MessageAnswer defaultAnswer_ = MessageAnswer::Ok, QString title_ = {})
        : text(std::move(text_)),
          icon(icon_),
          buttons(buttons_),
          defaultAnswer(defaultAnswer_),
          title(std::move(title_)) {}

    QString text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
    QString title;  // empty: the program title
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer show(const Message& message) = 0;
};

class StatusSink {
public:
    virtual ~StatusSink() = default;
    // Shows a progress text (the main window's status-bar panel 2) and lets it be seen at once.
    virtual void showStatus(const QString& text) = 0;
};

// For work nobody watches (reading backups for a listing, fuzzing, benchmarks): texts are
// dropped and every message gets its default answer.
class NullStatus : public StatusSink {
public:
    void showStatus(const QString&) override {}
};

class NullMessages : public MessageSink {
public:
    MessageAnswer show(const Message& message) override { return message.defaultAnswer; }
};

}  // namespace korven
