// A fresh program for each test of the window, its messages kept headless.
#pragma once

#include "app/Startup.h"
#include "app/UnitMain.h"
#include "units/Messages.h"

#include <memory>

namespace tubalon {

struct WindowSession {
    std::unique_ptr<Program> program;
    TFormTubalon* w = nullptr;

    void Start() {
        SetHeadlessMessages(true);
        HeadlessLog().clear();
        SetHeadlessAnswer(nullptr);
        program = std::make_unique<Program>();
        w = program->window.get();
    }
    void Stop() {
        program.reset();
        w = nullptr;
    }
};

} // namespace tubalon
