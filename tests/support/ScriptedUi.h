#pragma once

#include "platform/UiServices.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// A UiServices double for GUI tests: records every message and beep, and answers messages,
// file dialogs and the folder browser from scripts (then with defaults: the message's default
// answer, cancel for dialogs).
namespace korven::fixtures {

class ScriptedUi : public UiServices {
public:
    ScriptedUi() : m_scope(*this) {}

    MessageAnswer show(const Message& message) override {
        messages.push_back(message);
        if (onMessage) {
            onMessage(message);
        }
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return message.defaultAnswer;
    }
    void beep() override { ++beeps; }
    std::optional<OpenFileChoice> getOpenFile(QWidget*, const FileDialogOptions& options) override {
        openDialogs.push_back(options);
        return take(openChoices);
    }
    std::optional<QString> getSaveFile(QWidget*, const FileDialogOptions& options) override {
        saveDialogs.push_back(options);
        return take(saveChoices);
    }
    QString browseForFolder(QWidget*, const QString& title) override {
        folderTitles.append(title);
        return take(folders).value_or(QString());
    }
    QPixmap loadPicture(const QString& path) override {
        picturesRequested.append(path);
        QPixmap picture;
        picture.load(path);
        return picture;
    }

    QStringList messageTexts() const {
        QStringList result;
        for (const Message& m : messages) {
            result.append(m.text);
        }
        return result;
    }
    void clear() {
        messages.clear();
        beeps = 0;
    }

    std::vector<Message> messages;
    // Runs as a message is shown, to look at the windows behind it.
    std::function<void(const Message&)> onMessage;
    int beeps = 0;
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<OpenFileChoice>> openChoices;
    std::deque<std::optional<QString>> saveChoices;
    std::deque<std::optional<QString>> folders;
    std::vector<FileDialogOptions> openDialogs;
    std::vector<FileDialogOptions> saveDialogs;
    QStringList folderTitles;
    QStringList picturesRequested;

private:
    template <typename T>
    static std::optional<T> take(std::deque<std::optional<T>>& queue) {
        if (queue.empty()) {
            return std::nullopt;
        }
        std::optional<T> value = queue.front();
        queue.pop_front();
        return value;
    }

    ScopedUiServices m_scope;
};

}  // namespace korven::fixtures
