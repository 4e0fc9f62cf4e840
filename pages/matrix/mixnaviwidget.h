#pragma once

#include <QWidget>

// The navigation marks over the crosspoint grid. It spans from the top-left
// crosspoint to the hovered one and draws a red bar along its bottom (the
// hovered input's row) and along its right side (the hovered output's
// column). The bars are translucent so the crosspoints under them stay
// readable, and the widget lets every mouse event through to the buttons.
class MixNaviWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(MixNaviWidget)

public:
    explicit MixNaviWidget(QWidget *parent = nullptr);

    // Height of the row bar and width of the column bar (one crosspoint).
    void setBarSize(int rowBarHeight, int columnBarWidth);
    int rowBarHeight() const { return m_rowBar; }
    int columnBarWidth() const { return m_columnBar; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_rowBar = 20;
    int m_columnBar = 38;
};
