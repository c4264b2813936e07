#include "docs/SaveFormData.h"

#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <QTextEdit>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

namespace tubalon {
namespace {

const QChar kLineMark(0x25B3); // "△", GBK A1 F7: starts each line of a note
const QChar kJoinMark(0x25B2); // "▲", GBK A1 F8: joins lines and list items

// Longest line the reader takes; a one-line note of this size is already far beyond use.
constexpr qsizetype kMaxLineChars = 256 * 1024;

// The control classes the format knows, by exact class name.
enum class WClass { None, Edit, EditD, Label, Combo, RadioGroup, Check, Radio, Memo, Rich, List };

WClass ClassOf(const QWidget* w) {
    static const QHash<QByteArray, WClass> table = {
        {"QLineEdit", WClass::Edit},
        {"tubalon::TEditD", WClass::EditD},
        {"QLabel", WClass::Label},
        {"QComboBox", WClass::Combo},
        {"tubalon::TComboBoxU", WClass::Combo},
        {"tubalon::TRadioGroup", WClass::RadioGroup},
        {"QCheckBox", WClass::Check},
        {"QRadioButton", WClass::Radio},
        {"QPlainTextEdit", WClass::Memo},
        {"tubalon::TRichEdit", WClass::Rich},
        {"QListWidget", WClass::List},
    };
    return table.value(QByteArray(w->metaObject()->className()), WClass::None);
}

// Property types, and the type each record kind requires.
enum class PType { None, String, Float, Int, Bool, Lines, Items };

PType KindType(QStringView kind) {
    if (kind == u"String") return PType::String;
    if (kind == u"Float") return PType::Float;
    if (kind == u"Ord") return PType::Int;
    if (kind == u"Enum") return PType::Bool;
    if (kind == u"Memo" || kind == u"Rich") return PType::Lines;
    if (kind == u"CheckListBox") return PType::Items;
    return PType::None;
}

enum class Prop {
    None,
    Enabled,
    Text,
    ReadOnly,
    Color,
    Exchange,
    Caption,
    ItemIndex,
    Checked,
    Lines,
    Items
};

Prop PropOf(QStringView name) {
    static const std::pair<const char16_t*, Prop> names[] = {
        {u"Enabled", Prop::Enabled},     {u"Text", Prop::Text},
        {u"ReadOnly", Prop::ReadOnly},   {u"Color", Prop::Color},
        {u"Exchange", Prop::Exchange},   {u"Caption", Prop::Caption},
        {u"ItemIndex", Prop::ItemIndex}, {u"Checked", Prop::Checked},
        {u"Lines", Prop::Lines},         {u"Items", Prop::Items},
    };
    for (const auto& [n, p] : names)
        if (name.compare(QStringView(n), Qt::CaseInsensitive) == 0) return p;
    return Prop::None;
}

// The type of a property on a class, None when the class does not have it.
PType TypeOf(WClass c, Prop p) {
    const bool edit = c == WClass::Edit || c == WClass::EditD;
    const bool text = c == WClass::Memo || c == WClass::Rich;
    switch (p) {
    case Prop::Enabled:
        return PType::Bool;
    case Prop::Text:
        return edit ? PType::String : PType::None;
    case Prop::ReadOnly:
        return edit || text ? PType::Bool : PType::None;
    case Prop::Color:
        return edit || text ? PType::Int : PType::None;
    case Prop::Exchange:
        return c == WClass::EditD ? PType::Float : PType::None;
    case Prop::Caption:
        return c == WClass::Label || c == WClass::Check || c == WClass::Radio ||
                       c == WClass::RadioGroup
                   ? PType::String
                   : PType::None;
    case Prop::ItemIndex:
        return c == WClass::Combo || c == WClass::RadioGroup ? PType::Int : PType::None;
    case Prop::Checked:
        return c == WClass::Check || c == WClass::Radio ? PType::Bool : PType::None;
    case Prop::Lines:
        return text ? PType::Lines : PType::None;
    case Prop::Items:
        return c == WClass::List ? PType::Items : PType::None;
    case Prop::None:
        break;
    }
    return PType::None;
}

// ---- writing ----

// Control characters would break the line structure; they become blanks.
QString OneLine(const QString& s) {
    QString out = s;
    for (QChar& ch : out)
        if (ch.unicode() < 0x20 && ch != QChar('\t')) ch = QChar(' ');
    return out;
}

QString TrimRight(QStringView s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1].unicode() <= 0x20)
        --n;
    return s.first(n).toString();
}

// Lines of a plain text as a list of strings holds them: a final line end adds no line.
QStringList TextLines(const QString& text) {
    if (text.isEmpty()) return {};
    QStringList lines = text.split(QChar('\n'));
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QString EncodeLines(const QString& text) {
    QString out;
    const QStringList lines = TextLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0) out += kJoinMark;
        out += kLineMark;
        out += OneLine(TrimRight(lines[i]));
    }
    return out;
}

QString EncodeItems(const QListWidget* list) {
    QString out;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem* item = list->item(i);
        out += OneLine(item->text().trimmed());
        out += kJoinMark;
        const Qt::CheckState s = item->checkState();
        out += QChar(s == Qt::Checked ? '1' : s == Qt::PartiallyChecked ? '2' : '0');
        out += kJoinMark;
    }
    if (!out.isEmpty()) out.chop(1);
    return out;
}

QString BoolText(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

// The control's own enabled flag, not the one inherited from its parents.
bool OwnEnabled(const QWidget* w) {
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

class RecordWriter {
public:
    void Line(const QString& s) {
        out_ += s;
        out_ += QLatin1String("\r\n");
    }
    void Record(const QString& name, const char* kind, const char* prop, const QString& value) {
        Line(name);
        Line(QLatin1String(kind));
        Line(QLatin1String(prop));
        Line(value);
        Line(QString());
    }
    const QString& Text() const { return out_; }
    void Reserve(qsizetype n) { out_.reserve(n); }

private:
    QString out_;
};

void WriteEdit(RecordWriter& w, const QString& name, const QLineEdit* e) {
    w.Record(name, "String", "Text", OneLine(e->text()));
    w.Record(name, "Enum", "Enabled", BoolText(OwnEnabled(e)));
    w.Record(name, "Enum", "ReadOnly", BoolText(e->isReadOnly()));
    w.Record(name, "Ord", "Color", QString::number(ColorOf(e)));
}

void WriteComponent(RecordWriter& w, QWidget* c, bool captions) {
    const QString name = c->objectName();
    switch (ClassOf(c)) {
    case WClass::EditD: {
        auto* e = static_cast<TEditD*>(c);
        w.Record(name, "Float", "Exchange", FormatFloat15(e->Exchange()));
        WriteEdit(w, name, e);
        break;
    }
    case WClass::Edit:
        WriteEdit(w, name, static_cast<QLineEdit*>(c));
        break;
    case WClass::Label:
        if (captions) w.Record(name, "String", "Caption", OneLine(static_cast<QLabel*>(c)->text()));
        break;
    case WClass::Combo:
        w.Record(name, "Ord", "ItemIndex",
                 QString::number(static_cast<QComboBox*>(c)->currentIndex()));
        break;
    case WClass::RadioGroup:
        w.Record(name, "Ord", "ItemIndex",
                 QString::number(static_cast<TRadioGroup*>(c)->ItemIndex()));
        break;
    case WClass::Check:
    case WClass::Radio:
        w.Record(name, "Enum", "Checked", BoolText(static_cast<QAbstractButton*>(c)->isChecked()));
        break;
    case WClass::Memo:
        w.Record(name, "Memo", "Lines",
                 EncodeLines(static_cast<QPlainTextEdit*>(c)->toPlainText()));
        break;
    case WClass::Rich:
        w.Record(name, "Rich", "Lines", EncodeLines(static_cast<QTextEdit*>(c)->toPlainText()));
        break;
    case WClass::List:
        w.Record(name, "CheckListBox", "Items", EncodeItems(static_cast<QListWidget*>(c)));
        break;
    case WClass::None:
        break;
    }
}

// ---- reading ----

QString Where(const QString& source) {
    return source.isEmpty() ? QStringLiteral("项目文件") : QStringLiteral("文件“%1”").arg(source);
}

[[noreturn]] void Damaged(const QString& source, int line, const QString& what) {
    throw Error(QStringLiteral("%1已损坏：第%2行%3。").arg(Where(source)).arg(line).arg(what));
}

[[noreturn]] void IndexError(qint64 i) {
    throw Error(QStringLiteral("List index out of bounds (%1)").arg(i));
}

int ToInt(QStringView v) {
    // Optional blanks, sign and decimal digits, within 32 bits.
    qsizetype i = 0;
    while (i < v.size() && v[i] == QChar(' '))
        ++i;
    bool neg = false;
    if (i < v.size() && (v[i] == QChar('+') || v[i] == QChar('-'))) neg = v[i++] == QChar('-');
    const qsizetype digits = i;
    qint64 n = 0;
    for (; i < v.size(); ++i) {
        const char16_t ch = v[i].unicode();
        if (ch < u'0' || ch > u'9' || n > 0x80000000LL) break;
        n = n * 10 + (ch - u'0');
    }
    if (i == digits || i != v.size() || n > (neg ? 0x80000000LL : 0x7FFFFFFFLL))
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(v));
    return static_cast<int>(neg ? -n : n);
}

bool ToBool(QStringView v) {
    if (v.compare(u"True", Qt::CaseInsensitive) == 0) return true;
    if (v.compare(u"False", Qt::CaseInsensitive) == 0) return false;
    throw Error(QStringLiteral("Invalid property element: %1").arg(v));
}

double ToFactor(QStringView v) {
    const double x = StrToFloat(v.toString());
    if (!(x > 0) || !std::isfinite(x))
        throw Error(QStringLiteral("单位换算系数“%1”无效，必须是正数。").arg(v));
    return x;
}

QString DecodeLines(QStringView v) {
    QString s = v.toString();
    s.replace(kJoinMark, QChar('\n'));
    s.remove(kLineMark);
    return s;
}

void SetIndex(QWidget* c, WClass cls, int v) {
    if (cls == WClass::RadioGroup) {
        auto* g = static_cast<TRadioGroup*>(c);
        if (v < -1 || v >= g->Items().size()) IndexError(v);
        if (g->ItemIndex() == v) return;
        g->SetItemIndex(v);
        emit g->Clicked(); // a changed index reacts as a click
        return;
    }
    auto* box = static_cast<QComboBox*>(c);
    if (v < -1 || v >= box->count()) IndexError(v);
    box->setCurrentIndex(v);
}

void SetChecked(QWidget* c, bool v) {
    auto* b = static_cast<QAbstractButton*>(c);
    if (b->isChecked() == v) return;
    b->setChecked(v);
    emit b->clicked(v); // a changed tick reacts as a click
}

void SetItems(QListWidget* list, QStringView value) {
    QString rest = value.toString();
    for (int index = 0;; ++index) {
        const qsizetype k = rest.indexOf(kJoinMark);
        if (k < 0) break;
        if (index >= list->count()) IndexError(index);
        QListWidgetItem* item = list->item(index);
        item->setText(rest.left(k));
        const bool checked = k + 1 < rest.size() && rest[k + 1] == QChar('1');
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        rest = rest.mid(k + 3, 4096);
    }
}

void Apply(QWidget* c, WClass cls, PType kind, Prop prop, QStringView value) {
    switch (prop) {
    case Prop::Enabled:
        c->setEnabled(ToBool(value));
        break;
    case Prop::ReadOnly:
        if (cls == WClass::Memo)
            static_cast<QPlainTextEdit*>(c)->setReadOnly(ToBool(value));
        else if (cls == WClass::Rich)
            static_cast<QTextEdit*>(c)->setReadOnly(ToBool(value));
        else
            static_cast<QLineEdit*>(c)->setReadOnly(ToBool(value));
        break;
    case Prop::Color:
        SetColorOf(c, ToInt(value));
        break;
    case Prop::Text:
        static_cast<QLineEdit*>(c)->setText(value.toString());
        break;
    case Prop::Exchange:
        static_cast<TEditD*>(c)->SetExchange(ToFactor(value));
        break;
    case Prop::Caption:
        if (cls == WClass::Label)
            static_cast<QLabel*>(c)->setText(value.toString());
        else if (cls == WClass::RadioGroup)
            static_cast<TRadioGroup*>(c)->setTitle(value.toString());
        else
            static_cast<QAbstractButton*>(c)->setText(value.toString());
        break;
    case Prop::ItemIndex:
        SetIndex(c, cls, ToInt(value));
        break;
    case Prop::Checked:
        SetChecked(c, ToBool(value));
        break;
    case Prop::Lines:
        if (cls == WClass::Memo)
            static_cast<QPlainTextEdit*>(c)->setPlainText(DecodeLines(value));
        else
            static_cast<QTextEdit*>(c)->setPlainText(DecodeLines(value));
        break;
    case Prop::Items:
        SetItems(static_cast<QListWidget*>(c), value);
        break;
    case Prop::None:
        break;
    }
    (void)kind;
}

// Splits the decoded text into lines ended by CR LF, LF or CR.
class LineReader {
public:
    explicit LineReader(const QString& text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    int LineNo() const { return line_; }
    // False at the end of the text.
    bool Next(QStringView& out) {
        if (AtEnd()) return false;
        const qsizetype start = pos_;
        const qsizetype n = text_.size();
        const QChar* d = text_.constData();
        while (pos_ < n && d[pos_] != QChar('\r') && d[pos_] != QChar('\n'))
            ++pos_;
        out = QStringView(text_).sliced(start, pos_ - start);
        EndLine();
        return true;
    }
    void SkipBlank() {
        const qsizetype n = text_.size();
        const QChar* d = text_.constData();
        while (pos_ < n) {
            const QChar ch = d[pos_];
            if (ch == QChar(' ') || ch == QChar('\t'))
                ++pos_;
            else if (ch == QChar('\r') || ch == QChar('\n'))
                EndLine();
            else
                break;
        }
    }

private:
    void EndLine() {
        if (pos_ < text_.size() && text_[pos_] == QChar('\r')) {
            ++pos_;
            if (pos_ < text_.size() && text_[pos_] == QChar('\n')) ++pos_;
        } else if (pos_ < text_.size() && text_[pos_] == QChar('\n')) {
            ++pos_;
        }
        ++line_;
    }

    const QString& text_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

struct Record {
    QStringView name, kind, prop, value;
    int line;
};

bool StartsWithBanner(const QByteArray& data) {
    const qsizetype n = static_cast<qsizetype>(std::strlen(kFormRecordBanner));
    if (data.size() < n || std::memcmp(data.constData(), kFormRecordBanner, n) != 0) return false;
    return data.size() == n || data[n] == '\r' || data[n] == '\n';
}

// Control bytes other than tab and line ends mark a binary or damaged file.
void CheckText(const QByteArray& data, const QString& source) {
    int line = 1;
    for (const char ch : data) {
        const auto b = static_cast<unsigned char>(ch);
        if (b == '\n') ++line;
        if (b < 0x20 && b != '\t' && b != '\r' && b != '\n')
            Damaged(source, line, QStringLiteral("含有控制字符，不是文本"));
    }
}

} // namespace

QList<QWidget*> CollectComponents(const QWidget* root) {
    QList<QWidget*> out;
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    for (QWidget* w : all) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) out.append(w);
    }
    return out;
}

QByteArray WriteFormRecords(const QList<QWidget*>& components, bool captions,
                            const QStringList& excluded) {
    RecordWriter w;
    w.Reserve(components.size() * 60 + 64);
    w.Line(QLatin1String(kFormRecordBanner));
    w.Line(QLatin1String(kFormRecordVersion));
    w.Line(QString());
    for (QWidget* c : components) {
        if (!c || excluded.contains(c->objectName(), Qt::CaseInsensitive)) continue;
        WriteComponent(w, c, captions);
    }
    QStringEncoder enc("GBK");
    return enc.encode(w.Text());
}

bool ReadFormRecords(const QList<QWidget*>& components, const QByteArray& data,
                     const QString& source) {
    if (!StartsWithBanner(data)) return false;
    if (data.size() > kMaxFormRecordBytes)
        throw Error(QStringLiteral("%1太大（超过8 MB），不是有效的项目文件。").arg(Where(source)));
    CheckText(data, source);

    QStringDecoder dec("GBK");
    const QString text = dec.decode(data);
    LineReader in(text);
    QStringView line;
    in.Next(line); // banner
    in.Next(line); // version, not checked
    in.Next(line); // empty

    // The whole structure is checked before anything is applied.
    std::vector<Record> records;
    for (;;) {
        in.SkipBlank();
        if (in.AtEnd()) break;
        Record r;
        r.line = in.LineNo();
        QStringView* parts[] = {&r.name, &r.kind, &r.prop, &r.value};
        for (QStringView* p : parts) {
            if (!in.Next(*p)) Damaged(source, r.line, QStringLiteral("起的记录不完整"));
            if (p->size() > kMaxLineChars) Damaged(source, in.LineNo() - 1, QStringLiteral("太长"));
        }
        in.Next(line); // the record's empty line, whatever it holds
        records.push_back(r);
    }

    QHash<QString, QWidget*> byName;
    byName.reserve(components.size());
    for (QWidget* c : components) {
        if (!c) continue;
        const QString key = c->objectName().toLower();
        if (!key.isEmpty() && !byName.contains(key)) byName.insert(key, c);
    }

    for (const Record& r : records) {
        QWidget* c = byName.value(r.name.toString().toLower());
        if (!c) continue;
        const PType kind = KindType(r.kind);
        if (kind == PType::None) continue;
        const WClass cls = ClassOf(c);
        const Prop prop = PropOf(r.prop);
        if (TypeOf(cls, prop) != kind) continue;
        Apply(c, cls, kind, prop, r.value);
    }
    return true;
}

namespace {

[[noreturn]] void CannotCreate(const QString& fileName, const QString& why) {
    throw Error(QStringLiteral("Cannot create file \"%1\". %2")
                    .arg(QDir::toNativeSeparators(fileName), why));
}

// Writes a temporary file beside the target and renames it over the target once complete,
// so the target holds either its old or its new content, never a part of it.
void ReplaceFile(const QString& fileName, const QByteArray& bytes) {
    QFileInfo info(fileName);
    if (info.isSymLink()) info = QFileInfo(info.symLinkTarget());
    if (info.isDir()) CannotCreate(fileName, QStringLiteral("Is a directory"));
    if (!info.absoluteDir().exists()) CannotCreate(fileName, QStringLiteral("No such directory"));
    QTemporaryFile tmp(info.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!tmp.open()) CannotCreate(fileName, tmp.errorString());
    if (tmp.write(bytes) != bytes.size() || !tmp.flush()) CannotCreate(fileName, tmp.errorString());
    tmp.setPermissions(info.exists() ? info.permissions()
                                     : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
    tmp.close();
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(tmp.fileName()).toStdString(),
                            QFile::encodeName(info.absoluteFilePath()).toStdString(), ec);
    if (ec) CannotCreate(fileName, QString::fromStdString(ec.message()));
    tmp.setAutoRemove(false);
}

} // namespace

void SaveFormRecords(const QList<QWidget*>& components, const QString& fileName, bool captions,
                     const QStringList& excluded) {
    ReplaceFile(fileName, WriteFormRecords(components, captions, excluded));
}

void SaveFormRecords(const QWidget* window, const QString& fileName, bool captions,
                     const QStringList& excluded) {
    SaveFormRecords(CollectComponents(window), fileName, captions, excluded);
}

bool LoadFormRecords(const QList<QWidget*>& components, const QString& fileName) {
    const QFileInfo info(fileName);
    if (fileName.isEmpty() || !info.exists()) return false;
    QFile f(fileName);
    if (info.isDir() || !f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2")
                        .arg(QDir::toNativeSeparators(fileName),
                             info.isDir() ? QStringLiteral("Is a directory") : f.errorString()));
    // One byte past the limit is enough to tell a file that is too large.
    const QByteArray data = f.read(kMaxFormRecordBytes + 1);
    if (f.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Cannot read file \"%1\". %2")
                        .arg(QDir::toNativeSeparators(fileName), f.errorString()));
    f.close();
    return ReadFormRecords(components, data, QDir::toNativeSeparators(fileName));
}

bool LoadFormRecords(const QWidget* window, const QString& fileName) {
    return LoadFormRecords(CollectComponents(window), fileName);
}

} // namespace tubalon
