#pragma once

#include <string>

#include "platform/prefixes.h"
#include "prefs/editor_preferences.h"

class TForm1;
class TAbout;
class TConfirmit;
class TForm3;

// The four windows, created once in this order and alive until the program ends.
extern TForm1 *Form1;
extern TAbout *About;
extern TConfirmit *Confirmit;
extern TForm3 *Form3;

namespace kvl::app {

// Values every window reads and writes for the whole run.
struct ProgramState {
    kvl::prefs::EditorPreferences preferences;
    bool exitConfirmed = false;
    bool firstLoad = false;
    std::string hostLanguageCode;      // read by a load that opens the install key, kept until the next one
    kvl::platform::FoundPrefix prefix; // the Wine prefix opened at start or chosen since; empty path: none
    bool noPrefixFound = false;        // at start no prefix held the host, and none was chosen since
};
ProgramState &state();

} // namespace kvl::app
