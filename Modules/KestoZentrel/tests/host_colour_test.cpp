// What a host meets through the loaded library: its exports, lines coloured through both
// classes and through the flat entry, and the answers when the source object fails.
#include "HostHarness.h"

#include "FlatColour.h"

#include <kestocom/LanguageService.h>

#include <filesystem>
#include <fstream>

namespace kesto::zentrel {
namespace {

using testing::Host;
using testing::Ref;

TEST_F(Host, ExportsItsSixEntries) {
  for (const char* name : {"NewSyntaxColor", "NewSyntaxColorFree", "GetClassObject", "CanUnloadNow",
                           "DllRegisterServer", "DllUnregisterServer"})
    EXPECT_NE(dlsym(library_, name), nullptr) << name;
}

// The masks a routine gets from one class (ColourLines) and from the flat entry.
class HostColour : public Host {
 protected:
  std::vector<std::string> throughClass(const std::u16string& text, bool mac) {
    Ref<ILineColourizer> colourizer;
    create(mac ? CLSID_KestoZentrel_MAC : CLSID_KestoZentrel, colourizer);
    if (!colourizer.p) return {};
    Ref<IAllocator> allocator{testing::newAllocator()};
    auto source = this->source(text);
    std::int32_t count = 0, start = 0, done = 0;
    source->LineCount(&count);
    EXPECT_EQ(colourizer->ColourLines(allocator.p, allocator.p, source.p, 0, 1, count, &start, &done), S_OK);
    return masks(source.p);
  }

  std::vector<std::string> throughFlatEntry(const std::u16string& text, bool mac) {
    auto colourFn = entry<decltype(&NewSyntaxColor)>("NewSyntaxColor");
    auto freeFn = entry<decltype(&NewSyntaxColorFree)>("NewSyntaxColorFree");
    if (!colourFn || !freeFn) return {};
    std::vector<std::u16string> lines(1);
    for (char16_t c : text) {
      if (c == u'\n') lines.emplace_back();
      else lines.back().push_back(c);
    }
    std::vector<std::uint16_t> lengths;
    std::vector<const char16_t*> texts;
    for (const auto& l : lines) {
      lengths.push_back(static_cast<std::uint16_t>(l.size()));
      texts.push_back(l.data());
    }
    const auto n = static_cast<std::int32_t>(lines.size());
    std::int32_t count = 0;
    std::uint8_t** states = nullptr;
    std::uint8_t** attributes = nullptr;
    EXPECT_EQ(colourFn(mac, n, n, lengths.data(), texts.data(), nullptr, &count, &states, &attributes), 1);
    std::vector<std::string> result;
    for (std::int32_t i = 0; i < count; ++i) {
      std::string mask;
      for (std::size_t c = 0; c < lines[i].size(); ++c) mask += testing::maskChar(attributes[i][c]);
      result.push_back(mask);
    }
    freeFn(count, states, attributes);
    return result;
  }
};

// Valid lines that were coloured as errors ('!'): AND in macro routines, a label followed
// by dots, a method called on an element with actual parameters. Alphabet: see Harness.h
// ('o' object dot operator, 'Y' object method).
TEST_F(HostColour, ValidLinesColourWithoutErrors) {
  const struct {
    const char16_t* text;
    std::vector<std::string> masks;
  } cases[] = {
      {u" S X=A&B", {".C.v+v+v"}},
      {u" S X=A&B,Y=A&(B&C)", {".C.v+v+v,v+v+,v+v,"}},
      {u" I A&B W 1", {".C.v+v.C.9"}},
      {u"TAG . S X=1", {"LLL.d.C.v+9"}},
      {u"Q2 ..Q", {"LL.ddC"}},
      {u"TAG ; c\nT2 . . S X=1\n Q", {"LLL.;;;", "LL.d.d.C.v+9", ".C"}},
      {u" D X(1).M()", {".C.v,9,oY,,"}},
      {u" D X(1).M(2):A", {".C.v,9,oY,9,,v"}},
  };
  for (const auto& c : cases) {
    const std::string name(c.text, c.text + std::char_traits<char16_t>::length(c.text));
    for (bool mac : {false, true}) {
      EXPECT_EQ(throughClass(c.text, mac), c.masks) << name << (mac ? " (MAC class)" : " (INT class)");
      EXPECT_EQ(throughFlatEntry(c.text, mac), c.masks) << name << (mac ? " (flat, MAC)" : " (flat, INT)");
    }
  }
}

// A host's text source over a real one: it may refuse to save checkpoints (every token
// read may need one); every other call reaches the real source; the error notifications
// it receives are counted.
class FailingSource final : public ISourceScanner {
 public:
  explicit FailingSource(ISourceScanner* inner, bool failSaves = true) : inner_(inner), failSaves_(failSaves) {}
  int notified = 0;

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (riid == ISourceScanner::iid || riid == IUnknown::iid) {
      *object = static_cast<ISourceScanner*>(this);
      AddRef();
      return S_OK;
    }
    // A host's own object offers no in-process view: every call reaches it, checkpoints too.
    if (riid == IScannerView::iid) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    return inner_->QueryInterface(riid, object);
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override { return --refs_; }  // lives on the test's stack
  HRESULT Init(ILineCollection* l, std::int32_t a, std::int32_t b) override { return inner_->Init(l, a, b); }
  HRESULT NotifyError(HRESULT hr) override {
    ++notified;
    return inner_->NotifyError(hr);
  }
  HRESULT SeekLine(std::int32_t l) override { return inner_->SeekLine(l); }
  HRESULT Start(std::int32_t a, std::int32_t b) override { return inner_->Start(a, b); }
  HRESULT CurrentChar(std::uint16_t* c) override { return inner_->CurrentChar(c); }
  HRESULT BeginEmbedded(const char16_t* l, std::uint32_t o, std::uint32_t c) override { return inner_->BeginEmbedded(l, o, c); }
  HRESULT TokenKind(std::uint32_t* k) override { return inner_->TokenKind(k); }
  HRESULT Advance(std::uint32_t* k) override { return inner_->Advance(k); }
  HRESULT NextKind(std::uint32_t* k) override { return inner_->NextKind(k); }
  HRESULT EndEmbedded(const char16_t* l) override { return inner_->EndEmbedded(l); }
  HRESULT StateHere(const std::uint8_t** s) override { return inner_->StateHere(s); }
  HRESULT SourceName(const char16_t** n) override { return inner_->SourceName(n); }
  HRESULT LineState(const std::uint8_t** s, std::int32_t l) override { return inner_->LineState(s, l); }
  HRESULT StoreLineStates(std::int32_t f, std::int32_t c, const std::uint8_t* const* s) override {
    return inner_->StoreLineStates(f, c, s);
  }
  HRESULT ColourRest(std::uint32_t a, std::int32_t* r) override { return inner_->ColourRest(a, r); }
  HRESULT LineCount(std::int32_t* c) override { return inner_->LineCount(c); }
  HRESULT Reserved19() override { return inner_->Reserved19(); }
  HRESULT Reserved20() override { return inner_->Reserved20(); }
  HRESULT ColourToken(std::uint32_t a) override { return inner_->ColourToken(a); }
  HRESULT Recover() override { return inner_->Recover(); }
  HRESULT Line(std::int32_t* l) override { return inner_->Line(l); }
  HRESULT Offset(std::int32_t* o) override { return inner_->Offset(o); }
  HRESULT LineText(const char16_t** t) override { return inner_->LineText(t); }
  HRESULT TokenBegin() override { return inner_->TokenBegin(); }
  HRESULT TokenEnd() override { return inner_->TokenEnd(); }
  HRESULT TokenText(const char16_t** b, const char16_t** e) override { return inner_->TokenText(b, e); }
  HRESULT SaveCheckpoint(std::uint32_t* h) override { return failSaves_ ? kFailure : inner_->SaveCheckpoint(h); }
  HRESULT RestoreCheckpoint(std::uint32_t h) override { return inner_->RestoreCheckpoint(h); }
  HRESULT Reserved31() override { return inner_->Reserved31(); }
  HRESULT Reserved32() override { return inner_->Reserved32(); }
  HRESULT ReleaseCheckpoint(std::uint32_t h) override { return inner_->ReleaseCheckpoint(h); }
  HRESULT Reserved34() override { return inner_->Reserved34(); }
  HRESULT Reserved35() override { return inner_->Reserved35(); }
  HRESULT Reserved36() override { return inner_->Reserved36(); }
  HRESULT BeginRaw() override { return inner_->BeginRaw(); }
  HRESULT EndRaw() override { return inner_->EndRaw(); }
  HRESULT PositionState(std::uint32_t* s) override { return inner_->PositionState(s); }
  HRESULT AtLineEnd(std::int32_t* a) override { return inner_->AtLineEnd(a); }

  static constexpr HRESULT kFailure = static_cast<HRESULT>(0x80070005);  // access denied

 private:
  ISourceScanner* inner_;
  bool failSaves_;
  ULONG refs_ = 1;
};

// Through the in-process view look-ahead checkpoints are taken only when needed; a host's
// object without it gets every one. Both colour the test routines alike.
TEST_F(HostColour, SourceWithoutViewColoursAlike) {
  for (const char* folder : {ZENTREL_TESTS "/routines", ZENTREL_TESTS "/golden"})
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.path().extension() != ".m") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::u16string text;
      for (char c; in.get(c);)
        if (c != '\r') text += static_cast<char16_t>(static_cast<unsigned char>(c));
      for (bool mac : {false, true}) {
        const std::vector<std::string> viewed = throughClass(text, mac);
        Ref<ILineColourizer> colourizer;
        create(mac ? CLSID_KestoZentrel_MAC : CLSID_KestoZentrel, colourizer);
        Ref<IAllocator> allocator{testing::newAllocator()};
        auto inner = source(text);
        FailingSource host(inner.p, false);
        std::int32_t count = 0, start = 0, done = 0;
        host.LineCount(&count);
        EXPECT_EQ(colourizer->ColourLines(allocator.p, allocator.p, &host, 0, 1, count, &start, &done), S_OK);
        EXPECT_EQ(masks(inner.p), viewed) << entry.path().filename() << (mac ? " (MAC)" : " (INT)");
      }
    }
}

// A failing scanner call is "any other exception": E_FAIL, never the scanner's own code.
TEST_F(Host, ScannerFailuresAnswerEFail) {
  for (bool mac : {false, true}) {
    const CLSID& clsid = mac ? CLSID_KestoZentrel_MAC : CLSID_KestoZentrel;
    Ref<ILineColourizer> colourizer;
    create(clsid, colourizer);
    Ref<IRoutineLabels> labels;
    create(clsid, labels);
    Ref<IAllocator> allocator{testing::newAllocator()};

    auto text = source(u"START S X=1\n Q");
    FailingSource failing(text.p);
    std::int32_t start = 0, done = 0;
    EXPECT_EQ(colourizer->ColourLines(allocator.p, allocator.p, &failing, 0, 1, 2, &start, &done), E_FAIL);
    EXPECT_EQ(failing.notified, 1);

    Ref<IEnumRoutineLabels> list;
    EXPECT_EQ(labels->ListRoutineLabels(&failing, &list.p), E_FAIL);
    EXPECT_EQ(list.p, nullptr);
  }
}

}  // namespace
}  // namespace kesto::zentrel
