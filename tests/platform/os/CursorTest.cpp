// The cursor and window rectangle of the current GL window on Xvfb.
#include <thread>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <gtest/gtest.h>

#include "platform/os/Cursor.h"
#include "support/GlContext.h"

TEST(Cursor, WindowRectangleMatchesTheGlutWindow) {
    GlContext context(96, 64);
    glutDisplayFunc([] {});
    glutPositionWindow(30, 40);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    ScreenRect rect;
    ASSERT_TRUE(activeWindowRect(rect));
    EXPECT_EQ(rect.right - rect.left, 96);
    EXPECT_EQ(rect.bottom - rect.top, 64);
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 40);
}

TEST(Cursor, MovesAndReadsThePointerInScreenPixels) {
    GlContext context;
    ASSERT_TRUE(setCursorPosition(211, 17));
    ScreenPoint point;
    ASSERT_TRUE(cursorPosition(point));
    EXPECT_EQ(point.x, 211);
    EXPECT_EQ(point.y, 17);
    ASSERT_TRUE(setCursorPosition(5, 300));
    ASSERT_TRUE(cursorPosition(point));
    EXPECT_EQ(point.x, 5);
    EXPECT_EQ(point.y, 300);
}

TEST(Cursor, NothingWithoutACurrentWindow) {
    GlContext context;
    bool rectFound = true, pointFound = true, moved = true;
    std::thread other([&] {  // GL contexts are current per thread
        ScreenRect rect;
        ScreenPoint point;
        rectFound = activeWindowRect(rect);
        pointFound = cursorPosition(point);
        moved = setCursorPosition(1, 1);
    });
    other.join();
    EXPECT_FALSE(rectFound);
    EXPECT_FALSE(pointFound);
    EXPECT_FALSE(moved);
}
