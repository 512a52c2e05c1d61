#include "devices/Maze.h"

namespace {

constexpr uint8_t ResetByte = 0xFF;
constexpr int16_t StartX = 20;
constexpr int16_t StartY = 20;
// The last pixels the head may stand on; the right edge is one short of the bottom one.
constexpr int TopEdge = 7;
constexpr int BottomEdge = 194;
constexpr int LeftEdge = 7;
constexpr int RightEdge = 193;

char Bit(uint8_t value, int bit) {
    return (value >> bit) & 1 ? '1' : '0';
}

} // namespace

const std::array<PixelLine, 2> Maze::SquareEdges{{
    {{0, 196}, {PictureWidth, 196}},
    {{196, 0}, {196, 196}},
}};

const std::array<std::vector<PixelPoint>, 4> Maze::InnerWalls{{
    {{40, 4}, {40, 159}},
    {{80, 196}, {80, 120}},
    {{40, 80}, {120, 80}, {120, 160}},
    {{80, 40}, {160, 40}, {160, 196}},
}};

const std::array<Maze::LegendLine, 4> Maze::Legend{{
    {205, "Port 04         FF to Reset"},
    {221, "Up Down Left Right Distance"},
    {237, " 0    0    0    0   0 0 0 0"},
    {253, "80   40   20   10   8 4 2 1"},
}};

PixelRect Maze::HeadBox(PixelPoint head) {
    return {head.X - HeadRadius, head.Y - HeadRadius, head.X + HeadRadius, head.Y + HeadRadius};
}

void Maze::ResetMaze() {
    state_.SnakeX = StartX;
    state_.SnakeY = StartY;
}

std::string Maze::BitsText() const {
    if (!state_.LastByte) {
        return {};
    }
    const uint8_t value = *state_.LastByte;
    return std::string(" ") + Bit(value, 7) + "    " + Bit(value, 6) + "    " + Bit(value, 5) +
           "    " + Bit(value, 4) + "   " + Bit(value, 3) + " " + Bit(value, 2) + " " +
           Bit(value, 1) + " " + Bit(value, 0);
}

void Maze::Restore(const State& state) {
    state_ = state;
    lastReset_ = true;
    lastHeads_.assign(1, {state_.SnakeX, state_.SnakeY});
    ClearTrail();
    AddToTrail(lastHeads_.front());
    NotifyChange();
}

void Maze::PortWrite(uint8_t value) {
    state_.LastByte = value;
    lastReset_ = value == ResetByte;
    lastHeads_.clear();
    if (lastReset_) {
        ResetMaze();
        ClearTrail();
    }
    const int distance = value & 0x0F;
    switch (value & 0xF0) {
    case 0x80:
        Move(state_.SnakeY, -1, distance, TopEdge);
        break;
    case 0x40:
        Move(state_.SnakeY, +1, distance, BottomEdge);
        break;
    case 0x20:
        Move(state_.SnakeX, -1, distance, LeftEdge);
        break;
    case 0x10:
        Move(state_.SnakeX, +1, distance, RightEdge);
        break;
    default:
        break;
    }
    for (PixelPoint head : lastHeads_) {
        AddToTrail(head);
    }
    NotifyChange();
}

void Maze::ClearTrail() {
    for (PixelPoint head : trail_) {
        onTrail_[static_cast<size_t>(head.Y * PictureWidth + head.X)] = false;
    }
    trail_.clear();
}

void Maze::AddToTrail(PixelPoint head) {
    const auto place = static_cast<size_t>(head.Y * PictureWidth + head.X);
    if (!onTrail_[place]) {
        onTrail_[place] = true;
        trail_.push_back(head);
    }
}

void Maze::Move(int16_t& coordinate, int step, int distance, int edge) {
    const int from = coordinate;
    // The first of the distance + 1 positions is where the head already is.
    for (int moved = 0; moved <= distance; ++moved) {
        const int k = from + step * moved;
        if (step < 0 ? k < edge : k > edge) {
            coordinate = static_cast<int16_t>(edge);
            machine_.EndRun(RunEnd::MazeEdge);
            return;
        }
        coordinate = static_cast<int16_t>(k);
        lastHeads_.push_back({state_.SnakeX, state_.SnakeY});
    }
}
