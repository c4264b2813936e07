#include "props/PropLib.h"

#include "props/PropLimits.h"

#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

// "PropLib.cds" is a UTF-8 JSON document:
//
//   {
//     "format": "Tubalon PropLib",
//     "version": 2,
//     "fields": [ {"name": "NO", "width": 6, "caption": "流水号"}, ... all ten, in order ],
//     "validityFields": [ {"name": "TR", "width": 30, "caption": "适用温度"}, ... four ],
//     "records": [ {"NO": "001", "CN": "水", "EN": "Water", "CP": "...", ...}, ... ]
//   }
//
// "fields" must list NO, CN, EN, CP, MD, VI, TC, ST, HV, NT in this order with their byte
// widths (GBK); "validityFields", when present, TR, PR, PH, VP. A record names the fields it
// holds, and a missing field or a JSON null is a null field. Every value is a string.
// Records are kept in file order within equal NO; the table sorts them by NO as text on
// reading. Unknown keys are ignored, so a version 1 file (without "validityFields") reads
// with empty ranges, and a program that knows only version 1 reads this file without them.

namespace tubalon {

namespace {

const std::array<TPropField, kPropFieldCount> kFields = {{
    {"NO", 6, "流水号"},
    {"CN", 20, "中文名"},
    {"EN", 20, "英文名"},
    {"CP", 300, "比热"},
    {"MD", 300, "密度"},
    {"VI", 300, "黏度"},
    {"TC", 300, "导热系数"},
    {"ST", 300, "表面张力"},
    {"HV", 300, "蒸发潜热"},
    {"NT", 100, "注释"},
    {"TR", 30, "适用温度"},
    {"PR", 30, "适用压力"},
    {"PH", 4, "相态"},
    {"VP", 300, "饱和压力"},
}};

const QString kFormat = QStringLiteral("Tubalon PropLib");
constexpr qint64 kMaxLibraryBytes = qint64(64) << 20;

// A JSON string literal of the text.
QByteArray JsonValueText(const QString& s) {
    return QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
}

QString NoKey(const TPropRecord& r) {
    return r.IsNull(0) ? QString("") : r.Text(0);
}

} // namespace

const std::array<TPropField, kPropFieldCount>& PropFields() {
    return kFields;
}

int PropFieldIndex(const QString& name) {
    for (int i = 0; i < kPropFieldCount; ++i)
        if (name.compare(QLatin1String(kFields[static_cast<size_t>(i)].name),
                         Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool TPropRecord::IsNull(const QString& name) const {
    const int i = PropFieldIndex(name);
    return i < 0 || IsNull(i);
}

QString TPropRecord::Text(const QString& name) const {
    const int i = PropFieldIndex(name);
    return i < 0 ? QString() : Text(i);
}

QString PropLibPath(const QString& appDir) {
    QString d = appDir;
    if (!d.isEmpty() && !d.endsWith('/') && !d.endsWith('\\')) d += '/';
    return d + QStringLiteral("PropLib.cds");
}

void TPropLib::CheckWidths(const TPropRecord& r) {
    for (int i = 0; i < kPropFieldCount; ++i) {
        const auto& fd = kFields[static_cast<size_t>(i)];
        if (!r.IsNull(i) && GbkByteLength(r.Text(i)) > fd.width)
            throw Error(QStringLiteral("“%1”（%2）超过 %3 字节：%4")
                            .arg(QString::fromUtf8(fd.caption), QLatin1String(fd.name))
                            .arg(fd.width)
                            .arg(r.Text(i)));
    }
}

void TPropLib::CheckRecord(const TPropRecord& r) {
    CheckWidths(r);
    CheckLimitTexts(r);
}

std::vector<TPropRecord> TPropLib::FromText(const QByteArray& text) {
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &pe);
    if (doc.isNull())
        throw Error(
            QStringLiteral("文件格式错误（第 %1 字节）：%2").arg(pe.offset).arg(pe.errorString()));
    const QJsonObject root = doc.object();
    if (!doc.isObject() || root.value("format").toString() != kFormat)
        throw Error(QStringLiteral("不是物性库文件。"));
    // The definitions of fields first..first+count-1, as an array value of the root.
    auto definitionsMatch = [&](const QJsonValue& v, int first, int count) {
        if (!v.isArray() || v.toArray().size() != count) return false;
        const QJsonArray defs = v.toArray();
        for (int i = 0; i < count; ++i) {
            const QJsonObject fo = defs[i].toObject();
            const auto& fd = kFields[static_cast<size_t>(first + i)];
            if (fo.value("name").toString() != QLatin1String(fd.name) ||
                fo.value("width").toInt(-1) != fd.width)
                return false;
        }
        return true;
    };
    const QJsonValue validity = root.value("validityFields");
    const bool hasValidity = !validity.isUndefined();
    if (!definitionsMatch(root.value("fields"), 0, kPropBaseFieldCount) ||
        (hasValidity &&
         !definitionsMatch(validity, kPropBaseFieldCount, kPropFieldCount - kPropBaseFieldCount)))
        throw Error(QStringLiteral("字段定义与本程序的物性库不符。"));
    if (!root.value("records").isArray()) throw Error(QStringLiteral("“records”不是记录的列表。"));
    const int fieldCount = hasValidity ? kPropFieldCount : kPropBaseFieldCount;
    std::vector<TPropRecord> out;
    const QJsonArray records = root.value("records").toArray();
    for (qsizetype k = 0; k < records.size(); ++k) {
        if (!records[k].isObject())
            throw Error(QStringLiteral("第 %1 条记录不是对象。").arg(k + 1));
        const QJsonObject ro = records[k].toObject();
        TPropRecord r;
        for (int i = 0; i < fieldCount; ++i) {
            const QJsonValue v = ro.value(QLatin1String(kFields[static_cast<size_t>(i)].name));
            if (v.isUndefined() || v.isNull()) continue;
            if (!v.isString())
                throw Error(QStringLiteral("第 %1 条记录的字段 %2 不是文本。")
                                .arg(k + 1)
                                .arg(QLatin1String(kFields[static_cast<size_t>(i)].name)));
            r.f[static_cast<size_t>(i)] = v.toString();
            if (r.f[static_cast<size_t>(i)].isNull()) r.f[static_cast<size_t>(i)] = QString("");
        }
        try {
            CheckRecord(r);
        } catch (const Error& e) {
            throw Error(QStringLiteral("第 %1 条记录：%2").arg(k + 1).arg(e.message()));
        }
        out.push_back(r);
    }
    return out;
}

QByteArray TPropLib::ToText() const {
    // Written by hand so that keys stay in field order, one field a line.
    QByteArray out = "{\n  \"format\": \"Tubalon PropLib\",\n  \"version\": 2,\n";
    auto definitions = [&](const char* key, int first, int end) {
        out += "  \"" + QByteArray(key) + "\": [\n";
        for (int i = first; i < end; ++i) {
            const auto& fd = kFields[static_cast<size_t>(i)];
            out += "    {\"name\": \"" + QByteArray(fd.name) +
                   "\", \"width\": " + QByteArray::number(fd.width) +
                   ", \"caption\": " + JsonValueText(QString::fromUtf8(fd.caption)) + "}";
            out += i + 1 < end ? ",\n" : "\n";
        }
        out += "  ],\n";
    };
    definitions("fields", 0, kPropBaseFieldCount);
    definitions("validityFields", kPropBaseFieldCount, kPropFieldCount);
    out += "  \"records\": [\n";
    for (size_t k = 0; k < rows_.size(); ++k) {
        const TPropRecord& r = rows_[k];
        out += "    {\n";
        for (int i = 0; i < kPropFieldCount; ++i) {
            out += "      \"" + QByteArray(kFields[static_cast<size_t>(i)].name) +
                   "\": " + (r.IsNull(i) ? QByteArray("null") : JsonValueText(r.Text(i)));
            out += i + 1 < kPropFieldCount ? ",\n" : "\n";
        }
        out += k + 1 < rows_.size() ? "    },\n" : "    }\n";
    }
    out += "  ]\n}\n";
    return out;
}

void TPropLib::Load(const QString& path) {
    Close();
    const QFileInfo info(path);
    const QString full = info.absoluteFilePath();
    auto refuse = [&](const QString& why) {
        return Error(
            QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(full), why));
    };
    // Only a regular file of bounded size is opened: a FIFO or a device would block the start
    // or never end, an oversized file would fill the memory.
    if (info.exists() && !info.isFile()) throw refuse(QStringLiteral("它不是普通文件。"));
    if (info.exists() && info.size() > kMaxLibraryBytes)
        throw refuse(
            QStringLiteral("文件大于 %1 MB，不是本程序的物性库。").arg(kMaxLibraryBytes >> 20));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw refuse(file.errorString());
    const QByteArray text = file.read(kMaxLibraryBytes + 1);
    if (text.size() > kMaxLibraryBytes)
        throw refuse(
            QStringLiteral("文件大于 %1 MB，不是本程序的物性库。").arg(kMaxLibraryBytes >> 20));
    std::vector<TPropRecord> records;
    try {
        records = FromText(text);
    } catch (const Error& e) {
        throw Error(QStringLiteral("Cannot open file \"%1\". %2")
                        .arg(QDir::toNativeSeparators(full), e.message()));
    }
    open_ = true;
    for (const TPropRecord& r : records)
        InsertSorted(r);
    current_ = 0;
}

void TPropLib::Save(const QString& path) const {
    CheckOpen();
    const QByteArray text = ToText();
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("无法写入物性库文件“%1”：%2")
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                             file.errorString()));
    if (file.write(text) != text.size() || !file.commit())
        throw Error(QStringLiteral("无法写入物性库文件“%1”：%2")
                        .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()),
                             file.errorString()));
}

void TPropLib::OpenEmpty() {
    Close();
    open_ = true;
}

void TPropLib::Close() {
    rows_.clear();
    current_ = 0;
    open_ = false;
    state_ = TPropState::Browse;
}

void TPropLib::CheckOpen() const {
    if (!open_) throw Error(QStringLiteral("物性库未打开，无法使用。"));
}

void TPropLib::SetCurrentIndex(int i) {
    if (rows_.empty()) return;
    current_ = std::clamp(i, 0, Count() - 1);
}

const TPropRecord* TPropLib::Current() const {
    if (state_ != TPropState::Browse) return &buffer_;
    if (!open_ || rows_.empty()) return nullptr;
    return &rows_[static_cast<size_t>(current_)];
}

void TPropLib::First() {
    SetCurrentIndex(0);
}
void TPropLib::Prior() {
    SetCurrentIndex(current_ - 1);
}
void TPropLib::Next() {
    SetCurrentIndex(current_ + 1);
}
void TPropLib::Last() {
    SetCurrentIndex(Count() - 1);
}

int TPropLib::InsertSorted(const TPropRecord& r) {
    const QString key = NoKey(r);
    auto it = std::upper_bound(
        rows_.begin(), rows_.end(), key,
        [](const QString& k, const TPropRecord& x) { return k.compare(NoKey(x)) < 0; });
    it = rows_.insert(it, r);
    return static_cast<int>(it - rows_.begin());
}

void TPropLib::Append(const TPropRecord& r) {
    CheckOpen();
    CheckRecord(r);
    current_ = InsertSorted(r);
}

void TPropLib::Insert() {
    CheckOpen();
    if (state_ != TPropState::Browse) Cancel();
    buffer_ = TPropRecord{};
    state_ = TPropState::Insert;
}

void TPropLib::Edit() {
    CheckOpen();
    if (state_ != TPropState::Browse) return;
    if (rows_.empty()) {
        Insert();
        return;
    }
    buffer_ = rows_[static_cast<size_t>(current_)];
    state_ = TPropState::Edit;
}

void TPropLib::SetField(int field, const QString& text) {
    CheckOpen();
    if (field < 0 || field >= kPropFieldCount) return;
    if (state_ == TPropState::Browse) Edit();
    TPropRecord r = buffer_;
    r.f[static_cast<size_t>(field)] = text.isEmpty() ? QString() : text;
    CheckWidths(r);
    buffer_ = r;
}

void TPropLib::Post() {
    if (state_ == TPropState::Browse) return;
    CheckLimitTexts(buffer_);
    if (state_ == TPropState::Edit) rows_.erase(rows_.begin() + current_);
    state_ = TPropState::Browse;
    current_ = InsertSorted(buffer_);
}

void TPropLib::Cancel() {
    state_ = TPropState::Browse;
}

void TPropLib::Delete() {
    CheckOpen();
    if (state_ != TPropState::Browse) {
        const bool inserting = state_ == TPropState::Insert;
        Cancel();
        if (inserting) return;
    }
    if (rows_.empty()) return;
    rows_.erase(rows_.begin() + current_);
    SetCurrentIndex(current_);
}

int TPropLib::FindNo(const QString& no) const {
    const QString key = no.trimmed();
    for (int i = 0; i < Count(); ++i)
        if (!rows_[static_cast<size_t>(i)].IsNull(0) &&
            rows_[static_cast<size_t>(i)].Text(0).trimmed() == key)
            return i;
    return -1;
}

} // namespace tubalon
