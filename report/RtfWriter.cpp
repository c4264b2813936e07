#include "report/RtfWriter.h"

#include "units/Errors.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QStringEncoder>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <cmath>

namespace tubalon::report {

namespace {

QString FamilyOf(const QTextCharFormat& f, const QFont& documentFont) {
    QStringList fams = f.fontFamilies().toStringList();
    if (!fams.isEmpty() && !fams.first().isEmpty()) return fams.first();
    fams = documentFont.families();
    return fams.isEmpty() ? documentFont.family() : fams.first();
}

// Text for an RTF destination: controls escaped, non-ASCII as \uN? (UTF-16 units).
void AppendText(QByteArray& out, const QString& text) {
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator || u == '\n') {
            out += "\\line ";
        } else if (u == QChar::Nbsp) {
            out += "\\~";
        } else if (u >= 0x20 && u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x20) {
            // other control characters carry nothing printable
        } else {
            out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + "?";
        }
    }
}

// A font name in the font table: the GBK bytes as \'hh, which every reader takes.
QByteArray FontName(const QString& name) {
    QStringEncoder gbk("GBK");
    QByteArray out;
    bool ascii = true;
    for (QChar c : name)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii || !gbk.isValid()) {
        AppendText(out, name);
        return out;
    }
    const QByteArray bytes = gbk.encode(name);
    for (unsigned char b : bytes) {
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            out += "\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
        }
    }
    return out;
}

// An image of the document as an RTF picture: PNG data in hex, shown at the size the
// format gives in pixels (15 twips each at 96 pixels per inch). Nothing for a missing image.
QByteArray PictureOf(const QTextDocument& doc, const QTextImageFormat& f) {
    const QVariant res = doc.resource(QTextDocument::ImageResource, QUrl(f.name()));
    QImage image = res.value<QImage>();
    if (image.isNull()) image = res.value<QPixmap>().toImage();
    if (image.isNull()) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    const long w = std::lround(f.width() > 0 ? f.width() : image.width());
    const long h = std::lround(f.height() > 0 ? f.height() : image.height());
    QByteArray out = "{\\pict\\pngblip\\picw" + QByteArray::number(image.width()) + "\\pich" +
                     QByteArray::number(image.height()) + "\\picwgoal" +
                     QByteArray::number(w * 15) + "\\pichgoal" + QByteArray::number(h * 15) + "\n";
    const QByteArray hex = png.toHex();
    for (qsizetype i = 0; i < hex.size(); i += 128)
        out += hex.mid(i, 128) + '\n';
    out += '}';
    return out;
}

} // namespace

double PointSizeOf(const QTextCharFormat& f, const QFont& documentFont) {
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() > 0)
        return f.fontPointSize();
    if (f.hasProperty(QTextFormat::FontPixelSize) && f.intProperty(QTextFormat::FontPixelSize) > 0)
        return f.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    if (documentFont.pointSizeF() > 0) return documentFont.pointSizeF();
    if (documentFont.pixelSize() > 0) return documentFont.pixelSize() * 72.0 / 96.0;
    return 12;
}

QByteArray ToRtf(const QTextDocument& doc) {
    const QFont docFont = doc.defaultFont();
    QStringList fonts;
    QList<QRgb> colors;
    auto fontIndex = [&](const QString& name) {
        qsizetype i = fonts.indexOf(name);
        if (i < 0) {
            fonts << name;
            i = fonts.size() - 1;
        }
        return i;
    };
    auto colorIndex = [&](QRgb c) {
        qsizetype i = colors.indexOf(c);
        if (i < 0) {
            colors << c;
            i = colors.size() - 1;
        }
        return i + 1; // entry 0 is the automatic colour
    };

    QByteArray body;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        body += "\\pard\\plain ";
        if (b.begin().atEnd()) {
            const QTextCharFormat f = b.charFormat();
            body += "\\f" + QByteArray::number(fontIndex(FamilyOf(f, docFont))) + "\\fs" +
                    QByteArray::number(std::lround(PointSizeOf(f, docFont) * 2)) + " ";
        }
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid()) continue;
            const QTextCharFormat f = frag.charFormat();
            if (f.isImageFormat()) {
                const QByteArray picture = PictureOf(doc, f.toImageFormat());
                for (qsizetype k = 0; k < frag.length(); ++k)
                    body += picture;
                continue;
            }
            const QRgb color = f.foreground().style() == Qt::NoBrush ? qRgb(0, 0, 0)
                                                                     : f.foreground().color().rgb();
            body += "{\\f" + QByteArray::number(fontIndex(FamilyOf(f, docFont)));
            body += "\\fs" + QByteArray::number(std::lround(PointSizeOf(f, docFont) * 2));
            body += "\\cf" + QByteArray::number(colorIndex(color));
            if (f.fontWeight() >= QFont::DemiBold) body += "\\b";
            if (f.fontItalic()) body += "\\i";
            if (f.fontUnderline()) body += "\\ul";
            body += ' ';
            AppendText(body, frag.text());
            body += '}';
        }
        if (b.next().isValid()) body += "\\par\n";
    }

    QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\n{\\fonttbl";
    if (fonts.isEmpty()) fonts << FamilyOf(QTextCharFormat(), docFont);
    for (qsizetype i = 0; i < fonts.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset134 " + FontName(fonts[i]) + ";}";
    out += "}\n{\\colortbl;";
    for (QRgb c : colors)
        out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) +
               "\\blue" + QByteArray::number(qBlue(c)) + ";";
    out += "}\n\\viewkind4\n";
    out += body;
    out += "\n}\n";
    return out;
}

void SaveRtf(const QTextDocument& doc, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    const QByteArray data = ToRtf(doc);
    if (file.write(data) != data.size() || !file.flush())
        throw Error(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}

} // namespace tubalon::report
