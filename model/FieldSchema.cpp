#include "model/FieldSchema.h"

#include <algorithm>

namespace tubalon::model {
namespace {

using enum Field;
using U = UnitKind;
using G = Group;
using R = Role;
using L = Look;
using X = OnExit;
using C = OnChange;
using E = EnableWhen;

constexpr std::string_view kMaterialHint = "物性数据库";
constexpr std::string_view kPipeHint = "选择钢管系列";
constexpr std::string_view kRoughnessHint = "选择绝对粗糙度";

// clang-format off
constexpr std::array<FieldInfo, kFieldCount> kFields = {{
    // field   caption         unit         group          role        look            exit               change                enable                 file tab
    {doiD,  "管内径",       U::Length,       G::ShellParams, R::Both,   L::InputGrey,   X::CheckDiameters, C::Modified,           E::Always,             7,  10},
    {mD,    "管程数",       U::Passes,       G::ShellParams, R::Both,   L::InputGrey,   X::Calculate,      C::Modified,           E::Always,             8,  7},
    {ErD,   "绝对粗糙度",   U::Length,       G::ShellParams, R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             9,  8, "SBP4", kRoughnessHint},
    {dooD,  "管外径",       U::Length,       G::ShellParams, R::Both,   L::InputGrey,   X::CheckDiameters, C::Modified,           E::Always,             10, 9, "SBDo", kPipeHint},
    {DspD,  "螺距",         U::Pitch,        G::ShellParams, R::Input,  L::Off,         X::CheckPitch,     C::Modified,           E::Helical,            11, 11, "SBP3", "选择螺距"},
    {SlD,   "单程管长",     U::Length,       G::ShellParams, R::Both,   L::Input,       X::Calculate,      C::Modified,           E::Always,             12, 12},
    {BpD,   "保温层厚",     U::Length,       G::ShellParams, R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             15, 15},
    {UrvD,  "蒸汽流速",     U::Velocity,     G::ShellParams, R::Result, L::OffResult,   X::None,           C::Modified,           E::AnnulusCondensing,  16, 16},
    {UrD,   "流速",         U::Velocity,     G::ShellParams, R::Result, L::Result,      X::None,           C::Modified,           E::Always,             17, 17},
    {DpsD,  "压力降",       U::Pressure,     G::ShellParams, R::Result, L::Result,      X::None,           C::Modified,           E::Always,             18, 18},
    {RsD,   "污垢热阻",     U::Fouling,      G::ShellParams, R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             19, 19},
    {krD,   "环道膜系数",   U::Coefficient,  G::ShellParams, R::Result, L::ResultBlack, X::None,           C::Modified,           E::Always,             20, 20},
    {KlD,   "环境膜系数",   U::Coefficient,  G::ShellParams, R::Result, L::ResultBlack, X::None,           C::Modified,           E::Always,             21, 21},
    {TwaD,  "管外表壁温",   U::Temperature,  G::ShellParams, R::Result, L::ResultBlack, X::None,           C::Modified,           E::Always,             22, 22},
    {TwD,   "保温外壁温",   U::Temperature,  G::ShellParams, R::Result, L::ResultBlack, X::None,           C::Modified,           E::Always,             23, 23},
    {TaD,   "环境温度",     U::Temperature,  G::ShellParams, R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             24, 24},
    {WrD,   "质量流量",     U::MassFlow,     G::ShellProps,  R::Both,   L::Input,       X::Calculate,      C::Modified,           E::Always,             28, 27},
    {Tr1D,  "入口温度",     U::Temperature,  G::ShellProps,  R::Both,   L::Input,       X::Calculate,      C::TemperatureChanged, E::Always,             29, 28},
    {Tr2D,  "出口温度",     U::Temperature,  G::ShellProps,  R::Both,   L::Input,       X::Calculate,      C::TemperatureChanged, E::Always,             30, 29},
    {QrD,   "环道热量",     U::HeatFlow,     G::ShellProps,  R::Result, L::ResultBlack, X::None,           C::Modified,           E::Always,             31, 30},
    {QLD,   "环境热损",     U::HeatFlow,     G::ShellProps,  R::Result, L::ResultBlack, X::None,           C::Modified,           E::Always,             32, 31},
    {CprD,  "平均比热",     U::SpecificHeat, G::ShellProps,  R::Both,   L::Input,       X::Calculate,      C::Modified,           E::Always,             33, 32, "SBP1", kMaterialHint},
    {DenrD, "密度",         U::Density,      G::ShellProps,  R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             34, 33},
    {MrD,   "动力粘度",     U::Viscosity,    G::ShellProps,  R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             35, 34},
    {LdrD,  "导热系数",     U::Conductivity, G::ShellProps,  R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             36, 35},
    {DHrD,  "相变热",       U::LatentHeat,   G::ShellProps,  R::Both,   L::Off,         X::Calculate,      C::None,               E::AnnulusCondensing,  37, 36},
    {DrvD,  "蒸汽密度",     U::Density,      G::ShellProps,  R::Input,  L::Off,         X::Calculate,      C::Modified,           E::AnnulusCondensing,  38, 37, "SBP1v", kMaterialHint},
    {MrvD,  "蒸汽动力粘度", U::Viscosity,    G::ShellProps,  R::Input,  L::Off,         X::Calculate,      C::Modified,           E::AnnulusCondensing,  39, 38},
    {WtD,   "质量流量",     U::MassFlow,     G::TubeProps,   R::Both,   L::Input,       X::Calculate,      C::Modified,           E::Always,             44, 42},
    {Tt1D,  "入口温度",     U::Temperature,  G::TubeProps,   R::Both,   L::Input,       X::Calculate,      C::TemperatureChanged, E::Always,             45, 43},
    {Tt2D,  "出口温度",     U::Temperature,  G::TubeProps,   R::Both,   L::Input,       X::Calculate,      C::TemperatureChanged, E::Always,             46, 44},
    {QtD,   "内管热量",     U::HeatFlow,     G::TubeProps,   R::Result, L::ResultBlack, X::None,           C::Modified,           E::Always,             47, 45},
    {CptD,  "平均比热",     U::SpecificHeat, G::TubeProps,   R::Both,   L::Input,       X::Calculate,      C::Modified,           E::Always,             48, 46, "SBP2", kMaterialHint},
    {DentD, "密度",         U::Density,      G::TubeProps,   R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             49, 47},
    {MtD,   "动力粘度",     U::Viscosity,    G::TubeProps,   R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             50, 48},
    {LdtD,  "导热系数",     U::Conductivity, G::TubeProps,   R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             51, 49},
    {DHtD,  "相变热",       U::LatentHeat,   G::TubeProps,   R::Both,   L::Off,         X::Calculate,      C::Modified,           E::InnerCondensing,    52, 50},
    {dtvD,  "蒸汽密度",     U::Density,      G::TubeProps,   R::Input,  L::Off,         X::Calculate,      C::Modified,           E::InnerCondensing,    53, 51, "SBP2v", kMaterialHint},
    {PtvD,  "蒸汽压力",     U::Pressure,     G::TubeProps,   R::Input,  L::Off,         X::Calculate,      C::Modified,           E::InnerCondensing,    54, 52},
    {MtvD,  "蒸汽动力粘度", U::Viscosity,    G::TubeProps,   R::Input,  L::Off,         X::Calculate,      C::Modified,           E::InnerCondensing,    55, 54},
    {EtD,   "绝对粗糙度",   U::Length,       G::TubeParams,  R::Input,  L::Input,       X::Calculate,      C::Modified,           E::Always,             57, 55, "SBP5", kRoughnessHint},
    {dioD,  "管外径",       U::Length,       G::TubeParams,  R::Both,   L::InputGrey,   X::CheckDiameters, C::Modified,           E::Always,             58, 56, "SBDi", kPipeHint},
    {diiD,  "管内径",       U::Length,       G::TubeParams,  R::Both,   L::InputGrey,   X::CheckDiameters, C::Modified,           E::Always,             59, 57},
    {TimeD, "夹套釜空时",   U::Time,         G::TubeParams,  R::Both,   L::Off,         X::Calculate,      C::Modified,           E::Kettle,             61, 59},
    {UtvD,  "蒸汽流速",     U::Velocity,     G::TubeParams,  R::Result, L::Off,         X::None,           C::Modified,           E::InnerCondensing,    62, 60},
    {UtD,   "流速",         U::Velocity,     G::TubeParams,  R::Result, L::Result,      X::None,           C::Modified,           E::Always,             63, 61},
    {DptD,  "压力降",       U::Pressure,     G::TubeParams,  R::Result, L::Result,      X::None,           C::Modified,           E::Always,             64, 62},
    {RtD,   "污垢热阻",     U::Fouling,      G::TubeParams,  R::Both,   L::Input,       X::Calculate,      C::Modified,           E::Always,             65, 63},
    {ktD,   "膜系数",       U::Coefficient,  G::TubeParams,  R::Result, L::Result,      X::None,           C::Modified,           E::Always,             66, 64},
    {QaD,   "传递热量",     U::HeatFlow,     G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             67, 65},
    {AdtD,  "平均温度差",   U::Temperature,  G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             68, 66},
    {KaD,   "总传热系数",   U::Coefficient,  G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             69, 67},
    {AcD,   "理论面积",     U::Area,         G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             70, 68},
    {ArD,   "实际面积",     U::Area,         G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             71, 69},
    {HLPD,  "壳程热损",     U::Percent,      G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             72, 70},
    {CsD,   "实际富裕度",   U::Percent,      G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             73, 71},
    {LaD,   "总管长",       U::Length,       G::Summary,     R::Result, L::Result,      X::None,           C::Modified,           E::Always,             74, 72},
}};

constexpr std::string_view kFlows[] = {"逆流", "并流"};
constexpr std::string_view kModes[] = {"设计型", "校核型"};
constexpr std::string_view kMargins[] = {"-30", "-20", "-10", "-5", "0",  "5",  "10",
                                         "15",  "20",  "25",  "30", "40", "50", "60"};
constexpr std::string_view kShapes[] = {"直管套管", "螺旋套管", "夹套釜"};
constexpr std::string_view kPlacements[] = {"立式", "卧式"};
constexpr std::string_view kPhases[] = {"单相流体", "蒸气冷凝"};

using K = ControlKind;
using S = ItemSource;
constexpr std::array<ControlInfo, kControlCount> kControls = {{
    // control                 kind           caption         label       unit group          enable                 exit           file tab
    {Control::FlowType,       K::RadioGroup, "流型",         "",         "",  G::Basic,       E::Always,             X::Calculate,  0,  2,  S::Own, kFlows, 0},
    {Control::CalTypeD,       K::List,       "计算类型",     "CalTypeL", "",  G::Basic,       E::Always,             X::Calculate,  1,  0,  S::Own, kModes, 0},
    {Control::CsminD,         K::List,       "要求富余度",   "CsminL",   "%", G::Basic,       E::Always,             X::Calculate,  2,  1,  S::Own, kMargins, 4},
    {Control::EditLHysysName, K::Edit,       "连接 Hysys...", "HysysL",  "",  G::Basic,       E::Always,             X::None,       3,  3,  S::Own, {}, 0, "[未知]", L::OffResult, "SBHysys", "连接 Hysys..."},
    {Control::CBAuto,         K::CheckBox,   "管径自动计算", "",         "",  G::Basic,       E::Design,             X::Calculate,  4,  4,  S::Own, {}, 1},
    {Control::ShapeD,         K::List,       "设备形式",     "ShapeL",   "",  G::Basic,       E::Always,             X::Calculate,  5,  5,  S::Own, kShapes, 0},
    {Control::LayType,        K::RadioGroup, "放置形式",     "",         "",  G::Basic,       E::Kettle,             X::Calculate,  6,  6,  S::Own, kPlacements, 0},
    {Control::SmD,            K::List,       "壳体材质",     "SmL",      "",  G::ShellParams, E::Always,             X::Calculate,  13, 13, S::PipeMaterials},
    {Control::PmD,            K::List,       "保温材料",     "PmL",      "",  G::ShellParams, E::Always,             X::Calculate,  14, 14, S::Insulation},
    {Control::PhrD,           K::List,       "流体相态",     "PhrL",     "",  G::ShellProps,  E::Always,             X::Calculate,  25, -1, S::Own, kPhases, 0},
    {Control::HTrD,           K::Edit,       "流体类型",     "HTrL",     "",  G::ShellProps,  E::Always,             X::None,       26, 25, S::Own, {}, 0, "", L::Result},
    {Control::LarD,           K::Edit,       "不凝气体",     "LarL",     "%", G::ShellProps,  E::AnnulusCondensing,  X::Calculate,  27, 26, S::Own, {}, 0, "0.00", L::Off},
    {Control::CmtsD,          K::Note,       "注释",         "CmtsL",    "",  G::ShellProps,  E::Always,             X::Calculate,  40, -1, S::Own, {}, 0, "注释"},
    {Control::PhtD,           K::List,       "流体相态",     "PhtL",     "",  G::TubeProps,   E::Always,             X::Calculate,  41, 39, S::Own, kPhases, 0},
    {Control::HTtD,           K::Edit,       "流体类型",     "HTtL",     "",  G::TubeProps,   E::Always,             X::None,       42, 40, S::Own, {}, 0, "", L::Result},
    {Control::LatD,           K::Edit,       "不凝气体",     "LatL",     "%", G::TubeProps,   E::InnerCondensing,    X::Calculate,  43, 41, S::Own, {}, 0, "0.00", L::Off},
    {Control::CmttD,          K::Note,       "注释",         "CmttL",    "",  G::TubeProps,   E::Always,             X::Calculate,  56, 53, S::Own, {}, 0, "注释"},
    {Control::TmD,            K::List,       "管子材质",     "TmL",      "",  G::TubeParams,  E::Always,             X::Calculate,  60, 58, S::PipeMaterials},
}};
// clang-format on

constexpr std::array<std::string_view, kControlCount> kControlNames = {
    "FlowType", "CalTypeD", "CsminD", "EditLHysysName", "CBAuto", "ShapeD",
    "LayType",  "SmD",      "PmD",    "PhrD",           "HTrD",   "LarD",
    "CmtsD",    "PhtD",     "HTtD",   "LatD",           "CmttD",  "TmD"};

constexpr std::array<GroupInfo, static_cast<std::size_t>(Group::Count)> kGroups = {{
    {G::Basic, "GBBasic", "基本参数", ""},
    {G::ShellParams, "GBShellParams", "壳程参数及计算结果", "外管"},
    {G::ShellProps, "GBShellProps", "壳程物性及热量平衡", "外管"},
    {G::TubeProps, "GBTubeProps", "管程物性及热量平衡", "内管"},
    {G::TubeParams, "GBTubeParams", "管程参数及计算结果", "内管"},
    {G::Summary, "GBSummary", "简明计算结果", "内管"},
}};

// Each table is in the order of its enum; the file and tab positions of both tables together
// number every control once.
constexpr bool TablesInOrder() {
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (Index(kFields[i].id) != i) return false;
    for (std::size_t i = 0; i < kControlCount; ++i)
        if (Index(kControls[i].id) != i) return false;
    for (std::size_t i = 0; i < kGroups.size(); ++i)
        if (static_cast<std::size_t>(kGroups[i].id) != i) return false;
    return true;
}
static_assert(TablesInOrder());

template <class Position> constexpr bool NumbersEachOnce(Position position, int count) {
    for (int p = 0; p < count; ++p) {
        int seen = 0;
        for (const FieldInfo& f : kFields)
            seen += position(f) == p;
        for (const ControlInfo& c : kControls)
            seen += position(c) == p;
        if (seen != 1) return false;
    }
    return true;
}
static_assert(NumbersEachOnce([](const auto& x) { return x.file; }, int(kCaseItemCount)));
// PhrD and CmtsD are not reached by Enter and the arrows.
static_assert(NumbersEachOnce([](const auto& x) { return x.tab; }, int(kCaseItemCount) - 2));

// Records of the fields come in the order of the Field enum, and likewise for the controls.
constexpr bool FileOrderFollowsEnums() {
    for (std::size_t i = 1; i < kFieldCount; ++i)
        if (kFields[i].file <= kFields[i - 1].file) return false;
    for (std::size_t i = 1; i < kControlCount; ++i)
        if (kControls[i].file <= kControls[i - 1].file) return false;
    return true;
}
static_assert(FileOrderFollowsEnums());

// Every control in the order of its file (byFile) or tab position.
constexpr std::array<CaseItem, kCaseItemCount> Ordered(bool byFile) {
    std::array<CaseItem, kCaseItemCount> out{};
    std::size_t n = 0;
    for (int p = 0; p < int(kCaseItemCount); ++p) {
        for (const FieldInfo& f : kFields)
            if ((byFile ? f.file : f.tab) == p) out[n++] = {true, static_cast<std::uint8_t>(f.id)};
        for (const ControlInfo& c : kControls)
            if ((byFile ? c.file : c.tab) == p) out[n++] = {false, static_cast<std::uint8_t>(c.id)};
    }
    return out;
}
constexpr auto kFileOrder = Ordered(true);
constexpr auto kTabOrderAll = Ordered(false);

// ---- the report ----

constexpr ReportEntry Blank() {
    return {ReportItem::Blank};
}
constexpr ReportEntry Heading(std::string_view text, int size = 11) {
    return {ReportItem::Heading, text, size};
}
constexpr ReportEntry Row(Field f) {
    return {ReportItem::FieldRow, {}, 0, f};
}
constexpr ReportEntry Row(Control c, int cut = -1, bool unitLabel = false,
                          bool whenEnabled = false) {
    return {ReportItem::ControlRow, {}, 0, Field::Count, c, cut, unitLabel, whenEnabled};
}

constexpr ReportEntry kReport[] = {
    Blank(),
    Blank(),
    Heading("\t\t\tTubalon 计算报告", 14),
    Heading("\t\t\t~~~~~~~~~~~~~~~", 14),
    {ReportItem::CaseFileRow, "项目文件"},
    {ReportItem::DateRow, "计算日期"},
    {ReportItem::NoteRow, "外管注释", 0, Field::Count, Control::CmtsD},
    {ReportItem::NoteRow, "内管注释", 0, Field::Count, Control::CmttD},
    Heading("    0.基本参数"),
    Row(Control::ShapeD),
    Row(Control::LayType, -1, false, true),
    Row(Control::CalTypeD),
    Row(Control::FlowType),
    Row(Control::CsminD, -1, true),
    Row(Control::CBAuto),
    Heading("    1.外管数据"),
    Heading("      工艺数据"),
    Row(Control::PhrD),
    Row(Control::HTrD),
    Row(Control::LarD, -1, true),
    Row(WrD),
    Row(Tr1D),
    Row(Tr2D),
    Row(QrD),
    Row(QLD),
    Heading("      物性数据"),
    Row(CprD),
    Row(DenrD),
    Row(MrD),
    Row(LdrD),
    Row(DHrD),
    Row(DrvD),
    Row(MrvD),
    Heading("      壳程参数及计算结果"),
    Row(mD),
    Row(ErD),
    Row(dooD),
    Row(doiD),
    Row(DspD),
    Row(SlD),
    Row(Control::SmD, 16),
    Row(Control::PmD, 16),
    Row(BpD),
    Row(TaD),
    Row(UrvD),
    Row(UrD),
    Row(DpsD),
    Row(RsD),
    Row(krD),
    Row(KlD),
    Row(TwaD),
    Row(TwD),
    Heading("    2.内管数据"),
    Heading("      工艺数据"),
    Row(Control::PhtD),
    Row(Control::HTtD),
    Row(Control::LatD, -1, true),
    Row(WtD),
    Row(Tt1D),
    Row(Tt2D),
    Row(QtD),
    Heading("      物性数据"),
    Row(CptD),
    Row(DentD),
    Row(MtD),
    Row(LdtD),
    Row(DHtD),
    Row(dtvD),
    Row(MtvD),
    Heading("      管程参数及计算结果"),
    Row(EtD),
    Row(dioD),
    Row(diiD),
    Row(Control::TmD, 20),
    Row(UtvD),
    Row(UtD),
    Row(DptD),
    Row(RtD),
    Row(ktD),
    Heading("    3.简明计算结果"),
    {ReportItem::StatusRow},
    Row(QaD),
    Row(AdtD),
    Row(HLPD),
    Row(LaD),
    Row(KaD),
    Row(AcD),
    Row(ArD),
    Row(CsD),
};

// The factor comes before the text: reading it converts the old text, which the stored text
// then replaces.
constexpr StoredRecord kFieldRecords[] = {{"Float", "Exchange"},
                                          {"String", "Text"},
                                          {"Enum", "Enabled"},
                                          {"Enum", "ReadOnly"},
                                          {"Ord", "Color"}};
constexpr StoredRecord kIndexRecord[] = {{"Ord", "ItemIndex"}};
constexpr StoredRecord kCheckedRecord[] = {{"Enum", "Checked"}};
constexpr StoredRecord kEditRecords[] = {
    {"String", "Text"}, {"Enum", "Enabled"}, {"Enum", "ReadOnly"}, {"Ord", "Color"}};
constexpr StoredRecord kNoteRecord[] = {{"Rich", "Lines"}};

bool SameName(std::string_view a, std::string_view b, bool ignoreCase) {
    if (!ignoreCase) return a == b;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::string_view Name(Control c) {
    return kControlNames[Index(c)];
}

std::string_view CaseItem::name() const {
    return isField ? Name(field()) : Name(control());
}

std::optional<Field> FindField(std::string_view name, bool ignoreCase) {
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (SameName(kFieldNames[i].field, name, ignoreCase)) return static_cast<Field>(i);
    return std::nullopt;
}

std::optional<Control> FindControl(std::string_view name, bool ignoreCase) {
    for (std::size_t i = 0; i < kControlCount; ++i)
        if (SameName(kControlNames[i], name, ignoreCase)) return static_cast<Control>(i);
    return std::nullopt;
}

const FieldInfo& Info(Field f) {
    return kFields[Index(f)];
}
const ControlInfo& Info(Control c) {
    return kControls[Index(c)];
}
const GroupInfo& Info(Group g) {
    return kGroups[static_cast<std::size_t>(g)];
}

std::span<const CaseItem> CaseFileOrder() {
    return kFileOrder;
}

std::span<const CaseItem> TabOrder() {
    return std::span<const CaseItem>(kTabOrderAll).first(kCaseItemCount - 2);
}

std::span<const StoredRecord> FieldRecords() {
    return kFieldRecords;
}

std::span<const StoredRecord> RecordsOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::List:
    case ControlKind::RadioGroup:
        return kIndexRecord;
    case ControlKind::CheckBox:
        return kCheckedRecord;
    case ControlKind::Edit:
        return kEditRecords;
    case ControlKind::Note:
        return kNoteRecord;
    }
    return {};
}

std::span<const ReportEntry> ReportLayout() {
    return kReport;
}

std::optional<std::size_t> ReportRowOf(Field f) {
    for (std::size_t i = 0; i < std::size(kReport); ++i)
        if (kReport[i].kind == ReportItem::FieldRow && kReport[i].field == f) return i;
    return std::nullopt;
}

} // namespace tubalon::model
