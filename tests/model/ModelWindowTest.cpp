// The case model against the program as it stands: the schema against the window's fields,
// controls, tab order, case-file records, report and help; the model's field semantics and
// number texts against TEditD's; the input rules against the window's handlers.
#include "app/CalcTool.h"
#include "app/MyStatusBar.h"
#include "app/UnitMain.h"
#include "casefile/SaveFormData.h"
#include "model/CaseRules.h"
#include "model/NumberText.h"
#include "refdata/ChoiceTables.h"
#include "report/HelpWindow.h"
#include "report/ReportText.h"
#include "tests/support/WindowSession.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"
#include "units/Tools2.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSet>
#include <QStringDecoder>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <random>

using namespace tubalon;
namespace m = tubalon::model;

namespace {

QString Q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string S(const QString& s) {
    return s.toStdString();
}

// The caption of the side box ("外管", "内管") around a group, empty outside both.
QString SideOf(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (w->objectName() == "GBOuter" || w->objectName() == "GBInner")
            return static_cast<const QGroupBox*>(w)->title();
    return {};
}

// The nearest group box around a control (not the control itself).
QString GroupOf(const QWidget* w) {
    for (w = w->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<const QGroupBox*>(w) && !qobject_cast<const TRadioGroup*>(w))
            return w->objectName();
    return {};
}

// A control's own caption: a radio group's title, a check box's text.
QString OwnCaption(const QWidget* w) {
    if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
    return {};
}

QString TextOf(const QWidget* w) {
    if (auto* b = qobject_cast<const QCheckBox*>(w)) return b->isChecked() ? "是" : "否";
    if (auto* r = qobject_cast<const TRadioGroup*>(w)) return r->CurrentText();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* n = qobject_cast<const TRichEdit*>(w)) return n->Text();
    return {};
}

int ChoiceOf(const QWidget* w) {
    if (auto* b = qobject_cast<const QCheckBox*>(w)) return b->isChecked() ? 1 : 0;
    if (auto* r = qobject_cast<const TRadioGroup*>(w)) return r->ItemIndex();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentIndex();
    return -2;
}

// "CsminL" → "CsminU": the unit label beside a control.
QString UnitLabelOf(const m::ControlInfo& info) {
    const QString label = Q(info.label);
    return label.left(label.size() - 1) + "U";
}

#define SAME(a, b, what)                                                                           \
    QVERIFY2((a) == (b), qPrintable(QString("%1: %2 differs").arg(what, QStringLiteral(#a))))

} // namespace

class ModelWindowTest : public QObject, WindowSession {
    Q_OBJECT

    QHash<QString, QWidget*> byName_;

    void StartWindow() {
        Start();
        byName_.clear();
        for (QWidget* c : w->findChildren<QWidget*>())
            if (!c->objectName().isEmpty() && !byName_.contains(c->objectName()))
                byName_.insert(c->objectName(), c);
    }
    template <class T = QWidget> T* C(std::string_view name) {
        return qobject_cast<T*>(byName_.value(Q(name)));
    }
    template <class T = QWidget> T* C(const QString& name) {
        return qobject_cast<T*>(byName_.value(name));
    }
    TEditD* F(m::Field f) { return C<TEditD>(m::Name(f)); }
    QWidget* W(m::Control c) { return C(m::Name(c)); }

    // Leaves a control as the user does.
    static void Leave(QWidget* c) {
        if (auto* g = qobject_cast<TRadioGroup*>(c)) {
            emit g->Exited();
        } else if (auto* r = qobject_cast<TRichEdit*>(c)) {
            emit r->Exited();
        } else if (auto* f = qobject_cast<TEditD*>(c)) {
            emit f->Exited();
        } else {
            for (ExitWatcher* x :
                 c->findChildren<ExitWatcher*>(QString(), Qt::FindDirectChildrenOnly))
                emit x->Exited();
        }
    }

    // One user action on the window (through the tool's SetControl) and on the model.
    void Pick(m::CaseData& d, const QString& assignment) {
        const qsizetype eq = assignment.indexOf('=');
        const QString name = assignment.left(eq), value = assignment.mid(eq + 1);
        const QString result = SetControl(*w, name, value);
        if (const auto f = m::FindField(S(name))) {
            if (result.startsWith("control is disabled")) {
                QVERIFY2(!d.Enabled(*f), qPrintable(assignment));
                return;
            }
            if (result.startsWith("control is read-only")) {
                QVERIFY2(d.ReadOnly(*f), qPrintable(assignment));
                return;
            }
            QCOMPARE(result, QString());
            d.SetText(*f, S(value));
            return;
        }
        const auto c = m::FindControl(S(name));
        QVERIFY2(c, qPrintable(assignment));
        if (result.startsWith("control is disabled")) {
            QVERIFY2(!d.Enabled(*c), qPrintable(assignment));
            return;
        }
        QCOMPARE(result, QString());
        const int v = value.toInt();
        switch (*c) {
        case m::Control::ShapeD:
            m::PickShape(d, static_cast<m::Shape>(v));
            break;
        case m::Control::LayType:
            m::PickPlacement(d, static_cast<m::Placement>(v));
            break;
        case m::Control::CalTypeD:
            m::PickMode(d, static_cast<m::Mode>(v));
            break;
        case m::Control::CBAuto:
            // The tool clicks the box only when the tick is to change.
            if (d.autoPipes() != (v == 1)) m::ClickAutoPipes(d, v == 1);
            break;
        case m::Control::PhrD:
            m::PickPhase(d, m::Side::Annulus, static_cast<m::Phase>(v));
            break;
        case m::Control::PhtD:
            m::PickPhase(d, m::Side::Inner, static_cast<m::Phase>(v));
            break;
        case m::Control::FlowType:
            m::ClickFlow(d, static_cast<m::FlowArrangement>(v));
            break;
        default:
            QFAIL(qPrintable("no rule for " + name));
        }
    }

    // Typed inputs, a computed, a solved and a disabled computed result, and a text in a
    // disabled field: a case in which every rule has something to change.
    void Prestate(m::CaseData& d) {
        // The rules alone: a calculation would empty the planted results, which no input of
        // the case gives.
        w->SetCalculationPaused(true);
        for (const char* a : {"CprD=4180", "DenrD=998", "Tt1D=20"}) {
            Pick(d, a);
            if (QTest::currentTestFailed()) return;
        }
        SetComputed(F(m::Field::QrD), clComputed, kResultTolerance, -83600);
        d.WriteResult(m::Field::QrD, -83600);
        SetComputed(F(m::Field::UrvD), clComputed, kResultTolerance, 2.5);
        d.WriteResult(m::Field::UrvD, 2.5);
        SetComputed(F(m::Field::WtD), clSolved, 0.000002, 1);
        d.WriteResult(m::Field::WtD, 1, m::Provenance::Solved, 0.000002);
        F(m::Field::DHrD)->setText("2257000");
        d.SetText(m::Field::DHrD, "2257000");
    }

    // Every state the rules touch, window against model.
    void CompareAll(const m::CaseData& d, const QString& where) {
        for (std::size_t i = 0; i < m::kFieldCount; ++i) {
            const auto id = static_cast<m::Field>(i);
            const m::FieldInfo& info = m::Info(id);
            const QString what = where + " " + Q(m::Name(id));
            TEditD* f = F(id);
            SAME(f->text(), Q(d.Text(id)), what);
            SAME(ColorOf(f), d.Color(id), what);
            SAME(f->isEnabled(), d.Enabled(id), what);
            SAME(f->isReadOnly(), d.ReadOnly(id), what);
            SAME(FontColorOf(f), d.BlueFont(id) ? clBlue : clBlack, what);
            SAME(C(m::LabelName(id))->isEnabled(), d.Enabled(id), what);
            SAME(C(m::UnitSelectorName(id))->isEnabled(), d.Enabled(id), what);
            if (!info.button.empty())
                SAME(C(info.button)->isEnabled(), m::RuleHolds(d, info.enable), what);
        }
        for (std::size_t i = 0; i < m::kControlCount; ++i) {
            const auto id = static_cast<m::Control>(i);
            const m::ControlInfo& info = m::Info(id);
            const QString what = where + " " + Q(m::Name(id));
            QWidget* c = W(id);
            SAME(c->isEnabled(), d.Enabled(id), what);
            if (info.kind == m::ControlKind::Edit) {
                auto* e = static_cast<QLineEdit*>(c);
                SAME(e->text(), Q(d.Text(id)), what);
                SAME(ColorOf(e), d.Color(id), what);
                SAME(e->isReadOnly(), d.ReadOnly(id), what);
                if (info.enable != m::EnableWhen::Always) {
                    SAME(C(info.label)->isEnabled(), d.Enabled(id), what);
                    SAME(C(UnitLabelOf(info))->isEnabled(), d.Enabled(id), what);
                }
            } else if (info.kind != m::ControlKind::Note) {
                SAME(ChoiceOf(c), d.Choice(id), what);
            }
        }
        SAME(C<QLabel>(m::LabelName(m::Field::SlD))->text(), Q(m::CaptionOf(d, m::Field::SlD)),
             where);
        w->Progress();
        const m::Progress p = m::ProgressOf(d);
        SAME(w->MyStatusBar1->PanelText(1), Q(m::ProgressText(p)), where);
        SAME(w->MyStatusBar1->ProgressBar()->value(), p.bar, where);
        SAME(w->State().temperaturesChanged, d.memory.temperaturesChanged, where);
        SAME(w->State().flowTypeChanged, d.memory.flowChanged, where);
    }

    // The report as the schema's layout builds it from the window's controls.
    QList<report::ReportLine> Render(const QString& status) {
        QList<report::ReportLine> out;
        for (const m::ReportEntry& e : m::ReportLayout()) {
            switch (e.kind) {
            case m::ReportItem::Blank:
                out.append({QString(), false, 0});
                break;
            case m::ReportItem::Heading:
                out.append({Q(e.text), true, e.size});
                break;
            case m::ReportItem::StatusRow:
                out.append({report::TextRow("运行结果", status, "-"), false, 0});
                break;
            case m::ReportItem::CaseFileRow:
                out.append({report::TextRow(Q(e.text), "（未保存）", "-"), false, 0});
                break;
            case m::ReportItem::DateRow:
                out.append(
                    {report::TextRow(Q(e.text), QDate::currentDate().toString("yyyy-MM-dd"), "-"),
                     false, 0});
                break;
            case m::ReportItem::NoteRow: {
                QString note = TextOf(W(e.control)).simplified();
                if (note.isEmpty() || note == QStringLiteral("注释")) note = "-";
                // indent and caption column, then the note
                out.append({report::TextRow(Q(e.text), {}, {}).chopped(40) + note, false, 0});
                break;
            }
            case m::ReportItem::FieldRow: {
                TEditD* f = F(e.field);
                if (!f->isEnabled()) break;
                const QString unit = C<QComboBox>(m::UnitSelectorName(e.field))->currentText();
                out.append({report::FieldRow(C<QLabel>(m::LabelName(e.field))->text(), f->text(),
                                             unit.left(20)),
                            false, 0});
                break;
            }
            case m::ReportItem::ControlRow: {
                const m::ControlInfo& info = m::Info(e.control);
                QWidget* c = W(e.control);
                if (e.whenEnabled && !c->isEnabled()) break;
                const QString caption =
                    info.label.empty() ? OwnCaption(c) : C<QLabel>(info.label)->text();
                const QString text = e.cut < 0 ? TextOf(c) : TextOf(c).left(e.cut);
                const QString third = e.unitLabel ? C<QLabel>(UnitLabelOf(info))->text() : "-";
                out.append({report::TextRow(caption, text, third), false, 0});
                break;
            }
            }
        }
        return out;
    }

private slots:
    void init() { StartWindow(); }
    void cleanup() { Stop(); }

    void fieldsMatchWindow() {
        const QList<TEditD*> fields = w->NumericFields();
        QCOMPARE(fields.size(), static_cast<qsizetype>(m::kFieldCount));
        const m::CaseData fresh;
        for (TEditD* f : fields) {
            const QString name = f->objectName();
            const auto id = m::FindField(S(name));
            QVERIFY2(id, qPrintable(name));
            const m::FieldInfo& info = m::Info(*id);
            QVERIFY2(f->MyLabel(), qPrintable(name));
            SAME(f->MyLabel()->objectName(), Q(m::LabelName(*id)), name);
            SAME(f->Caption(), Q(info.caption), name);
            auto* u = C<TComboBoxU>(m::UnitSelectorName(*id));
            QVERIFY2(u && u->Associated() == f, qPrintable(name));
            QStringList items, expected;
            for (int i = 0; i < u->count(); ++i)
                items << u->itemText(i);
            for (int i = 0; i < static_cast<int>(m::UnitsOf(info.unit).items.size()); ++i)
                expected << Q(m::UnitItemText(info.unit, i));
            SAME(items, expected, name);
            SAME(GroupOf(f), Q(m::Info(info.group).name), name);
            SAME(static_cast<QGroupBox*>(C(m::Info(info.group).name))->title(),
                 Q(m::Info(info.group).title), name);
            SAME(SideOf(f), Q(m::Info(info.group).side), name);
            SAME(ColorOf(f), fresh.Color(*id), name);
            SAME(f->isEnabled(), fresh.Enabled(*id), name);
            SAME(f->isReadOnly(), fresh.ReadOnly(*id), name);
            SAME(FontColorOf(f), fresh.BlueFont(*id) ? clBlue : clBlack, name);
            SAME(f->Exchange(), fresh.Factor(*id), name);
            if (!info.button.empty()) {
                auto* b = C<QToolButton>(info.button);
                QVERIFY2(b, qPrintable(name));
                SAME(b->toolTip(), Q(info.hint), name);
                SAME(b->parentWidget(), f->parentWidget(), name);
                SAME(b->isEnabled(), m::RuleHolds(fresh, info.enable), name);
            }
        }
    }

    void fieldHandlersMatchWindow() {
        for (std::size_t i = 0; i < m::kFieldCount; ++i) {
            const auto id = static_cast<m::Field>(i);
            const m::FieldInfo& info = m::Info(id);
            const QString name = Q(m::Name(id));
            TEditD* f = F(id);
            w->lastPasses = -1;
            emit f->Exited();
            SAME(w->lastPasses != -1, info.exit != m::OnExit::None, name);
            w->SetModified(false);
            w->State().temperaturesChanged = false;
            f->setText("7");
            SAME(w->Modified(), info.change != m::OnChange::None, name);
            SAME(w->State().temperaturesChanged, info.change == m::OnChange::TemperatureChanged,
                 name);
            f->setText(QString());
        }
    }

    void controlsMatchWindow() {
        const m::CaseData fresh;
        for (std::size_t i = 0; i < m::kControlCount; ++i) {
            const auto id = static_cast<m::Control>(i);
            const m::ControlInfo& info = m::Info(id);
            const QString name = Q(m::Name(id));
            QWidget* c = W(id);
            QVERIFY2(c, qPrintable(name));
            switch (info.kind) {
            case m::ControlKind::List:
                QVERIFY2(qobject_cast<QComboBox*>(c) && !qobject_cast<TComboBoxU*>(c),
                         qPrintable(name));
                break;
            case m::ControlKind::RadioGroup:
                QVERIFY2(qobject_cast<TRadioGroup*>(c), qPrintable(name));
                break;
            case m::ControlKind::CheckBox:
                QVERIFY2(qobject_cast<QCheckBox*>(c), qPrintable(name));
                break;
            case m::ControlKind::Edit:
                QVERIFY2(qobject_cast<QLineEdit*>(c) && !qobject_cast<TEditD*>(c),
                         qPrintable(name));
                break;
            case m::ControlKind::Note:
                QVERIFY2(qobject_cast<TRichEdit*>(c), qPrintable(name));
                break;
            }
            SAME(info.label.empty() ? OwnCaption(c) : C<QLabel>(info.label)->text(),
                 Q(info.caption), name);
            if (!info.unitLabel.empty())
                SAME(C<QLabel>(UnitLabelOf(info))->text(), Q(info.unitLabel), name);
            SAME(GroupOf(c), Q(m::Info(info.group).name), name);
            QStringList items, expected;
            if (auto* box = qobject_cast<QComboBox*>(c))
                for (int k = 0; k < box->count(); ++k)
                    items << box->itemText(k);
            if (auto* g = qobject_cast<TRadioGroup*>(c)) items = g->Items();
            if (info.source == m::ItemSource::PipeMaterials) expected = PipeMaterialItems();
            if (info.source == m::ItemSource::Insulation) expected = InsulationItems();
            for (std::string_view item : info.items)
                expected << Q(item);
            SAME(items, expected, name);
            if (info.source != m::ItemSource::Own) {
                const m::Material& mat = fresh.material(id);
                SAME(TrimText(items[0].left(items[0].indexOf('|'))), Q(mat.name), name);
                SAME(ItemValue(items[0]), mat.conductivity, name);
            }
            if (info.kind == m::ControlKind::Edit || info.kind == m::ControlKind::Note) {
                SAME(TextOf(c), Q(info.initialText), name);
                SAME(TextOf(c), Q(fresh.Text(id)), name);
            } else {
                SAME(ChoiceOf(c), info.initialIndex, name);
                SAME(ChoiceOf(c), fresh.Choice(id), name);
            }
            if (info.kind == m::ControlKind::Edit) {
                SAME(ColorOf(c), fresh.Color(id), name);
                SAME(static_cast<QLineEdit*>(c)->isReadOnly(), fresh.ReadOnly(id), name);
            }
            SAME(c->isEnabled(), fresh.Enabled(id), name);
            if (!info.button.empty())
                SAME(C<QToolButton>(info.button)->toolTip(), Q(info.hint), name);
            w->lastPasses = -1;
            Leave(c);
            SAME(w->lastPasses != -1, info.exit != m::OnExit::None, name);
        }
    }

    void tabOrderMatchesWindow() {
        QStringList window, schema;
        for (QWidget* c : w->TabChain())
            window << c->objectName();
        for (const m::CaseItem& item : m::TabOrder())
            schema << Q(item.name());
        QCOMPARE(schema, window);
    }

    // A fresh window saved as a case: every record, in order, as the schema and a fresh case
    // give it.
    void caseFileRecordsMatchWriter() {
        const QByteArray bytes = WriteFormRecords(w->Components(), false, {"REReport"});
        QStringDecoder gbk("GBK");
        const QString text = gbk.decode(bytes);
        const QStringList lines = text.split("\r\n");
        QStringList written;
        for (qsizetype i = 3; i + 4 < lines.size(); i += 5)
            written << lines.mid(i, 4).join(" | ");
        const m::CaseData fresh;
        const auto boolText = [](bool b) {
            return b ? QStringLiteral("True") : QStringLiteral("False");
        };
        QStringList expected;
        const auto add = [&](std::string_view name, m::StoredRecord r, const QString& value) {
            expected << QStringList{Q(name), Q(r.kind), Q(r.property), value}.join(" | ");
        };
        for (const m::CaseItem& item : m::CaseFileOrder()) {
            if (item.isField) {
                const m::Field f = item.field();
                const QString values[] = {FormatFloat15(fresh.Factor(f)), Q(fresh.Text(f)),
                                          boolText(fresh.Enabled(f)), boolText(fresh.ReadOnly(f)),
                                          QString::number(fresh.Color(f))};
                const auto records = m::FieldRecords();
                for (std::size_t k = 0; k < records.size(); ++k)
                    add(item.name(), records[k], values[k]);
                add(m::UnitSelectorName(f), m::kUnitSelectorRecord, QString::number(fresh.Unit(f)));
                continue;
            }
            const m::Control c = item.control();
            const auto records = m::RecordsOf(m::Info(c).kind);
            switch (m::Info(c).kind) {
            case m::ControlKind::List:
            case m::ControlKind::RadioGroup:
                add(item.name(), records[0], QString::number(fresh.Choice(c)));
                break;
            case m::ControlKind::CheckBox:
                add(item.name(), records[0], boolText(fresh.Choice(c) == 1));
                break;
            case m::ControlKind::Edit: {
                const QString values[] = {Q(fresh.Text(c)), boolText(fresh.Enabled(c)),
                                          boolText(fresh.ReadOnly(c)),
                                          QString::number(fresh.Color(c))};
                for (std::size_t k = 0; k < records.size(); ++k)
                    add(item.name(), records[k], values[k]);
                break;
            }
            case m::ControlKind::Note:
                add(item.name(), records[0], QStringLiteral("△") + Q(fresh.Text(c)));
                break;
            }
        }
        QCOMPARE(written.size(), expected.size());
        for (qsizetype i = 0; i < written.size(); ++i)
            QCOMPARE(written[i], expected[i]);
    }

    void reportLayoutMatchesReport_data() {
        QTest::addColumn<QStringList>("picks");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("fresh") << QStringList() << QStringList();
        QTest::newRow("helical, both condensing")
            << QStringList{"ShapeD=1", "PhrD=1", "PhtD=1", "FlowType=1"}
            << QStringList{"WrD=1.5", "UrvD=2", "DHtD=2257000", "mD=abc", "DspD=2.5"};
        QTest::newRow("kettle lying, rating")
            << QStringList{"CalTypeD=1", "ShapeD=2", "LayType=1"}
            << QStringList{"SlD=1.2", "TimeD=600", "QaD=12.5", "CsD=-3.25", "LatD=5"};
    }
    void reportLayoutMatchesReport() {
        QFETCH(QStringList, picks);
        QFETCH(QStringList, texts);
        for (const QString& p : picks)
            QCOMPARE(SetControl(*w, p.section('=', 0, 0), p.section('=', 1)), QString());
        for (const QString& t : texts)
            C<QLineEdit>(t.section('=', 0, 0))->setText(t.section('=', 1));
        C<QComboBox>(m::Name(m::Control::SmD))->setCurrentIndex(11);
        C<QComboBox>(m::Name(m::Control::PmD))->setCurrentIndex(10);
        const QString status = QStringLiteral("进度：13%");
        QList<report::ReportLine> report = report::BuildReport(*w, status, {}, w->Flow());
        // The line a case whose last calculation did not complete carries after the title is
        // the window's, not the layout's.
        if (!w->State().incomplete.isEmpty()) {
            QCOMPARE(report.value(4).text,
                     QString(8, ' ') + QStringLiteral("计算未完成：") + w->State().incomplete);
            report.removeAt(4);
        }
        const QList<report::ReportLine> layout = Render(status);
        QCOMPARE(layout.size(), report.size());
        for (qsizetype i = 0; i < report.size(); ++i) {
            QCOMPARE(layout[i].text, report[i].text);
            QCOMPARE(layout[i].heading, report[i].heading);
            QCOMPARE(layout[i].pointSize, report[i].pointSize);
        }
    }

    void helpHeadingsAreTheWindowsAndInTheManual() {
        QFile manual(QStringLiteral(TUBALON_MANUAL));
        QVERIFY(manual.open(QIODevice::ReadOnly));
        QString html = QString::fromUtf8(manual.readAll());
        QSet<QString> titles;
        for (const report::Bookmark& b : report::ExtractBookmarks(html))
            titles.insert(b.title);
        m::CaseData d;
        for (std::size_t i = 0; i < m::kFieldCount; ++i)
            for (int k = 0; k < 4; ++k) {
                d.lengthMeaning = static_cast<m::LengthMeaning>(k);
                const QString heading = Q(m::HelpHeading(d, static_cast<m::Field>(i)));
                QVERIFY2(titles.contains(heading), qPrintable(heading));
            }
        // The window asks for the same headings.
        QString asked;
        w->hooks.help = [&asked](const QString& title) { asked = title; };
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
        m::CaseData shown;
        for (const char* shape : {"0", "2"}) {
            QCOMPARE(SetControl(*w, "ShapeD", shape), QString());
            m::PickShape(shown, static_cast<m::Shape>(QString(shape).toInt()));
            for (std::size_t i = 0; i < m::kFieldCount; ++i) {
                const auto id = static_cast<m::Field>(i);
                if (!F(id)->isEnabled()) continue;
                F(id)->setFocus();
                QApplication::processEvents();
                asked.clear();
                w->SBHPDFClick();
                SAME(asked, Q(m::HelpHeading(shown, id)), Q(m::Name(id)));
            }
        }
    }

    void numberTextsMatchTheFields() {
        QCOMPARE(m::kColorWindow, clWindow);
        QCOMPARE(m::kColorButtonFace, clBtnFace);
        QCOMPARE(m::kColorComputed, clComputed);
        QCOMPARE(m::kColorSolved, clSolved);
        QCOMPARE(m::kResultTolerance, kResultTolerance);
        std::mt19937_64 rng(14);
        std::uniform_real_distribution<double> mantissa(1, 10);
        std::uniform_int_distribution<int> exponent(-310, 307);
        QStringList texts = {"1.",  ".5",  "+3", "1e", "1e+",  "1E-5000", "1e5000", " 12", "12 ",
                             "1,5", "abc", "",   "-0", "0x10", "1.5e3.2", "１２",   "-",   "."};
        for (int i = 0; i < 4000; ++i) {
            double v = mantissa(rng) * std::pow(10.0, exponent(rng));
            if (i % 3 == 0) v = std::round(v * 1000) / 1000; // short decimals
            if (i % 2) v = -v;
            char buf[m::kFloat15Chars];
            const QString model = Q(std::string_view(buf, m::FormatFloat15(v, buf)));
            QCOMPARE(model, FormatFloat15(v));
            texts << model;
        }
        for (const QString& t : texts) {
            long double a = 0, b = 0;
            const bool ok = m::ParseNumber(S(t), a);
            QCOMPARE(ok, TryParseNumber(t, b));
            if (ok) QVERIFY2(a == b, qPrintable(t));
            QCOMPARE(Q(m::TrimBlanks(S(t))), TrimText(t));
        }
    }

    // Random texts, unit picks, values, results and clears on a few fields: the model's field
    // holds what the window's field holds, reads the same SI value and writes as it does.
    void fieldSemanticsMatchTEditD() {
        const m::Field fields[] = {m::Field::WrD, m::Field::CptD, m::Field::RsD, m::Field::DpsD,
                                   m::Field::QtD};
        const QString texts[] = {"",   "1.5", " 12 ", "abc",   "-0.0025", "1e-7", "3E5",
                                 "  ", "0",   "7.",   "1e999", "0.27778", "4187", "-1e300"};
        std::mt19937 rng(1414);
        std::uniform_real_distribution<double> value(-5, 5);
        m::CaseData d;
        for (int step = 0; step < 3000; ++step) {
            const m::Field id = fields[rng() % std::size(fields)];
            TEditD* f = F(id);
            auto* u = C<TComboBoxU>(m::UnitSelectorName(id));
            const double v = std::pow(10.0, value(rng)) * (rng() % 4 == 0 ? -1 : 1);
            QString what = QString("step %1 %2 ").arg(step).arg(Q(m::Name(id)));
            switch (rng() % 5) {
            case 0: {
                const QString t = rng() % 3 ? texts[rng() % std::size(texts)] : FormatFloat15(v);
                what += "text " + t;
                f->setText(t);
                d.SetText(id, S(t));
                break;
            }
            case 1: {
                const int i = static_cast<int>(rng() % static_cast<unsigned>(u->count()));
                what += QString("unit %1").arg(i);
                u->UserPick(i);
                QVERIFY(d.PickUnit(id, i));
                break;
            }
            case 2:
                what += "value " + FormatFloat15(v);
                f->SetSIValue(v);
                d.SetValue(id, v);
                break;
            case 3: {
                const double near = rng() % 2 && d.HasValue(id) ? d.SI(id) * (1 + 5e-5) : v;
                what += "result " + FormatFloat15(near);
                const bool written = SetComputed(f, clComputed, kResultTolerance, near);
                SAME(written, d.WriteResult(id, near) == m::WriteOutcome::Written, what);
                break;
            }
            default:
                what += "clear";
                SAME(ClearComputed(f) != nullptr, d.ClearResult(id), what);
                break;
            }
            SAME(f->text(), Q(d.Text(id)), what);
            SAME(f->Exchange(), d.Factor(id), what);
            SAME(u->currentIndex(), d.Unit(id), what);
            SAME(ColorOf(f), d.Color(id), what);
            SAME(f->isReadOnly(), d.ReadOnly(id), what);
            try {
                const double si = f->GetSIValue();
                QVERIFY2(d.HasValue(id), qPrintable(what));
                SAME(si, d.SI(id), what);
            } catch (const EConvertError&) {
                QVERIFY2(!d.HasValue(id), qPrintable(what));
            }
        }
    }

    void rulesMatchWindow_data() {
        QTest::addColumn<QStringList>("picks");
        QTest::newRow("helical fills the pitch") << QStringList{"ShapeD=1"};
        QTest::newRow("helical keeps a typed pitch")
            << QStringList{"ShapeD=1", "DspD=2.5", "ShapeD=0", "ShapeD=1"};
        QTest::newRow("kettle lying, straight and back")
            << QStringList{"ShapeD=2", "LayType=1", "ShapeD=0", "ShapeD=2", "LayType=0"};
        QTest::newRow("placement refused off the kettle") << QStringList{"LayType=1"};
        QTest::newRow("both sides condense, then not")
            << QStringList{"PhrD=1", "PhtD=1", "PhrD=0", "PhtD=0"};
        QTest::newRow("rating, then design")
            << QStringList{"CalTypeD=1", "CBAuto=1", "CalTypeD=0", "CBAuto=0", "CBAuto=1"};
        QTest::newRow("flow co-current") << QStringList{"FlowType=1", "FlowType=0"};
        QTest::newRow("rating kettle condensing")
            << QStringList{"CalTypeD=1", "ShapeD=2", "PhrD=1", "mD=3", "DrvD=1.1", "PhrD=0"};
        QTest::newRow("results refuse typing")
            << QStringList{"QrD=5", "UrvD=1", "PhrD=1", "UrvD=1"};
    }
    void rulesMatchWindow() {
        QFETCH(QStringList, picks);
        m::CaseData d;
        CompareAll(d, "fresh");
        Prestate(d);
        CompareAll(d, "prestate");
        for (const QString& p : picks) {
            Pick(d, p);
            CompareAll(d, p);
            if (QTest::currentTestFailed()) return;
        }
    }

    // One window and one case through every combination of shape, placement, type,
    // automatic pipes and both phases, each pick from wherever the last one left them.
    void rulesMatchWindowThroughEveryCombination() {
        m::CaseData d;
        Prestate(d);
        for (int shape = 0; shape < 3; ++shape)
            for (int lay = 0; lay < 2; ++lay)
                for (int mode = 0; mode < 2; ++mode)
                    for (int autoPipes = 0; autoPipes < 2; ++autoPipes)
                        for (int phr = 0; phr < 2; ++phr)
                            for (int pht = 0; pht < 2; ++pht) {
                                const QStringList picks = {QString("ShapeD=%1").arg(shape),
                                                           QString("LayType=%1").arg(lay),
                                                           QString("CalTypeD=%1").arg(mode),
                                                           QString("CBAuto=%1").arg(autoPipes),
                                                           QString("PhrD=%1").arg(phr),
                                                           QString("PhtD=%1").arg(pht)};
                                for (const QString& p : picks) {
                                    Pick(d, p);
                                    CompareAll(d, picks.join(' ') + ": " + p);
                                    if (QTest::currentTestFailed()) return;
                                }
                            }
    }
};

QTEST_MAIN(ModelWindowTest)
#include "ModelWindowTest.moc"
