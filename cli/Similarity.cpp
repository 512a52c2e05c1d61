#include "cli/Similarity.h"

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>

#include "assembler/Tokenise.h"

namespace {

constexpr size_t RunLength = 4;

bool IsLabelDefinition(const Token& token) {
    return token.Kind == TokenKind::Word && token.Text.size() > 1 && token.Text.back() == ':';
}

// The hashes of every run of four tokens, sorted, each once.
std::vector<size_t> Runs(const std::vector<std::string>& tokens) {
    std::vector<size_t> runs;
    const size_t length = std::min(RunLength, tokens.size());
    for (size_t start = 0; start + length <= tokens.size() && length > 0; ++start) {
        size_t hash = 0;
        for (size_t i = start; i < start + length; ++i) {
            hash = hash * 1000003 ^ std::hash<std::string>()(tokens[i]);
        }
        runs.push_back(hash);
    }
    std::sort(runs.begin(), runs.end());
    runs.erase(std::unique(runs.begin(), runs.end()), runs.end());
    return runs;
}

double Alike(const std::vector<size_t>& a, const std::vector<size_t>& b) {
    std::vector<size_t> shared;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(shared));
    const size_t either = a.size() + b.size() - shared.size();
    return either == 0 ? 0 : static_cast<double>(shared.size()) / static_cast<double>(either);
}

size_t Root(std::vector<size_t>& parent, size_t i) {
    while (parent[i] != i) {
        i = parent[i] = parent[parent[i]];
    }
    return i;
}

} // namespace

std::vector<std::string> ComparableTokens(std::string_view source) {
    const std::vector<Token> tokens = Tokenise(source);
    std::map<std::string, std::string> labels;
    for (const Token& token : tokens) {
        if (IsLabelDefinition(token)) {
            const std::string name = token.Text.substr(0, token.Text.size() - 1);
            labels.emplace(name, "L" + std::to_string(labels.size()));
        }
    }
    std::vector<std::string> comparable;
    for (const Token& token : tokens) {
        if (token.Kind == TokenKind::Comment || token.Kind == TokenKind::BlankLine) {
            continue;
        }
        const bool defined = IsLabelDefinition(token);
        const auto label =
            labels.find(defined ? token.Text.substr(0, token.Text.size() - 1) : token.Text);
        const bool isLabel = token.Kind == TokenKind::Word && label != labels.end();
        comparable.push_back(isLabel ? label->second + (defined ? ":" : "") : token.Text);
    }
    return comparable;
}

std::vector<SimilarGroup> SimilarGroups(const std::vector<std::vector<std::string>>& streams,
                                        double least) {
    std::vector<std::vector<size_t>> runs;
    for (const auto& stream : streams) {
        runs.push_back(Runs(stream));
    }
    const size_t count = streams.size();
    std::vector<double> alike(count * count, 0);
    std::vector<size_t> parent(count);
    std::iota(parent.begin(), parent.end(), 0);
    for (size_t a = 0; a < count; ++a) {
        for (size_t b = a + 1; b < count; ++b) {
            alike[a * count + b] = Alike(runs[a], runs[b]);
            if (alike[a * count + b] >= least) {
                parent[Root(parent, b)] = Root(parent, a);
            }
        }
    }
    std::map<size_t, SimilarGroup> groups;
    for (size_t i = 0; i < count; ++i) {
        groups[Root(parent, i)].Members.push_back(i);
    }
    std::vector<SimilarGroup> similar;
    for (auto& [root, group] : groups) {
        if (group.Members.size() < 2) {
            continue;
        }
        group.Similarity = 1;
        for (size_t a : group.Members) {
            for (size_t b : group.Members) {
                if (a < b) {
                    group.Similarity = std::min(group.Similarity, alike[a * count + b]);
                }
            }
        }
        similar.push_back(std::move(group));
    }
    return similar;
}
