// Binary and character streams of server objects, and local streams.
#include "StreamTestSupport.h"

#include <kestoobject/BinaryStream.h>
#include <kestoobject/CharStream.h>
#include <kestoobject/ServerStream.h>

#include <automation/Bstr.h>
#include <automation/Picture.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace kesto::object {
namespace {

using automation::Bstr;
using automation::ComPtr;
using automation::Dispatch;
using automation::DispatchException;
using automation::Variant;
using testing::StreamCall;
using StreamTest = testing::StreamServerTest;

std::vector<std::string> methods(const std::vector<StreamCall>& calls) {
  std::vector<std::string> out;
  for (const auto& c : calls) out.push_back(c.method);
  return out;
}

std::string pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i * 7 % 251);
  return s;
}

// 3 x 2 pixels: the smallest header that loads.
std::string bmp() {
  std::string b(54, '\0');
  b[0] = 'B', b[1] = 'M', b[14] = 40, b[18] = 3, b[22] = 2;
  return b;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(StreamTest, PropertyGivesAStreamOfItsKind) {
  start();
  const Dispatch picture = stream("Bild");
  const Dispatch note(row_.get("Notiz").dispatch());
  ASSERT_TRUE(picture && note);
  EXPECT_NE(ServerStream::native(picture.object()), nullptr);
  EXPECT_TRUE(ServerStream::native(picture.object())->IsBinary());
  EXPECT_FALSE(ServerStream::native(note.object())->IsBinary());
  EXPECT_GT(picture.get("oref").toInt32(), 0);
  EXPECT_THROW(picture.put("oref", 5), std::exception);  // read-only
}

TEST_F(StreamTest, LongContentIsWrittenInPiecesAfterOneRewind) {
  start();
  const Dispatch picture = stream("Bild");
  server_->relay().clear();
  picture.put("Data", Variant::bytes(pattern(35000)));
  const auto written = calls();
  ASSERT_EQ(methods(written), (std::vector<std::string>{"Rewind", "Write", "Write", "Write"}));
  EXPECT_EQ(written[1].arguments.at(0).size(), 15000u);
  EXPECT_EQ(written[2].arguments.at(0).size(), 15000u);
  EXPECT_EQ(written[3].arguments.at(0), pattern(35000).substr(30000));
  EXPECT_EQ(written[0].marker, "0");

  server_->relay().clear();
  EXPECT_EQ(picture.get("Data").toBytes(), pattern(35000));
  EXPECT_EQ(methods(calls()), (std::vector<std::string>{"Rewind", "Read", "Read", "Read", "Read"}));
}

TEST_F(StreamTest, ExactlyOnePieceTakesTwoReads) {
  start();
  const Dispatch picture = stream("Bild");
  picture.put("Data", Variant::bytes(pattern(15000)));
  server_->relay().clear();
  EXPECT_EQ(picture.get("Data").toBytes(), pattern(15000));
  const auto read = calls();
  ASSERT_EQ(methods(read), (std::vector<std::string>{"Rewind", "Read", "Read"}));
  EXPECT_EQ(read[1].arguments, std::vector<std::string>{"15000"});
  EXPECT_EQ(read[1].marker, "1");
}

TEST_F(StreamTest, PictureRoundTrip) {
  start();
  const Dispatch picture = stream("Bild");
  EXPECT_EQ(picture.call("GetPicture").dispatch(), nullptr);  // empty stream

  const std::string bytes = bmp();
  ComPtr<IStream> memory;
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, memory.put()), S_OK);
  ULONG written = 0;
  memory->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  memory->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
  ComPtr<IPictureDisp> loaded;
  ASSERT_EQ(OleLoadPicture(memory.get(), 0, FALSE, IID_IPictureDisp, loaded.putVoid()), S_OK);
  picture.call("SetPicture", Variant(static_cast<IDispatch*>(loaded.get())));

  // A fresh stream object of the same property sees what the server holds.
  const Dispatch again(open(u"1||01").get("Bild").dispatch());
  EXPECT_EQ(again.get("Data").toBytes(), bytes);
  const Dispatch back(again.call("GetPicture").dispatch());
  ASSERT_TRUE(back);
  EXPECT_EQ(back.get("Type").toInt32(), PICTYPE_BITMAP);
}

TEST_F(StreamTest, GarbageIsNoPicture) {
  start();
  const Dispatch picture = stream("Bild");
  picture.put("Data", Variant::bytes("not a picture"));
  EXPECT_THROW(picture.call("GetPicture"), DispatchException);
}

TEST_F(StreamTest, CharacterDataRoundTripsThroughTheAnsiBuffer) {
  start();
  const Dispatch note = stream("Notiz");
  note.put("Data", u"Grüße vom Gärtner €");
  EXPECT_EQ(note.get("Data").toString(), u"Grüße vom Gärtner €");
  // The buffer holds Windows-1252 bytes, as the server stores them.
  EXPECT_EQ(ServerStream::native(note.object())->Buffer().at(2), 0xFC);
  EXPECT_EQ(ServerStream::native(note.object())->Buffer().back(), 0x80);
}

TEST_F(StreamTest, WriteReadAndDataGiveTheSameText) {
  start();
  const Dispatch note = stream("Notiz");
  note.call("Rewind");
  EXPECT_TRUE(note.call("Write", u"ä").toBool());
  EXPECT_EQ(calls().back().arguments, std::vector<std::string>{"\xE4"});
  note.call("Rewind");
  EXPECT_EQ(note.call("Read", short(10)).toString(), u"ä");
  EXPECT_EQ(note.get("Data").toString(), u"ä");
}

TEST_F(StreamTest, ReadOfNothingSendsNothing) {
  start();
  const Dispatch picture = stream("Bild");
  server_->relay().clear();
  EXPECT_EQ(picture.call("Read", short(0)).toBytes(), "");
  EXPECT_EQ(picture.call("Read", short(-3)).toBytes(), "");
  EXPECT_TRUE(calls().empty());
}

TEST_F(StreamTest, BinaryReadAndWriteKeepTheBytes) {
  start();
  const Dispatch picture = stream("Bild");
  picture.call("Rewind");
  EXPECT_TRUE(picture.call("Write", Variant::bytes(std::string("\0\xFF\x01", 3))).toBool());
  EXPECT_TRUE(picture.call("Write", Variant::bytes("")).toBool());
  picture.call("Rewind");
  EXPECT_EQ(picture.call("Read", short(2)).toBytes(), std::string("\0\xFF", 2));
  EXPECT_EQ(picture.call("Read", short(5)).toBytes(), "\x01");
}

TEST_F(StreamTest, WriteTooLongForOneMessageGoesInPieces) {
  start();
  const Dispatch picture = stream("Bild");
  picture.call("Rewind");
  server_->relay().clear();
  EXPECT_TRUE(picture.call("Write", Variant::bytes(pattern(70000))).toBool());
  EXPECT_EQ(methods(calls()), std::vector<std::string>(5, "Write"));
  EXPECT_EQ(picture.get("Data").toBytes(), pattern(70000));
}

TEST_F(StreamTest, Attributes) {
  start();
  const Dispatch note = stream("Notiz");
  EXPECT_EQ(note.call("GetAttribute", u"Typ", u"keiner").toString(), u"keiner");
  note.call("SetAttribute", u"Typ", u"Text");
  note.call("SetAttribute", u"Art", u"Notiz");
  EXPECT_TRUE(note.call("IsDefinedAttribute", u"Typ").toBool());
  EXPECT_EQ(note.call("GetAttribute", u"Typ", u"").toString(), u"Text");
  EXPECT_EQ(note.call("NextAttribute", u"").toString(), u"Art");
  EXPECT_EQ(note.call("NextAttribute", u"Art").toString(), u"Typ");
  EXPECT_TRUE(note.call("DeleteAttribute", u"Typ").toBool());
  EXPECT_FALSE(note.call("DeleteAttribute", u"Typ").toBool());
  EXPECT_FALSE(note.call("IsDefinedAttribute", u"Typ").toBool());
}

TEST_F(StreamTest, ClearEmptiesTheServerStream) {
  start();
  const Dispatch note = stream("Notiz");
  note.put("Data", u"etwas");
  note.call("Clear");
  EXPECT_EQ(note.get("Data").toString(), u"");
}

TEST_F(StreamTest, FileReadAndWrite) {
  start();
  const Dispatch picture = stream("Bild");
  const auto in = root_ / "in.bin";
  const auto out = root_ / "out.bin";
  std::ofstream(in, std::ios::binary) << pattern(20000);
  EXPECT_TRUE(picture.call("FileRead", in.string()).toBool());
  EXPECT_TRUE(picture.call("FileWrite", out.string()).toBool());
  EXPECT_EQ(readFile(out), pattern(20000));
}

TEST_F(StreamTest, EmptyFileChangesNothing) {
  start();
  const Dispatch picture = stream("Bild");
  picture.put("Data", Variant::bytes("alt"));
  const auto empty = root_ / "empty.bin";
  std::ofstream(empty, std::ios::binary).flush();
  server_->relay().clear();
  EXPECT_FALSE(picture.call("FileRead", empty.string()).toBool());
  EXPECT_TRUE(calls().empty());
  EXPECT_EQ(picture.get("Data").toBytes(), "alt");
}

TEST_F(StreamTest, FileWriteOfNothingLeavesAnExistingFile) {
  start();
  const Dispatch picture = stream("Bild");
  const auto kept = root_ / "kept.bin";
  std::ofstream(kept, std::ios::binary) << "wertvoll";
  EXPECT_FALSE(picture.call("FileWrite", kept.string()).toBool());
  EXPECT_EQ(readFile(kept), "wertvoll");
}

TEST_F(StreamTest, MissingFileRaisesTheSystemText) {
  start();
  const Dispatch picture = stream("Bild");
  try {
    picture.call("FileRead", (root_ / "fehlt" / "x.bin").string());
    ADD_FAILURE() << "no exception";
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, 0);
    EXPECT_EQ(e.description, std::strerror(ENOENT));
  }
}

TEST_F(StreamTest, FailedRequestRaisesTheLastError) {
  server::objproto::ServerOptions options;
  options.failAtRequest = 8;  // a request after the stream was handed out
  start(options);
  const Dispatch note = stream("Notiz");
  server_->relay().clear();
  try {
    for (int i = 0; i < 10; ++i) note.call("Rewind");
    ADD_FAILURE() << "no exception";
  } catch (const DispatchException& e) {
    EXPECT_EQ(e.code, kErrorServer);
    EXPECT_EQ(e.description, moduleState().LastErrorText);
  }
}

TEST(LocalStream, ServerOperationsDoNothing) {
  for (const bool binary : {true, false}) {
    SCOPED_TRACE(binary);
    const Dispatch local(ComPtr<IDispatch>::attach(CreateStreamObject(binary, nullptr, 0)));
    local.put("Data", binary ? Variant::bytes("abc") : Variant(u"abc"));
    EXPECT_EQ(local.get("Data").toString(), binary ? Variant::bytes("abc").toString() : u"abc");
    EXPECT_EQ(local.get("oref").toInt32(), 0);
    EXPECT_EQ(local.call("Read", short(5)).toString(), u"");
    EXPECT_FALSE(local.call("Write", u"x").toBool());
    EXPECT_FALSE(local.call("Rewind").toBool());
    EXPECT_EQ(local.call("GetAttribute", u"a", u"b").toString(), u"");
    EXPECT_EQ(local.call("NextAttribute", u"a").toString(), u"");
    EXPECT_FALSE(local.call("IsDefinedAttribute", u"a").toBool());
    EXPECT_FALSE(local.call("DeleteAttribute", u"a").toBool());
    local.call("SetAttribute", u"a", u"b");
    local.call("Clear");
    local.put("Data", 42);  // not a string: ignored
    EXPECT_EQ(local.get("Data").toString(), binary ? Variant::bytes("abc").toString() : u"abc");
  }
}

}  // namespace
}  // namespace kesto::object
