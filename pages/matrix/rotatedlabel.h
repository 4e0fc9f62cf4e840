#pragma once

#include <QWidget>

// A column heading written upwards: a title line ("OUT 5") and a name line.
// The name is cut in the middle to the elide width (or to the label's length
// when that is shorter), so that names alike but for their ends stay apart;
// the full name is the tooltip.
class RotatedLabel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(RotatedLabel)

public:
    explicit RotatedLabel(QWidget *parent = nullptr);

    void setTitle(const QString &title);
    void setName(const QString &name);
    void setElideWidth(int pixels);
    void setTitleFont(const QFont &font);

    QString title() const { return m_title; }
    QString name() const { return m_name; }
    // The name as it is drawn.
    QString elidedName() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_title;
    QString m_name;
    QFont m_titleFont;
    int m_elideWidth = 120;
};
