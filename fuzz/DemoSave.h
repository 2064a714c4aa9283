#pragma once

#include "model/SaveFileLoader.h"
#include "platform/Sinks.h"
#include "tests/support/SaveImageBuilder.h"

#include <cstdlib>
#include <memory>

// The fixture builder's demo save, loaded once per fuzzer process: each input starts from it.
namespace korven::fuzz {

inline const SaveFile& demo() {
    static const auto file = [] {
        auto loaded = std::make_unique<SaveFile>();
        NullStatus status;
        NullMessages messages;
        if (!LoadSaveFile(fixtures::SaveImageBuilder().build(), *loaded, status, messages)) {
            std::abort();
        }
        return loaded;
    }();
    return *file;
}

}  // namespace korven::fuzz
