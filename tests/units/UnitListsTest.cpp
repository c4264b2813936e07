// Every factor of the unit lists against the definition of its unit, and the lists showing
// unit names only.
#include "units/UnitLists.h"
#include "TestApp.h"
#include "units/ComboBoxU.h"
#include "units/EditD.h"
#include "units/NamedList.h"

#include <QApplication>
#include <QStyledItemDelegate>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

using namespace tubalon;

using tubalon::test::App;

namespace {

// Definitions (NIST Special Publication 811, 2008, Appendix B.8 and B.9): the calorie (IT)
// is 4.1868 J and the kilogram-force 9.80665 N exactly; an hour is 3600 s.
constexpr double cal = 4.1868, kcal = 4186.8, h = 3600, kgf = 9.80665;

struct Unit {
    UnitKind kind;
    const char* unit;
    double si; // SI value of one unit
};
const Unit kUnits[] = {
    {UnitKind::Length, "m", 1},
    {UnitKind::Length, "dm", 0.1},
    {UnitKind::Length, "cm", 0.01},
    {UnitKind::Length, "mm", 0.001},
    {UnitKind::Velocity, "m/s", 1},
    {UnitKind::Velocity, "dm/s", 0.1},
    {UnitKind::Velocity, "cm/s", 0.01},
    {UnitKind::Velocity, "mm/", 0.001},
    {UnitKind::Coefficient, "W/(m2.K)", 1},
    {UnitKind::Coefficient, "J/(m2.S.K)", 1},
    {UnitKind::Coefficient, "kW/(m2.K)", 1000},
    {UnitKind::Coefficient, "kJ/(m2.K.S)", 1000},
    {UnitKind::Coefficient, "kcal/(m2.K.S)", kcal},
    {UnitKind::Coefficient, "kcal/(m2.K.h)", 1.163}, // kcal / h
    {UnitKind::Fouling, "m2.K/W", 1},
    {UnitKind::Fouling, "m2.K/kW", 0.001},
    {UnitKind::Fouling, "m2.K.S/cal", 1 / cal},
    {UnitKind::Fouling, "m2.K.S/kcal", 1 / kcal},
    {UnitKind::Fouling, "m2.K.h/kcal", h / kcal},
    {UnitKind::Pressure, "N/m2", 1},
    {UnitKind::Pressure, "Pa", 1},
    {UnitKind::Pressure, "kN/m2", 1000},
    {UnitKind::Pressure, "kPa", 1000},
    {UnitKind::Pressure, "kg/cm2", 98066.5}, // kgf on 1e-4 m2
    {UnitKind::Pressure, "MPa", 1e6},
    {UnitKind::Temperature, "C", 1},
    {UnitKind::Passes, "程/圈", 1},
    {UnitKind::Pitch, "倍外管径", 1},
    {UnitKind::MassFlow, "kg/s", 1},
    {UnitKind::MassFlow, "kg/h", 1 / h},
    {UnitKind::MassFlow, "t/h", 1000 / h},
    {UnitKind::SpecificHeat, "J/(kg.K)", 1},
    {UnitKind::SpecificHeat, "kJ/(kg.K)", 1000},
    {UnitKind::SpecificHeat, "kcal/kg.K", kcal},
    {UnitKind::SpecificHeat, "Mkcal/kg.K", 4.1868e9},
    {UnitKind::HeatFlow, "W", 1},
    {UnitKind::HeatFlow, "J/s", 1},
    {UnitKind::HeatFlow, "kW", 1000},
    {UnitKind::HeatFlow, "kJ/h", 1000 / h},
    {UnitKind::HeatFlow, "kcal/h", 1.163},
    {UnitKind::HeatFlow, "Mkcal/h", 1.163e6},
    {UnitKind::Viscosity, "N.S/m2", 1},
    {UnitKind::Viscosity, "Pa.S", 1},
    {UnitKind::Viscosity, "cP", 0.001},
    {UnitKind::Conductivity, "W/(m.K)", 1},
    {UnitKind::Conductivity, "kW/(m.K)", 1000},
    {UnitKind::Conductivity, "kJ/(m.K.S)", 1000},
    {UnitKind::Conductivity, "kcal/(m.K.S)", kcal},
    {UnitKind::Conductivity, "kcal/(m.K.h)", 1.163},
    {UnitKind::Density, "kg/m3", 1},
    {UnitKind::Density, "t/m3", 1000},
    {UnitKind::LatentHeat, "J/kg", 1},
    {UnitKind::LatentHeat, "kJ/kg", 1000},
    {UnitKind::LatentHeat, "kcal/kg", kcal},
    {UnitKind::Time, "S", 1},
    {UnitKind::Time, "min", 60},
    {UnitKind::Time, "h", h},
    {UnitKind::Area, "m2", 1},
    {UnitKind::Area, "dm2", 0.01},
    {UnitKind::Area, "cm2", 1e-4},
    {UnitKind::Area, "mm2", 1e-6},
    {UnitKind::Percent, "%", 1},
};
static_assert(kgf * 1e4 == 98066.5);
} // namespace

// Each item's factor is its unit's definition to the last bit or two, and every item of
// every list has its row above.
TEST(UnitLists, FactorsAreTheDefinitions) {
    App();
    std::map<std::pair<int, QString>, double> table;
    for (const Unit& u : kUnits)
        table[{static_cast<int>(u.kind), QString::fromUtf8(u.unit)}] = u.si;
    std::size_t seen = 0;
    for (int k = 0; k <= static_cast<int>(UnitKind::Percent); ++k) {
        for (const QString& item : UnitItems(static_cast<UnitKind>(k))) {
            const auto it = table.find({k, ItemName(item)});
            ASSERT_NE(it, table.end()) << item.toStdString();
            ++seen;
            const double f = TComboBoxU::FactorOf(item);
            EXPECT_NEAR(f, it->second, 4e-16 * it->second) << item.toStdString();
        }
    }
    EXPECT_EQ(seen, std::size(kUnits));
}

// 1 kg/s is 3600 kg/h and 3.6 t/h exactly as the field shows them, and back.
TEST(UnitLists, MassFlowRoundTrip) {
    App();
    QWidget window;
    auto* field = new TEditD(&window);
    auto* unit = new TComboBoxU(&window);
    unit->addItems(UnitItems(UnitKind::MassFlow));
    unit->SetAssociated(field);
    unit->Loaded();
    field->setText("1");
    unit->UserPick(1);
    EXPECT_EQ(field->text(), "3600");
    unit->UserPick(2);
    EXPECT_EQ(field->text(), "3.6");
    unit->UserPick(0);
    EXPECT_EQ(field->text(), "1");
    EXPECT_EQ(field->GetSIValue(), 1.0);
}

TEST(NamedList, ItemNames) {
    const struct {
        const char* item;
        const char* name;
    } cases[] = {{"kg/h                              |0.000277", "kg/h"},
                 {"低碳钢                              |52.34", "低碳钢"},
                 {"石墨                                | 139.56", "石墨"},
                 {"设计型", "设计型"},
                 {"a|b|c", "a"},
                 {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(ItemName(QString::fromUtf8(c.item)), QString::fromUtf8(c.name)) << c.item;
}

// The box and its popup rows show the name, and the box is sized for names, not values.
TEST(NamedList, ShowsNamesOnly) {
    App();
    const QStringList items = {QStringLiteral("低碳钢                              |52.34"),
                               QStringLiteral("聚四氟乙烯                           |0.2419")};
    TNamedList named;
    named.addItems(items);
    QComboBox plain;
    plain.addItems({QStringLiteral("低碳钢"), QStringLiteral("聚四氟乙烯")});
    QComboBox raw;
    raw.addItems(items);
    raw.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    EXPECT_LT(named.sizeHint().width(), raw.sizeHint().width());
    const QSize size(named.sizeHint().width() + 20, named.sizeHint().height());
    named.resize(size);
    plain.resize(size);
    EXPECT_EQ(named.grab().toImage(), plain.grab().toImage());
    auto* rows = dynamic_cast<QStyledItemDelegate*>(named.itemDelegate());
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->displayText(items[1], QLocale()), QStringLiteral("聚四氟乙烯"));
    EXPECT_EQ(named.currentText(), items[0]); // the value stays in the item
    EXPECT_STREQ(named.metaObject()->className(), "QComboBox");
}
