// The closed keyword vocabularies of the language: lookup of full or abbreviated names in
// any case, and conversion between abbreviation and full name for the expander.
#pragma once

#include <automation/Types.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::zentrel {

constexpr std::int32_t kKeywordUnknown = 254;
constexpr std::int32_t kKeywordUserZ = 255;  // a Z word whose second letter has no bucket

struct NameTriple {
  const char16_t* shortForm;
  const char16_t* upper;
  const char16_t* mixed;
};

struct KeywordEntry {
  std::u16string_view first;
  std::u16string_view second;  // empty when the name has one spelling
  std::int16_t id;
};

class KeywordTable {
 public:
  static constexpr int kBuckets = 51;

  KeywordTable(std::vector<KeywordEntry> entries, const NameTriple* triples);

  // The id naming `word` (given without "$" or "##"), kKeywordUnknown or kKeywordUserZ.
  std::int32_t lookup(std::u16string_view word) const;
  // Direction 0 expands an abbreviation, 1 contracts a full name; case style 0 follows the
  // word, 1 upper, 2 lower, 3 mixed. S_OK, S_FALSE (no match) or E_INVALIDARG.
  HRESULT convert(std::u16string_view word, std::int32_t direction, std::int32_t caseStyle,
                  std::u16string& result) const;
  const NameTriple* triples() const { return triples_; }

 private:
  static int bucketOf(char16_t c);
  std::int32_t lookupWord(std::u16string_view word) const;
  std::array<std::vector<KeywordEntry>, kBuckets> buckets_;
  std::array<bool, kBuckets> present_{};
  std::array<std::int32_t, 26> letters_{};  // the answer for each letter alone
  const NameTriple* triples_;
};

const KeywordTable& commandKeywords();
const KeywordTable& functionKeywords();
const KeywordTable& variableKeywords();
const KeywordTable& directiveKeywords();
const KeywordTable& pseudoFunctionKeywords();
const KeywordTable& structuredVariableKeywords();

}  // namespace kesto::zentrel
