#include <automation/ComPtr.h>
#include <automation/Dispatch.h>
#include <automation/Picture.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace kesto::automation;

namespace {

ComPtr<IStream> streamOf(const std::string& bytes) {
  ComPtr<IStream> s;
  EXPECT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, s.put()), S_OK);
  ULONG written = 0;
  EXPECT_EQ(s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written), S_OK);
  EXPECT_EQ(written, bytes.size());
  s->Seek(LARGE_INTEGER{0}, STREAM_SEEK_SET, nullptr);
  return s;
}

std::string contents(IStream* s) {
  HGLOBAL block = nullptr;
  EXPECT_EQ(GetHGlobalFromStream(s, &block), S_OK);
  const auto* data = static_cast<const char*>(GlobalLock(block));
  std::string out(data ? data : "", GlobalSize(block));
  GlobalUnlock(block);
  return out;
}

// Smallest headers that give a size: 3 x 2 pixels each.
std::string bmp() {
  std::string b(54, '\0');
  b[0] = 'B', b[1] = 'M', b[14] = 40, b[18] = 3, b[22] = 2;
  return b;
}
std::string png() {
  std::string b = std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + std::string("\0\0\0\3\0\0\0\2", 8);
  return b;
}
std::string gif() { return std::string("GIF89a\3\0\2\0", 10); }
std::string ico() { return std::string("\0\0\1\0\1\0\3\2", 8) + std::string(14, '\0'); }
std::string jpeg() {
  return std::string("\xFF\xD8\xFF\xE0\0\x04..\xFF\xC0\0\x11\x08\0\x02\0\x03", 17) + std::string(8, '\0');
}

}  // namespace

TEST(MemoryStream, GrowsSeeksAndKeepsBytes) {
  auto s = streamOf(std::string("abc\0def", 7));
  char buffer[4] = {};
  ULONG read = 0;
  ASSERT_EQ(s->Seek(LARGE_INTEGER{-3}, STREAM_SEEK_END, nullptr), S_OK);
  EXPECT_EQ(s->Read(buffer, 4, &read), S_FALSE);  // fewer than asked: at the end
  EXPECT_EQ(std::string(buffer, read), "def");
  EXPECT_EQ(s->Seek(LARGE_INTEGER{-1}, STREAM_SEEK_SET, nullptr), STG_E_INVALIDFUNCTION);
  // Writing past the end fills the gap with zeros.
  s->Seek(LARGE_INTEGER{9}, STREAM_SEEK_SET, nullptr);
  s->Write("!", 1, nullptr);
  EXPECT_EQ(contents(s.get()), std::string("abc\0def\0\0!", 10));
  STATSTG stat;
  ASSERT_EQ(s->Stat(&stat, STATFLAG_NONAME), S_OK);
  EXPECT_EQ(stat.cbSize.QuadPart, 10u);

  ComPtr<IStream> clone;
  ASSERT_EQ(s->Clone(clone.put()), S_OK);
  s.reset();  // the block lives on with the clone
  EXPECT_EQ(contents(clone.get()).size(), 10u);
}

TEST(MemoryStream, OverACallersBlock) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 2);
  std::memcpy(GlobalLock(block), "xy", 2);
  GlobalUnlock(block);
  {
    ComPtr<IStream> s;
    ASSERT_EQ(CreateStreamOnHGlobal(block, FALSE, s.put()), S_OK);
    s->Seek(LARGE_INTEGER{0}, STREAM_SEEK_END, nullptr);
    s->Write("z", 1, nullptr);
  }
  EXPECT_EQ(GlobalSize(block), 3u);  // still ours: not freed with the stream
  EXPECT_EQ(std::memcmp(GlobalLock(block), "xyz", 3), 0);
  GlobalUnlock(block);
  GlobalFree(block);
}

TEST(Picture, LoadsByteFormatsAndKeepsTheirBytes) {
  struct Case { const char* name; std::string bytes; SHORT type; };
  const Case cases[] = {{"bmp", bmp(), PICTYPE_BITMAP}, {"png", png(), PICTYPE_BITMAP},
                        {"gif", gif(), PICTYPE_BITMAP}, {"ico", ico(), PICTYPE_ICON},
                        {"jpeg", jpeg(), PICTYPE_BITMAP}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto in = streamOf(c.bytes + "trailing");
    ComPtr<IPicture> picture;
    ASSERT_EQ(OleLoadPicture(in.get(), static_cast<LONG>(c.bytes.size()), FALSE, IID_IPicture,
                             picture.putVoid()),
              S_OK);
    SHORT type = 0;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Type(&type);
    picture->get_Width(&width);
    picture->get_Height(&height);
    EXPECT_EQ(type, c.type);
    EXPECT_EQ(width, 79);   // 3 px at 96 dpi in 0.01 mm
    EXPECT_EQ(height, 53);  // 2 px
    auto out = streamOf("");
    LONG size = 0;
    ASSERT_EQ(picture->SaveAsFile(out.get(), TRUE, &size), S_OK);
    EXPECT_EQ(size, static_cast<LONG>(c.bytes.size()));
    EXPECT_EQ(contents(out.get()), c.bytes);
  }
}

TEST(Picture, MetafilesAndOtherBytesDoNotLoad) {
  std::string emf(44, '\0');
  emf[0] = 1;
  std::memcpy(&emf[40], " EMF", 4);
  const std::string cases[] = {std::string("\xD7\xCD\xC6\x9A", 4) + std::string(18, '\0'), emf,
                               "plain text", "", "BM"};
  for (const std::string& bytes : cases) {
    auto in = streamOf(bytes);
    ComPtr<IPicture> picture;
    EXPECT_EQ(OleLoadPicture(in.get(), 0, FALSE, IID_IPicture, picture.putVoid()), CTL_E_INVALIDPICTURE);
    EXPECT_FALSE(picture);
  }
  EXPECT_EQ(detectPictureFormat(emf.data(), emf.size()), PictureFormat::Emf);
}

TEST(Picture, DispatchProperties) {
  auto in = streamOf(gif());
  ComPtr<IDispatch> picture;
  ASSERT_EQ(OleLoadPicture(in.get(), 0, FALSE, IID_IPictureDisp, picture.putVoid()), S_OK);
  Dispatch d(picture);
  EXPECT_EQ(d.get("Type").toInt32(), PICTYPE_BITMAP);
  EXPECT_EQ(d.get("width").toInt32(), 79);
  EXPECT_NE(d.get("Handle").toInt32(), 0);
}
