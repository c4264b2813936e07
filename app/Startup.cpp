#include "app/Startup.h"

#include "app/UnitMain.h"
#include "refdata/UnitPickList.h"

namespace tubalon {

Program::Program() {
    window = std::make_unique<TFormTubalon>();
    // Dialogs created at start, in this order: parameters, property library, pick list.
}

Program::~Program() = default;

} // namespace tubalon
