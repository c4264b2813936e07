// The form-record reader and writer over a small window built by hand.
#include "docs/SaveFormData.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/UnitLists.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
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
    void readRejectsBadValues_data();
    void readRejectsBadValues();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();
    void readReactsAsAssignment();
    void factorReadAfterTextConvertsIt();
    void checkListItems();
    void fileLevel();
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
    QTest::newRow("trailing blank lines") << FileOf(recs) + "\r\n\r\n  \t\r\n"
                                          << "42";
    QTest::newRow("no final empty line") << FileOf(recs).chopped(2) << "42";
    QTest::newRow("banner only") << QByteArray("Compatible Form Record File") << "7";
    QTest::newRow("banner and version")
        << QByteArray("Compatible Form Record File\r\nV 0\r\n") << "7";
    QTest::newRow("unknown names, kinds and properties")
        << FileOf({"NoSuch|Ord|ItemIndex|zz", "WrD|Blob|Text|x", "WrD|String|Width|x",
                   "WrD|Ord|Text|x", "ShapeD|String|Text|x", "WrD|String|Text|42"})
        << "42";
    QTest::newRow("letter case of names") << FileOf({"wrd|String|text|42"}) << "42";
    QTest::newRow("other order") << FileOf({"ShapeD|Ord|ItemIndex|1", "WrD|String|Text|42"})
                                 << "42";
    QTest::newRow("extra blank lines between records")
        << FileOf({"ShapeD|Ord|ItemIndex|1"}) + "\r\n\r\nWrD\r\nString\r\nText\r\n42\r\n\r\n"
        << "42";
}

void FormRecordsTest::readAcceptsLayouts() {
    QFETCH(QByteArray, data);
    QFETCH(QString, text);
    Form f;
    f.field->setText("7");
    QVERIFY(f.Read(data));
    QCOMPARE(f.field->text(), text);
}

void FormRecordsTest::readRejectsBadValues_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<QString>("message");
    QTest::newRow("float") << "WrD|Float|Exchange|abc"
                           << "“abc” 不是有效的数字";
    QTest::newRow("empty float") << "WrD|Float|Exchange|"
                                 << "没有数值";
    QTest::newRow("zero factor") << "WrD|Float|Exchange|0"
                                 << "单位换算系数“0”无效，必须是正数。";
    QTest::newRow("huge factor") << "WrD|Float|Exchange|1e999"
                                 << "“1e999” 不是有效的数字";
    QTest::newRow("empty ord") << "WrD|Ord|Color|"
                               << "'' is not a valid integer value";
    QTest::newRow("ord too big") << "WrD|Ord|Color|2147483648"
                                 << "'2147483648' is not a valid integer value";
    QTest::newRow("ord text") << "ShapeD|Ord|ItemIndex|1x"
                              << "'1x' is not a valid integer value";
    QTest::newRow("enum") << "CBAuto|Enum|Checked|Yes"
                          << "Invalid property element: Yes";
    QTest::newRow("index past end") << "ShapeD|Ord|ItemIndex|3"
                                    << "List index out of bounds (3)";
    QTest::newRow("index below -1") << "FlowType|Ord|ItemIndex|-2"
                                    << "List index out of bounds (-2)";
    QTest::newRow("too many items") << "CheckList1|CheckListBox|Items|a▲1▲b▲1▲c▲1▲d▲1"
                                    << "List index out of bounds (3)";
}

void FormRecordsTest::readRejectsBadValues() {
    QFETCH(QString, record);
    QFETCH(QString, message);
    Form f;
    f.field->setText("7");
    const QByteArray data = FileOf({"WrD|String|Text|1", record, "EditLHysysName|String|Text|z"});
    QCOMPARE(ErrorOf([&] { f.Read(data); }), message);
    QCOMPARE(f.field->text(), QStringLiteral("1"));     // the record before stays applied
    QCOMPARE(f.name->text(), QStringLiteral("[未知]")); // the one after is not read
}

void FormRecordsTest::damagedFileChangesNothing_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    const QByteArray good = FileOf({"WrD|String|Text|1"});
    QTest::newRow("cut in a record") << good + "ShapeD\r\nOrd\r\n"
                                     << "项目文件已损坏：第9行起的记录不完整。";
    QTest::newRow("cut after the property") << good + "ShapeD\r\nOrd\r\nItemIndex\r\n"
                                            << "项目文件已损坏：第9行起的记录不完整。";
    QTest::newRow("binary") << good + QByteArray("ShapeD\r\nOrd\x00\x01\r\n", 14)
                            << "项目文件已损坏：第10行含有控制字符，不是文本。";
    QTest::newRow("huge line") << good + "WrD\r\nString\r\nText\r\n" + QByteArray(300 * 1024, 'x') +
                                      "\r\n\r\n"
                               << "项目文件已损坏：第12行太长。";
    QTest::newRow("too large") << good + QByteArray(kMaxFormRecordBytes, ' ')
                               << "项目文件太大（超过8 MB），不是有效的项目文件。";
}

void FormRecordsTest::damagedFileChangesNothing() {
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    Form f;
    f.field->setText("7");
    QCOMPARE(ErrorOf([&] { f.Read(data); }), message);
    QCOMPARE(f.field->text(), QStringLiteral("7"));
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
    QVERIFY(ErrorOf([&] {
                LoadFormRecords(g.Components(), dir.path());
            }).startsWith("Cannot open file"));
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
}

QTEST_MAIN(FormRecordsTest)
#include "FormRecordsTest.moc"
