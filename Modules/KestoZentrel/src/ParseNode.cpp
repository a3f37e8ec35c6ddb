#include <Parser/ParseNode.h>

#include "Nodes.h"
#include "Scanner.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <new>
#include <utility>

namespace kesto::zentrel {
namespace {

// Making a node looks at the current objects twice. In a shared library each look is a
// call; in the static TLS block (32 bytes, well within what the loader keeps free for
// libraries loaded later) it is one load.
struct Current {
  IAllocator* allocator = nullptr;
  IAllocator* secondary = nullptr;
  Scanner* scanner = nullptr;
  LineNodes* lineNodes = nullptr;
};
[[gnu::tls_model("initial-exec")]] thread_local Current current;

const char16_t* const kNodeDebugNames[kNodeKindCount] = {
    u"Unknown", u"Error", u"ExtrinsicVar", u"ExtrinsicFunc", u"MacroVar", u"MacroFunc", u"LitFunc",
    u"FuncFunc", u"RtnFunc", u"StripqFunc", u"TcolFunc", u"UniqueFunc", u"VendorFunc",
    u"ClassObject", u"ClassCast", u"ThisObject", u"ExprError", u"VB", u"SrcRef", u"Indirection",
    u"IntLiteral", u"MFloatLiteral", u"StrLiteral", u"NULL", u"UPARROW", u"BITLOGICARG",
    u"NamedParm", u"ExternalVar", u"ArgIndirection", u"Pattern", u"ExternalFunc", u"NameLocal",
    u"NameGVN", u"NameLVN", u"NameSSVN", u"LVNbyRef", u"ObjectRef", u"MethodRef", u"SQLField",
    u"VarGVN", u"VarLVN", u"VarDotDotLVN", u"VarSSVN", u"VarObject", u"VarMethod",
    u"VarMethodOrMDP", u"VarError", u"IndirectionExpr", u"SubscriptIndirection", u"$ASCII",
    u"$BIT", u"$BITCOUNT", u"$BITFIND", u"$BITLOGIC", u"$CASEexpr", u"$CASEdoarg", u"$CHAR",
    u"$COMPILE", u"$DATA", u"$EXTRACT", u"$FIND", u"$FNUMBER", u"$GET", u"$INCREMENT", u"$INDEX",
    u"$INDEXNEW", u"$INDEXNUM", u"$INDEXPASS", u"$INDEXREF", u"$INDEXSAVE", u"$INDEXSORT",
    u"$INDEXSTART", u"$INDEXVAL", u"$INUMBER", u"$ISVALIDNUM", u"$JUSTIFY", u"$LENGTH", u"$LIST",
    u"$LISTBUILD", u"$LISTDATA", u"$LISTFIND", u"$LISTGET", u"$LISTLENGTH", u"$NAME", u"$NEXT",
    u"$NORMALIZE", u"$NUMBER", u"$ORDER", u"$PIECE", u"$QLENGTH", u"$QSUBSCRIPT", u"$QUERY",
    u"$RANDOM", u"$REVERSE", u"$SELECT", u"$SORTBEGIN", u"$SORTEND", u"$SORTMERGE", u"$STACKfunc",
    u"$TEXT", u"$TRANSLATE", u"$VIEW", u"$ZABS", u"$ZARCCOS", u"$ZARCSIN", u"$ZARCTAN",
    u"$ZBITAND", u"$ZBITCOUNT", u"$ZBITFIND", u"$ZBITGET", u"$ZBITLEN", u"$ZBITNOT", u"$ZBITOR",
    u"$ZBITSET", u"$ZBITSTR", u"$ZBITXOR", u"$ZBOOLEAN", u"$ZCONVERT", u"$ZCOS", u"$ZCOT",
    u"$ZCSC", u"$ZCRC", u"$ZCYC", u"$ZDATE", u"$ZDATEH", u"$ZDATETIME", u"$ZDATETIMEH", u"$ZEXP",
    u"$ZF", u"$ZHEX", u"$ZINCREMENT", u"$ZISWIDE", u"$ZLASCII", u"$ZLCHAR", u"$ZLN", u"$ZLOG",
    u"$ZNAMEfunc", u"$ZNEXT", u"$ZOBJCLASS", u"$ZOBJCLASSMETHOD", u"$ZOBJID", u"$ZOBJOID",
    u"$ZOBJMETHOD", u"$ZOBJMOD", u"$ZOBJNEW", u"$ZOBJNEXT", u"$ZOBJPROPERTY", u"$ZOBJPURGE",
    u"$ZOBJSTATE", u"$ZOBJVAL", u"$ZORDERfunc", u"$ZPOSITIONfunc", u"$ZPOWER", u"$ZPREVIOUS",
    u"$ZSEARCH", u"$ZSEC", u"$ZSEEK", u"$ZSIN", u"$ZSORT", u"$ZSQR", u"$ZSTRIP", u"$ZTAN",
    u"$ZTIME", u"$ZTIMEH", u"$ZUTIL", u"$ZVDATA", u"$ZVERSION", u"$ZVORDER", u"$ZVQUERY",
    u"$ZWASCII", u"$ZWBPACK", u"$ZWBUNPACK", u"$ZWCHAR", u"$ZWIDTH", u"$ZWPACK", u"$ZWUNPACK",
    u"$USER", u"$DEVICE", u"$ECODE", u"$EDETAIL", u"$ESTACK", u"$ETRAP", u"$HOROLOG", u"$HALT",
    u"$IO", u"$JOB", u"$KEY", u"$PRINCIPAL", u"$QUIT", u"$STACKvar", u"$STORAGE", u"$SYSTEM",
    u"$TEST", u"$TLEVEL", u"$TRESTART", u"$X", u"$Y", u"$ZA", u"$ZB", u"$ZCHILD", u"$ZEOF",
    u"$ZERROR", u"$ZHOROLOG", u"$ZIO", u"$ZJOB", u"$ZMODE", u"$ZNAMEvar", u"$ZNODE", u"$ZNSPACE",
    u"$ZORDERvar", u"$ZPARENT", u"$ZPI", u"$ZPOSITION", u"$ZREFERENCE", u"$ZSTORAGE",
    u"$ZTIMESTAMP", u"$ZTIMEZONE", u"$ZTRAP", u"$ZZUSER", u"$n", u"BinaryAND", u"BinaryNOTAND",
    u"BinaryCONCAT", u"BinaryCONTAINS", u"BinaryNOTCONTAINS", u"BinaryDIVIDE", u"BinaryEQUAL",
    u"BinaryNOTEQUAL", u"BinaryEXP", u"BinaryFOLLOWS", u"BinaryNOTFOLLOWS", u"BinaryGREATER",
    u"BinaryNOTGREATER", u"BinaryINTDIV", u"BinaryLESS", u"BinaryNOTLESS", u"BinaryMINUS",
    u"BinaryMULT", u"BinaryMODULO", u"BinaryOR", u"BinaryNOTOR", u"BinaryPattern",
    u"BinaryNotPattern", u"BinaryIndirectPattern", u"BinaryPLUS", u"BinarySORTSAFTER",
    u"BinaryNOTSORTSAFTER", u"BinarySORTSAFTEROREQUALS", u"BinaryNOTSORTSAFTEROREQUALS",
    u"BinarySHORTCUTAND", u"BinarySHORTCUTOR", u"BinaryBitLogicAND", u"BinaryBitLogicOR",
    u"BinaryBitLogicXOR", u"BinaryBitLogicSUMMARYAND", u"BinaryBitLogicSUMMARYOR",
    u"BinaryBitLogicSUMMARYXOR", u"UnaryPLUS", u"UnaryMINUS", u"UnaryNOT", u"UnaryBitLogicNOT",
    u"ExprElement", u"CmdArg", u"NRef", u"$SELECTparm", u"$CASEexprparm", u"GenCmd", u"FormalList",
    u"DevParm", u"ArgBREAK", u"ArgCLOSE", u"ArgDO", u"ArgDOentref", u"ArgDOlblref", u"ArgDOobj",
    u"ArgDOext", u"ArgFOR", u"ArgGOTO", u"ArgIF", u"CmdHALT", u"ArgHANG", u"ArgJOB",
    u"ArgKILLglvn", u"ArgKILLexcl", u"ArgLOCK", u"ArgMERGE", u"ArgNEWincl", u"ArgNEWexcl",
    u"ArgNEWsvn", u"ArgOPEN", u"ArgQUIT", u"ArgREADformat", u"ArgREADglvn", u"ArgREADmnemonic",
    u"ArgREADquote", u"ArgSET", u"ArgTSTART", u"ArgUSE", u"ArgVIEW", u"ArgWRITE",
    u"ArgWRITEformat", u"ArgWRITEmnemonic", u"ArgXECUTE", u"ArgZALLOCATE", u"ArgZDEALLOCATE",
    u"ArgZDELETE", u"ArgZERASE", u"ArgZETRAP", u"ArgZFILE", u"ArgZHTRAP", u"ArgZINSERT",
    u"ArgZITRAP", u"ArgZKILLglvn", u"ArgZLOAD", u"ArgZMOVE", u"ArgZNSPACE", u"ArgZOBJECTCLOSE",
    u"ArgZONERROR", u"ArgZOMSPACK", u"ArgZPRINT", u"ArgZQUIT", u"ArgZREAD", u"ArgZREMOVE",
    u"ArgZSAVE", u"ArgZSYNC", u"ArgZTRANSACTION", u"ArgZTRAP", u"ArgZUSE", u"ArgZWRITE",
    u"ArgZZDUMP", u"ArgMnemonic", u"CmdError", u"CmdBREAK", u"CmdDO", u"CmdELSE", u"CmdFOR",
    u"CmdIF", u"CmdIF_ArgInd", u"CmdKILL", u"CmdLOCK", u"CmdNEW", u"CmdPRINT", u"CmdQUIT",
    u"CmdQUIT_ArgInd", u"CmdTCOMMIT", u"CmdTRESTART", u"CmdTROLLBACK", u"CmdTSTART", u"CmdWHILE",
    u"CmdWRITE", u"CmdWHILE_ArgInd", u"CmdZBREAK", u"CmdZDEALLOCATE", u"CmdZLOAD", u"CmdZPRINT",
    u"CmdZQUIT", u"CmdZREMOVE", u"CmdZSAVE", u"CmdZSYNC", u"CmdZTRAP", u"CmdZWRITE",
    u"PatcodeACELNPU", u"PatcodeY", u"PatcodeZ", u"PatStrLit", u"PatAtom", u"PatAlternation",
    u"PatAlternationList", u"PatCodeList",
};

}  // namespace

IAllocator* currentAllocator() { return current.allocator; }
IAllocator* setCurrentAllocator(IAllocator* allocator) { return current.allocator = allocator; }
IAllocator* secondaryAllocator() { return current.secondary; }
IAllocator* setSecondaryAllocator(IAllocator* allocator) { return current.secondary = allocator; }
Scanner* currentScanner() { return current.scanner; }
Scanner* setCurrentScanner(Scanner* scanner) { return current.scanner = scanner; }

GlobalsScope::GlobalsScope(IAllocator* allocator, Scanner* scanner)
    : allocator_(current.allocator), secondary_(current.secondary), scanner_(current.scanner) {
  setCurrentAllocator(allocator);
  setSecondaryAllocator(allocator);
  setCurrentScanner(scanner);
}

GlobalsScope::~GlobalsScope() {
  setCurrentScanner(scanner_);
  setSecondaryAllocator(secondary_);
  setCurrentAllocator(allocator_);
}

std::u16string_view nodeDebugName(int kind) {
  if (kind < 0 || kind >= kNodeKindCount) return {};
  return kNodeDebugNames[kind];
}

namespace {

// A chunk fits the allocator's small blocks, so that lines reuse the same few chunks.
constexpr std::size_t kChunkBytes = 1008;
constexpr std::size_t kChunkHeader = 16;
constexpr std::size_t kNodeAlign = 16;

}  // namespace

void* LineNodes::take(std::size_t size) {
  const std::size_t rounded = (std::max<std::size_t>(size, 1) + kNodeAlign - 1) / kNodeAlign * kNodeAlign;
  if (rounded > (kChunkBytes - kChunkHeader) / 4) return nullptr;
  if (left_ < rounded) newChunk();
  void* block = cursor_;
  cursor_ += rounded;
  left_ -= rounded;
  return block;
}

// A chunk begins with the address of the chunk before it in its list and the allocator that
// gave it.
namespace {
void* linkOf(void* chunk) {
  void* link;
  std::memcpy(&link, chunk, sizeof link);
  return link;
}
void setLink(void* chunk, void* link) { std::memcpy(chunk, &link, sizeof link); }
IAllocator* allocatorOf(void* chunk) {
  IAllocator* allocator;
  std::memcpy(&allocator, static_cast<std::byte*>(chunk) + sizeof(void*), sizeof allocator);
  return allocator;
}
}  // namespace

// Once a chunk: apart, so that taking a node stays a few instructions. Chunks an earlier line
// used come first.
[[gnu::noinline]] void LineNodes::newChunk() {
  void* chunk = spare_;
  if (chunk) {
    spare_ = linkOf(chunk);
  } else {
    IAllocator* allocator = currentAllocator();
    chunk = allocator ? allocator->Allocate(kChunkBytes) : nullptr;
    if (!chunk) throw CQNMemoryException(60, "..\\..\\Include\\System\\sysAllocator");
    std::memcpy(static_cast<std::byte*>(chunk) + sizeof(void*), &allocator, sizeof allocator);
  }
  setLink(chunk, chunks_);
  chunks_ = chunk;
  cursor_ = static_cast<std::byte*>(chunk) + kChunkHeader;
  left_ = kChunkBytes - kChunkHeader;
}

bool LineNodes::owns(const void* block) const {
  const auto* p = static_cast<const std::byte*>(block);
  for (void* chunk = chunks_; chunk;) {
    const auto* begin = static_cast<const std::byte*>(chunk);
    if (std::less_equal<>()(begin, p) && std::less<>()(p, begin + kChunkBytes)) return true;
    std::memcpy(&chunk, chunk, sizeof chunk);
  }
  return false;
}

// Nearly every node fits the room left in its line's chunk: that way calls nothing, so that
// making a node needs no saved registers.
void* ParseNode::operator new(std::size_t size) {
  if (void* block = takeInLine(size)) return block;
  return allocateApart(size);
}

void* ParseNode::takeInLine(std::size_t size) {
  LineNodes* nodes = current.lineNodes;
  const std::size_t rounded = (std::max<std::size_t>(size, 1) + kNodeAlign - 1) / kNodeAlign * kNodeAlign;
  if (!nodes || nodes->left_ < rounded || rounded > (kChunkBytes - kChunkHeader) / 4) return nullptr;
  void* block = nodes->cursor_;
  nodes->cursor_ += rounded;
  nodes->left_ -= rounded;
  return block;
}

// A node in a new chunk of its line, or of no line, or too large for a chunk: a block of its own.
[[gnu::noinline]] void* ParseNode::allocateApart(std::size_t size) {
  LineNodes* nodes = current.lineNodes;
  if (nodes)
    if (void* block = nodes->take(size)) return block;
  IAllocator* allocator = currentAllocator();
  void* block = allocator ? allocator->Allocate(size) : nullptr;
  if (!block) throw CQNMemoryException(60, "..\\..\\Include\\System\\sysAllocator");
  if (nodes) {
    try {
      nodes->blocks_.push_back(block);
    } catch (...) {
      allocator->Free(block);
      throw;
    }
  }
  return block;
}

void ParseNode::operator delete(void* block) {
  if (!block) return;
  for (const LineNodes* n = current.lineNodes; n; n = n->previous_)
    if (n->owns(block)) return;
  // A block freed here must not be freed again with its line.
  if (LineNodes* nodes = current.lineNodes) {
    for (auto it = nodes->blocks_.rbegin(); it != nodes->blocks_.rend(); ++it)
      if (*it == block) {
        nodes->blocks_.erase(std::next(it).base());
        break;
      }
  }
  if (IAllocator* allocator = currentAllocator()) allocator->Free(block);
}

LineNodes::LineNodes() : previous_(std::exchange(current.lineNodes, this)) {}

LineNodes::~LineNodes() {
  release();
  for (void* list : {chunks_, spare_})
    while (void* chunk = list) {
      list = linkOf(chunk);
      allocatorOf(chunk)->Free(chunk);
    }
  current.lineNodes = previous_;
}

// The chunks stay for the next line, which takes its nodes from them before any new one.
void LineNodes::release() noexcept {
  IAllocator* allocator = currentAllocator();
  if (allocator)
    for (void* block : blocks_) allocator->Free(block);
  blocks_.clear();
  while (void* chunk = chunks_) {
    chunks_ = linkOf(chunk);
    setLink(chunk, spare_);
    spare_ = chunk;
  }
  cursor_ = nullptr;
  left_ = 0;
  if (spare_) newChunk();  // takes a spare: no allocation, nothing thrown
}

namespace {

// A scanner without a view is asked: apart, so that the usual way calls nothing.
[[gnu::noinline, gnu::cold]] void askPlace(Scanner& scanner, std::int32_t& line, std::int32_t& offset) {
  line = scanner.line();
  offset = scanner.offset();
}

}  // namespace

ParseNode::ParseNode() {
  // Nodes are made only while a parse runs; the scanner gives their position.
  if (Scanner* scanner = currentScanner()) {
    if (!scanner->answersPlace()) {
      askPlace(*scanner, line, offset);
    } else {
      line = scanner->lineHere();
      offset = scanner->offsetHere();
    }
  }
}

namespace {
[[gnu::noinline, gnu::flatten]] Node* makeLeafApart(int kind, std::uint8_t code, std::uint8_t refClass) {
  return new Node(kind, code, refClass);
}
}  // namespace

// The usual node, in its line's chunk and placed from the scanner's view, calls nothing but
// at its end, so it keeps no register across a call.
Node* makeLeaf(int kind, std::uint8_t code, std::uint8_t refClass) {
  const Scanner* scanner = current.scanner;
  if (scanner && scanner->answersPlace())
    if (void* block = ParseNode::takeInLine(sizeof(Node)))
      return ::new (block) Node(kind, code, refClass, scanner->lineHere(), scanner->offsetHere());
  return makeLeafApart(kind, code, refClass);
}

ParseNode* ParseNode::child(int) const { throw CQNRangeException(74, "Include\\Parser\\parseNode"); }

int ParseNode::accept(NodeVisitor& visitor) {
  if (int answer = visitor.visit(*this)) return answer;
  int count = childCount();
  for (int i = 0; i < count; count = childCount(), ++i)
    if (ParseNode* c = child(i)) c->accept(visitor);
  return count;
}

}  // namespace kesto::zentrel
