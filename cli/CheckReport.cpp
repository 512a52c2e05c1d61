#include "cli/CheckReport.h"

#include <algorithm>
#include <cstdio>

#include "cli/Exercise.h"

namespace {

// The length of the UTF-8 sequence at `at`, or 0 where there is none.
size_t Utf8Sequence(std::string_view text, size_t at) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const size_t length = lead < 0x80           ? 1
                          : (lead >> 5) == 0x06 ? 2
                          : (lead >> 4) == 0x0E ? 3
                          : (lead >> 3) == 0x1E ? 4
                                                : 0;
    if (length == 0 || at + length > text.size()) {
        return 0;
    }
    for (size_t i = at + 1; i < at + length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

std::string Utf8(std::string_view text) {
    bool valid = true;
    for (size_t at = 0; valid && at < text.size();) {
        const size_t length = Utf8Sequence(text, at);
        valid = length > 0;
        at += length;
    }
    if (valid) {
        return std::string(text);
    }
    std::string latin;
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80) {
            latin += c;
        } else {
            latin += static_cast<char>(0xC0 | (code >> 6));
            latin += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return latin;
}

int PassedCount(const SubmissionOutcome& submission) {
    return static_cast<int>(std::count_if(submission.Cases.begin(), submission.Cases.end(),
                                          [](const CaseOutcome& c) { return c.Passed; }));
}

std::string Total(const SubmissionOutcome& submission) {
    return std::to_string(PassedCount(submission)) + "/" + std::to_string(submission.Cases.size());
}

std::string Cell(const CaseOutcome& outcome) {
    return outcome.Passed ? "pass" : Utf8(outcome.Reason);
}

void PrintText(std::ostream& out, const Exercise& exercise,
               const std::vector<SubmissionOutcome>& submissions) {
    std::vector<std::vector<std::string>> rows{{"SUBMISSION"}};
    for (const ExerciseCase& c : exercise.Cases) {
        rows[0].push_back(Utf8(c.Name));
    }
    rows[0].push_back("TOTAL");
    for (const SubmissionOutcome& submission : submissions) {
        rows.push_back({Utf8(submission.File)});
        for (const CaseOutcome& outcome : submission.Cases) {
            rows.back().push_back(Cell(outcome));
        }
        rows.back().push_back(Total(submission));
    }
    std::vector<size_t> widths(rows[0].size(), 0);
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            widths[i] = std::max(widths[i], row[i].size());
        }
    }
    if (!exercise.Title.empty()) {
        out << Utf8(exercise.Title) << '\n';
    }
    for (const auto& row : rows) {
        std::string line;
        for (size_t i = 0; i < row.size(); ++i) {
            line += row[i] +
                    (i + 1 < row.size() ? std::string(widths[i] - row[i].size() + 2, ' ') : "");
        }
        out << line << '\n';
    }
    const auto perfect =
        std::count_if(submissions.begin(), submissions.end(), [](const SubmissionOutcome& s) {
            return PassedCount(s) == static_cast<int>(s.Cases.size());
        });
    out << perfect << " of " << submissions.size() << " submissions passed every case\n";
}

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (const char c : Utf8(text)) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            json += escape;
        } else {
            json += c;
        }
    }
    return json + '"';
}

void PrintJson(std::ostream& out, const Exercise& exercise,
               const std::vector<SubmissionOutcome>& submissions) {
    out << "{\"title\": " << JsonString(exercise.Title) << ", \"cases\": [";
    for (size_t i = 0; i < exercise.Cases.size(); ++i) {
        out << (i ? ", " : "") << JsonString(exercise.Cases[i].Name);
    }
    out << "],\n \"submissions\": [";
    for (size_t s = 0; s < submissions.size(); ++s) {
        const SubmissionOutcome& submission = submissions[s];
        out << (s ? ",\n  " : "\n  ") << "{\"file\": " << JsonString(submission.File)
            << ", \"passed\": " << PassedCount(submission) << ", \"results\": [";
        for (size_t i = 0; i < submission.Cases.size(); ++i) {
            const CaseOutcome& outcome = submission.Cases[i];
            out << (i ? ", " : "") << "{\"case\": " << JsonString(exercise.Cases[i].Name)
                << ", \"passed\": " << (outcome.Passed ? "true" : "false")
                << ", \"reason\": " << JsonString(outcome.Reason) << '}';
        }
        out << "]}";
    }
    out << "\n]}\n";
}

// XML 1.0 takes no control characters but tab, so they become spaces.
std::string XmlText(std::string_view text) {
    std::string xml;
    for (const char c : Utf8(text)) {
        switch (c) {
        case '&':
            xml += "&amp;";
            break;
        case '<':
            xml += "&lt;";
            break;
        case '>':
            xml += "&gt;";
            break;
        case '"':
            xml += "&quot;";
            break;
        default:
            xml += (static_cast<unsigned char>(c) < 0x20 && c != '\t') ? ' ' : c;
        }
    }
    return xml;
}

void PrintJunit(std::ostream& out, const Exercise& exercise,
                const std::vector<SubmissionOutcome>& submissions) {
    size_t tests = 0;
    size_t failures = 0;
    for (const SubmissionOutcome& submission : submissions) {
        tests += submission.Cases.size();
        failures += submission.Cases.size() - static_cast<size_t>(PassedCount(submission));
    }
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites name=\"" << XmlText(exercise.Title) << "\" tests=\"" << tests
        << "\" failures=\"" << failures << "\">\n";
    for (const SubmissionOutcome& submission : submissions) {
        const std::string file = XmlText(submission.File);
        out << "  <testsuite name=\"" << file << "\" tests=\"" << submission.Cases.size()
            << "\" failures=\""
            << submission.Cases.size() - static_cast<size_t>(PassedCount(submission)) << "\">\n";
        for (size_t i = 0; i < submission.Cases.size(); ++i) {
            const CaseOutcome& outcome = submission.Cases[i];
            out << "    <testcase name=\"" << XmlText(exercise.Cases[i].Name) << "\" classname=\""
                << file << "\"";
            if (outcome.Passed) {
                out << "/>\n";
            } else {
                out << "><failure message=\"" << XmlText(outcome.Reason) << "\"/></testcase>\n";
            }
        }
        out << "  </testsuite>\n";
    }
    out << "</testsuites>\n";
}

std::string CsvField(std::string_view text) {
    const std::string field = Utf8(text);
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + '"';
}

void PrintCsv(std::ostream& out, const Exercise& exercise,
              const std::vector<SubmissionOutcome>& submissions) {
    out << "submission";
    for (const ExerciseCase& c : exercise.Cases) {
        out << ',' << CsvField(c.Name);
    }
    out << ",passed\r\n";
    for (const SubmissionOutcome& submission : submissions) {
        out << CsvField(submission.File);
        for (const CaseOutcome& outcome : submission.Cases) {
            out << ',' << CsvField(Cell(outcome));
        }
        out << ',' << PassedCount(submission) << "\r\n";
    }
}

} // namespace

void PrintCheckReport(std::ostream& out, ReportFormat format, const Exercise& exercise,
                      const std::vector<SubmissionOutcome>& submissions) {
    switch (format) {
    case ReportFormat::Text:
        PrintText(out, exercise, submissions);
        break;
    case ReportFormat::Json:
        PrintJson(out, exercise, submissions);
        break;
    case ReportFormat::Junit:
        PrintJunit(out, exercise, submissions);
        break;
    case ReportFormat::Csv:
        PrintCsv(out, exercise, submissions);
        break;
    }
}
