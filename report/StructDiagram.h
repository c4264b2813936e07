// The structure diagram: the pipe run of the exchanger drawn to scale on a 409 x 409
// raster, a serpentine of double pipes or the turns of a coil in side view.
#pragma once

#include <QImage>
#include <QWidget>

namespace tubalon::report {

constexpr int kDiagramSize = 409;

enum class Shape { Straight = 0, Helical = 1, Kettle = 2 };

// Nearest integer, halves to the even neighbour.
int Nearest(double x);

struct DiagramLayout {
    long long n = 0; // rows (passes rounded up)
    int x0 = 0, x1 = 0, y0 = 0, P = 0;
    double s = 0; // pixels per metre
    double D = 0; // outer diameter, metres
    int R = 0, d = 0, xa = 0, xb = 0;
    // Top, bottom and centre line of row i (1-based).
    long long Top(long long i) const { return (i - 1) * P + y0; }
    long long Bottom(long long i) const { return Top(i) + d; }
    long long Middle(long long i) const { return (Top(i) + Bottom(i)) / 2; }
};

// Layout for `passes` (rounded up here) and the outer diameter D in metres on a W x H
// area. Raises ECalcError when the rows come to zero or D is zero (division by zero) or a
// value is not finite. Returns n < 1 for a negative pass count.
DiagramLayout ComputeLayout(double passes, double D, int W, int H);

// Fills the 4-connected region of the seed that is bounded by pixels of the border colour
// (and by the image's edges) with the fill colour. Returns the pixels filled; a seed
// outside the image or on the border fills nothing.
long long FloodFill(QImage& image, QPoint seed, QRgb border, QRgb fill);

// Clears the image to white and draws the diagram. Raises as ComputeLayout does.
void DrawDiagram(QImage& image, Shape shape, double passes, double D);

// True when every pixel of the image is white (nothing drawn).
bool IsBlank(const QImage& image);

// The paint area "StructDiagram" on the page "结构示意图": shows the last drawing.
class TStructureView : public QWidget {
    Q_OBJECT
public:
    explicit TStructureView(QWidget* parent = nullptr);
    const QImage& Image() const { return image_; }
    // Clears, then draws; the area stays blank when the drawing fails (the error goes on).
    void Draw(Shape shape, double passes, double D);
    void Clear();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QImage image_;
};

// BDrawStructClick: reads mD, dooD and ShapeD of the window and draws into the view.
// Empty mD or dooD leaves the area blank; a non-numeric text raises EConvertError.
void DrawStructure(const QWidget& window, TStructureView& view);

} // namespace tubalon::report
