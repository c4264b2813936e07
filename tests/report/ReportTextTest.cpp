// The calculation report read from the window's controls.
#include "report/ReportText.h"
#include "MockWindow.h"

#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

using namespace tubalon::report;
using mock::U;

namespace {
QString Blanks(int n) {
    return QString(n, QChar(' '));
}

QStringList Texts(const QList<ReportLine>& lines) {
    QStringList out;
    for (const ReportLine& l : lines)
        out << l.text;
    return out;
}

// The first line that starts with the indent and this caption.
QString RowOf(const QList<ReportLine>& lines, const QString& caption, int occurrence = 0) {
    for (const ReportLine& l : lines)
        if (!l.heading && l.text.startsWith(Blanks(8) + caption + " ") && occurrence-- == 0)
            return l.text;
    return {};
}

void Fill(mock::Window& w) {
    const std::pair<const char*, const char*> values[] = {
        {"WrD", "1.2"},     {"Tr1D", "90"},     {"Tr2D", "60"},     {"QrD", "150000"},
        {"QLD", "350.5"},   {"CprD", "4190"},   {"DenrD", "971.8"}, {"MrD", "0.000355"},
        {"LdrD", "0.674"},  {"mD", "4"},        {"dooD", "0.057"},  {"doiD", "0.05"},
        {"SlD", "6"},       {"BpD", "0.03"},    {"TaD", "20"},      {"UrD", "1.03"},
        {"DpsD", "2210"},   {"RsD", "0.00017"}, {"krD", "4300"},    {"KlD", "9.5"},
        {"TwaD", "74.1"},   {"TwD", "28.3"},    {"WtD", "1.5"},     {"Tt1D", "20"},
        {"Tt2D", "44"},     {"QtD", "150000"},  {"CptD", "4180"},   {"DentD", "998"},
        {"MtD", "0.001"},   {"LdtD", "0.6"},    {"dioD", "0.032"},  {"diiD", "0.026"},
        {"ErD", "0.0001"},  {"EtD", "0.00005"}, {"UtD", "2.83"},    {"DptD", "12000"},
        {"RtD", "0.00034"}, {"ktD", "9800"},    {"QaD", "150000"},  {"AdtD", "42.6"},
        {"HLPD", "0.23"},   {"LaD", "24"},      {"KaD", "1520"},    {"AcD", "2.3"},
        {"ArD", "2.41"},    {"CsD", "4.8"}};
    for (const auto& [n, v] : values)
        w.F(n)->setText(QString::fromLatin1(v));
    w.Get<QLineEdit>("HTrD")->setText(U("热流体"));
    w.Get<QLineEdit>("HTtD")->setText(U("冷流体"));
}
} // namespace

class ReportTextTest : public QObject {
    Q_OBJECT
private slots:
    void rows_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("expected");
        const QString kg = "kg/s" + Blanks(16);
        QTest::newRow("number with 4 decimals")
            << U("质量流量") << "12.5" << kg
            << Blanks(8) + U("质量流量") + Blanks(12) + "12.5000" + Blanks(13) + kg;
        QTest::newRow("not a number printed as is")
            << U("质量流量") << "abc" << kg
            << Blanks(8) + U("质量流量") + Blanks(12) + "abc" + Blanks(17) + kg;
        QTest::newRow("empty field gives an empty column")
            << U("质量流量") << "" << kg << Blanks(8) + U("质量流量") + Blanks(32) + kg;
        QTest::newRow("blanks around a number")
            << U("密度") << " 998 "
            << "kg/m3"
            << Blanks(8) + U("密度") + Blanks(16) + "998.0000" + Blanks(12) + "kg/m3" + Blanks(15);
        // Small numbers keep four significant digits (they printed as -0.0001 with 4 decimals).
        QTest::newRow("exponent and sign")
            << U("污垢热阻") << "-1.5E-4"
            << "" << Blanks(8) + U("污垢热阻") + Blanks(12) + "-0.00015" + Blanks(12) + Blanks(20);
        QTest::newRow("no field selector: 20 blanks")
            << U("管程数") << "2.2" << Blanks(20)
            << Blanks(8) + U("管程数") + Blanks(14) + "2.2000" + Blanks(14) + Blanks(20);
        QTest::newRow("decimal comma is text")
            << "x"
            << "1,5"
            << "m" << Blanks(8) + "x" + Blanks(19) + "1,5" + Blanks(17) + "m" + Blanks(19);
        QTest::newRow("long text is not cut")
            << U("管外表壁温") << U("未知温度未知温度未知温度") << "C"
            << Blanks(8) + U("管外表壁温") + Blanks(10) + U("未知温度未知温度未知温度") + "C" +
                   Blanks(19);
        // Beyond 1e7 a number is written in scientific notation (it printed
        // 1500000000000000000000.0000).
        QTest::newRow("large number in scientific notation")
            << "x"
            << "1.5e21"
            << "m" << Blanks(8) + "x" + Blanks(19) + "1.5E+21" + Blanks(13) + "m" + Blanks(19);
    }
    // At least four significant digits; fixed with four decimals or more from 1e-4 to 1e7.
    void numbers_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("water viscosity at 60 C") << 0.000404 << "0.000404";
        QTest::newRow("water viscosity at 30 C") << 0.000801 << "0.000801";
        QTest::newRow("steam viscosity") << 0.0000142 << "1.42E-05";
        QTest::newRow("four decimals kept") << 12.5 << "12.5000";
        QTest::newRow("zero") << 0.0 << "0.0000";
        QTest::newRow("duty") << 83600.0 << "83600.0000";
        QTest::newRow("share of heat lost") << 0.0058032 << "0.005803";
        QTest::newRow("rounding at the fourth digit") << 0.00099996 << "0.0010";
        QTest::newRow("lower edge of fixed") << 0.0001 << "0.0001";
        QTest::newRow("just below it") << 0.0000999 << "9.99E-05";
        QTest::newRow("below 1e7") << 9999999.0 << "9999999.0000";
        QTest::newRow("from 1e7 on") << 12345678.0 << "1.235E+07";
        QTest::newRow("negative small") << -0.000123456 << "-0.0001235";
        QTest::newRow("latent heat") << 2257000.0 << "2257000.0000";
    }
    void numbers() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(ReportNumber(value), text);
    }

    void rows() {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QString, unit);
        QFETCH(QString, expected);
        QCOMPARE(FieldRow(caption, text, unit), expected);
    }

    void wholeReport() {
        mock::Window w;
        Fill(w);
        const QList<ReportLine> lines =
            BuildReport(w.root, U("进度：100.00%"), {"/data/cases/pump.cdp", QDate(2024, 5, 6)});
        const QString kgs = "kg/s" + Blanks(16), c = "C" + Blanks(19), m = "m" + Blanks(19);
        // Headings and the order of the rows, by their first column.
        QStringList heads;
        for (const ReportLine& l : lines)
            if (l.heading) heads << QString::number(l.pointSize) + ":" + l.text;
        QCOMPARE(
            heads,
            QStringList({"14:\t\t\tTubalon " + U("计算报告"), "14:\t\t\t~~~~~~~~~~~~~~~",
                         "11:    0." + U("基本参数"), "11:    1." + U("外管数据"),
                         "11:      " + U("工艺数据"), "11:      " + U("物性数据"),
                         "11:      " + U("壳程参数及计算结果"), "11:    2." + U("内管数据"),
                         "11:      " + U("工艺数据"), "11:      " + U("物性数据"),
                         "11:      " + U("管程参数及计算结果"), "11:    3." + U("简明计算结果")}));
        QCOMPARE(lines[0].text, QString());
        QCOMPARE(lines[1].text, QString());
        const QStringList t = Texts(lines);
        const QString b8 = Blanks(8);
        const QStringList expectedStart = {
            "",
            "",
            "\t\t\tTubalon " + U("计算报告"),
            "\t\t\t~~~~~~~~~~~~~~~",
            b8 + U("项目文件") + Blanks(12) + "pump.cdp" + Blanks(12) + "-" + Blanks(19),
            b8 + U("计算日期") + Blanks(12) + "2024-05-06" + Blanks(10) + "-" + Blanks(19),
            b8 + U("外管注释") + Blanks(12) + "-",
            b8 + U("内管注释") + Blanks(12) + "-",
            "    0." + U("基本参数"),
            b8 + U("设备形式") + Blanks(12) + U("直管套管") + Blanks(12) + "-" + Blanks(19),
            b8 + U("计算类型") + Blanks(12) + U("设计型") + Blanks(14) + "-" + Blanks(19),
            b8 + U("流型") + Blanks(16) + U("逆流") + Blanks(16) + "-" + Blanks(19),
            b8 + U("要求富余度") + Blanks(10) + "0" + Blanks(19) + "%" + Blanks(19),
            b8 + U("管径自动计算") + Blanks(8) + U("是") + Blanks(18) + "-" + Blanks(19),
            "    1." + U("外管数据"),
            "      " + U("工艺数据"),
            b8 + U("流体相态") + Blanks(12) + U("单相流体") + Blanks(12) + "-" + Blanks(19),
            b8 + U("流体类型") + Blanks(12) + U("热流体") + Blanks(14) + "-" + Blanks(19),
            b8 + U("不凝气体") + Blanks(12) + "0.00" + Blanks(16) + "%" + Blanks(19),
            b8 + U("质量流量") + Blanks(12) + "1.2000" + Blanks(14) + kgs,
            b8 + U("入口温度") + Blanks(12) + "90.0000" + Blanks(13) + c,
            b8 + U("出口温度") + Blanks(12) + "60.0000" + Blanks(13) + c,
            b8 + U("环道热量") + Blanks(12) + "150000.0000" + Blanks(9) + "W" + Blanks(19),
            b8 + U("环境热损") + Blanks(12) + "350.5000" + Blanks(12) + "W" + Blanks(19),
            "      " + U("物性数据"),
        };
        QCOMPARE(t.mid(0, expectedStart.size()), expectedStart);

        // The rows between the headings, by caption: disabled vapour rows are missing.
        auto captions = [&](int from, int to) {
            QStringList out;
            for (int i = from + 1; i < to; ++i)
                out << t[i].mid(8).section(' ', 0, 0);
            return out;
        };
        auto at = [&](const QString& h, int occurrence = 0) {
            for (int i = 0; i < t.size(); ++i)
                if (t[i] == h && occurrence-- == 0) return i;
            return -1;
        };
        const int props = at("      " + U("物性数据")),
                  shell = at("      " + U("壳程参数及计算结果"));
        const int inner = at("    2." + U("内管数据")), props2 = at("      " + U("物性数据"), 1);
        const int tube = at("      " + U("管程参数及计算结果")),
                  sum = at("    3." + U("简明计算结果"));
        QCOMPARE(captions(props, shell),
                 QStringList({U("平均比热"), U("密度"), U("动力粘度"), U("导热系数")}));
        QCOMPARE(captions(shell, inner),
                 QStringList({U("管程数"), U("绝对粗糙度"), U("管外径"), U("管内径"), U("单程管长"),
                              U("壳体材质"), U("保温材料"), U("保温层厚"), U("环境温度"), U("流速"),
                              U("压力降"), U("污垢热阻"), U("环道膜系数"), U("环境膜系数"),
                              U("管外表壁温"), U("保温外壁温")}));
        QCOMPARE(captions(props2, tube),
                 QStringList({U("平均比热"), U("密度"), U("动力粘度"), U("导热系数")}));
        QCOMPARE(captions(tube, sum),
                 QStringList({U("绝对粗糙度"), U("管外径"), U("管内径"), U("管子材质"), U("流速"),
                              U("压力降"), U("污垢热阻"), U("膜系数")}));
        QCOMPARE(
            t.mid(sum + 1),
            QStringList(
                {b8 + U("运行结果") + Blanks(12) + U("进度：100.00%") + Blanks(7) + "-" +
                     Blanks(19),
                 b8 + U("传递热量") + Blanks(12) + "150000.0000" + Blanks(9) + "W" + Blanks(19),
                 b8 + U("平均温度差") + Blanks(10) + "42.6000" + Blanks(13) + c,
                 b8 + U("壳程热损") + Blanks(12) + "0.2300" + Blanks(14) + "%" + Blanks(19),
                 b8 + U("总管长") + Blanks(14) + "24.0000" + Blanks(13) + m,
                 b8 + U("总传热系数") + Blanks(10) + "1520.0000" + Blanks(11) + "W/(m2.K)" +
                     Blanks(12),
                 b8 + U("理论面积") + Blanks(12) + "2.3000" + Blanks(14) + "m2" + Blanks(18),
                 b8 + U("实际面积") + Blanks(12) + "2.4100" + Blanks(14) + "m2" + Blanks(18),
                 b8 + U("实际富裕度") + Blanks(10) + "4.8000" + Blanks(14) + "%" + Blanks(19)}));
        // Material names: the first 16 (shell, insulation) or 20 (tube) characters.
        QCOMPARE(RowOf(lines, U("壳体材质")), b8 + U("壳体材质") + Blanks(12) + U("低碳钢") +
                                                  Blanks(13) + Blanks(1) + "-" + Blanks(19));
        QCOMPARE(RowOf(lines, U("管子材质")),
                 b8 + U("管子材质") + Blanks(12) + U("低碳钢") + Blanks(17) + "-" + Blanks(19));
        QCOMPARE(RowOf(lines, U("管程数")),
                 b8 + U("管程数") + Blanks(14) + "4.0000" + Blanks(14) + U("程/圈") + Blanks(17));
        // Both roughnesses, in the unit shown.
        QCOMPARE(RowOf(lines, U("绝对粗糙度")),
                 b8 + U("绝对粗糙度") + Blanks(10) + "0.0001" + Blanks(14) + m);
        QCOMPARE(RowOf(lines, U("绝对粗糙度"), 1),
                 b8 + U("绝对粗糙度") + Blanks(10) + "5E-05" + Blanks(15) + m);
    }

    // The head names the case file and the day, and carries the two notes on one line each.
    void headBlock() {
        mock::Window w;
        w.Get<tubalon::TRichEdit>("CmtsD")->SetText(U("蒸汽来自锅炉房\n0.4 MPa"));
        w.Get<tubalon::TRichEdit>("CmttD")->SetText({});
        QList<ReportLine> lines = BuildReport(w.root, {}, {{}, QDate(2011, 10, 1)});
        QCOMPARE(RowOf(lines, U("项目文件")), Blanks(8) + U("项目文件") + Blanks(12) +
                                                  U("（未保存）") + Blanks(10) + "-" + Blanks(19));
        QCOMPARE(RowOf(lines, U("计算日期")).mid(24, 10), QStringLiteral("2011-10-01"));
        QCOMPARE(RowOf(lines, U("外管注释")),
                 Blanks(8) + U("外管注释") + Blanks(12) + U("蒸汽来自锅炉房 0.4 MPa"));
        QCOMPARE(RowOf(lines, U("内管注释")), Blanks(8) + U("内管注释") + Blanks(12) + "-");
        // Without a date the report carries today's.
        lines = BuildReport(w.root, {});
        QCOMPARE(RowOf(lines, U("计算日期")).mid(24, 10),
                 QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    }

    void enabledStateDecidesRows() {
        mock::Window w;
        Fill(w);
        const QStringList vapour = {U("相变热"), U("蒸汽密度"), U("蒸汽动力粘度"), U("蒸汽流速")};
        QList<ReportLine> single = BuildReport(w.root, {});
        for (const QString& v : vapour)
            QVERIFY2(RowOf(single, v).isEmpty(), qPrintable(v));
        QVERIFY(RowOf(single, U("放置形式")).isEmpty());

        w.CondensingAnnulus();
        w.F("DHrD")->setText("2257000");
        w.Get<QWidget>("LayType")->setEnabled(true);
        w.Get<tubalon::TRadioGroup>("LayType")->SetItemIndex(1);
        w.Get<QCheckBox>("CBAuto")->setChecked(false);
        const QList<ReportLine> cond = BuildReport(w.root, {});
        for (const QString& v : vapour)
            QVERIFY2(!RowOf(cond, v).isEmpty(), qPrintable(v));
        QCOMPARE(RowOf(cond, U("相变热")), Blanks(8) + U("相变热") + Blanks(14) + "2257000.0000" +
                                               Blanks(8) + "J/kg" + Blanks(16));
        QCOMPARE(RowOf(cond, U("蒸汽密度")),
                 Blanks(8) + U("蒸汽密度") + Blanks(32) + "kg/m3" + Blanks(15));
        QCOMPARE(RowOf(cond, U("放置形式")), Blanks(8) + U("放置形式") + Blanks(12) + U("卧式") +
                                                 Blanks(16) + "-" + Blanks(19));
        QCOMPARE(RowOf(cond, U("管径自动计算")), Blanks(8) + U("管径自动计算") + Blanks(8) +
                                                     U("否") + Blanks(18) + "-" + Blanks(19));
        // The inner side's latent heat has its unit under another spelling of the name.
        w.F("DHtD")->setEnabled(true);
        w.F("DHtD")->setText("1");
        const QList<ReportLine> inner = BuildReport(w.root, {});
        QCOMPARE(RowOf(inner, U("相变热"), 1), Blanks(8) + U("相变热") + Blanks(14) + "1.0000" +
                                                   Blanks(14) + "J/kg" + Blanks(16));
    }

    void changedCaptionAndUnitArePrinted() {
        mock::Window w;
        w.Get<QLabel>("SlL")->setText(U("盘管直径"));
        w.F("SlD")->setText("1.5");
        w.Get<QComboBox>("SlU")->setCurrentIndex(3);
        w.Get<QComboBox>("PmD")->setCurrentIndex(1);
        const QList<ReportLine> lines = BuildReport(w.root, {});
        QCOMPARE(RowOf(lines, U("盘管直径")), Blanks(8) + U("盘管直径") + Blanks(12) + "1.5000" +
                                                  Blanks(14) + "mm" + Blanks(18));
        // A long insulation name keeps its first 16 characters whole.
        QCOMPARE(RowOf(lines, U("保温材料")), Blanks(8) + U("保温材料") + Blanks(12) +
                                                  U("酚醛树脂矿棉板,壳,一级") + Blanks(4) + "-" +
                                                  Blanks(19));
    }

    void boxHoldsOneCopyWithBoldHeadings() {
        mock::Window w;
        Fill(w);
        QTextEdit box;
        const QList<ReportLine> lines = BuildReport(w.root, {});
        FillBox(box, lines);
        FillBox(box, lines);
        QTextDocument* doc = box.document();
        QCOMPARE(doc->blockCount(), int(lines.size()));
        QCOMPARE(box.toPlainText() + "\n", PlainText(lines));
        for (int i = 0; i < lines.size(); ++i) {
            const QTextBlock b = doc->findBlockByNumber(i);
            if (lines[i].text.isEmpty()) continue;
            const QTextCharFormat f = b.begin().fragment().charFormat();
            QCOMPARE(f.fontWeight() >= QFont::Bold, lines[i].heading);
            QCOMPARE(f.fontFamilies().toStringList().value(0), U("宋体"));
            if (lines[i].heading)
                QCOMPARE(f.fontPointSize(), double(lines[i].pointSize));
            else
                QCOMPARE(f.intProperty(QTextFormat::FontPixelSize), 14);
        }
        QCOMPARE(box.textCursor().position(), 0);
        QVERIFY(!box.textCursor().hasSelection());
    }
};

QTEST_MAIN(ReportTextTest)
#include "ReportTextTest.moc"
