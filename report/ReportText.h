// The calculation report: column-aligned text rows and bold headings read from the
// main window's captions, field texts and unit selections.
#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QTextEdit;
class QWidget;

namespace tubalon::report {

struct ReportLine {
    QString text;
    bool heading = false;
    int pointSize = 0; // headings: 14 for the title lines, 11 for the others
    bool operator==(const ReportLine&) const = default;
};

// "        %-20s%-20s%-20s", widths in GBK bytes.
QString TextRow(const QString& c1, const QString& c2, const QString& c3);
// The field row: a numeric text as "%-20.4f", anything else as a text column.
QString FieldRow(const QString& caption, const QString& text, const QString& unit);

// Builds the report of the window whose controls carry the usual object names.
// statusText is the status bar's completeness panel. Missing controls are skipped.
QList<ReportLine> BuildReport(const QWidget& window, const QString& statusText);

// The report as plain text, one line per row, each ended by "\n".
QString PlainText(const QList<ReportLine>& lines);

// Default font of the report box: "宋体", 14 pixels.
QFont ReportFont();

// Replaces the box's content by the lines, headings bold in black "宋体".
void FillBox(QTextEdit& box, const QList<ReportLine>& lines);

} // namespace tubalon::report
