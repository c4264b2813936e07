#include "app/CalcTool.h"

#include "app/Startup.h"
#include "app/UnitMain.h"
#include "units/Colors.h"
#include "units/ComboBoxU.h"
#include "units/Controls.h"
#include "units/EditD.h"
#include "units/Messages.h"
#include "units/NumberFormat.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QTextStream>

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
    out << QJsonDocument(all).toJson(QJsonDocument::Indented);
}

int RunCalcTool(const QStringList& args, QTextStream& out, QTextStream& err) {
    SetHeadlessMessages(true);
    Program program;
    TFormTubalon& w = *program.window;
    bool json = false;
    QString screenshot;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--screenshot" && i + 1 < args.size()) {
            screenshot = args[++i];
        } else if (a == "--set" && i + 1 < args.size()) {
            const QString kv = args[++i];
            const qsizetype eq = kv.indexOf('=');
            if (eq <= 0) {
                err << "usage: --set NAME=VALUE\n";
                return 2;
            }
            const QString e = SetControl(w, kv.left(eq), kv.mid(eq + 1));
            if (!e.isEmpty()) {
                err << e << '\n';
                return 2;
            }
        } else {
            err << "usage: tubalon-calc [--set NAME=VALUE]... [--json] [--screenshot FILE.png]\n";
            return 2;
        }
    }
    if (!screenshot.isEmpty()) {
        w.show();
        QApplication::processEvents();
        if (!w.grab().save(screenshot)) {
            err << "cannot write " << screenshot << '\n';
            return 2;
        }
    }
    if (json)
        WriteJson(w, out);
    else
        WriteTable(w, out);
    out.flush();
    return MessagesShown() > 0 ? 1 : 0;
}

} // namespace tubalon
