// Program start shared by the program and the headless tool.
#pragma once

#include <memory>

namespace tubalon {

class TFormTubalon;
class TFormParams;
class TFormPickList;

// The main window and the dialogs created at start, in start order, with every module's
// handlers hooked into the window.
struct Program {
    std::unique_ptr<TFormTubalon> window;
    std::unique_ptr<TFormParams> params;
    std::unique_ptr<TFormPickList> pickList;
    Program();
    ~Program();
};

} // namespace tubalon
