// The metafile device context's geometry on its own: rounding to the
// canvas, transforms composed in the order records apply them, and curves
// flattened within their point budget, in the direction asked for.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/graphics/metafile/MetafileGeometry.h"

namespace {

double Distance(TPointF p, double x, double y) {
    return std::hypot(p.X - x, p.Y - y);
}

} // namespace

TEST(MetafileGeometry, CoordinatesRoundWithinReachOfTheCanvas) {
    EXPECT_EQ(CanvasInt(2.5), 3);
    EXPECT_EQ(CanvasInt(-2.5), -2) << "halves round up";
    EXPECT_EQ(CanvasInt(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(CanvasInt(1e300), 1 << 29);
    EXPECT_EQ(CanvasInt(-std::numeric_limits<double>::infinity()), -(1 << 29));

    EXPECT_EQ(BoundsOf({}, 3), TRect{});
    // The pixels the rounded points fall on, and one more on each side.
    EXPECT_EQ(BoundsOf({{1.2, 3.7}, {5.5, 2}}, 0), Rect(0, 1, 8, 6));
    EXPECT_EQ(BoundsOf({{10, 10}}, 2), Rect(7, 7, 14, 14));
}

TEST(MetafileGeometry, TransformsComposeInTheOrderTheyApply) {
    const TXform shift{1, 0, 0, 1, 10, 0};
    const TXform twice{2, 0, 0, 2, 0, 0};
    const TPointF shiftedThenScaled = Multiply(shift, twice).Apply(1, 1);
    EXPECT_DOUBLE_EQ(shiftedThenScaled.X, 22);
    EXPECT_DOUBLE_EQ(shiftedThenScaled.Y, 2);
    EXPECT_DOUBLE_EQ(Multiply(twice, shift).Apply(1, 1).X, 12);
    // A mirrored, stretched mapping still grows lengths by a positive scale.
    EXPECT_DOUBLE_EQ((TXform{2, 0, 0, -8, 0, 0}).LinearScale(), 4);
}

TEST(MetafileGeometry, BeziersFlattenToTheirEndWithinTheBudget) {
    const auto line = FlattenBeziers({{10, 0}, {20, 0}, {30, 0}}, {0, 0}, 1000);
    ASSERT_GT(line.size(), 1u);
    for (const TPointF& p : line)
        EXPECT_DOUBLE_EQ(p.Y, 0);
    EXPECT_DOUBLE_EQ(line.back().X, 30);

    // A thousand long curves share 2000 points: two steps each.
    std::vector<TPointF> curves;
    for (int i = 0; i < 1000; ++i)
        curves.insert(curves.end(), {{0, 5000}, {5000, 5000}, {5000, 0}});
    EXPECT_EQ(FlattenBeziers(curves, {0, 0}, 2000).size(), 2000u);
}

TEST(MetafileGeometry, ArcsRunInTheDirectionAskedAndMirrorWithTheMapping) {
    const TXform identity;
    // From the radial at 3 o'clock to the one at 12 o'clock (y grows down).
    const auto ccw = ArcPoints(identity, true, -10, -10, 10, 10, {20, 0}, {0, -20}, false);
    const auto cw = ArcPoints(identity, false, -10, -10, 10, 10, {20, 0}, {0, -20}, false);
    for (const auto* arc : {&ccw, &cw}) {
        EXPECT_LT(Distance(arc->front(), 10, 0), 1e-9);
        EXPECT_LT(Distance(arc->back(), 0, -10), 1e-9);
    }
    auto reachesBelow = [](const std::vector<TPointF>& arc) {
        for (const TPointF& p : arc)
            if (p.Y > 5)
                return true;
        return false;
    };
    EXPECT_FALSE(reachesBelow(ccw)) << "the quarter through the upper right";
    EXPECT_TRUE(reachesBelow(cw)) << "three quarters the other way";

    // Under a mapping that mirrors, the direction as the canvas shows it
    // turns round: the same points as the other direction, mirrored.
    const TXform mirror{1, 0, 0, -1, 0, 0};
    const auto mirrored = ArcPoints(mirror, true, -10, -10, 10, 10, {20, 0}, {0, -20}, false);
    ASSERT_EQ(mirrored.size(), cw.size());
    for (size_t i = 0; i < cw.size(); ++i)
        EXPECT_LT(Distance(mirrored[i], cw[i].X, -cw[i].Y), 1e-9);

    // A whole ellipse does not repeat its first point.
    const auto circle = ArcPoints(identity, true, -10, -10, 10, 10, {}, {}, true);
    for (const TPointF& p : circle)
        EXPECT_NEAR(Distance(p, 0, 0), 10, 1e-9);
    EXPECT_GT(Distance(circle.back(), 10, 0), 0.1);
}

TEST(MetafileGeometry, RoundedCornersStayInTheBoxAndShrinkToFit) {
    const auto outline = RoundRectPoints(TXform{}, 0, 0, 100, 50, 20, 10);
    for (const TPointF& p : outline) {
        EXPECT_GE(p.X, -1e-9);
        EXPECT_LE(p.X, 100 + 1e-9);
        EXPECT_GE(p.Y, -1e-9);
        EXPECT_LE(p.Y, 50 + 1e-9);
        EXPECT_GT(Distance(p, 0, 0), 2) << "the corner is cut";
    }
    // Corners wider than the box make it an ellipse of the box.
    for (const TPointF& p : RoundRectPoints(TXform{}, 0, 0, 10, 10, 100, 100))
        EXPECT_NEAR(Distance(p, 5, 5), 5, 1e-9);
}
