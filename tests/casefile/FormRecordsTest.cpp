// The form-record reader and writer over a small window built by hand.
#include "casefile/SaveFormData.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/UnitLists.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

using namespace tubalon;

namespace {

QByteArray Gbk(const QString& s) {
    QStringEncoder enc("GBK");
    return enc.encode(s);
}

QString FromGbk(const QByteArray& b) {
    QStringDecoder dec("GBK");
    return dec.decode(b);
}

// A file of the given records (each "name|kind|prop|value") after banner and version.
QByteArray FileOf(const QStringList& records, const QString& eol = QStringLiteral("\r\n")) {
    QString s =
        QStringLiteral("Compatible Form Record File") + eol + "Version 1.1,2007.07.17" + eol + eol;
    for (const QString& r : records) {
        for (const QString& part : r.split('|'))
            s += part + eol;
        s += eol;
    }
    return Gbk(s);
}

// A window with one control of each written class.
struct Form {
    std::unique_ptr<QWidget> root = std::make_unique<QWidget>();
    TRadioGroup* flow = nullptr;
    QComboBox* shape = nullptr;
    QLineEdit* name = nullptr;
    QCheckBox* autoBox = nullptr;
    QLabel* label = nullptr;
    TEditD* field = nullptr;
    TComboBoxU* unit = nullptr;
    TRichEdit* note = nullptr;
    QPlainTextEdit* memo = nullptr;
    QListWidget* list = nullptr;
    QPushButton* button = nullptr;

    Form() {
        QWidget* r = root.get();
        flow = new TRadioGroup(QStringLiteral("流型"),
                               {QStringLiteral("逆流"), QStringLiteral("并流")}, 2, r);
        flow->setObjectName("FlowType");
        flow->SetItemIndex(0);
        shape = new QComboBox(r);
        shape->setObjectName("ShapeD");
        shape->addItems(
            {QStringLiteral("直管套管"), QStringLiteral("螺旋套管"), QStringLiteral("夹套釜")});
        name = new QLineEdit(QStringLiteral("[未知]"), r);
        name->setObjectName("EditLHysysName");
        autoBox = new QCheckBox(QStringLiteral("管径自动计算"), r);
        autoBox->setObjectName("CBAuto");
        autoBox->setChecked(true);
        label = new QLabel(QStringLiteral("质量流量"), r);
        label->setObjectName("WrL");
        field = new TEditD(r);
        field->setObjectName("WrD");
        unit = new TComboBoxU(r);
        unit->setObjectName("WrU");
        unit->addItems(UnitItems(UnitKind::MassFlow));
        unit->SetAssociated(field);
        unit->Loaded();
        note = new TRichEdit(r);
        note->setObjectName("CmtsD");
        memo = new QPlainTextEdit(r);
        memo->setObjectName("Memo1");
        list = new QListWidget(r);
        list->setObjectName("CheckList1");
        for (const char* t : {"a", "b", "c"}) {
            auto* it = new QListWidgetItem(QString::fromLatin1(t), list);
            it->setCheckState(Qt::Unchecked);
        }
        button = new QPushButton(QStringLiteral("选择"), r);
        button->setObjectName("SBP1");
    }
    QList<QWidget*> Components() const { return CollectComponents(root.get()); }
    QByteArray Write(bool captions = false, const QStringList& excluded = {}) const {
        return WriteFormRecords(Components(), captions, excluded);
    }
    bool Read(const QByteArray& data) const { return ReadFormRecords(Components(), data); }
};

QString ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}

} // namespace

class FormRecordsTest : public QObject {
    Q_OBJECT
private slots:
    void writesFieldRecordsInOrder();
    void writesNotesListsAndCaptions();
    void memoValues_data();
    void memoValues();
    void roundTripRestoresStatesAndBytes();
    void readAcceptsLayouts_data();
    void readAcceptsLayouts();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();
    void writeRefusesWhatGbkCannotHold();
    void readReactsAsAssignment();
    void factorReadAfterTextConvertsIt();
    void checkListItems();
    void fileLevel();
    void loadRefusesWhatIsNotACaseFile();
};

void FormRecordsTest::writesFieldRecordsInOrder() {
    Form f;
    f.unit->UserPick(2); // t/h
    f.field->setText("1.5");
    const QByteArray bytes = f.Write();
    const QString text = FromGbk(bytes);
    QVERIFY(text.startsWith("Compatible Form Record File\r\nVersion 1.1,2007.07.17\r\n\r\n"
                            "FlowType\r\nOrd\r\nItemIndex\r\n0\r\n\r\n"
                            "ShapeD\r\nOrd\r\nItemIndex\r\n0\r\n\r\n"
                            "EditLHysysName\r\nString\r\nText\r\n"));
    QVERIFY(text.contains("WrD\r\nFloat\r\nExchange\r\n0.277777777777778\r\n\r\n"
                          "WrD\r\nString\r\nText\r\n1.5\r\n\r\n"
                          "WrD\r\nEnum\r\nEnabled\r\nTrue\r\n\r\n"
                          "WrD\r\nEnum\r\nReadOnly\r\nFalse\r\n\r\n"
                          "WrD\r\nOrd\r\nColor\r\n-16777211\r\n\r\n"
                          "WrU\r\nOrd\r\nItemIndex\r\n2\r\n\r\n"));
    QVERIFY(text.endsWith("\r\n\r\n"));
    // Neither labels (no captions asked) nor buttons are written.
    QVERIFY(!text.contains("WrL"));
    QVERIFY(!text.contains("SBP1"));
    // Line ends are CR LF only.
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
}

void FormRecordsTest::writesNotesListsAndCaptions() {
    Form f;
    f.note->setPlainText(QStringLiteral("注释  \nxyz"));
    f.list->item(1)->setCheckState(Qt::Checked);
    f.list->item(2)->setCheckState(Qt::PartiallyChecked);
    const QByteArray bytes = f.Write(true, {"cbauto"});
    QVERIFY(
        bytes.contains("CmtsD\r\nRich\r\nLines\r\n" + Gbk(QStringLiteral("△注释▲△xyz")) + "\r\n"));
    QVERIFY(bytes.contains("CmtsD\r\nRich\r\nLines\r\n\xA1\xF7"));
    QVERIFY(bytes.contains("CheckList1\r\nCheckListBox\r\nItems\r\n" +
                           Gbk(QStringLiteral("a▲0▲b▲1▲c▲2")) + "\r\n"));
    QVERIFY(bytes.contains("WrL\r\nString\r\nCaption\r\n" + Gbk(QStringLiteral("质量流量"))));
    QVERIFY(!bytes.contains("CBAuto"));
}

void FormRecordsTest::memoValues_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("two lines") << "abc\nxyz"
                               << "△abc▲△xyz"
                               << "abc\nxyz";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("blanks") << "  lead  \t\n  "
                            << "△  lead▲△"
                            << "  lead\n";
    QTest::newRow("final line end") << "abc\n"
                                    << "△abc"
                                    << "abc";
    QTest::newRow("empty middle line") << "a\n\nb"
                                       << "△a▲△▲△b"
                                       << "a\n\nb";
}

void FormRecordsTest::memoValues() {
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, readBack);
    Form f;
    f.memo->setPlainText(text);
    const QString file = FromGbk(f.Write());
    QVERIFY2(file.contains("Memo1\r\nMemo\r\nLines\r\n" + value + "\r\n\r\n"), qPrintable(file));
    Form g;
    g.memo->setPlainText("old");
    QVERIFY(g.Read(Gbk(file)));
    QCOMPARE(g.memo->toPlainText(), readBack);
}

void FormRecordsTest::roundTripRestoresStatesAndBytes() {
    Form f;
    f.flow->SetItemIndex(1);
    f.shape->setCurrentIndex(2);
    f.name->setText(QStringLiteral("[未知]"));
    f.name->setEnabled(false);
    f.name->setReadOnly(true);
    f.autoBox->setChecked(false);
    f.unit->UserPick(1);
    f.field->setText("1500");
    f.field->setReadOnly(true);
    SetColorOf(f.field, clComputed);
    f.note->setPlainText(QStringLiteral("第一行\n  第二行"));
    const QByteArray first = f.Write();

    Form g;
    g.field->setEnabled(false);
    QVERIFY(g.Read(first));
    QCOMPARE(g.flow->ItemIndex(), 1);
    QCOMPARE(g.shape->currentIndex(), 2);
    QCOMPARE(g.name->text(), QStringLiteral("[未知]"));
    QVERIFY(!g.name->isEnabled());
    QVERIFY(g.name->isReadOnly());
    QVERIFY(!g.autoBox->isChecked());
    QCOMPARE(g.unit->currentIndex(), 1);
    QCOMPARE(g.field->text(), QStringLiteral("1500"));
    QCOMPARE(g.field->Exchange(), 1.0 / 3600);
    QVERIFY(g.field->isEnabled());
    QVERIFY(g.field->isReadOnly());
    QCOMPARE(ColorOf(g.field), clComputed);
    QCOMPARE(g.note->toPlainText(), QStringLiteral("第一行\n  第二行"));
    QCOMPARE(g.Write(), first);
}

void FormRecordsTest::readAcceptsLayouts_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("text"); // WrD afterwards
    const QStringList recs = {"WrD|String|Text|42", "ShapeD|Ord|ItemIndex|1"};
    QTest::newRow("plain") << FileOf(recs) << "42";
    QTest::newRow("LF only") << FileOf(recs, "\n") << "42";
    QTest::newRow("CR only") << FileOf(recs, "\r") << "42";
    QTest::newRow("trailing blank lines") << FileOf(recs) + "\r\n\r\n  \t\r\n"
                                          << "42";
    QTest::newRow("no final empty line") << FileOf(recs).chopped(2) << "42";
    QTest::newRow("banner only") << QByteArray("Compatible Form Record File") << "7";
    QTest::newRow("banner and version")
        << QByteArray("Compatible Form Record File\r\nV 0\r\n") << "7";
    QTest::newRow("unknown names and properties")
        << FileOf({"NoSuch|Ord|ItemIndex|zz", "WrD|String|Width|x", "WrD|Ord|Text|x",
                   "ShapeD|String|Text|x", "WrD|String|Text|42"})
        << "42";
    QTest::newRow("letter case of names") << FileOf({"wrd|String|text|42"}) << "42";
    QTest::newRow("other order") << FileOf({"ShapeD|Ord|ItemIndex|1", "WrD|String|Text|42"})
                                 << "42";
    QTest::newRow("extra blank lines between records")
        << FileOf({"ShapeD|Ord|ItemIndex|1"}) + "\r\n\r\nWrD\r\nString\r\nText\r\n42\r\n\r\n"
        << "42";
    // Saved by another editor: the document commands ask before they take it.
    const QString utf8 = QStringLiteral("Compatible Form Record File\r\nVersion 1.1,2007.07.17\r\n"
                                        "\r\nCmtsD\r\nRich\r\nLines\r\n△热水▲△注释\r\n\r\n"
                                        "WrD\r\nString\r\nText\r\n42\r\n\r\n");
    QTest::newRow("UTF-8") << utf8.toUtf8() << "42";
    QTest::newRow("UTF-8 with byte-order mark") << "\xEF\xBB\xBF" + utf8.toUtf8() << "42";
}

void FormRecordsTest::readAcceptsLayouts() {
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    Form f;
    f.field->setText("7");
    QVERIFY(f.Read(data));
    QCOMPARE(f.field->text(), text);
    if (QTest::currentDataTag() == QByteArray("UTF-8"))
        QCOMPARE(f.note->toPlainText(), QStringLiteral("热水\n注释"));
}

void FormRecordsTest::damagedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    // A bad value of the second record (lines 9 to 13, its value on line 12): the whole file
    // is refused, the first record included.
    const auto bad = [](const QString& record) {
        return FileOf({"WrD|String|Text|1", record, "EditLHysysName|String|Text|z"});
    };
    const QString at12 = QStringLiteral("项目文件已损坏：第12行：");
    QTest::newRow("float") << bad("WrD|Float|Exchange|abc")
                           << at12 + "WrD Exchange 的值“abc”不是有效的数字。";
    QTest::newRow("empty float") << bad("WrD|Float|Exchange|")
                                 << at12 + "WrD Exchange 的值“”不是有效的数字。";
    QTest::newRow("zero factor")
        << bad("WrD|Float|Exchange|0")
        << at12 + "WrD Exchange 的值“0”不是有效的单位换算系数（必须是正数）。";
    QTest::newRow("huge factor") << bad("WrD|Float|Exchange|1e999")
                                 << at12 + "WrD Exchange 的值“1e999”不是有效的数字。";
    QTest::newRow("empty ord") << bad("WrD|Ord|Color|")
                               << at12 + "WrD Color 的值“”不是有效的整数。";
    QTest::newRow("ord too big") << bad("WrD|Ord|Color|2147483648")
                                 << at12 + "WrD Color 的值“2147483648”不是有效的整数。";
    QTest::newRow("ord text") << bad("ShapeD|Ord|ItemIndex|1x")
                              << at12 + "ShapeD ItemIndex 的值“1x”不是有效的整数。";
    QTest::newRow("enum") << bad("CBAuto|Enum|Checked|Yes")
                          << at12 + "管径自动计算 Checked 的值“Yes”不是 True 或 False。";
    QTest::newRow("index past end")
        << bad("ShapeD|Ord|ItemIndex|3") << at12 + "ShapeD ItemIndex 的值 3 超出范围 0～2。";
    QTest::newRow("index 99") << bad("FlowType|Ord|ItemIndex|99")
                              << at12 + "流型 ItemIndex 的值 99 超出范围 0～1。";
    QTest::newRow("index -1") << bad("FlowType|Ord|ItemIndex|-1")
                              << at12 + "流型 ItemIndex 的值 -1 超出范围 0～1。";
    QTest::newRow("index below -1")
        << bad("FlowType|Ord|ItemIndex|-2") << at12 + "流型 ItemIndex 的值 -2 超出范围 0～1。";
    QTest::newRow("too many items")
        << bad(QStringLiteral("CheckList1|CheckListBox|Items|a▲1▲b▲1▲c▲1▲d▲1"))
        << at12 + "CheckList1 的项目多于列表的 3 项。";
    QTest::newRow("unknown kind") << bad("WrD|Blob|Text|x")
                                  << QStringLiteral("项目文件已损坏：第10行：“Blob”不是记录类型。");
    QTest::newRow("name that is a value")
        << bad("1.5|String|Text|x") << QStringLiteral("项目文件已损坏：第9行：“1.5”不是控件名。");

    const QByteArray good = FileOf({"WrD|String|Text|1"});
    QTest::newRow("cut in a record") << good + "ShapeD\r\nOrd\r\n"
                                     << "项目文件已损坏：第9行：记录不完整。";
    QTest::newRow("cut after the property") << good + "ShapeD\r\nOrd\r\nItemIndex\r\n"
                                            << "项目文件已损坏：第9行：记录不完整。";
    QTest::newRow("a line missing")
        << good + "ShapeD\r\nOrd\r\nItemIndex\r\n\r\nWrD\r\nString\r\nText\r\n2\r\n\r\n"
        << "项目文件已损坏：第13行：“WrD”处应是记录之间的空行。";
    QTest::newRow("binary") << good + QByteArray("ShapeD\r\nOrd\x00\x01\r\n", 14)
                            << "项目文件已损坏：第10行：含有控制字符，不是文本。";
    QTest::newRow("huge line") << good + "WrD\r\nString\r\nText\r\n" + QByteArray(300 * 1024, 'x') +
                                      "\r\n\r\n"
                               << "项目文件已损坏：第12行：行太长。";
    QTest::newRow("too large") << good + QByteArray(kMaxFormRecordBytes, ' ')
                               << "项目文件太大（超过8 MB），不是有效的项目文件。";
    QTest::newRow("doubled CR") << FileOf({"WrD|String|Text|1"}, "\r\r\n")
                                << "项目文件已损坏：第2行：行尾是 CR LF，与前面各行的 CR 不同。";
    QTest::newRow("LF among CR LF")
        << good + "ShapeD\nOrd\r\nItemIndex\r\n1\r\n\r\n"
        << "项目文件已损坏：第9行：行尾是 LF，与前面各行的 CR LF 不同。";
    QTest::newRow("neither GBK nor UTF-8")
        << good + "EditLHysysName\r\nString\r\nText\r\n" + QByteArray("\xFF\xFE\r\n\r\n")
        << "项目文件已损坏：第12行：含有无法识别的字符（既不是 GBK 也不是 UTF-8 编码）。";
}

void FormRecordsTest::damagedFileChangesNothing() {
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    Form f;
    f.field->setText("7");
    f.shape->setCurrentIndex(1);
    const QByteArray before = f.Write();
    QCOMPARE(ErrorOf([&] { f.Read(data); }), message);
    QCOMPARE(f.field->text(), QStringLiteral("7"));
    QCOMPARE(f.name->text(), QStringLiteral("[未知]"));
    QCOMPARE(f.Write(), before);
    // A file's name goes into the message.
    const QString named = ErrorOf([&] { ReadFormRecords(f.Components(), data, "/x/a.cdp"); });
    QVERIFY2(named.contains("/x/a.cdp"), qPrintable(named));
}

void FormRecordsTest::writeRefusesWhatGbkCannotHold() {
    QTemporaryDir dir;
    const QString path = dir.filePath("case.cdp");
    Form f;
    f.note->setPlainText(QStringLiteral("热水"));
    SaveFormRecords(f.Components(), path, false, {});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();
    f.note->setPlainText(QStringLiteral("热水😀"));
    const QString message =
        QStringLiteral("无法保存：CmtsD中的字符“😀”（U+1F600）不能以 GBK 编码保存，"
                       "请删去或换掉这个字符。");
    QCOMPARE(ErrorOf([&] { f.Write(); }), message);
    QCOMPARE(ErrorOf([&] { SaveFormRecords(f.Components(), path, false, {}); }), message);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved); // never a "?" in place of it
}

void FormRecordsTest::readReactsAsAssignment() {
    Form f;
    QSignalSpy textChanged(f.field, &QLineEdit::textChanged);
    QSignalSpy boxClicked(f.autoBox, &QCheckBox::clicked);
    QSignalSpy groupClicked(f.flow, &TRadioGroup::Clicked);
    f.flow->setEnabled(false); // a disabled group still takes the index and reacts
    QVERIFY(
        f.Read(FileOf({"WrD|String|Text|5", "CBAuto|Enum|Checked|False", "FlowType|Ord|ItemIndex|1",
                       "CBAuto|Enum|Checked|false", "FlowType|Ord|ItemIndex|1"})));
    QCOMPARE(textChanged.count(), 1);
    QCOMPARE(boxClicked.count(), 1); // only the change reacts
    QCOMPARE(groupClicked.count(), 1);
    QCOMPARE(f.flow->ItemIndex(), 1);
    QVERIFY(!f.autoBox->isChecked());
}

void FormRecordsTest::factorReadAfterTextConvertsIt() {
    Form f;
    QVERIFY(f.Read(FileOf({"WrD|String|Text|1.5", "WrD|Float|Exchange|0.27778"})));
    QCOMPARE(f.field->text(), QStringLiteral("5.3999568003456")); // 1.5 kg/s shown in t/h
    Form g;
    QVERIFY(g.Read(FileOf({"WrD|Float|Exchange|0.27778", "WrD|String|Text|1.5"})));
    QCOMPARE(g.field->text(), QStringLiteral("1.5"));
    QCOMPARE(g.field->Exchange(), 0.27778);
}

void FormRecordsTest::checkListItems() {
    Form f;
    QVERIFY(f.Read(FileOf({QStringLiteral("CheckList1|CheckListBox|Items|x▲1▲y▲2")})));
    QCOMPARE(f.list->item(0)->text(), QStringLiteral("x"));
    QCOMPARE(f.list->item(0)->checkState(), Qt::Checked);
    QCOMPARE(f.list->item(1)->text(), QStringLiteral("y"));
    QCOMPARE(f.list->item(1)->checkState(), Qt::Unchecked); // greyed reads as unchecked
    QCOMPARE(f.list->item(2)->text(), QStringLiteral("c"));
}

void FormRecordsTest::fileLevel() {
    QTemporaryDir dir;
    Form f;
    f.field->setText("3");
    const QString path = dir.filePath("case.cdp");
    SaveFormRecords(f.Components(), path, false, {});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), f.Write());
    file.close();

    Form g;
    QVERIFY(LoadFormRecords(g.Components(), path));
    QCOMPARE(g.field->text(), QStringLiteral("3"));
    QVERIFY(!LoadFormRecords(g.Components(), dir.filePath("missing.cdp")));

    // A wrong first line changes nothing.
    QFile other(dir.filePath("other.cdp"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write("Compatible Form Record File \r\n\r\n\r\nWrD\r\nString\r\nText\r\n9\r\n\r\n");
    other.close();
    QVERIFY(!LoadFormRecords(g.Components(), other.fileName()));
    QCOMPARE(g.field->text(), QStringLiteral("3"));

    // A save that cannot complete leaves the old file and no temporary beside it.
    const QString missingDir = dir.filePath("no/such/dir/case.cdp");
    QVERIFY(ErrorOf([&] {
                SaveFormRecords(f.Components(), missingDir, false, {});
            }).startsWith("Cannot create file"));
    QVERIFY(ErrorOf([&] { LoadFormRecords(g.Components(), dir.path()); }).contains("不是普通文件"));
    const QString sub = dir.filePath("sub.cdp");
    QVERIFY(QDir(dir.path()).mkdir("sub.cdp"));
    const QString subError = ErrorOf([&] { SaveFormRecords(f.Components(), sub, false, {}); });
    QVERIFY(subError.startsWith("Cannot create file"));

    // Saving over a file replaces it whole and keeps its permissions; no temporary stays.
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    f.field->setText("4");
    SaveFormRecords(f.Components(), path, false, {});
    QCOMPARE(QFile(path).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser);
    QVERIFY(LoadFormRecords(g.Components(), path));
    QCOMPARE(g.field->text(), QStringLiteral("4"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"case.cdp", "other.cdp"}));

    // A read-only file is not replaced: the message says so, bytes and mode stay.
    QFile ro(path);
    QVERIFY(ro.open(QIODevice::ReadOnly));
    const QByteArray kept = ro.readAll();
    ro.close();
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadUser));
    f.field->setText("5");
    QVERIFY(ErrorOf([&] {
                SaveFormRecords(f.Components(), path, false, {});
            }).contains("是只读文件，没有保存"));
    QVERIFY(ro.open(QIODevice::ReadOnly));
    QCOMPARE(ro.readAll(), kept);
    ro.close();
    const QFileDevice::Permissions forUser =
        QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
    QCOMPARE(QFile(path).permissions() & ~forUser, QFileDevice::ReadOwner);

    // Saving through a link replaces the file it points to; the link stays a link.
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    const QString link = dir.filePath("link.cdp");
    QVERIFY(QFile::link(path, link));
    SaveFormRecords(f.Components(), link, false, {});
    QVERIFY(QFileInfo(link).isSymLink());
    QVERIFY(LoadFormRecords(g.Components(), path));
    QCOMPARE(g.field->text(), QStringLiteral("5"));
}

// Whatever is at the path, loading returns at once and reads no byte of a file too large.
void FormRecordsTest::loadRefusesWhatIsNotACaseFile() {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.cdp");
    QVERIFY(mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    const QString huge = dir.filePath("huge.cdp");
    QFile h(huge);
    QVERIFY(h.open(QIODevice::WriteOnly));
    h.write(kFormRecordBanner);
    QVERIFY(h.resize(200LL * 1024 * 1024)); // sparse
    h.close();
    Form f;
    f.field->setText("7");
    QVERIFY(ErrorOf([&] { LoadFormRecords(f.Components(), fifo); }).contains("不是普通文件"));
    QVERIFY(ErrorOf([&] { LoadFormRecords(f.Components(), huge); }).contains("太大"));
    QCOMPARE(f.field->text(), QStringLiteral("7"));
}

QTEST_MAIN(FormRecordsTest)
#include "FormRecordsTest.moc"
