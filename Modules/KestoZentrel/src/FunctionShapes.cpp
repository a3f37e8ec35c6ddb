// What each intrinsic function takes: the number of arguments and what may stand at each
// position.
#include "FunctionShapes.h"

#include "Keywords.h"

#include <string_view>

namespace kesto::zentrel {
namespace {

struct ShapeRow {
  std::u16string_view names;  // full names, separated by blanks
  std::uint8_t min;
  std::uint8_t max;           // 255: the last code repeats
  std::string_view codes;     // letters e E S V Z R G T B W C; "?" after a letter: may be omitted
};

constexpr ShapeRow kRows[] = {
    {u"LISTLENGTH QLENGTH RANDOM REVERSE ZABS ZARCCOS ZARCSIN ZARCTAN ZBITCOUNT ZBITLEN ZBITNOT ZCOS ZCOT ZCSC "
     u"ZCYC ZEXP ZHEX ZISWIDE ZLN ZLOG ZOBJNEW ZOBJNEXT ZOBJSTATE ZSEARCH ZSEC ZSIN ZSQR ZTAN ZVERSION "
     u"ZWBPACK ZWBUNPACK ZWPACK ZWUNPACK", 1, 1, "E"},
    {u"ASCII BITCOUNT LENGTH LISTDATA NORMALIZE STACK ZBITSTR ZLASCII ZSEEK ZWASCII", 1, 2, "EE"},
    {u"QSUBSCRIPT ZBITAND ZBITGET ZBITOR ZOBJOID ZPOWER", 2, 2, "EE"},
    {u"BITFIND FIND FNUMBER INUMBER JUSTIFY TRANSLATE ZBITFIND ZCRC ZPOSITION", 2, 3, "EEE"},
    {u"EXTRACT LIST LISTFIND LISTGET", 1, 3, "EEE"},
    {u"ZBITSET ZBOOLEAN", 3, 3, "EEE"},
    {u"PIECE", 2, 4, "EEEE"},
    {u"CHAR ZF ZLCHAR ZUTIL ZWCHAR", 1, 255, "Ee"},
    {u"INCREMENT NAME ZINCREMENT ZORDER ZSORT", 1, 2, "SE"},
    {u"DATA ZVDATA", 1, 2, "SS"},
    {u"NEXT ZNEXT", 1, 1, "S"},
    {u"GET", 1, 2, "ZE"},
    {u"ORDER QUERY", 1, 3, "ZES"},
    {u"ZVORDER ZVQUERY", 1, 3, "SES"},
    {u"COMPILE", 3, 5, "SESSS"},
    {u"ZPREVIOUS", 1, 1, "R"},
    {u"ISVALIDNUM NUMBER ZTIME", 1, 4, "EE?E?E?"},
    {u"ZTIMEH", 1, 3, "EE?E?"},
    {u"ZSTRIP", 2, 4, "EE?E?E?"},
    {u"ZDATE ZDATEH", 1, 9, "EE?E?E?E?E?E?E?E?"},
    {u"ZDATETIME ZDATETIMEH", 1, 11, "EE?E?E?E?E?E?E?E?E?e?"},
    {u"ZNAME ZWIDTH", 1, 2, "Ee"},
    {u"ZBITXOR", 2, 2, "Ee"},
    {u"ZCONVERT", 2, 3, "EEe"},
    {u"VIEW", 1, 4, "EEEe"},
    {u"LISTBUILD", 0, 255, "E?"},
    {u"SORTBEGIN", 1, 1, "G"},
    {u"SORTEND", 1, 2, "GE?"},
    {u"SORTMERGE", 1, 255, "ECC?"},
    {u"ZOBJCLASS ZOBJID", 0, 1, "E?"},
    {u"ZOBJPROPERTY", 2, 2, "E?E"},
    {u"ZOBJMOD", 2, 2, "E?W"},
    {u"ZOBJVAL", 2, 7, "E?BB?E?E?e?E?"},
    {u"ZOBJCLASSMETHOD", 2, 255, "EEe?"},
    {u"ZOBJMETHOD", 2, 255, "E?Ee?"},
    {u"ZOBJPURGE", 1, 255, "Se"},
};

constexpr FunctionShape kUserShape = {0, 255, {1, 0}, {0, 0}, 2};

FunctionShape shapeFrom(const ShapeRow& row) {
  FunctionShape shape{};
  shape.min = row.min;
  shape.max = row.max;
  static constexpr std::string_view kLetters = "eESVZRGTBWC";
  for (char c : row.codes) {
    if (c == '?') {
      if (shape.count) shape.omissions[shape.count - 1] = 1;
      continue;
    }
    if (shape.count >= FunctionShape::kMaxCodes) break;
    shape.codes[shape.count++] = static_cast<std::uint8_t>(kLetters.find(c));
  }
  return shape;
}

bool hasName(std::u16string_view names, std::u16string_view name) {
  while (!names.empty()) {
    const std::size_t blank = names.find(u' ');
    if (names.substr(0, blank) == name) return true;
    if (blank == std::u16string_view::npos) break;
    names.remove_prefix(blank + 1);
  }
  return false;
}

std::vector<FunctionShape> buildShapes() {
  std::vector<FunctionShape> shapes;
  for (const NameTriple* t = functionKeywords().triples(); t->upper; ++t) {
    const std::u16string_view name = std::u16string_view(t->upper).substr(1);  // without "$"
    FunctionShape shape{};
    shape.ownGrammar = true;  // BIT, BITLOGIC, CASE, SELECT, TEXT and the unreachable INDEX names
    for (const ShapeRow& row : kRows)
      if (hasName(row.names, name)) {
        shape = shapeFrom(row);
        break;
      }
    shapes.push_back(shape);
  }
  return shapes;
}

}  // namespace

const FunctionShape& functionShape(std::int32_t id) {
  static const std::vector<FunctionShape> shapes = buildShapes();
  if (id >= 0 && static_cast<std::size_t>(id) < shapes.size()) return shapes[static_cast<std::size_t>(id)];
  return kUserShape;
}

}  // namespace kesto::zentrel
