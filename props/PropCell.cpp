#include "props/PropCell.h"

#include "formula/FormulaParser.h"
#include "props/PropLib.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <cmath>

namespace tubalon {

namespace {

constexpr int kMaxListNumbers = 18; // + p + t fill Q[1]..Q[20]
constexpr int kMaxPoints = 100;

const std::vector<TPropCellName> kCells = {
    {"Cp", "比热"},     {"MD", "密度"},     {"VI", "黏度"},
    {"TC", "导热系数"}, {"ST", "表面张力"}, {"HV", "蒸发潜热"},
};

QString CaptionOf(const QString& field) {
    const int i = PropFieldIndex(field);
    return i < 0 ? field : QString::fromUtf8(PropFields()[static_cast<size_t>(i)].caption);
}

TCellOutcome Failed(const QString& field, const QString& why) {
    TCellOutcome o;
    o.kind = TCellOutcome::Kind::Failed;
    o.message = QStringLiteral("“%1”无法计算：%2。该项结果已留空。").arg(CaptionOf(field), why);
    return o;
}

// Every property of the library is a positive number: a value that is zero, negative or not
// finite (a table extrapolated too far, a formula used outside its range) is refused.
TCellOutcome Value(const QString& field, double v) {
    if (!std::isfinite(v)) return Failed(field, QStringLiteral("结果不是有限数值"));
    if (v <= 0)
        return Failed(field, QStringLiteral("结果为 %1，不是可用的物性值（应为正数），"
                                            "数据多半用在了其适用范围之外")
                                 .arg(FormatFloat7(v)));
    TCellOutcome o;
    o.kind = TCellOutcome::Kind::Value;
    o.value = v;
    return o;
}

// s cut before the first sep, trimmed; unchanged without sep.
void CutBefore(QString& s, QChar sep) {
    const qsizetype i = s.indexOf(sep);
    if (i >= 0) s = TrimText(s.left(i));
}

// list + "," + p + "," + t into Q[1], Q[2], ...; false when it holds more than 20 numbers.
bool FillNumbers(EosInput& q, const QString& list, const QString& p, const QString& t) {
    const QStringList pieces = (list + ',' + p + ',' + t).split(',');
    if (pieces.size() > kMaxListNumbers + 2) return false;
    for (size_t i = 1; i < q.size(); ++i)
        q[i] = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i)
        q[static_cast<size_t>(i + 1)] = StrToFloat(pieces[i]);
    return true;
}

QString TooManyNumbers() {
    return QStringLiteral("参数表最多 %1 个数").arg(kMaxListNumbers);
}

} // namespace

const std::vector<TPropCellName>& PropCellNames() {
    return kCells;
}

double InterpolatePoints(const std::vector<double>& xs, const std::vector<double>& ys, double x,
                         TTableForm form) {
    const int n = static_cast<int>(xs.size());
    if (n == 0) return 0;
    const bool andrade = form == TTableForm::Andrade;
    // Abscissa and ordinate of the polynomial.
    auto X = [&](double t) -> long double {
        if (!andrade) return t;
        if (!(t > -273.15))
            throw Error(QStringLiteral("温度 %1 ℃ 不高于绝对零度，无法插值").arg(FormatFloat15(t)));
        return 1.0L / (static_cast<long double>(t) + 273.15L);
    };
    auto Y = [&](double y) -> long double {
        if (!andrade) return y;
        if (!(y > 0))
            throw Error(QStringLiteral("按 ln 值对 1/T 插值的数据表中有不为正的值（%1）")
                            .arg(FormatFloat15(y)));
        return std::log(static_cast<long double>(y));
    };
    int lo = 0, hi = n - 1;
    if (n > 4) {
        int i = -1;
        for (int k = 0; k < n; ++k)
            if (xs[static_cast<size_t>(k)] >= x) {
                i = k;
                break;
            }
        if (i < 0) {
            lo = n - 4;
            hi = n - 1;
        } else {
            lo = i - 2;
            hi = i + 1;
            if (lo < 0) {
                lo = 0;
                hi = 3;
            } else if (hi > n - 1) {
                lo = n - 4;
                hi = n - 1;
            }
        }
    }
    const long double xq = X(x);
    long double sum = 0;
    for (int k = lo; k <= hi; ++k) {
        long double term = Y(ys[static_cast<size_t>(k)]);
        const long double xk = X(xs[static_cast<size_t>(k)]);
        for (int j = lo; j <= hi; ++j) {
            if (j == k) continue;
            const long double xj = X(xs[static_cast<size_t>(j)]);
            const long double d = xk - xj;
            if (d == 0)
                throw Error(QStringLiteral("数据表中有两个点的温度相同（%1），无法插值")
                                .arg(FormatFloat15(xs[static_cast<size_t>(k)])));
            term *= (xq - xj) / d;
        }
        sum += term;
    }
    if (andrade) {
        // Beyond the range of double the value is not finite and refused by the caller.
        return sum > 709.0L ? HUGE_VAL : static_cast<double>(std::exp(sum));
    }
    return static_cast<double>(sum);
}

void TablePoints(const QString& s, std::vector<double>& xs, std::vector<double>& ys) {
    QStringList pieces = s.split(';');
    if (pieces.size() > 1 && TrimText(pieces.last()).isEmpty()) pieces.removeLast();
    if (pieces.size() > kMaxPoints)
        throw Error(QStringLiteral("数据表最多 %1 个点").arg(kMaxPoints));
    xs.clear();
    ys.clear();
    for (const QString& piece : pieces) {
        const qsizetype c = piece.indexOf(',');
        xs.push_back(StrToFloat(c < 0 ? piece : piece.left(c)));
        ys.push_back(StrToFloat(c < 0 ? QString() : piece.mid(c + 1)));
    }
}

QString CellCoreText(const QString& cell) {
    QString s = TrimText(cell);
    CutBefore(s, '?');
    CutBefore(s, '<');
    CutBefore(s, '{');
    if (const qsizetype e = s.indexOf('='); e >= 0) s = TrimText(s.mid(e + 1));
    return s;
}

double TablePoint(const QString& s, double x, TTableForm form) {
    if (s.contains(';')) {
        std::vector<double> xs, ys;
        TablePoints(s, xs, ys);
        return InterpolatePoints(xs, ys, x, form);
    }
    const qsizetype c = s.indexOf(',');
    if (c >= 0) return StrToFloat(s.mid(c + 1));
    return StrToFloat(s);
}

QString ExpandFormula(QString s, const QStringList& P, const QString& prrcp, const QString& vrrcp) {
    auto par = [&](int i) { return i < P.size() ? P[i] : QString(); };
    if (s.contains(QLatin1String("PRRCP"))) s.replace(QLatin1String("PRRCP"), prrcp);
    if (s.contains(QLatin1String("VRRCP"))) s.replace(QLatin1String("VRRCP"), vrrcp);
    if (!par(1).isEmpty()) {
        s.replace(QLatin1String("Pc"), "(1.0E3*" + par(1) + ")");
        s.replace(QLatin1String("Pr"), "(p/" + par(1) + ")");
    }
    if (!par(2).isEmpty()) {
        s.replace(QLatin1String("Tc"), par(2));
        s.replace(QLatin1String("Tr"), "((t+273.15)/" + par(2) + ")");
    }
    if (!par(3).isEmpty()) {
        s.replace(QLatin1String("Vc"), "(1.0E-6*" + par(3) + ")");
        s.replace(QLatin1String("Vr"), "(V/(1.0E6*" + par(3) + "))");
    }
    if (!par(4).isEmpty()) {
        s.replace(QLatin1String("Zc"), par(4));
        s.replace(QLatin1String("Zr"), "(Z/" + par(4) + ")");
    }
    if (!par(5).isEmpty()) s.replace(QLatin1String("w"), par(5));
    if (!par(6).isEmpty()) s.replace(QLatin1String("M"), par(6));
    if (!par(7).isEmpty()) s.replace(QLatin1String("B"), par(7));
    s.replace(QLatin1String("T"), QLatin1String("(t+273.15)"));
    s.replace(QLatin1String("P"), QLatin1String("(1.0E3*p)"));
    s.replace(QLatin1String("R"), QLatin1String("8.314"));
    return s;
}

TCellOutcome EvaluatePropertyCell(const TPropLib& lib, const QString& field, TPropValues& values) {
    if (values.GetValue(QStringLiteral("t")).isEmpty())
        return {TCellOutcome::Kind::NoTemperature, 0, QStringLiteral("请指定温度！")};
    lib.CheckOpen();
    return EvaluatePropertyCell(lib.Current(), field, values);
}

TCellOutcome EvaluatePropertyCell(const TPropRecord* record, const QString& field,
                                  TPropValues& values) {
    // 1. Temperature.
    const QString tName = values.GetValue(QStringLiteral("t"));
    if (tName.isEmpty())
        return {TCellOutcome::Kind::NoTemperature, 0, QStringLiteral("请指定温度！")};
    // 2. Liquid flag.
    const bool liquid =
        record && !record->IsNull(1) && record->Text(1).contains(QStringLiteral("液"));
    // 3. Null cell.
    if (!record || record->IsNull(field)) return {TCellOutcome::Kind::Clear, 0, {}};
    // 4.-6. Blanks, comments, label.
    QString s = CellCoreText(record->Text(field));

    const QString tRow = values.RowValue(1);
    const QString pRow = values.RowValue(2);
    EosInput q{};
    QStringList P(100);
    // 7. Parameter list.
    if (const qsizetype k = s.indexOf(QLatin1String("PARAMS:")); k >= 0) {
        const QString list = TrimText(s.mid(k + 7));
        s = TrimText(s.left(k));
        const QStringList pieces = list.split(',');
        if (pieces.size() > 99) return Failed(field, TooManyNumbers());
        for (qsizetype i = 0; i < pieces.size(); ++i)
            P[i + 1] = pieces[i];
        if (!FillNumbers(q, list, pRow, tRow)) return Failed(field, TooManyNumbers());
    }
    // 8. Keyword call.
    if (const qsizetype c = s.indexOf(':'); c >= 0 && c <= 8) {
        const QString kw = TrimText(s.left(c));
        if (kw == QLatin1String("PRV") || kw == QLatin1String("PRU") || kw == QLatin1String("PRD"))
            q[0] = 0;
        else if (kw == QLatin1String("VRV"))
            q[0] = 1;
        else
            return Failed(field,
                          QStringLiteral("未知的关键字“%1”（可用 PRD、PRV、PRU、VRV）").arg(kw));
        if (!FillNumbers(q, s.mid(c + 1), pRow, tRow)) return Failed(field, TooManyNumbers());
        EosResult r{0, EosStatus::WrongSelector};
        if (q[0] == 0 && field == QLatin1String("MD"))
            r = PrDensity(q, liquid);
        else if (q[0] == 0 && field == QLatin1String("VI"))
            r = PrViscosity(q, liquid);
        else if (q[0] == 0 && field == QLatin1String("TC"))
            r = PrConductivity(q, liquid);
        else if (q[0] == 1 && field == QLatin1String("MD"))
            r = VirialDensity(q, liquid);
        else
            return Failed(field, QStringLiteral("“%1”调用不能计算这一物性").arg(kw));
        if (!r.ok()) return Failed(field, QString::fromUtf8(EosReason(r.status)));
        return Value(field, r.value);
    }
    // 9. Nothing left.
    if (s.isEmpty()) return {TCellOutcome::Kind::Clear, 0, {}};
    // 10. Constant or table.
    long double num = 0;
    if (s.contains(',') || TryParseNumber(s, num)) {
        try {
            const double x = s.contains(';') ? StrToFloat(tName) : 0;
            // Viscosities fall by decades over a table: ln mu is interpolated against 1/T.
            const TTableForm form = field.compare(QLatin1String("VI"), Qt::CaseInsensitive) == 0
                                        ? TTableForm::Andrade
                                        : TTableForm::Plain;
            return Value(field, TablePoint(s, x, form));
        } catch (const EConvertError&) {
            throw;
        } catch (const Error& e) {
            return Failed(field, e.message());
        }
    }
    // 11. Formula.
    QString prrcp, vrrcp;
    if (s.contains(QLatin1String("PRRCP"))) {
        const EosResult r = PrResidualCp(q);
        if (!r.ok()) return Failed(field, QStringLiteral("PRRCP：") + EosReason(r.status));
        prrcp = FormatFloat15(r.value);
    }
    if (s.contains(QLatin1String("VRRCP"))) {
        const EosResult r = VirialResidualCp(q);
        if (!r.ok()) return Failed(field, QStringLiteral("VRRCP：") + EosReason(r.status));
        vrrcp = FormatFloat15(r.value);
    }
    const QString text = ExpandFormula(s, P, prrcp, vrrcp);
    // 12. Evaluation with the table.
    int code = 0;
    const long double v = EvaluateWithValues(text, values.FormulaTable(), code);
    if (code != 0)
        return Failed(field, QStringLiteral("公式“%1”出错（%2）").arg(s, MessageOf(code)));
    return Value(field, static_cast<double>(v));
}

// ---- TPlainValues ----

class TPlainValues::Adapter : public TFpValueTable {
public:
    explicit Adapter(TPlainValues& v) : v_(v) {}
    bool FpHasName(const std::string& name) const override {
        const QString n = QString::fromStdString(name);
        for (const Row& r : v_.rows)
            if (r.name.compare(n, Qt::CaseInsensitive) == 0) return true;
        return false;
    }
    std::string FpGetValue(const std::string& name) const override {
        return v_.GetValue(QString::fromStdString(name)).toStdString();
    }
    void FpAddName(const std::string& name) override {
        v_.AddValue(QString::fromStdString(name), {});
    }

private:
    TPlainValues& v_;
};

TPlainValues::TPlainValues() : adapter_(std::make_shared<Adapter>(*this)) {
    rows = {
        {QStringLiteral("名称"), QStringLiteral("数量"), QStringLiteral("单位"),
         QStringLiteral("备注")},
        {QStringLiteral("t"), QStringLiteral("20"), QStringLiteral("C"), QStringLiteral("温度")},
        {QStringLiteral("p"), QStringLiteral("100"), QStringLiteral("kPa"),
         QStringLiteral("压力")}};
}

QString TPlainValues::GetValue(const QString& name) const {
    for (const Row& r : rows)
        if (r.name.compare(name, Qt::CaseInsensitive) == 0) return r.value;
    return {};
}

QString TPlainValues::RowValue(int row) const {
    return row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(row)].value
                                                           : QString();
}

TFpValueTable* TPlainValues::FormulaTable() {
    return adapter_.get();
}

bool TPlainValues::HasName(const QString& name) const {
    for (const Row& r : rows)
        if (r.name.compare(name, Qt::CaseInsensitive) == 0) return true;
    return false;
}

void TPlainValues::SetValue(const QString& name, const QString& value) {
    for (Row& r : rows)
        if (r.name.compare(name, Qt::CaseInsensitive) == 0) {
            r.value = value;
            return;
        }
}

void TPlainValues::AddValue(const QString& name, const QString& value, const QString& unit,
                            const QString& note) {
    for (size_t i = 1; i < rows.size(); ++i)
        if (rows[i].name.compare(name, Qt::CaseInsensitive) == 0) return;
    Row* target = nullptr;
    for (Row& r : rows)
        if (TrimText(r.name).isEmpty()) {
            target = &r;
            break;
        }
    if (!target) {
        rows.push_back({});
        target = &rows.back();
    }
    if (!name.isEmpty()) target->name = name;
    if (!value.isEmpty()) target->value = value;
    if (!unit.isEmpty()) target->unit = unit;
    if (!note.isEmpty()) target->note = note;
}

} // namespace tubalon
