#pragma once

#include <string>

// A source of about 32 KB that assembles: code filling most of RAM, with labels, jumps and
// trailing comments, between full-line comments and blank lines.
std::string LargeSource();

// A tight loop of arithmetic, compare and jump that never halts.
std::string BusyLoopSource();
