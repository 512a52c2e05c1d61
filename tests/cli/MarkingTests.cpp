#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "CheckFixture.h"
#include "support/CliRunner.h"

namespace {

using nlohmann::json;

const char* const Sum = "ADD AL,BL\nMOV CL,[80]\nMOV [81],CL\nHALT\nEND\n";

// Two cases: a visible one worth 2 with a hint, and a hidden one worth 3.
const char* const Graded = R"(title = "Sum"
[defaults]
max_steps = 50
[[case]]
name = "adds"
points = 2
hint = "ADD leaves the sum in its first register"
registers = { AL = 2, BL = 3 }
[case.expect]
registers = { AL = 5 }
[[case]]
name = "copies"
points = 3
hidden = true
ram = [{ at = 0x80, bytes = [7] }]
[case.expect]
ram = [{ at = 0x81, bytes = [0x07] }]
)";

// The first column of each CSV row after the heading.
std::vector<std::string> FirstColumn(const std::string& csv) {
    std::vector<std::string> files;
    const auto rows = Lines(csv);
    for (size_t i = 1; i < rows.size(); ++i) {
        files.push_back(rows[i].substr(0, rows[i].find(',')));
    }
    return files;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Nested folders, any case of .asm, links that lead nowhere, a folder named *.asm, and a
// file named twice: every source is a row, every other entry a line on stderr.
TEST_F(CheckTest, FoldersAreWalkedAndEveryEntryLeftOutIsSaid) {
    const std::string exercise = Write("sum.toml", Graded);
    const std::string top = (folder_ / "class").string();
    Write("class/a.asm", Sum);
    Write("class/B.ASM", Sum);
    Write("class/deep/er/c.Asm", Sum);
    Write("class/d.asm/e.asm", Sum);
    Write("class/notes.txt", "");
    Write("class/caf\xE9.asm", Sum);
    std::filesystem::create_symlink(folder_ / "nowhere.asm", top + "/gone.asm");
    std::filesystem::create_symlink(top + "/deep", top + "/folder-link.asm");
    const auto result =
        RunCli({"check", exercise, top, top + "/a.asm",
                (folder_ / "class" / ".." / "class" / "B.ASM").string(), "--format", "csv"});
    EXPECT_EQ(FirstColumn(result.Out),
              (std::vector<std::string>{top + "/B.ASM", top + "/a.asm", top + "/caf\xE9.asm",
                                        top + "/d.asm/e.asm", top + "/deep/er/c.Asm",
                                        top + "/gone.asm"}));
    EXPECT_TRUE(Contains(result.Out,
                         top + "/gone.asm,cannot read " + top + "/gone.asm: a link to nothing,"));
    for (const std::string& said :
         {top + "/notes.txt: not named *.asm", top + "/folder-link.asm: a link to a folder",
          top + "/a.asm: named already", std::string("class/../class/B.ASM: named already")}) {
        EXPECT_TRUE(Contains(result.Err, said)) << result.Err;
    }
    for (const std::string& line : Lines(result.Err)) {
        EXPECT_EQ(line.rfind("corvane-cli: skipped ", 0), 0U) << line;
    }
    const auto text = RunCli({"check", exercise, top + "/caf\xE9.asm"});
    EXPECT_EQ(Lines(text.Out)[2].rfind(top + "/caf\xE9.asm  ", 0), 0U) << text.Out;
}

TEST_F(CheckTest, UnreadableEntriesAreSaidOrFailTheirRow) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const std::string exercise = Write("sum.toml", Graded);
    const std::string locked = Write("class/locked.asm", Sum);
    Write("class/shut/x.asm", Sum);
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    std::filesystem::permissions(folder_ / "class" / "shut", std::filesystem::perms::none);
    const auto result =
        RunCli({"check", exercise, (folder_ / "class").string(), "--format", "csv"});
    std::filesystem::permissions(folder_ / "class" / "shut", std::filesystem::perms::all);
    EXPECT_TRUE(Contains(result.Out, locked + ",cannot read " + locked + ": access denied"));
    EXPECT_TRUE(Contains(result.Err, "shut: the folder cannot be read")) << result.Err;
}

// A learning platform's download: one folder per student. With --main only the named source
// counts, and a student without it still has a row.
TEST_F(CheckTest, EachSubFolderIsAStudent) {
    const std::string exercise = Write("sum.toml", Graded);
    const std::string top = (folder_ / "download").string();
    Write("download/alice/main.asm", Sum);
    Write("download/alice/scratch.asm", "HALT\nEND\n");
    Write("download/bob/week 3/MAIN.ASM", Sum);
    Write("download/carol/readme.txt", "");
    Write("download/index.html", "");
    struct Case {
        std::vector<std::string> Options;
        std::vector<std::string> Rows;
        std::string CarolReason;
    };
    for (const Case& c : {
             Case{{"--main", "main.asm"},
                  {top + "/alice/main.asm", top + "/bob/week 3/MAIN.ASM", top + "/carol"},
                  "no main.asm in " + top + "/carol"},
             Case{{},
                  {top + "/alice/main.asm", top + "/alice/scratch.asm",
                   top + "/bob/week 3/MAIN.ASM", top + "/carol"},
                  "no *.asm file in " + top + "/carol"},
         }) {
        std::vector<std::string> words{"check", exercise, top, "--per-folder", "--format", "csv"};
        words.insert(words.end(), c.Options.begin(), c.Options.end());
        const auto result = RunCli(words);
        EXPECT_EQ(FirstColumn(result.Out), c.Rows);
        EXPECT_TRUE(Contains(Lines(result.Out).back(), c.CarolReason)) << result.Out;
        EXPECT_TRUE(Contains(result.Err, "index.html: not in a student's folder")) << result.Err;
    }
}

// Points add up to the score; a hidden case's reason reaches students as "hidden case
// failed" (feedback, Gradescope, CodeRunner, --student) and the teacher's reports keep it.
TEST_F(CheckTest, PointsHintsAndHiddenCases) {
    const std::string exercise = Write("sum.toml", Graded);
    const std::string half = Write("half.asm", "ADD AL,BL\nHALT\nEND\n");
    const std::string feedback = (folder_ / "feedback").string();
    const auto teacher = json::parse(
        RunCli({"check", exercise, half, "--format", "json", "--feedback-dir", feedback}).Out);
    EXPECT_EQ(teacher["max_score"], 5);
    EXPECT_EQ(teacher["submissions"][0]["score"], 2);
    EXPECT_EQ(teacher["submissions"][0]["results"][1]["reason"], "RAM 81 is 00, expected 07");
    const auto student =
        json::parse(RunCli({"check", exercise, half, "--format", "json", "--student"}).Out);
    EXPECT_EQ(student["submissions"][0]["results"][1]["reason"], "hidden case failed");
    const std::string sheet = ReadFile(folder_ / "feedback" / "half.asm.txt");
    EXPECT_TRUE(Contains(sheet, "Score: 2 of 5 points")) << sheet;
    EXPECT_TRUE(Contains(sheet, "First failure: copies: hidden case failed")) << sheet;
    EXPECT_FALSE(Contains(sheet, "RAM 81")) << sheet;

    const std::string wrong = Write("wrong.asm", "SUB AL,BL\nHALT\nEND\n");
    RunCli({"check", exercise, wrong, "--feedback-dir", feedback});
    const std::string wrongSheet = ReadFile(folder_ / "feedback" / "wrong.asm.txt");
    EXPECT_TRUE(Contains(wrongSheet, "AL is FF, expected 05\n      Hint: ADD leaves the sum"))
        << wrongSheet;
    for (const char* format : {"gradescope", "coderunner"}) {
        const std::string out = RunCli({"check", exercise, half, "--format", format}).Out;
        EXPECT_TRUE(Contains(out, "hidden case failed")) << out;
        EXPECT_FALSE(Contains(out, "RAM 81")) << out;
    }
}

// Gradescope's results.json: every field it reads, of the right type.
TEST_F(CheckTest, GradescopeResultsHaveTheirPublishedShape) {
    const std::string exercise = Write("sum.toml", Graded);
    const auto result = RunCli(
        {"check", exercise, Write("half.asm", "ADD AL,BL\nHALT\nEND\n"), "--format", "gradescope"});
    EXPECT_EQ(result.Exit, 4);
    const json results = json::parse(result.Out);
    EXPECT_EQ(results["score"], 2);
    EXPECT_EQ(results["max_score"], 5);
    EXPECT_TRUE(results["output"].is_string());
    ASSERT_EQ(results["tests"].size(), 2U);
    const std::vector<std::map<std::string, json>> expected{
        {{"name", "adds"},
         {"score", 2},
         {"max_score", 2},
         {"status", "passed"},
         {"visibility", "visible"}},
        {{"name", "copies"},
         {"score", 0},
         {"max_score", 3},
         {"status", "failed"},
         {"visibility", "after_published"},
         {"output", "hidden case failed"}},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_TRUE(results["tests"][i]["output"].is_string());
        for (const auto& [key, value] : expected[i]) {
            EXPECT_EQ(results["tests"][i][key], value) << key;
        }
    }
    const auto two = RunCli(
        {"check", exercise, Write("a.asm", Sum), Write("b.asm", Sum), "--format", "gradescope"});
    EXPECT_EQ(two.Exit, 2);
    EXPECT_EQ(two.Out, "");
}

// CodeRunner's combinator grader: a fraction and a table whose first row names the columns,
// with the special iscorrect and ishidden columns.
TEST_F(CheckTest, CoderunnerResultsHaveTheirPublishedShape) {
    const std::string exercise = Write("sum.toml", Graded);
    const json results =
        json::parse(RunCli({"check", exercise, Write("half.asm", "ADD AL,BL\nHALT\nEND\n"),
                            "--format", "coderunner"})
                        .Out);
    EXPECT_DOUBLE_EQ(results["fraction"].get<double>(), 0.4);
    const json& table = results["testresults"];
    ASSERT_EQ(table.size(), 3U);
    const std::vector<std::string> headers = table[0];
    const auto column = [&](const std::string& name) {
        return static_cast<size_t>(std::find(headers.begin(), headers.end(), name) -
                                   headers.begin());
    };
    ASSERT_LT(column("iscorrect"), headers.size());
    ASSERT_LT(column("ishidden"), headers.size());
    EXPECT_EQ(table[1][column("iscorrect")], 1);
    EXPECT_EQ(table[1][column("ishidden")], 0);
    EXPECT_EQ(table[2][column("iscorrect")], 0);
    EXPECT_EQ(table[2][column("ishidden")], 1);
    EXPECT_TRUE(results["prologuehtml"].is_string());
}

std::string Attribute(xmlNode* node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

std::vector<xmlNode*> Children(xmlNode* node, const std::string& name) {
    std::vector<xmlNode*> children;
    for (xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE && name == reinterpret_cast<const char*>(child->name)) {
            children.push_back(child);
        }
    }
    return children;
}

// JUnit as CI servers read it: counts and times on suites and cases, the reason as the
// failure's text, and a submission that does not assemble as errors rather than failures.
TEST_F(CheckTest, JunitCarriesTimesErrorsAndReasons) {
    const std::string exercise = Write("sum.toml", Graded);
    const std::string out = RunCli({"check", exercise, Write("half.asm", "ADD AL,BL\nHALT\nEND\n"),
                                    Write("broken.asm", "INC QL\nEND\n"), "--format", "junit"})
                                .Out;
    xmlDoc* document = xmlReadMemory(out.data(), static_cast<int>(out.size()), "junit.xml", nullptr,
                                     XML_PARSE_NONET);
    ASSERT_NE(document, nullptr) << out;
    xmlNode* root = xmlDocGetRootElement(document);
    EXPECT_EQ(Attribute(root, "tests"), "4");
    EXPECT_EQ(Attribute(root, "failures"), "1");
    EXPECT_EQ(Attribute(root, "errors"), "2");
    const auto suites = Children(root, "testsuite");
    ASSERT_EQ(suites.size(), 2U);
    for (xmlNode* suite : suites) {
        EXPECT_NE(Attribute(suite, "time"), "");
        for (xmlNode* testcase : Children(suite, "testcase")) {
            EXPECT_NE(Attribute(testcase, "time"), "");
        }
    }
    const auto half = Children(suites[0], "testcase");
    ASSERT_EQ(half.size(), 2U);
    const auto failure = Children(half[1], "failure");
    ASSERT_EQ(failure.size(), 1U);
    xmlChar* text = xmlNodeGetContent(failure[0]);
    EXPECT_EQ(reinterpret_cast<const char*>(text), Attribute(failure[0], "message"));
    EXPECT_EQ(Attribute(failure[0], "message"), "RAM 81 is 00, expected 07");
    xmlFree(text);
    for (xmlNode* testcase : Children(suites[1], "testcase")) {
        EXPECT_EQ(Children(testcase, "error").size(), 1U);
        EXPECT_EQ(Children(testcase, "failure").size(), 0U);
    }
    xmlFreeDoc(document);
}

// Long reasons wrap under the row within 100 characters; columns line up by characters, not
// bytes; control characters show as \xHH.
TEST_F(CheckTest, TextReportWrapsPadsByCharactersAndEscapesControls) {
    const std::string longLine(120, 'x');
    const std::string exercise =
        Write("wide.toml", "[[case]]\nname = \"Gr\u00f6\u00dfe\\u0007\"\nmax_steps = 5\n"
                           "[case.expect]\ndevices = [{ device = 'HEATER', text = '" +
                               longLine + "' }]\n");
    const auto out = Lines(RunCli({"check", exercise, Write("p.asm", "HALT\nEND\n")}).Out);
    ASSERT_GE(out.size(), 5U);
    EXPECT_TRUE(Contains(out[0], "Gr\u00f6\u00dfe\\x07")) << out[0];
    const std::string row = out[1];
    const size_t total = out[0].find("TOTAL") - 2; // the heading has two 2-byte characters
    EXPECT_EQ(row.find("0/1"), total) << out[0] << '\n' << row;
    for (size_t i = 2; i + 1 < out.size(); ++i) {
        EXPECT_LE(out[i].size(), 100U) << out[i];
        EXPECT_EQ(out[i].rfind("    ", 0), 0U) << out[i];
    }
}

// Copies found: identical streams once comments, labels, case and spacing are set aside
// group at 100%; a different program stays out.
TEST_F(CheckTest, SimilarSubmissionsAreGroupedWithAFigure) {
    const std::string exercise = Write("sum.toml", Graded);
    std::string original = "; mine\nStart:\n";
    std::string copy = "Begin:   ; copied\n";
    for (int i = 0; i < 30; ++i) {
        original += "  MOV AL," + std::to_string(i) + "\n  ADD BL,AL\n";
        copy += "mov   al," + std::to_string(i) + "\nadd bl,al ; sum\n";
    }
    original += "  JMP Start\nEND\n";
    copy += "jmp begin\nend\n";
    std::string near = original;
    near.replace(near.find("ADD BL,AL"), 9, "SUB BL,AL");
    const std::string a = Write("a.asm", original);
    const std::string b = Write("b.asm", copy);
    const std::string c = Write("c.asm", near);
    Write("d.asm", Sum);
    const auto text = RunCli({"check", exercise, (folder_).string(), "--similar"}).Out;
    EXPECT_TRUE(Contains(text, "for a look, not a verdict")) << text;
    const json report = json::parse(
        RunCli({"check", exercise, folder_.string(), "--similar", "--format", "json"}).Out);
    ASSERT_EQ(report["similar"].size(), 1U) << report.dump();
    EXPECT_EQ(report["similar"][0]["files"], json({a, b, c}));
    const double figure = report["similar"][0]["similarity"];
    EXPECT_GT(figure, 0.9);
    EXPECT_LT(figure, 1.0);
    const json copies =
        json::parse(RunCli({"check", exercise, a, b, "--similar", "--format", "json"}).Out);
    EXPECT_EQ(copies["similar"][0]["similarity"], 1.0);
    EXPECT_EQ(RunCli({"check", exercise, a, b, "--similar", "--format", "csv"}).Exit, 2);
}

// A submission that outlasts its wall-clock time stops there and is reported as not marked.
TEST_F(CheckTest, ASubmissionHasAWallClockLimit) {
    const std::string exercise =
        Write("slow.toml", "[defaults]\nclock = 1\nmax_steps = 1000000000000\n"
                           "[[case]]\n[[case]]\n");
    const std::string loop = Write("loop.asm", "L:\nJMP L\nEND\n");
    const auto start = std::chrono::steady_clock::now();
    const auto result = RunCli({"check", exercise, loop, "--timeout", "1", "--format", "json"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    const json report = json::parse(result.Out);
    for (const json& outcome : report["submissions"][0]["results"]) {
        EXPECT_EQ(outcome["reason"], "not marked: it took longer than 1 s");
    }
    EXPECT_EQ(RunCli({"check", exercise, loop, "--timeout", "0"}).Exit, 2);
}

} // namespace
