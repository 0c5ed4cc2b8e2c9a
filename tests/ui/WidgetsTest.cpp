#include "ui/Gauge.h"
#include "ui/RadioGroup.h"
#include "ui/ScreenFit.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <gtest/gtest.h>

TEST(Gauge, ProgressStaysWithinZeroAndMaxValue) {
    ui::Gauge gauge("Gauge1");
    gauge.setMaxValue(10);
    gauge.setProgress(12);
    EXPECT_EQ(gauge.progress(), 10);
    gauge.setProgress(-3);
    EXPECT_EQ(gauge.progress(), 0);
    gauge.setProgress(8);
    gauge.setMaxValue(5);
    EXPECT_EQ(gauge.progress(), 5);
    gauge.setMaxValue(0);
    gauge.addProgress(1);
    EXPECT_EQ(gauge.progress(), 0);
    gauge.setMaxValue(-4);
    EXPECT_EQ(gauge.maxValue(), 0);
}

TEST(Gauge, TheBarCoversTheShareOfProgress) {
    ui::Gauge gauge("Gauge1");
    gauge.resize(101, 20);
    const QColor blue(0, 0, 200);
    gauge.setMaxValue(4);
    gauge.setProgress(2);
    QImage image = gauge.grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 2), blue);
    EXPECT_NE(image.pixelColor(90, 2), blue);
    gauge.setMaxValue(0);
    image = gauge.grab().toImage();
    EXPECT_NE(image.pixelColor(10, 2), blue);
}

TEST(RadioGroup, ItemsAreChosenByIndex) {
    ui::RadioGroup group("RadioGroup1");
    group.setItems({"time", "day", "week", "month"});
    EXPECT_EQ(group.itemIndex(), -1);
    QList<int> changes;
    QObject::connect(&group, &ui::RadioGroup::itemIndexChanged, [&](int i) { changes << i; });
    group.setItemIndex(2);
    group.setItemIndex(0);
    EXPECT_EQ(group.itemIndex(), 0);
    group.setItemIndex(9);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(changes, QList<int>({2, 0, -1}));

    group.setItemText(1, "Tag");
    group.setItemText(7, "ignored");
    EXPECT_EQ(group.items(), QStringList({"time", "Tag", "week", "month"}));
    group.setItemIndex(1);
    group.setItems({"x", "y"});
    EXPECT_EQ(group.itemIndex(), 1);
    group.setItems({"only"});
    EXPECT_EQ(group.itemIndex(), -1);
}

TEST(RadioGroup, ColumnsPutItemsSideBySide) {
    ui::RadioGroup group("RadioGroup1");
    group.setItems({"User1", "User2"});
    group.setColumns(2);
    group.resize(300, 80);
    group.layout()->activate();
    const QList<QAbstractButton*> buttons = group.findChildren<QAbstractButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->y(), buttons[1]->y());
    EXPECT_LT(buttons[0]->x(), buttons[1]->x());
}

// A window never reaches beyond the available area of its screen, frame included, and is
// centred in it.
TEST(ScreenFit, KeepsTheWindowAndItsFrameInsideTheAvailableArea) {
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize wanted : {QSize(300, 200), QSize(760, 600), QSize(5000, 5000)}) {
        QWidget window;
        ui::fitIntoScreen(window, wanted);
        EXPECT_EQ(window.size(), wanted.boundedTo(available.size() - QSize(16, 40)));
        const QRect withFrame(window.pos(), window.size() + QSize(16, 40));
        EXPECT_TRUE(available.contains(withFrame)) << wanted.width();
        EXPECT_LE(std::abs(withFrame.center().x() - available.center().x()), 1);
    }
}

// A screen reader hears the gauge as a progress bar with its value and range.
TEST(Gauge, ReportsItsValueToScreenReaders) {
    ui::Gauge gauge("Gauge1");
    gauge.setMaxValue(40);
    gauge.setProgress(10);
    QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(&gauge);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->role(), QAccessible::ProgressBar);
    ASSERT_NE(shown->valueInterface(), nullptr);
    EXPECT_EQ(shown->valueInterface()->currentValue().toInt(), 10);
    EXPECT_EQ(shown->valueInterface()->maximumValue().toInt(), 40);
    EXPECT_EQ(shown->valueInterface()->minimumValue().toInt(), 0);
    gauge.setProgress(25);
    EXPECT_EQ(shown->text(QAccessible::Value), "25");
}
