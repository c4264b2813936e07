#include "model/FieldSchema.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

using namespace tubalon::model;

namespace {

TEST(Schema, NamesFindTheirFieldsAndControls) {
    std::set<std::string_view> names;
    for (const CaseItem& item : CaseFileOrder()) {
        EXPECT_TRUE(names.insert(item.name()).second) << item.name();
        if (item.isField) {
            EXPECT_EQ(FindField(item.name()), item.field());
            EXPECT_EQ(LabelName(item.field()).substr(0, item.name().size() - 1),
                      item.name().substr(0, item.name().size() - 1));
        } else {
            EXPECT_EQ(FindControl(item.name()), item.control());
        }
    }
    EXPECT_EQ(names.size(), kCaseItemCount);
    // A case file's names are compared without regard to case.
    EXPECT_EQ(FindField("wrd"), std::nullopt);
    EXPECT_EQ(FindField("wrd", true), Field::WrD);
    EXPECT_EQ(FindField("DHTD", true), Field::DHtD);
    EXPECT_EQ(FindControl("cbauto", true), Control::CBAuto);
    EXPECT_EQ(FindField("WrU"), std::nullopt);
    EXPECT_EQ(UnitSelectorName(Field::DHtD), "DhtU");
    EXPECT_EQ(UnitSelectorName(Field::DHrD), "DHrU");
}

TEST(Schema, CaseFileStartsAsStoredFilesDo) {
    std::string first;
    for (const CaseItem& item : CaseFileOrder().first(9))
        first += std::string(item.name()) + " ";
    EXPECT_EQ(first, "FlowType CalTypeD CsminD EditLHysysName CBAuto ShapeD LayType doiD mD ");
    int records = 0;
    for (const CaseItem& item : CaseFileOrder())
        records += item.isField ? static_cast<int>(FieldRecords().size()) + 1
                                : static_cast<int>(RecordsOf(Info(item.control()).kind).size());
    EXPECT_EQ(records, 375);
}

// Results have no exit handler and start read-only or off; inputs calculate when left.
TEST(Schema, RolesAgreeWithHandlersAndLooks) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const FieldInfo& f = Info(static_cast<Field>(i));
        const bool result = f.role == Role::Result;
        EXPECT_EQ(f.exit == OnExit::None, result) << Name(f.id);
        if (result) {
            EXPECT_TRUE(f.look == Look::Result || f.look == Look::ResultBlack ||
                        f.look == Look::OffResult || f.look == Look::Off)
                << Name(f.id);
        }
    }
}

TEST(Schema, ReportHasARowForEveryFieldButTwo) {
    std::set<Field> without;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (!ReportRowOf(static_cast<Field>(i))) without.insert(static_cast<Field>(i));
    EXPECT_EQ(without, (std::set<Field>{Field::PtvD, Field::TimeD}));
    std::set<Field> rows;
    for (const ReportEntry& e : ReportLayout())
        if (e.kind == ReportItem::FieldRow) {
            EXPECT_TRUE(rows.insert(e.field).second) << Name(e.field);
        }
}

} // namespace
