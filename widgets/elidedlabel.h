#pragma once

#include <QLabel>

// A one-line label that shows its text cut short with an ellipsis when the
// text is wider than the label, and the full text as its tooltip. The cut is
// made in the middle ("Hand…ld 2"), so that names which differ only at their
// end (a number, "left"/"right") can still be told apart. Channel names are
// shown with it. text() returns the full text.
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
    // Where the text is cut (Qt::ElideMiddle unless set).
    void setElideMode(Qt::TextElideMode mode);
    Qt::TextElideMode elideMode() const { return m_mode; }

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Qt::TextElideMode m_mode = Qt::ElideMiddle;
};
