#include "controls/MarkedComboBox.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTest>

using vitalog::MarkedComboBox;

namespace {

const QRgb Marker = qRgb(0, 128, 0);
const QRgb Base = qRgb(255, 255, 255);
const QRgb Highlight = qRgb(0, 0, 160);
const QRgb HighlightText = qRgb(255, 255, 0);

QPixmap MarkerImage() {
    QPixmap marker(20, 15);
    marker.fill(QColor(Marker));
    return marker;
}

// Draws one item as the drop-down list would, into a 200 x 20 image.
QImage DrawItem(const MarkedComboBox& combo, int index, bool selected) {
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QStyleOptionViewItem option;
    option.rect = image.rect();
    option.font = combo.font();
    option.palette.setColor(QPalette::Base, QColor(Base));
    option.palette.setColor(QPalette::Highlight, QColor(Highlight));
    option.palette.setColor(QPalette::HighlightedText, QColor(HighlightText));
    if (selected)
        option.state |= QStyle::State_Selected;
    QPainter painter(&image);
    combo.DrawItem(&painter, option, index);
    return image;
}

// Leftmost column holding a pixel of the colour, or -1.
int FirstColumnWith(const QImage& image, QRgb color) {
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == color)
                return x;
    return -1;
}

bool Contains(const QImage& image, QRgb color) {
    return FirstColumnWith(image, color) >= 0;
}

} // namespace

class MarkedComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_combo = std::make_unique<MarkedComboBox>();
        m_combo->addItems(
            {QStringLiteral("Abdomen"), QStringLiteral("Biceps"), QStringLiteral("Chest")});
    }

    void cleanup() { m_combo.reset(); }

    void itemRecords_defaultToBlackPlainWithoutImage() {
        for (int i = 0; i < m_combo->count(); ++i) {
            QCOMPARE(m_combo->ItemColor(i), QColor(Qt::black));
            QCOMPARE(m_combo->ItemImage(i), -1);
            QVERIFY(!m_combo->ItemBold(i));
        }
        QCOMPARE(m_combo->ColumnCount(), 100);
        QCOMPARE(m_combo->ColumnWidth(99), 50);
        QVERIFY(m_combo->ShowImages());
    }

    void itemSetters_ignoreAnIndexOutsideTheList_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("minus one") << -1;
        QTest::newRow("one past the end") << 3;
    }

    void itemSetters_ignoreAnIndexOutsideTheList() {
        QFETCH(int, index);
        m_combo->SetImageList({MarkerImage()});
        m_combo->setCurrentIndex(1);
        const QImage before = m_combo->grab().toImage();

        m_combo->SetItemBold(index, true);
        m_combo->SetItemImage(index, 0);
        m_combo->SetItemColor(index, Qt::red);

        for (int i = 0; i < m_combo->count(); ++i) {
            QVERIFY(!m_combo->ItemBold(i));
            QCOMPARE(m_combo->ItemImage(i), -1);
            QCOMPARE(m_combo->ItemColor(i), QColor(Qt::black));
        }
        QCOMPARE(m_combo->count(), 3);
        QCOMPARE(m_combo->grab().toImage(), before);
    }

    void itemRecords_followTheirItems() {
        m_combo->SetItemBold(2, true);
        m_combo->SetItemImage(2, 0);
        m_combo->removeItem(0);
        QVERIFY(m_combo->ItemBold(1));
        QCOMPARE(m_combo->ItemImage(1), 0);
        QVERIFY(!m_combo->ItemBold(0));
        m_combo->insertItem(0, QStringLiteral("Axilla"));
        QVERIFY(!m_combo->ItemBold(0));
        QCOMPARE(m_combo->ItemImage(0), -1);
    }

    void drawing_textStartsAfterTheImageWidthOnceAListIsAttached() {
        m_combo->SetItemColor(0, QColor(Highlight)); // a colour that is easy to find
        const int withoutList = FirstColumnWith(DrawItem(*m_combo, 0, false), Highlight);
        QVERIFY(withoutList >= 1 && withoutList < 20);

        m_combo->SetImageList({MarkerImage()});
        m_combo->SetItemImage(1, 0);
        // Item 0 has no image but its text still starts after the images' width.
        const QImage plain = DrawItem(*m_combo, 0, false);
        QVERIFY(!Contains(plain, Marker));
        QVERIFY(FirstColumnWith(plain, Highlight) >= 21);

        const QImage marked = DrawItem(*m_combo, 1, false);
        QCOMPARE(marked.pixel(0, 0), Marker);
        QCOMPARE(marked.pixel(19, 14), Marker);
        QCOMPARE(marked.pixel(20, 0), Base);

        m_combo->SetShowImages(false);
        const QImage hidden = DrawItem(*m_combo, 1, false);
        QVERIFY(!Contains(hidden, Marker));
    }

    void drawing_selectedItemUsesTheHighlightColours() {
        const QImage selected = DrawItem(*m_combo, 0, true);
        QCOMPARE(selected.pixel(199, 0), Highlight);
        QVERIFY(Contains(selected, HighlightText));

        // An item of its own colour keeps it on the highlight.
        m_combo->SetItemColor(0, QColor(Marker));
        const QImage coloured = DrawItem(*m_combo, 0, true);
        QVERIFY(Contains(coloured, Marker));
        QVERIFY(!Contains(coloured, HighlightText));

        const QImage unselected = DrawItem(*m_combo, 1, false);
        QCOMPARE(unselected.pixel(199, 0), Base);
        QVERIFY(Contains(unselected, qRgb(0, 0, 0)));
    }

    void drawing_boldItemIsWider() {
        auto inkWidth = [](const QImage& image) {
            int last = -1;
            for (int x = 0; x < image.width(); ++x)
                for (int y = 0; y < image.height(); ++y)
                    if (image.pixel(x, y) != Base)
                        last = x;
            return last;
        };
        const int plain = inkWidth(DrawItem(*m_combo, 0, false));
        m_combo->SetItemBold(0, true);
        QVERIFY(m_combo->ItemBold(0));
        QVERIFY(inkWidth(DrawItem(*m_combo, 0, false)) > plain);
    }

    void drawing_indexBeyondTheListDrawsNothing() {
        const QImage image = DrawItem(*m_combo, 5, true);
        QCOMPARE(image.pixel(0, 0), QColor(Qt::gray).rgb());
        QCOMPARE(image.pixel(199, 19), QColor(Qt::gray).rgb());
    }

    void setColumnCount_addsColumnsOfFiftyPixels() {
        m_combo->SetColumnCount(1);
        QCOMPARE(m_combo->ColumnCount(), 1);
        m_combo->SetColumnCount(3);
        QCOMPARE(m_combo->ColumnCount(), 3);
        QCOMPARE(m_combo->ColumnWidth(2), 50);
        QCOMPARE(m_combo->ColumnWidth(3), 0);
    }

private:
    std::unique_ptr<MarkedComboBox> m_combo;
};

QTEST_MAIN(MarkedComboBoxTest)
#include "MarkedComboBoxTest.moc"
