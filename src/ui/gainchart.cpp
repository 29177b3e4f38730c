#include "ui/gainchart.h"

#include "ui/plaintext.h"
#include "view/chartlabels.h"

#include <QPainter>
#include <QPainterPath>

namespace velmora::ui {

namespace {
// Room for the tick texts left and below, and for the legend on the right.
constexpr double kLeftMargin = 52, kBottomMargin = 40, kTopMargin = 30, kLegendWidth = 96;
} // namespace

GainChart::GainChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(480, 260);
    setFocusPolicy(Qt::TabFocus); // a screen reader reaches the curves in words
}

void GainChart::setPicture(std::optional<GainPicture> picture) {
    m_picture = std::move(picture);
    setAccessibleName(qText(m_picture ? std::string_view(m_picture->spoken) : kGainCurvesHeading));
    update();
}

// The core's colour for the plot it is on: the dark one on a dark palette.
QColor GainChart::colourOf(const GainCurve& curve) const {
    const bool dark = palette().color(QPalette::Window).lightness() < 128;
    return QColor(qText(dark ? curve.darkColour : curve.colour));
}

// The curve's line: its colour and its dash pattern (in pixels; Qt counts
// dashes in pen widths).
QPen GainChart::penOf(const GainCurve& curve, double width) const {
    QPen pen(colourOf(curve), width);
    pen.setCapStyle(Qt::FlatCap);
    if (!curve.dashes.empty()) {
        QList<qreal> dashes;
        for (const double length : curve.dashes) {
            dashes << length / width;
        }
        pen.setDashPattern(dashes);
    }
    return pen;
}

QRectF GainChart::plotArea() const {
    return QRectF(kLeftMargin, kTopMargin, width() - kLeftMargin - kLegendWidth - 8,
                  height() - kTopMargin - kBottomMargin);
}

QPointF GainChart::place(const CurvePoint& point) const {
    const QRectF area = plotArea();
    const PixelPoint at =
        plotPixel(*m_picture, {area.left(), area.top(), area.width(), area.height()}, point);
    return {at.x, at.y};
}

void GainChart::paintEvent(QPaintEvent*) {
    if (!m_picture) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawAxes(painter);
    drawCurves(painter);
    drawLegend(painter);
    if (hasFocus()) { // reached by Tab: framed as the lines are
        painter.setPen(QPen(QColor(0x1a, 0x66, 0xc9), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void GainChart::drawAxes(QPainter& painter) const {
    const QRectF area = plotArea();
    const QColor text = palette().color(QPalette::WindowText);
    QColor grid = text;
    grid.setAlphaF(0.25);
    const QFontMetricsF metrics(font());
    for (const Tick& tick : m_picture->percentTicks) {
        const double y = place({m_picture->left, tick.value}).y();
        painter.setPen(QPen(grid, tick.value == 0 ? 2 : 1));
        painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
        painter.setPen(text);
        const QString label = qText(tick.text);
        painter.drawText(
            QPointF(area.left() - 6 - metrics.horizontalAdvance(label), y + metrics.ascent() / 2 - 1), label);
    }
    for (const Tick& tick : m_picture->ratingTicks) {
        const double x = place({tick.value, m_picture->bottom}).x();
        painter.setPen(QPen(grid, tick.value == 0 ? 2 : 1));
        painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
        painter.setPen(text);
        const QString label = qText(tick.text);
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(label) / 2, area.bottom() + metrics.ascent() + 4), label);
    }
    painter.setPen(text);
    const QString ratingAxis = qText(m_picture->ratingAxis);
    painter.drawText(QPointF(area.center().x() - metrics.horizontalAdvance(ratingAxis) / 2, height() - 4),
                     ratingAxis);
    painter.drawText(QPointF(4, metrics.ascent()), qText(m_picture->percentAxis));
}

void GainChart::drawCurves(QPainter& painter) const {
    painter.save();
    painter.setClipRect(plotArea().adjusted(-4, -4, 4, 4));
    for (const GainCurve& curve : m_picture->curves) {
        QPainterPath path;
        for (std::size_t k = 0; k < curve.points.size(); ++k) {
            k == 0 ? path.moveTo(place(curve.points[k])) : path.lineTo(place(curve.points[k]));
        }
        painter.setPen(penOf(curve, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        for (const CapMark& cap : curve.caps) {
            painter.setPen(QPen(colourOf(curve), 2));
            painter.setBrush(colourOf(curve));
            painter.drawEllipse(place(cap.at), kCapMarkRadius - 1, kCapMarkRadius - 1);
        }
    }
    drawCapLabels(painter);
    painter.restore();
}

// Where the core places them, after every line, so that none is drawn over
// the words.
void GainChart::drawCapLabels(QPainter& painter) const {
    const QFontMetricsF metrics(font());
    std::vector<PixelBox> sizes;
    std::vector<QString> words;
    for (const GainCurve& curve : m_picture->curves) {
        for (const CapMark& cap : curve.caps) {
            words.push_back(qText(cap.text));
            sizes.push_back({0, 0, metrics.horizontalAdvance(words.back()), metrics.height()});
        }
    }
    const QRectF area = plotArea();
    const auto places =
        placeCapLabels(*m_picture, {area.left(), area.top(), area.width(), area.height()}, sizes);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const PixelBox& box = places[i].box;
        if (!places[i].shown) {
            continue;
        }
        if (places[i].onPatch) {
            painter.fillRect(QRectF(box.left, box.top, box.width, box.height),
                             palette().color(QPalette::Window));
        }
        painter.setPen(palette().color(QPalette::WindowText));
        if (places[i].leader) {
            painter.drawLine(QPointF(places[i].leaderFrom.x, places[i].leaderFrom.y),
                             QPointF(places[i].leaderTo.x, places[i].leaderTo.y));
        }
        painter.drawText(QPointF(box.left, box.top + metrics.ascent()), words[i]);
    }
}

void GainChart::drawLegend(QPainter& painter) const {
    const QFontMetricsF metrics(font());
    const double left = width() - kLegendWidth;
    double top = kTopMargin + metrics.ascent();
    for (std::size_t i = 0; i < m_picture->curves.size(); ++i) {
        painter.setPen(penOf(m_picture->curves[i], 2));
        painter.drawLine(QPointF(left, top - metrics.ascent() / 3),
                         QPointF(left + 18, top - metrics.ascent() / 3));
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QPointF(left + 24, top), qText(m_picture->curves[i].name));
        top += metrics.height() + 4;
    }
}

} // namespace velmora::ui
