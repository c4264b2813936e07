#include "model/CaseRules.h"

#include <gtest/gtest.h>

using namespace tubalon::model;

namespace {

TEST(ShapeRule, PitchTimeAndPlacementFollowTheShape) {
    const struct {
        Shape shape;
        Placement placement;
        bool pitch, time, placementOn;
        const char* length;
    } cases[] = {
        {Shape::Straight, Placement::Vertical, false, false, false, "单程管长"},
        {Shape::Helical, Placement::Vertical, true, false, false, "盘管直径"},
        {Shape::Kettle, Placement::Vertical, false, true, true, "釜高度"},
        {Shape::Kettle, Placement::Horizontal, false, true, true, "釜长度"},
    };
    for (const auto& c : cases) {
        CaseData d;
        d.SetPlacement(c.placement);
        PickShape(d, c.shape);
        EXPECT_EQ(d.Enabled(Field::DspD), c.pitch);
        EXPECT_EQ(d.Enabled(Field::TimeD), c.time);
        EXPECT_EQ(d.Enabled(Control::LayType), c.placementOn);
        EXPECT_EQ(CaptionOf(d, Field::SlD), c.length);
        EXPECT_EQ(HelpHeading(d, Field::SlD), std::string(c.length) + " ");
    }
}

TEST(ShapeRule, EmptyPitchBecomesOneAndAHalfTypedPitchStays) {
    CaseData d;
    PickShape(d, Shape::Helical);
    EXPECT_EQ(d.Text(Field::DspD), "1.5");
    EXPECT_EQ(d.ProvenanceOf(Field::DspD), Provenance::Input);
    d.SetText(Field::DspD, "2.5");
    PickShape(d, Shape::Straight);
    EXPECT_FALSE(d.Enabled(Field::DspD));
    EXPECT_EQ(d.Text(Field::DspD), "2.5");
    PickShape(d, Shape::Helical);
    EXPECT_EQ(d.Text(Field::DspD), "2.5");
}

TEST(PhaseRule, CondensingFieldsComeAndGoWithTheirTexts) {
    CaseData d;
    d.SetText(Field::DHrD, "2257000");
    PickPhase(d, Side::Annulus, Phase::Condensing);
    for (const Field f : {Field::DHrD, Field::DrvD, Field::MrvD}) {
        EXPECT_TRUE(d.Enabled(f)) << Name(f);
        EXPECT_EQ(d.ProvenanceOf(f), Provenance::Input) << Name(f);
    }
    EXPECT_TRUE(d.Enabled(Control::LarD));
    // The vapour velocity comes on as a result.
    EXPECT_TRUE(d.ReadOnly(Field::UrvD));
    EXPECT_EQ(d.ProvenanceOf(Field::UrvD), Provenance::Blank);
    EXPECT_FALSE(d.Enabled(Field::PtvD));
    PickPhase(d, Side::Annulus, Phase::SinglePhase);
    EXPECT_FALSE(d.Enabled(Field::DHrD));
    EXPECT_EQ(d.Text(Field::DHrD), "2257000");
    PickPhase(d, Side::Inner, Phase::Condensing);
    EXPECT_TRUE(d.Enabled(Field::PtvD));
    EXPECT_TRUE(d.Enabled(Control::LatD));
}

TEST(PhaseRule, AnnulusPickEmptiesComputedFieldsKeepsSolvedAndInputs) {
    CaseData d;
    d.WriteResult(Field::QrD, -83600);
    d.WriteResult(Field::WtD, 1, Provenance::Solved);
    d.SetText(Field::CprD, "4180");
    PickPhase(d, Side::Inner, Phase::SinglePhase); // the inner list clears nothing
    EXPECT_EQ(d.Text(Field::QrD), "-83600");
    PickPhase(d, Side::Annulus, Phase::SinglePhase);
    EXPECT_EQ(d.Text(Field::QrD), "");
    EXPECT_EQ(d.ProvenanceOf(Field::QrD), Provenance::Input);
    EXPECT_EQ(d.Text(Field::WtD), "1");
    EXPECT_EQ(d.ProvenanceOf(Field::WtD), Provenance::Solved);
    EXPECT_EQ(d.Text(Field::CprD), "4180");
}

TEST(ModeRule, RatingMakesPassesAndDiametersInputs) {
    CaseData d;
    PickMode(d, Mode::Rating);
    EXPECT_FALSE(d.autoPipes());
    EXPECT_FALSE(d.Enabled(Control::CBAuto));
    for (const Field f : {Field::mD, Field::dooD, Field::doiD, Field::dioD, Field::diiD}) {
        EXPECT_EQ(d.ProvenanceOf(f), Provenance::Input) << Name(f);
        EXPECT_FALSE(d.ReadOnly(f)) << Name(f);
        EXPECT_FALSE(d.BlueFont(f)) << Name(f);
    }
    PickMode(d, Mode::Design);
    EXPECT_TRUE(d.autoPipes());
    for (const Field f : {Field::mD, Field::dooD, Field::doiD, Field::dioD, Field::diiD}) {
        EXPECT_EQ(d.ProvenanceOf(f), Provenance::Computed) << Name(f);
        EXPECT_TRUE(d.ReadOnly(f)) << Name(f);
        EXPECT_TRUE(d.BlueFont(f)) << Name(f);
    }
    ClickAutoPipes(d, false);
    EXPECT_EQ(d.ProvenanceOf(Field::dooD), Provenance::Input);
    EXPECT_EQ(d.ProvenanceOf(Field::mD), Provenance::Computed);
}

TEST(ClearCommand, AnsweredNoKeepsTheNumberAsAnInput) {
    CaseData d;
    d.WriteResult(Field::QrD, -83600);
    ClearFieldCommand(d, Field::QrD, false);
    EXPECT_EQ(d.Text(Field::QrD), "-83600");
    EXPECT_EQ(d.ProvenanceOf(Field::QrD), Provenance::Input);
    EXPECT_FALSE(d.ReadOnly(Field::QrD));
    ClearFieldCommand(d, Field::QrD, true);
    EXPECT_EQ(d.Text(Field::QrD), "");
}

TEST(Progress, ShareOfEnabledFieldsFilled) {
    CaseData d;
    EXPECT_EQ(ProgressOf(d).enabled, 46); // 57 fields less the 11 that start disabled
    EXPECT_EQ(ProgressText(ProgressOf(d)), "进度：0%");
    // 1 of 8: the text rounds up to 13, the bar to the even 12.
    CaseData e;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        e.SetEnabled(static_cast<Field>(i), i < 8);
    e.SetText(Field::doiD, "1");
    const Progress p = ProgressOf(e);
    EXPECT_EQ(p.percent, 13);
    EXPECT_EQ(p.bar, 12);
    for (std::size_t i = 0; i < kFieldCount; ++i)
        e.SetEnabled(static_cast<Field>(i), false);
    EXPECT_EQ(ProgressText(ProgressOf(e)), "进度：0%");
}

} // namespace
