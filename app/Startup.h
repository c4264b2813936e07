// Program start shared by the program and the headless tool.
#pragma once

#include <memory>

namespace tubalon {

class TFormTubalon;

// The main window and the dialogs created at start, in start order, with every module's
// handlers hooked into the window.
struct Program {
    std::unique_ptr<TFormTubalon> window;
    Program();
    ~Program();
};

} // namespace tubalon
