#pragma once

#include "pages/filters/filtertables.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>

// Two magnitude responses on the filter graph's axes (10 Hz to 24 kHz,
// -18 to +18 dB, the same colours): the curve an equaliser file asks for,
// dashed, and the curve the unit will have, solid, with a legend.
class EqCurvePlot final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(EqCurvePlot)

public:
    using Curve = std::array<float, FilterTables::Points>;

    explicit EqCurvePlot(QWidget *parent = nullptr);

    void setCurves(const Curve &file, const Curve &unit);
    void setLegend(const QString &file, const QString &unit);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRectF plotRect() const;
    double xOf(double frequency) const;
    double yOf(double db) const;
    void drawCurve(QPainter &p, const Curve &curve, const QPen &pen) const;

    Curve m_file{};
    Curve m_unit{};
    QString m_fileLegend;
    QString m_unitLegend;
};
