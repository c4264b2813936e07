// The property library: an in-memory table of fluids kept in NO order, loaded whole from
// "PropLib.cds" and written whole on request.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace tubalon {

// The ten fields of a fluid, then four that say where its data hold: the temperature
// and pressure ranges, the phase and the saturation data (props/PropLimits.h).
constexpr int kPropBaseFieldCount = 10;
constexpr int kPropFieldCount = 14;
enum TPropFieldIndex : int {
    kFieldNO = 0,
    kFieldCN = 1,
    kFieldNT = 9,
    kFieldTR = 10, // "t1~t2", degC
    kFieldPR = 11, // "p1~p2", kPa
    kFieldPH = 12, // "液相" or "气相"
    kFieldVP = 13, // "IAPWS-IF97" or a table t,p;... (degC, kPa)
};

struct TPropField {
    const char* name;    // NO, CN, ...
    int width;           // GBK bytes
    const char* caption; // label of the field (UTF-8)
};

// NO, CN, EN, CP, MD, VI, TC, ST, HV, NT, TR, PR, PH, VP in this order.
const std::array<TPropField, kPropFieldCount>& PropFields();
// Index of a field by name without regard to case; -1 when there is none.
int PropFieldIndex(const QString& name);

// One record: every field is text or null (a null QString).
struct TPropRecord {
    std::array<QString, kPropFieldCount> f;

    bool IsNull(int i) const { return f[static_cast<size_t>(i)].isNull(); }
    const QString& Text(int i) const { return f[static_cast<size_t>(i)]; }
    // By name without regard to case; a field that does not exist reads as null.
    bool IsNull(const QString& name) const;
    QString Text(const QString& name) const;
    bool operator==(const TPropRecord& o) const = default;
};

enum class TPropState { Browse, Edit, Insert };

class TPropLib {
public:
    // Reads the whole file; the current record becomes the first. On failure the library is
    // closed and empty and Error "Cannot open file "%s". %s" is raised.
    void Load(const QString& path);
    // Writes the whole table atomically (temporary file in the same folder, then rename).
    // A failure raises Error and leaves the table and the old file as they were.
    void Save(const QString& path) const;
    // Opens an empty library (no file).
    void OpenEmpty();
    void Close();

    bool IsOpen() const { return open_; }
    // Raises Error when the library is closed.
    void CheckOpen() const;

    int Count() const { return static_cast<int>(rows_.size()); }
    const TPropRecord& Record(int i) const { return rows_.at(static_cast<size_t>(i)); }
    // -1 when the table is empty.
    int CurrentIndex() const { return rows_.empty() ? -1 : current_; }
    void SetCurrentIndex(int i);
    // The current record (the edit buffer while editing); nullptr when there is none.
    const TPropRecord* Current() const;

    void First();
    void Prior();
    void Next();
    void Last();
    bool Bof() const { return CurrentIndex() <= 0; }
    bool Eof() const { return CurrentIndex() < 0 || current_ >= Count() - 1; }

    // Editing: Insert starts a new empty record, Edit the current one; SetField changes the
    // buffer; Post stores it in NO order and makes it current (raising Error, still
    // editing, when its range, phase or saturation text cannot be read); Cancel drops it.
    TPropState State() const { return state_; }
    void Insert();
    void Edit();
    // Empty text stores null. Raises Error when the text is wider than the field.
    void SetField(int field, const QString& text);
    void Post();
    void Cancel();
    // Deletes the current record (cancels an edit first).
    void Delete();
    // Adds a record in NO order (loading, tests); it becomes current.
    void Append(const TPropRecord& r);

    // Raises Error when a field of r is wider than its width.
    static void CheckWidths(const TPropRecord& r);
    // CheckWidths, and Error when a range, phase or saturation text cannot be read.
    static void CheckRecord(const TPropRecord& r);
    // The file text of the table (UTF-8 JSON) and its reader.
    QByteArray ToText() const;
    static std::vector<TPropRecord> FromText(const QByteArray& text); // raises Error

    // Rows whose NO equals no (trimmed), in order.
    int FindNo(const QString& no) const;

private:
    int InsertSorted(const TPropRecord& r);

    std::vector<TPropRecord> rows_;
    int current_ = 0;
    bool open_ = false;
    TPropState state_ = TPropState::Browse;
    TPropRecord buffer_;
};

// The path of "PropLib.cds" in a program directory given with or without its separator.
QString PropLibPath(const QString& appDir);

} // namespace tubalon
