#pragma once

#include <QChartView>
#include <QImage>
#include <QPointer>
#include <QString>

#include <vector>

class QAbstractAxis;
class QLineSeries;
class QBarCategoryAxis;
class QPainter;

namespace vitalog {

// The chart the graph screen drives: a grid of R rows (points) by C columns (series) of
// values, a label per row (one or two levels) and per column, a line or bar type, a legend
// switch and a fixed Y range. Setting data and labels changes nothing on the screen until
// Refresh builds the chart from them; drawing, axes and legend are Qt Charts' own.
class CMSChart : public QChartView {
    Q_OBJECT
public:
    enum Type { Bar2d = 1, Line2d = 3 };

    explicit CMSChart(QWidget* parent = nullptr);

    void SetChartType(int type);
    // Replaces the whole grid, [row][column]; every label goes back to its default.
    void SetChartData(const std::vector<std::vector<double>>& values);
    void SetRowLabelCount(int count);
    // Row and level count from 1; level 2 is written below level 1.
    void SetRowLabel(int row, int level, const QString& text);
    void SetColumnLabel(int column, const QString& text);
    void SetShowLegend(bool show);
    void SetValueScale(double minimum, double maximum);

    // A line drawn beside the grid on a line chart: a trend (a value per row, NaN for none; a
    // thinner, darker line of its column's colour) or a goal (one value, a dashed level line in its
    // column's colour across the whole chart). The grid stays as it is; a bar chart draws none.
    struct Overlay {
        enum Style { Trend, Goal };
        QString name;
        int column = 1; // counted from 1, like the labels
        Style style = Trend;
        std::vector<double> values;

        friend bool operator==(const Overlay&, const Overlay&) = default;
    };
    // Set after SetChartData, which takes the overlays away.
    void SetOverlays(const std::vector<Overlay>& overlays);
    const std::vector<Overlay>& Overlays() const { return m_overlays; }

    void Refresh();

    // The chart as it is shown, in the widget's own size: taken from the widget, never
    // through the clipboard.
    QImage Bitmap() const;
    // Draws the chart into a rectangle of any device at that device's resolution.
    void Render(QPainter& painter, const QRectF& target);

    int GetChartType() const { return m_type; }
    int RowCount() const { return int(m_values.size()); }
    int ColumnCount() const { return m_columns; }
    double Value(int row, int column) const { return m_values.at(row).at(column); }
    int RowLabelCount() const { return m_rowLabelCount; }
    QString RowLabel(int row, int level) const;
    QString ColumnLabel(int column) const;
    bool LegendShown() const { return m_showLegend; }
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The category text of a row: its label levels one below the other.
    QString Category(int row) const;
    // Every row keeps its category; where upright labels would not fit side by side, only
    // every n-th row is named and the others get an empty text of their own.
    int RowLabelStep() const;
    void NameRows();
    void AddOverlay(const Overlay& overlay, const std::vector<QLineSeries*>& columns,
                    QAbstractAxis* categories, QAbstractAxis* values);

    int m_type = Line2d;
    std::vector<std::vector<double>> m_values;
    int m_columns = 0;
    int m_rowLabelCount = 1;
    std::vector<std::vector<QString>> m_rowLabels; // [level][row]
    std::vector<QString> m_columnLabels;
    bool m_showLegend = false;
    double m_minimum = 0;
    double m_maximum = 100;
    std::vector<Overlay> m_overlays;
    QPointer<QBarCategoryAxis> m_categories;
    int m_rowLabelStep = 1;
};

} // namespace vitalog
