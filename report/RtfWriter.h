// Writes styled text as RTF: fonts, sizes, bold, colours; non-ASCII text as \uN? escapes;
// images of the document as PNG pictures.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

namespace tubalon::report {

// The RTF of the whole document, one paragraph per block.
QByteArray ToRtf(const QTextDocument& doc);

// Writes ToRtf(doc) to the file; raises tubalon::Error with the file system's message.
void SaveRtf(const QTextDocument& doc, const QString& path);

// Font size of a character format in points (a pixel size counts at 96 pixels per inch).
double PointSizeOf(const QTextCharFormat& f, const QFont& documentFont);

} // namespace tubalon::report
