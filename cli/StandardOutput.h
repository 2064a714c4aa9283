#pragma once

#include "platform/FileProblem.h"

#include <QIODevice>

#include <cstdio>
#include <optional>

// The stream the commands print their results on, which remembers a write that failed: a
// script must not take a dump cut short by a full disk for a whole one.
namespace korven::cli {

class StandardOutput : public QIODevice {
public:
    explicit StandardOutput(std::FILE* stream);

    // Hands what the C library holds to the system; false when a write failed, now or before.
    bool finish();
    // Why a write failed; none while all went well.
    const std::optional<FileFailure>& failure() const { return m_failure; }
    // The reader went away (`| head`): not worth a message, as for any filter.
    bool readerGone() const { return m_readerGone; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void noteFailure();

    std::FILE* m_stream;
    std::optional<FileFailure> m_failure;
    bool m_readerGone = false;
};

}  // namespace korven::cli
