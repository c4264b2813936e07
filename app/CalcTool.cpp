#include "app/CalcTool.h"

#include "app/Startup.h"
#include "app/UnitMain.h"
#include "calc/FlowText.h"
#include "casefile/DocCommands.h"
#include "formula/EvalCommand.h"
#include "props/PropsCommand.h"
#include "report/ReportHooks.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Messages.h"
#include "units/NumberFormat.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QScreen>
#include <QTextStream>
#include <cmath>

namespace tubalon {
namespace {

void Leave(QWidget* w) {
    if (auto* f = qobject_cast<TEditD*>(w)) {
        emit f->Exited();
        return;
    }
    if (auto* g = qobject_cast<TRadioGroup*>(w)) {
        emit g->Exited();
        return;
    }
    if (auto* r = qobject_cast<TRichEdit*>(w)) {
        emit r->Exited();
        return;
    }
    for (ExitWatcher* x : w->findChildren<ExitWatcher*>(QString(), Qt::FindDirectChildrenOnly))
        emit x->Exited();
}

bool ParseIndex(const QString& v, int count, int& out) {
    bool ok = false;
    out = v.toInt(&ok);
    return ok && out >= 0 && out < count;
}

QString UnitText(const TEditD* f) {
    auto* u = f->window()->findChild<TComboBoxU*>(
        f->objectName() == "DHtD" ? QStringLiteral("DhtU")
                                  : f->objectName().left(f->objectName().size() - 1) + "U");
    if (!u) return {};
    const QString t = u->currentText();
    return TrimText(t.left(t.indexOf('|')));
}

bool IsCaseControl(const QWidget* w) {
    return qobject_cast<const TEditD*>(w) || qobject_cast<const TRadioGroup*>(w) ||
           qobject_cast<const TRichEdit*>(w) || qobject_cast<const QCheckBox*>(w) ||
           (qobject_cast<const QComboBox*>(w) && !qobject_cast<const TComboBoxU*>(w)) ||
           qobject_cast<const QLineEdit*>(w);
}

// A side's film information: Re, Pr (null when not known), regime, correlation and its
// warnings; null when the film field shows no coefficient it belongs to.
QJsonValue FlowJson(const kernel::FlowInfo* f) {
    if (!f) return QJsonValue::Null;
    const auto number = [](double v) { return std::isfinite(v) ? QJsonValue(v) : QJsonValue(); };
    QJsonObject o;
    o["re"] = number(f->re);
    o["pr"] = number(f->pr);
    o["regime"] = RegimeText(*f);
    o["correlation"] = CorrelationText(*f);
    QJsonArray warnings;
    for (const std::string& s : f->warnings)
        warnings.append(QString::fromStdString(s));
    o["warnings"] = warnings;
    return o;
}

QString ValueOf(const QWidget* w) {
    if (auto* f = qobject_cast<const QLineEdit*>(w)) return f->text();
    if (auto* g = qobject_cast<const TRadioGroup*>(w)) return g->CurrentText();
    if (auto* r = qobject_cast<const TRichEdit*>(w)) return r->Text();
    if (auto* c = qobject_cast<const QCheckBox*>(w)) return c->isChecked() ? "1" : "0";
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    return {};
}

} // namespace

QString StateOf(const QWidget* w) {
    auto* f = qobject_cast<const QLineEdit*>(w);
    if (!w->isEnabled()) return "disabled";
    const int c = ColorOf(w);
    if (c == clSolved) return "solved";
    if (c == clComputed || (f && f->isReadOnly())) return "computed";
    return "input";
}

QString SetControl(TFormTubalon& w, const QString& name, const QString& value) {
    QWidget* c = w.findChild<QWidget*>(name);
    if (!c || !(IsCaseControl(c) || qobject_cast<TComboBoxU*>(c)))
        return QStringLiteral("unknown control: %1").arg(name);
    // A user can neither reach a disabled control nor type into a read-only one.
    if (!c->isEnabled()) return QStringLiteral("control is disabled: %1").arg(name);
    if (auto* e = qobject_cast<QLineEdit*>(c); e && e->isReadOnly())
        return QStringLiteral("control is read-only: %1").arg(name);
    if (auto* u = qobject_cast<TComboBoxU*>(c)) {
        int i = 0;
        if (!ParseIndex(value, u->count(), i))
            return QStringLiteral("bad index for %1: %2").arg(name, value);
        GuardHandler(&w, [&] { u->UserPick(i); });
        return {};
    }
    if (auto* e = qobject_cast<QLineEdit*>(c)) {
        e->setFocus();
        e->setText(value);
        Leave(e);
        return {};
    }
    if (auto* r = qobject_cast<TRichEdit*>(c)) {
        r->SetText(value);
        Leave(r);
        return {};
    }
    if (auto* g = qobject_cast<TRadioGroup*>(c)) {
        int i = 0;
        if (!ParseIndex(value, static_cast<int>(g->Items().size()), i))
            return QStringLiteral("bad index for %1: %2").arg(name, value);
        g->UserClick(i);
        Leave(g);
        return {};
    }
    if (auto* b = qobject_cast<QCheckBox*>(c)) {
        if (value != "0" && value != "1")
            return QStringLiteral("bad value for %1: %2").arg(name, value);
        if (b->isChecked() != (value == "1")) b->click();
        Leave(b);
        return {};
    }
    if (auto* l = qobject_cast<QComboBox*>(c)) {
        int i = 0;
        if (!ParseIndex(value, l->count(), i))
            return QStringLiteral("bad index for %1: %2").arg(name, value);
        l->setCurrentIndex(i);
        emit l->activated(i);
        Leave(l);
        return {};
    }
    return QStringLiteral("unknown control: %1").arg(name);
}

QString SetControls(TFormTubalon& w, const QStringList& assignments) {
    for (const QString& a : assignments) {
        const qsizetype eq = a.indexOf('=');
        if (eq <= 0) return QStringLiteral("not NAME=VALUE: '%1'").arg(a);
        if (const QString e = SetControl(w, a.left(eq), a.mid(eq + 1)); !e.isEmpty()) return e;
    }
    return {};
}

void WriteTable(TFormTubalon& w, QTextStream& out) {
    for (QWidget* c : w.Components()) {
        if (!IsCaseControl(c)) continue;
        QString v = ValueOf(c);
        v.replace('\t', ' ').replace('\n', ' ');
        out << c->objectName() << '\t' << v;
        if (auto* f = qobject_cast<TEditD*>(c)) out << '\t' << UnitText(f) << '\t' << StateOf(f);
        out << '\n';
    }
}

void WriteJson(TFormTubalon& w, QTextStream& out) {
    QJsonObject all;
    for (QWidget* c : w.Components()) {
        if (!IsCaseControl(c)) continue;
        QJsonObject o;
        o["text"] = ValueOf(c);
        o["enabled"] = c->isEnabled();
        if (auto* f = qobject_cast<TEditD*>(c)) {
            long double n = 0;
            if (TryParseNumber(TrimText(f->text()), n))
                o["si"] = static_cast<double>(n * static_cast<long double>(f->Exchange()));
            else
                o["si"] = QJsonValue::Null;
            o["unit"] = UnitText(f);
            o["state"] = StateOf(f);
        }
        all[c->objectName()] = o;
    }
    QJsonObject flow;
    flow["annulus"] = FlowJson(ShownAnnulusFlow(w.CaseFields(), w.State()));
    flow["inner"] = FlowJson(ShownInnerFlow(w.CaseFields(), w.State()));
    flow["warnings"] = QJsonArray::fromStringList(FlowWarnings(w.CaseFields(), w.State()));
    all["flow"] = flow;
    out << QJsonDocument(all).toJson(QJsonDocument::Indented);
}

namespace {

const char* const kUsage =
    "usage: tubalon-calc [CASE.cdp] [--set NAME=VALUE]... [--save FILE.cdp] [--diagram FILE.bmp]\n"
    "                    [--report | --json] [--screenshot FILE.png]\n"
    "       tubalon-calc --eval TEXT [--value NAME=VALUE]...\n"
    "       tubalon-calc --props NO [--value NAME=VALUE]...\n"
    "       tubalon-calc --list\n"
    "       tubalon-calc --help\n";

int Usage(QTextStream& err, const QString& problem) {
    if (!problem.isEmpty()) err << "tubalon-calc: " << problem << '\n';
    err << kUsage;
    err.flush();
    return 2;
}

int Fail(QTextStream& err, const QString& message) {
    err << message << '\n';
    err.flush();
    return 2;
}

// The case run: what the command line asks for, in the order it is done.
struct CaseRun {
    QString caseFile;
    QStringList sets; // NAME=VALUE
    QString save, diagram, screenshot;
    bool json = false, report = false;
};

// Empty on success, else the problem with the command line.
QString ParseCaseRun(const QStringList& args, CaseRun& run) {
    int i = 0;
    if (!args.isEmpty() && !args[0].startsWith(QLatin1String("--"))) {
        run.caseFile = args[i++];
        if (run.caseFile.isEmpty()) return QStringLiteral("the case file name is empty");
    }
    for (; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto next = [&](QString& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        if (a == "--json") {
            run.json = true;
        } else if (a == "--report") {
            run.report = true;
        } else if (a == "--set" || a == "--save" || a == "--diagram" || a == "--screenshot") {
            QString v;
            if (!next(v) || v.isEmpty()) return QStringLiteral("%1 needs an argument").arg(a);
            if (a == "--set") {
                const qsizetype eq = v.indexOf('=');
                if (eq <= 0) return QStringLiteral("--set needs NAME=VALUE, got '%1'").arg(v);
                run.sets.append(v);
            } else if (a == "--save") {
                run.save = v;
            } else if (a == "--diagram") {
                run.diagram = v;
            } else {
                run.screenshot = v;
            }
        } else if (!a.startsWith(QLatin1String("--"))) {
            return QStringLiteral("the case file must come first: '%1'").arg(a);
        } else {
            return QStringLiteral("unknown option '%1'").arg(a);
        }
    }
    if (run.json && run.report) return QStringLiteral("--report and --json exclude each other");
    return {};
}

} // namespace

int RunScreenshot(const QStringList& args, QTextStream& err) {
    if (args.isEmpty() || args[0].isEmpty() || args.size() > 2 ||
        (args.size() == 2 && args[1].isEmpty()))
        return Fail(err, QStringLiteral("usage: tubalon --screenshot FILE.png [CASE.cdp]"));
    SetHeadlessMessages(true);
    Program program;
    TFormTubalon& w = *program.window;
    program.ShowStartupNotes();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        w.PlaceOnScreen(screen->availableGeometry());
    if (args.size() == 2)
        if (const QString e = OpenCaseForTool(w, args[1], true); !e.isEmpty()) return Fail(err, e);
    w.show();
    QApplication::processEvents();
    if (!w.grab().save(args[0], "PNG"))
        return Fail(err, QStringLiteral("cannot write %1").arg(args[0]));
    return MessagesShown() > 0 ? 1 : 0;
}

int RunCalcTool(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString mode = args.isEmpty() ? QString() : args[0];
    if (mode == "--help" || mode == "-h") {
        out << kUsage;
        out.flush();
        return 0;
    }
    if (mode == "--eval") {
        // Usage problems of the command go to standard error, its three result lines to out.
        QString text;
        QTextStream buffer(&text);
        const int rc = RunEvalCommand(args, buffer);
        buffer.flush();
        (rc == 2 ? err : out) << text;
        (rc == 2 ? err : out).flush();
        return rc;
    }
    if (mode == "--props" || mode == "--list")
        return RunPropsCommand(args, QCoreApplication::applicationDirPath() + "/PropLib.cds", out,
                               err);

    CaseRun run;
    if (const QString problem = ParseCaseRun(args, run); !problem.isEmpty())
        return Usage(err, problem);

    SetHeadlessMessages(true);
    Program program;
    TFormTubalon& w = *program.window;
    // Settings that could not be used are told on standard error (their defaults are used).
    program.ShowStartupNotes();
    // Without assignments the opened case is calculated once, as leaving a field does.
    if (!run.caseFile.isEmpty())
        if (const QString e = OpenCaseForTool(w, run.caseFile, run.sets.isEmpty()); !e.isEmpty())
            return Fail(err, e);
    if (const QString e = SetControls(w, run.sets); !e.isEmpty()) return Fail(err, e);
    if (!run.save.isEmpty())
        if (const QString e = SaveCaseForTool(w, run.save); !e.isEmpty()) return Fail(err, e);
    if (!run.diagram.isEmpty()) {
        try {
            report::WriteDiagram(w, run.diagram);
        } catch (const std::exception& e) {
            return Fail(err, QString::fromUtf8(e.what()));
        }
    }
    if (!run.screenshot.isEmpty()) {
        w.show();
        QApplication::processEvents();
        if (!w.grab().save(run.screenshot))
            return Fail(err, QStringLiteral("cannot write %1").arg(run.screenshot));
    }
    if (run.report) {
        out << report::ReportText(w);
    } else if (run.json) {
        WriteJson(w, out);
    } else {
        WriteTable(w, out);
    }
    out.flush();
    return MessagesShown() > 0 ? 1 : 0;
}

} // namespace tubalon
