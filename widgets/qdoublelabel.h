#pragma once

#include <QLabel>

// A label that reports double clicks.
class QDoubleLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(QDoubleLabel)

public:
    explicit QDoubleLabel(QWidget *parent = nullptr);
    explicit QDoubleLabel(const QString &text, QWidget *parent = nullptr);

signals:
    void DoubleClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
