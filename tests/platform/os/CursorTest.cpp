// The cursor and window rectangle of the current GL window on Xvfb.
#include <thread>

#include <GL/glew.h>
#include <GL/freeglut.h>

#include <gtest/gtest.h>

#include "platform/os/Cursor.h"
#include "support/GlContext.h"

TEST(Cursor, WindowRectangleAndPointerInScreenPixels) {
    GlContext context(96, 64);
    glutDisplayFunc([] {});
    glutPositionWindow(30, 40);
    for (int i = 0; i < 5; ++i) glutMainLoopEvent();
    ScreenRect rect;
    ASSERT_TRUE(activeWindowRect(rect));
    EXPECT_EQ(rect.left * 1000 + rect.top, 30040);
    EXPECT_EQ(rect.right * 1000 + rect.bottom, 126104);
    ASSERT_TRUE(setCursorPosition(211, 17));
    ScreenPoint point;
    ASSERT_TRUE(cursorPosition(point));
    EXPECT_EQ(point.x * 1000 + point.y, 211017);

    bool found = true;
    std::thread other([&] {  // GL contexts are current per thread
        ScreenRect r;
        ScreenPoint p;
        found = activeWindowRect(r) || cursorPosition(p) || setCursorPosition(1, 1);
    });
    other.join();
    EXPECT_FALSE(found);
}
