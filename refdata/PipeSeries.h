// The standard pipe sizes held in memory: rows of table "Piples1" and the lookup by inner
// diameter used by the automatic pipe choice.
#pragma once

#include <QString>
#include <vector>

namespace tubalon {

// One row of "Piples1": DN is "outer×wall" in mm, Do and Di in mm.
struct PipeRow {
    int id = 0;
    QString dn;
    double outer = 0; // Do, mm
    double inner = 0; // Di, mm
};

// Diameters of a chosen pipe, m.
struct PipeSize {
    double inner = 0;
    double outer = 0;
};

// Outer diameter and wall thickness of a DN text "57×3.5", in the text's unit (mm).
// A text without "×" or with a part that is not a number raises EConvertError.
struct PipeDimensions {
    double outer = 0;
    double wall = 0;
    double Inner() const { return outer - 2.0 * wall; }
};
PipeDimensions ParsePipeSize(const QString& dn);

class PipeSeries {
public:
    PipeSeries() = default;
    explicit PipeSeries(std::vector<PipeRow> rows);

    bool empty() const { return byInner_.empty(); }
    std::size_t size() const { return byInner_.size(); }
    // Rows in ascending Di, then Do.
    const std::vector<PipeRow>& rowsByInner() const { return byInner_; }

    // The first row, in ascending Di then Do, whose Di/1000 is not below the required inner
    // diameter (m); the last row when none is large enough. Empty table: ECalcError.
    PipeSize LookupByInnerDiameter(double required) const;

private:
    std::vector<PipeRow> byInner_;
};

} // namespace tubalon
