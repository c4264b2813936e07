// Expansion of a property cell of the library into a value at the t and p of a
// named-values table: a constant, a table of points, an equation-of-state call or a formula.
#pragma once

#include "props/PengRobinson.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace tubalon {

class TFpValueTable;
class TPropLib;
struct TPropRecord;

// What the expansion reads from the named-values table: the value of a named row, the value
// of a row by position (row 1 is t, row 2 is p) and the table the evaluator binds to.
class TPropValues {
public:
    virtual ~TPropValues() = default;
    virtual QString GetValue(const QString& name) const = 0;
    virtual QString RowValue(int row) const = 0; // empty beyond the last row
    virtual TFpValueTable* FormulaTable() = 0;
};

struct TCellOutcome {
    enum class Kind {
        NoTemperature, // t is empty: "请指定温度！", the field keeps its text
        Clear,         // null or empty cell: the field becomes empty
        Value,         // value in SI units
        Failed,        // message tells which property failed and why; the field becomes empty
    };
    Kind kind = Kind::Clear;
    double value = 0;
    QString message;
};

// Evaluates the named property cell ("Cp", "MD", ...; any case) of the library's current
// record. A text that is not a number where a number is needed raises EConvertError, a
// closed library raises Error; both end the caller's run. Other failures are outcomes.
TCellOutcome EvaluatePropertyCell(const TPropLib& lib, const QString& field, TPropValues& values);
// The same for a given record (nullptr: no record, the field is cleared).
TCellOutcome EvaluatePropertyCell(const TPropRecord* record, const QString& field,
                                  TPropValues& values);

// How a table of (t, value) points is interpolated.
enum class TTableForm {
    Plain,  // the value against t
    Andrade // ln value against 1/T (T = t + 273.15 K): viscosity, vapour pressure
};

// A constant, a single pair x,y (gives y) or a table x1,y1;x2,y2;... interpolated at x.
// Raises EConvertError for a piece that is not a number and Error for more than 100
// points, two points of the window with the same x or, in Andrade form, a value that is
// not positive or a temperature at or below absolute zero.
double TablePoint(const QString& s, double x, TTableForm form = TTableForm::Plain);
// The points of a table text x1,y1;x2,y2;... (a final ";" allowed). Raises as TablePoint.
void TablePoints(const QString& s, std::vector<double>& xs, std::vector<double>& ys);
// Lagrange polynomial through the window of up to four points around x (points ascending).
//
// Andrade form: the polynomial passes through (1/T_k, ln y_k) and the value is its
// exponential, so that a viscosity falling by decades over the table is followed between
// sparse rows (E. N. da C. Andrade, Nature 125 (1930) 309: mu = A exp(B/T); the same form
// is the Clausius-Clapeyron line ln p = a - b/T of a vapour pressure).
double InterpolatePoints(const std::vector<double>& xs, const std::vector<double>& ys, double x,
                         TTableForm form = TTableForm::Plain);

// A cell's text without surrounding blanks, comments ("?", "<", "{") and label ("Cp=").
QString CellCoreText(const QString& cell);

// The formula text after the textual replacements of critical constants and named
// quantities. P holds P[1]..P[99] at indexes 1..99 (index 0 unused).
QString ExpandFormula(QString s, const QStringList& P, const QString& prrcp, const QString& vrrcp);

// The six cells that "&C 计算" evaluates, in order: the field name asked for and its caption.
struct TPropCellName {
    const char* field;
    const char* caption;
};
const std::vector<TPropCellName>& PropCellNames(); // Cp, MD, VI, TC, ST, HV

// A plain named-values table (title row, then rows of name, value, unit, note) with the
// semantics of the dialog's grid; used where there is no widget.
class TPlainValues : public TPropValues {
public:
    struct Row {
        QString name, value, unit, note;
    };
    // Title row and the rows t = 20 "C" "温度", p = 100 "kPa" "压力".
    TPlainValues();
    QString GetValue(const QString& name) const override;
    QString RowValue(int row) const override;
    TFpValueTable* FormulaTable() override;
    bool HasName(const QString& name) const;
    void SetValue(const QString& name, const QString& value);
    // Adds the row unless the name exists below the title (then changes nothing).
    void AddValue(const QString& name, const QString& value, const QString& unit = {},
                  const QString& note = {});
    std::vector<Row> rows;

private:
    class Adapter;
    std::shared_ptr<TFpValueTable> adapter_;
};

} // namespace tubalon
