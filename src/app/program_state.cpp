#include "app/program_state.h"

TForm1 *Form1 = nullptr;
TAbout *About = nullptr;
TConfirmit *Confirmit = nullptr;
TForm3 *Form3 = nullptr;

namespace kvl::app {

ProgramState &state() {
    static ProgramState values;
    return values;
}

} // namespace kvl::app
