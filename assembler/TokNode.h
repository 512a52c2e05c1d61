#pragma once

#include <cstdint>
#include <deque>
#include <string>

// A token of the source and, at the same time, the content of a RAM cell. The defaults
// describe an empty cell: 00, shown as END.
struct tokNode {
    bool IsJumpRef = false;
    bool IsDestLabel = false;
    int16_t Address = -1;
    int16_t Value = 0;
    std::string HexText = "00";
    std::string Text = "END";
    std::string BinText = "00000000";
    int32_t SrcStart = 0;
    int32_t SrcLength = 0;
    int32_t ListPos = 0;

    // Holds v sign-extended from bit 7 and refreshes the hex and binary texts.
    void SetValue(int v);
};

// Owns every tokNode made since the last clear. The token list and the RAM cells only refer
// to nodes; a deque keeps those references valid while nodes are added.
class TokenStore {
  public:
    tokNode& Make() { return nodes_.emplace_back(); }
    void Clear() { nodes_.clear(); }
    // The most recently made node, or none.
    tokNode* Head() { return nodes_.empty() ? nullptr : &nodes_.back(); }
    size_t Count() const { return nodes_.size(); }

  private:
    std::deque<tokNode> nodes_;
};
