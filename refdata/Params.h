// System parameters: the ordered key/value rows that the calculation reads by key, with their
// built-in defaults, loaded from and saved to "Params.ini" (section "Fittings").
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tubalon {

// Keys the calculation reads.
namespace paramkey {
inline const QString kAnnulusEntry = QStringLiteral("套管进口");
inline const QString kAnnulusExit = QStringLiteral("套管出口");
inline const QString kUBend = QStringLiteral("中心管U弯头R/d:1.5");
inline const QString kAnnulusGasVelocity = QStringLiteral("外管气体速度/m/S");
inline const QString kAnnulusLiquidVelocity = QStringLiteral("外管液体速度/m/S");
inline const QString kInnerGasVelocity = QStringLiteral("内管气体速度/m/S");
inline const QString kInnerLiquidVelocity = QStringLiteral("内管液体速度/m/S");
inline const QString kBoundaryDensity = QStringLiteral("气液分界密度/kg/m3");
inline const QString kKettleSpaceTime = QStringLiteral("缺省釜空时/S");
// 0: film coefficients by flow regime; 1: the formulas of the first releases.
inline const QString kFilmMethod = QStringLiteral("传热计算方法");
} // namespace paramkey

struct ParamRow {
    QString key;
    QString value;
};

class TParamStore {
public:
    static const QString kSection;  // "Fittings"
    static const QString kFileName; // "Params.ini"

    // The twelve rows and the blank last row with their defaults.
    TParamStore();
    static const std::vector<ParamRow>& Defaults();

    const std::vector<ParamRow>& rows() const { return rows_; }
    void SetValue(std::size_t row, const QString& value) { rows_.at(row).value = value; }

    // Value text of the row with that key; empty text for an unknown key.
    QString Value(const QString& key) const;
    // The value as a number; a text that is not one raises EConvertError.
    double Number(const QString& key) const;

    // Heading rows ("------阻力系数------") carry a symbol that nothing reads; every other row
    // with a key holds a number.
    static bool IsNumberRow(const QString& key);
    // Why text cannot be the value of a number row ("不是有效的数字", "必须大于 0", ...), empty
    // when it can; headings take any text.
    static QString CheckValue(const QString& key, const QString& text);

    // Reads the file (if it exists) into every row whose current value is not blank. A heading
    // the file lacks is emptied; a number row the file lacks keeps its built-in default. A
    // value that is not a valid number keeps the default too, and a file that cannot be read
    // (not a regular text file of at most 8 MB) leaves every row as it was; Problems() tells
    // each such case once, naming the file and the key.
    void Load(const QString& path);
    const QStringList& Problems() const { return problems_; }
    // Writes key=value of every row with a key, in row order, keeping existing lines in place.
    // Raises Error "Unable to write to <path>" at the first row that cannot be written.
    void Save(const QString& path) const;

private:
    std::vector<ParamRow> rows_;
    QStringList problems_;
};

} // namespace tubalon
