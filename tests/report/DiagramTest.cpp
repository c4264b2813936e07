// The structure diagram's layout, its drawing on the raster and the bounded flood fill.
#include "report/StructDiagram.h"
#include "units/Colors.h"
#include "units/Errors.h"

#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

using namespace tubalon::report;

namespace {

bool Black(const QImage& im, long long x, long long y) {
    if (x < 0 || y < 0 || x >= im.width() || y >= im.height()) return false;
    return (im.pixel(int(x), int(y)) & 0xFFFFFF) == 0;
}
// Any black pixel within +-r of (x, y).
bool BlackNear(const QImage& im, long long x, long long y, int r = 1) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (Black(im, x + dx, y + dy)) return true;
    return false;
}
long long CountColor(const QImage& im, QRgb c) {
    long long n = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x)
            n += (im.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
    return n;
}
QImage Draw(Shape s, double n, double D) {
    QImage im;
    DrawDiagram(im, s, n, D);
    return im;
}
const QRgb kFace = tubalon::ToQColor(tubalon::clBtnFace).rgb();

} // namespace

struct LayoutCase {
    double passes, D;
    long long n;
    int y0, P, R, d;
};

class Layout : public testing::TestWithParam<LayoutCase> {};

TEST_P(Layout, MarginsPitchAndSizes) {
    const LayoutCase c = GetParam();
    const DiagramLayout L = ComputeLayout(c.passes, c.D, 409, 409);
    EXPECT_EQ(L.n, c.n);
    EXPECT_EQ(L.x0, 10);
    EXPECT_EQ(L.x1, 399);
    EXPECT_EQ(L.y0, c.y0);
    EXPECT_EQ(L.P, c.P);
    EXPECT_EQ(L.R, c.R);
    EXPECT_EQ(L.d, c.d);
    EXPECT_EQ(L.xa, 10 + c.R);
    EXPECT_EQ(L.xb, 399 - c.R);
}

// s = (409 - 2 y0) / (2 n D); R = nearest(s D / 2), d = nearest(s D).
INSTANTIATE_TEST_SUITE_P(Cases, Layout,
                         testing::Values(LayoutCase{1, 0.057, 1, 137, 135, 34, 68},
                                         LayoutCase{3, 0.057, 3, 82, 82, 20, 41},
                                         LayoutCase{2.2, 0.1, 3, 82, 82, 20, 41},
                                         LayoutCase{4, 0.057, 4, 68, 68, 17, 34},
                                         LayoutCase{2, 1.0, 2, 102, 102, 26, 51},
                                         LayoutCase{0.3, 0.05, 1, 137, 135, 34, 68}));

TEST(Layout, ZeroRowsOrDiameterDivideByZero) {
    for (auto [n, D] : {std::pair{0.0, 0.05}, {-0.5, 0.05}, {3.0, 0.0}}) {
        try {
            ComputeLayout(n, D, 409, 409);
            ADD_FAILURE() << n << " " << D;
        } catch (const tubalon::ECalcError& e) {
            EXPECT_STREQ(e.what(), "Floating point division by zero");
        }
    }
    EXPECT_THROW(ComputeLayout(std::nan(""), 0.05, 409, 409), tubalon::ECalcError);
    EXPECT_THROW(ComputeLayout(2, HUGE_VAL, 409, 409), tubalon::ECalcError);
}

TEST(Layout, NegativePassesDrawNothing) {
    EXPECT_LT(ComputeLayout(-3, 0.05, 409, 409).n, 1);
    const QImage im = Draw(Shape::Straight, -3, 0.05);
    EXPECT_EQ(CountColor(im, qRgb(255, 255, 255)), 409LL * 409);
}

TEST(Layout, HalvesRoundToEven) {
    EXPECT_EQ(Nearest(0.5), 0);
    EXPECT_EQ(Nearest(1.5), 2);
    EXPECT_EQ(Nearest(2.5), 2);
    EXPECT_EQ(Nearest(-2.5), -2);
    EXPECT_EQ(Nearest(81.67), 82);
}

TEST(Straight, ThreePassesJoinRightThenLeftInletTopLeftOutletBottomRight) {
    const QImage im = Draw(Shape::Straight, 3, 0.057);
    const DiagramLayout L = ComputeLayout(3, 0.057, 409, 409);
    const long long R = L.R, P = L.P;
    for (long long i = 1; i <= 3; ++i) {
        const long long m = L.Middle(i);
        EXPECT_TRUE(Black(im, L.x0 + R / 2, m)) << "axis stub left, row " << i;
        EXPECT_TRUE(Black(im, L.x1 - R / 2, m)) << "axis stub right, row " << i;
        EXPECT_FALSE(BlackNear(im, (L.xa + L.xb) / 2, m, 2)) << "outer pipe covers the axis";
        EXPECT_TRUE(BlackNear(im, (L.xa + L.xb) / 2, L.Top(i))) << "outer pipe top";
        EXPECT_TRUE(BlackNear(im, (L.xa + L.xb) / 2, L.Bottom(i))) << "outer pipe bottom";
    }
    const long long j12 = (L.Middle(1) + L.Middle(2)) / 2, j23 = (L.Middle(2) + L.Middle(3)) / 2;
    EXPECT_TRUE(Black(im, L.x1, j12));
    EXPECT_TRUE(BlackNear(im, L.x1 - 2 * R, j12) && BlackNear(im, L.x1 - 3 * R, j12));
    EXPECT_FALSE(BlackNear(im, L.x0, j12, 2));
    EXPECT_TRUE(Black(im, L.x0, j23));
    EXPECT_TRUE(BlackNear(im, L.x0 + 2 * R, j23) && BlackNear(im, L.x0 + 3 * R, j23));
    EXPECT_FALSE(BlackNear(im, L.x1, j23, 2));
    // Inlet above row 1 at the left, with its cap.
    const long long capIn = L.y0 - P + 2 * R;
    EXPECT_TRUE(BlackNear(im, L.x0 + 2 * R, (L.y0 + capIn) / 2));
    EXPECT_TRUE(BlackNear(im, L.x0 + 3 * R, (L.y0 + capIn) / 2));
    EXPECT_TRUE(BlackNear(im, L.x0 + 4 * R - 2, capIn));
    EXPECT_FALSE(BlackNear(im, L.x1 - 2 * R, (L.y0 + capIn) / 2, 2));
    // Outlet below row 3 at the right.
    const long long yE = 3 * P + L.y0;
    EXPECT_TRUE(BlackNear(im, L.x1 - 2 * R, yE - 3));
    EXPECT_TRUE(BlackNear(im, L.x1 - 4 * R + 2, yE));
    EXPECT_FALSE(BlackNear(im, L.x0 + 2 * R, yE - 3, 2));
    // Nothing in the side margins.
    for (int y = 0; y < 409; ++y)
        for (int x : {0, 5, 403, 408})
            EXPECT_FALSE(Black(im, x, y)) << x << "," << y;
}

TEST(Straight, FourPassesOutletBottomLeft) {
    const QImage im = Draw(Shape::Straight, 4, 0.057);
    const DiagramLayout L = ComputeLayout(4, 0.057, 409, 409);
    const long long yE = 4 * L.P + L.y0;
    EXPECT_TRUE(BlackNear(im, L.x0 + 2 * L.R, yE - 3));
    EXPECT_TRUE(BlackNear(im, L.x0 + 3 * L.R, yE - 3));
    EXPECT_FALSE(BlackNear(im, L.x1 - 2 * L.R, yE - 3, 2));
    EXPECT_TRUE(Black(im, L.x1, (L.Middle(3) + L.Middle(4)) / 2));
}

TEST(Straight, OnePassHasNoBendsOrNozzles) {
    const QImage im = Draw(Shape::Straight, 1, 0.057);
    const DiagramLayout L = ComputeLayout(1, 0.057, 409, 409);
    for (int y = 0; y < 409; ++y)
        for (int x = 0; x < 409; ++x)
            if (Black(im, x, y)) {
                ASSERT_GE(y, L.y0 - 1);
                ASSERT_LE(y, L.Bottom(1) + 1);
            }
    EXPECT_TRUE(Black(im, L.x0 + 5, L.Middle(1)));
}

TEST(Straight, FractionalPassesDrawnAsNextWholeNumber) {
    EXPECT_EQ(Draw(Shape::Straight, 2.2, 0.057), Draw(Shape::Straight, 3, 0.057));
}

TEST(Straight, KettleLooksTheSame) {
    for (double n : {1.0, 2.0, 5.0})
        EXPECT_EQ(Draw(Shape::Kettle, n, 0.1), Draw(Shape::Straight, n, 0.1)) << n;
}

TEST(Straight, RedrawReplacesThePreviousDrawing) {
    QImage im;
    DrawDiagram(im, Shape::Helical, 3, 0.057);
    DrawDiagram(im, Shape::Straight, 2, 0.057);
    EXPECT_EQ(im, Draw(Shape::Straight, 2, 0.057));
    EXPECT_EQ(CountColor(im, kFace), 0);
}

class Helical : public testing::TestWithParam<double> {};

TEST_P(Helical, FrontBandsFilledWithoutLeaking) {
    const double n = GetParam();
    const QImage im = Draw(Shape::Helical, n, 0.057);
    const DiagramLayout L = ComputeLayout(n, 0.057, 409, 409);
    const long long mid = (L.xa + L.xb) / 2;
    for (long long i = 1; i <= L.n; ++i)
        EXPECT_EQ(im.pixel(int(mid), int((2 * L.Top(i) + L.d) / 2)) & 0xFFFFFF, kFace & 0xFFFFFF)
            << "front band of turn " << i;
    // Each band is about (xb - xa) long and d high; the background stays white.
    const long long face = CountColor(im, kFace);
    const double band = double(L.xb - L.xa) * L.d;
    EXPECT_GT(face, 0.5 * band * double(L.n));
    EXPECT_LT(face, 1.2 * band * double(L.n));
    for (QPoint p : {QPoint(0, 0), QPoint(408, 408), QPoint(204, 2), QPoint(204, 406)})
        EXPECT_EQ(im.pixel(p) & 0xFFFFFF, 0xFFFFFFu) << p.x() << "," << p.y();
    // Sections of the coil at both ends: circles left below the row, right above it.
    EXPECT_TRUE(BlackNear(im, L.xa, L.Bottom(1) + L.d, 1));
    EXPECT_TRUE(BlackNear(im, L.xb, L.Top(1) - L.d, 1));
    // No bends or nozzles: the pen-4 joins of the straight shape are absent.
    EXPECT_FALSE(BlackNear(im, L.x0 + 2 * L.R, L.y0 - L.P / 2, 2));
}

INSTANTIATE_TEST_SUITE_P(Turns, Helical, testing::Values(1.0, 2.0, 3.0, 6.0));

TEST(Diagram, HugePassCountsFinish) {
    for (double n : {200.0, 1e6, 1e12, 1e300}) {
        for (Shape s : {Shape::Straight, Shape::Helical}) {
            const QImage im = Draw(s, n, 0.05);
            EXPECT_EQ(im.size(), QSize(409, 409));
        }
    }
}

TEST(FloodFill, ClosedSquare) {
    QImage im(20, 20, QImage::Format_RGB32);
    im.fill(Qt::white);
    QPainter p(&im);
    p.setPen(Qt::black);
    p.drawRect(2, 2, 10, 10); // border 2..12
    p.end();
    EXPECT_EQ(FloodFill(im, {5, 5}, qRgb(0, 0, 0), qRgb(1, 2, 3)), 9 * 9);
    EXPECT_EQ(im.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    // Filling the same region again is the same region, already in the fill colour.
    EXPECT_EQ(FloodFill(im, {5, 5}, qRgb(0, 0, 0), qRgb(1, 2, 3)), 81);
    EXPECT_EQ(FloodFill(im, {2, 2}, qRgb(0, 0, 0), qRgb(1, 2, 3)), 0) << "seed on the border";
    EXPECT_EQ(FloodFill(im, {-1, 5}, qRgb(0, 0, 0), qRgb(1, 2, 3)), 0) << "seed outside";
    EXPECT_EQ(FloodFill(im, {0, 0}, qRgb(0, 0, 0), qRgb(9, 9, 9)), 400 - 81 - 40);
}

TEST(FloodFill, DiagonalLineHoldsFourConnectedFill) {
    QImage im(16, 16, QImage::Format_RGB32);
    im.fill(Qt::white);
    for (int i = 0; i < 16; ++i)
        im.setPixel(i, i, qRgb(0, 0, 0));
    // Below the diagonal: 15 + 14 + ... + 1 pixels.
    EXPECT_EQ(FloodFill(im, {0, 15}, qRgb(0, 0, 0), qRgb(200, 0, 0)), 120);
    EXPECT_EQ(im.pixel(15, 0) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(FloodFill, OtherColoursAreFilledOver) {
    QImage im(10, 1, QImage::Format_RGB32);
    im.fill(Qt::white);
    im.setPixel(3, 0, qRgb(240, 240, 240));
    im.setPixel(6, 0, qRgb(0, 0, 0));
    EXPECT_EQ(FloodFill(im, {0, 0}, qRgb(0, 0, 0), qRgb(7, 7, 7)), 6);
    EXPECT_EQ(im.pixel(3, 0) & 0xFFFFFF, qRgb(7, 7, 7) & 0xFFFFFF);
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
