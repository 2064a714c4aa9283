#pragma once

namespace korven {

// The programs' standard streams for as long as the object lives: UTF-8 text with "\n" line
// ends on every system, so both builds print the same bytes and read edits unchanged; a
// Windows console shows that output as UTF-8 meanwhile.
class Utf8StandardStreams {
public:
    Utf8StandardStreams();
    ~Utf8StandardStreams();
    Utf8StandardStreams(const Utf8StandardStreams&) = delete;
    Utf8StandardStreams& operator=(const Utf8StandardStreams&) = delete;

private:
    unsigned m_previousCodePage = 0;
};

}  // namespace korven
