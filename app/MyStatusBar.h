// TMyStatusBar: a status bar with text panels, one of which hosts a progress bar.
#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;
class QProgressBar;

namespace tubalon {

class TMyStatusBar : public QStatusBar {
    Q_OBJECT
public:
    enum class Style { Text, OwnerDrawn };
    struct Panel {
        int width = 50;
        Qt::Alignment alignment = Qt::AlignLeft;
        Style style = Style::Text;
        QString text;
    };

    explicit TMyStatusBar(QWidget* parent = nullptr);

    // Replaces the panels (the last one stretches).
    void SetPanels(const QList<Panel>& panels);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    const Panel& PanelAt(int i) const { return panels_[i]; }
    QString PanelText(int i) const;
    void SetPanelText(int i, const QString& text);
    QRect PanelRect(int i) const;

    int PIndex() const { return pIndex_; }
    void SetPIndex(int i);

    QProgressBar* ProgressBar() const { return bar_; }
    // Whether the progress bar is currently shown over its panel.
    bool BarShown() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void PlaceBar();
    QList<Panel> panels_;
    int pIndex_ = 2;
    QProgressBar* bar_;
    bool attached_ = false;
};

} // namespace tubalon
