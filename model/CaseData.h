// The case of one exchanger as plain data: every numeric field with its text, its value in
// SI, where the value came from and its unit; the choices, materials and notes; and what the
// calculation keeps between calls. The window, the case file, the report and the calculation
// are views of it; it knows nothing of widgets. Fields live in one flat array indexed by
// Field: reading a value is an array access, writing a result formats its text in place.
#pragma once

#include "model/FieldSchema.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tubalon::model {

// Colours as case files store them: signed 32-bit colour values, system colours negative.
inline constexpr int kColorWindow = -16777211;     // the window colour: an input
inline constexpr int kColorButtonFace = -16777201; // grey: nothing given or computed yet
inline constexpr int kColorComputed = 14670590;    // $00DFDAFE (red 254, green 218, blue 223)
inline constexpr int kColorSolved = 65535;         // $0000FFFF, yellow

// Where a field's value came from, shown by its colour. Whether a field is enabled is held
// beside it: a disabled field keeps the colour it had, and case files store both.
enum class Provenance : std::uint8_t {
    Blank,    // untouched since the page was made (grey)
    Input,    // typed or given by the user, or cleared (window colour)
    Computed, // written by the calculation
    Solved,   // solved by the heat-balance completion
};
int ColorOf(Provenance p);
// The provenance a stored colour stands for; empty for a colour the program never writes.
std::optional<Provenance> ProvenanceOfColor(int color);

// Relative change below which a result keeps its old text.
inline constexpr double kResultTolerance = 0.0001;

// Choices hold the position of the item picked, -1 (None) when nothing is picked, as a case
// file may say.
enum class Shape : std::int8_t { None = -1, Straight, Helical, Kettle };
enum class Mode : std::int8_t { None = -1, Design, Rating };
enum class Phase : std::int8_t { None = -1, SinglePhase, Condensing };
enum class FlowArrangement : std::int8_t { None = -1, CounterCurrent, CoCurrent };
enum class Placement : std::int8_t { None = -1, Vertical, Horizontal };
enum class Side : std::uint8_t { Annulus, Inner };
// Which side is hot, as the mean-temperature step last found ("热流体"/"冷流体").
enum class FluidRole : std::uint8_t { Unknown, Hot, Cold };
// What SlD means, shown by its caption.
enum class LengthMeaning : std::uint8_t { PassLength, CoilDiameter, KettleHeight, KettleLength };
std::string_view CaptionOf(LengthMeaning m);

// A wall or insulation material as the calculation needs it.
struct Material {
    std::string name;
    double conductivity = 0; // W/(m·K)
    bool operator==(const Material&) const = default;
};

// What the calculation keeps between calls.
struct PassMemory {
    bool temperaturesChanged = false; // a temperature text changed since the mean-temperature step
    bool flowChanged = false;         // the flow arrangement was clicked since then
    double heldHeatLoss = 0;          // QLD as the last heat-balance completion read it, W
    double innerShare = 0;            // LatD ÷ 100
    double annulusShare = 0;          // LarD ÷ 100
};

// A text held without allocation up to kInline bytes, which every number text the program
// writes fits; longer texts (what a user may type, a note) go to the heap.
class CaseText {
public:
    static constexpr std::size_t kInline = 31;
    std::string_view view() const {
        return size_ == kLarge ? std::string_view(large_) : std::string_view(small_.data(), size_);
    }
    bool empty() const { return size_ == 0; }
    void assign(std::string_view s);

private:
    static constexpr std::uint8_t kLarge = 0xFF;
    std::array<char, kInline> small_{};
    std::uint8_t size_ = 0;
    std::string large_;
};

// Outcome of writing a value into a field.
enum class WriteOutcome : std::uint8_t {
    Kept,      // within the tolerance of what the field holds: nothing written
    Written,   // text, provenance and read-only state written
    NotFinite, // the value in the field's unit is not a finite number: nothing written
};

class CaseData {
public:
    // The case of a fresh page: every field empty in its first unit with its initial look,
    // every choice at its first item (the margin at "0"), automatic pipes ticked.
    CaseData();

    // ---- numeric fields ----
    std::string_view Text(Field f) const { return field(f).text.view(); }
    // The text is not empty. Blanks count as text; such a field has no value.
    bool Filled(Field f) const { return !field(f).text.empty(); }
    // The trimmed text is a number whose SI value is finite.
    bool HasValue(Field f) const { return field(f).number; }
    // The SI value: the number of the text times the unit's factor; 0 without a value.
    double SI(Field f) const { return field(f).si; }
    std::optional<double> Value(Field f) const {
        return HasValue(f) ? std::optional<double>(SI(f)) : std::nullopt;
    }
    Provenance ProvenanceOf(Field f) const { return field(f).provenance; }
    int Color(Field f) const { return ColorOf(ProvenanceOf(f)); }
    bool Enabled(Field f) const { return field(f).enabled; }
    bool ReadOnly(Field f) const { return field(f).readOnly; }
    bool BlueFont(Field f) const { return field(f).blueFont; }
    // Position in the field's unit list (-1 when a case file picked none) and its factor.
    int Unit(Field f) const { return field(f).unit; }
    double Factor(Field f) const { return field(f).factor; }

    // The text as typed or stored; provenance and states stay.
    void SetText(Field f, std::string_view text);
    // The text of the SI value in the field's unit, in the 15-digit form; the value is then
    // that text read back, as after saving and opening the case.
    WriteOutcome SetValue(Field f, double si);
    // A calculated value: written, with the provenance and read-only, unless the field holds
    // a number within the relative tolerance of it (absolute when that number is 0).
    WriteOutcome WriteResult(Field f, double si, Provenance p = Provenance::Computed,
                             double tolerance = kResultTolerance);
    // Back to an empty input; false when it was one already.
    bool ClearResult(Field f);
    // A new unit factor; a numeric text is converted so that its SI value stays.
    void SetFactor(Field f, double factor);
    // The user's pick of a unit: the index and its factor, converting the text. False (and
    // nothing changed) for an index outside the list.
    bool PickUnit(Field f, int index);
    // The index alone, as a case file restores it after the factor.
    void SetUnitIndex(Field f, int index) { field(f).unit = static_cast<std::int8_t>(index); }
    void SetProvenance(Field f, Provenance p) { field(f).provenance = p; }
    void SetEnabled(Field f, bool on) { field(f).enabled = on; }
    void SetReadOnly(Field f, bool on) { field(f).readOnly = on; }
    void SetBlueFont(Field f, bool on) { field(f).blueFont = on; }

    // ---- the other controls ----
    // Lists and radio groups: the item picked, -1 none; the check box: 1 ticked, 0 not.
    int Choice(Control c) const { return control(c).choice; }
    void SetChoice(Control c, int index) { control(c).choice = static_cast<std::int8_t>(index); }
    // Plain edits and notes.
    std::string_view Text(Control c) const { return control(c).text.view(); }
    void SetText(Control c, std::string_view text);
    Provenance ProvenanceOf(Control c) const { return control(c).provenance; }
    int Color(Control c) const { return ColorOf(ProvenanceOf(c)); }
    bool Enabled(Control c) const { return control(c).enabled; }
    bool ReadOnly(Control c) const { return control(c).readOnly; }
    void SetProvenance(Control c, Provenance p) { control(c).provenance = p; }
    void SetEnabled(Control c, bool on) { control(c).enabled = on; }
    void SetReadOnly(Control c, bool on) { control(c).readOnly = on; }

    // ---- the choices as the calculation reads them ----
    Shape shape() const { return static_cast<Shape>(Choice(Control::ShapeD)); }
    Mode mode() const { return static_cast<Mode>(Choice(Control::CalTypeD)); }
    FlowArrangement flow() const { return static_cast<FlowArrangement>(Choice(Control::FlowType)); }
    Placement placement() const { return static_cast<Placement>(Choice(Control::LayType)); }
    Phase phase(Side s) const { return static_cast<Phase>(Choice(PhaseControl(s))); }
    bool autoPipes() const { return Choice(Control::CBAuto) == 1; }
    void SetShape(Shape s) { SetChoice(Control::ShapeD, static_cast<int>(s)); }
    void SetMode(Mode m) { SetChoice(Control::CalTypeD, static_cast<int>(m)); }
    void SetFlow(FlowArrangement f) { SetChoice(Control::FlowType, static_cast<int>(f)); }
    void SetPlacement(Placement p) { SetChoice(Control::LayType, static_cast<int>(p)); }
    void SetPhase(Side s, Phase p) { SetChoice(PhaseControl(s), static_cast<int>(p)); }
    void SetAutoPipes(bool on) { SetChoice(Control::CBAuto, on ? 1 : 0); }
    static Control PhaseControl(Side s) {
        return s == Side::Annulus ? Control::PhrD : Control::PhtD;
    }

    // The required area margin as a fraction (CsminD ÷ 100); empty when none is picked.
    std::optional<double> requiredMargin() const;
    // Wall and insulation materials: SmD (shell), TmD (tube), PmD (insulation).
    const Material& material(Control list) const;
    // The list's index and the item's values (the binder reads them from the choice table).
    void SetMaterial(Control list, int index, Material m);
    // The hot/cold text of a side (HTrD, HTtD).
    FluidRole role(Side s) const;
    // The non-condensable share of a side (LarD, LatD) as a fraction: 0 for an empty text,
    // empty when the text is not a number.
    std::optional<double> nonCondensableShare(Side s) const;
    std::string_view note(Side s) const {
        return Text(s == Side::Annulus ? Control::CmtsD : Control::CmttD);
    }

    // What SlD means now, as its caption shows.
    LengthMeaning lengthMeaning = LengthMeaning::PassLength;
    PassMemory memory;

private:
    struct FieldSlot {
        CaseText text;
        double si = 0;
        double factor = 1;
        std::int8_t unit = 0;
        Provenance provenance = Provenance::Blank;
        bool number = false;
        bool enabled = true;
        bool readOnly = false;
        bool blueFont = false;
    };
    struct ControlSlot {
        CaseText text;
        double number = 0; // an edit's text as a number, when `isNumber`
        bool isNumber = false;
        std::int8_t choice = 0;
        Provenance provenance = Provenance::Input;
        bool enabled = true;
        bool readOnly = false;
    };

    FieldSlot& field(Field f) { return fields_[Index(f)]; }
    const FieldSlot& field(Field f) const { return fields_[Index(f)]; }
    ControlSlot& control(Control c) { return controls_[Index(c)]; }
    const ControlSlot& control(Control c) const { return controls_[Index(c)]; }
    // Sets the text and reads it again; a changed temperature marks the mean difference due.
    void Assign(Field f, std::string_view text);

    std::array<FieldSlot, kFieldCount> fields_;
    std::array<ControlSlot, kControlCount> controls_;
    Material tube_, shell_, insulation_;
};

} // namespace tubalon::model
