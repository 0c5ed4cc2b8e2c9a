#include "ui/WindowFront.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

TEST(WindowFront, AMinimisedWindowComesBackAsItWasAndActive) {
    for (const Qt::WindowStates before :
         {Qt::WindowStates(Qt::WindowNoState), Qt::WindowStates(Qt::WindowMaximized)}) {
        QWidget window;
        window.setWindowState(before | Qt::WindowMinimized);
        window.show();
        ASSERT_TRUE(window.isMinimized());
        ui::bringToFront(window);
        EXPECT_EQ(window.windowState() & ~Qt::WindowActive, before) << before;
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window)) << before;
    }
}
