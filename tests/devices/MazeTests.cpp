#include <gtest/gtest.h>

#include <vector>

#include "DeviceMachine.h"

namespace {

// The heads of a straight move: count positions from a start, one pixel apart.
std::vector<PixelPoint> Trail(PixelPoint from, int dx, int dy, int count) {
    std::vector<PixelPoint> heads;
    for (int i = 0; i < count; ++i) {
        heads.push_back({from.X + dx * i, from.Y + dy * i});
    }
    return heads;
}

TEST(Maze, MovesOnePixelPerCircleInASingleDirection) {
    DeviceMachine m;
    Maze& maze = m.devices.Snake;
    maze.PortWrite(0x85);
    EXPECT_EQ(maze.LastHeads(), Trail({20, 20}, 0, -1, 6));
    EXPECT_EQ(maze.BitsText(), " 1    0    0    0   0 1 0 1");
    maze.PortWrite(0x10);
    EXPECT_EQ(maze.LastHeads(), Trail({20, 15}, 0, 0, 1));
    for (int twoOrNoDirections : {0xC3, 0x03}) {
        maze.PortWrite(static_cast<uint8_t>(twoOrNoDirections));
        EXPECT_TRUE(maze.LastHeads().empty());
    }
    maze.PortWrite(0xFF);
    EXPECT_TRUE(maze.LastOutputReset());
    EXPECT_TRUE(maze.LastHeads().empty());
    EXPECT_EQ((PixelPoint{maze.SnakeX(), maze.SnakeY()}), (PixelPoint{20, 20}));
}

// A program that steers one way until the maze's edge ends the run. The head stops on the
// edge without a circle past it, and the OUT completes: the run stops on the jump after it.
TEST(Maze, ASnakeHitsEachEdge) {
    struct Edge {
        int Byte;
        int X, Y;
        std::vector<PixelPoint> LastHeads;
    };
    const Edge edges[] = {{0x8F, 20, 7, Trail({20, 20}, 0, -1, 14)},
                          {0x4F, 20, 194, Trail({20, 185}, 0, +1, 10)},
                          {0x2F, 7, 20, Trail({20, 20}, -1, 0, 14)},
                          {0x1F, 193, 20, Trail({185, 20}, +1, 0, 9)}};
    for (const Edge& edge : edges) {
        DeviceMachine m("MOV AL," + HexByte(edge.Byte) + "\nAgain:\nOUT 04\nJMP Again\nEND\n");
        ASSERT_TRUE(m.Assemble());
        EXPECT_LT(m.RunToStop(), 100);
        SCOPED_TRACE(HexByte(edge.Byte));
        EXPECT_EQ(m.machine.Ended, RunEnd::MazeEdge);
        EXPECT_FALSE(m.ui.EditorReadOnly()); // the run ended: the editor is given back
        EXPECT_TRUE(m.NoError());
        EXPECT_EQ(m.RegLow(IP), 0x05);
        EXPECT_EQ(m.devices.Snake.SnakeX(), edge.X);
        EXPECT_EQ(m.devices.Snake.SnakeY(), edge.Y);
        EXPECT_EQ(m.devices.Snake.LastHeads(), edge.LastHeads);
    }
}

} // namespace
