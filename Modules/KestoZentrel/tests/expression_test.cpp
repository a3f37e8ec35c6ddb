#include "GrammarHarness.h"

#include <gtest/gtest.h>

namespace kesto::zentrel {
namespace {

using testing::expression;

struct TreeCase {
  const char16_t* text;
  const char* tree;  // expected dump, or nullptr when only the error matters
  std::int32_t error;
};

std::string narrow(const char16_t* text) { return std::string(text, text + std::char_traits<char16_t>::length(text)); }

void check(const TreeCase& c, const testing::Parsed& got) {
  EXPECT_EQ(got.error, c.error) << narrow(c.text);
  if (c.tree && !c.error) {
    EXPECT_EQ(got.tree, c.tree) << narrow(c.text);
  }
}

TEST(Expressions, StrictlyLeftToRightWithEveryElementKind) {
  const TreeCase cases[] = {
      {u"1+2*3", "BinaryMULT(BinaryPLUS(IntLiteral,IntLiteral),IntLiteral)", 0},
      {u"1+(2*3)", "BinaryPLUS(IntLiteral,BinaryMULT(IntLiteral,IntLiteral))", 0},
      {u"-5", "IntLiteral", 0},
      {u"-x", "UnaryMINUS(VarLVN)", 0},
      {u"'x", "UnaryNOT(VarLVN)", 0},
      {u"--x", "UnaryMINUS(UnaryMINUS(VarLVN))", 0},
      {u".5", "IntLiteral", 0},
      {u"a]]=b']]c", "BinaryNOTSORTSAFTER(BinarySORTSAFTEROREQUALS(VarLVN,VarLVN),VarLVN)", 0},
      {u"a**2\\3#4", "BinaryMODULO(BinaryDIVIDE(BinaryEXP(VarLVN,IntLiteral),IntLiteral),IntLiteral)", 0},
      {u"a&&b", "BinarySHORTCUTAND(VarLVN,VarLVN)", 0},
      {u"x?@p_1", "BinaryIndirectPattern(VarLVN,BinaryCONCAT(VarLVN,IntLiteral))", 0},
      {u"o.a.b(1)", "VarMethodOrMDP(VarObject(VarLVN))", 0},
      {u"o.m()", "VarMethod(VarLVN)", 0},
      {u"..p+..m(1)+..#P", "BinaryPLUS(BinaryPLUS(VarDotDotLVN,VarDotDotLVN),VarDotDotLVN)", 0},
      {u"_F!C.P(1)", "VB", 0},
      {u"$$F^R(1)+$$^R", "BinaryPLUS(ExtrinsicFunc,ExtrinsicVar)", 0},
      {u".a", nullptr, 11},
      {u"(1", nullptr, 10},
      {u"a'b", nullptr, 3},
      {u"1+", nullptr, 11},
      {u"..", nullptr, 15},
  };
  for (const auto& c : cases) check(c, expression(c.text));
}

TEST(Expressions, ShortcutOperatorsNeedTheirOption) {
  EXPECT_EQ(expression(u"a&&b", false, 0).error, 25);
  EXPECT_EQ(expression(u"a||b", false, 0).error, 25);
  EXPECT_EQ(expression(u"a||b").tree, "BinarySHORTCUTOR(VarLVN,VarLVN)");
}

TEST(Expressions, BitLogicArgument) {
  const TreeCase cases[] = {
      {u"$BITLOGIC(a&b+|c)", "$BITLOGIC(BinaryBitLogicSUMMARYOR(BinaryBitLogicAND(VarLVN,VarLVN),VarLVN))", 0},
      {u"$BITLOGIC(~a|^G(1),2)", "$BITLOGIC(BinaryBitLogicOR(UnaryBitLogicNOT(VarLVN),VarGVN),IntLiteral)", 0},
      {u"$BITLOGIC((a&b)+^c)", nullptr, 0},
      {u"$BITLOGIC(a+&b+|c)", nullptr, 19},
      {u"$BITLOGIC((a+&b)&c)", nullptr, 19},
      {u"$BITLOGIC(a+&b&c)", nullptr, 19},
      {u"$BITLOGIC(a*b)", nullptr, 3},
      {u"$BITLOGIC(1)", nullptr, 11},
  };
  for (const auto& c : cases) check(c, expression(c.text));
}

TEST(Expressions, DeepNestingIsRefusedNotOverflowed) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"", u"("}, {u"", u"$S("}, {u"", u"@"}, {u"x?", u"1("}, {u"$BITLOGIC(", u"("}, {u"", u"-"}};
  for (const auto& [prefix, opener] : cases) {
    std::u16string deep = prefix;
    for (int i = 0; i < 20000; ++i) deep += opener;
    EXPECT_EQ(expression(deep + u"1").error, 18) << std::string(opener.begin(), opener.end());
  }
}

TEST(Patterns, CountsCodesStringsAndAlternations) {
  const TreeCase cases[] = {
      {u"x?1N", "BinaryPattern(VarLVN,Pattern(PatAtom[1.1](PatCodeList(PatcodeACELNPU[16]))))", 0},
      {u"x?.N", "BinaryPattern(VarLVN,Pattern(PatAtom[0.32767](PatCodeList(PatcodeACELNPU[16]))))", 0},
      {u"x?3.5A", "BinaryPattern(VarLVN,Pattern(PatAtom[3.5](PatCodeList(PatcodeACELNPU[1]))))", 0},
      {u"x?3.A", "BinaryPattern(VarLVN,Pattern(PatAtom[3.32767](PatCodeList(PatcodeACELNPU[1]))))", 0},
      {u"x?1EN", "BinaryPattern(VarLVN,Pattern(PatAtom[1.1](PatCodeList(PatcodeACELNPU[4]))))", 0},
      {u"x?1UN", "BinaryPattern(VarLVN,Pattern(PatAtom[1.1](PatCodeList(PatcodeACELNPU[80]))))", 0},
      {u"x?1\"a\"", "BinaryPattern(VarLVN,Pattern(PatAtom[1.1](PatStrLit(StrLiteral))))", 0},
      {u"x?1(1N,1A)",
       "BinaryPattern(VarLVN,Pattern(PatAtom[1.1](PatAlternationList(PatAlternation(PatAtom[1.1](PatCodeList("
       "PatcodeACELNPU[16]))),PatAlternation(PatAtom[1.1](PatCodeList(PatcodeACELNPU[1])))))))",
       0},
      // A count right behind a code run is the next atom, not part of the code name.
      {u"x'?3N1\"-\"4N", "BinaryNotPattern(VarLVN,Pattern(PatAtom[3.3](PatCodeList(PatcodeACELNPU[16])),"
                         "PatAtom[1.1](PatStrLit(StrLiteral)),PatAtom[4.4](PatCodeList(PatcodeACELNPU[16]))))",
       0},
      {u"x?99999N", "BinaryPattern(VarLVN,Pattern(PatAtom[32767.32767](PatCodeList(PatcodeACELNPU[16]))))", 0},
      {u"x?5.3A", nullptr, 12},
      {u"x?1Q", nullptr, 11},
      {u"x?1AQ", nullptr, 11},
      {u"x?N", nullptr, 11},
      {u"x?1(1N", nullptr, 11},
  };
  for (const auto& c : cases) check(c, expression(c.text));
}

TEST(Functions, ShapesOmissionsAndCounts) {
  const TreeCase cases[] = {
      {u"$P(A,\",\",2)", "$PIECE(ExprElement(VarLVN),ExprElement(StrLiteral),ExprElement(IntLiteral))", 0},
      {u"$ZZMINE(1,.X)", "$USER(ExprElement(IntLiteral),ExprElement(LVNbyRef(VarLVN)))", 0},
      {u"$CHAR(65,.X)", "$CHAR(ExprElement(IntLiteral),ExprElement(LVNbyRef(VarLVN)))", 0},
      {u"$ZDATE(H,,,,5)", "$ZDATE(ExprElement(VarLVN),ExprElement(IntLiteral))", 0},
      {u"$ZTIMEH(T,,)", "$ZTIMEH(ExprElement(VarLVN))", 0},
      {u"$LISTBUILD()", "$LISTBUILD", 0},
      {u"$LB(,,)", "$LISTBUILD", 0},
      {u"$ZOBJCLASS()", "$ZOBJCLASS", 0},
      {u"$GET($ZOBJVAL(O,1))", "$GET(ExprElement($ZOBJVAL(ExprElement(VarLVN),ExprElement(IntLiteral))))", 0},
      {u"$O(^G(\"\"),-1)", "$ORDER(ExprElement(VarGVN),ExprElement(IntLiteral))", 0},
      {u"$T(^RTN)+$T(L+1^R)", "BinaryPLUS($TEXT,$TEXT)", 0},
      {u"$S(a:1,1:2)", "$SELECT($SELECTparm(VarLVN,IntLiteral),$SELECTparm(IntLiteral,IntLiteral))", 0},
      {u"$CASE(X,1:\"a\",:\"z\")", "$CASEexpr(VarLVN,$CASEexprparm(IntLiteral,StrLiteral),$CASEexprparm(StrLiteral))",
       0},
      {u"$ZOBJNEXT(X)", "$ZOBJNEW(ExprElement(VarLVN))", 0},
      {u"$INDEX(1)", nullptr, 15},
      {u"$ZTFOO(1)", nullptr, 15},
      {u"$ASCII()", nullptr, 16},
      {u"$PIECE(S)", nullptr, 16},
      {u"$P(A,B,C,D,E)", nullptr, 16},
      {u"$ZOBJVAL(O,300)", nullptr, 11},
      {u"$ZOBJVAL(O,4294967297)", nullptr, 11},
      {u"$ZOBJMOD(O,40000)", nullptr, 11},
      {u"$ZP(X)", nullptr, 18},
      {u"$P(A;B)", nullptr, 3},
      {u"$CASE(X,:\"z\",1:\"a\")", nullptr, 11},
      {u"$S(a)", nullptr, 1},
      {u"$BIT(a,1,2)", nullptr, 16},
  };
  for (const auto& c : cases) check(c, expression(c.text));
}

TEST(Functions, CaseNeedsItsOptionAndRepeatingListsHaveNoLimit) {
  EXPECT_EQ(expression(u"$CASE(X,1:2)", false, 0x40).error, 24);
  std::u16string many = u"$C(1";
  for (int i = 0; i < 300; ++i) many += u",1";
  EXPECT_EQ(expression(many + u")").error, 0);
}

TEST(SpecialVariables, NamesAbbreviationsAndUserNames) {
  const TreeCase cases[] = {
      {u"$ZPOS+$ZPOSITION", "BinaryPLUS($ZPOSITION,$ZPOSITION)", 0},
      {u"$ZPI", "$ZPI", 0},
      {u"$ZZFOO", "$ZZUSER", 0},
      {u"$zversion+$ZV", "BinaryPLUS($ZVERSION,$ZVERSION)", 0},
      {u"$ST+$ZN+$ZO", "BinaryPLUS(BinaryPLUS($STACKvar,$ZNAMEvar),$ZORDERvar)", 0},
      {u"$H_$ET", "BinaryCONCAT($HOROLOG,$ETRAP)", 0},
      {u"$ED", nullptr, 15},
      {u"$ZTFOO", nullptr, 15},
      {u"$1", nullptr, 11},
  };
  for (const auto& c : cases) check(c, expression(c.text));
}

TEST(Variables, GlobalsStructuredIndirectionAndNumbers) {
  const TreeCase cases[] = {
      {u"^(1,2)", "VarGVN", 0},
      {u"^|\"NS\"|G(1)", "VarGVN", 0},
      {u"^[\"NS\",\"DIR\"]G", "VarGVN", 0},
      {u"^Sample.Person(1)", "VarGVN", 0},
      {u"^$ROUTINE(\"X\")+^$R(\"X\")+^$LOCK+^$GLOBAL", "BinaryPLUS(BinaryPLUS(BinaryPLUS(VarSSVN,VarSSVN),VarSSVN),VarSSVN)",
       0},
      {u"@A@(1)", "SubscriptIndirection(VarLVN)", 0},
      {u"@A", "IndirectionExpr(VarLVN)", 0},
      {u"5.25+1E5+.5", "BinaryPLUS(BinaryPLUS(IntLiteral,IntLiteral),IntLiteral)", 0},
      {u"+1.5E-3", "IntLiteral", 0},
      {u"^|\"NS\"G", nullptr, 11},
      {u"^$|\"NS\"|JOB", nullptr, 15},
      {u"^$FOO", nullptr, 15},
      {u"X()", nullptr, 11},
      {u"X(1", nullptr, 10},
      {u"@A@B", nullptr, 11},
      {u"5.x", nullptr, 3},
      {u"1E", nullptr, 3},
      {u"^", nullptr, 15},
  };
  for (const auto& c : cases) check(c, expression(c.text));
}

TEST(Variables, InstanceAndReferenceNamesOnlyInMacroRoutines) {
  EXPECT_EQ(expression(u"i%Name+r%Ref", true).tree, "BinaryPLUS(VarLVN,VarLVN)");
  EXPECT_NE(expression(u"i%Name", false).error, 0);
}

}  // namespace
}  // namespace kesto::zentrel
