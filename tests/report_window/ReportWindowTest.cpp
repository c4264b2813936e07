// The report, the structure diagram, saving, printing and help on the program's own main
// window, filled as the example scripts fill it.
#include "app/CalcTool.h"
#include "app/MyStatusBar.h"
#include "app/Startup.h"
#include "app/UnitMain.h"
#include "calc/FlowText.h"
#include "report/HelpWindow.h"
#include "report/ReportHooks.h"
#include "report/ReportOutput.h"
#include "report/ReportText.h"
#include "report/StructDiagram.h"
#include "tests/support/ExampleScripts.h"
#include "units/Colors.h"
#include "units/EditD.h"
#include "units/Messages.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>
#include <cmath>
#include <memory>

using namespace tubalon;
using tubalon::test::ScriptAssignments;

namespace {

QString U(const char* s) {
    return QString::fromUtf8(s);
}

// Steam at 120 °C condensing in the inner pipe heats water from 20 to 50 °C in the annulus
// (no example script has the inner side condensing).
const QStringList kSteamInside = {
    "CBAuto=0",   "dooD=0.057",   "doiD=0.05",      "dioD=0.032", "diiD=0.026", "WrD=0.8",
    "CprD=4180",  "Tr1D=20",      "Tr2D=50",        "DenrD=995",  "MrD=0.0008", "LdrD=0.615",
    "PhtD=1",     "DHtD=2202000", "Tt1D=120",       "Tt2D=120",   "DentD=943",  "MtD=0.000232",
    "LdtD=0.683", "dtvD=1.12",    "MtvD=0.0000129", "SlD=6",      "BpD=0.03",   "TaD=20",
    "RsD=0.0002", "RtD=0.0001",   "ErD=0.0001",     "EtD=0.0001", "CptD=4245"};

QStringList Assignments(const QString& name) {
    if (name == QLatin1String("steam-inside")) return kSteamInside;
    // The kettle of the example laid down: its length label reads 釜长度.
    if (name == QLatin1String("kettle-lying"))
        return ScriptAssignments("kettle") << QStringLiteral("LayType=1");
    return ScriptAssignments(name);
}

// Column widths count GBK bytes: a Chinese character counts two.
int GbkBytes(const QString& s) {
    QStringEncoder gbk("GBK");
    if (gbk.isValid()) return static_cast<int>(QByteArray(gbk.encode(s)).size());
    int n = 0;
    for (QChar c : s)
        n += c.unicode() < 0x80 ? 1 : 2;
    return n;
}
QString Col(const QString& s) {
    const int n = GbkBytes(s);
    return n >= 20 ? s : s + QString(20 - n, QChar(' '));
}
// A unit selector's text cut to 20 characters: its items carry the name, blanks up to the
// bar and the factor, and the bar lies beyond the 20th character in every list.
QString UnitCol(const QString& unit) {
    return unit + QString(20 - unit.size(), QChar(' '));
}
QString Row(const QString& a, const QString& b, const QString& c) {
    return QString(8, QChar(' ')) + Col(a) + Col(b) + Col(c);
}
// The second column of a field row: a number with at least four significant digits, in
// fixed notation with four decimals or more (zeros past the fourth dropped) from 1e-4 to
// 1e7, else scientific; any other text as it is.
QString NumberCol(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || t.isEmpty()) return text;
    const double a = std::fabs(v);
    if (a != 0 && (a < 1e-4 || a >= 1e7)) {
        QString s = QString::number(v, 'E', 3);
        static const QRegularExpression zeros(QStringLiteral("\\.?0+E"));
        return s.replace(zeros, QStringLiteral("E"));
    }
    int decimals = 4;
    while (a != 0 && a * std::pow(10.0, decimals) < 999.5)
        ++decimals;
    QString s = QString::number(v, 'f', decimals);
    for (int extra = decimals - 4; extra > 0 && s.endsWith('0'); --extra)
        s.chop(1);
    return s;
}

// What the rows of one example look like.
struct Expect {
    QString shape, lay; // lay empty: the placement group is disabled and has no row
    QString calType, autoD;
    bool annulusSteam = false, innerSteam = false, pitch = false;
    QString length;                 // caption of the length label
    QString annulusRole, innerRole; // 热流体 / 冷流体
    int rows = 0;                   // diagram rows, 0: not stated by the example
};

const QMap<QString, Expect>& Cases() {
    static const QMap<QString, Expect> cases = {
        {"water-water",
         {U("直管套管"),
          {},
          U("设计型"),
          U("否"),
          false,
          false,
          false,
          U("单程管长"),
          U("热流体"),
          U("冷流体"),
          4}},
        {"steam-annulus",
         {U("直管套管"),
          {},
          U("设计型"),
          U("否"),
          true,
          false,
          false,
          U("单程管长"),
          U("热流体"),
          U("冷流体"),
          2}},
        {"helical",
         {U("螺旋套管"),
          {},
          U("设计型"),
          U("是"),
          false,
          false,
          true,
          U("盘管直径"),
          U("热流体"),
          U("冷流体"),
          10}},
        {"kettle",
         {U("夹套釜"), U("立式"), U("设计型"), U("否"), true, false, false, U("釜高度"),
          U("热流体"), U("冷流体"), 1}},
        {"kettle-lying",
         {U("夹套釜"), U("卧式"), U("设计型"), U("否"), true, false, false, U("釜长度"),
          U("热流体"), U("冷流体"), 1}},
        {"rating",
         {U("直管套管"),
          {},
          U("校核型"),
          U("否"),
          false,
          false,
          false,
          U("单程管长"),
          U("热流体"),
          U("冷流体"),
          4}},
        {"steam-inside",
         {U("直管套管"),
          {},
          U("设计型"),
          U("否"),
          false,
          true,
          false,
          U("单程管长"),
          U("冷流体"),
          U("热流体"),
          0}},
    };
    return cases;
}

// The report a case must give, row by row in the order of the report's build steps.
class ExpectedReport {
public:
    ExpectedReport(TFormTubalon& w, const Expect& e, const QString& status) : w_(w) {
        const QString dash = QStringLiteral("-");
        Line({}, 0);
        Line({}, 0);
        Line(U("\t\t\tTubalon 计算报告"), 14);
        Line(U("\t\t\t~~~~~~~~~~~~~~~"), 14);
        // The head: the case has no file; today's date; the notes as the window starts them.
        Text(U("项目文件"), U("（未保存）"), dash);
        Text(U("计算日期"), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")), dash);
        Line(QString(8, QChar(' ')) + Col(U("外管注释")) + dash, 0);
        Line(QString(8, QChar(' ')) + Col(U("内管注释")) + dash, 0);
        Line(U("    0.基本参数"), 11);
        Text(U("设备形式"), e.shape, dash);
        if (!e.lay.isEmpty()) Text(U("放置形式"), e.lay, dash);
        Text(U("计算类型"), e.calType, dash);
        Text(U("流型"), U("逆流"), dash);
        Text(U("要求富余度"), QStringLiteral("0"), QStringLiteral("%"));
        Text(U("管径自动计算"), e.autoD, dash);

        Line(U("    1.外管数据"), 11);
        Line(U("      工艺数据"), 11);
        Text(U("流体相态"), e.annulusSteam ? U("蒸气冷凝") : U("单相流体"), dash);
        Text(U("流体类型"), e.annulusRole, dash);
        Text(U("不凝气体"), QStringLiteral("0.00"), QStringLiteral("%"));
        Field("质量流量", "WrD", "kg/s");
        Field("入口温度", "Tr1D", "C");
        Field("出口温度", "Tr2D", "C");
        Field("环道热量", "QrD", "W");
        Field("环境热损", "QLD", "W");
        Line(U("      物性数据"), 11);
        Field("平均比热", "CprD", "J/(kg.K)");
        Field("密度", "DenrD", "kg/m3");
        Field("动力粘度", "MrD", "N.S/m2");
        Field("导热系数", "LdrD", "W/(m.K)");
        Field("相变热", "DHrD", "J/kg", e.annulusSteam);
        Field("蒸汽密度", "DrvD", "kg/m3", e.annulusSteam);
        Field("蒸汽动力粘度", "MrvD", "N.S/m2", e.annulusSteam);
        Line(U("      壳程参数及计算结果"), 11);
        Field("管程数", "mD", "程/圈");
        Field("绝对粗糙度", "ErD", "m");
        Field("管外径", "dooD", "m");
        Field("管内径", "doiD", "m");
        Field("螺距", "DspD", "倍外管径", e.pitch);
        Field(e.length, "SlD", "m");
        // The material lists' items are the name padded with blanks before the bar: the first
        // 16 (20 for the pipe) characters are the name and blanks.
        Text(U("壳体材质"), U("低碳钢") + QString(13, QChar(' ')), dash);
        Text(U("保温材料"), U("岩棉板,壳") + QString(11, QChar(' ')), dash);
        Field("保温层厚", "BpD", "m");
        Field("环境温度", "TaD", "C");
        Field("蒸汽流速", "UrvD", "m/s", e.annulusSteam);
        Field("流速", "UrD", "m/s");
        Field("压力降", "DpsD", "N/m2");
        Field("污垢热阻", "RsD", "m2.K/W");
        Field("环道膜系数", "krD", "W/(m2.K)");
        Field("环境膜系数", "KlD", "W/(m2.K)");
        Field("管外表壁温", "TwaD", "C");
        Field("保温外壁温", "TwD", "C");
        Flow(ShownAnnulusFlow(w.CaseFields(), w.State()));

        Line(U("    2.内管数据"), 11);
        Line(U("      工艺数据"), 11);
        Text(U("流体相态"), e.innerSteam ? U("蒸气冷凝") : U("单相流体"), dash);
        Text(U("流体类型"), e.innerRole, dash);
        Text(U("不凝气体"), QStringLiteral("0.00"), QStringLiteral("%"));
        Field("质量流量", "WtD", "kg/s");
        Field("入口温度", "Tt1D", "C");
        Field("出口温度", "Tt2D", "C");
        Field("内管热量", "QtD", "W");
        Line(U("      物性数据"), 11);
        Field("平均比热", "CptD", "J/(kg.K)");
        Field("密度", "DentD", "kg/m3");
        Field("动力粘度", "MtD", "N.S/m2");
        Field("导热系数", "LdtD", "W/(m.K)");
        Field("相变热", "DHtD", "J/kg", e.innerSteam);
        Field("蒸汽密度", "dtvD", "kg/m3", e.innerSteam);
        Field("蒸汽动力粘度", "MtvD", "N.S/m2", e.innerSteam);
        Line(U("      管程参数及计算结果"), 11);
        Field("绝对粗糙度", "EtD", "m");
        Field("管外径", "dioD", "m");
        Field("管内径", "diiD", "m");
        Text(U("管子材质"), U("低碳钢") + QString(17, QChar(' ')), dash);
        Field("蒸汽流速", "UtvD", "m/s", e.innerSteam);
        Field("流速", "UtD", "m/s");
        Field("压力降", "DptD", "N/m2");
        Field("污垢热阻", "RtD", "m2.K/W");
        Field("膜系数", "ktD", "W/(m2.K)");
        Flow(ShownInnerFlow(w.CaseFields(), w.State()));

        Line(U("    3.简明计算结果"), 11);
        Text(U("运行结果"), status, dash);
        Field("传递热量", "QaD", "W");
        Field("平均温度差", "AdtD", "C");
        Field("壳程热损", "HLPD", "%");
        Field("总管长", "LaD", "m");
        Field("总传热系数", "KaD", "W/(m2.K)");
        Field("理论面积", "AcD", "m2");
        Field("实际面积", "ArD", "m2");
        Field("实际富裕度", "CsD", "%");
        for (const QString& warning : FlowWarnings(w.CaseFields(), w.State()))
            Line(QString(8, QChar(' ')) + U("警告：") + warning, 0);
    }

    QStringList lines;
    QList<int> sizes; // 0 for rows, else the heading's size
    QStringList problems;

private:
    void Line(const QString& t, int size) {
        lines << t;
        sizes << size;
    }
    void Text(const QString& a, const QString& b, const QString& c) { Line(Row(a, b, c), 0); }
    void Field(const QString& caption, const char* name, const char* unit, bool enabled = true) {
        TEditD* f = w_.Field(QString::fromLatin1(name));
        if (!f) {
            problems << QStringLiteral("no field %1").arg(name);
            return;
        }
        // The row's presence follows the enabled state; the window must agree with the case.
        if (f->isEnabled() != enabled)
            problems
                << QStringLiteral("%1 is %2").arg(name, f->isEnabled() ? "enabled" : "disabled");
        if (!enabled) return;
        Text(caption, NumberCol(f->text()), UnitCol(U(unit)));
    }
    void Field(const char* caption, const char* name, const char* unit, bool enabled = true) {
        Field(U(caption), name, unit, enabled);
    }
    // Every example is computed through: both sides tell what their coefficient rests on.
    void Flow(const kernel::FlowInfo* f) {
        if (!f) {
            problems << QStringLiteral("no film information");
            return;
        }
        const QString dash = QStringLiteral("-");
        Text(U("雷诺数"), ReynoldsText(*f), dash);
        Text(U("普朗特数"), PrandtlText(*f), dash);
        Text(U("流态"), RegimeText(*f), dash);
        Text(U("关联式"), CorrelationText(*f), QString());
    }
    TFormTubalon& w_;
};

QString PdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}
// Page n of the PDF as an image at 150 dots per inch.
QImage PdfPage(const QString& pdf, int n) {
    QTemporaryDir dir;
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n),
             QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    p.waitForFinished(60000);
    return QImage(dir.filePath(QStringLiteral("page.png")));
}
// The bounding box of the dark pixels of an image.
QRect InkBox(const QImage& image) {
    QRect box;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(rgb.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}
QString PdfInfo(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The layout of the diagram as the margin rule gives it, for the checks on the image.
struct Layout {
    int n, y0, P, R, d, x0 = 10, x1 = kDiagram - 10;
    static constexpr int kDiagram = 409;
    Layout(double passes, double D) {
        n = static_cast<int>(std::ceil(passes));
        auto nearest = [](double x) { return static_cast<int>(std::nearbyint(x)); };
        y0 = 10;
        P = nearest((kDiagram - 2.0 * y0) / n);
        while (y0 < P)
            P = nearest((kDiagram - 2.0 * ++y0) / n);
        const double s = (kDiagram - 2.0 * y0) / (2.0 * n * D);
        R = nearest(s * D / 2);
        d = nearest(s * D);
    }
    int Top(int i) const { return (i - 1) * P + y0; }
    int Mid(int i) const { return (Top(i) + Top(i) + d) / 2; }
    int xa() const { return x0 + R; }
    int xb() const { return x1 - R; }
};

bool Black(const QImage& img, int x, int y) {
    return img.rect().contains(x, y) && (img.pixel(x, y) & 0xFFFFFF) == 0;
}
// Any black pixel in the box around (x, y): the pens are 2 and 4 pixels wide.
bool BlackNear(const QImage& img, int x, int y, int r = 2) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (Black(img, x + dx, y + dy)) return true;
    return false;
}
// Black runs met going down column x from y1 to y2.
QList<int> BlackRunsDown(const QImage& img, int x, int y1, int y2) {
    QList<int> starts;
    bool in = false;
    for (int y = y1; y <= y2; ++y) {
        const bool b = Black(img, x, y);
        if (b && !in) starts << y;
        in = b;
    }
    return starts;
}

} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Program> program;
    TFormTubalon* w = nullptr;

    // A fresh program with the case of an example (or none for an empty case).
    bool Open(const QString& name = {}) {
        program.reset();
        program = std::make_unique<Program>();
        w = program->window.get();
        // The start code may not yet hook the report module into the window.
        if (!w->hooks.makeReport) report::InstallReportHooks(*w);
        if (name.isEmpty()) return true;
        const QStringList list = Assignments(name);
        if (list.isEmpty()) {
            qWarning("no assignments for %s", qPrintable(name));
            return false;
        }
        const QString e = SetControls(*w, list);
        if (!e.isEmpty()) qWarning("%s: %s", qPrintable(name), qPrintable(e));
        return e.isEmpty();
    }
    QStringList BoxLines() const {
        QStringList out;
        for (QTextBlock b = w->REReport->document()->begin(); b.isValid(); b = b.next())
            out << b.text();
        return out;
    }
    QString Status() const { return w->MyStatusBar1->PanelText(1); }
    QAction* ToolAction(const QString& hint) const {
        for (QToolBar* tb : w->findChildren<QToolBar*>())
            for (QAction* a : tb->actions())
                if (a->toolTip() == hint) return a;
        return nullptr;
    }
    report::TStructureView* View() const {
        return w->findChild<report::TStructureView*>(QStringLiteral("StructDiagram"));
    }
    report::THelpWindow* Help() const {
        return w->findChild<report::THelpWindow*>(QStringLiteral("HelpWindow"));
    }
    QString HelpTitle() const {
        report::THelpWindow* h = Help();
        if (!h || h->CurrentBookmark() < 0) return {};
        return h->Bookmarks().at(h->CurrentBookmark()).title;
    }
    // The text of the block shown at the top of the help browser.
    QString HelpTopText() const {
        QTextBrowser* b = Help()->Browser();
        return b->cursorForPosition(QPoint(4, 4)).block().text();
    }
    void CaseData() {
        QTest::addColumn<QString>("name");
        for (const QString& n : Cases().keys())
            QTest::newRow(qPrintable(n)) << n;
    }

private slots:
    void initTestCase() { SetHeadlessMessages(true); }
    void init() { HeadlessLog().clear(); }
    void cleanup() {
        report::SetSaveDialog({});
        report::SetPrintDialog({});
        SetHeadlessAnswer(nullptr);
        program.reset();
        w = nullptr;
    }

    void exampleScriptsAreRead() {
        for (const QString& n : Cases().keys())
            QVERIFY2(Assignments(n).size() > 15, qPrintable(n));
    }

    // Every example's report, line by line: headings, captions, GBK columns, numbers with
    // four decimals in the shown unit, and rows present only for enabled fields.
    void reportOfEachExample_data() { CaseData(); }
    void reportOfEachExample() {
        QFETCH(QString, name);
        QVERIFY(Open(name));
        w->PCAll->setCurrentWidget(w->TSCalc);
        QVERIFY(w->SBRSimple);
        w->SBRSimple->trigger();
        w->SBRSimple->trigger(); // a second run replaces the first
        QCOMPARE(w->PCAll->currentWidget(), w->TSReport);

        const QString status = Status();
        QVERIFY2(QRegularExpression(U("^进度：\\d+%$")).match(status).hasMatch(),
                 qPrintable(status));
        const ExpectedReport expected(*w, Cases()[name], status);
        QVERIFY2(expected.problems.isEmpty(), qPrintable(expected.problems.join("; ")));
        const QStringList got = BoxLines();
        for (int i = 0; i < std::min(got.size(), expected.lines.size()); ++i)
            QVERIFY2(got[i] == expected.lines[i],
                     qPrintable(QStringLiteral("line %1:\n got [%2]\nwant [%3]")
                                    .arg(i)
                                    .arg(got[i], expected.lines[i])));
        QCOMPARE(got.size(), expected.lines.size());
        // tubalon-calc --report prints the same lines.
        QStringList tool = report::ReportText(*w).split('\n');
        QCOMPARE(tool.takeLast(), QString());
        QCOMPARE(tool, got);

        // Headings bold black "宋体" at 14 or 11; rows plain.
        int i = 0;
        for (QTextBlock b = w->REReport->document()->begin(); b.isValid(); b = b.next(), ++i) {
            for (auto it = b.begin(); !it.atEnd(); ++it) {
                const QTextCharFormat f = it.fragment().charFormat();
                const int size = expected.sizes[i];
                QVERIFY2((f.fontWeight() >= QFont::Bold) == (size > 0), qPrintable(b.text()));
                if (size == 0) continue;
                QCOMPARE(qRound(f.fontPointSize()), size);
                QCOMPARE(f.fontFamilies().toStringList().value(0), U("宋体"));
                QCOMPARE(f.foreground().color(), QColor(Qt::black));
            }
        }
        QCOMPARE(w->REReport->textCursor().position(), 0);
        const QFont box = w->REReport->document()->defaultFont();
        QCOMPARE(box.families().value(0), U("宋体"));
        QCOMPARE(box.pixelSize(), 14);
    }

    // A few rows written out by hand: a four-character caption is followed by 12 blanks.
    void handWrittenRows() {
        QVERIFY(Open("rating"));
        w->SBRSimple->trigger();
        const QStringList got = BoxLines();
        QVERIFY(got.contains(
            U("        质量流量            1.0000              kg/s                ")));
        QVERIFY(got.contains(
            U("        管程数              4.0000              程/圈                 ")));
        QVERIFY(got.contains(
            U("        计算类型            校核型              -                   ")));
        QVERIFY(got.contains(
            U("        管径自动计算        否                  -                   ")));
        QVERIFY(got.contains(
            U("        壳体材质            低碳钢              -                   ")));
    }

    // Small viscosities keep their digits (they printed as 0.0004 and 0.0008) and both walls'
    // roughness is printed.
    void waterWaterViscositiesAndRoughness() {
        QVERIFY(Open("water-water"));
        w->SBRSimple->trigger();
        const QStringList got = BoxLines();
        const QString mu = U("        动力粘度            %1            N.S/m2              ");
        QVERIFY(got.contains(mu.arg("0.000404")));
        QVERIFY(got.contains(mu.arg("0.000801")));
        const QString rough =
            U("        绝对粗糙度          0.0001              m                   ");
        QCOMPARE(got.count(rough), 2);
    }

    // The number is printed in the unit the selector shows.
    void rowInShownUnit() {
        QVERIFY(Open("water-water"));
        QVERIFY(SetControl(*w, "WrU", "2").isEmpty()); // t/h
        w->SBRSimple->trigger();
        QVERIFY(BoxLines().contains(
            U("        质量流量            3.6000              t/h                 ")));
    }

    // Odd field texts on the real window: abc as it is, an empty field empty.
    void textAndEmptyFields() {
        QVERIFY(Open());
        w->Field("WrD")->setText("abc");
        w->Field("Tr1D")->setText("12.5");
        w->SBRSimple->trigger();
        const QStringList got = BoxLines();
        QVERIFY(got.contains(Row(U("质量流量"), "abc", UnitCol("kg/s"))));
        QVERIFY(got.contains(Row(U("入口温度"), "12.5000", UnitCol("C"))));
        QVERIFY(got.contains(Row(U("出口温度"), "", UnitCol("C"))));
        // An empty case: no vapour rows, the switched-off pitch and placement rows missing.
        for (const char* c : {"相变热", "蒸汽密度", "蒸汽动力粘度", "蒸汽流速", "螺距", "放置形式"})
            for (const QString& l : got)
                QVERIFY2(!l.startsWith(QString(8, ' ') + U(c) + ' '), c);
    }

    // The diagram of each example on the window: rows, margins, pitch, bends, nozzles and the
    // helical fill, the same image from the button, the page and the tool's BMP.
    void diagramOfEachExample_data() { CaseData(); }
    void diagramOfEachExample() {
        QFETCH(QString, name);
        QVERIFY(Open(name));
        const Expect& e = Cases()[name];
        auto* button = w->findChild<QPushButton*>(QStringLiteral("BDrawStruct"));
        QVERIFY(button && View());
        button->click();
        const QImage img = View()->Image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(img.size(), QSize(409, 409));

        const double passes = w->Field("mD")->GetSIValue();
        const Layout L(passes, w->Field("dooD")->GetSIValue());
        if (e.rows) QCOMPARE(L.n, e.rows);
        if (L.n == 1) { // the margin loop ends with margins of about one pitch
            QCOMPARE(L.y0, 137);
            QCOMPARE(L.P, 135);
        }
        const int xc = (L.xa() + L.xb()) / 2;

        if (e.shape != U("螺旋套管")) {
            // Each row is an outer pipe: a top and a bottom edge, one pitch below the last.
            const QList<int> edges = BlackRunsDown(img, xc, 0, 408);
            QCOMPARE(edges.size(), 2 * L.n);
            for (int i = 1; i <= L.n; ++i) {
                QVERIFY(std::abs(edges[2 * (i - 1)] - L.Top(i)) <= 1);
                QVERIFY(std::abs(edges[2 * (i - 1) + 1] - (L.Top(i) + L.d)) <= 1);
            }
            // Axis stubs outside the outer pipe at both ends of every row.
            for (int i = 1; i <= L.n; ++i) {
                QVERIFY(BlackNear(img, L.x0 + L.R / 2, L.Mid(i), 1));
                QVERIFY(BlackNear(img, L.x1 - L.R / 2, L.Mid(i), 1));
            }
            // Bends: rows i-1 and i meet at the right for even i, at the left for odd i.
            for (int i = 2; i <= L.n; ++i) {
                const int y = L.Mid(i) - L.P / 2;
                const bool right = i % 2 == 0;
                QVERIFY2(BlackNear(img, right ? L.x1 : L.x0, y, 1), qPrintable(QString::number(i)));
                QVERIFY2(!BlackNear(img, right ? L.x0 : L.x1, y, 1),
                         qPrintable(QString::number(i)));
            }
            const int above = L.y0 - (L.P - 2 * L.R) / 2;
            const int below = L.n * L.P + L.y0 - L.R / 2;
            if (L.n == 1) {
                // No bends and no nozzles: nothing above the pipe or below it.
                QVERIFY(BlackRunsDown(img, L.x0 + 2 * L.R, 0, L.y0 - 3).isEmpty());
                QVERIFY(BlackRunsDown(img, L.x1 - 2 * L.R, L.y0 + L.d + 3, 408).isEmpty());
            } else {
                // Inlet at the top left; outlet at the bottom right for odd rows, left for even.
                QVERIFY(BlackNear(img, L.x0 + 2 * L.R, above, 1));
                QVERIFY(BlackNear(img, L.x0 + 3 * L.R, above, 1));
                QVERIFY(!BlackNear(img, L.x1 - 2 * L.R, above, 1));
                const bool outRight = L.n % 2 == 1;
                QVERIFY(BlackNear(img, outRight ? L.x1 - 2 * L.R : L.x0 + 2 * L.R, below, 1));
                QVERIFY(!BlackNear(img, outRight ? L.x0 + 2 * L.R : L.x1 - 2 * L.R, below, 1));
            }
        } else {
            // The turns' front bands are filled with the button face colour, no nozzles.
            const QRgb face = ToQColor(clBtnFace).rgb() & 0xFFFFFF;
            for (int i = 1; i <= L.n; ++i)
                QCOMPARE(img.pixel(xc, (2 * L.Top(i) + L.d) / 2) & 0xFFFFFF, face);
            QVERIFY(!BlackNear(img, L.x0 + 2 * L.R, L.y0 - L.P + 2 * L.R - 1, 0));
        }

        // The page draws the same image, and so does the tool's --diagram.
        w->PCAll->setCurrentWidget(w->TSCalc);
        View()->Clear();
        w->PCAll->setCurrentWidget(w->TSStruct);
        QCOMPARE(View()->Image().convertToFormat(QImage::Format_RGB32), img);
        QTemporaryDir dir;
        const QString bmp = dir.filePath("d.bmp");
        report::WriteDiagram(*w, bmp);
        QCOMPARE(QImage(bmp).convertToFormat(QImage::Format_RGB32), img);
        // TUBALON_DIAGRAM_DIR keeps a picture of each example for a look.
        if (const QString out = qEnvironmentVariable("TUBALON_DIAGRAM_DIR"); !out.isEmpty())
            QVERIFY(img.save(out + "/diagram-" + name + ".png"));
    }

    // Nothing is drawn without passes or diameter; a pass count of 0 is an error message.
    void diagramWithoutPassesOrDiameter() {
        QVERIFY(Open());
        auto* button = w->findChild<QPushButton*>(QStringLiteral("BDrawStruct"));
        QVERIFY(SetControl(*w, "dooD", "0.057").isEmpty());
        button->click();
        QImage white(409, 409, QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(View()->Image().convertToFormat(QImage::Format_RGB32), white);
        QVERIFY(HeadlessLog().isEmpty());
        QVERIFY(SetControl(*w, "mD", "0").isEmpty()); // refused: no calculation
        QCOMPARE(HeadlessLog(), QStringList{QStringLiteral("管程数：0 程/圈 必须大于 0，请改正。\n"
                                                           "改正之前不进行计算。")});
        button->click();
        QCOMPARE(HeadlessLog().mid(1), QStringList{"Floating point division by zero"});
        QCOMPARE(View()->Image().convertToFormat(QImage::Format_RGB32), white);
    }

    // The kettle is drawn as the straight double pipe of the same passes and diameter.
    void kettleDrawnAsStraightPipe() {
        QVERIFY(Open("kettle"));
        w->PCAll->setCurrentWidget(w->TSStruct);
        QImage straight;
        report::DrawDiagram(straight, report::Shape::Straight, w->Field("mD")->GetSIValue(),
                            w->Field("dooD")->GetSIValue());
        QCOMPARE(View()->Image().convertToFormat(QImage::Format_RGB32),
                 straight.convertToFormat(QImage::Format_RGB32));
    }

    // F1 in a numeric field opens the manual at that field's heading.
    void f1OpensFieldHeading() {
        QVERIFY(Open("helical"));
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        struct Probe {
            const char* field;
            const char* title;
        };
        for (const Probe& p :
             {Probe{"WrD", "质量流量 "}, Probe{"SlD", "盘管直径 "}, Probe{"DspD", "螺距 "},
              Probe{"ktD", "膜系数 "}, Probe{"ErD", "绝对粗糙度 "}}) {
            TEditD* f = w->Field(p.field);
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w));
            f->setFocus();
            QApplication::processEvents();
            QCOMPARE(QApplication::focusWidget(), f);
            QTest::keyClick(f, Qt::Key_F1);
            QApplication::processEvents();
            QVERIFY2(Help() && Help()->isVisible(), p.field);
            QCOMPARE(HelpTitle(), U(p.title));
            QCOMPARE(HelpTopText().trimmed(), U(p.title).trimmed());
            // The bookmarks pane shows the heading's bookmark.
            QTreeWidget* tree = Help()->Tree();
            QVERIFY(tree->currentItem());
            QCOMPARE(tree->currentItem()->text(0), U(p.title).trimmed());
            QVERIFY(tree->viewport()->rect().contains(tree->visualItemRect(tree->currentItem())));
        }
        QVERIFY(HeadlessLog().isEmpty());
    }

    // "这是什么？" helps on the focused field; on a list, F1 and the button do nothing.
    void whatIsThisButton() {
        QVERIFY(Open("water-water"));
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QAction* what = ToolAction(U("这是什么？"));
        QVERIFY(what);
        w->Field("DenrD")->setFocus();
        QApplication::processEvents();
        what->trigger();
        QCOMPARE(HelpTitle(), U("密度 "));
        QCOMPARE(HelpTopText().trimmed(), U("密度"));

        auto* shape = w->findChild<QComboBox*>(QStringLiteral("ShapeD"));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        shape->setFocus();
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), shape);
        what->trigger();
        QTest::keyClick(shape, Qt::Key_F1);
        QCOMPARE(HelpTitle(), U("密度 "));
        QVERIFY(HeadlessLog().isEmpty());
    }

    // The menu opens the manual at its first chapter; a missing heading shows "Not Found"
    // and leaves the manual where it was.
    void menuAndMissingHeading() {
        QVERIFY(Open());
        QVERIFY(w->MHPDF);
        w->MHPDF->trigger();
        QCOMPARE(HelpTitle(), U("第一章 系统安装 "));
        QCOMPARE(Help()->Path(), report::ManualPath(w->AppDir()));
        QVERIFY(Help()->windowTitle().contains(U("Tubalon 帮助")));
        QVERIFY(w->hooks.help);
        w->hooks.help(U("没有这一节 "));
        QCOMPARE(HeadlessLog(), QStringList{"Not Found"});
        QCOMPARE(HelpTitle(), U("第一章 系统安装 "));
    }

    // The shipped manual has a heading for the caption of every numeric field followed by
    // one blank, under every caption the window gives its fields, each section saying what
    // the quantity is with its unit and typical values.
    void manualCoversEveryField() {
        QVERIFY(Open());
        const QString path = report::ManualPath(w->AppDir());
        report::THelpWindow help;
        help.Open(path);
        QStringList titles;
        for (const report::Bookmark& b : help.Bookmarks())
            titles << b.title;
        QCOMPARE(titles.value(0), U("第一章 系统安装 "));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        static const QRegularExpression heading(QStringLiteral("<h([1-4])[^>]*>(.*?)</h\\1>"),
                                                QRegularExpression::DotMatchesEverythingOption);
        QMap<QString, QString> sections; // title -> plain text up to the next heading
        QList<QRegularExpressionMatch> ms;
        for (auto it = heading.globalMatch(html); it.hasNext();)
            ms << it.next();
        for (int i = 0; i < ms.size(); ++i) {
            const qsizetype end = i + 1 < ms.size() ? ms[i + 1].capturedStart() : html.size();
            QString body = html.mid(ms[i].capturedEnd(), end - ms[i].capturedEnd());
            body.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            sections.insert(ms[i].captured(2), body.trimmed());
        }

        // Captions under each shape and placement (the length label is relabelled).
        QSet<QString> captions;
        for (const QStringList& setup :
             {QStringList{}, QStringList{"ShapeD=1"}, QStringList{"ShapeD=2", "LayType=0"},
              QStringList{"ShapeD=2", "LayType=1"}}) {
            for (const QString& a : setup)
                QVERIFY(SetControl(*w, a.section('=', 0, 0), a.section('=', 1)).isEmpty());
            for (TEditD* field : w->NumericFields())
                captions << field->Caption();
        }
        QVERIFY(captions.contains(U("盘管直径")) && captions.contains(U("釜长度")));
        QStringList missing, thin;
        for (const QString& c : captions) {
            const QString title = c + ' ';
            if (!titles.contains(title)) {
                missing << c;
                continue;
            }
            const QString body = sections.value(title);
            if (!body.contains(U("单位")) || !body.contains(QRegularExpression("\\d")) ||
                body.size() < 40)
                thin << c;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(U("no heading: ") + missing.join(", ")));
        QVERIFY2(thin.isEmpty(), qPrintable(U("no unit or values: ") + thin.join(", ")));
    }

    // Saving writes the RTF report and the diagram's BMP beside the case, and returns to
    // the page that was shown.
    void saveReportPair() {
        QTemporaryDir dir;
        QVERIFY(Open("water-water"));
        w->SetCurrentFile(dir.filePath("pump.cdp"));
        w->PCAll->setCurrentWidget(w->TSReport); // builds the report
        QString proposed, folder;
        report::SetSaveDialog([&](QWidget*, const QString& p, const QString& f) {
            proposed = p;
            folder = f;
            return p;
        });
        int pageChanges = 0;
        connect(w->PCAll, &QTabWidget::currentChanged, this, [&] { ++pageChanges; });
        QVERIFY(w->SBRSave);
        w->SBRSave->trigger();
        QCOMPARE(proposed, dir.filePath("pump.doc"));
        QCOMPARE(folder, w->AppDir() + "../");
        QCOMPARE(w->PCAll->currentWidget(), w->TSReport);
        QCOMPARE(pageChanges, 0); // no rebuild of the report by the page handler

        QFile doc(dir.filePath("pump.doc"));
        QVERIFY(doc.open(QIODevice::ReadOnly));
        const QByteArray rtf = doc.readAll();
        QVERIFY(rtf.startsWith("{\\rtf1"));
        QVERIFY(rtf.trimmed().endsWith('}'));
        // "计算报告" as \uN escapes, the numbers as they are.
        QByteArray escaped;
        for (QChar c : U("计算报告"))
            escaped += "\\u" + QByteArray::number(static_cast<qint16>(c.unicode())) + "?";
        QVERIFY(rtf.contains(escaped));
        QVERIFY(rtf.contains("1.0000"));
        QVERIFY(rtf.contains("\\b"));
        // The structure diagram follows the report as a PNG picture at its screen size.
        const qsizetype pict = rtf.indexOf("{\\pict\\pngblip\\picw409\\pich409\\picwgoal6135"
                                           "\\pichgoal6135\n");
        QVERIFY(pict > 0);
        QByteArray escapedHeading;
        for (QChar c : U("结构示意图"))
            escapedHeading += "\\u" + QByteArray::number(static_cast<qint16>(c.unicode())) + "?";
        QVERIFY(rtf.lastIndexOf(escapedHeading, pict) > rtf.lastIndexOf(escaped, pict));
        const qsizetype hexStart = rtf.indexOf('\n', pict) + 1;
        const QByteArray hex = rtf.mid(hexStart, rtf.indexOf('}', hexStart) - hexStart);
        const QImage picture = QImage::fromData(QByteArray::fromHex(hex), "PNG");
        QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
                 View()->Image().convertToFormat(QImage::Format_RGB32));
        const QImage bmp(dir.filePath("pump.bmp"));
        QCOMPARE(bmp.size(), QSize(409, 409));
        QCOMPARE(bmp.convertToFormat(QImage::Format_RGB32),
                 View()->Image().convertToFormat(QImage::Format_RGB32));
        QVERIFY(BlackRunsDown(bmp, 204, 0, 408).size() >= 8); // four rows drawn

        // A word processor reads back the box's lines.
        const QString soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty()) QSKIP("LibreOffice is not installed");
        QProcess p;
        p.start(soffice, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless",
                          "--convert-to", "txt:Text (encoded):UTF8", "--outdir", dir.path(),
                          dir.filePath("pump.doc")});
        QVERIFY(p.waitForFinished(120000));
        QFile txt(dir.filePath("pump.txt"));
        QVERIFY2(txt.open(QIODevice::ReadOnly), p.readAllStandardError().constData());
        QString text = QString::fromUtf8(txt.readAll());
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        text.remove(QChar(0x2006)); // the text export marks each kept blank so
        QStringList got = text.split(QRegularExpression("\r?\n"));
        while (!got.isEmpty() && got.last().trimmed().isEmpty())
            got.removeLast();
        QCOMPARE(got, BoxLines() << report::DiagramHeading());
    }

    void saveCancelledWritesNothing() {
        QTemporaryDir dir;
        QVERIFY(Open("water-water"));
        w->SetCurrentFile(dir.filePath("pump.cdp"));
        report::SetSaveDialog([](QWidget*, const QString&, const QString&) { return QString(); });
        w->SBRSave->trigger();
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    // Printing to PDF: the report's rows on paper as the job "计算报表"; the diagram on a page.
    void printToPdf() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("poppler-utils missing");
        QTemporaryDir dir;
        QVERIFY(Open("steam-annulus"));
        w->SBRSimple->trigger();
        QString pdf = dir.filePath("report.pdf");
        report::SetPrintDialog([&](QWidget*, QPrinter& p) {
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(pdf);
            return true;
        });
        w->SBRPrintRep->trigger();
        QVERIFY(QFile::exists(pdf));
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains(U("计算报告")), qPrintable(text.left(400)));
        QVERIFY(QRegularExpression(U("相变热\\s+2133000\\.0000\\s+J/kg")).match(text).hasMatch());
        QVERIFY(QRegularExpression(U("运行结果\\s+进度：\\d+%")).match(text).hasMatch());
        // Every line of the box is on the pages, in order.
        QStringList printed;
        for (const QString& l : text.split('\n'))
            if (!l.simplified().isEmpty()) printed << l.simplified();
        qsizetype at = 0;
        for (const QString& l : BoxLines()) {
            if (l.simplified().isEmpty()) continue;
            const qsizetype found = printed.indexOf(l.simplified(), at);
            QVERIFY2(found >= 0, qPrintable(l));
            at = found + 1;
        }
        QVERIFY(QRegularExpression(U("Title:\\s+计算报表")).match(PdfInfo(pdf)).hasMatch());
        // The structure diagram follows the last line under its heading: about ninety lines
        // take two pages of the text's own pagination, the diagram goes to a third.
        QVERIFY(printed.indexOf(report::DiagramHeading().simplified(), at) >= at);
        QVERIFY2(QRegularExpression("Pages:\\s+3\\n").match(PdfInfo(pdf)).hasMatch(),
                 qPrintable(PdfInfo(pdf)));
        const QImage page3 = PdfPage(pdf, 3);
        QVERIFY(!page3.isNull());
        // The drawing at its size on screen (96 pixels per inch), here at 150 dots per inch.
        const QRect drawn = InkBox(View()->Image()), onPaper = InkBox(page3);
        QVERIFY(std::abs(onPaper.width() - drawn.width() * 150 / 96) <= 4);
        QVERIFY(std::abs(onPaper.height() - drawn.height() * 150 / 96) <= 4);

        pdf = dir.filePath("diagram.pdf");
        w->SBRPrintStruct->trigger();
        QVERIFY(QFile::exists(pdf));
        QVERIFY(QRegularExpression("Pages:\\s+1\\n").match(PdfInfo(pdf)).hasMatch());
    }
};

QTEST_MAIN(ReportWindowTest)
#include "ReportWindowTest.moc"
