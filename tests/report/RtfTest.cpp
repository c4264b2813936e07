// The report as RTF, read back by an independent reader and, where installed, by
// LibreOffice.
#include "MockWindow.h"
#include "report/ReportText.h"
#include "report/RtfWriter.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

using namespace tubalon::report;
using mock::U;

namespace {

struct Run {
    QString text;
    bool bold = false;
    int halfPoints = 0;
    QString font;
};
struct Paragraph {
    QList<Run> runs;
    QString Text() const {
        QString t;
        for (const Run& r : runs)
            t += r.text;
        return t;
    }
};

// A small RTF reader: groups, \b, \fs, \f, \par, \tab, \uN with \uc, \'hh, the font table.
struct Reader {
    struct State {
        bool bold = false;
        int fs = 24, f = 0, uc = 1;
        QString dest; // "" body, "fonttbl", "skip"
    };
    QList<Paragraph> paras{Paragraph{}};
    QMap<int, QString> fonts;
    QByteArray fontBytes;
    int fontNo = 0;
    bool ok = true;

    void Text(const State& s, const QString& t) {
        if (s.dest == "fonttbl") {
            fontBytes += t.toUtf8();
            return;
        }
        if (!s.dest.isEmpty()) return;
        Run r{t, s.bold, s.fs, fonts.value(s.f)};
        QList<Run>& runs = paras.last().runs;
        if (!runs.isEmpty() && runs.last().bold == r.bold &&
            runs.last().halfPoints == r.halfPoints && runs.last().font == r.font)
            runs.last().text += t;
        else
            runs << r;
    }

    void Parse(const QByteArray& in) {
        QList<State> stack{State{}};
        int depth = 0;
        QStringDecoder gbk("GBK");
        for (qsizetype i = 0; i < in.size();) {
            const char c = in[i];
            State& s = stack.last();
            if (c == '{') {
                stack << stack.last();
                ++depth;
                ++i;
            } else if (c == '}') {
                if (stack.last().dest == "fonttbl" && stack.size() > 1 &&
                    stack[stack.size() - 2].dest == "fonttbl" && !fontBytes.isEmpty()) {
                    QString name = QString::fromUtf8(fontBytes);
                    if (name.endsWith(';')) name.chop(1);
                    fonts[fontNo] = name.trimmed();
                    fontBytes.clear();
                }
                stack.removeLast();
                --depth;
                ++i;
                if (stack.isEmpty()) {
                    ok = false;
                    return;
                }
            } else if (c == '\\') {
                ++i;
                if (i >= in.size()) break;
                if (in[i] == '\'') {
                    const QByteArray hex = in.mid(i + 1, 2);
                    i += 3;
                    QByteArray bytes(1, char(hex.toInt(nullptr, 16)));
                    while (i + 3 < in.size() && in[i] == '\\' && in[i + 1] == '\'') {
                        bytes += char(in.mid(i + 2, 2).toInt(nullptr, 16));
                        i += 4;
                    }
                    if (s.dest == "fonttbl")
                        fontBytes += QString(gbk.decode(bytes)).toUtf8();
                    else
                        Text(s, QString::fromLatin1(bytes));
                    continue;
                }
                if (!std::isalpha(static_cast<unsigned char>(in[i]))) {
                    if (in[i] == '*')
                        s.dest = "skip";
                    else if (in[i] == '~')
                        Text(s, QString(QChar::Nbsp));
                    else
                        Text(s, QString(QChar(in[i])));
                    ++i;
                    continue;
                }
                QByteArray word;
                while (i < in.size() && std::isalpha(static_cast<unsigned char>(in[i])))
                    word += in[i++];
                QByteArray num;
                if (i < in.size() &&
                    (in[i] == '-' || std::isdigit(static_cast<unsigned char>(in[i]))))
                    num += in[i++];
                while (i < in.size() && std::isdigit(static_cast<unsigned char>(in[i])))
                    num += in[i++];
                if (i < in.size() && in[i] == ' ') ++i;
                const int n = num.toInt();
                if (word == "fonttbl")
                    s.dest = "fonttbl";
                else if (word == "colortbl")
                    s.dest = "skip";
                else if (word == "b")
                    s.bold = num.isEmpty() || n != 0;
                else if (word == "fs")
                    s.fs = n;
                else if (word == "f") {
                    s.f = n;
                    fontNo = n;
                } else if (word == "uc")
                    s.uc = n;
                else if (word == "plain") {
                    s.bold = false;
                    s.fs = 24;
                } else if (word == "par") {
                    if (s.dest.isEmpty()) paras << Paragraph{};
                } else if (word == "tab")
                    Text(s, "\t");
                else if (word == "u") {
                    Text(s, QString(QChar(char16_t(n < 0 ? n + 65536 : n))));
                    i += s.uc; // the fallback character
                }
            } else if (c == '\r' || c == '\n') {
                ++i;
            } else {
                Text(s, QString(QChar(c)));
                ++i;
            }
        }
        ok = ok && depth == 0;
    }
};

QList<ReportLine> SampleReport() {
    mock::Window w;
    w.F("WrD")->setText("1.25");
    w.F("mD")->setText("3");
    return BuildReport(w.root, U("进度：42.00%"));
}

} // namespace

class RtfTest : public QObject {
    Q_OBJECT
private slots:
    void escapes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("fragment");
        QTest::newRow("braces and backslash") << "a{b}c\\d" << QByteArray("a\\{b\\}c\\\\d");
        QTest::newRow("chinese as \\u") << U("宋") << QByteArray("\\u23435?");
        QTest::newRow("above 0x7fff negative") << U("\uFF05") << QByteArray("\\u-251?");
        QTest::newRow("tab") << "\tx" << QByteArray("\\tab x");
        QTest::newRow("surrogate pair") << U("\U0001F600") << QByteArray("\\u-10179?\\u-8704?");
    }
    void escapes() {
        QFETCH(QString, text);
        QFETCH(QByteArray, fragment);
        QTextDocument doc;
        doc.setPlainText(text);
        const QByteArray rtf = ToRtf(doc);
        QVERIFY2(rtf.contains(fragment), rtf.constData());
        for (char c : rtf)
            QVERIFY(static_cast<unsigned char>(c) < 0x80);
    }

    void readsBackAsTheBox() {
        const QList<ReportLine> lines = SampleReport();
        QTextEdit box;
        FillBox(box, lines);
        Reader r;
        r.Parse(ToRtf(*box.document()));
        QVERIFY(r.ok);
        QCOMPARE(r.fonts.value(0), U("宋体"));
        QCOMPARE(r.paras.size(), lines.size());
        for (int i = 0; i < lines.size(); ++i) {
            const Paragraph& p = r.paras[i];
            QCOMPARE(p.Text(), lines[i].text);
            if (lines[i].text.isEmpty()) continue;
            QCOMPARE(p.runs.size(), 1);
            QCOMPARE(p.runs[0].bold, lines[i].heading);
            QCOMPARE(p.runs[0].halfPoints, lines[i].heading ? lines[i].pointSize * 2 : 21);
            QCOMPARE(p.runs[0].font, U("宋体"));
        }
    }

    void userEditsAreSaved() {
        QTextEdit box;
        FillBox(box, SampleReport());
        QTextCursor c(box.document());
        c.movePosition(QTextCursor::End);
        c.insertText(U("备注：已校核"));
        Reader r;
        r.Parse(ToRtf(*box.document()));
        QVERIFY(r.paras.last().Text().endsWith(U("备注：已校核")));
    }

    void libreOfficeReadsIt() {
        const QString soffice = QStandardPaths::findExecutable("soffice");
        if (soffice.isEmpty()) QSKIP("LibreOffice is not installed");
        const QList<ReportLine> lines = SampleReport();
        QTextEdit box;
        FillBox(box, lines);
        QTemporaryDir dir;
        const QString doc = dir.filePath("pump.rtf");
        SaveRtf(*box.document(), doc);
        QProcess p;
        p.start(soffice, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless",
                          "--convert-to", "txt:Text (encoded):UTF8", "--outdir", dir.path(), doc});
        QVERIFY(p.waitForFinished(120000));
        QFile txt(dir.filePath("pump.txt"));
        QVERIFY2(txt.open(QIODevice::ReadOnly), p.readAllStandardError().constData());
        QString text = QString::fromUtf8(txt.readAll());
        if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
        // The text export writes each kept blank as U+2006 and a blank.
        text.remove(QChar(0x2006));
        QStringList got = text.split(QRegularExpression("\r?\n"));
        while (!got.isEmpty() && got.last().isEmpty())
            got.removeLast();
        QStringList want;
        for (const ReportLine& l : lines)
            want << l.text;
        QCOMPARE(got, want);
    }
};

QTEST_MAIN(RtfTest)
#include "RtfTest.moc"
