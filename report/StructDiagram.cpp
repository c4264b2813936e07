#include "report/StructDiagram.h"

#include "units/Colors.h"
#include "units/EditD.h"
#include "units/Errors.h"
#include "units/NumberFormat.h"

#include <QComboBox>
#include <QPainter>
#include <cmath>
#include <limits>
#include <vector>

namespace tubalon::report {

int Nearest(double x) {
    const double r = std::nearbyint(x);
    if (r >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (r <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

DiagramLayout ComputeLayout(double passes, double D, int W, int H) {
    if (!std::isfinite(passes) || !std::isfinite(D))
        throw ECalcError(QStringLiteral("Invalid floating point operation"));
    DiagramLayout L;
    const double rows = std::ceil(passes);
    if (rows == 0 || D == 0) throw ECalcError(QStringLiteral("Floating point division by zero"));
    if (rows < 1) {
        L.n = static_cast<long long>(std::max(rows, -1e15));
        return L;
    }
    // Beyond 1e15 rows every row is drawn at the same place; the count only keeps its parity.
    L.n = rows > 1e15 ? 1000000000000000LL : static_cast<long long>(rows);
    L.x0 = 10;
    L.x1 = W - 10;
    L.y0 = 10;
    L.P = Nearest((H - 2.0 * L.y0) / rows);
    while (L.y0 < L.P) {
        ++L.y0;
        L.P = Nearest((H - 2.0 * L.y0) / rows);
    }
    L.D = D;
    L.s = (H - 2.0 * L.y0) / (2.0 * rows * D);
    L.R = Nearest(L.s * D / 2);
    L.d = Nearest(L.s * D);
    L.xa = L.x0 + L.R;
    L.xb = L.x1 - L.R;
    return L;
}

long long FloodFill(QImage& image, QPoint seed, QRgb border, QRgb fill) {
    if (!image.rect().contains(seed)) return 0;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    const int w = image.width(), h = image.height();
    const QRgb b = border & 0xFFFFFF;
    auto px = [&](int x, int y) -> QRgb& { return reinterpret_cast<QRgb*>(image.scanLine(y))[x]; };
    std::vector<unsigned char> done(static_cast<size_t>(w) * h, 0);
    auto open = [&](int x, int y) {
        return !done[static_cast<size_t>(y) * w + x] && (px(x, y) & 0xFFFFFF) != b;
    };
    if (!open(seed.x(), seed.y())) return 0;

    long long filled = 0;
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        const int y = p.y();
        if (!open(p.x(), y)) continue;
        int l = p.x(), r = p.x();
        while (l > 0 && open(l - 1, y))
            --l;
        while (r < w - 1 && open(r + 1, y))
            ++r;
        for (int x = l; x <= r; ++x) {
            px(x, y) = (px(x, y) & 0xFF000000) | (fill & 0xFFFFFF);
            done[static_cast<size_t>(y) * w + x] = 1;
        }
        filled += r - l + 1;
        for (int ny : {y - 1, y + 1}) {
            if (ny < 0 || ny >= h) continue;
            bool inRun = false;
            for (int x = l; x <= r; ++x) {
                const bool o = open(x, ny);
                if (o && !inRun) stack.emplace_back(x, ny);
                inRun = o;
            }
        }
    }
    return filled;
}

namespace {

class Canvas {
public:
    explicit Canvas(QImage& image) : image_(image) {}

    void Pen(int width) { width_ = width; }
    void Brush(QColor c) { brush_ = c; }

    void Line(long long x1, long long y1, long long x2, long long y2) {
        QPainter p(&image_);
        Setup(p, false);
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void Rectangle(long long l, long long t, long long r, long long b) {
        QPainter p(&image_);
        Setup(p, true);
        p.drawRect(QRectF(QPointF(l, t), QPointF(r, b)).normalized());
    }
    void Ellipse(long long l, long long t, long long r, long long b) {
        QPainter p(&image_);
        Setup(p, true);
        p.drawEllipse(QRectF(QPointF(l, t), QPointF(r, b)).normalized());
    }
    void Fill(long long x, long long y) {
        if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
        FloodFill(image_, QPoint(static_cast<int>(x), static_cast<int>(y)), qRgb(0, 0, 0),
                  brush_.rgb());
    }

private:
    void Setup(QPainter& p, bool filled) {
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(Qt::black, width_);
        pen.setCapStyle(width_ > 1 ? Qt::RoundCap : Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(filled ? QBrush(brush_) : Qt::NoBrush);
    }
    QImage& image_;
    int width_ = 1;
    QColor brush_ = Qt::white;
};

void StraightRow(Canvas& c, const DiagramLayout& L, long long i) {
    const long long n = L.n, P = L.P, R = L.R;
    const long long x0 = L.x0, x1 = L.x1, y0 = L.y0, mi = L.Middle(i);
    c.Brush(Qt::white);
    c.Pen(4);
    c.Line(x0, mi, x1, mi);
    if (n > 1) {
        if (i % 2 == 0) {
            c.Pen(4);
            c.Line(x1, mi, x1, mi - P);
            c.Pen(2);
            c.Line(x1 - 2 * R, mi - R, x1 - 2 * R, mi - P + R);
            c.Line(x1 - 3 * R, mi - R, x1 - 3 * R, mi - P + R);
        } else if (i > 1) {
            c.Pen(4);
            c.Line(x0, mi, x0, mi - P);
            c.Pen(2);
            c.Line(x0 + 2 * R, mi - R, x0 + 2 * R, mi - P + R);
            c.Line(x0 + 3 * R, mi - R, x0 + 3 * R, mi - P + R);
        }
        c.Pen(2);
        c.Line(x0 + 2 * R, y0, x0 + 2 * R, y0 - P + 2 * R);
        c.Line(x0 + 3 * R, y0, x0 + 3 * R, y0 - P + 2 * R);
        c.Line(x0 + R, y0 - P + 2 * R, x0 + 4 * R, y0 - P + 2 * R);
        const long long yE = n * P + y0, yL = (n - 1) * P + y0 + R;
        if (n % 2 == 1) {
            c.Line(x1 - 2 * R, yE, x1 - 2 * R, yL);
            c.Line(x1 - 3 * R, yE, x1 - 3 * R, yL);
            c.Line(x1 - R, yE, x1 - 4 * R, yE);
        } else {
            c.Line(x0 + 2 * R, yE, x0 + 2 * R, yL);
            c.Line(x0 + 3 * R, yE, x0 + 3 * R, yL);
            c.Line(x0 + R, yE, x0 + 4 * R, yE);
        }
    }
    c.Pen(2);
    c.Rectangle(L.xa, L.Top(i), L.xb, L.Bottom(i));
}

void HelicalRow(Canvas& c, const DiagramLayout& L, long long i, QColor face) {
    const long long R = L.R, d = L.d, xa = L.xa, xb = L.xb;
    const long long yi = L.Top(i), ybi = L.Bottom(i);
    c.Pen(1);
    c.Brush(Qt::white);
    c.Ellipse(xa - R, ybi, xa + R, ybi + d);
    c.Ellipse(xa - R + 2, ybi + 2, xa + R - 2, ybi + d - 2);
    c.Line(xa - 2 * R, ybi + R, xa + 2 * R, ybi + R);
    c.Ellipse(xb - R, ybi - 2 * d, xb + R, ybi - d);
    c.Ellipse(xb - R + 2, ybi - 2 * d + 2, xb + R - 2, ybi - d - 2);
    const long long off = Nearest(1.5 * L.s * L.D);
    c.Line(xb - 2 * R, ybi - off, xb + 2 * R, ybi - off);
    c.Line(xa, ybi - R, xa, ybi + d + R);
    c.Line(xb, yi - d - R, xb, yi + R);
    c.Line(xa, ybi, xb, yi - d);
    c.Line(xb, yi, xa, ybi + d);
    const long long yB = i == 1 ? yi : L.Top(i - 1);
    c.Rectangle(xa, yB + 2 * d, xb + 1, yB + d);
    c.Brush(face);
    c.Fill((xa + xb) / 2, (2 * yB + d) / 2);
    if (i == L.n) c.Fill((xa + xb) / 2, (2 * yi + d) / 2);
}

// Rows that can touch the area: the first three, the last two (their order decides what
// lies on top) and every row whose drawing reaches above the bottom edge.
bool RowMatters(const DiagramLayout& L, long long i, int H) {
    if (i <= 3 || i >= L.n - 1) return true;
    if (L.P == 0) return false; // all rows coincide with the first ones
    return L.Top(i) - L.P - L.d - L.R - 8 <= H;
}

} // namespace

void DrawDiagram(QImage& image, Shape shape, double passes, double D) {
    if (image.isNull() || image.format() != QImage::Format_RGB32)
        image = QImage(kDiagramSize, kDiagramSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    const DiagramLayout L = ComputeLayout(passes, D, image.width(), image.height());
    if (L.n < 1) return;
    Canvas c(image);
    const QColor face = ToQColor(clBtnFace);
    for (long long i = 1; i <= L.n; ++i) {
        if (!RowMatters(L, i, image.height())) {
            i = L.n - 2; // jump to the last two rows
            continue;
        }
        if (shape == Shape::Helical)
            HelicalRow(c, L, i, face);
        else
            StraightRow(c, L, i);
    }
}

bool IsBlank(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) return false;
    }
    return true;
}

TStructureView::TStructureView(QWidget* parent)
    : QWidget(parent), image_(kDiagramSize, kDiagramSize, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("StructDiagram"));
    setFixedSize(kDiagramSize, kDiagramSize);
    image_.fill(Qt::white);
}

void TStructureView::Clear() {
    image_.fill(Qt::white);
    update();
}

void TStructureView::Draw(Shape shape, double passes, double D) {
    try {
        DrawDiagram(image_, shape, passes, D);
    } catch (...) {
        image_.fill(Qt::white);
        update();
        throw;
    }
    update();
}

void TStructureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void DrawStructure(const QWidget& window, TStructureView& view) {
    const auto* m = window.findChild<const TEditD*>(QStringLiteral("mD"));
    const auto* doo = window.findChild<const TEditD*>(QStringLiteral("dooD"));
    const auto* shape = window.findChild<const QComboBox*>(QStringLiteral("ShapeD"));
    if (!m || !doo || TrimText(m->text()).isEmpty() || TrimText(doo->text()).isEmpty()) {
        view.Clear();
        return;
    }
    const double n = m->GetSIValue();
    const double D = doo->GetSIValue();
    const int s = shape ? shape->currentIndex() : 0;
    view.Draw(s == 1 ? Shape::Helical : s == 2 ? Shape::Kettle : Shape::Straight, n, D);
}

} // namespace tubalon::report
