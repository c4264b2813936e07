#include "props/PropsCommand.h"

#include "props/PropCell.h"
#include "props/PropLib.h"
#include "props/PropLimits.h"
#include "units/NumberFormat.h"

namespace tubalon {
namespace {

int Usage(QTextStream& err, const QString& problem) {
    err << problem << '\n'
        << QStringLiteral("用法: tubalon-calc --props 流水号 [--value t=温度] [--value p=压力]\n"
                          "      tubalon-calc --list\n");
    err.flush();
    return 2;
}

} // namespace

int RunPropsCommand(const QStringList& args, const QString& libPath, QTextStream& out,
                    QTextStream& err) {
    const bool list = !args.isEmpty() && args[0] == QLatin1String("--list");
    if (!list && (args.size() < 2 || args[0] != QLatin1String("--props")))
        return Usage(err, QStringLiteral("缺少流水号"));
    TPlainValues values;
    for (int i = list ? 1 : 2; i < args.size(); ++i) {
        if (list || args[i] != QLatin1String("--value") || i + 1 >= args.size())
            return Usage(err, QStringLiteral("无效的参数: %1").arg(args[i]));
        const QString pair = args[++i];
        const qsizetype eq = pair.indexOf('=');
        if (eq <= 0) return Usage(err, QStringLiteral("无效的参数: %1").arg(pair));
        const QString name = pair.left(eq), value = pair.mid(eq + 1);
        if (values.HasName(name))
            values.SetValue(name, value);
        else
            values.AddValue(name, value);
    }

    TPropLib lib;
    try {
        lib.Load(libPath);
    } catch (const std::exception& e) {
        err << QString::fromUtf8(e.what()) << '\n';
        err.flush();
        return 2;
    }
    if (list) {
        for (int i = 0; i < lib.Count(); ++i) {
            const TPropRecord& r = lib.Record(i);
            out << r.Text(0) << '\t' << r.Text(1) << '\t' << r.Text(2) << '\n';
        }
        out.flush();
        return 0;
    }
    const int row = lib.FindNo(args[1]);
    if (row < 0) {
        err << QStringLiteral("物性库中没有流水号为“%1”的记录。").arg(args[1]) << '\n';
        err.flush();
        return 2;
    }
    lib.SetCurrentIndex(row);

    int status = 0;
    bool stopped = false;
    // The record's range and phase come first: a refusal computes nothing, a warning
    // lets the values be printed.
    if (!values.GetValue(QStringLiteral("t")).isEmpty()) {
        try {
            const TConditions c = CheckConditions(*lib.Current(), values.GetValue("t"),
                                                  values.GetValue(QStringLiteral("p")));
            if (c.kind != TConditions::Kind::InRange) {
                status = 1;
                err << c.message << '\n';
                stopped = c.kind == TConditions::Kind::Refused;
            }
        } catch (const std::exception& e) {
            stopped = true;
            status = 1;
            err << QString::fromUtf8(e.what()) << '\n';
        }
    }
    for (const TPropCellName& c : PropCellNames()) {
        QString text;
        if (!stopped) {
            try {
                const TCellOutcome o = EvaluatePropertyCell(lib, QLatin1String(c.field), values);
                switch (o.kind) {
                case TCellOutcome::Kind::Value:
                    text = FormatFloat15(o.value);
                    break;
                case TCellOutcome::Kind::Clear:
                    break;
                case TCellOutcome::Kind::NoTemperature:
                    stopped = true;
                    status = 1;
                    err << o.message << '\n';
                    break;
                case TCellOutcome::Kind::Failed:
                    status = 1;
                    err << o.message << '\n';
                    break;
                }
            } catch (const std::exception& e) {
                stopped = true;
                status = 1;
                err << QString::fromUtf8(e.what()) << '\n';
            }
        }
        out << c.field << '=' << text << '\n';
    }
    out.flush();
    err.flush();
    return status;
}

} // namespace tubalon
