#pragma once

#include <QWidget>

// A plain panel that paints the background its style sheet gives it (plain
// QWidget subclasses do not) and, when made clickable, reports clicks.
class BgWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(BgWidget)

public:
    explicit BgWidget(QWidget *parent = nullptr);

    // While set, a press emits clicked() and a double click doubleClicked().
    void setClickable(bool clickable);
    bool isClickable() const { return m_clickable; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_clickable = false;
};
