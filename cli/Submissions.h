#pragma once

#include <ostream>
#include <string>
#include <vector>

// One row of the report: a source to mark, or what stood in for one and why it cannot be.
struct Submission {
    std::string File;    // as the file system names it, bytes unchanged
    std::string Name;    // the student's: the path under the folder given, or the student's folder
    std::string Problem; // why there is nothing to mark; empty when there is
};

struct SubmissionSearch {
    bool PerFolder = false; // each immediate sub-folder of a folder given is one student
    std::string Main;       // with PerFolder: the one source of each student to mark
};

// The submissions in the paths given: a file stands for itself, a folder for every *.asm (in
// any case) beneath it, sorted by name. Every entry left out is said on `err` with the reason;
// a file named twice is marked once.
std::vector<Submission> FindSubmissions(const std::vector<std::string>& paths,
                                        const SubmissionSearch& search, std::ostream& err);
