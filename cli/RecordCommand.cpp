#include "cli/RecordCommand.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <toml++/toml.h>

#include "assembler/RegisterText.h"
#include "cli/Arguments.h"
#include "marking/CheckRun.h"
#include "marking/Exercise.h"
#include "marking/SourceFile.h"

namespace {

// A replacement of Length bytes at Offset; an insertion has no length.
struct Edit {
    size_t Offset = 0;
    size_t Length = 0;
    std::string Text;
};

std::string Hex(int byte) {
    return "0x" + HexByte(byte);
}

std::string ByteList(const std::vector<uint8_t>& bytes) {
    std::string list;
    for (const uint8_t byte : bytes) {
        list += (list.empty() ? "" : ", ") + Hex(byte);
    }
    return '[' + list + ']';
}

std::string TomlString(std::string_view text) {
    std::string toml = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            toml += '\\';
        }
        toml += c;
    }
    return toml + '"';
}

// A row of the VDU as an expectation. A character above 7F has no one-byte UTF-8 form, so
// a row with one becomes a pattern that takes any character there.
std::string VduEntry(int row, std::string_view text) {
    const std::string head = "{ row = " + std::to_string(row) + ", ";
    if (std::ranges::all_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return head + "text = " + TomlString(text) + " }";
    }
    std::string pattern = "^";
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            pattern += '.';
        } else {
            pattern += (std::string_view("\\^$.|?*+()[]{}").find(c) != std::string_view::npos
                            ? std::string("\\")
                            : std::string()) +
                       c;
        }
    }
    return head + "matches = " + TomlString(pattern + '$') + " }";
}

std::string Listed(const std::vector<std::string>& entries) {
    std::string text = "[\n";
    for (const std::string& entry : entries) {
        text += "    " + entry + ",\n";
    }
    return text + ']';
}

// The items a mark names, or all of them when it names none.
std::vector<int> ItemsOf(const RecordMark& mark, std::vector<int> all) {
    return mark.Items.empty() ? all : mark.Items;
}

std::vector<int> Counting(int count) {
    std::vector<int> numbers(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        numbers[static_cast<size_t>(i)] = i;
    }
    return numbers;
}

// The entries one mark records into its key's array.
std::vector<std::string> Entries(const RecordMark& mark, const ModelRun& model) {
    std::vector<std::string> entries;
    if (mark.Key == "ram") {
        const auto first = model.Ram.begin() + mark.Items[0];
        const auto last = model.Ram.begin() + mark.Items[1] + 1;
        entries.push_back("{ at = " + Hex(mark.Items[0]) +
                          ", bytes = " + ByteList(std::vector<uint8_t>(first, last)) + " }");
    } else if (mark.Key == "vdu") {
        for (const int row : ItemsOf(mark, Counting(static_cast<int>(model.VduRows.size())))) {
            entries.push_back(VduEntry(row, model.VduRows[static_cast<size_t>(row)]));
        }
    } else if (mark.Key == "devices") {
        for (const int line : ItemsOf(mark, Counting(static_cast<int>(model.DeviceLines.size())))) {
            entries.push_back(TomlString(model.DeviceLines[static_cast<size_t>(line)]));
        }
    } else if (mark.Key == "outputs") {
        const auto port = static_cast<size_t>(mark.Items[0]);
        const auto& bytes = mark.Collapse ? model.WrittenCollapsed[port] : model.Written[port];
        entries.push_back("{ port = " + Hex(mark.Items[0]) + ", bytes = " + ByteList(bytes) +
                          (mark.Collapse ? ", collapse = true" : "") + ", whole = true }");
    }
    return entries;
}

// The value of one key of [case.expect], from every mark that names the key.
std::string RecordedValue(const std::string& key, const std::vector<RecordMark>& marks,
                          const ModelRun& model) {
    if (key == "ended") {
        return TomlString(RunEndName(model.Ended));
    }
    if (key == "registers") {
        std::vector<int> registers;
        for (const RecordMark& mark : marks) {
            if (mark.Key != key) {
                continue;
            }
            for (const int index : ItemsOf(mark, {AL, BL, CL, DL, SP})) {
                if (std::ranges::find(registers, index) == registers.end()) {
                    registers.push_back(index);
                }
            }
        }
        std::string table;
        for (const int index : registers) {
            table += (table.empty() ? "" : ", ") + std::string(RegisterNames[index]) + " = " +
                     Hex(model.Registers[static_cast<size_t>(index)]);
        }
        return "{ " + table + " }";
    }
    std::vector<std::string> entries;
    for (const RecordMark& mark : marks) {
        if (mark.Key == key) {
            const auto more = Entries(mark, model);
            entries.insert(entries.end(), more.begin(), more.end());
        }
    }
    return Listed(entries);
}

// Offsets in the text of the places the parser gives as lines and columns.
class Places {
  public:
    explicit Places(std::string_view text) : text_(text) {
        for (size_t at = text.find('\n'); at != std::string_view::npos;
             at = text.find('\n', at + 1)) {
            starts_.push_back(at + 1);
        }
    }

    // The column counts characters, each a UTF-8 sequence.
    size_t Of(const toml::source_position& place) const {
        size_t at = LineStart(place.line);
        for (uint32_t column = 1; column < place.column && at < text_.size(); ++column) {
            do {
                ++at;
            } while (at < text_.size() && (static_cast<unsigned char>(text_[at]) & 0xC0) == 0x80);
        }
        return at;
    }

    // Where the line after this one starts; the end of the text after the last line.
    size_t LineStart(size_t line) const {
        return line >= 1 && line <= starts_.size() ? starts_[line - 1] : text_.size();
    }

  private:
    std::string_view text_;
    std::vector<size_t> starts_{0};
};

// The last line a table's header or values reach.
size_t LastLine(const toml::table& table) {
    size_t last = table.source().begin.line;
    for (auto&& [key, value] : table) {
        last = std::max<size_t>(last, value.source().end.line);
    }
    return last;
}

// The edits that fill in one case's recorded expectations: a key [case.expect] has already
// is replaced where it stands, the others follow its last key, in the order first marked.
std::vector<Edit> CaseEdits(const toml::table& table, const ExerciseCase& exerciseCase,
                            const ModelRun& model, const Places& places) {
    std::vector<std::string> keys;
    for (const RecordMark& mark : exerciseCase.Record) {
        if (std::ranges::find(keys, mark.Key) == keys.end()) {
            keys.push_back(mark.Key);
        }
    }
    const toml::table* expect = table.get_as<toml::table>("expect");
    std::vector<Edit> edits;
    std::string added;
    for (const std::string& key : keys) {
        const std::string line = key + " = " + RecordedValue(key, exerciseCase.Record, model);
        const auto old = expect ? std::ranges::find_if(
                                      *expect, [&](auto&& pair) { return pair.first.str() == key; })
                                : toml::table::const_iterator();
        if (expect && old != expect->end()) {
            const size_t start = places.Of(old->first.source().begin);
            edits.push_back({start, places.Of(old->second.source().end) - start, line});
        } else {
            added += line + '\n';
        }
    }
    if (!added.empty()) {
        const size_t after = expect ? LastLine(*expect) : LastLine(table);
        edits.push_back(
            {places.LineStart(after + 1), 0, (expect ? "" : "[case.expect]\n") + added});
    }
    return edits;
}

// Edits the text from its end backwards, so every offset still points where it did.
std::string Edited(std::string text, std::vector<Edit> edits) {
    std::ranges::stable_sort(edits,
                             [](const Edit& a, const Edit& b) { return a.Offset > b.Offset; });
    for (const Edit& edit : edits) {
        const bool lastLineOpen =
            edit.Offset == text.size() && !text.empty() && text.back() != '\n';
        text.replace(edit.Offset, edit.Length, (lastLineOpen ? "\n" : "") + edit.Text);
    }
    return text;
}

struct Refusal {
    std::string Message;
};

std::string Recorded(const std::string& text, const Exercise& exercise, const Arguments& args,
                     const SourceText& model) {
    const Places places(text);
    const toml::table root = toml::parse(text, args.File);
    const toml::array& cases = *root.get_as<toml::array>("case");
    std::vector<Edit> edits;
    for (size_t i = 0; i < exercise.Cases.size(); ++i) {
        const ExerciseCase& exerciseCase = exercise.Cases[i];
        if (exerciseCase.Record.empty()) {
            continue;
        }
        const toml::table& table = *cases[i].as_table();
        if (const toml::node* expect = table.get("expect");
            expect && expect->as_table()->is_inline()) {
            throw Refusal{"case '" + exerciseCase.Name +
                          "' has expect = { ... } on one line; record fills in [case.expect]"};
        }
        const ModelRun run = RunModel(model, args.Model, exerciseCase);
        if (!run.Error.empty()) {
            throw Refusal{"the model solution cannot run case '" + exerciseCase.Name +
                          "': " + run.Error};
        }
        const auto more = CaseEdits(table, exerciseCase, run, places);
        edits.insert(edits.end(), more.begin(), more.end());
    }
    return Edited(text, std::move(edits));
}

} // namespace

int RecordCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
    std::istringstream noInput;
    const SourceRead exerciseText = ReadSourceBytes(args.File, noInput);
    const SourceRead model = ReadSourceBytes(args.Model, noInput);
    for (const SourceRead* read : {&exerciseText, &model}) {
        if (!read->Error.empty()) {
            err << read->Error << '\n';
            return UsageErrorExit;
        }
    }
    const auto parsed = ParseExercise(exerciseText.Bytes, args.File, true);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        err << *problem << '\n';
        return UsageErrorExit;
    }
    std::string text;
    try {
        text = Recorded(exerciseText.Bytes, std::get<Exercise>(parsed), args,
                        SourceText::FromBytes(model.Bytes));
    } catch (const Refusal& refusal) {
        err << "corvane-cli: " << refusal.Message << '\n';
        return UsageErrorExit;
    }
    if (args.Output.empty()) {
        out << text;
        return 0;
    }
    std::ofstream file(args.Output, std::ios::binary);
    if (!(file << text) || !file.flush()) {
        err << "corvane-cli: cannot write " << args.Output << '\n';
        return UsageErrorExit;
    }
    return 0;
}
