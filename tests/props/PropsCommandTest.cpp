#include "props/PropsCommand.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tubalon;

namespace {

struct CommandRun {
    int code;
    QString out, err;
};

CommandRun Props(const QStringList& args,
                 const QString& lib = QStringLiteral(TUBALON_SHIPPED_LIB)) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = RunPropsCommand(args, lib, o, e);
    return {code, out, err};
}

TEST(PropsCommand, PrintsSixPropertiesOfARecord) {
    const CommandRun r = Props({"--props", "001", "--value", "t=20"});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "Cp=4185.1");
    EXPECT_EQ(lines[1], "MD=998.16");
    EXPECT_TRUE(lines[2].startsWith("VI=0.0010016"));
    EXPECT_TRUE(lines[3].startsWith("TC=0.59795"));
    EXPECT_TRUE(lines[4].startsWith("ST=0.0727"));
    EXPECT_EQ(lines[5], "HV=2453500");
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(PropsCommand, EmptyCellsPrintEmptyValues) {
    const CommandRun r = Props({"--props", "003", "--value", "t=50", "--value", "p=200"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains("\nST=\nHV=\n")) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains("MD=\n"));
}

TEST(PropsCommand, FailuresGoToStandardError) {
    // Above the critical temperature of methanol Watson's relation has no value.
    const CommandRun r = Props({"--props", "013", "--value", "t=300"});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.out.endsWith("HV=\n"));
    EXPECT_TRUE(r.err.contains("蒸发潜热")) << r.err.toStdString();
    const CommandRun bad = Props({"--props", "001", "--value", "t=warm"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_TRUE(bad.err.contains("“warm” 不是有效的数字"));
    EXPECT_EQ(bad.out.count('\n'), 6);
}

TEST(PropsCommand, RangeAndPhaseOfTheRecord) {
    // Outside the range: the values, the warning with the range, exit 1.
    const CommandRun out = Props({"--props", "026", "--value", "t=200"});
    EXPECT_EQ(out.code, 1);
    EXPECT_TRUE(out.err.contains("超出物性数据范围：润滑油（未用机油） 适用于 0–156.85 ℃"))
        << out.err.toStdString();
    EXPECT_TRUE(out.out.startsWith("Cp=")) << out.out.toStdString();
    EXPECT_FALSE(out.out.contains("VI=\n"));
    // Liquid water above its saturation temperature: nothing, the reason, exit 1.
    const CommandRun boiling = Props({"--props", "001", "--value", "t=150", "--value", "p=100"});
    EXPECT_EQ(boiling.code, 1);
    EXPECT_TRUE(boiling.err.contains("99.6 ℃")) << boiling.err.toStdString();
    EXPECT_EQ(boiling.out, "Cp=\nMD=\nVI=\nTC=\nST=\nHV=\n");
    // Inside: exit 0, nothing on standard error.
    const CommandRun pressed = Props({"--props", "001", "--value", "t=150", "--value", "p=500"});
    EXPECT_EQ(pressed.code, 0) << pressed.err.toStdString();
    EXPECT_TRUE(pressed.err.isEmpty());
}

TEST(PropsCommand, ListsRecords) {
    const CommandRun r = Props({"--list"});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.startsWith("001\t水\tWater\n"));
    EXPECT_GE(r.out.count('\n'), 25);
}

TEST(PropsCommand, BadCommandLines) {
    QTemporaryDir dir;
    const struct {
        QStringList args;
        QString lib;
    } cases[] = {
        {{"--props"}, TUBALON_SHIPPED_LIB},
        {{"--props", "001", "--value"}, TUBALON_SHIPPED_LIB},
        {{"--props", "001", "--value", "=3"}, TUBALON_SHIPPED_LIB},
        {{"--props", "001", "--bogus"}, TUBALON_SHIPPED_LIB},
        {{"--props", "999"}, TUBALON_SHIPPED_LIB},
        {{"--list"}, dir.path() + "/PropLib.cds"},
    };
    for (const auto& c : cases) {
        const CommandRun r = Props(c.args, c.lib);
        EXPECT_EQ(r.code, 2) << c.args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.out.isEmpty());
    }
}

} // namespace
