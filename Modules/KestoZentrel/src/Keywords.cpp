#include "Keywords.h"

#include <algorithm>

namespace kesto::zentrel {
namespace {

char16_t upperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }
char16_t lowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }
bool isLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool equalNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  return true;
}

std::u16string_view withoutDollar(const char16_t* s) {
  std::u16string_view v(s);
  return !v.empty() && v[0] == u'$' ? v.substr(1) : v;
}

const NameTriple kCommandTriples[] = {
    {u"", u"", u""},
    {u"B", u"BREAK", u"Break"},
    {u"C", u"CLOSE", u"Close"},
    {u"D", u"DO", u"Do"},
    {u"E", u"ELSE", u"Else"},
    {u"F", u"FOR", u"For"},
    {u"G", u"GOTO", u"Goto"},
    {u"H", u"HALT", u"Halt"},
    {u"H", u"HANG", u"Hang"},
    {u"I", u"IF", u"If"},
    {u"J", u"JOB", u"Job"},
    {u"K", u"KILL", u"Kill"},
    {u"L", u"LOCK", u"Lock"},
    {u"M", u"MERGE", u"Merge"},
    {u"N", u"NEW", u"New"},
    {u"O", u"OPEN", u"Open"},
    {u"P", u"PRINT", u"Print"},
    {u"Q", u"QUIT", u"Quit"},
    {u"R", u"READ", u"Read"},
    {u"S", u"SET", u"Set"},
    {u"TC", u"TCOMMIT", u"TCommit"},
    {u"TRE", u"TRESTART", u"TRestart"},
    {u"TRO", u"TROLLBACK", u"TRollback"},
    {u"TS", u"TSTART", u"TStart"},
    {u"U", u"USE", u"Use"},
    {u"V", u"VIEW", u"View"},
    {u"WHILE", u"WHILE", u"While"},
    {u"W", u"WRITE", u"Write"},
    {u"X", u"XECUTE", u"Xecute"},
    {u"ZA", u"ZALLOCATE", u"ZAllocate"},
    {u"ZB", u"ZBREAK", u"ZBREAK"},
    {u"ZD", u"ZDEALLOCATE", u"ZDeallocate"},
    {u"ZDELETE", u"ZDELETE", u"ZDelete"},
    {u"ZERASE", u"ZERASE", u"ZErase"},
    {u"ZETRAP", u"ZETRAP", u"ZETrap"},
    {u"ZFILE", u"ZFILE", u"ZFile"},
    {u"ZG", u"ZGO", u"ZGo"},
    {u"ZHTRAP", u"ZHTRAP", u"ZHTrap"},
    {u"ZI", u"ZINSERT", u"ZInsert"},
    {u"ZITRAP", u"ZITRAP", u"ZITrap"},
    {u"ZK", u"ZKILL", u"ZKill"},
    {u"ZL", u"ZLOAD", u"ZLoad"},
    {u"ZMOVE", u"ZMOVE", u"ZMove"},
    {u"ZN", u"ZNSPACE", u"ZNSpace"},
    {u"ZOBJCLOSE", u"ZOBJCLOSE", u"ZObjClose"},
    {u"ZOMSPACK", u"ZOMSPACK", u"ZOmsPack"},
    {u"ZONERROR", u"ZONERROR", u"ZOnError"},
    {u"ZP", u"ZPRINT", u"ZPrint"},
    {u"ZQ", u"ZQUIT", u"ZQuit"},
    {u"ZREAD", u"ZREAD", u"ZRead"},
    {u"ZR", u"ZREMOVE", u"ZRemove"},
    {u"ZS", u"ZSAVE", u"ZSave"},
    {u"ZSYNC", u"ZSYNC", u"ZSync"},
    {u"ZTRANSACTION", u"ZTRANSACTION", u"ZTransaction"},
    {u"ZT", u"ZTRAP", u"ZTrap"},
    {u"ZU", u"ZUSE", u"ZUse"},
    {u"ZW", u"ZWRITE", u"ZWrite"},
    {nullptr, nullptr, nullptr},
};

const NameTriple kFunctionTriples[] = {
    {u"$A", u"$ASCII", u"$Ascii"},
    {u"$BIT", u"$BIT", u"$Bit"},
    {u"$BITCOUNT", u"$BITCOUNT", u"$BitCount"},
    {u"$BITFIND", u"$BITFIND", u"$BitFind"},
    {u"$BITLOGIC", u"$BITLOGIC", u"$BitLogic"},
    {u"$CASE", u"$CASE", u"$Case"},
    {u"$C", u"$CHAR", u"$Char"},
    {u"$COMPILE", u"$COMPILE", u"$Compile"},
    {u"$D", u"$DATA", u"$Data"},
    {u"$E", u"$EXTRACT", u"$Extract"},
    {u"$F", u"$FIND", u"$Find"},
    {u"$FN", u"$FNUMBER", u"$FNumber"},
    {u"$G", u"$GET", u"$Get"},
    {u"$I", u"$INCREMENT", u"$Increment"},
    {u"$INDEX", u"$INDEX", u"$Index"},
    {u"$INDEXNEW", u"$INDEXNEW", u"$IndexNew"},
    {u"$INDEXNUM", u"$INDEXNUM", u"$IndexNum"},
    {u"$INDEXPASS", u"$INDEXPASS", u"$IndexPass"},
    {u"$INDEXREF", u"$INDEXREF", u"$IndexRef"},
    {u"$INDEXSAVE", u"$INDEXSAVE", u"$IndexSave"},
    {u"$INDEXSORT", u"$INDEXSORT", u"$IndexSort"},
    {u"$INDEXSTART", u"$INDEXSTART", u"$IndexStart"},
    {u"$INDEXVAL", u"$INDEXVAL", u"$IndexVal"},
    {u"$IN", u"$INUMBER", u"$INumber"},
    {u"$ISVALIDNUM", u"$ISVALIDNUM", u"$IsValidNum"},
    {u"$J", u"$JUSTIFY", u"$Justify"},
    {u"$L", u"$LENGTH", u"$Length"},
    {u"$LI", u"$LIST", u"$List"},
    {u"$LB", u"$LISTBUILD", u"$ListBuild"},
    {u"$LD", u"$LISTDATA", u"$ListData"},
    {u"$LF", u"$LISTFIND", u"$ListFind"},
    {u"$LG", u"$LISTGET", u"$ListGet"},
    {u"$LL", u"$LISTLENGTH", u"$ListLength"},
    {u"$NA", u"$NAME", u"$Name"},
    {u"$N", u"$NEXT", u"$Next"},
    {u"$NORMALIZE", u"$NORMALIZE", u"$Normalize"},
    {u"$NUM", u"$NUMBER", u"$Number"},
    {u"$O", u"$ORDER", u"$Order"},
    {u"$P", u"$PIECE", u"$Piece"},
    {u"$QL", u"$QLENGTH", u"$QLength"},
    {u"$QS", u"$QSUBSCRIPT", u"$QSubscript"},
    {u"$Q", u"$QUERY", u"$Query"},
    {u"$R", u"$RANDOM", u"$Random"},
    {u"$RE", u"$REVERSE", u"$Reverse"},
    {u"$S", u"$SELECT", u"$Select"},
    {u"$SORTBEGIN", u"$SORTBEGIN", u"$SortBegin"},
    {u"$SORTEND", u"$SORTEND", u"$SortEnd"},
    {u"$SORTMERGE", u"$SORTMERGE", u"$SortMerge"},
    {u"$ST", u"$STACK", u"$Stack"},
    {u"$T", u"$TEXT", u"$Text"},
    {u"$TR", u"$TRANSLATE", u"$Translate"},
    {u"$V", u"$VIEW", u"$View"},
    {u"$ZABS", u"$ZABS", u"$ZAbs"},
    {u"$ZARCCOS", u"$ZARCCOS", u"$ZArcCos"},
    {u"$ZARCSIN", u"$ZARCSIN", u"$ZArcSin"},
    {u"$ZARCTAN", u"$ZARCTAN", u"$ZArcTan"},
    {u"$ZBITAND", u"$ZBITAND", u"$ZBitAnd"},
    {u"$ZBITCOUNT", u"$ZBITCOUNT", u"$ZBitCount"},
    {u"$ZBITFIND", u"$ZBITFIND", u"$ZBitFind"},
    {u"$ZBITGET", u"$ZBITGET", u"$ZBitGet"},
    {u"$ZBITLEN", u"$ZBITLEN", u"$ZBitLen"},
    {u"$ZBITNOT", u"$ZBITNOT", u"$ZBitNot"},
    {u"$ZBITOR", u"$ZBITOR", u"$ZBitOr"},
    {u"$ZBITSET", u"$ZBITSET", u"$ZBitSet"},
    {u"$ZBITSTR", u"$ZBITSTR", u"$ZBitStr"},
    {u"$ZBITXOR", u"$ZBITXOR", u"$ZBitXor"},
    {u"$ZB", u"$ZBOOLEAN", u"$ZBoolean"},
    {u"$ZCVT", u"$ZCONVERT", u"$ZConvert"},
    {u"$ZCOS", u"$ZCOS", u"$ZCos"},
    {u"$ZCOT", u"$ZCOT", u"$ZCot"},
    {u"$ZCRC", u"$ZCRC", u"$ZCrc"},
    {u"$ZCSC", u"$ZCSC", u"$ZCsc"},
    {u"$ZCYC", u"$ZCYC", u"$ZCyc"},
    {u"$ZD", u"$ZDATE", u"$ZDate"},
    {u"$ZDH", u"$ZDATEH", u"$ZDateH"},
    {u"$ZDT", u"$ZDATETIME", u"$ZDateTime"},
    {u"$ZDTH", u"$ZDATETIMEH", u"$ZDateTimeH"},
    {u"$ZEXP", u"$ZEXP", u"$ZExp"},
    {u"$ZF", u"$ZF", u"$ZF"},
    {u"$ZH", u"$ZHEX", u"$ZHex"},
    {u"$ZINCR", u"$ZINCREMENT", u"$ZIncrement"},
    {u"$ZISWIDE", u"$ZISWIDE", u"$ZIsWide"},
    {u"$ZLA", u"$ZLASCII", u"$ZLAscii"},
    {u"$ZLC", u"$ZLCHAR", u"$ZLChar"},
    {u"$ZLN", u"$ZLN", u"$ZLn"},
    {u"$ZLOG", u"$ZLOG", u"$ZLog"},
    {u"$ZNAME", u"$ZNAME", u"$ZName"},
    {u"$ZNEXT", u"$ZNEXT", u"$ZNext"},
    {u"$ZOBJCLASS", u"$ZOBJCLASS", u"$ZObjClass"},
    {u"$ZOBJCLASSMETHOD", u"$ZOBJCLASSMETHOD", u"$ZObjClassMethod"},
    {u"$ZOBJID", u"$ZOBJID", u"$ZObjId"},
    {u"$ZOBJOID", u"$ZOBJOID", u"$ZObjOid"},
    {u"$ZOBJMETHOD", u"$ZOBJMETHOD", u"$ZObjMethod"},
    {u"$ZOBJMOD", u"$ZOBJMOD", u"$ZObjMod"},
    {u"$ZOBJNEW", u"$ZOBJNEW", u"$ZObjNew"},
    {u"$ZOBJNEXT", u"$ZOBJNEXT", u"$ZObjNext"},
    {u"$ZOBJPROPERTY", u"$ZOBJPROPERTY", u"$ZObjProperty"},
    {u"$ZOBJPURGE", u"$ZOBJPURGE", u"$ZObjPurge"},
    {u"$ZOBJSTATE", u"$ZOBJSTATE", u"$ZObjState"},
    {u"$ZOBJVAL", u"$ZOBJVAL", u"$ZObjVal"},
    {u"$ZO", u"$ZORDER", u"$ZOrder"},
    {u"$ZPOSITION", u"$ZPOSITION", u"$ZPosition"},
    {u"$ZPOWER", u"$ZPOWER", u"$ZPower"},
    {u"$ZP", u"$ZPREVIOUS", u"$ZPrevious"},
    {u"$ZSE", u"$ZSEARCH", u"$ZSearch"},
    {u"$ZSEC", u"$ZSEC", u"$ZSec"},
    {u"$ZSEEK", u"$ZSEEK", u"$ZSeek"},
    {u"$ZSIN", u"$ZSIN", u"$ZSin"},
    {u"$ZS", u"$ZSORT", u"$ZSort"},
    {u"$ZSQR", u"$ZSQR", u"$ZSqr"},
    {u"$ZSTRIP", u"$ZSTRIP", u"$ZStrip"},
    {u"$ZTAN", u"$ZTAN", u"$ZTan"},
    {u"$ZT", u"$ZTIME", u"$ZTime"},
    {u"$ZTH", u"$ZTIMEH", u"$ZTimeH"},
    {u"$ZU", u"$ZUTIL", u"$ZUtil"},
    {u"$ZVD", u"$ZVDATA", u"$ZVData"},
    {u"$ZV", u"$ZVERSION", u"$ZVersion"},
    {u"$ZVO", u"$ZVORDER", u"$ZVOrder"},
    {u"$ZVQ", u"$ZVQUERY", u"$ZVQuery"},
    {u"$ZWA", u"$ZWASCII", u"$ZWAscii"},
    {u"$ZWBPACK", u"$ZWBPACK", u"$ZWBPack"},
    {u"$ZWBUNPACK", u"$ZWBUNPACK", u"$ZWBUnpack"},
    {u"$ZWC", u"$ZWCHAR", u"$ZWChar"},
    {u"$ZWIDTH", u"$ZWIDTH", u"$ZWidth"},
    {u"$ZWPACK", u"$ZWPACK", u"$ZWPack"},
    {u"$ZWUNPACK", u"$ZWUNPACK", u"$ZWUnpack"},
    {nullptr, nullptr, nullptr},
};

const NameTriple kVariableTriples[] = {
    {u"$D", u"$DEVICE", u"$Device"},
    {u"$EC", u"$ECODE", u"$ECode"},
    {u"$EDETAIL", u"$EDETAIL", u"$EDetail"},
    {u"$ES", u"$ESTACK", u"$EStack"},
    {u"$ET", u"$ETRAP", u"$ETrap"},
    {u"$H", u"$HOROLOG", u"$Horolog"},
    {u"$HALT", u"$HALT", u"$Halt"},
    {u"$I", u"$IO", u"$Io"},
    {u"$J", u"$JOB", u"$Job"},
    {u"$K", u"$KEY", u"$Key"},
    {u"$P", u"$PRINCIPAL", u"$Principal"},
    {u"$Q", u"$QUIT", u"$Quit"},
    {u"$ST", u"$STACK", u"$Stack"},
    {u"$S", u"$STORAGE", u"$Storage"},
    {u"$SYSTEM", u"$SYSTEM", u"$System"},
    {u"$T", u"$TEST", u"$Test"},
    {u"$TL", u"$TLEVEL", u"$TLevel"},
    {u"$TR", u"$TRESTART", u"$TRestart"},
    {u"$X", u"$X", u"$X"},
    {u"$Y", u"$Y", u"$Y"},
    {u"$ZA", u"$ZA", u"$ZA"},
    {u"$ZB", u"$ZB", u"$ZB"},
    {u"$ZC", u"$ZCHILD", u"$ZChild"},
    {u"$ZEOF", u"$ZEOF", u"$ZEof"},
    {u"$ZE", u"$ZERROR", u"$ZError"},
    {u"$ZH", u"$ZHOROLOG", u"$ZHorolog"},
    {u"$ZI", u"$ZIO", u"$ZIo"},
    {u"$ZJ", u"$ZJOB", u"$ZJob"},
    {u"$ZM", u"$ZMODE", u"$ZMode"},
    {u"$ZN", u"$ZNAME", u"$ZName"},
    {u"$ZNODE", u"$ZNODE", u"$ZNode"},
    {u"$ZNSPACE", u"$ZNSPACE", u"$ZNSpace"},
    {u"$ZO", u"$ZORDER", u"$ZOrder"},
    {u"$ZP", u"$ZPARENT", u"$ZParent"},
    {u"$ZPI", u"$ZPI", u"$ZPI"},
    {u"$ZPOS", u"$ZPOSITION", u"$ZPosition"},
    {u"$ZR", u"$ZREFERENCE", u"$ZReference"},
    {u"$ZS", u"$ZSTORAGE", u"$ZStorage"},
    {u"$ZTS", u"$ZTIMESTAMP", u"$ZTimeStamp"},
    {u"$ZTZ", u"$ZTIMEZONE", u"$ZTimeZone"},
    {u"$ZT", u"$ZTRAP", u"$ZTrap"},
    {u"$ZV", u"$ZVERSION", u"$ZVersion"},
    {nullptr, nullptr, nullptr},
};
// Entries follow from the triples: first name the abbreviation, second the full name.
std::vector<KeywordEntry> entriesOf(const NameTriple* triples, std::initializer_list<int> without) {
  std::vector<KeywordEntry> entries;
  for (int id = 0; triples[id].shortForm; ++id) {
    if (std::find(without.begin(), without.end(), id) != without.end()) continue;
    std::u16string_view first = withoutDollar(triples[id].shortForm);
    std::u16string_view second = withoutDollar(triples[id].upper);
    entries.push_back({first, first == second ? std::u16string_view() : second, static_cast<std::int16_t>(id)});
  }
  return entries;
}

std::vector<KeywordEntry> commandEntries() {
  auto entries = entriesOf(kCommandTriples, {0, 36});
  // "H" alone names HANG first.
  auto hang = std::find_if(entries.begin(), entries.end(), [](const KeywordEntry& e) { return e.id == 8; });
  auto halt = std::find_if(entries.begin(), entries.end(), [](const KeywordEntry& e) { return e.id == 7; });
  std::iter_swap(hang, halt);
  return entries;
}

std::vector<KeywordEntry> functionEntries() {
  auto entries = entriesOf(kFunctionTriples, {14, 15, 16, 17, 18, 19, 20, 21, 22});
  for (auto& e : entries)
    if (e.id == 72) e = {u"ZC", u"ZCYC", 72};
  return entries;
}

std::vector<KeywordEntry> variableEntries() {
  auto entries = entriesOf(kVariableTriples, {});
  for (auto& e : entries)
    if (e.id == 6) e = {u"HALT", u"HALT", 6};
  return entries;
}

}  // namespace

int KeywordTable::bucketOf(char16_t c) { return c - u'A'; }

KeywordTable::KeywordTable(std::vector<KeywordEntry> entries, const NameTriple* triples) : triples_(triples) {
  auto bucketFor = [](std::u16string_view name) -> int {
    if (name.empty() || !isLetter(name[0])) return -1;
    if (upperAscii(name[0]) == u'Z') {
      if (name.size() < 2 || !isLetter(name[1])) return -1;
      return 25 + (upperAscii(name[1]) - u'A');
    }
    return upperAscii(name[0]) - u'A';
  };
  for (const auto& e : entries)
    if (int b = bucketFor(e.first); b >= 0) {
      buckets_[static_cast<std::size_t>(b)].push_back(e);
      present_[static_cast<std::size_t>(b)] = true;
    }
  // Names that have no entry of their own still keep their letter's bucket open, so that
  // they are unknown words rather than user Z words.
  for (int id = 0; triples && triples[id].shortForm; ++id)
    if (int b = bucketFor(withoutDollar(triples[id].shortForm)); b >= 0) present_[static_cast<std::size_t>(b)] = true;
  for (char16_t c = u'A'; c <= u'Z'; ++c) letters_[static_cast<std::size_t>(c - u'A')] = lookupWord({&c, 1});
}

// Most words looked up are one letter, an abbreviation: their answers are kept.
std::int32_t KeywordTable::lookup(std::u16string_view word) const {
  if (word.size() != 1) return lookupWord(word);
  const char16_t c = upperAscii(word[0]);
  return c >= u'A' && c <= u'Z' ? letters_[static_cast<std::size_t>(c - u'A')] : kKeywordUnknown;
}

std::int32_t KeywordTable::lookupWord(std::u16string_view word) const {
  if (word.empty() || !isLetter(word[0])) return kKeywordUnknown;
  for (char16_t c : word)
    if (!isLetter(c) && !isDigit(c)) return kKeywordUnknown;
  // The names are stored in upper case: the word is compared without case, in place.
  int bucket;
  if (upperAscii(word[0]) == u'Z') {
    // A digit after Z selects nothing: those words are unknown, not user words.
    if (word.size() == 1 || !isLetter(word[1])) return kKeywordUnknown;
    bucket = 25 + (upperAscii(word[1]) - u'A');
    if (!present_[static_cast<std::size_t>(bucket)]) return kKeywordUserZ;
  } else {
    bucket = bucketOf(upperAscii(word[0]));
    if (!present_[static_cast<std::size_t>(bucket)]) return kKeywordUnknown;
  }
  for (const auto& e : buckets_[static_cast<std::size_t>(bucket)])
    if (equalNoCase(word, e.first) || (!e.second.empty() && equalNoCase(word, e.second))) return e.id;
  return kKeywordUnknown;
}

HRESULT KeywordTable::convert(std::u16string_view word, std::int32_t direction, std::int32_t caseStyle,
                              std::u16string& result) const {
  if (direction != 0 && direction != 1) return E_INVALIDARG;
  if (!triples_ || word.empty()) return S_FALSE;
  const NameTriple* match = nullptr;
  for (const NameTriple* t = triples_; t->shortForm; ++t)
    if (equalNoCase(word, direction == 0 ? t->shortForm : t->upper)) {
      match = t;
      break;
    }
  if (!match) return S_FALSE;
  result = direction == 1 ? match->shortForm : caseStyle == 3 ? match->mixed : match->upper;
  std::int32_t style = caseStyle;
  if (style == 0) {
    bool hasUpper = false, hasLower = false;
    for (char16_t c : word) {
      hasUpper |= c >= u'A' && c <= u'Z';
      hasLower |= c >= u'a' && c <= u'z';
    }
    style = hasUpper && hasLower ? 3 : hasLower ? 2 : 1;
  }
  if (style == 2) std::transform(result.begin(), result.end(), result.begin(), lowerAscii);
  return S_OK;
}

const KeywordTable& commandKeywords() {
  static const KeywordTable table(commandEntries(), kCommandTriples);
  return table;
}

const KeywordTable& functionKeywords() {
  static const KeywordTable table(functionEntries(), kFunctionTriples);
  return table;
}

const KeywordTable& variableKeywords() {
  static const KeywordTable table(variableEntries(), kVariableTriples);
  return table;
}

const KeywordTable& directiveKeywords() {
  static const KeywordTable table(
      {{u"CLASS", {}, 0}, {u"CLASSCONTEXT", {}, 1}, {u"CLASSMETHOD", {}, 2}, {u"DEFINE", {}, 3},
       {u"DEF1ARG", {}, 4}, {u"ELSE", {}, 5}, {u"ELIF", {}, 6}, {u"ELSEIF", {}, 6}, {u"EMBED", {}, 7},
       {u"ENDCLASS", {}, 8}, {u"ENDCLASSCONTEXT", {}, 9}, {u"ENDCLASSMETHOD", {}, 10}, {u"ENDIF", {}, 11},
       {u"ENDMODULE", {}, 12}, {u"EXECUTE", {}, 13}, {u"IF", {}, 14}, {u"IFDEF", {}, 15}, {u"IFNDEF", {}, 16},
       {u"IFUNDEF", {}, 16}, {u"IMPORT", {}, 17}, {u"INCLUDE", {}, 18}, {u"LIBRARY", {}, 19},
       {u"MODULE", {}, 20}, {u"NOSHOW", {}, 21}, {u"SHOW", {}, 22}, {u"SQLCOMPILE", {}, 23}, {u"UNDEF", {}, 24}},
      nullptr);
  return table;
}

const KeywordTable& pseudoFunctionKeywords() {
  static const KeywordTable table({{u"BEGINLIT", {}, 0}, {u"CLASS", {}, 1}, {u"ENDLIT", {}, 2}, {u"FUNCTION", {}, 3},
                                   {u"LIT", {}, 4}, {u"STRIPQ", {}, 5}, {u"THIS", {}, 6}, {u"UNIQUE", {}, 7}},
                                  nullptr);
  return table;
}

const KeywordTable& structuredVariableKeywords() {
  static const KeywordTable table({{u"G", u"GLOBAL", 0}, {u"J", u"JOB", 1}, {u"L", u"LOCK", 2}, {u"R", u"ROUTINE", 3}},
                                  nullptr);
  return table;
}

}  // namespace kesto::zentrel
