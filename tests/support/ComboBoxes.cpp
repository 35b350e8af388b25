#include "ComboBoxes.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>

namespace vitalog::test {

QStringList ItemTexts(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

void ChooseEntry(QComboBox& box, const QString& text) {
    const int index = box.findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box.setCurrentIndex(index);
    emit box.activated(index);
}

void ClickEntry(QComboBox& box, const QString& text) {
    const int index = box.findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box.showPopup();
    QAbstractItemView* view = box.view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect item = view->visualRect(view->model()->index(index, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(box.currentIndex(), index);
}

} // namespace vitalog::test
