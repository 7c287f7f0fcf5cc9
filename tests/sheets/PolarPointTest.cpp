// Polar and rectangular positions of the layout.
#include "sheets/PolarPoint.h"

#include <gtest/gtest.h>

using namespace dvq3;

TEST(PolarToRect, RoundsHalvesToEven) {
    struct Row {
        float r, theta;
        int x, y;
    };
    for (const Row& row : {Row{2.5F, 0, 2, 0}, Row{3.5F, 0, 4, 0}, Row{-2.5F, 0, -2, 0},
                           Row{4.5F, 90, 0, 4}, Row{10, 180, -10, 0}, Row{771, 3, 770, 40}}) {
        const PolarPoint p = PolarToRect({0, 0, row.r, row.theta});
        EXPECT_EQ(p.x, row.x) << row.r << " " << row.theta;
        EXPECT_EQ(p.y, row.y) << row.r << " " << row.theta;
    }
}

TEST(RectToPolar, HasNoQuadrantCorrectionAndNinetyDegreesOnTheYAxis) {
    struct Row {
        qint16 x, y;
        float r, theta;
    };
    for (const Row& row : {Row{3, 4, 5, 53.130102F}, Row{-3, 4, 5, -53.130102F}, Row{0, -7, 7, 90},
                           Row{771, 0, 771, 0}}) {
        const PolarPoint p = RectToPolar({row.x, row.y, 0, 0});
        EXPECT_FLOAT_EQ(p.r, row.r);
        EXPECT_NEAR(p.theta, row.theta, 1e-4);
    }
}
