// The exported handle classes, in process, against the stream test server.
#include "ResultRows.h"
#include "StreamTestSupport.h"

#include <kestoobject/KestoObject.h>
#include <kestoobject/ObjInstance.h>
#include <kestoobject/ServerStream.h>

#include <automation/Bstr.h>
#include <automation/OleString.h>

namespace kesto::object {
namespace {

using automation::Bstr;
using automation::DispatchException;
using automation::Variant;
using ExportedTest = testing::StreamServerTest;

void* nativeOf(IUnknown* object) { return nativeObject(object); }

// The dispatch exception a call raised.
DispatchException failure(const std::function<void()>& call) {
  try {
    call();
  } catch (const DispatchException& e) {
    return e;
  }
  ADD_FAILURE() << "the call did not fail";
  return DispatchException(0, "");
}

TEST_F(ExportedTest, ClassQueryAcrossBatchesWithThreeParameters) {
  server::objproto::ServerOptions options;
  options.fetchBatchRows = 3;
  start(options);
  {
    d_Database db(nativeOf(factory_.get()));
    d_ResultSet rs(&db, "FRX.StreamArt", "NachBereich");
    ASSERT_EQ(rs.valid, 1);
    EXPECT_EQ(rs.GetParamCount(), 3);
    EXPECT_EQ(rs.GetColumnCount(), 3);
    EXPECT_EQ(rs.ContainsID(), 1);
    EXPECT_EQ(Bstr::attach(rs.GetColumnHeader(2)).toUtf8(), "Nummer");
    EXPECT_EQ(Bstr::attach(rs.GetParamName(3)).toUtf8(), "Bis");
    EXPECT_EQ(rs.SetParam(0, "1"), 1);
    EXPECT_EQ(rs.SetParam(1, u"02"), 1);
    EXPECT_EQ(rs.SetParam(2, "11"), 1);
    ASSERT_EQ(rs.Execute(), 1);
    const auto numbers = columnValues(rs, 2);
    EXPECT_EQ(numbers.size(), 10u);
    EXPECT_EQ(numbers.front(), "02");
    EXPECT_EQ(numbers.back(), "11");
    EXPECT_EQ(rs.Close(), 1);

    // Run again through a copy: the cursor is shared, the slots copied.
    d_ResultSet copy(rs);
    copy.SetParam(2, "03");
    ASSERT_EQ(copy.Execute(), 1);
    EXPECT_EQ(columnValues(copy, 3), (std::vector<std::string>{"Teil 02", "Teil 03"}));
    d_ResultSet assigned(&db, "%DynamicQuery");
    assigned = copy;
    assigned = assigned;
    EXPECT_EQ(assigned.valid, 1);
  }
}

TEST_F(ExportedTest, DynamicQueryAcrossBatchesWithParameters) {
  server::objproto::ServerOptions options;
  options.fetchBatchRows = 2;
  start(options);
  d_Database db(nativeOf(factory_.get()));
  d_ResultSet rs(&db, "SELECT Nr, Bez FROM FRX.StreamArt WHERE Firma = ? AND Nr > ? ORDER BY Nr");
  ASSERT_EQ(rs.valid, 1);
  rs.SetParam(0, 1L);
  rs.SetParam(1, "06");
  ASSERT_EQ(rs.Execute(), 1);
  EXPECT_EQ(columnValues(rs, 1), (std::vector<std::string>{"07", "08", "09", "10", "11", "12"}));
}

TEST_F(ExportedTest, MissingParameterIsNamedFromOne) {
  start();
  d_Database db(nativeOf(factory_.get()));
  d_ResultSet rs(&db, "FRX.StreamArt", "NachBereich");
  rs.SetParam(0, "1");
  rs.SetParam(2, "09");
  const auto e = failure([&] { rs.Execute(); });
  EXPECT_EQ(e.code, kErrorClient);
  EXPECT_EQ(e.description, "Parameter 2 missing");
}

TEST_F(ExportedTest, SetParamRefusesOtherTypesAndSlots) {
  start();
  d_Database db(nativeOf(factory_.get()));
  d_ResultSet rs(&db, "FRX.StreamArt", "NachBereich");
  VARIANT object;
  VariantInit(&object);
  object.vt = VT_DISPATCH;
  object.pdispVal = nullptr;
  EXPECT_EQ(rs.SetParam(0, object), 0);
  EXPECT_EQ(rs.SetParam(16, "x"), 0);
  EXPECT_EQ(rs.SetParam(-1, 2.5), 0);
  const Variant flag(true);
  EXPECT_EQ(rs.SetParam(1, flag.raw()), 1);
  EXPECT_EQ(failure([&] { rs.Execute(); }).description, "Parameter 1 missing");
}

TEST_F(ExportedTest, FailedQueryLeavesAnInvalidHandle) {
  start();
  d_Database db(nativeOf(factory_.get()));
  d_ResultSet rs(&db, "FRX.StreamArt", "GibtEsNicht");
  EXPECT_EQ(rs.valid, 0);
  EXPECT_FALSE(db.GetLastError().empty());
  EXPECT_THROW(rs.Next(), DispatchException);
  d_ResultSet copy(rs);  // nothing shared, nothing freed twice
  EXPECT_EQ(copy.valid, 0);
}

TEST_F(ExportedTest, OpenWithCancelledDialogSendsNothing) {
  start();
  d_Database db;
  server_->relay().clear();
  EXPECT_EQ(db.Open(nullptr), 0);
  EXPECT_TRUE(server_->relay().requests().empty());
  const std::string address = server_->connectText();
  EXPECT_EQ(db.Open(address.c_str()), 1);
  EXPECT_EQ(db.Close(), 1);
}

TEST_F(ExportedTest, ObjectMembers) {
  start();
  d_Database db(nativeOf(factory_.get()));
  d_Object empty;
  EXPECT_EQ(empty.GetIdOfName("Bez"), -1);

  d_Object row(&db, "FRX.StreamArt", "1||04", 0);
  const long bez = row.GetIdOfName("bez");
  ASSERT_GT(bez, 0);
  std::string text;
  row.GetProperty(bez, VT_BSTR, &text);
  EXPECT_EQ(text, "Teil 04");
  std::int32_t number = 7;
  EXPECT_EQ(failure([&] { row.GetProperty(bez, VT_I4, &number); }).description, "Type mismatch");
  EXPECT_EQ(number, 7);

  Bstr name = Bstr::attach(row.Sys_ClassName());
  EXPECT_EQ(name.toUtf8(), "FRX.StreamArt");
  BSTR oid = row.Sys_OID();
  ASSERT_NE(oid, nullptr);
  EXPECT_EQ(Bstr::attach(db.GetClassNameA(&oid)).toUtf8(), "FRX.StreamArt");
  EXPECT_EQ(Bstr::attach(db.GetID(&oid)).toUtf8(), "1||04");
  SysFreeString(oid);

  // A method call without a result stores nothing.
  const long className = row.GetIdOfName("SYS_ClassName");
  ASSERT_GT(className, 0);
  std::string untouched = "unverändert";
  const BYTE none[] = {0};
  row.InvokeMethod(className, VT_EMPTY, &untouched, none);
  EXPECT_EQ(untouched, "unverändert");
  row.InvokeMethod(className, VT_BSTR, &untouched, none);
  EXPECT_EQ(untouched, "FRX.StreamArt");

  const BYTE unknown[] = {0x3F, 0};
  EXPECT_EQ(failure([&] { row.InvokeMethod(className, VT_EMPTY, nullptr, unknown, 1); }).description,
            "Type mismatch");

  row.SetProperty(bez, VT_BSTR, const_cast<char*>("Neu"));
  row.GetProperty(bez, VT_BSTR, &text);
  EXPECT_EQ(text, "Neu");
  EXPECT_EQ(row.Sys_Close(), 1);

  const Variant param(u"Band");
  const Variant unset = Variant::missing();
  const std::string message = Bstr::attach(row.GetErrorText(5015, param.raw(), unset.raw(), unset.raw(), unset.raw(),
                                                            unset.raw(), unset.raw(), unset.raw(), unset.raw(),
                                                            unset.raw(), unset.raw()))
                                  .toUtf8();
  EXPECT_TRUE(message.ends_with(": Band")) << message;

  d_Object copy(row);
  copy = copy;
  copy = empty;
  EXPECT_EQ(copy.GetIdOfName("Bez"), -1);
}

TEST_F(ExportedTest, StreamPropertyThroughTheHandles) {
  start();
  d_Database db(nativeOf(factory_.get()));
  d_Object row(&db, "FRX.StreamArt", "1||02", 0);
  void* native = nullptr;
  row.GetProperty(row.GetIdOfName("Notiz"), VT_DISPATCH, &native);
  ASSERT_NE(native, nullptr);
  d_Stream note(native);
  d_Stream copy(note);
  copy = note;
  copy = copy;

  const Variant text(u"Zeile");
  note.SetBuffer(text.raw());
  VARIANT back = copy.GetBuffer();
  EXPECT_EQ(Variant::attach(back).toString(), u"Zeile");
  EXPECT_EQ(copy.RewindS(), 1);
  EXPECT_EQ(Bstr::attach(copy.ReadS(3)).toUtf8(), "Zei");
  BYTE more[] = {'!', '?'};
  EXPECT_EQ(note.WriteS(more, 2), 1);
  copy.SetAttribute("Art", "Text");
  EXPECT_EQ(note.IsDefinedAttribute("Art"), 1);
  EXPECT_EQ(Bstr::attach(note.GetAttribute("Art", "")).toUtf8(), "Text");
  EXPECT_EQ(Bstr::attach(note.NextAttribute("")).toUtf8(), "Art");
  EXPECT_EQ(note.DeleteAttribute("Art"), 1);

  const auto file = root_ / "note.txt";
  EXPECT_EQ(note.WriteIntoFile(file.c_str()), 1);
  note.Clear();
  EXPECT_EQ(note.ReadFromFile(file.c_str()), 1);
  back = note.GetBuffer();
  EXPECT_EQ(Variant::attach(back).toString(), u"Zeile!?");
}

TEST_F(ExportedTest, OutputGoesToTheCallback) {
  server::objproto::ServerOptions options;
  options.diagnostics = true;
  start(options);
  struct Collector : d_Database {
    using d_Database::d_Database;
    void OutputCallback(const OLECHAR* text) override { lines.emplace_back(text); }
    std::vector<std::u16string> lines;
  };
  Collector db(nativeOf(factory_.get()));
  db.SetOutputC(&db);
  d_Object diag(&db, "FRX.Diag", 1);
  const long say = diag.GetIdOfName("Ausgabe");
  ASSERT_GT(say, 0);
  const BYTE types[] = {14, VT_I4, 0};
  diag.InvokeMethod(say, VT_EMPTY, nullptr, types, "Hallo", 2);
  EXPECT_EQ(db.lines, (std::vector<std::u16string>{u"Hallo", u"Hallo"}));
  db.lines.clear();
  diag.InvokeMethod(say, VT_EMPTY, nullptr, types, "Zeile \xE4\xF6\xFC", 1);  // ANSI text
  EXPECT_EQ(db.lines, std::vector<std::u16string>{u"Zeile äöü"});
  db.SetOutputC(nullptr);
}

}  // namespace
}  // namespace kesto::object
