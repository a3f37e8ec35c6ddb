#include "Keywords.h"

#include <gtest/gtest.h>

namespace kesto::zentrel {
namespace {

struct LookupCase {
  const KeywordTable& (*table)();
  std::u16string word;
  std::int32_t id;
};

TEST(KeywordLookup, NamesAbbreviationsAndUnknownWords) {
  const LookupCase cases[] = {
      {commandKeywords, u"H", 8},        {commandKeywords, u"h", 8},       {commandKeywords, u"halt", 7},
      {commandKeywords, u"ZG", 254},     {commandKeywords, u"ZGO", 254},   {commandKeywords, u"Z", 254},
      {commandKeywords, u"ZY", 255},     {commandKeywords, u"Z1", 254},    {commandKeywords, u"", 254},
      {commandKeywords, u"A_B", 254},    {commandKeywords, u"1S", 254},    {commandKeywords, u"set", 19},
      {commandKeywords, u"TRO", 22},     {commandKeywords, u"WHILE", 26},  {functionKeywords, u"ZC", 72},
      {functionKeywords, u"INDEX", 254}, {functionKeywords, u"p", 38},     {functionKeywords, u"ZARCCOS", 53},
      {variableKeywords, u"HALT", 6},    {variableKeywords, u"zv", 41},    {directiveKeywords, u"ifundef", 16},
      {structuredVariableKeywords, u"GLOBAL", 0}, {pseudoFunctionKeywords, u"unique", 7},
      // One character alone: letters in either case, letters with no names, anything else.
      {commandKeywords, u"s", 19},       {commandKeywords, u"S", 19},      {commandKeywords, u"z", 254},
      {commandKeywords, u"y", 254},      {commandKeywords, u"@", 254},     {commandKeywords, u"7", 254},
      {commandKeywords, u"\u00e9", 254}, {functionKeywords, u"P", 38},     {variableKeywords, u"h", 5},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.table().lookup(c.word), c.id) << std::string(c.word.begin(), c.word.end());
}

struct ConvertCase {
  const KeywordTable& (*table)();
  std::u16string word;
  std::int32_t direction;
  std::int32_t style;
  HRESULT hr;
  std::u16string result;
};

TEST(KeywordConvert, ExpandsAndContractsInTheAskedCase) {
  const ConvertCase cases[] = {
      {commandKeywords, u"hang", 1, 0, S_OK, u"h"},
      {commandKeywords, u"H", 0, 3, S_OK, u"Halt"},
      {commandKeywords, u"s", 0, 0, S_OK, u"set"},
      {commandKeywords, u"S", 0, 0, S_OK, u"SET"},
      {functionKeywords, u"$Zabs", 0, 0, S_OK, u"$ZABS"},
      {functionKeywords, u"$ZARCCOS", 1, 1, S_OK, u"$ZARCCOS"},
      {functionKeywords, u"$p", 0, 3, S_OK, u"$Piece"},
      {commandKeywords, u"", 0, 0, S_FALSE, u""},
      {commandKeywords, u"NOPE", 1, 0, S_FALSE, u""},
      {commandKeywords, u"S", 2, 0, E_INVALIDARG, u""},
  };
  for (const auto& c : cases) {
    std::u16string out;
    EXPECT_EQ(c.table().convert(c.word, c.direction, c.style, out), c.hr);
    EXPECT_EQ(out, c.result);
  }
}

}  // namespace
}  // namespace kesto::zentrel
