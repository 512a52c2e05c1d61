#include "cli/Submissions.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

bool IsSourceName(const fs::path& path) {
    return SameLetters(path.extension().native(), ".asm");
}

void Skipped(std::ostream& err, const fs::path& path, std::string_view why) {
    err << "corvane-cli: skipped " << path.native() << ": " << why << '\n';
}

// A folder's entries, sorted by name; an unreadable folder is said on `err`.
std::vector<fs::path> Entries(const fs::path& folder, std::ostream& err) {
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        entries.push_back(it->path());
    }
    if (error) {
        Skipped(err, folder, "the folder cannot be read (" + error.message() + ")");
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

bool IsFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(fs::symlink_status(path, error));
}

// Every *.asm beneath a folder. Links to folders are not followed, so no walk goes round in a
// circle; links to files, dangling links and unreadable files are kept, to fail in rows of
// their own.
void Walk(const fs::path& folder, std::vector<fs::path>& found, std::ostream& err) {
    for (const fs::path& entry : Entries(folder, err)) {
        std::error_code error;
        if (IsFolder(entry)) {
            Walk(entry, found, err);
        } else if (!IsSourceName(entry)) {
            Skipped(err, entry, "not named *.asm");
        } else if (fs::is_directory(entry, error)) {
            Skipped(err, entry, "a link to a folder, not followed");
        } else {
            found.push_back(entry);
        }
    }
}

std::string Relative(const fs::path& path, const fs::path& base) {
    return path.lexically_relative(base).native();
}

// One student's folder: all its sources, or the one named `main`.
void AddStudent(const fs::path& folder, const SubmissionSearch& search,
                std::vector<Submission>& rows, std::ostream& err) {
    std::vector<fs::path> sources;
    Walk(folder, sources, err);
    const std::string student = folder.filename().native();
    if (search.Main.empty()) {
        for (const fs::path& source : sources) {
            rows.push_back({source.native(), Relative(source, folder.parent_path()), {}});
        }
        if (sources.empty()) {
            rows.push_back({folder.native(), student, "no *.asm file in " + folder.native()});
        }
        return;
    }
    const auto main = std::ranges::find_if(sources, [&](const fs::path& p) {
        return SameLetters(p.filename().native(), search.Main);
    });
    if (main == sources.end()) {
        rows.push_back({folder.native(), student, "no " + search.Main + " in " + folder.native()});
        return;
    }
    rows.push_back({main->native(), student, {}});
    for (auto other = std::next(main); other != sources.end(); ++other) {
        if (SameLetters(other->filename().native(), search.Main)) {
            Skipped(err, *other, "a second " + search.Main + " of the same student");
        }
    }
}

void AddFolder(const fs::path& folder, const SubmissionSearch& search,
               std::vector<Submission>& rows, std::ostream& err) {
    if (!search.PerFolder) {
        std::vector<fs::path> sources;
        Walk(folder, sources, err);
        for (const fs::path& source : sources) {
            rows.push_back({source.native(), Relative(source, folder), {}});
        }
        return;
    }
    for (const fs::path& entry : Entries(folder, err)) {
        if (IsFolder(entry)) {
            AddStudent(entry, search, rows, err);
        } else {
            Skipped(err, entry, "not in a student's folder");
        }
    }
}

// The same file however it was named: through links, with ./ or .. in its path.
std::string Identity(const std::string& file) {
    std::error_code error;
    const fs::path canonical = fs::weakly_canonical(file, error);
    return error ? fs::absolute(file, error).lexically_normal().native() : canonical.native();
}

} // namespace

std::vector<Submission> FindSubmissions(const std::vector<std::string>& paths,
                                        const SubmissionSearch& search, std::ostream& err) {
    std::vector<Submission> rows;
    for (const std::string& path : paths) {
        std::error_code error;
        if (fs::is_directory(path, error)) {
            AddFolder(path, search, rows, err);
        } else {
            rows.push_back({path, fs::path(path).filename().native(), {}});
        }
    }
    std::set<std::string> seen;
    std::vector<Submission> unique;
    for (Submission& row : rows) {
        if (seen.insert(Identity(row.File)).second) {
            unique.push_back(std::move(row));
        } else {
            Skipped(err, row.File, "named already");
        }
    }
    return unique;
}
