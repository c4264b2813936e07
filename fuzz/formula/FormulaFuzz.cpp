// Any bytes as a formula: the first line is the text, each further line NAME=VALUE sets a
// row of the named-values table. Every evaluation must end in a finite value or a code.
#include "formula/FormulaParser.h"
#include "formula/MyValues.h"

#include <QApplication>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tubalon;

namespace {

// A plain table with the same rules as the widget: names without regard to case.
struct PlainTable : TFpValueTable {
    std::vector<std::pair<std::string, std::string>> rows;
    static bool Same(const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(a[i])) !=
                std::toupper(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }
    bool FpHasName(const std::string& n) const override {
        for (const auto& r : rows)
            if (Same(r.first, n)) return true;
        return false;
    }
    std::string FpGetValue(const std::string& n) const override {
        for (const auto& r : rows)
            if (Same(r.first, n)) return r.second;
        return {};
    }
    void FpAddName(const std::string& n) override { rows.emplace_back(n, ""); }
};

// SELF reads the fuzzed text again as a nested formula; FLAG and COUNT are named values.
struct SelfOwner : TFpOwner {
    std::string text;
    TFpHandler FindHandler(std::string_view) const override { return nullptr; }
    bool NamedText(std::string_view name, std::string& v) const override {
        if (name != "mSELF") return false;
        v = text;
        return true;
    }
    bool NamedBool(std::string_view name, bool& v) const override {
        v = true;
        return name == "mFLAG";
    }
    bool NamedInt(std::string_view name, long long& v) const override {
        v = 42;
        return name == "mCOUNT";
    }
};

void Check(long double v, int code, const char* what) {
    const bool known = code >= 0 && code <= 42 && code != 15 && code != 16 && code != 31;
    if (!known || (code != 0 && v != 0) || !std::isfinite(v) ||
        std::fabs(v) > static_cast<long double>(DBL_MAX) || MessageOf(code).isEmpty()) {
        std::fprintf(stderr, "%s: value %Lg, code %d\n", what, v, code);
        std::abort();
    }
}

TMyValues* Widget() {
    static int argc = 1;
    static char name[] = "formula_fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    static TMyValues* table = new TMyValues();
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t nl = input.find('\n');
    const std::string text = input.substr(0, nl);
    std::vector<std::pair<std::string, std::string>> values;
    for (std::size_t at = nl; at != std::string::npos && at < input.size();) {
        const std::size_t next = input.find('\n', at + 1);
        const std::string line =
            input.substr(at + 1, next == std::string::npos ? next : next - at - 1);
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos && eq > 0)
            values.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        at = next;
    }

    {
        TFormulaParser parser;
        SelfOwner owner;
        owner.text = text;
        parser.AddFunction(&owner, "SELF", fkOwnerText);
        parser.AddFunction(&owner, "FLAG", fkOwnerBool);
        parser.AddFunction(&owner, "COUNT", fkOwnerInt);
        const long double v = parser.Evaluate(text);
        Check(v, parser.ErrorCode(), "Evaluate");
    }
    {
        PlainTable table;
        table.rows = {{"t", "20"}, {"p", "100"}};
        for (const auto& [n, v] : values)
            table.rows.emplace_back(n, v);
        int code = -1;
        const long double v = EvaluateWithValues(text, &table, code);
        Check(v, code, "EvaluateWithValues (plain table)");
        if (table.FpGetValue("t") != "20" || table.FpGetValue("p") != "100") {
            std::fprintf(stderr, "the table lost t or p\n");
            std::abort();
        }
    }
    {
        TMyValues* table = Widget();
        table->LoadPropertyDialogForm();
        for (const auto& [n, v] : values) {
            const QString name = QString::fromStdString(n), value = QString::fromStdString(v);
            if (table->FpHasName(n))
                table->SetValue(name, value);
            else
                table->AddValue(name, value, QString(), QString());
        }
        int code = -1;
        const long double v = EvaluateWithValues(QString::fromStdString(text), table, code);
        Check(v, code, "EvaluateWithValues (TMyValues)");
    }
    return 0;
}
