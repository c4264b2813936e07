// The case page described once: every field and control of a case with its caption, unit
// list, group, role, initial look, handlers, the rule that enables it, its place in a case
// file and in the Enter/arrow order, and the layout of the calculation report.
//
// Names. The control names are the keys of stored case files and stay as they are. For a
// quantity X (the stem), "XD" is the value field, "XL" its caption label and "XU" its unit
// selector (the one exception: the selector of DHtD is "DhtU"). An "r" ending the stem marks
// the annulus side (外管: between the two pipes, or the jacket of the kettle), a "t" the inner
// side (内管: the inner pipe, or the kettle inside): WrD and WtD are the two mass flows, Tr1D
// and Tr2D the annulus inlet and outlet temperatures, DenrD and DentD the densities, DHrD and
// DHtD the latent heats, DrvD and dtvD the vapour densities. Without a side letter: dooD/doiD
// the outer pipe's outer/inner diameter, dioD/diiD the inner pipe's, SlD the pass length (coil
// diameter, kettle height or length), mD the passes, and the summary results QaD, AdtD, KaD,
// AcD, ArD, HLPD, CsD, LaD.
#pragma once

#include "model/UnitTable.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace tubalon::model {

// The stems of the numeric fields, in the order of their records in a case file.
// clang-format off
#define TUBALON_MODEL_FIELD_STEMS(X)                                                           \
    X(doi) X(m) X(Er) X(doo) X(Dsp) X(Sl) X(Bp) X(Urv) X(Ur) X(Dps) X(Rs) X(kr) X(Kl) X(Twa)   \
    X(Tw) X(Ta) X(Wr) X(Tr1) X(Tr2) X(Qr) X(QL) X(Cpr) X(Denr) X(Mr) X(Ldr) X(DHr) X(Drv)      \
    X(Mrv) X(Wt) X(Tt1) X(Tt2) X(Qt) X(Cpt) X(Dent) X(Mt) X(Ldt) X(DHt) X(dtv) X(Ptv) X(Mtv)   \
    X(Et) X(dio) X(dii) X(Time) X(Utv) X(Ut) X(Dpt) X(Rt) X(kt) X(Qa) X(Adt) X(Ka) X(Ac) X(Ar) \
    X(HLP) X(Cs) X(La)
// clang-format on

enum class Field : std::uint8_t {
#define TUBALON_MODEL_FIELD_ENUM(stem) stem##D,
    TUBALON_MODEL_FIELD_STEMS(TUBALON_MODEL_FIELD_ENUM)
#undef TUBALON_MODEL_FIELD_ENUM
        Count
};
inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::Count);

// The other controls a case file stores, in the order of their records.
enum class Control : std::uint8_t {
    FlowType,
    CalTypeD,
    CsminD,
    EditLHysysName,
    CBAuto,
    ShapeD,
    LayType,
    SmD,
    PmD,
    PhrD,
    HTrD,
    LarD,
    CmtsD,
    PhtD,
    HTtD,
    LatD,
    CmttD,
    TmD,
    Count
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Count);

constexpr std::size_t Index(Field f) {
    return static_cast<std::size_t>(f);
}
constexpr std::size_t Index(Control c) {
    return static_cast<std::size_t>(c);
}

// The group boxes of the case page; the annulus groups sit in "外管", the inner ones in "内管".
enum class Group : std::uint8_t {
    Basic,
    ShellParams,
    ShellProps,
    TubeProps,
    TubeParams,
    Summary,
    Count
};

struct GroupInfo {
    Group id;
    std::string_view name;  // object name of the group box
    std::string_view title; // its caption
    std::string_view side;  // caption of the side box around it, empty for the basic group
};

// Role in the calculation: an input, a result, or an input the calculation may fill.
enum class Role : std::uint8_t { Input, Result, Both };

// Look of a fresh page: Input white and editable; InputGrey grey but editable; Result grey and
// read-only in a blue font; ResultBlack the same in black; Off disabled; OffResult disabled and
// read-only.
enum class Look : std::uint8_t { Input, InputGrey, Result, ResultBlack, Off, OffResult };

// What leaving the control does: the calculation, the diameter check, the pitch check (each of
// the checks then calculates), or nothing.
enum class OnExit : std::uint8_t { Calculate, CheckDiameters, CheckPitch, None };

// What a change of the text does besides marking the case modified: the temperature fields
// also mark the mean temperature difference due; the None fields do not even mark the case.
enum class OnChange : std::uint8_t { Modified, TemperatureChanged, None };

// The input rule that enables a control.
enum class EnableWhen : std::uint8_t {
    Always,
    Helical,           // ShapeD "螺旋套管"
    Kettle,            // ShapeD "夹套釜"
    AnnulusCondensing, // PhrD "蒸气冷凝"
    InnerCondensing,   // PhtD "蒸气冷凝"
    Design,            // CalTypeD "设计型"
};

struct FieldInfo {
    Field id;
    std::string_view caption; // of the label on a fresh page (SlD is relabelled by the shape)
    UnitKind unit;
    Group group;
    Role role;
    Look look;
    OnExit exit;
    OnChange change;
    EnableWhen enable;
    int file;                     // position of its records among the case file's controls
    int tab;                      // position in the Enter/arrow order
    std::string_view button = {}; // pick button beside the field
    std::string_view hint = {};   // and its hint
};

enum class ControlKind : std::uint8_t {
    List,       // pick-only drop-down list: "Ord ItemIndex"
    RadioGroup, // "Ord ItemIndex"
    CheckBox,   // "Enum Checked"
    Edit,       // plain one-line edit: Text, Enabled, ReadOnly, Color
    Note,       // one-line rich-text note: "Rich Lines"
};

// Where a list's items come from: its own fixed items, or the material tables beside the pipe
// table (the items "name   |conductivity").
enum class ItemSource : std::uint8_t { Own, PipeMaterials, Insulation };

struct ControlInfo {
    Control id;
    ControlKind kind;
    std::string_view caption;   // the label's caption, or the control's own
    std::string_view label;     // name of its label; empty when the caption is its own
    std::string_view unitLabel; // "%" after the margin and the non-condensable shares
    Group group;
    EnableWhen enable;
    OnExit exit;
    int file;
    int tab; // -1: not reached by Enter and the arrows
    ItemSource source = ItemSource::Own;
    std::span<const std::string_view> items = {};
    int initialIndex = 0;              // lists, radio groups; check box: 1 ticked
    std::string_view initialText = {}; // edits and notes
    Look look = Look::Input;           // edits
    std::string_view button = {};
    std::string_view hint = {};
};

// ---- names -----------------------------------------------------------------------------

struct FieldNames {
    std::string_view field, label, unit;
};

inline constexpr std::array<FieldNames, kFieldCount> kFieldNames = {{
#define TUBALON_MODEL_FIELD_NAMES(stem) {#stem "D", #stem "L", #stem "U"},
    TUBALON_MODEL_FIELD_STEMS(TUBALON_MODEL_FIELD_NAMES)
#undef TUBALON_MODEL_FIELD_NAMES
}};

constexpr std::string_view Name(Field f) {
    return kFieldNames[Index(f)].field;
}
constexpr std::string_view LabelName(Field f) {
    return kFieldNames[Index(f)].label;
}
constexpr std::string_view UnitSelectorName(Field f) {
    return f == Field::DHtD ? std::string_view("DhtU") : kFieldNames[Index(f)].unit;
}
std::string_view Name(Control c);

// The field or control of that name; letters compared without regard to case when asked
// (the case file reader does so).
std::optional<Field> FindField(std::string_view name, bool ignoreCase = false);
std::optional<Control> FindControl(std::string_view name, bool ignoreCase = false);

// ---- the tables ------------------------------------------------------------------------

const FieldInfo& Info(Field f);
const ControlInfo& Info(Control c);
const GroupInfo& Info(Group g);

// Every case control, numeric fields and others, in case-file order; and in Enter/arrow
// order (the controls with a tab position only).
struct CaseItem {
    bool isField;
    std::uint8_t index; // a Field or a Control
    Field field() const { return static_cast<Field>(index); }
    Control control() const { return static_cast<Control>(index); }
    std::string_view name() const;
};
inline constexpr std::size_t kCaseItemCount = kFieldCount + kControlCount;
std::span<const CaseItem> CaseFileOrder();
std::span<const CaseItem> TabOrder();

// ---- case files ------------------------------------------------------------------------

// One record of a case file: its kind and property, after the control's name.
struct StoredRecord {
    std::string_view kind, property;
};
// The records of a numeric field, then the one record of its unit selector.
std::span<const StoredRecord> FieldRecords();
inline constexpr StoredRecord kUnitSelectorRecord = {"Ord", "ItemIndex"};
std::span<const StoredRecord> RecordsOf(ControlKind kind);

// ---- the report ------------------------------------------------------------------------

enum class ReportItem : std::uint8_t {
    Blank,       // an empty line
    Heading,     // bold text at a point size
    FieldRow,    // caption, value, unit of an enabled field
    ControlRow,  // caption, text of a control (cut to `cut` characters), dash or unit label
    StatusRow,   // "运行结果", the completeness shown on the status bar, dash
    CaseFileRow, // `text`, the case file's name or "（未保存）", dash
    DateRow,     // `text`, the day of the report, dash
    NoteRow,     // `text`, the note `control` on one line or "-"
};

struct ReportEntry {
    ReportItem kind;
    std::string_view text = {};
    int size = 0;
    Field field = Field::Count;
    Control control = Control::Count;
    int cut = -1;             // ControlRow: characters kept of the text, -1 all
    bool unitLabel = false;   // ControlRow: third column the unit label, else "-"
    bool whenEnabled = false; // ControlRow: only while the control is enabled
};

std::span<const ReportEntry> ReportLayout();
// Position of the field's row in the layout; empty when the report has none.
std::optional<std::size_t> ReportRowOf(Field f);

} // namespace tubalon::model
