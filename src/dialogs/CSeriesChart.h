#pragma once
// The chart of a point's values through time: a value axis with its unit
// and a time axis in UTC, both with grid lines at round steps, the values
// joined where they follow each other and broken at gaps, and the frame on
// screen marked. Sized from the font, so it reads alike at every scaling.

#include <QWidget>
#include <string>
#include <vector>

#include "product/PointSeries.h"

class CSeriesChart : public QWidget {
    Q_OBJECT

public:
    explicit CSeriesChart(QWidget* parent = nullptr);

    // The points in time order, the value axis's title ("亮温 (°C)"), the
    // offset taken from every value before it is drawn (273.15 shows
    // kelvin in °C) and the point of the frame on screen (-1 for none).
    void SetSeries(std::vector<SeriesPoint> points, const QString& valueTitle, double offset,
                   int current);
    const std::vector<SeriesPoint>& Points() const { return m_points; }
    int Current() const { return m_nCurrent; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<SeriesPoint> m_points;
    QString m_valueTitle;
    double m_dOffset = 0.0;
    int m_nCurrent = -1;
};
