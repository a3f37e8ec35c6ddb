#include <kestocom/KestoCOM.h>
#include <kestocom/LanguageService.h>

#include <automation/Bstr.h>
#include <registry/Registry.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

namespace {

ISourceScanner* textSource(const std::u16string& text) {
  ISourceScanner* source = nullptr;
  COM_CreateTextSource(u"t", text.data(), text.size(), &source);
  return source;
}

// Walks to the first token of `kind` on the current line.
void advanceTo(ISourceScanner* source, std::uint32_t kind) {
  std::uint32_t k = 0;
  for (source->TokenKind(&k); k != kind && k != 2; source->Advance(&k)) {}
}

// Raw kinds read inside a section until its end, "|" for a crossed line end.
std::string sectionKinds(ISourceScanner* source) {
  std::string out;
  for (;;) {
    std::uint32_t k = 0;
    std::int32_t before = 0, after = 0;
    source->TokenKind(&k);
    if (k == 2) {
      source->Line(&before);
      source->Advance(&k);
      source->Line(&after);
      if (before == after) return out;
      out += "|";
      continue;
    }
    out += std::to_string(k) + " ";
    source->Advance(&k);
  }
}

TEST(EmbeddedSection, EndsAtTheMatchingCloseAcrossLines) {
  ISourceScanner* source = textSource(u" &sql(a (b);c\n d) S x=1");
  advanceTo(source, 14);  // "("
  std::uint32_t k = 0;
  source->Advance(&k);
  ASSERT_EQ(source->BeginEmbedded(u"SQL", 14, 20), S_OK);
  EXPECT_EQ(source->BeginEmbedded(u"SQL", 14, 20), E_UNEXPECTED);
  // Generic rules: ";" is no comment, blanks are white space (3).
  EXPECT_EQ(sectionKinds(source), "8 3 14 8 20 23 8 |3 8 ");
  std::uint32_t state = 0;
  std::int32_t line = 0;
  source->Line(&line);
  EXPECT_EQ(line, 2);
  ASSERT_EQ(source->EndEmbedded(u"SQL"), S_OK);
  // The close and what follows are read by the line grammar again.
  source->TokenKind(&k);
  EXPECT_EQ(k, 20u);
  source->Advance(&k);
  EXPECT_EQ(k, 5u);
  source->SeekLine(2);
  source->PositionState(&state);
  EXPECT_EQ(state, 3u);
  EXPECT_EQ(source->EndEmbedded(u"SQL"), E_UNEXPECTED);
  source->Release();
}

TEST(EmbeddedSection, ColourRestStopsAtTheClose) {
  ISourceScanner* source = textSource(u" &html<<p>x</p>> W 1");
  advanceTo(source, 30);
  std::uint32_t k = 0;
  source->Advance(&k);
  ASSERT_EQ(source->BeginEmbedded(u"HTML", 30, 31), S_OK);
  std::int32_t result = 0;
  ASSERT_EQ(source->ColourRest(29 | (5u << 10), &result), S_OK);
  std::int32_t offset = 0;
  source->Offset(&offset);
  EXPECT_EQ(offset, 15);
  source->EndEmbedded(u"HTML");
  ITextSourceInfo* info = nullptr;
  source->QueryInterface(ITextSourceInfo::iid, reinterpret_cast<void**>(&info));
  const std::uint16_t* words = nullptr;
  std::int32_t n = 0;
  info->LineAttributes(1, &words, &n);
  EXPECT_EQ(words[7], 29 | (5u << 10));
  EXPECT_EQ(words[15] & 0x1FF, 1);
  info->Release();
  source->Release();
}

class RegistryObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() / ("kestocom-reg-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root_);
    ::setenv("KESTO_ROOT", root_.c_str(), 1);
  }
  void TearDown() override { std::filesystem::remove_all(root_); }
  std::filesystem::path root_;
};

TEST_F(RegistryObjects, EditorWorksBelowTheCurrentKey) {
  namespace reg = kesto::registry;
  IRegistryEditor* editor = nullptr;
  ASSERT_EQ(COM_CreateInstance(CLSID_RegistryEditor, nullptr, IRegistryEditor::iid, reinterpret_cast<void**>(&editor)), S_OK);
  EXPECT_EQ(editor->OpenRoot(2, u""), E_INVALIDARG);
  ASSERT_EQ(editor->OpenRoot(1, u""), S_OK);
  EXPECT_EQ(editor->SetValue(u"", u"x"), E_UNEXPECTED) << "no value at the root itself";
  EXPECT_EQ(editor->OpenKey(u"Missing"), REGDB_E_READREGDB);
  ASSERT_EQ(editor->CreateKey(u"A", 1), S_OK);
  ASSERT_EQ(editor->CreateKey(u"B", 1), S_OK);
  ASSERT_EQ(editor->SetValue(u"", u"default"), S_OK);
  ASSERT_EQ(editor->SetValue(u"v", u"1"), S_OK);
  EXPECT_EQ(reg::getString(reg::Hive::ClassesRoot, "A\\B", ""), "default");
  BSTR data = nullptr;
  EXPECT_EQ(editor->QueryValue(u"v", &data), S_OK);
  EXPECT_EQ(kesto::automation::Bstr::attach(data).toUtf8(), "1");
  EXPECT_EQ(editor->DeleteValue(u"v"), S_OK);
  EXPECT_EQ(editor->QueryValue(u"v", &data), S_FALSE);
  EXPECT_EQ(editor->CloseKey(), S_OK);
  EXPECT_EQ(editor->CloseKey(), S_OK);
  EXPECT_EQ(editor->CloseKey(), E_UNEXPECTED);
  EXPECT_EQ(editor->DeleteKeyTree(u"A"), S_OK);
  EXPECT_FALSE(reg::keyExists(reg::Hive::ClassesRoot, "A"));
  editor->Release();

  ICategoryRegistrar* categories = nullptr;
  ASSERT_EQ(COM_CreateInstance(CLSID_CategoryRegistrar, nullptr, ICategoryRegistrar::iid, reinterpret_cast<void**>(&categories)), S_OK);
  const GUID cat{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}}, cls{9, 8, 7, {6, 5, 4, 3, 2, 1, 0, 0}};
  const std::string key = "CLSID\\" + kesto::automation::formatGuid(cls) + "\\Implemented Categories";
  ASSERT_EQ(categories->RegisterCategory(cat, cls), S_OK);
  EXPECT_TRUE(reg::keyExists(reg::Hive::ClassesRoot, key + "\\" + kesto::automation::formatGuid(cat)));
  ASSERT_EQ(categories->UnregisterCategory(cat, cls), S_OK);
  EXPECT_FALSE(reg::keyExists(reg::Hive::ClassesRoot, key));
  categories->Release();
}

}  // namespace
