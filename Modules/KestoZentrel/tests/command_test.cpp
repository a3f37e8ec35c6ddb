#include "GrammarHarness.h"

#include <gtest/gtest.h>

namespace kesto::zentrel {
namespace {

using testing::commands;

struct LineCase {
  const char16_t* line;
  const char* tree;  // the last command's node, or nullptr when only the error matters
  std::int32_t error;
};

void check(const LineCase& c) {
  const auto got = commands(c.line);
  const std::string text(c.line, c.line + std::char_traits<char16_t>::length(c.line));
  EXPECT_EQ(got.error, c.error) << text;
  if (c.tree && !c.error) {
    EXPECT_EQ(got.tree, c.tree) << text;
  }
}

TEST(Commands, ArgumentsPostconditionalsAndScopes) {
  const LineCase cases[] = {
      {u" H", "CmdHALT", 0},
      {u" H 5", "GenCmd(ArgHANG(IntLiteral))", 0},
      {u" HALT 5", nullptr, 11},
      {u" W", "CmdWRITE", 0},
      {u" G", nullptr, 16},
      {u" TC:x  W", "CmdWRITE", 0},
      {u" TC 1", nullptr, 11},
      {u" Q:x=1 x+1", "CmdQUIT(BinaryPLUS(VarLVN,IntLiteral))", 0},
      {u" F i=1:1:3 Q", "CmdQUIT", 0},
      {u" F i=1:1:3 Q 1", nullptr, 2},
      {u" F i=1:1:3 { Q 1 }", nullptr, 2},
      {u" F  Q:x  S x=1", "GenCmd(ArgSET(VarLVN,IntLiteral))", 0},
      {u" F i=1:1:10,20 {", "CmdFOR(VarLVN,CmdArg(ArgFOR(IntLiteral,IntLiteral,IntLiteral)),CmdArg(ArgFOR(IntLiteral)))",
       0},
      {u" F {", "CmdFOR", 0},
      {u" F o.p=1:1:2 W o.p", nullptr, 0},
      {u" F o.m()=1:1 W", nullptr, 13},
      {u" F i 1", nullptr, 6},
      {u" I {", nullptr, 27},
      {u" I x {", nullptr, 0},
      {u" I x,@y W 1", "GenCmd(ArgWRITE(IntLiteral))", 0},
      {u" I  W 1", nullptr, 0},
      {u" E  W 1", nullptr, 0},
      {u" E 1", nullptr, 11},
      {u" WHILE x", nullptr, 26},
      {u" WHILE x {", nullptr, 0},
      {u" WHILE", nullptr, 16},
      {u" D {", nullptr, 0},
      {u" ZC  S X=1", "GenCmd(ArgSET(VarLVN,IntLiteral))", 0},
  };
  for (const auto& c : cases) check(c);
}

TEST(Commands, ArgumentIndirection) {
  const LineCase cases[] = {
      {u" D @x,y", "GenCmd(IndirectionExpr(VarLVN),ArgDOentref)", 0},
      {u" D @x:y", "GenCmd(ArgDOentref(VarLVN))", 0},
      {u" S @x=1", "GenCmd(ArgSET(IndirectionExpr(VarLVN),IntLiteral))", 0},
      {u" S @x@(1)=1", "GenCmd(ArgSET(SubscriptIndirection(VarLVN),IntLiteral))", 0},
      {u" S @x", "GenCmd(IndirectionExpr(VarLVN))", 0},
      {u" L @x:5", "GenCmd(IndirectionExpr(VarLVN))", 0},
      {u" W @x_1", "GenCmd(ArgWRITE(BinaryCONCAT(IndirectionExpr(VarLVN),IntLiteral)))", 0},
  };
  for (const auto& c : cases) check(c);
}

TEST(CommandArguments, SetKillNewMergeTstartViewZbreak) {
  const LineCase cases[] = {
      {u" S (A,B)=1", "GenCmd(ArgSET(VarLVN,VarLVN,IntLiteral))", 0},
      {u" S $P(X,\",\",2)=1,$E(Y,1)=2,$X=0", nullptr, 0},
      {u" S A", nullptr, 6},
      {u" S $H=1", nullptr, 11},
      {u" S $L(X)=1", nullptr, 11},
      {u" S 1=2", nullptr, 11},
      {u" S (A,B=1", nullptr, 10},
      {u" K (A,B)", "GenCmd(ArgKILLexcl(VarLVN,VarLVN))", 0},
      {u" K A,^B(1),@C", "GenCmd(ArgKILLglvn(VarLVN),ArgKILLglvn(VarGVN),IndirectionExpr(VarLVN))", 0},
      {u" K ()", nullptr, 11},
      {u" K $ZOBJVAL(O,1)", nullptr, 0},
      {u" K $PIECE(X,1)", nullptr, 15},
      {u" K 1", nullptr, 15},
      {u" N $ETRAP,$ES,$ZR", nullptr, 0},
      {u" N $ZTRAP", nullptr, 11},
      {u" N (A,B),C", nullptr, 0},
      {u" N ()", nullptr, 11},
      {u" M A=^B(1)", "GenCmd(ArgMERGE(VarLVN,VarGVN))", 0},
      {u" M A", nullptr, 6},
      {u" TS *:SERIAL", nullptr, 0},
      {u" TS ():(T=\"x\",S)", nullptr, 0},
      {u" TS A:transactionid=\"y\"", nullptr, 0},
      {u" TS (A,B)", nullptr, 0},
      {u" TS A:FOO", nullptr, 7},
      {u" TS A:T", nullptr, 7},
      {u" TS A:(S;T)", nullptr, 10},
      {u" V A:B::D", "GenCmd(ArgVIEW(VarLVN,VarLVN,VarLVN))", 0},
      {u" X \"W 1\":a", "GenCmd(ArgXECUTE(StrLiteral,VarLVN))", 0},
      {u" ZB /TRACE:ON,/INTERRUPT:NORMAL,/CLEAR,*X,LABEL^RTN:::5,-LABEL^RTN#3", nullptr, 0},
      {u" ZB /D:1,$:1,--*X:2,-*$ZE#1", nullptr, 0},
      {u" ZB /FOO", nullptr, 15},
      {u" ZB /T:MAYBE", nullptr, 15},
      {u" ZB *$ZQ", nullptr, 4095},
      {u" ZB -X#", nullptr, 11},
      {u" ZB 1", nullptr, 15},
      {u" ZK A,^B", nullptr, 0},
      {u" ZK 1", nullptr, 15},
      {u" ZL Routine.Name  ZS", "CmdZSAVE", 0},
      {u" ZI \"x\":L+1^R  ZP L:L2  ZR L", nullptr, 0},
      {u" ZOMSPACK a:b:1:2:3:4", nullptr, 0},
      {u" ZOMSPACK a:b:1", nullptr, 16},
      {u" ZOBJCLOSE a,b", nullptr, 0},
  };
  for (const auto& c : cases) check(c);
}

TEST(CommandArguments, DoGotoJob) {
  const LineCase cases[] = {
      {u" D LBL^RTN(1,.X):a", "GenCmd(ArgDO(VarLVN))", 0},
      {u" D ^RTN,LBL+2,@X^RTN", nullptr, 0},
      {u" G ^RTN:a,LBL", "GenCmd(ArgGOTO(VarLVN),ArgGOTO)", 0},
      {u" J ^RTN", nullptr, 0},
      {u" J LBL^RTN(1):(:5):10", nullptr, 0},
      {u" D obj.M(1).N()", "GenCmd(ArgDO(VarMethod(VarMethodOrMDP(VarLVN))))", 0},
      {u" D ..M(),..N(1)", nullptr, 0},
      {u" D ..P", nullptr, 4},
      {u" D _Form!Button.Click(1,2):x", "GenCmd(ArgDO(VB,VarLVN))", 0},
      {u" D obj.P", nullptr, 4},
      {u" D $ZU(5,1),$ZOBJMETHOD(o,\"m\")", nullptr, 0},
      {u" D $P(X,1)", nullptr, 2},
      {u" D $CASE(x,1:A,:B^R)", nullptr, 0},
      {u" G $CASE(x,1:A,:B)", nullptr, 0},
      {u" D 5", nullptr, 0},
      {u" D \"x\"", nullptr, 2},
      {u" G", nullptr, 16},
  };
  for (const auto& c : cases) check(c);
}

TEST(IoCommands, DeviceParametersFormatsAndTargets) {
  const LineCase cases[] = {
      {u" O dev:(/APPEND:/BLOCKSIZE=512):5", nullptr, 0},
      {u" O dev:/blo=512", nullptr, 0},
      {u" O dev:::", nullptr, 0},
      {u" O dev:(::/WAIT):5:(\"a\",\"b\")", nullptr, 0},
      {u" O dev:/BLOCKSIZE", nullptr, 16},
      {u" O dev:/FOO", nullptr, 15},
      {u" O dev:/APPEND=1", nullptr, 2},
      {u" O dev:(/APPEND", nullptr, 3},
      {u" U dev:(/ECHO):\"ns\"", "GenCmd(ArgUSE(VarLVN,StrLiteral))", 0},
      {u" C dev:/DELETE", nullptr, 0},
      {u" R *x#5", nullptr, 11},
      {u" R x#5:10", "GenCmd(ArgREADglvn(VarLVN,IntLiteral,IntLiteral))", 0},
      {u" R !,\"Name: \",x:60,*c,/CLEAR", nullptr, 0},
      {u" R o.p", nullptr, 0},
      {u" R o.m()", nullptr, 13},
      {u" W !!,?10,x", "GenCmd(ArgWRITEformat,ArgWRITEformat(IntLiteral),ArgWRITE(VarLVN))", 0},
      {u" W *7,#,/CUP(1,2)", nullptr, 0},
      {u" ZW x,^G", "GenCmd(ArgZWRITE(VarLVN),ArgZWRITE(VarGVN))", 0},
  };
  for (const auto& c : cases) check(c);
}

TEST(LockArguments, SignsListsAndTimeouts) {
  const LineCase cases[] = {
      {u" L +^A(1):5", "GenCmd(ArgLOCK[1](NRef(VarGVN),IntLiteral))", 0},
      {u" L -(a,^b)", "GenCmd(ArgLOCK[2](NRef(VarLVN),NRef(VarGVN)))", 0},
      {u" L", "CmdLOCK", 0},
      {u" ZA ^x:5", "GenCmd(ArgZALLOCATE(NRef(VarGVN),IntLiteral))", 0},
      {u" L (a,b", nullptr, 10},
      {u" L 5", nullptr, 11},
      {u" ZD ^x:5", nullptr, 2},
  };
  for (const auto& c : cases) check(c);
}

}  // namespace
}  // namespace kesto::zentrel

namespace kesto::zentrel {
namespace {

// The attribute of each character ('m' mnemonic, 'f' format, 'q' pattern, 'o' object dot,
// 'a' object attribute, 'Y' object method, 'y' object property, 'V'/'c'/'b' form, control
// and property names, 'n' name, '*' special; the others as in colour_test.cpp).
TEST(GrammarColours, EachPartHasItsAttribute) {
  const struct {
    const char16_t* line;
    const char* mask;
  } cases[] = {
      {u" O D:(/APPEND):5", ".C.v,,,mmmmmm,,9"},
      {u" W !,?5,*7", ".C.f,f9,f9"},
      {u" S X=Y?1N.2A", ".C.v+v+9q,9q"},
      {u" S X=o.p.m(1)", ".C.v+voaoY,9,"},
      {u" S X=$ZV_$$L^R", ".C.v+$$$+XXL,R"},
      {u" R *C,X#2:5", ".C.fv,vf9,9"},
      {u" S X=_F!C.P", ".C.v+,V,c,b"},
      {u" S X=..p+..#Q", ".C.v+ooy+ooyy"},
      {u" ZB /T:ON", ".CC.,n,nn"},
      {u" TS *:S", ".CC.*,m"},
      {u" S X=$BITLOGIC(~A+|B)", ".C.v+FFFFFFFFF,+v++v,"},
      {u"L(a,b=1,c=\"x\",d...) Q", "L,n,n,9,n,sss,n,,,,.C"},
      {u"L(a,b=-1.5) Q", "L,n,n,9999,.C"},
      {u"L(a,) Q", "L,n,!!!"},
      {u"L(a,b=c) Q", "L,n,n,!!!!"},
  };
  for (const auto& c : cases) {
    const auto result = testing::colour(c.line);
    ASSERT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.masks.at(0), c.mask) << std::string(c.line, c.line + std::char_traits<char16_t>::length(c.line));
  }
}

}  // namespace
}  // namespace kesto::zentrel
