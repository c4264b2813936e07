#include "formula/FormulaParser.h"

#include "formula/BuildinFuncs.h"

#include <array>
#include <cerrno>
#include <cfloat>
#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <random>

namespace tubalon {
namespace {

// Range limit of operators and built-ins.
constexpr long double kLimit = 9.99999999E37L;
constexpr long double kLimitTenth = 9.99999999E36L;
const long double kLnLimit = std::log(kLimit);

// Deepest nesting of expressions and factors before the text is refused.
constexpr int kMaxDepth = 600;
// Limits of the variable scan and of the substituted text.
constexpr std::size_t kMaxScanLength = 255;
constexpr std::size_t kMaxVariables = 100;
constexpr std::size_t kMaxSubstituted = 4096;

struct MessageEntry {
    int Code;
    const char* Text;
};

const MessageEntry kMessages[] = {
    {0, "结果正确"},
    {1, "无效的数字"},
    {2, "未知的函数"},
    {3, "( ) 不匹配"},
    {4, "Real exponent -> complex number"},
    {5, "TAN( (2n+1)*PI/2 ) not defined"},
    {6, "空字符串"},
    {7, "LN(x) or LOG(x) for x<=0 -> complex number"},
    {8, "SQRT(x) for x<0 -> complex number"},
    {9, "被0除"},
    {10, "函数或常量太多"},
    {11, "Intermediate result out of range"},
    {12, "函数名称中有无效的字符"},
    {13, "非布尔表达式"},
    {14, "参数数目不正确"},
    {17, "Csc( n*PI ) not defined"},
    {18, "Sec( (2n+1)*PI/2 ) not defined"},
    {19, "Cot( n*PI ) not defined"},
    {20, "Parameter to large"},
    {21, "Csch(0) not defined"},
    {22, "Coth(0) not defined"},
    {23, "ArcCosh(x) not defined for x<1"},
    {24, "ArcTanh(x) not defined for Abs(x)=>1"},
    {25, "Arccsch(0) not defined"},
    {26, "Arcsech(x) not defined for x<=0 or x>1"},
    {27, "Arccoth(x) not defined for Abs(x)<=1"},
    {28, "Average not defined for zero items"},
    {29, "Standard deviation not defined for less than two items"},
    {30, "函数已存在"},
    {32, "Function not fully implemented yet"},
    {33, "遗失字符串引用"},
    {34, "字符串引用结束符不匹配!"},
    {35, "if needs exact 3 parameters"},
    {36, "条件表达式值应为\"是\"或\"否\""},
    {37, "RND range to large"},
    {38, "函数名不存在!"},
    {39, "未发现对象!"},
    {40, "公式太长"},
    {41, "公式中的变量太多"},
    {42, "公式嵌套太深"},
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsAsciiLetter(char c) {
    return IsUpper(c) || (c >= 'a' && c <= 'z');
}
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

// The part of a registry name that lookups compare: up to the first "=".
std::size_t KeyLength(const std::string& name) {
    const auto eq = name.find('=');
    return eq == std::string::npos ? name.size() : eq;
}

// digits [. digits] [E [+|-] digits], at least one mantissa digit.
bool IsDecimalText(const std::string& s) {
    std::size_t i = 0, n = s.size(), digits = 0;
    while (i < n && IsDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && IsDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < n && s[i] == 'E') {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t exp = 0;
        while (i < n && IsDigit(s[i])) {
            ++i;
            ++exp;
        }
        if (exp == 0) return false;
    }
    return i == n;
}

// Decimal text to long double with "." whatever the process locale is.
bool ConvertDecimal(const std::string& s, long double& out) {
    if (!IsDecimalText(s)) return false;
    static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    char* end = nullptr;
    errno = 0;
    const long double v = strtold_l(s.c_str(), &end, c);
    if (end != s.c_str() + s.size()) return false;
    if (std::isinf(v)) return false; // beyond the extended range
    out = v;
    return true;
}

std::mt19937_64& Generator() {
    static std::mt19937_64 gen;
    return gen;
}

const TBuildinFuncs kLibrary;

} // namespace

TFormulaParser::TFormulaParser(std::nullptr_t) {}

// The messages and built-ins are registered once through SetMessage and AddFunction;
// every new parser starts from a copy of that registry.
const TFormulaParser& TFormulaParser::Registry() {
    static const TFormulaParser* registry = [] {
        auto* p = new TFormulaParser(nullptr);
        p->Library_ = &kLibrary;
        p->Messages_.reserve(std::size(kMessages) + 4);
        p->MessageCodes_.reserve(std::size(kMessages) + 4);
        for (const auto& m : kMessages)
            p->SetMessage(m.Code, m.Text);
        p->Functions_.reserve(56);
        kLibrary.RegisterAll(*p);
        return p;
    }();
    return *registry;
}

TFormulaParser::TFormulaParser() {
    const TFormulaParser& r = Registry();
    Library_ = r.Library_;
    Messages_ = r.Messages_;
    MessageCodes_ = r.MessageCodes_;
    Functions_.reserve(r.Functions_.size() + 4);
    Functions_ = r.Functions_;
    Generator().seed(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

TFormulaParser::~TFormulaParser() = default;

void TFormulaParser::AddFunction(const TFpOwner* owner, const std::string& name, int kind,
                                 const std::string& handlerName) {
    for (const auto& f : Functions_)
        if (f.KeyLength == name.size() &&
            SameText(std::string_view(f.Name).substr(0, f.KeyLength), name)) {
            SetError(fpFunctionExists);
            return;
        }
    std::string upper = name;
    for (char& c : upper) {
        c = Upper(c);
        if (!IsDigit(c) && !IsUpper(c) && c != '_') SetError(fpBadFunctionName);
    }
    if (!upper.empty() && !IsUpper(upper[0])) SetError(fpBadFunctionName);
    std::string handler = handlerName.empty() ? "m" + upper : handlerName;
    const std::size_t key = KeyLength(upper);
    Functions_.push_back({std::move(upper), key, std::move(handler), kind, owner});
}

void TFormulaParser::SetMessage(int code, const std::string& text) {
    std::string line = std::to_string(code);
    line += '=';
    line += text;
    for (std::size_t i = 0; i < MessageCodes_.size(); ++i)
        if (MessageCodes_[i] == code) {
            Messages_[i] = std::move(line);
            return;
        }
    MessageCodes_.push_back(code);
    Messages_.push_back(std::move(line));
}

std::string TFormulaParser::MessageOf(int code) const {
    for (std::size_t i = 0; i < MessageCodes_.size(); ++i)
        if (MessageCodes_[i] == code) return Messages_[i].substr(Messages_[i].find('=') + 1);
    return {};
}

std::vector<std::string> TFormulaParser::Functions() const {
    std::vector<std::string> lines;
    lines.reserve(Functions_.size());
    for (const auto& f : Functions_)
        lines.push_back(f.Name + "=" + std::to_string(f.Kind));
    return lines;
}

void TFormulaParser::AddRealVariable(const std::string& name, long double value) {
    RealVariables_.push_back({name, value});
}

void TFormulaParser::AddBoolVariable(const std::string& name, bool value) {
    BoolVariables_.push_back({name, value});
}

void TFormulaParser::ClearVariables() {
    ErrorCode_ = 0;
    RealVariables_.clear();
    BoolVariables_.clear();
}

void TFormulaParser::SetError(int code) {
    if (ErrorCode_ == 0) ErrorCode_ = code;
}

void TFormulaParser::SetFormula(const std::string& text) {
    ClearVariables();
    Formula_ = text;
}

long double TFormulaParser::Calculate() {
    return Evaluate(Formula_);
}

long double TFormulaParser::RandomUnit() {
    // 64 random bits scaled by 2^-64: exact in the 64-bit significand, always below 1.
    return std::ldexp(static_cast<long double>(Generator()()), -64);
}

std::int64_t TFormulaParser::RandomBelow(std::int64_t n) {
    if (n <= 1) return 0;
    std::uniform_int_distribution<std::int64_t> d(0, n - 1);
    return d(Generator());
}

// ---- scanner ----

void TFormulaParser::Advance() {
    const std::string& t = *S_->Text;
    if (S_->Pos < t.size()) ++S_->Pos;
    S_->Ch = Upper(t[S_->Pos - 1]);
}

void TFormulaParser::Skip() {
    do
        Advance();
    while (S_->Ch == ' ');
}

bool TFormulaParser::Enter() {
    if (++Depth_ > kMaxDepth) {
        SetError(fpNestingTooDeep);
        return false;
    }
    return true;
}

bool TFormulaParser::StartText(const std::string& text, std::string& storage) {
    long balance = 0;
    for (char c : text)
        balance += (c == '(') - (c == ')');
    if (balance != 0) {
        SetError(fpParentheses);
        return false;
    }
    storage.reserve(text.size() + 1);
    storage = text;
    storage.push_back('\0');
    S_->Text = &storage;
    S_->Pos = 0;
    Skip();
    if (S_->Ch == '\0') {
        SetError(fpEmptyText);
        return false;
    }
    return true;
}

// ---- grammar ----

long double TFormulaParser::Expression() {
    if (ErrorCode_ != 0) return 0;
    if (!Enter()) {
        Leave();
        return 0;
    }
    long double a = Sum();
    if (ErrorCode_ == 0) {
        const char op = S_->Ch;
        if (op == '<' || op == '=' || op == '>') {
            Skip();
            int kind = op; // '<', '=', '>', or 'l' <=, 'n' <>, 'g' >=
            if (op == '<' && S_->Ch == '=') {
                kind = 'l';
                Skip();
            } else if (op == '<' && S_->Ch == '>') {
                kind = 'n';
                Skip();
            } else if (op == '>' && S_->Ch == '=') {
                kind = 'g';
                Skip();
            }
            const long double b = Sum();
            bool r = false;
            switch (kind) {
            case '<':
                r = a < b;
                break;
            case '=':
                r = a == b;
                break;
            case '>':
                r = a > b;
                break;
            case 'l':
                r = a <= b;
                break;
            case 'n':
                r = a != b;
                break;
            default:
                r = a >= b;
                break;
            }
            a = r ? 1 : 0;
        } else if (op == '&' || op == '|') {
            Skip();
            const long double b = Expression();
            if (ErrorCode_ == 0) {
                if ((a != 0 && a != 1) || (b != 0 && b != 1))
                    SetError(fpNotBoolean);
                else if (op == '&')
                    a = (a == 1 && b == 1) ? 1 : 0;
                else
                    a = (a == 1 || b == 1) ? 1 : 0;
            }
        }
    }
    Leave();
    return ErrorCode_ == 0 ? a : 0;
}

long double TFormulaParser::Sum() {
    long double a = Term();
    while (ErrorCode_ == 0 && (S_->Ch == '+' || S_->Ch == '-')) {
        const bool plus = S_->Ch == '+';
        Skip();
        const long double b = Term();
        if (ErrorCode_ != 0) break;
        const long double test = plus ? a / 10 + b / 10 : a / 10 - b / 10;
        if (std::fabs(test) < kLimitTenth)
            a = plus ? a + b : a - b;
        else
            SetError(fpOutOfRange);
    }
    if (ErrorCode_ != 0) return 0;
    switch (S_->Ch) {
    case '\0':
    case '&':
    case ')':
    case ',':
    case '<':
    case '=':
    case '>':
    case '|':
        break;
    default:
        SetError(fpUnknownFunction);
        return 0;
    }
    return a;
}

long double TFormulaParser::Term() {
    long double a = Power();
    while (ErrorCode_ == 0 && (S_->Ch == '*' || S_->Ch == '/')) {
        const bool times = S_->Ch == '*';
        Skip();
        const long double b = Power();
        if (ErrorCode_ != 0) break;
        if (times) {
            if (a == 0 || b == 0)
                a = 0;
            else if (std::fabs(std::log(std::fabs(a)) + std::log(std::fabs(b))) >= kLnLimit ||
                     std::isnan(a) || std::isnan(b))
                SetError(fpOutOfRange);
            else
                a = a * b;
        } else {
            if (b == 0)
                SetError(fpDivisionByZero);
            else if (a == 0)
                a = 0;
            else if (std::fabs(std::log(std::fabs(a)) - std::log(std::fabs(b))) >= kLnLimit ||
                     std::isnan(a) || std::isnan(b))
                SetError(fpOutOfRange);
            else
                a = a / b;
        }
    }
    return ErrorCode_ == 0 ? a : 0;
}

long double TFormulaParser::Power() {
    long double base = Factor();
    while (ErrorCode_ == 0 && S_->Ch == '^') {
        Skip();
        const long double y = Factor();
        if (ErrorCode_ != 0) break;
        if (base == 0) continue; // 0 to any power is 0
        const long double c = y * std::log(std::fabs(base));
        if (c > kLnLimit) {
            SetError(fpOutOfRange);
            break;
        }
        long double r = std::exp(c);
        if (base < 0) {
            if (std::trunc(y) != y) {
                SetError(fpComplexPower);
                break;
            }
            if (std::fmod(std::fabs(y), 2.0L) == 1) r = -r;
        }
        base = r;
    }
    return ErrorCode_ == 0 ? base : 0;
}

long double TFormulaParser::Factor() {
    if (ErrorCode_ != 0) return 0;
    if (!Enter()) {
        Leave();
        return 0;
    }
    long double v = 0;
    const char c = S_->Ch;
    if (c == '(') {
        Skip();
        v = Expression();
        if (ErrorCode_ == 0 && S_->Ch != ')') SetError(fpParentheses);
        Skip();
    } else if (c == '+') {
        Advance();
        v = Factor();
    } else if (c == '-') {
        Advance();
        v = -Factor();
    } else if (c == '.' || IsDigit(c)) {
        v = Number();
    } else if (IsUpper(c)) {
        v = Name();
    } else {
        SetError(fpUnknownFunction);
    }
    Leave();
    return ErrorCode_ == 0 ? v : 0;
}

long double TFormulaParser::Number() {
    std::string s;
    if (S_->Ch == '.') s.push_back('0');
    for (;;) {
        const char c = S_->Ch;
        if (c == 'E') {
            if (!s.empty() && s.back() == '.') s.push_back('0');
            s.push_back('E');
            Advance();
            if (S_->Ch == '+' || S_->Ch == '-') {
                s.push_back(S_->Ch);
                Advance();
            }
        } else if (c == '.' || IsDigit(c)) {
            s.push_back(c);
            Advance();
        } else {
            break;
        }
    }
    if (S_->Ch == ' ') Skip();
    if (s.back() == '.' && s.find('E') == std::string::npos) s.push_back('0');
    long double v = 0;
    if (!ConvertDecimal(s, v)) {
        SetError(fpInvalidNumber);
        return 0;
    }
    return v;
}

long double TFormulaParser::Name() {
    std::string name(1, S_->Ch);
    Skip();
    while (IsDigit(S_->Ch) || IsUpper(S_->Ch) || S_->Ch == '_') {
        name.push_back(S_->Ch);
        Skip();
    }
    for (auto it = RealVariables_.rbegin(); it != RealVariables_.rend(); ++it)
        if (it->Name == name) return it->Value;
    for (auto it = BoolVariables_.rbegin(); it != BoolVariables_.rend(); ++it)
        if (it->Name == name) return it->Value ? 1 : 0;
    return FunctionCall(name);
}

bool TFormulaParser::TextArgument(std::string& out) {
    const char quote = S_->Ch;
    if (quote != '"' && quote != '\'') {
        SetError(fpMissingQuote);
        return false;
    }
    Skip();
    while (S_->Ch != quote) {
        if (S_->Ch == '\0') {
            SetError(fpUnclosedQuote);
            return false;
        }
        out.push_back(S_->Ch);
        Skip();
    }
    return true;
}

long double TFormulaParser::FunctionCall(const std::string& name) {
    const TFpFunction* fn = nullptr;
    for (const auto& f : Functions_)
        if (f.KeyLength == name.size() &&
            SameText(std::string_view(f.Name).substr(0, f.KeyLength), name)) {
            fn = &f;
            break;
        }
    if (!fn) {
        SetError(fpNoSuchFunction);
        return 0;
    }
    const int kind = fn->Kind;
    long double nums[2] = {0, 0};
    std::vector<long double> list;
    std::vector<std::string> texts;
    TFpArgs args;

    auto expect = [this](char c, int code) {
        if (S_->Ch != c) SetError(code);
        Skip();
    };

    switch (kind) {
    case fkNoArgs:
        if (S_->Ch == '(') {
            Skip();
            expect(')', fpArgumentCount);
        }
        break;
    case fkOneArg:
        expect('(', fpArgumentCount);
        nums[0] = Expression();
        expect(')', fpArgumentCount);
        args.Numbers = std::span<const long double>(nums, 1);
        break;
    case fkTwoArgs:
        expect('(', fpArgumentCount);
        nums[0] = Expression();
        expect(',', fpArgumentCount);
        nums[1] = Expression();
        expect(')', fpArgumentCount);
        args.Numbers = std::span<const long double>(nums, 2);
        break;
    case fkArgList:
        expect('(', fpArgumentCount);
        list.push_back(Expression());
        if (S_->Ch != ',') SetError(fpArgumentCount);
        while (ErrorCode_ == 0 && S_->Ch == ',') {
            Skip();
            list.push_back(Expression());
        }
        expect(')', fpArgumentCount);
        args.Numbers = list;
        break;
    case fkOneText:
        texts.emplace_back();
        if (S_->Ch == '(') {
            Skip();
            TextArgument(texts.back());
            Skip();
            Skip();
        }
        args.Texts = texts;
        break;
    case fkTwoTexts:
        texts.resize(2);
        expect('(', fpArgumentCount);
        if (ErrorCode_ == 0 && TextArgument(texts[0])) Skip();
        expect(',', fpArgumentCount);
        if (ErrorCode_ == 0 && TextArgument(texts[1])) Skip();
        expect(')', fpArgumentCount);
        args.Texts = texts;
        break;
    case fkTextList:
        expect('(', fpArgumentCount);
        texts.emplace_back();
        if (TextArgument(texts.back())) Skip();
        if (S_->Ch != ',') SetError(fpArgumentCount);
        while (ErrorCode_ == 0 && S_->Ch == ',') {
            Skip();
            texts.emplace_back();
            if (TextArgument(texts.back())) Skip();
        }
        expect(')', fpArgumentCount);
        args.Texts = texts;
        break;
    default:
        break; // kinds 4 to 7 read nothing
    }
    if (ErrorCode_ != 0) return 0;
    if (!fn->Owner) {
        SetError(fpNoOwner);
        return 0;
    }
    const std::string& handlerName = fn->Handler;
    switch (kind) {
    case fkOwnerFloat: {
        long double v = 0;
        if (!fn->Owner->NamedFloat(handlerName, v)) SetError(fpNoSuchFunction);
        return ErrorCode_ == 0 ? v : 0;
    }
    case fkOwnerInt: {
        long long v = 0;
        if (!fn->Owner->NamedInt(handlerName, v)) SetError(fpNoSuchFunction);
        return ErrorCode_ == 0 ? static_cast<long double>(v) : 0;
    }
    case fkOwnerBool: {
        bool v = false;
        if (!fn->Owner->NamedBool(handlerName, v)) SetError(fpNoSuchFunction);
        return ErrorCode_ == 0 && v ? 1 : 0;
    }
    case fkOwnerText: {
        std::string text;
        if (!fn->Owner->NamedText(handlerName, text)) {
            SetError(fpNoSuchFunction);
            return 0;
        }
        return Nested(text);
    }
    default:
        break;
    }
    const TFpHandler handler = fn->Owner->FindHandler(handlerName);
    if (!handler) {
        SetError(fpNoSuchFunction);
        return 0;
    }
    const long double v = handler(*this, args);
    return ErrorCode_ == 0 ? v : 0;
}

long double TFormulaParser::Nested(const std::string& text) {
    if (!Enter()) {
        Leave();
        return 0;
    }
    std::string storage;
    const std::ptrdiff_t outer = S_ - States_.data();
    States_.emplace_back();
    S_ = &States_.back();
    long double v = 0;
    if (StartText(text, storage)) v = Expression();
    States_.pop_back();
    S_ = States_.data() + outer;
    Leave();
    return ErrorCode_ == 0 ? v : 0;
}

long double TFormulaParser::Evaluate(const std::string& text) {
    ErrorCode_ = 0;
    Depth_ = 0;
    States_.assign(1, TFpState{});
    S_ = &States_.back();
    std::string storage;
    long double v = 0;
    if (StartText(text, storage)) v = Expression();
    States_.clear();
    S_ = nullptr;
    // Every caller stores the value as a double: anything beyond that range is refused.
    if (ErrorCode_ == 0 && !(std::fabs(v) <= static_cast<long double>(DBL_MAX)))
        SetError(fpOutOfRange);
    return ErrorCode_ == 0 ? v : 0;
}

long double TFormulaParser::EvaluateWithValues(const std::string& text, TFpValueTable* table) {
    if (text.empty()) {
        // Nothing to evaluate; the table stays as it is.
        ClearVariables();
        SetError(fpEmptyText);
        return 0;
    }
    std::string formula = text;
    if (table) {
        if (text.size() > kMaxScanLength) {
            ClearVariables();
            SetError(fpTextTooLong);
            return 0;
        }
        std::vector<std::size_t> found;
        const std::size_t n = text.size();
        char quote = 0; // the quote that opened the text argument being passed over
        for (std::size_t j = 0; j < n; ++j) {
            const char c = text[j];
            // Letters of a quoted text argument are its characters, not variables.
            if (quote) {
                if (c == quote) quote = 0;
                continue;
            }
            if (c == '\'' || c == '"') {
                quote = c;
                continue;
            }
            if (!IsAsciiLetter(c)) continue;
            // The exponent of 1E3, 1.5E3 and 1.E3.
            if ((c == 'E' || c == 'e') && j > 0 &&
                (IsDigit(text[j - 1]) || (text[j - 1] == '.' && j > 1 && IsDigit(text[j - 2]))))
                continue;
            if (j > 0 && IsAsciiLetter(text[j - 1])) continue;
            if (j + 1 < n && IsAsciiLetter(text[j + 1])) continue;
            found.push_back(j);
        }
        if (found.size() > kMaxVariables) {
            ClearVariables();
            SetError(fpTooManyVariables);
            return 0;
        }
        // Names are compared without regard to case, so each letter is looked up once.
        std::array<bool, 26> seen{};
        std::array<std::string, 26> value;
        for (std::size_t j : found) {
            const int k = Upper(text[j]) - 'A';
            if (seen[k]) continue;
            seen[k] = true;
            const std::string letter(1, text[j]);
            if (!table->FpHasName(letter)) table->FpAddName(letter);
        }
        for (int k = 0; k < 26; ++k)
            if (seen[k]) value[k] = table->FpGetValue(std::string(1, static_cast<char>('A' + k)));
        if (!found.empty()) {
            formula.clear();
            std::size_t from = 0;
            for (std::size_t j : found) {
                formula.append(text, from, j - from);
                formula += value[Upper(text[j]) - 'A'];
                from = j + 1;
                if (formula.size() > kMaxSubstituted) break;
            }
            formula.append(text, from, std::string::npos);
            if (formula.size() > kMaxSubstituted) {
                ClearVariables();
                SetError(fpTextTooLong);
                return 0;
            }
        }
    }
    SetFormula(formula);
    return Calculate();
}

// ---- one-shot helpers ----

long double Evaluate(const std::string& text, int& errorCode) {
    TFormulaParser parser;
    const long double v = parser.Evaluate(text);
    errorCode = parser.ErrorCode();
    return v;
}

long double Evaluate(const QString& text, int& errorCode) {
    return Evaluate(text.toStdString(), errorCode);
}

long double EvaluateWithValues(const std::string& text, TFpValueTable* values, int& errorCode) {
    TFormulaParser parser;
    const long double v = parser.EvaluateWithValues(text, values);
    errorCode = parser.ErrorCode();
    return v;
}

long double EvaluateWithValues(const QString& text, TFpValueTable* values, int& errorCode) {
    return EvaluateWithValues(text.toStdString(), values, errorCode);
}

QString MessageOf(int code) {
    for (const auto& m : kMessages)
        if (m.Code == code) return QString::fromUtf8(m.Text);
    return {};
}

} // namespace tubalon
