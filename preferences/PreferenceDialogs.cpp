#include "preferences/PreferenceDialogs.h"

namespace korven {

const PreferenceOpeners& preferenceOpeners() {
    // The options dialog and the about box plug their openers in here.
    static const PreferenceOpeners openers{};
    return openers;
}

}  // namespace korven
