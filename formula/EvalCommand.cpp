#include "formula/EvalCommand.h"

#include "formula/FormulaParser.h"
#include "formula/MyValues.h"
#include "units/NumberFormat.h"

#include <QApplication>

#include <memory>

namespace tubalon {
namespace {

const char* const kUsage = "用法: tubalon-calc --eval 公式 [--value 名称=数值]...";

int Usage(QTextStream& out, const QString& problem) {
    out << problem << '\n' << QString::fromUtf8(kUsage) << '\n';
    out.flush();
    return 2;
}

} // namespace

int RunEvalCommand(const QStringList& args, QTextStream& out) {
    if (args.size() < 2 || args[0] != QLatin1String("--eval"))
        return Usage(out, QStringLiteral("缺少公式"));
    const QString text = args[1];
    QList<QPair<QString, QString>> values;
    for (int i = 2; i < args.size(); ++i) {
        if (args[i] != QLatin1String("--value") || i + 1 >= args.size())
            return Usage(out, QStringLiteral("无效的参数: %1").arg(args[i]));
        const QString pair = args[++i];
        const qsizetype eq = pair.indexOf('=');
        if (eq <= 0) return Usage(out, QStringLiteral("无效的参数: %1").arg(pair));
        values.append({pair.left(eq), pair.mid(eq + 1)});
    }

    std::unique_ptr<QApplication> app;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
            qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tubalon-calc";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
    } else if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return Usage(out, QStringLiteral("需要图形界面的应用程序对象"));
    }

    int code = 0;
    long double v = 0;
    {
        TMyValues table;
        table.LoadPropertyDialogForm();
        for (const auto& [name, value] : values) {
            if (table.FpHasName(name.toStdString()))
                table.SetValue(name, value);
            else
                table.AddValue(name, value, QString(), QString());
        }
        v = EvaluateWithValues(text, &table, code);
    }
    out << FormatFloat15(static_cast<double>(v)) << '\n' << code << '\n' << MessageOf(code) << '\n';
    out.flush();
    return code == 0 ? 0 : 1;
}

} // namespace tubalon
