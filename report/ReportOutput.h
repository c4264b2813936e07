// Carrying the report out of the program: the RTF and BMP pair beside the case, and
// printing the report and the structure diagram.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QTextDocument;
class QWidget;

namespace tubalon::report {

// The name the save dialog proposes: the case path without its extension, plus ".doc".
QString ProposedReportName(const QString& currentFile);
// The path with its extension replaced by ".bmp" (appended when it has none).
QString BitmapPathFor(const QString& reportPath);

// A copy of the report with the structure diagram appended under its heading; a null
// diagram gives a plain copy.
std::unique_ptr<QTextDocument> WithDiagram(const QTextDocument& report, const QImage& diagram);

// Writes the image as BMP, replacing an existing file; raises tubalon::Error.
void SaveBitmap(const QImage& image, const QString& path);

// The report's rectangle on the printer page, in device pixels from the printable
// origin: margins of 1.0 inch left and right, 0.7 inch top and bottom.
QRect ReportPageRect(const QPrinter& printer);

// Prints the document inside ReportPageRect, paginated as the text needs (an empty text
// gives one blank page). Raises tubalon::Error when the printer cannot start.
void PrintDocument(QPrinter& printer, const QTextDocument& doc);
// Prints the image on one page, scaled to fit ReportPageRect and centred.
void PrintImage(QPrinter& printer, const QImage& image);

// Dialogs, replaceable for tests and headless runs. The save dialog gets the proposed
// name and the initial folder and returns the chosen path, empty for cancel. The print
// dialog returns false for cancel.
using SaveDialogFn =
    std::function<QString(QWidget* parent, const QString& proposed, const QString& folder)>;
using PrintDialogFn = std::function<bool(QWidget* parent, QPrinter& printer)>;
void SetSaveDialog(SaveDialogFn fn); // empty restores the standard dialog
void SetPrintDialog(PrintDialogFn fn);
QString RunSaveDialog(QWidget* parent, const QString& proposed, const QString& folder);
bool RunPrintDialog(QWidget* parent, QPrinter& printer);

} // namespace tubalon::report
