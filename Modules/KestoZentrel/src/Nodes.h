// The node kinds the parser builds: one general node carrying its kind number, two small
// codes and a list of children.
#pragma once

#include <Parser/ParseNode.h>

#include <initializer_list>

namespace kesto::zentrel {

namespace node {
enum : int {
  ExtrinsicVar = 2, ExtrinsicFunc = 3, MacroVar = 4, VB = 17, IntLiteral = 20, StrLiteral = 22,
  Pattern = 29, NameLocal = 31, VarGVN = 39, VarLVN = 40, VarDotDotLVN = 41, VarSSVN = 42, VarObject = 43,
  VarMethod = 44, VarMethodOrMDP = 45, IndirectionExpr = 47, SubscriptIndirection = 48, FirstFunction = 49,
  FirstVariable = 177, ZVersionVar = 166, UserVariable = 218, UserFunction = 12,
  BinaryAND = 220, BinaryNOTAND = 221, BinaryCONCAT = 222, BinaryCONTAINS = 223, BinaryNOTCONTAINS = 224,
  BinaryDIVIDE = 225, BinaryEQUAL = 226, BinaryNOTEQUAL = 227, BinaryEXP = 228, BinaryFOLLOWS = 229,
  BinaryNOTFOLLOWS = 230, BinaryGREATER = 231, BinaryNOTGREATER = 232, BinaryINTDIV = 233, BinaryLESS = 234,
  BinaryNOTLESS = 235, BinaryMINUS = 236, BinaryMULT = 237, BinaryMODULO = 238, BinaryOR = 239,
  BinaryNOTOR = 240, BinaryPattern = 241, BinaryNotPattern = 242, BinaryIndirectPattern = 243,
  BinaryPLUS = 244, BinarySORTSAFTER = 245, BinaryNOTSORTSAFTER = 246, BinarySORTSAFTEROREQUALS = 247,
  BinaryNOTSORTSAFTEROREQUALS = 248, BinarySHORTCUTAND = 249, BinarySHORTCUTOR = 250, UnaryPLUS = 257,
  UnaryMINUS = 258, UnaryNOT = 259, CmdArg = 262, GenCmd = 266, FormalList = 267, ArgWRITE = 299,
  CmdError = 331, CmdBREAK = 332, CmdDO = 333, CmdELSE = 334, CmdFOR = 335, CmdIF_ArgInd = 337,
  CmdKILL = 338, CmdLOCK = 339, CmdNEW = 340, CmdPRINT = 341, CmdQUIT = 342, CmdTCOMMIT = 344,
  CmdTRESTART = 345, CmdTROLLBACK = 346, CmdTSTART = 347, CmdWRITE = 349, CmdZDEALLOCATE = 352,
  CmdZLOAD = 353, CmdZPRINT = 354, CmdZQUIT = 355, CmdZREMOVE = 356, CmdZSAVE = 357, CmdZSYNC = 358,
  CmdZTRAP = 359, CmdZWRITE = 360, CmdHALT = 279,
  SrcRef = 18, LVNbyRef = 35, SQLField = 38, CaseExpr = 54, CaseDoArg = 55, Select = 94, Text = 99,
  Bit = 50, BitLogic = 53, User = 176, ClassObject = 13, ThisObject = 15,
  BinaryBitLogicAND = 251, BinaryBitLogicOR = 252, BinaryBitLogicXOR = 253, BinaryBitLogicSUMMARYAND = 254,
  BinaryBitLogicSUMMARYOR = 255, BinaryBitLogicSUMMARYXOR = 256, UnaryBitLogicNOT = 260, ExprElement = 261,
  NRef = 263, SelectParm = 264, CaseExprParm = 265, DevParm = 268, ArgDO = 271, ArgDOentref = 272,
  ArgFOR = 276, ArgGOTO = 277, ArgHANG = 280, ArgKILLglvn = 282, ArgKILLexcl = 283, ArgLOCK = 284,
  ArgMERGE = 285, ArgNEWexcl = 287, ArgNEWsvn = 288, ArgQUIT = 290, ArgREADformat = 291, ArgREADglvn = 292,
  ArgREADquote = 294, ArgSET = 295, ArgTSTART = 296, ArgUSE = 297, ArgVIEW = 298, ArgWRITEformat = 300,
  ArgWRITEmnemonic = 301, ArgXECUTE = 302, ArgZALLOCATE = 303, ArgZDEALLOCATE = 304, ArgZDELETE = 305,
  ArgZERASE = 306, ArgZETRAP = 307, ArgZFILE = 308, ArgZHTRAP = 309, ArgZINSERT = 310, ArgZITRAP = 311,
  ArgZKILLglvn = 312, ArgZLOAD = 313, ArgZMOVE = 314, ArgZNSPACE = 315, ArgZOBJECTCLOSE = 316,
  ArgZONERROR = 317, ArgZOMSPACK = 318, ArgZPRINT = 319, ArgZQUIT = 320, ArgZREAD = 321, ArgZREMOVE = 322,
  ArgZSAVE = 323, ArgZTRANSACTION = 325, ArgZTRAP = 326, ArgZUSE = 327, ArgZWRITE = 328,
  PatcodeACELNPU = 361, PatStrLit = 364, PatAtom = 365, PatAlternation = 366, PatAlternationList = 367,
  PatCodeList = 368,
};
}  // namespace node

class Node final : public ParseNode {
 public:
  explicit Node(int kind, std::uint8_t code = 0, std::uint8_t refClass = 0)
      : kind_(kind), code_(code), refClass_(refClass) {}
  Node(int kind, std::uint8_t code, std::uint8_t refClass, std::int32_t line, std::int32_t offset)
      : ParseNode(line, offset), kind_(kind), code_(code), refClass_(refClass) {}

  int kind() const override { return kind_; }
  int childCount() const override { return children_.count; }
  ParseNode* child(int index) const override;

  void add(ParseNode* child) {
    if (child) children_.append(child);
  }
  std::uint8_t code() const { return code_; }
  std::uint8_t refClass() const { return refClass_; }
  // A small value some kinds carry: the form of an argument list, the member form of a
  // ".." reference, a LOCK sign, a pattern code set.
  std::uint32_t form() const { return form_; }
  void setForm(std::uint32_t form) { form_ = form; }
  int assignAnswer() const override { return assign_; }
  void setAssignAnswer(int answer) { assign_ = answer; }

 private:
  int kind_;
  std::uint8_t code_;
  std::uint8_t refClass_;
  std::uint32_t form_ = 0;
  int assign_ = 0;
  NodeList children_;
};

// A node of `kind` without children, in the current allocator.
Node* makeLeaf(int kind, std::uint8_t code, std::uint8_t refClass);

// A node of `kind` over the given children, in the current allocator. Inline, so that the
// children, known where the parser makes a node, are added without a loop.
inline Node* makeNode(int kind, std::initializer_list<ParseNode*> children = {}, std::uint8_t code = 0,
                      std::uint8_t refClass = 0) {
  Node* n = makeLeaf(kind, code, refClass);
  for (ParseNode* c : children) n->add(c);
  return n;
}

}  // namespace kesto::zentrel
