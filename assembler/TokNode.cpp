#include "assembler/TokNode.h"

#include "assembler/RegisterText.h"

void tokNode::SetValue(int v) {
    v = (v & 0x80) ? (v | ~0x7F) : (v & 0x7F);
    Value = static_cast<int16_t>(v);
    HexText = HexByte(v);
    BinText = BinaryText(v);
}
