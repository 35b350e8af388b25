#include "CMSChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QSet>
#include <QValueAxis>

#include <cmath>

namespace vitalog {

namespace {
// Beyond this many rows the labels stand upright so that they do not run into each other.
constexpr int UprightLabelRows = 12;

// The smallest of 1, 2, 5, 10, 20, 50 ... that divides the span into at most ten steps.
double TickInterval(double span) {
    double interval = 1;
    while (span / interval > 10) {
        for (const double factor : {2.0, 2.5, 2.0}) {
            interval *= factor;
            if (span / interval <= 10)
                break;
        }
    }
    return interval;
}
} // namespace

CMSChart::CMSChart(QWidget* parent) : QChartView(parent) {
    setObjectName(QStringLiteral("graphChart"));
    setAccessibleName(QStringLiteral("Chart"));
    // Nothing to do inside the chart: the Tab key goes from the pickers to the toolbar.
    setFocusPolicy(Qt::NoFocus);
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::StyledPanel);
    chart()->setBackgroundRoundness(0);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->legend()->hide();
}

void CMSChart::SetChartType(int type) {
    m_type = type == Bar2d ? Bar2d : Line2d;
}

void CMSChart::SetChartData(const std::vector<std::vector<double>>& values) {
    m_values = values;
    m_columns = 0;
    for (const auto& row : m_values)
        m_columns = std::max(m_columns, int(row.size()));
    for (auto& row : m_values)
        row.resize(std::size_t(m_columns), 0.0);
    m_rowLabels.assign(std::size_t(m_rowLabelCount), std::vector<QString>(m_values.size()));
    m_columnLabels.assign(std::size_t(m_columns), QString());
    m_overlays.clear();
}

void CMSChart::SetOverlays(const std::vector<Overlay>& overlays) {
    m_overlays = overlays;
}

void CMSChart::SetRowLabelCount(int count) {
    m_rowLabelCount = std::max(count, 1);
    m_rowLabels.resize(std::size_t(m_rowLabelCount), std::vector<QString>(m_values.size()));
}

void CMSChart::SetRowLabel(int row, int level, const QString& text) {
    if (level < 1 || level > m_rowLabelCount || row < 1 || row > RowCount())
        return;
    m_rowLabels[std::size_t(level - 1)][std::size_t(row - 1)] = text;
}

void CMSChart::SetColumnLabel(int column, const QString& text) {
    if (column >= 1 && column <= m_columns)
        m_columnLabels[std::size_t(column - 1)] = text;
}

void CMSChart::SetShowLegend(bool show) {
    m_showLegend = show;
}

void CMSChart::SetValueScale(double minimum, double maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
}

QString CMSChart::RowLabel(int row, int level) const {
    if (level < 1 || level > m_rowLabelCount || row < 1 || row > RowCount())
        return {};
    return m_rowLabels[std::size_t(level - 1)][std::size_t(row - 1)];
}

QString CMSChart::ColumnLabel(int column) const {
    if (column < 1 || column > m_columns)
        return {};
    return m_columnLabels[std::size_t(column - 1)];
}

QString CMSChart::Category(int row) const {
    QStringList levels;
    for (int level = 1; level <= m_rowLabelCount; ++level) {
        const QString text = RowLabel(row, level);
        if (!text.isEmpty())
            levels << text.toHtmlEscaped();
    }
    // A row without labels is known by its number.
    return levels.isEmpty() ? QString::number(row) : levels.join(QStringLiteral("<br>"));
}

void CMSChart::Refresh() {
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes())
        c->removeAxis(axis), delete axis;

    auto* categories = new QBarCategoryAxis;
    m_categories = categories;
    NameRows();
    categories->setLabelsAngle(RowCount() > UprightLabelRows ? -90 : 0);
    // Dates with times take two lines; cut short they would all read alike.
    categories->setTruncateLabels(false);
    auto* values = new QValueAxis;
    values->setRange(m_minimum, m_maximum);
    // Gridlines at round numbers rather than at fifths of an odd range.
    values->setTickType(QValueAxis::TicksDynamic);
    values->setTickAnchor(0);
    values->setTickInterval(TickInterval(m_maximum - m_minimum));
    values->setLabelFormat(QStringLiteral("%g"));
    c->addAxis(categories, Qt::AlignBottom);
    c->addAxis(values, Qt::AlignLeft);

    const auto columnName = [this](int column) {
        const QString label = ColumnLabel(column);
        return label.isEmpty() ? QStringLiteral("C%1").arg(column) : label;
    };
    if (m_type == Bar2d) {
        auto* series = new QBarSeries;
        for (int column = 1; column <= m_columns; ++column) {
            auto* set = new QBarSet(columnName(column));
            for (const auto& row : m_values)
                set->append(row[std::size_t(column - 1)]);
            series->append(set);
        }
        c->addSeries(series);
        series->attachAxis(categories);
        series->attachAxis(values);
        // Bars a few pixels wide would be all border: draw them in their own colour.
        if (RowCount() * m_columns * 4 > viewport()->width()) {
            for (QBarSet* set : series->barSets())
                set->setPen(QPen(set->brush().color(), 0));
        }
    } else {
        std::vector<QLineSeries*> columns;
        for (int column = 1; column <= m_columns; ++column) {
            auto* series = new QLineSeries;
            series->setName(columnName(column));
            series->setPointsVisible(true);
            for (std::size_t row = 0; row < m_values.size(); ++row)
                series->append(double(row), m_values[row][std::size_t(column - 1)]);
            c->addSeries(series);
            series->attachAxis(categories);
            series->attachAxis(values);
            columns.push_back(series);
        }
        for (const Overlay& overlay : m_overlays)
            AddOverlay(overlay, columns, categories, values);
    }
    c->legend()->setVisible(m_showLegend);
    viewport()->update();
}

void CMSChart::AddOverlay(const Overlay& overlay, const std::vector<QLineSeries*>& columns,
                          QAbstractAxis* categories, QAbstractAxis* values) {
    if (overlay.column < 1 || overlay.column > int(columns.size()) || overlay.values.empty())
        return;
    QChart* c = chart();
    auto* series = new QLineSeries;
    series->setName(overlay.name);
    if (overlay.style == Overlay::Goal) {
        // From the left edge of the first category to the right edge of the last.
        series->append(-0.5, overlay.values.front());
        series->append(RowCount() - 0.5, overlay.values.front());
    } else {
        for (std::size_t row = 0; row < overlay.values.size() && int(row) < RowCount(); ++row) {
            // A row without a reading has no trend point; the line runs on to the next.
            if (std::isfinite(overlay.values[row]))
                series->append(double(row), overlay.values[row]);
        }
    }
    c->addSeries(series);
    series->attachAxis(categories);
    series->attachAxis(values);
    // The theme gives a colour when the series is added; take the column's instead.
    QPen pen = columns[std::size_t(overlay.column - 1)]->pen();
    if (overlay.style == Overlay::Goal) {
        pen.setStyle(Qt::DashLine);
    } else {
        // Over a noisy series of many points a thin line of the very same colour drowns;
        // a darker shade of it keeps the pair together and the trend readable.
        pen.setWidthF(std::max(1.0, pen.widthF() * 0.75));
        pen.setColor(pen.color().darker(170));
    }
    series->setPen(pen);
}

int CMSChart::RowLabelStep() const {
    const int rows = RowCount();
    if (rows <= UprightLabelRows)
        return 1;
    // An upright label is as wide as its lines are high; leave half a line between two.
    const QFontMetricsF metrics(m_categories ? m_categories->labelsFont() : font());
    const double perLabel = metrics.height() * (m_rowLabelCount + 0.5);
    // The value axis and the margins take about this much of the width.
    const double width = std::max(1.0, viewport()->width() - 100.0);
    const int fit = std::max(1, int(width / perLabel));
    return (rows + fit - 1) / fit;
}

void CMSChart::NameRows() {
    if (!m_categories)
        return;
    m_rowLabelStep = RowLabelStep();
    QStringList texts;
    QSet<QString> used;
    for (int row = 1; row <= RowCount(); ++row) {
        QString text;
        if ((row - 1) % m_rowLabelStep == 0) {
            // The axis refuses a category twice; readings share a date only with different
            // times.
            text = Category(row);
            while (used.contains(text))
                text += QChar(0x200B);
        } else {
            // Unnamed: the row's number in invisible characters, which no named row begins
            // with.
            text = QChar(0x2060);
            for (int bits = row; bits > 0; bits >>= 1)
                text += QChar(bits & 1 ? 0x200C : 0x200B);
        }
        used.insert(text);
        texts << text;
    }
    m_categories->setCategories(texts);
    // A line per row where most rows are unnamed only greys the plot.
    m_categories->setGridLineVisible(m_rowLabelStep == 1);
}

void CMSChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    if (m_categories && RowLabelStep() != m_rowLabelStep)
        NameRows();
}

QImage CMSChart::Bitmap() const {
    // grab() is not const, but taking a picture changes nothing.
    QImage image = const_cast<CMSChart*>(this)->grab().toImage();
    // On a scaled screen the grab holds more pixels than the widget measures; the reports
    // expect the chart's on-screen size.
    if (!image.isNull() && image.size() != size())
        image = image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(1);
    return image;
}

void CMSChart::Render(QPainter& painter, const QRectF& target) {
    render(&painter, target, viewport()->rect(), Qt::IgnoreAspectRatio);
}

} // namespace vitalog
