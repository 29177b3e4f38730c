// The gain curves as the core computes them, drawn with QPainter: axes with
// the core's ticks, one line per attribute, the caps marked where a curve
// reaches them. Its accessible name and description carry the same in words.
#pragma once

#include "view/gearinsight.h"

#include <QPen>
#include <QWidget>

#include <optional>

namespace velmora::ui {

class GainChart : public QWidget {
    Q_OBJECT

public:
    explicit GainChart(QWidget* parent);
    void setPicture(std::optional<GainPicture> picture);
    const std::optional<GainPicture>& picture() const { return m_picture; }
    // Where a point of the picture is drawn, in the widget's pixels.
    QPointF place(const CurvePoint& point) const;
    // The colour of the curve at this index.
    QColor colourOf(const GainCurve& curve) const;
    QPen penOf(const GainCurve& curve, double width) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF plotArea() const;
    void drawAxes(QPainter& painter) const;
    void drawCurves(QPainter& painter) const;
    void drawCapLabels(QPainter& painter) const;
    void drawLegend(QPainter& painter) const;

    std::optional<GainPicture> m_picture;
};

} // namespace velmora::ui
