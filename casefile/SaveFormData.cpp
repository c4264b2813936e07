#include "casefile/SaveFormData.h"

#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"
#include "units/TextFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSaveFile>
#include <QStringEncoder>
#include <QTextEdit>
#include <QWidget>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

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

// A record as read: its four lines and the line of its name.
struct Record {
    QStringView name, kind, prop, value;
    int line;
};

// A record checked against its control, with its value converted.
struct Staged {
    QPointer<QWidget> c;
    WClass cls;
    Prop prop;
    QString text;
    int number = 0;
    bool flag = false;
    double factor = 1;
};

class Damage {
public:
    explicit Damage(const QString& source) : source_(source) {}
    [[noreturn]] void At(int line, const QString& what) const {
        const QString where = source_.isEmpty() ? QString() : source_ + QChar(' ');
        throw Error(
            QStringLiteral("项目文件已损坏：%1第%2行：%3。").arg(where).arg(line).arg(what));
    }

private:
    QString source_;
};

// A control as messages name it: its caption, and the group it sits in when that tells two
// equal captions apart.
QString CaptionOf(const QWidget* c) {
    QString caption;
    if (auto* f = qobject_cast<const TEditD*>(c))
        caption = f->Caption();
    else if (auto* g = qobject_cast<const TRadioGroup*>(c))
        caption = g->title();
    else if (auto* b = qobject_cast<const QAbstractButton*>(c))
        caption = b->text();
    else if (const QString n = c->objectName(); n.size() > 1 && c->window())
        if (auto* l = c->window()->findChild<QLabel*>(n.left(n.size() - 1) + QChar('L')))
            caption = l->text();
    caption.remove(QChar('&'));
    if (caption.isEmpty()) return c->objectName();
    for (const QWidget* p = c->parentWidget(); p; p = p->parentWidget())
        if (auto* box = qobject_cast<const QGroupBox*>(p); box && box != c)
            return QStringLiteral("%1（%2）").arg(caption, box->title());
    return caption;
}

bool IsIdentifier(QStringView s) {
    if (s.isEmpty() || s.size() > 256) return false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t ch = s[i].unicode();
        const bool letter = (ch >= u'A' && ch <= u'Z') || (ch >= u'a' && ch <= u'z') || ch == u'_';
        const bool digit = ch >= u'0' && ch <= u'9';
        if (!letter && !(digit && i > 0)) return false;
    }
    return true;
}

bool IsBlank(QStringView s) {
    for (const QChar ch : s)
        if (ch != QChar(' ') && ch != QChar('\t')) return false;
    return true;
}

bool ToInt(QStringView v, int& out) {
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
    if (i == digits || i != v.size() || n > (neg ? 0x80000000LL : 0x7FFFFFFFLL)) return false;
    out = static_cast<int>(neg ? -n : n);
    return true;
}

bool ToBool(QStringView v, bool& out) {
    if (v.compare(u"True", Qt::CaseInsensitive) == 0) return out = true, true;
    if (v.compare(u"False", Qt::CaseInsensitive) == 0) return out = false, true;
    return false;
}

QString DecodeLines(QStringView v) {
    QString s = v.toString();
    s.replace(kJoinMark, QChar('\n'));
    s.remove(kLineMark);
    return s;
}

// Positions of a list control: the item count.
int CountOf(const QWidget* c, WClass cls) {
    if (cls == WClass::RadioGroup)
        return static_cast<int>(static_cast<const TRadioGroup*>(c)->Items().size());
    return static_cast<const QComboBox*>(c)->count();
}

// Items a check-list value holds ("a▲1▲b▲0" holds two).
int ItemsIn(QStringView value) {
    int n = 0;
    QString rest = value.toString();
    for (;;) {
        const qsizetype k = rest.indexOf(kJoinMark);
        if (k < 0) break;
        ++n;
        rest = rest.mid(k + 3, 4096);
    }
    return n;
}

// Converts and checks a record's value for its control; the value's line names a fault.
Staged Check(const Damage& damage, const Record& r, QWidget* c, WClass cls, Prop prop) {
    Staged s{c, cls, prop, QString(), 0, false, 1};
    const int line = r.line + 3;
    // The control as messages name it, looked up only for a message.
    const auto what = [&] { return CaptionOf(c) + QChar(' ') + r.prop.toString(); };
    switch (TypeOf(cls, prop)) {
    case PType::Int:
        if (!ToInt(r.value, s.number))
            damage.At(line, QStringLiteral("%1 的值“%2”不是有效的整数").arg(what(), r.value));
        if (prop == Prop::ItemIndex) {
            // -1 (no choice) only for a list without items: every list of a case has a choice.
            const int n = CountOf(c, cls);
            if (s.number < (n == 0 ? -1 : 0) || s.number >= std::max(n, 0))
                damage.At(line, QStringLiteral("%1 的值 %2 超出范围 0～%3")
                                    .arg(what())
                                    .arg(s.number)
                                    .arg(n - 1));
        }
        break;
    case PType::Bool:
        if (!ToBool(r.value, s.flag))
            damage.At(line, QStringLiteral("%1 的值“%2”不是 True 或 False").arg(what(), r.value));
        break;
    case PType::Float: {
        long double x = 0;
        const bool number = TryParseNumber(TrimText(r.value.toString()), x);
        s.factor = static_cast<double>(x);
        if (!number || !std::isfinite(s.factor))
            damage.At(line, QStringLiteral("%1 的值“%2”不是有效的数字").arg(what(), r.value));
        if (!(s.factor > 0))
            damage.At(line, QStringLiteral("%1 的值“%2”不是有效的单位换算系数（必须是正数）")
                                .arg(what(), r.value));
        break;
    }
    case PType::Items: {
        const int n = static_cast<const QListWidget*>(c)->count();
        if (ItemsIn(r.value) > n)
            damage.At(line, QStringLiteral("%1 的项目多于列表的 %2 项").arg(CaptionOf(c)).arg(n));
        s.text = r.value.toString();
        break;
    }
    case PType::Lines:
        s.text = DecodeLines(r.value);
        break;
    case PType::String:
        s.text = r.value.toString();
        break;
    case PType::None:
        break;
    }
    return s;
}

void SetItems(QListWidget* list, const QString& value) {
    QString rest = value;
    for (int index = 0; index < list->count(); ++index) {
        const qsizetype k = rest.indexOf(kJoinMark);
        if (k < 0) break;
        QListWidgetItem* item = list->item(index);
        item->setText(rest.left(k));
        const bool checked = k + 1 < rest.size() && rest[k + 1] == QChar('1');
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        rest = rest.mid(k + 3, 4096);
    }
}

// Assigns through the controls' setters, so that they react as to any other assignment.
void Apply(const Staged& s) {
    QWidget* c = s.c;
    if (!c) return;
    switch (s.prop) {
    case Prop::Enabled:
        c->setEnabled(s.flag);
        break;
    case Prop::ReadOnly:
        if (s.cls == WClass::Memo)
            static_cast<QPlainTextEdit*>(c)->setReadOnly(s.flag);
        else if (s.cls == WClass::Rich)
            static_cast<QTextEdit*>(c)->setReadOnly(s.flag);
        else
            static_cast<QLineEdit*>(c)->setReadOnly(s.flag);
        break;
    case Prop::Color:
        SetColorOf(c, s.number);
        break;
    case Prop::Text:
        static_cast<QLineEdit*>(c)->setText(s.text);
        break;
    case Prop::Exchange:
        static_cast<TEditD*>(c)->SetExchange(s.factor);
        break;
    case Prop::Caption:
        if (s.cls == WClass::Label)
            static_cast<QLabel*>(c)->setText(s.text);
        else if (s.cls == WClass::RadioGroup)
            static_cast<TRadioGroup*>(c)->setTitle(s.text);
        else
            static_cast<QAbstractButton*>(c)->setText(s.text);
        break;
    case Prop::ItemIndex:
        if (s.cls == WClass::RadioGroup) {
            auto* g = static_cast<TRadioGroup*>(c);
            if (g->ItemIndex() == s.number) break;
            g->SetItemIndex(s.number);
            emit g->Clicked(); // a changed index reacts as a click
        } else {
            static_cast<QComboBox*>(c)->setCurrentIndex(s.number);
        }
        break;
    case Prop::Checked: {
        auto* b = static_cast<QAbstractButton*>(c);
        if (b->isChecked() == s.flag) break;
        b->setChecked(s.flag);
        emit b->clicked(s.flag); // a changed tick reacts as a click
        break;
    }
    case Prop::Lines:
        if (s.cls == WClass::Memo)
            static_cast<QPlainTextEdit*>(c)->setPlainText(s.text);
        else
            static_cast<QTextEdit*>(c)->setPlainText(s.text);
        break;
    case Prop::Items:
        SetItems(static_cast<QListWidget*>(c), s.text);
        break;
    case Prop::None:
        break;
    }
}

const char16_t* LineEndName(int style) {
    return style == 0 ? u"CR LF" : style == 1 ? u"LF" : u"CR";
}

// Splits the decoded text into lines ended by CR LF, LF or CR, one of them throughout.
class LineReader {
public:
    LineReader(const QString& text, const Damage& damage) : text_(text), damage_(damage) {}
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
        int style = -1;
        if (pos_ < text_.size() && text_[pos_] == QChar('\r')) {
            ++pos_;
            style = 2;
            if (pos_ < text_.size() && text_[pos_] == QChar('\n')) ++pos_, style = 0;
        } else if (pos_ < text_.size() && text_[pos_] == QChar('\n')) {
            ++pos_;
            style = 1;
        }
        if (style >= 0) {
            if (style_ < 0) style_ = style;
            if (style != style_)
                damage_.At(line_, QStringLiteral("行尾是 %1，与前面各行的 %2 不同")
                                      .arg(QStringView(LineEndName(style)))
                                      .arg(QStringView(LineEndName(style_))));
        }
        ++line_;
    }

    const QString& text_;
    const Damage& damage_;
    qsizetype pos_ = 0;
    int line_ = 1;
    int style_ = -1;
};

bool StartsWithBanner(QByteArrayView data) {
    const qsizetype n = static_cast<qsizetype>(std::strlen(kFormRecordBanner));
    if (data.size() < n || std::memcmp(data.data(), kFormRecordBanner, n) != 0) return false;
    return data.size() == n || data[n] == '\r' || data[n] == '\n';
}

QByteArrayView WithoutBom(const QByteArray& data) {
    return data.startsWith("\xEF\xBB\xBF") ? QByteArrayView(data).sliced(3) : QByteArrayView(data);
}

} // namespace

struct TStagedRecords::Items {
    std::vector<Staged> list;
};

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
    if (FirstNonGbk(w.Text()) >= 0) {
        // Refused before anything is written: GBK would turn the character into "?".
        for (QWidget* c : components) {
            if (!c || excluded.contains(c->objectName(), Qt::CaseInsensitive)) continue;
            RecordWriter one;
            WriteComponent(one, c, captions);
            const qsizetype at = FirstNonGbk(one.Text());
            if (at < 0) continue;
            throw Error(QStringLiteral("无法保存：%1中的字符%2不能以 GBK 编码保存，"
                                       "请删去或换掉这个字符。")
                            .arg(CaptionOf(c), DescribeChar(one.Text(), at)));
        }
    }
    QStringEncoder enc("GBK");
    return enc.encode(w.Text());
}

std::optional<TStagedRecords> StageFormRecords(const QList<QWidget*>& components,
                                               const QByteArray& data, const QString& source) {
    const QByteArrayView body = WithoutBom(data);
    if (!StartsWithBanner(body)) return std::nullopt;
    if (data.size() > kMaxFormRecordBytes)
        throw Error(QStringLiteral("%1太大（超过8 MB），不是有效的项目文件。")
                        .arg(source.isEmpty() ? QStringLiteral("项目文件")
                                              : QStringLiteral("文件“%1”").arg(source)));
    const Damage damage(source);
    if (const qsizetype at = FirstControlByte(data); at >= 0)
        damage.At(LineOfOffset(data, at), QStringLiteral("含有控制字符，不是文本"));
    qsizetype bad = -1;
    const std::optional<TextEncoding> encoding = DetectEncoding(data, &bad);
    if (!encoding)
        damage.At(LineOfOffset(data, bad),
                  QStringLiteral("含有无法识别的字符（既不是 GBK 也不是 UTF-8 编码）"));

    const QString text = DecodeText(data, *encoding);
    LineReader in(text, damage);
    QStringView line;
    in.Next(line); // banner
    in.Next(line); // version, not checked
    in.Next(line); // empty

    // The whole file is read and checked before anything is applied.
    std::vector<Record> records;
    for (;;) {
        in.SkipBlank();
        if (in.AtEnd()) break;
        Record r;
        r.line = in.LineNo();
        QStringView* parts[] = {&r.name, &r.kind, &r.prop, &r.value};
        for (QStringView* p : parts) {
            if (!in.Next(*p)) damage.At(r.line, QStringLiteral("记录不完整"));
            if (p->size() > kMaxLineChars) damage.At(in.LineNo() - 1, QStringLiteral("行太长"));
        }
        // The record's empty line; anything else there means the lines have slipped.
        if (in.Next(line) && !IsBlank(line))
            damage.At(in.LineNo() - 1,
                      QStringLiteral("“%1”处应是记录之间的空行").arg(line.left(40)));
        if (!IsIdentifier(r.name))
            damage.At(r.line, QStringLiteral("“%1”不是控件名").arg(r.name.left(40)));
        if (KindType(r.kind) == PType::None)
            damage.At(r.line + 1, QStringLiteral("“%1”不是记录类型").arg(r.kind.left(40)));
        if (!IsIdentifier(r.prop))
            damage.At(r.line + 2, QStringLiteral("“%1”不是属性名").arg(r.prop.left(40)));
        records.push_back(r);
    }

    QHash<QString, QWidget*> byName;
    byName.reserve(components.size());
    for (QWidget* c : components) {
        if (!c) continue;
        const QString key = c->objectName().toLower();
        if (!key.isEmpty() && !byName.contains(key)) byName.insert(key, c);
    }

    TStagedRecords staged;
    staged.encoding_ = *encoding;
    auto items = std::make_shared<TStagedRecords::Items>();
    items->list.reserve(records.size());
    for (const Record& r : records) {
        // Controls this window does not have, and properties they do not have, are skipped.
        QWidget* c = byName.value(r.name.toString().toLower());
        if (!c) continue;
        const WClass cls = ClassOf(c);
        const Prop prop = PropOf(r.prop);
        if (TypeOf(cls, prop) != KindType(r.kind)) continue;
        items->list.push_back(Check(damage, r, c, cls, prop));
    }
    staged.items_ = std::move(items);
    return staged;
}

void ApplyFormRecords(const TStagedRecords& staged) {
    if (!staged.items_) return;
    for (const Staged& s : staged.items_->list)
        Apply(s);
}

bool ReadFormRecords(const QList<QWidget*>& components, const QByteArray& data,
                     const QString& source) {
    const std::optional<TStagedRecords> staged = StageFormRecords(components, data, source);
    if (!staged) return false;
    ApplyFormRecords(*staged);
    return true;
}

namespace {

[[noreturn]] void CannotCreate(const QString& fileName, const QString& why) {
    throw Error(QStringLiteral("Cannot create file \"%1\". %2")
                    .arg(QDir::toNativeSeparators(fileName), why));
}

// Writes a temporary file beside the target, flushes it to disk and renames it over the
// target once complete, so the target holds either its old or its new content. The target's
// mode stays; a read-only target is refused.
void ReplaceFile(const QString& fileName, const QByteArray& bytes) {
    const QFileInfo info(fileName);
    // Saving through a link replaces the file it points to, and the link stays.
    const QFileInfo target(info.isSymLink() ? info.symLinkTarget() : info.absoluteFilePath());
    if (target.isDir()) CannotCreate(fileName, QStringLiteral("Is a directory"));
    if (target.exists() && !target.isFile())
        CannotCreate(fileName, QStringLiteral("Not a regular file"));
    if (!target.absoluteDir().exists()) CannotCreate(fileName, QStringLiteral("No such directory"));
    if (IsReadOnlyFile(target.absoluteFilePath()))
        throw Error(QStringLiteral("文件“%1”是只读文件，没有保存。请另存为其他文件，"
                                   "或先去掉它的只读属性。")
                        .arg(QDir::toNativeSeparators(fileName)));
#ifdef Q_OS_UNIX
    struct stat before {};
    const QByteArray native = QFile::encodeName(target.absoluteFilePath());
    const bool existed = ::stat(native.constData(), &before) == 0;
#endif
    QSaveFile f(target.absoluteFilePath());
    if (!f.open(QIODevice::WriteOnly)) CannotCreate(fileName, f.errorString());
    if (f.write(bytes) != bytes.size() || !f.commit()) CannotCreate(fileName, f.errorString());
#ifdef Q_OS_UNIX
    // The renamed file is the writer's own; give it back its group and owner where allowed
    // (a group the writer belongs to; an owner only for an administrator). Failing is fine.
    if (existed) {
        const int group = ::chown(native.constData(), static_cast<uid_t>(-1), before.st_gid);
        const int owner = ::chown(native.constData(), before.st_uid, static_cast<gid_t>(-1));
        static_cast<void>(group + owner);
    }
#endif
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

std::optional<TStagedRecords> StageFormRecordFile(const QList<QWidget*>& components,
                                                  const QString& fileName) {
    const QByteArray data = ReadBoundedFile(fileName, kMaxFormRecordBytes);
    return StageFormRecords(components, data, QDir::toNativeSeparators(fileName));
}

bool LoadFormRecords(const QList<QWidget*>& components, const QString& fileName) {
    if (fileName.isEmpty() || StateOfFile(fileName, kMaxFormRecordBytes) == FileState::Missing)
        return false;
    const std::optional<TStagedRecords> staged = StageFormRecordFile(components, fileName);
    if (!staged) return false;
    ApplyFormRecords(*staged);
    return true;
}

bool LoadFormRecords(const QWidget* window, const QString& fileName) {
    return LoadFormRecords(CollectComponents(window), fileName);
}

} // namespace tubalon
