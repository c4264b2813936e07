// The formula evaluator: a recursive-descent reader that computes a formula text as it
// goes, in long double (x87 extended) throughout. Errors are codes, never exceptions.
//
// Quick use (the property library's way):
//
//     int code = 0;
//     long double v = tubalon::EvaluateWithValues(text, myValues, code);
//     if (code != 0) ... tubalon::MessageOf(code) ...
//
// A failed evaluation yields 0. Texts are bytes; QString texts are taken as UTF-8.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tubalon {

// Error codes of the evaluator; 15, 16 and 31 are unused.
enum TFpError : int {
    fpOk = 0,
    fpInvalidNumber = 1,
    fpUnknownFunction = 2,
    fpParentheses = 3,
    fpComplexPower = 4,
    fpTanUndefined = 5,
    fpEmptyText = 6,
    fpLogDomain = 7,
    fpSqrtDomain = 8,
    fpDivisionByZero = 9,
    fpTooManyFunctions = 10,
    fpOutOfRange = 11,
    fpBadFunctionName = 12,
    fpNotBoolean = 13,
    fpArgumentCount = 14,
    fpCscUndefined = 17,
    fpSecUndefined = 18,
    fpCotUndefined = 19,
    fpParameterTooLarge = 20,
    fpCschUndefined = 21,
    fpCothUndefined = 22,
    fpArccoshDomain = 23,
    fpArctanhDomain = 24,
    fpArccschDomain = 25,
    fpArcsechDomain = 26,
    fpArccothDomain = 27,
    fpAverageEmpty = 28,
    fpStdDevTooFew = 29,
    fpFunctionExists = 30,
    fpNotImplemented = 32,
    fpMissingQuote = 33,
    fpUnclosedQuote = 34,
    fpIfArguments = 35,
    fpIfCondition = 36,
    fpRndRange = 37,
    fpNoSuchFunction = 38,
    fpNoOwner = 39,
    // Our own: refused instead of cut or overflowing the stack.
    fpTextTooLong = 40,      // over 255 bytes for the variable scan, or over 4096 substituted
    fpTooManyVariables = 41, // over 100 variable occurrences
    fpNestingTooDeep = 42,   // nesting of parentheses, signs, calls or nested formulas
};

// Argument kinds of registered functions (the number after "=" in a Functions line).
enum TFpKind : int {
    fkNoArgs = 0,     // NAME or NAME()
    fkOneArg = 1,     // NAME(x)
    fkTwoArgs = 2,    // NAME(x, y)
    fkArgList = 3,    // NAME(x1, x2, ...), two or more
    fkOwnerFloat = 4, // NAME: the owner's named float "m" + NAME
    fkOwnerInt = 5,   // NAME: the owner's named integer "m" + NAME
    fkOwnerBool = 6,  // NAME: the owner's named boolean "m" + NAME, as 1 or 0
    fkOwnerText = 7,  // NAME: the owner's named text "m" + NAME, read as a nested formula
    fkOneText = 8,    // NAME('s')
    fkTwoTexts = 9,   // NAME('s1', 's2')
    fkTextList = 10,  // NAME('s1', 's2', ...), two or more
};

class TFormulaParser;

// What a handler receives: the numbers (kinds 1-3) or the texts (kinds 8-10).
struct TFpArgs {
    std::span<const long double> Numbers;
    std::span<const std::string> Texts;
};

using TFpHandler = long double (*)(TFormulaParser& parser, const TFpArgs& args);

// Supplier of functions: handlers and named values found by name, without regard to case.
// The evaluator asks by the handler name of the registration ("m" + NAME unless given),
// at each call.
class TFpOwner {
public:
    virtual ~TFpOwner() = default;
    virtual TFpHandler FindHandler(std::string_view name) const = 0;
    virtual bool NamedFloat(std::string_view name, long double& value) const { return false; }
    virtual bool NamedInt(std::string_view name, long long& value) const { return false; }
    virtual bool NamedBool(std::string_view name, bool& value) const { return false; }
    virtual bool NamedText(std::string_view name, std::string& value) const { return false; }
};

// The named-values table as the table-bound evaluation sees it (TMyValues implements it).
// Names and values are UTF-8; names are compared without regard to case.
class TFpValueTable {
public:
    virtual ~TFpValueTable() = default;
    virtual bool FpHasName(const std::string& name) const = 0;
    virtual std::string FpGetValue(const std::string& name) const = 0;
    // Adds a row with this name and empty value, unit and note.
    virtual void FpAddName(const std::string& name) = 0;
};

struct TFpUserReal {
    std::string Name;
    long double Value = 0;
};

struct TFpUserBool {
    std::string Name;
    bool Value = false;
};

class TBuildinFuncs;

class TFormulaParser {
public:
    // Registers the messages and the 52 built-ins, reseeds the random generator.
    TFormulaParser();
    ~TFormulaParser();
    TFormulaParser(const TFormulaParser&) = delete;
    TFormulaParser& operator=(const TFormulaParser&) = delete;

    // Registers NAME with its kind; errors 30 (exists) and 12 (bad character) go to ErrorCode.
    // The owner is asked for the handler (or named value) by handlerName, "m" + NAME when
    // none is given.
    void AddFunction(const TFpOwner* owner, const std::string& name, int kind,
                     const std::string& handlerName = {});
    void SetMessage(int code, const std::string& text);

    // The value of the text, or 0 with ErrorCode set.
    long double Evaluate(const std::string& text);
    void SetFormula(const std::string& text);
    long double Calculate();
    // Replaces each lone letter by its value text in the table (adding rows for unknown
    // letters), then evaluates. Without a table the text is evaluated as it is.
    long double EvaluateWithValues(const std::string& text, TFpValueTable* table);
    void ClearVariables();
    // Keeps the first error of an evaluation.
    void SetError(int code);

    int ErrorCode() const { return ErrorCode_; }
    const std::string& Formula() const { return Formula_; }
    // "code=message" lines and "NAME=kind" lines, in registration order.
    const std::vector<std::string>& Messages() const { return Messages_; }
    std::vector<std::string> Functions() const;
    // The message of a code from Messages; empty when there is none.
    std::string MessageOf(int code) const;

    // Named variables, looked up before functions: newest first, names compared exactly
    // with the upper-case name read from the text.
    void AddRealVariable(const std::string& name, long double value);
    void AddBoolVariable(const std::string& name, bool value);

    // Draws from the process-wide generator: [0, 1) and [0, n).
    static long double RandomUnit();
    static std::int64_t RandomBelow(std::int64_t n);

private:
    struct TFpState {
        const std::string* Text = nullptr; // ends with one NUL added by the parser
        std::size_t Pos = 0;               // counted from 1; 0 before the first step
        char Ch = 0;
    };
    struct TFpFunction {
        std::string Name;      // upper case
        std::size_t KeyLength; // the part before any "=", which lookups compare
        std::string Handler;
        int Kind = 0;
        const TFpOwner* Owner = nullptr;
    };

    explicit TFormulaParser(std::nullptr_t);
    static const TFormulaParser& Registry();

    void Advance();
    void Skip();
    bool StartText(const std::string& text, std::string& storage);
    long double Expression();
    long double Sum();
    long double Term();
    long double Power();
    long double Factor();
    long double Number();
    long double Name();
    long double FunctionCall(const std::string& name);
    bool TextArgument(std::string& out);
    long double Nested(const std::string& text);
    bool Enter();
    void Leave() { --Depth_; }

    int ErrorCode_ = 0;
    std::vector<std::string> Messages_;
    std::vector<int> MessageCodes_; // the code of each line of Messages_
    std::string Formula_ = "0";
    std::vector<TFpFunction> Functions_;
    std::vector<TFpState> States_;
    const TBuildinFuncs* Library_ = nullptr; // stateless, shared by all parsers
    std::vector<TFpUserReal> RealVariables_;
    std::vector<TFpUserBool> BoolVariables_;
    TFpState* S_ = nullptr; // top of States_
    int Depth_ = 0;
};

// One evaluation on a fresh parser, as the property library does it. errorCode receives
// the parser's code (0 when the value is sound).
long double Evaluate(const std::string& text, int& errorCode);
long double Evaluate(const QString& text, int& errorCode);
long double EvaluateWithValues(const std::string& text, TFpValueTable* values, int& errorCode);
long double EvaluateWithValues(const QString& text, TFpValueTable* values, int& errorCode);

// The fixed message of an error code ("结果正确" for 0); empty for an unknown code.
QString MessageOf(int code);

} // namespace tubalon
