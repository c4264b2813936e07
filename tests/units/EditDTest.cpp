#include "units/EditD.h"
#include "TestApp.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Errors.h"
#include "units/Tools2.h"
#include "units/UnitLists.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tubalon;

using tubalon::test::App;

namespace {

struct FieldFixture : ::testing::Test {
    void SetUp() override {
        App();
        window = std::make_unique<QWidget>();
        field = new TEditD(window.get());
        field->setObjectName("WrD");
        unit = new TComboBoxU(window.get());
        unit->addItems(UnitItems(UnitKind::MassFlow));
        unit->SetAssociated(field);
        unit->Loaded();
    }
    std::unique_ptr<QWidget> window;
    TEditD* field = nullptr;
    TComboBoxU* unit = nullptr;
};
} // namespace

TEST_F(FieldFixture, UnitChangeKeepsSIValueAndRoundTrips) {
    unit->UserPick(2); // t/h
    field->setText("1.5");
    unit->UserPick(1); // kg/h
    EXPECT_EQ(field->text(), "1500");
    unit->UserPick(2);
    EXPECT_EQ(field->text(), "1.5");
    EXPECT_NEAR(field->GetSIValue(), 1.5 * 1000 / 3600, 1e-15);
}

TEST_F(FieldFixture, UnitChangeOnEmptyOrBadTextChangesOnlyFactor) {
    unit->UserPick(1);
    EXPECT_EQ(field->text(), "");
    EXPECT_DOUBLE_EQ(field->Exchange(), 1.0 / 3600);
    field->setText("abc");
    unit->UserPick(2);
    EXPECT_EQ(field->text(), "abc");
    EXPECT_DOUBLE_EQ(field->Exchange(), 1.0 / 3.6);
}

TEST_F(FieldFixture, ProgramIndexDoesNotConvert) {
    field->setText("2");
    QSignalSpy spy(unit, &TComboBoxU::Changed);
    unit->setCurrentIndex(1);
    EXPECT_EQ(field->text(), "2");
    EXPECT_DOUBLE_EQ(field->Exchange(), 1.0);
    EXPECT_EQ(spy.count(), 0);
}

TEST_F(FieldFixture, SpecificHeatConversion) {
    unit->clear();
    unit->addItems(UnitItems(UnitKind::SpecificHeat));
    unit->Loaded();
    unit->UserPick(1);
    field->setText("2");
    unit->UserPick(2); // kcal/kg.K: 4186.8 J/(kg.K)
    EXPECT_EQ(field->text(), "0.477691793254992");
    EXPECT_EQ(field->FloatStr(), "0.4776918");
}

// The message of a field's bad number names the field by its caption.
TEST_F(FieldFixture, BadNumberNamesField) {
    auto* label = new QLabel("质量流量", window.get());
    label->setObjectName("WrL");
    field->SetMyLabel(label);
    for (const char* text : {"abc", " 1,5 ", "12a"}) {
        field->setText(QString::fromUtf8(text));
        try {
            field->GetSIValue();
            ADD_FAILURE() << text;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("质量流量：“%1” 不是有效的数字")
                                       .arg(QString::fromUtf8(text).trimmed()));
            EXPECT_EQ(e.fieldName(), "WrD");
        }
    }
    field->setText("  ");
    try {
        field->GetSIValue();
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("质量流量：没有数值"));
    }
}

TEST(UnitLists, FactorsAndBarColumns) {
    App();
    EXPECT_DOUBLE_EQ(TComboBoxU::FactorOf("m2.K.S/kcal    |2.3883E-4 "), 0.00023883);
    EXPECT_DOUBLE_EQ(TComboBoxU::FactorOf("MPa    |1.0e6   "), 1e6);
    EXPECT_DOUBLE_EQ(TComboBoxU::FactorOf(UnitItems(UnitKind::Pressure)[5]), 1e6);
    EXPECT_EQ(UnitItems(UnitKind::Length)[0].indexOf('|'), 35);
    EXPECT_EQ(UnitItems(UnitKind::Coefficient)[5].indexOf('|'), 42);
    EXPECT_THROW(TComboBoxU::FactorOf("kg"), EConvertError);
    for (int k = 0; k <= static_cast<int>(UnitKind::Percent); ++k) {
        const QStringList items = UnitItems(static_cast<UnitKind>(k));
        ASSERT_FALSE(items.isEmpty());
        EXPECT_DOUBLE_EQ(TComboBoxU::FactorOf(items[0]), 1.0);
        for (const QString& it : items)
            EXPECT_GT(TComboBoxU::FactorOf(it), 0);
    }
}

TEST_F(FieldFixture, ReadingAndDisplayForm) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {" 12 ", " 12 "},           {"1.0", "1"}, {"0.5", "0.5"}, {"123456789", "1.234568E0008"},
        {"3.14159265", "3.141593"}, {"", ""}};
    for (const auto& c : cases) {
        field->setText(c.text);
        EXPECT_EQ(field->FloatStr().toStdString(), c.shown) << c.text;
    }
    field->setText(" 12 ");
    EXPECT_DOUBLE_EQ(field->GetSIValue(), 12);
    field->setText("");
    EXPECT_THROW(field->GetSIValue(), EConvertError);
}

TEST_F(FieldFixture, SetComputedTolerance) {
    EXPECT_EQ(SetComputed(field, clComputed, kResultTolerance, 100.0), field);
    EXPECT_EQ(field->text(), "100");
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(ColorOf(field), clComputed);
    EXPECT_EQ(SetComputed(field, clComputed, kResultTolerance, 100.009), nullptr);
    EXPECT_EQ(field->text(), "100");
    EXPECT_EQ(SetComputed(field, clComputed, kResultTolerance, 100.011), field);
    field->setText("0");
    EXPECT_EQ(SetComputed(field, clComputed, kResultTolerance, 0.00005), nullptr);
    EXPECT_THROW(SetComputed(field, clComputed, kResultTolerance, std::nan("")), ECalcError);
    EXPECT_EQ(field->text(), "0");
}

TEST_F(FieldFixture, ClearComputed) {
    EXPECT_EQ(ClearComputed(field), nullptr);
    SetComputed(field, clSolved, 0.000002, 1.0);
    EXPECT_EQ(ClearComputed(field), field);
    EXPECT_EQ(field->text(), "");
    EXPECT_FALSE(field->isReadOnly());
    EXPECT_EQ(ColorOf(field), clWindow);
}

TEST_F(FieldFixture, MyLabelIsNoneWhenRemoved) {
    auto* label = new QLabel("质量流量", window.get());
    label->setObjectName("WrL");
    field->SetMyLabel(label);
    EXPECT_EQ(field->MyLabel(), label);
    EXPECT_EQ(field->Caption(), "质量流量");
    delete label;
    EXPECT_EQ(field->MyLabel(), nullptr);
    EXPECT_EQ(field->Caption(), "WrD");
}

TEST_F(FieldFixture, GroupLooks) {
    field->setReadOnly(true);
    SetColorOf(field, clBtnFace);
    EnableGroup({field}, false, clWindow);
    EXPECT_FALSE(field->isEnabled());
    EXPECT_EQ(ColorOf(field), clBtnFace);
    EnableGroup({field}, true, clWindow);
    EXPECT_TRUE(field->isEnabled());
    EXPECT_FALSE(field->isReadOnly());
    EXPECT_EQ(ColorOf(field), clWindow);
    field->setText("5");
    MarkComputed({field}, true, clComputed);
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(FontColorOf(field), clBlue);
    EXPECT_EQ(field->text(), "5");
    MarkComputed({field}, false, clComputed);
    EXPECT_FALSE(field->isReadOnly());
    EXPECT_EQ(FontColorOf(field), clBlack);
}
