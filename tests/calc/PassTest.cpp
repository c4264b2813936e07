// The calculation pass on the case model alone, without a window: the water-water example's
// results, results that never outlive their inputs, refused solved values and bad numbers.
#include "calc/Pass.h"
#include "model/CaseRules.h"
#include "refdata/PipeSeries.h"
#include "units/Errors.h"

#include <gtest/gtest.h>
#include <utility>

using namespace tubalon;
using namespace tubalon::engine;
using model::Field;
using model::Provenance;
using F = Field;

namespace {

// examples/water-water.sh: hot water 80 -> 60 °C in the annulus, 1 kg/s of cold water
// 20 -> 40 °C inside; the cold flow is solved from the balance, pipes given.
const std::pair<Field, const char*> kWaterWater[] = {
    {F::WrD, "1"},       {F::CprD, "4180"},    {F::Tr1D, "80"},     {F::Tr2D, "60"},
    {F::DenrD, "977.8"}, {F::MrD, "0.000404"}, {F::LdrD, "0.668"},  {F::CptD, "4180"},
    {F::Tt1D, "20"},     {F::Tt2D, "40"},      {F::DentD, "995.7"}, {F::MtD, "0.000801"},
    {F::LdtD, "0.618"},  {F::dooD, "0.057"},   {F::doiD, "0.05"},   {F::dioD, "0.032"},
    {F::diiD, "0.026"},  {F::SlD, "6"},        {F::BpD, "0.05"},    {F::TaD, "20"},
    {F::RsD, "0.0002"},  {F::RtD, "0.0002"},   {F::ErD, "0.0001"},  {F::EtD, "0.0001"},
};

class WaterWater : public ::testing::Test {
protected:
    void SetUp() override {
        model::ClickAutoPipes(d, false);
        for (const auto& [f, text] : kWaterWater)
            d.SetText(f, text);
    }
    CalcResult Run() { return RunPass(d, s, settings, pipes); }
    // The call's error message, empty when it completed without one.
    QString RunError() {
        try {
            Run();
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }

    model::CaseData d;
    PassState s;
    PassSettings settings = ShippedPassSettings();
    PipeSeries pipes;
};

} // namespace

TEST_F(WaterWater, GivesTheExampleResults) {
    const CalcResult r = Run();
    EXPECT_TRUE(r.complete) << s.incomplete.toStdString();
    EXPECT_FALSE(r.boundHit);
    // The figures of the example's hand check (examples/water-water.sh).
    const std::pair<Field, double> expected[] = {
        {F::QLD, 191.075},  {F::WtD, 0.997714}, {F::KaD, 1149.29}, {F::AcD, 1.81434},
        {F::LaD, 18.05},    {F::mD, 3.1},       {F::ktD, 7236.31}, {F::krD, 5246.12},
        {F::DptD, 39181.3}, {F::AdtD, 40},
    };
    for (const auto& [f, v] : expected)
        EXPECT_NEAR(d.SI(f), v, 1e-4 * v) << model::Name(f);
    EXPECT_EQ(d.ProvenanceOf(F::WtD), Provenance::Solved);
    EXPECT_EQ(d.ProvenanceOf(F::KaD), Provenance::Computed);
    EXPECT_TRUE(d.ReadOnly(F::WtD));
    EXPECT_EQ(d.role(model::Side::Annulus), model::FluidRole::Hot);
    EXPECT_EQ(s.annulusFlow.regime, kernel::Regime::Turbulent);
}

TEST_F(WaterWater, ClearedInputTakesItsResultsAlong) {
    Run();
    d.SetText(F::MrD, {});
    const CalcResult r = Run();
    EXPECT_FALSE(r.complete);
    EXPECT_EQ(s.incomplete, QStringLiteral("缺少数据：动力粘度（外管）"));
    for (Field f : {F::krD, F::UrD, F::KaD, F::AcD, F::LaD, F::mD, F::DpsD})
        EXPECT_FALSE(d.Filled(f)) << model::Name(f);
    // What does not rest on the annulus viscosity stays.
    EXPECT_TRUE(d.Filled(F::ktD));
    EXPECT_TRUE(d.Filled(F::WtD));
}

TEST_F(WaterWater, UnphysicalSolvedValueRefusedAndRecovers) {
    Run();
    d.SetText(F::Tr2D, "90"); // hot outlet above its inlet
    const QString error = RunError();
    EXPECT_TRUE(error.contains(QStringLiteral("热流体出口温度高于入口温度")))
        << error.toStdString();
    EXPECT_EQ(s.incomplete, error);
    EXPECT_FALSE(d.Filled(F::WtD));
    EXPECT_EQ(d.ProvenanceOf(F::WtD), Provenance::Input);
    EXPECT_FALSE(d.ReadOnly(F::WtD));
    for (Field f : {F::ktD, F::UtD, F::KaD, F::AcD, F::LaD})
        EXPECT_FALSE(d.Filled(f)) << model::Name(f);
    // Put right, the case solves the flow again at once.
    d.SetText(F::Tr2D, "60");
    EXPECT_EQ(RunError(), QString());
    EXPECT_TRUE(s.incomplete.isEmpty());
    EXPECT_EQ(d.ProvenanceOf(F::WtD), Provenance::Solved);
    EXPECT_NEAR(d.SI(F::AcD), 1.81434, 1e-4);
}

TEST_F(WaterWater, BadNumberNamesItsField) {
    d.SetText(F::MrD, "abc");
    try {
        Run();
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("动力粘度：“abc” 不是有效的数字"));
        EXPECT_EQ(e.fieldName(), QStringLiteral("MrD"));
    }
    EXPECT_FALSE(s.incomplete.isEmpty());
}

TEST(PassSteps, EveryResultHasTheStepThatWritesIt) {
    // A reader finds the step of a result from its name: each field a step writes is a result
    // (or an input the balance may solve) of the schema.
    for (const PassStep& step : PassSteps())
        for (Field f : step.writes)
            EXPECT_NE(model::Info(f).role, model::Role::Input)
                << step.number << " " << model::Name(f);
}
