// The routines of a packaged M system, fetched at test time as outside test input: they are
// downloaded and unpacked into a temporary folder, never kept in the tree.
#pragma once

#include "FlatColour.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace kesto::zentrel::testing {

// The routine files of the package, sorted by name, each text once; empty when the package
// cannot be fetched.
inline std::vector<std::filesystem::path> corpusRoutines(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  fs::create_directories(folder);
  const std::string quoted = "'" + folder.string() + "'";
  const std::string fetch = "cd " + quoted + " && (ls *.deb >/dev/null 2>&1 || apt-get download fis-gtm-7.0 fis-gtm" +
                            " >/dev/null 2>&1 || apt-get download fis-gtm-7.0 >/dev/null 2>&1)" +
                            " && for d in *.deb; do dpkg-deb -x \"$d\" x || exit 1; done";
  std::vector<fs::path> files;
  if (std::system(fetch.c_str()) != 0 || !fs::exists(folder / "x")) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder / "x"))
    if (entry.is_regular_file() && entry.path().extension() == ".m") files.push_back(entry.path());
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
  // The package holds many routines twice (plain and UTF-8 builds); each text counts once.
  std::set<std::size_t> seen;
  std::vector<fs::path> unique;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (seen.insert(std::hash<std::string>{}(bytes)).second) unique.push_back(file);
  }
  return unique;
}

// The lines of a file, each byte one character; line ends are LF or CR LF.
inline std::vector<std::u16string> routineLines(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::u16string> lines(1);
  for (char c : bytes) {
    if (c == '\n') {
      if (!lines.back().empty() && lines.back().back() == u'\r') lines.back().pop_back();
      lines.emplace_back();
    } else {
      lines.back() += static_cast<char16_t>(static_cast<unsigned char>(c));
    }
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

struct FlatResult {
  std::int32_t ok = 0;
  std::int32_t count = 0;
  std::uint8_t** states = nullptr;
  std::uint8_t** attributes = nullptr;
  FlatResult() = default;
  FlatResult(const FlatResult&) = delete;
  FlatResult& operator=(const FlatResult&) = delete;
  ~FlatResult() { NewSyntaxColorFree(count, states, attributes); }
};

// Colours all lines through the flat entry in plain-routine mode.
inline void colourFlat(const std::vector<std::u16string>& lines, FlatResult& result) {
  std::vector<std::uint16_t> lengths;
  std::vector<const char16_t*> texts;
  for (const auto& line : lines) {
    lengths.push_back(static_cast<std::uint16_t>(std::min<std::size_t>(line.size(), 0xFFFF)));
    texts.push_back(line.data());
  }
  const auto n = static_cast<std::int32_t>(lines.size());
  result.ok = NewSyntaxColor(0, n, n, lengths.data(), texts.data(), nullptr, &result.count, &result.states,
                             &result.attributes);
}

}  // namespace kesto::zentrel::testing
