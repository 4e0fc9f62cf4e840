#pragma once

#include <QLabel>

// A one-line label that shows its text cut short with an ellipsis (on the right
// unless set otherwise) when the text is wider than the label, and the full
// text as its tooltip.
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

    // Where the text is cut: Qt::ElideMiddle keeps names that differ only at
    // their ends apart ("Hand…ld 1", "Hand…ld 2").
    void setElideMode(Qt::TextElideMode mode);

    // The text as it is drawn at the current width.
    QString elidedText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::TextElideMode m_elideMode = Qt::ElideRight;
};
