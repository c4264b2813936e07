#include "calc/Driver.h"
#include "refdata/Params.h"

#include <gtest/gtest.h>

using namespace tubalon;

// The pass's shipped parameters are those of the settings store.
TEST(PassSettings, ShippedAreTheStoreDefaults) {
    EXPECT_TRUE(SettingsOf(nullptr) == engine::ShippedPassSettings());
    TParamStore edited;
    for (std::size_t i = 0; i < edited.rows().size(); ++i)
        if (edited.rows()[i].key == paramkey::kAnnulusEntry) edited.SetValue(i, "2.5");
    EXPECT_EQ(SettingsOf(&edited).annulusEntry, QStringLiteral("2.5"));
}
