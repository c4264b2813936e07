// The calculation report: column-aligned text rows and bold headings read from the
// main window's captions, field texts and unit selections.
#pragma once

#include <QDate>
#include <QFont>
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

class QTextDocument;
class QTextEdit;
class QWidget;

namespace tubalon::kernel {
struct FlowInfo;
}

namespace tubalon::report {

struct ReportLine {
    QString text;
    bool heading = false;
    int pointSize = 0; // headings: 14 for the title lines, 11 for the others
    bool operator==(const ReportLine&) const = default;
};

// "        %-20s%-20s%-20s", widths in GBK bytes.
QString TextRow(const QString& c1, const QString& c2, const QString& c3);
// A number as a field row prints it: at least four significant digits; fixed notation with
// at least four decimals (those beyond the fourth only as far as they are not trailing
// zeros) for magnitudes from 1e-4 up to 1e7, else scientific ("1.42E-05").
QString ReportNumber(double v);
// The field row: a numeric text as ReportNumber, anything else as a text column.
QString FieldRow(const QString& caption, const QString& text, const QString& unit);

// What the head of the report names besides the window's controls.
struct ReportHead {
    QString caseFile; // path of the case file, empty when the case has none
    QDate date;       // the day of the report; invalid: today
};

// The film information the report shows under each side, and the warnings of both sides
// (calc/FlowText.h). A side's information is null while its film field does not show it.
struct ReportFlow {
    const kernel::FlowInfo* annulus = nullptr;
    const kernel::FlowInfo* inner = nullptr;
    QStringList warnings; // "外管：…", "内管：…"
    QString incomplete;   // why the last calculation did not complete; empty when it did
};

// Builds the report of the window whose controls carry the usual object names.
// statusText is the status bar's completeness panel. Missing controls are skipped.
QList<ReportLine> BuildReport(const QWidget& window, const QString& statusText,
                              const ReportHead& head = {}, const ReportFlow& flow = {});

// The report as plain text, one line per row, each ended by "\n".
QString PlainText(const QList<ReportLine>& lines);

// Default font of the report box: "宋体", 14 pixels.
QFont ReportFont();

// Replaces the box's content by the lines, headings bold in black "宋体".
void FillBox(QTextEdit& box, const QList<ReportLine>& lines);

// Heading of the structure diagram where a saved or printed report carries it.
QString DiagramHeading();
// Appends the heading and the diagram image (at its pixel size on screen) to a report.
void AppendDiagram(QTextDocument& doc, const QImage& diagram);

} // namespace tubalon::report
