#include "preferences/PreferenceDialogs.h"

#include "preferences/frmAbout.h"
#include "preferences/frmOptions.h"

namespace korven {

const PreferenceOpeners& preferenceOpeners() {
    // The options dialog and the about box plug their openers in here.
    static const PreferenceOpeners openers{
        .options = &ShowOptionsDialog,
        .about = &ShowAboutBox,
    };
    return openers;
}

}  // namespace korven
