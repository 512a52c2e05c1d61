#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/MachineLink.h"
#include "core/PortMap.h"
#include "devices/ChangeNotifier.h"
#include "devices/Drawing.h"

// Port 04: a snake steered through a maze. The upper four bits of the byte give the
// direction (80 up, 40 down, 20 left, 10 right), the lower four the distance in pixels;
// FF resets the maze. The inner walls are only drawn; the outer edge ends the run.
class Maze : public OutputDevice, public ChangeNotifier {
  public:
    explicit Maze(MachineLink& machine) : machine_(machine) {}

    // The picture: a lime field in a black frame, the maze square's bottom and right edges,
    // olive inner walls and a legend under the square.
    static constexpr int PictureWidth = 200;
    static constexpr int PictureHeight = 271;
    static constexpr int WallWidth = 4;
    static const std::array<PixelLine, 2> SquareEdges;
    static const std::array<std::vector<PixelPoint>, 4> InnerWalls; // polylines
    struct LegendLine {
        int Y;
        const char* Text;
    };
    static constexpr int LegendX = 5;
    static const std::array<LegendLine, 4> Legend;
    // BitsText is written over the legend's third line.
    static constexpr PixelPoint BitsTextAt{5, 237};

    // The head is a yellow circle with a red outline, this far around its centre.
    static constexpr int HeadRadius = 5;
    static PixelRect HeadBox(PixelPoint head);

    void PortWrite(uint8_t value) override;

    // The head's place and the last byte written. The trail is not part of the state: a
    // restored maze starts a trail afresh.
    struct State {
        int16_t SnakeX = 20;
        int16_t SnakeY = 20;
        std::optional<uint8_t> LastByte;
        bool operator==(const State&) const = default;
    };
    const State& CurrentState() const { return state_; }
    // Gives back a state as if the maze had just been reset there: the picture shows the
    // empty maze, the head and the last byte.
    void Restore(const State& state);

    int SnakeX() const { return state_.SnakeX; }
    int SnakeY() const { return state_.SnakeY; }
    // The last byte written, one digit under each heading of the legend; empty before one.
    std::string BitsText() const;
    // What the last output drew: whether it reset the maze first, then the heads in order.
    bool LastOutputReset() const { return lastReset_; }
    const std::vector<PixelPoint>& LastHeads() const { return lastHeads_; }
    // Every place a head was drawn since the maze was last reset or restored, each once, in
    // the order first drawn.
    const std::vector<PixelPoint>& Trail() const { return trail_; }

  private:
    void ResetMaze();
    void ClearTrail();
    void AddToTrail(PixelPoint head);
    // Moves one coordinate by up to distance pixels, one circle per pixel, and ends the run
    // where the next pixel would cross the edge.
    void Move(int16_t& coordinate, int step, int distance, int edge);

    MachineLink& machine_;
    State state_;
    bool lastReset_ = false;
    std::vector<PixelPoint> lastHeads_;
    std::vector<PixelPoint> trail_;
    std::vector<bool> onTrail_ = std::vector<bool>(PictureWidth * PictureHeight); // by row
};
