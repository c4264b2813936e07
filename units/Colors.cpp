#include "units/Colors.h"

#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace tubalon {

QColor ToQColor(int color) {
    switch (color) {
    case clWindow:
        return QColor(255, 255, 255);
    case clBtnFace:
        return QColor(240, 240, 240);
    default:
        break;
    }
    if (color < 0) return QColor(255, 255, 255);
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

int ColorOf(const QWidget* w) {
    const QVariant v = w->property("tubalonColor");
    return v.isValid() ? v.toInt() : clWindow;
}

void SetColorOf(QWidget* w, int color) {
    if (w->property("tubalonColor").isValid() && ColorOf(w) == color) return;
    w->setProperty("tubalonColor", color);
    QPalette p = w->palette();
    p.setColor(QPalette::Base, ToQColor(color));
    w->setPalette(p);
}

int FontColorOf(const QWidget* w) {
    const QVariant v = w->property("tubalonFontColor");
    return v.isValid() ? v.toInt() : clBlack;
}

void SetFontColorOf(QWidget* w, int color) {
    if (w->property("tubalonFontColor").isValid() && FontColorOf(w) == color) return;
    w->setProperty("tubalonFontColor", color);
    QPalette p = w->palette();
    p.setColor(QPalette::Text, ToQColor(color));
    w->setPalette(p);
}

} // namespace tubalon
