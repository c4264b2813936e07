#include "report/ReportOutput.h"

#include "report/ReportText.h"
#include "report/RtfWriter.h"
#include "report/StructDiagram.h"
#include "units/Errors.h"
#include "units/Messages.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <memory>

namespace tubalon::report {

namespace {
SaveDialogFn& SaveHook() {
    static SaveDialogFn fn;
    return fn;
}
PrintDialogFn& PrintHook() {
    static PrintDialogFn fn;
    return fn;
}

QString WithoutExtension(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\'));
    const qsizetype dot = path.lastIndexOf('.');
    return dot > slash ? path.left(dot) : path;
}

// Pixel font sizes are screen sizes: on paper they become points at 96 pixels per inch.
void PixelSizesToPoints(QTextDocument& doc) {
    QFont f = doc.defaultFont();
    if (f.pixelSize() > 0) {
        f.setPointSizeF(f.pixelSize() * 72.0 / 96.0);
        doc.setDefaultFont(f);
    }
    const QFont docFont = doc.defaultFont();
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            QTextCharFormat cf = frag.charFormat();
            if (!cf.hasProperty(QTextFormat::FontPixelSize)) continue;
            const double pt = PointSizeOf(cf, docFont);
            QTextCursor c(&doc);
            c.setPosition(frag.position());
            c.setPosition(frag.position() + frag.length(), QTextCursor::KeepAnchor);
            cf.clearProperty(QTextFormat::FontPixelSize);
            cf.setFontPointSize(pt);
            c.setCharFormat(cf);
        }
    }
}

void Begin(QPainter& p, QPrinter& printer) {
    if (!p.begin(&printer)) throw Error(QStringLiteral("Printer selected is not valid"));
}
} // namespace

QString ProposedReportName(const QString& currentFile) {
    return WithoutExtension(currentFile) + QStringLiteral(".doc");
}

QString BitmapPathFor(const QString& reportPath) {
    return WithoutExtension(reportPath) + QStringLiteral(".bmp");
}

std::unique_ptr<QTextDocument> WithDiagram(const QTextDocument& report, const QImage& diagram) {
    std::unique_ptr<QTextDocument> doc(report.clone());
    if (!diagram.isNull()) AppendDiagram(*doc, diagram);
    return doc;
}

void SaveBitmap(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, file.errorString()));
    if (!image.save(&file, "BMP"))
        throw Error(QStringLiteral("Cannot write file \"%1\". %2").arg(path, file.errorString()));
}

QRect ReportPageRect(const QPrinter& printer) {
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    const int offLeft = page.left() - paper.left(), offTop = page.top() - paper.top();
    const int mx = Nearest(1.0 * printer.logicalDpiX()), my = Nearest(0.7 * printer.logicalDpiY());
    const int left = mx - offLeft, top = my - offTop;
    const int right = paper.width() - mx - offLeft, bottom = paper.height() - my - offTop;
    return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
}

void PrintDocument(QPrinter& printer, const QTextDocument& source) {
    std::unique_ptr<QTextDocument> doc(source.clone());
    PixelSizesToPoints(*doc);
    doc->setDocumentMargin(0);
    doc->documentLayout()->setPaintDevice(&printer);
    const QRect r = ReportPageRect(printer);
    doc->setPageSize(QSizeF(r.width(), r.height()));

    QPainter p;
    Begin(p, printer);
    const int pages = std::max(1, doc->pageCount());
    for (int k = 0; k < pages; ++k) {
        if (k > 0) printer.newPage();
        p.save();
        p.translate(r.left(), r.top());
        p.setClipRect(QRect(0, 0, r.width(), r.height()));
        p.translate(0, -k * r.height());
        QAbstractTextDocumentLayout::PaintContext ctx;
        // Lines never straddle a page edge; the half pixel keeps the next page's first line out.
        ctx.clip = QRectF(0, k * r.height() + 0.5, r.width(), r.height() - 1.0);
        ctx.palette.setColor(QPalette::Text, Qt::black);
        doc->documentLayout()->draw(&p, ctx);
        p.restore();
    }
    p.end();
}

void PrintImage(QPrinter& printer, const QImage& image) {
    const QRect r = ReportPageRect(printer);
    QPainter p;
    Begin(p, printer);
    if (!image.isNull()) {
        const double scale =
            std::min(double(r.width()) / image.width(), double(r.height()) / image.height());
        const QSizeF size(image.width() * scale, image.height() * scale);
        const QRectF target(r.left() + (r.width() - size.width()) / 2,
                            r.top() + (r.height() - size.height()) / 2, size.width(),
                            size.height());
        p.drawImage(target, image);
    }
    p.end();
}

void SetSaveDialog(SaveDialogFn fn) {
    SaveHook() = std::move(fn);
}
void SetPrintDialog(PrintDialogFn fn) {
    PrintHook() = std::move(fn);
}

QString RunSaveDialog(QWidget* parent, const QString& proposed, const QString& folder) {
    if (SaveHook()) return SaveHook()(parent, proposed, folder);
    if (HeadlessMessages()) return {};
    QFileDialog dlg(parent, QStringLiteral("保存报表文件"), folder,
                    QStringLiteral("报表文件(*.doc)"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(QStringLiteral("doc"));
    dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
    dlg.setSizeGripEnabled(true);
    if (!proposed.isEmpty()) dlg.selectFile(proposed);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return {};
    return dlg.selectedFiles().constFirst();
}

bool RunPrintDialog(QWidget* parent, QPrinter& printer) {
    if (PrintHook()) return PrintHook()(parent, printer);
    if (HeadlessMessages()) return false;
    QPrintDialog dlg(&printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

} // namespace tubalon::report
