#include "app/Startup.h"

#include "app/UnitMain.h"
#include "refdata/UnitParams.h"
#include "refdata/UnitPickList.h"

namespace tubalon {

Program::Program() {
    window = std::make_unique<TFormTubalon>();
    // Dialogs created at start, in this order: parameters, property library, pick list.
    params = std::make_unique<TFormParams>(window->AppDir(), window.get());
    window->CaseFields().params = &params->params();
    window->hooks.showParams = [this] { params->exec(); };
    pickList = std::make_unique<TFormPickList>(window.get());
}

Program::~Program() = default;

} // namespace tubalon
