#pragma once

#include <QLabel>

// A one-line label that shows its text cut short with an ellipsis on the right
// when the text is wider than the label, and the full text as its tooltip.
// Channel names are shown with it. text() returns the full text.
class ElidedLabel final : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY(ElidedLabel)

public:
    explicit ElidedLabel(QWidget *parent = nullptr);
    explicit ElidedLabel(const QString &text, QWidget *parent = nullptr);

    // Sets the full text and the tooltip.
    void setText(const QString &text);

    // The text as it is drawn at the current width.
    QString elidedText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
