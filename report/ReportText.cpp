#include "report/ReportText.h"

#include "calc/FlowText.h"
#include "units/Controls.h"
#include "units/NumberFormat.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QUrl>
#include <cmath>

namespace tubalon::report {

namespace {

const QString kIndent(8, QChar(' '));

// Names are looked up as the form does: exact first, then without regard to case
// (the unit selector of DHtD is named DhtU).
QWidget* Child(const QWidget& window, const QString& name) {
    if (QWidget* w = window.findChild<QWidget*>(name)) return w;
    for (QWidget* w : window.findChildren<QWidget*>())
        if (w->objectName().compare(name, Qt::CaseInsensitive) == 0) return w;
    return nullptr;
}

// The caption a control shows: a label's text, a button's text, a group's title.
QString CaptionOf(const QWidget* w) {
    if (!w) return {};
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
    return {};
}

// The text a control holds: an edit's text, a list's or radio group's selected item.
QString TextOf(const QWidget* w) {
    if (!w) return {};
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* r = qobject_cast<const TRadioGroup*>(w)) return r->CurrentText();
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    return {};
}

QString Stem(const QString& fieldName) {
    return fieldName.left(fieldName.size() - 1);
}

class Builder {
public:
    Builder(const QWidget& window) : w_(window) {}

    void Blank() { lines_.append({QString(), false, 0}); }
    void Heading(const QString& text, int size = 11) { lines_.append({text, true, size}); }
    void Row(const QString& a, const QString& b, const QString& c) {
        lines_.append({TextRow(a, b, c), false, 0});
    }
    // Text row: a label's caption, a control's text (cut to `cut` characters), a third text.
    void Text(const QString& label, const QString& control, const QString& third, int cut = -1) {
        const QString t = TextOf(Child(w_, control));
        Row(CaptionOf(Child(w_, label)), cut < 0 ? t : t.left(cut), third);
    }
    // A note: its lines joined by blanks; "-" for an empty note or one never written.
    void Note(const QString& caption, const char* control) {
        const auto* note = qobject_cast<const QTextEdit*>(Child(w_, QString::fromLatin1(control)));
        QString t = note ? note->toPlainText().simplified() : QString();
        if (t.isEmpty() || t == QStringLiteral("注释")) t = QStringLiteral("-");
        lines_.append({kIndent + PadToBytes(caption, 20) + t, false, 0});
    }
    void Fields(std::initializer_list<const char*> names) {
        for (const char* n : names)
            Field(QString::fromLatin1(n));
    }
    void Field(const QString& name) {
        const QWidget* f = Child(w_, name);
        if (!f || !f->isEnabled()) return;
        const QString stem = Stem(name);
        const auto* unit = qobject_cast<const QComboBox*>(Child(w_, stem + "U"));
        lines_.append({FieldRow(CaptionOf(Child(w_, stem + "L")), TextOf(f),
                                unit ? unit->currentText().left(20) : QString(20, QChar(' '))),
                       false, 0});
    }
    // Re, Pr, regime and correlation of a side whose film field shows its coefficient.
    void Flow(const kernel::FlowInfo* f) {
        if (!f) return;
        const QString dash = QStringLiteral("-");
        Row(QStringLiteral("雷诺数"), ReynoldsText(*f), dash);
        Row(QStringLiteral("普朗特数"), PrandtlText(*f), dash);
        Row(QStringLiteral("流态"), RegimeText(*f), dash);
        Row(QStringLiteral("关联式"), CorrelationText(*f), QString()); // often wider than 20
    }
    const QWidget& w_;
    QList<ReportLine> lines_;
};

} // namespace

QString TextRow(const QString& c1, const QString& c2, const QString& c3) {
    return kIndent + PadToBytes(c1, 20) + PadToBytes(c2, 20) + PadToBytes(c3, 20);
}

QString ReportNumber(double v) {
    const double a = std::fabs(v);
    if (a != 0 && (a < 1e-4 || a >= 1e7)) {
        // d.ddd, its trailing zeros dropped, then the exponent
        QString t = QString::asprintf("%.3E", v);
        const qsizetype e = t.indexOf(QChar('E'));
        QString mantissa = t.left(e);
        while (mantissa.endsWith(QChar('0')))
            mantissa.chop(1);
        if (mantissa.endsWith(QChar('.'))) mantissa.chop(1);
        return mantissa + t.mid(e);
    }
    // Four significant digits need 3 - floor(log10 a) decimals below 0.1.
    const int decimals = a == 0 ? 4 : std::max(4, 3 - static_cast<int>(std::floor(std::log10(a))));
    QString t = QString::asprintf("%.*f", decimals, v);
    for (int extra = decimals - 4; extra > 0 && t.endsWith(QChar('0')); --extra)
        t.chop(1);
    return t;
}

QString FieldRow(const QString& caption, const QString& text, const QString& unit) {
    long double v = 0;
    if (TryParseNumber(TrimText(text), v))
        return TextRow(caption, ReportNumber(static_cast<double>(v)), unit);
    return TextRow(caption, text, unit);
}

QList<ReportLine> BuildReport(const QWidget& window, const QString& statusText,
                              const ReportHead& head, const ReportFlow& flow) {
    Builder b(window);
    const QString dash = QStringLiteral("-");
    b.Blank();
    b.Blank();
    b.Heading(QStringLiteral("\t\t\tTubalon 计算报告"), 14);
    b.Heading(QStringLiteral("\t\t\t") + QString(15, QChar('~')), 14);
    // A case whose last calculation did not complete says so first, and why.
    if (!flow.incomplete.isEmpty())
        b.lines_.append({kIndent + QStringLiteral("计算未完成：") + flow.incomplete, false, 0});

    // Which case, when, and the user's two notes.
    b.Row(QStringLiteral("项目文件"),
          head.caseFile.isEmpty() ? QStringLiteral("（未保存）")
                                  : QFileInfo(head.caseFile).fileName(),
          dash);
    const QDate day = head.date.isValid() ? head.date : QDate::currentDate();
    b.Row(QStringLiteral("计算日期"), day.toString(QStringLiteral("yyyy-MM-dd")), dash);
    b.Note(QStringLiteral("外管注释"), "CmtsD");
    b.Note(QStringLiteral("内管注释"), "CmttD");

    b.Heading(QStringLiteral("    0.基本参数"));
    b.Text("ShapeL", "ShapeD", dash);
    if (const QWidget* lay = Child(window, "LayType"); lay && lay->isEnabled())
        b.Row(CaptionOf(lay), TextOf(lay), dash);
    b.Text("CalTypeL", "CalTypeD", dash);
    if (const QWidget* flow = Child(window, "FlowType")) b.Row(CaptionOf(flow), TextOf(flow), dash);
    b.Text("CsminL", "CsminD", CaptionOf(Child(window, "CsminU")));
    if (auto* a = qobject_cast<const QAbstractButton*>(Child(window, "CBAuto")))
        b.Row(a->text(), a->isChecked() ? QStringLiteral("是") : QStringLiteral("否"), dash);

    b.Heading(QStringLiteral("    1.外管数据"));
    b.Heading(QStringLiteral("      工艺数据"));
    b.Text("PhrL", "PhrD", dash);
    b.Text("HTrL", "HTrD", dash);
    b.Text("LarL", "LarD", CaptionOf(Child(window, "LarU")));
    b.Fields({"WrD", "Tr1D", "Tr2D", "QrD", "QLD"});
    b.Heading(QStringLiteral("      物性数据"));
    b.Fields({"CprD", "DenrD", "MrD", "LdrD", "DHrD", "DrvD", "MrvD"});
    b.Heading(QStringLiteral("      壳程参数及计算结果"));
    b.Fields({"mD", "ErD", "dooD", "doiD", "DspD", "SlD"});
    b.Text("SmL", "SmD", dash, 16);
    b.Text("PmL", "PmD", dash, 16);
    b.Fields({"BpD", "TaD", "UrvD", "UrD", "DpsD", "RsD", "krD", "KlD", "TwaD", "TwD"});
    b.Flow(flow.annulus);

    b.Heading(QStringLiteral("    2.内管数据"));
    b.Heading(QStringLiteral("      工艺数据"));
    b.Text("PhtL", "PhtD", dash);
    b.Text("HTtL", "HTtD", dash);
    b.Text("LatL", "LatD", CaptionOf(Child(window, "LatU")));
    b.Fields({"WtD", "Tt1D", "Tt2D", "QtD"});
    b.Heading(QStringLiteral("      物性数据"));
    b.Fields({"CptD", "DentD", "MtD", "LdtD", "DHtD", "dtvD", "MtvD"});
    b.Heading(QStringLiteral("      管程参数及计算结果"));
    b.Fields({"EtD", "dioD", "diiD"});
    b.Text("TmL", "TmD", dash, 20);
    b.Fields({"UtvD", "UtD", "DptD", "RtD", "ktD"});
    b.Flow(flow.inner);

    b.Heading(QStringLiteral("    3.简明计算结果"));
    b.Row(QStringLiteral("运行结果"), statusText, dash);
    b.Fields({"QaD", "AdtD", "HLPD", "LaD", "KaD", "AcD", "ArD", "CsD"});
    // A correlation outside its range or an unusual velocity, one line each.
    for (const QString& w : flow.warnings)
        b.lines_.append({kIndent + QStringLiteral("警告：") + w, false, 0});
    return b.lines_;
}

QString PlainText(const QList<ReportLine>& lines) {
    QString out;
    for (const ReportLine& l : lines)
        out += l.text + QChar('\n');
    return out;
}

QFont ReportFont() {
    QFont f;
    // "宋体" first; the others keep the columns monospaced where it is missing.
    f.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                   QStringLiteral("WenQuanYi Zen Hei Mono"),
                   QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("monospace")});
    f.setPixelSize(14);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

namespace {
QTextCharFormat PlainFormat() {
    QTextCharFormat plain;
    plain.setFont(ReportFont());
    plain.setForeground(Qt::black);
    return plain;
}
QTextCharFormat HeadingFormat(int pointSize) {
    QTextCharFormat h = PlainFormat();
    h.setFontWeight(QFont::Bold);
    h.clearProperty(QTextFormat::FontPixelSize);
    h.setFontPointSize(pointSize);
    return h;
}
} // namespace

void FillBox(QTextEdit& box, const QList<ReportLine>& lines) {
    const QFont font = ReportFont();
    box.setFont(font);
    box.document()->setDefaultFont(font);
    box.clear();

    const QTextCharFormat plain = PlainFormat();

    QTextCursor c(box.document());
    c.beginEditBlock();
    c.setBlockCharFormat(plain);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ReportLine& l = lines[i];
        if (i > 0) c.insertBlock(QTextBlockFormat(), plain);
        if (l.heading) {
            c.insertText(l.text, HeadingFormat(l.pointSize));
        } else {
            c.insertText(l.text, plain);
        }
    }
    c.endEditBlock();

    QTextCursor start(box.document());
    box.setTextCursor(start);
    box.ensureCursorVisible();
}

QString DiagramHeading() {
    return QStringLiteral("    4.结构示意图");
}

void AppendDiagram(QTextDocument& doc, const QImage& diagram) {
    const QTextCharFormat plain = PlainFormat();
    const QString name = QStringLiteral("tubalon-diagram.png");
    doc.addResource(QTextDocument::ImageResource, QUrl(name), diagram);
    QTextCursor c(&doc);
    c.movePosition(QTextCursor::End);
    c.insertBlock(QTextBlockFormat(), plain);
    c.insertText(DiagramHeading(), HeadingFormat(11));
    c.insertBlock(QTextBlockFormat(), plain);
    QTextImageFormat image;
    image.setName(name);
    image.setWidth(diagram.width());
    image.setHeight(diagram.height());
    c.insertImage(image);
}

} // namespace tubalon::report
