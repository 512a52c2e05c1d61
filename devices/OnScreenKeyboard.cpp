#include "devices/OnScreenKeyboard.h"

#include "devices/MachineLink.h"
#include "devices/OnScreenKeyMap.h"

void OnScreenKeyboard::Image1MouseDown(int x, int y) {
    const KeyRegion* key = FindKey(x, y);
    keyCode_ = key ? key->Code : 0;
    if (keyCode_ != 0) {
        machine_.RaiseInterrupt(Vector);
    }
}

std::string_view OnScreenKeyboard::KeyNameAt(int x, int y) {
    const KeyRegion* key = FindKey(x, y);
    return key ? key->Name : std::string_view{};
}
