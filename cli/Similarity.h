#pragma once

#include <string>
#include <string_view>
#include <vector>

// A source's tokens with what copying changes cheaply set aside: comments and blank lines
// dropped and label names numbered in the order they are defined (the tokeniser already
// ignores case and spacing).
std::vector<std::string> ComparableTokens(std::string_view source);

// Sources whose token streams are alike.
struct SimilarGroup {
    std::vector<size_t> Members; // indices of the streams, in order
    double Similarity = 0;       // the least between two members: 1 for identical streams
};

// Streams alike at `least` or more, grouped: how many runs of four tokens in a row two
// streams share, of all the runs either has. Empty streams are never grouped.
std::vector<SimilarGroup> SimilarGroups(const std::vector<std::vector<std::string>>& streams,
                                        double least = 0.9);
