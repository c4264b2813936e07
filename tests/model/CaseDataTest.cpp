#include "model/CaseData.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace tubalon::model;

namespace {

TEST(CaseData, FreshCaseHasThePageLooks) {
    const CaseData d;
    const struct {
        Field f;
        Provenance p;
        bool enabled, readOnly, blue;
    } cases[] = {
        {Field::WrD, Provenance::Input, true, false, false},
        {Field::dooD, Provenance::Blank, true, false, false},  // grey input
        {Field::UrD, Provenance::Blank, true, true, true},     // result
        {Field::krD, Provenance::Blank, true, true, false},    // result in black
        {Field::DHrD, Provenance::Blank, false, false, false}, // off
        {Field::UrvD, Provenance::Blank, false, true, false},  // off and read-only
    };
    for (const auto& c : cases) {
        EXPECT_EQ(d.ProvenanceOf(c.f), c.p) << Name(c.f);
        EXPECT_EQ(d.Enabled(c.f), c.enabled) << Name(c.f);
        EXPECT_EQ(d.ReadOnly(c.f), c.readOnly) << Name(c.f);
        EXPECT_EQ(d.BlueFont(c.f), c.blue) << Name(c.f);
    }
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const auto f = static_cast<Field>(i);
        EXPECT_FALSE(d.Filled(f)) << Name(f);
        EXPECT_EQ(d.Unit(f), 0);
        EXPECT_EQ(d.Factor(f), 1.0);
    }
    EXPECT_EQ(d.shape(), Shape::Straight);
    EXPECT_EQ(d.mode(), Mode::Design);
    EXPECT_EQ(d.flow(), FlowArrangement::CounterCurrent);
    EXPECT_EQ(d.phase(Side::Annulus), Phase::SinglePhase);
    EXPECT_TRUE(d.autoPipes());
    EXPECT_EQ(d.requiredMargin(), 0.0);
    EXPECT_EQ(d.nonCondensableShare(Side::Inner), 0.0);
    EXPECT_EQ(d.Text(Control::LarD), "0.00");
    EXPECT_FALSE(d.Enabled(Control::LayType));
    EXPECT_EQ(d.material(Control::TmD), (Material{"低碳钢", 52.34}));
    EXPECT_EQ(d.material(Control::PmD), (Material{"岩棉板,壳", 0.033}));
    EXPECT_EQ(d.note(Side::Annulus), "注释");
    EXPECT_EQ(d.role(Side::Annulus), FluidRole::Unknown);
}

TEST(CaseData, TextsAndValues) {
    const struct {
        const char* text;
        bool filled, value;
        double si;
    } cases[] = {
        {"1.5", true, true, 1.5},      {" 12 ", true, true, 12}, {"", false, false, 0},
        {"  ", true, false, 0},        {"6o", true, false, 0},   {"1e999", true, false, 0},
        {"-2E-3", true, true, -0.002},
    };
    CaseData d;
    for (const auto& c : cases) {
        d.SetText(Field::WrD, c.text);
        EXPECT_EQ(d.Text(Field::WrD), c.text);
        EXPECT_EQ(d.Filled(Field::WrD), c.filled) << c.text;
        EXPECT_EQ(d.HasValue(Field::WrD), c.value) << c.text;
        EXPECT_EQ(d.SI(Field::WrD), c.si) << c.text;
    }
    // A long text is held whole.
    const std::string typed(100, '7');
    d.SetText(Field::WrD, typed);
    EXPECT_EQ(d.Text(Field::WrD), typed);
    EXPECT_DOUBLE_EQ(d.SI(Field::WrD), std::stod(typed));
    d.SetText(Field::WrD, d.Text(Field::WrD).substr(0, 3));
    EXPECT_EQ(d.Text(Field::WrD), "777");
}

TEST(CaseData, UnitChangesKeepTheValue) {
    CaseData d;
    ASSERT_TRUE(d.PickUnit(Field::WrD, 2)); // t/h on an empty field: only the factor
    EXPECT_EQ(d.Text(Field::WrD), "");
    EXPECT_EQ(d.Factor(Field::WrD), 1000 / 3600.0);
    d.SetText(Field::WrD, "1.5");
    EXPECT_DOUBLE_EQ(d.SI(Field::WrD), 1.5 * 1000 / 3600);
    d.PickUnit(Field::WrD, 1); // kg/h
    EXPECT_EQ(d.Text(Field::WrD), "1500");
    d.PickUnit(Field::WrD, 2);
    EXPECT_EQ(d.Text(Field::WrD), "1.5");
    EXPECT_EQ(d.Unit(Field::WrD), 2);
    d.PickUnit(Field::CptD, 1); // kJ/(kg.K)
    d.SetText(Field::CptD, "2");
    d.PickUnit(Field::CptD, 2); // kcal/kg.K
    EXPECT_EQ(d.Text(Field::CptD), "0.477691793254992");
    EXPECT_FALSE(d.PickUnit(Field::CptD, 4));
    EXPECT_FALSE(d.PickUnit(Field::CptD, -1));
    EXPECT_EQ(d.Unit(Field::CptD), 2);
    // A text that is no number keeps its characters and takes the factor.
    d.SetText(Field::MtD, "abc");
    d.PickUnit(Field::MtD, 2);
    EXPECT_EQ(d.Text(Field::MtD), "abc");
    EXPECT_EQ(d.Factor(Field::MtD), 0.001);
    // The index alone, as a case file restores it, converts nothing.
    d.SetUnitIndex(Field::WrD, 0);
    EXPECT_EQ(d.Text(Field::WrD), "1.5");
    EXPECT_EQ(d.Factor(Field::WrD), 1000 / 3600.0);
}

TEST(CaseData, ResultsAreWrittenOnlyWhenTheyChange) {
    CaseData d;
    EXPECT_EQ(d.WriteResult(Field::QrD, -83600), WriteOutcome::Written);
    EXPECT_EQ(d.Text(Field::QrD), "-83600");
    EXPECT_EQ(d.ProvenanceOf(Field::QrD), Provenance::Computed);
    EXPECT_TRUE(d.ReadOnly(Field::QrD));
    EXPECT_EQ(d.WriteResult(Field::QrD, -83600 * (1 + 0.99e-4)), WriteOutcome::Kept);
    EXPECT_EQ(d.Text(Field::QrD), "-83600");
    EXPECT_EQ(d.WriteResult(Field::QrD, -83600 * (1 + 1.01e-4)), WriteOutcome::Written);
    // Against 0 the difference is absolute.
    d.SetText(Field::KaD, "0");
    EXPECT_EQ(d.WriteResult(Field::KaD, 0.00005), WriteOutcome::Kept);
    EXPECT_EQ(d.WriteResult(Field::KaD, 0.0002), WriteOutcome::Written);
    // A typed text that is no number is replaced.
    d.SetText(Field::AcD, "x");
    EXPECT_EQ(d.WriteResult(Field::AcD, 2, Provenance::Solved), WriteOutcome::Written);
    EXPECT_EQ(d.ProvenanceOf(Field::AcD), Provenance::Solved);
    // Nothing is written that would not be a finite number in the field's unit.
    EXPECT_EQ(d.WriteResult(Field::AcD, NAN), WriteOutcome::NotFinite);
    EXPECT_EQ(d.WriteResult(Field::AcD, INFINITY), WriteOutcome::NotFinite);
    EXPECT_EQ(d.Text(Field::AcD), "2");
}

TEST(CaseData, WrittenValueIsItsTextReadBack) {
    CaseData d;
    d.PickUnit(Field::QtD, 4); // kcal/h, 1.163
    const double v = 12345.678901234567;
    d.WriteResult(Field::QtD, v);
    EXPECT_EQ(d.Text(Field::QtD), "10615.3730879059");
    CaseData e;
    e.PickUnit(Field::QtD, 4);
    e.SetText(Field::QtD, d.Text(Field::QtD));
    EXPECT_EQ(d.SI(Field::QtD), e.SI(Field::QtD)); // as after saving and opening
    EXPECT_NEAR(d.SI(Field::QtD), v, 1e-9);
}

TEST(CaseData, ClearingAResult) {
    CaseData d;
    EXPECT_FALSE(d.ClearResult(Field::WrD)); // an empty input already
    EXPECT_TRUE(d.ClearResult(Field::UrD));  // grey: becomes an input
    EXPECT_EQ(d.ProvenanceOf(Field::UrD), Provenance::Input);
    EXPECT_FALSE(d.ReadOnly(Field::UrD));
    d.WriteResult(Field::UrD, 1.2);
    EXPECT_TRUE(d.ClearResult(Field::UrD));
    EXPECT_EQ(d.Text(Field::UrD), "");
}

TEST(CaseData, TemperatureTextsMarkTheMeanDifferenceDue) {
    const struct {
        Field f;
        bool marks;
    } cases[] = {{Field::Tr1D, true},
                 {Field::Tt2D, true},
                 {Field::WrD, false},
                 {Field::TaD, false},
                 {Field::TwD, false}};
    for (const auto& c : cases) {
        CaseData d;
        d.SetText(c.f, "20");
        EXPECT_EQ(d.memory.temperaturesChanged, c.marks) << Name(c.f);
        d.memory.temperaturesChanged = false;
        d.SetText(c.f, "20"); // the same text is no change
        EXPECT_FALSE(d.memory.temperaturesChanged);
        d.WriteResult(c.f, 25, Provenance::Solved);
        EXPECT_EQ(d.memory.temperaturesChanged, c.marks) << Name(c.f);
    }
}

TEST(CaseData, SidesAndChoices) {
    CaseData d;
    const struct {
        const char* text;
        std::optional<double> share;
    } shares[] = {
        {"", 0.0}, {"10", 0.1}, {" 5 ", 0.05}, {"abc", std::nullopt}, {" ", std::nullopt}};
    for (const auto& s : shares) {
        d.SetText(Control::LarD, s.text);
        EXPECT_EQ(d.nonCondensableShare(Side::Annulus), s.share) << s.text;
    }
    d.SetText(Control::HTrD, "热流体");
    d.SetText(Control::HTtD, "冷流体");
    EXPECT_EQ(d.role(Side::Annulus), FluidRole::Hot);
    EXPECT_EQ(d.role(Side::Inner), FluidRole::Cold);
    d.SetChoice(Control::CsminD, 0);
    EXPECT_EQ(d.requiredMargin(), -0.3);
    d.SetChoice(Control::CsminD, -1);
    EXPECT_EQ(d.requiredMargin(), std::nullopt);
    d.SetShape(Shape::None);
    EXPECT_EQ(d.Choice(Control::ShapeD), -1);
    d.SetMaterial(Control::SmD, 1, {"不锈钢", 16.28});
    EXPECT_EQ(d.material(Control::SmD).conductivity, 16.28);
    EXPECT_EQ(d.material(Control::TmD).name, "低碳钢");
    EXPECT_EQ(d.Choice(Control::SmD), 1);
}

TEST(CaseData, ColoursOfTheProvenances) {
    const struct {
        Provenance p;
        int color;
    } cases[] = {{Provenance::Blank, -16777201},
                 {Provenance::Input, -16777211},
                 {Provenance::Computed, 14670590},
                 {Provenance::Solved, 65535}};
    for (const auto& c : cases) {
        EXPECT_EQ(ColorOf(c.p), c.color);
        EXPECT_EQ(ProvenanceOfColor(c.color), c.p);
    }
    EXPECT_EQ(ProvenanceOfColor(0), std::nullopt);
}

} // namespace
