#include "devices/Keypad.h"

#include "devices/MachineLink.h"

namespace {

template <size_t N> std::optional<size_t> FirstEndAbove(const std::array<int, N>& ends, int at) {
    for (size_t i = 0; i < N; ++i) {
        if (at < ends[i]) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<uint8_t> Keypad::KeyAt(int x, int y) {
    const auto row = FirstEndAbove(RowEnds, y);
    const auto column = FirstEndAbove(ColumnEnds, x);
    if (!row || !column) {
        return std::nullopt;
    }
    return Codes[*row][*column];
}

void Keypad::ImageKeyPadMouseDown(int x, int y) {
    padCode_ = KeyAt(x, y).value_or(Beside);
    if (padCode_ != Beside) {
        machine_.RaiseInterrupt(Vector);
    }
}
