#pragma once

// The documents whose outputs are kept as golden files, and the files themselves. Setting the environment variable
// PELLANDRA_UPDATE_GOLDENS=1 writes the files from the current build instead of comparing with them: only for a
// change of output that is meant, and checked line by line in the diff.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace golden {

inline std::filesystem::path dataFolder()
{
    return std::filesystem::path(PELLANDRA_TEST_DATA) / "golden";
}

// The example documents and the loans of every frequency kept for these comparisons.
inline std::vector<std::filesystem::path> documents()
{
    std::vector<std::filesystem::path> paths;
    for (const auto &folder : {dataFolder(), std::filesystem::path(PELLANDRA_TEST_DATA) / ".." / ".." / "examples"}) {
        for (const auto &entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().extension() == ".plr")
                paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline bool updating()
{
    const char *value = std::getenv("PELLANDRA_UPDATE_GOLDENS");
    return value && std::string(value) == "1";
}

// The expected output `name` (a file under golden/expected); in update mode `actual` is written there and returned.
inline std::string expected(const std::string &name, const std::string &actual)
{
    const std::filesystem::path path = dataFolder() / "expected" / name;
    if (updating()) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << actual;
        return actual;
    }
    return readFile(path);
}

// The first line at which two texts differ, for a readable failure.
inline std::string firstDifference(const std::string &actual, const std::string &expected)
{
    std::istringstream a(actual), e(expected);
    std::string la, le;
    for (int line = 1;; ++line) {
        const bool moreA = bool(std::getline(a, la));
        const bool moreE = bool(std::getline(e, le));
        if (!moreA && !moreE)
            return "the same lines (line ends differ)";
        if (la != le || moreA != moreE)
            return "line " + std::to_string(line) + ":\n  actual:   " + (moreA ? la : "(none)")
                + "\n  expected: " + (moreE ? le : "(none)");
    }
}

} // namespace golden
