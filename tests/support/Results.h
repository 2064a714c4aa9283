#pragma once

#include "platform/Result.h"

#include <QString>

namespace korven::fixtures {

// The pointer a result holds, or null when it failed: a test checks it with QVERIFY and uses it.
template <typename P>
P orNull(Result<P> result) {
    return result ? std::move(*result) : P{};
}

// The system's text of a failure, for a test's message; empty when there was none.
template <typename T>
QString whyFailed(const Result<T>& result) {
    return result ? QString() : result.error().systemText;
}

}  // namespace korven::fixtures
