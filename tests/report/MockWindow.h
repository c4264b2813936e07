// A stand-in for the main window: the controls the report and the diagram read, with
// the names, captions, unit lists and initial states of the real window.
#pragma once

#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/NumberFormat.h"
#include "units/UnitLists.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace mock {

using tubalon::UnitKind;

struct FieldDef {
    const char* name;
    const char* caption;
    UnitKind unit;
    bool enabled;
};

inline const FieldDef kFields[] = {
    {"mD", "管程数", UnitKind::Passes, true},
    {"ErD", "绝对粗糙度", UnitKind::Length, true},
    {"dooD", "管外径", UnitKind::Length, true},
    {"doiD", "管内径", UnitKind::Length, true},
    {"DspD", "螺距", UnitKind::Pitch, false},
    {"SlD", "单程管长", UnitKind::Length, true},
    {"BpD", "保温层厚", UnitKind::Length, true},
    {"UrvD", "蒸汽流速", UnitKind::Velocity, false},
    {"UrD", "流速", UnitKind::Velocity, true},
    {"DpsD", "压力降", UnitKind::Pressure, true},
    {"RsD", "污垢热阻", UnitKind::Fouling, true},
    {"krD", "环道膜系数", UnitKind::Coefficient, true},
    {"KlD", "环境膜系数", UnitKind::Coefficient, true},
    {"TwaD", "管外表壁温", UnitKind::Temperature, true},
    {"TwD", "保温外壁温", UnitKind::Temperature, true},
    {"TaD", "环境温度", UnitKind::Temperature, true},
    {"WrD", "质量流量", UnitKind::MassFlow, true},
    {"Tr1D", "入口温度", UnitKind::Temperature, true},
    {"Tr2D", "出口温度", UnitKind::Temperature, true},
    {"QrD", "环道热量", UnitKind::HeatFlow, true},
    {"QLD", "环境热损", UnitKind::HeatFlow, true},
    {"CprD", "平均比热", UnitKind::SpecificHeat, true},
    {"DenrD", "密度", UnitKind::Density, true},
    {"MrD", "动力粘度", UnitKind::Viscosity, true},
    {"LdrD", "导热系数", UnitKind::Conductivity, true},
    {"DHrD", "相变热", UnitKind::LatentHeat, false},
    {"DrvD", "蒸汽密度", UnitKind::Density, false},
    {"MrvD", "蒸汽动力粘度", UnitKind::Viscosity, false},
    {"WtD", "质量流量", UnitKind::MassFlow, true},
    {"Tt1D", "入口温度", UnitKind::Temperature, true},
    {"Tt2D", "出口温度", UnitKind::Temperature, true},
    {"QtD", "内管热量", UnitKind::HeatFlow, true},
    {"CptD", "平均比热", UnitKind::SpecificHeat, true},
    {"DentD", "密度", UnitKind::Density, true},
    {"MtD", "动力粘度", UnitKind::Viscosity, true},
    {"LdtD", "导热系数", UnitKind::Conductivity, true},
    {"DHtD", "相变热", UnitKind::LatentHeat, false},
    {"dtvD", "蒸汽密度", UnitKind::Density, false},
    {"PtvD", "蒸汽压力", UnitKind::Pressure, false},
    {"MtvD", "蒸汽动力粘度", UnitKind::Viscosity, false},
    {"EtD", "绝对粗糙度", UnitKind::Length, true},
    {"dioD", "管外径", UnitKind::Length, true},
    {"diiD", "管内径", UnitKind::Length, true},
    {"TimeD", "夹套釜空时", UnitKind::Time, false},
    {"UtvD", "蒸汽流速", UnitKind::Velocity, false},
    {"UtD", "流速", UnitKind::Velocity, true},
    {"DptD", "压力降", UnitKind::Pressure, true},
    {"RtD", "污垢热阻", UnitKind::Fouling, true},
    {"ktD", "膜系数", UnitKind::Coefficient, true},
    {"QaD", "传递热量", UnitKind::HeatFlow, true},
    {"AdtD", "平均温度差", UnitKind::Temperature, true},
    {"KaD", "总传热系数", UnitKind::Coefficient, true},
    {"AcD", "理论面积", UnitKind::Area, true},
    {"ArD", "实际面积", UnitKind::Area, true},
    {"HLPD", "壳程热损", UnitKind::Percent, true},
    {"CsD", "实际富裕度", UnitKind::Percent, true},
    {"LaD", "总管长", UnitKind::Length, true},
};

inline QString U(const char* s) {
    return QString::fromUtf8(s);
}

// "name" padded with blanks to `bytes` GBK bytes, then "|" and the value.
inline QString Item(const char* name, int bytes, const char* value) {
    return tubalon::PadToBytes(U(name), bytes) + "|" + U(value);
}

struct Window {
    QWidget root;

    template <class T> T* Get(const char* name) {
        return root.findChild<T*>(QString::fromLatin1(name));
    }
    tubalon::TEditD* F(const char* name) { return Get<tubalon::TEditD>(name); }

    QLabel* Label(const QString& name, const QString& caption) {
        auto* l = new QLabel(caption, &root);
        l->setObjectName(name);
        return l;
    }
    QComboBox* List(const QString& name, const QStringList& items) {
        auto* c = new QComboBox(&root);
        c->setObjectName(name);
        c->addItems(items);
        return c;
    }

    Window() {
        for (const FieldDef& f : kFields) {
            const QString n = QString::fromLatin1(f.name), stem = n.left(n.size() - 1);
            auto* e = new tubalon::TEditD(&root);
            e->setObjectName(n);
            QLabel* l = Label(stem + "L", U(f.caption));
            e->SetMyLabel(l);
            auto* u = new tubalon::TComboBoxU(&root);
            u->setObjectName(n == "DHtD" ? QStringLiteral("DhtU") : stem + "U");
            u->addItems(tubalon::UnitItems(f.unit));
            u->SetAssociated(e);
            for (QWidget* w :
                 {static_cast<QWidget*>(e), static_cast<QWidget*>(l), static_cast<QWidget*>(u)})
                w->setEnabled(f.enabled);
        }
        Label("ShapeL", U("设备形式"));
        List("ShapeD", {U("直管套管"), U("螺旋套管"), U("夹套釜")});
        auto* lay = new tubalon::TRadioGroup(U("放置形式"), {U("立式"), U("卧式")}, 2, &root);
        lay->setObjectName("LayType");
        lay->SetItemIndex(0);
        lay->setEnabled(false);
        Label("CalTypeL", U("计算类型"));
        List("CalTypeD", {U("设计型"), U("校核型")});
        auto* flow = new tubalon::TRadioGroup(U("流型"), {U("逆流"), U("并流")}, 2, &root);
        flow->setObjectName("FlowType");
        flow->SetItemIndex(0);
        Label("CsminL", U("要求富余度"));
        List("CsminD",
             {"-30", "-20", "-10", "-5", "0", "5", "10", "15", "20", "25", "30", "40", "50", "60"})
            ->setCurrentIndex(4);
        Label("CsminU", "%");
        auto* cb = new QCheckBox(U("管径自动计算"), &root);
        cb->setObjectName("CBAuto");
        cb->setChecked(true);
        for (const char* side : {"r", "t"}) {
            const QString s = QString::fromLatin1(side);
            Label("Ph" + s + "L", U("流体相态"));
            List("Ph" + s + "D", {U("单相流体"), U("蒸气冷凝")});
            Label("HT" + s + "L", U("流体类型"));
            auto* ht = new QLineEdit(&root);
            ht->setObjectName("HT" + s + "D");
            Label("La" + s + "L", U("不凝气体"));
            auto* la = new QLineEdit("0.00", &root);
            la->setObjectName("La" + s + "D");
            la->setEnabled(false);
            Label("La" + s + "U", "%");
        }
        const QStringList metals = {Item("低碳钢", 36, "52.34"), Item("不锈钢", 36, " 16.28"),
                                    Item("聚四氟乙烯", 37, "0.2419")};
        Label("SmL", U("壳体材质"));
        List("SmD", metals);
        Label("TmL", U("管子材质"));
        List("TmD", metals);
        Label("PmL", U("保温材料"));
        List("PmD", {Item("岩棉板,壳", 43, "0.033"), Item("酚醛树脂矿棉板,壳,一级", 44, "0.040")});
        for (const char* note : {"CmtsD", "CmttD"}) {
            auto* r = new tubalon::TRichEdit(&root);
            r->setObjectName(QString::fromLatin1(note));
            r->SetText(U("注释"));
        }
    }

    // The condensing phase on the annulus side enables its vapour fields, as the window does.
    void CondensingAnnulus() {
        Get<QComboBox>("PhrD")->setCurrentIndex(1);
        for (const char* n : {"DHr", "Drv", "Mrv", "Urv"})
            for (const char* suffix : {"L", "D", "U"})
                root.findChild<QWidget*>(QString::fromLatin1(n) + suffix)->setEnabled(true);
    }
};

} // namespace mock
