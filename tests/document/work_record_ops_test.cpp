#include "document/work_record_ops.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

TLavoro withPoints(std::initializer_list<std::tuple<int, int, std::uint8_t>> points) {
    TLavoro l;
    for (const auto& [x, y, handle] : points) {
        TPunto& p = l.Punti[l.NumPunti++];
        p.X = x;
        p.Y = y;
        p.Maniglia = handle;
    }
    return l;
}

TEST(HitTest, FirstPointWithinThreePixelsInIndexOrder) {
    const TLavoro l = withPoints({{100, 100, 1}, {102, 101, 2}, {300, 300, 0}});
    EXPECT_EQ(hitTestHandle(l, 101, 101), 1); // both are close: the first wins
    EXPECT_EQ(hitTestHandle(l, 105, 104), 2); // only the second within 3
    EXPECT_EQ(hitTestHandle(l, 303, 297), 0); // the edge of the square counts
    EXPECT_EQ(hitTestHandle(l, 304, 300), NessunaManiglia);
    EXPECT_EQ(hitTestHandle(l, 0, 0), NessunaManiglia);
}

TEST(HitTest, OnlyPointsInUseCount) {
    TLavoro l = withPoints({{10, 10, 4}});
    l.Punti[1].X = 50;
    l.Punti[1].Y = 50;
    l.Punti[1].Maniglia = 2;
    EXPECT_EQ(hitTestHandle(l, 50, 50), NessunaManiglia);
    l.NumPunti = 200; // a damaged count reads no further than the array
    EXPECT_EQ(hitTestHandle(l, 50, 50), 2);
}

TEST(LabelPosition, AboveBelowOrUnchanged) {
    TPunto p;
    p.EtichDx = 7;
    setLabelPosition(p, EtichSopra);
    EXPECT_EQ(p.EtichDx, 0);
    EXPECT_EQ(p.EtichDyStampa, -25);
    EXPECT_EQ(p.EtichDyVideo, -25);
    setLabelPosition(p, EtichSotto);
    EXPECT_EQ(p.EtichDyStampa, 60);
    EXPECT_EQ(p.EtichDyVideo, 8);
    p.EtichDx = 5;
    setLabelPosition(p, 3);
    EXPECT_EQ(p.EtichDx, 5);
    EXPECT_EQ(p.EtichDyVideo, 8);
}

TEST(Capacity, RoomForAnotherTreatment) {
    TLavoro l;
    l.NumPunti = 17;
    l.NumTrattamenti = 9;
    EXPECT_TRUE(roomForTreatment(l));
    l.NumPunti = 18;
    EXPECT_FALSE(roomForTreatment(l));
    l.NumPunti = 0;
    l.NumTrattamenti = 10;
    EXPECT_FALSE(roomForTreatment(l));
}

} // namespace
} // namespace tarvelo
