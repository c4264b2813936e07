#include "app/MyStatusBar.h"

#include <QPainter>
#include <QProgressBar>
#include <QStyleOption>

namespace tubalon {

TMyStatusBar::TMyStatusBar(QWidget* parent) : QStatusBar(parent), bar_(new QProgressBar(this)) {
    setSizeGripEnabled(false);
    bar_->setObjectName("ProgressBar");
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->hide();
    panels_ = {Panel{50, Qt::AlignLeft, Style::Text, {}}, Panel{50, Qt::AlignLeft, Style::Text, {}},
               Panel{50, Qt::AlignLeft, Style::OwnerDrawn, {}}};
    pIndex_ = 2;
    setMinimumHeight(22);
}

void TMyStatusBar::SetPanels(const QList<Panel>& panels) {
    panels_ = panels;
    update();
}

QString TMyStatusBar::PanelText(int i) const {
    return i >= 0 && i < panels_.size() ? panels_[i].text : QString();
}

void TMyStatusBar::SetPanelText(int i, const QString& text) {
    if (i < 0 || i >= panels_.size() || panels_[i].text == text) return;
    panels_[i].text = text;
    update();
}

QRect TMyStatusBar::PanelRect(int i) const {
    int x = 0;
    for (int k = 0; k < i; ++k)
        x += panels_[k].width;
    const int w =
        i == panels_.size() - 1 ? std::max(panels_[i].width, width() - x) : panels_[i].width;
    return QRect(x, 1, w, height() - 2);
}

void TMyStatusBar::SetPIndex(int i) {
    if (i < 0 || i >= panels_.size()) return;
    if (pIndex_ >= panels_.size()) pIndex_ = static_cast<int>(panels_.size()) - 1;
    panels_[pIndex_].style = Style::Text;
    panels_[i].style = Style::OwnerDrawn;
    pIndex_ = i;
    attached_ = false;
    bar_->hide();
    update();
}

bool TMyStatusBar::BarShown() const {
    return attached_ && bar_->isVisible();
}

void TMyStatusBar::PlaceBar() {
    if (pIndex_ < 0 || pIndex_ >= panels_.size()) return;
    QRect r = PanelRect(pIndex_).adjusted(-1, -1, 0, 1);
    if (pIndex_ == panels_.size() - 1) r.setRight(r.right() - 12);
    bar_->setGeometry(r);
    if (!attached_ || !bar_->isVisible()) {
        attached_ = true;
        bar_->show();
    }
}

void TMyStatusBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (int i = 0; i < panels_.size(); ++i) {
        const QRect r = PanelRect(i);
        QStyleOptionFrame opt;
        opt.rect = r;
        opt.state = QStyle::State_Sunken;
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(r.adjusted(0, 0, -2, -1));
        if (panels_[i].style == Style::Text)
            p.drawText(r.adjusted(4, 0, -4, 0), int(panels_[i].alignment | Qt::AlignVCenter),
                       panels_[i].text);
        else if (i == pIndex_)
            PlaceBar();
    }
}

void TMyStatusBar::resizeEvent(QResizeEvent* e) {
    QStatusBar::resizeEvent(e);
    if (attached_) PlaceBar();
}

} // namespace tubalon
