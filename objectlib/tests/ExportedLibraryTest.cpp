// A program that links libKestoObject.so and its public header only, doing what the
// data-bound list control does: wrap a Factory, list the queries of a class, run one.
#include "ResultRows.h"
#include "StreamServer.h"

#include <kestoobject/KestoObject.h>

#include <automation/Bstr.h>
#include <automation/Dispatch.h>
#include <automation/DispatchException.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

extern "C" HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object);

namespace {

using kesto::automation::Bstr;
using kesto::automation::ComPtr;
using kesto::automation::Dispatch;
using kesto::automation::DispatchException;
using kesto::automation::Variant;

TEST(ExportedLibrary, ListControlSequence) {
  kesto::server::objproto::ServerOptions options;
  options.fetchBatchRows = 4;
  kesto::object::testing::StreamServer server(options);

  ComPtr<IClassFactory> classFactory;
  ASSERT_EQ(DllGetClassObject(kesto::object::kClsidFactory, IID_IClassFactory, classFactory.putVoid()), S_OK);
  ComPtr<IDispatch> factory;
  ASSERT_EQ(classFactory->CreateInstance(nullptr, IID_IDispatch, factory.putVoid()), S_OK);
  ASSERT_TRUE(Dispatch(factory).call("Connect", server.connectText()).toBool());

  void* native = nullptr;
  ASSERT_EQ(factory->QueryInterface(kesto::object::kIidNativeObject, &native), S_OK);
  auto* db = new d_Database(native);
  factory->Release();  // the reference QueryInterface added; the handle holds its own

  {
    d_ResultSet queries(db, "%CompiledQuery", "QueryInfo");
    ASSERT_EQ(queries.valid, 1);
    queries.SetParam(0, "FRX.StreamArt");
    ASSERT_EQ(queries.Execute(), 1);
    EXPECT_EQ(columnValues(queries, 1), std::vector<std::string>{"NachBereich"});
    queries.Close();
  }

  auto* rs = new d_ResultSet(db, "FRX.StreamArt", "NachBereich");
  ASSERT_EQ(rs->valid, 1);
  EXPECT_EQ(rs->GetParamCount(), 3);
  try {
    rs->Execute();
    ADD_FAILURE() << "no exception";
  } catch (const DispatchException& e) {  // thrown inside the library, caught here
    EXPECT_EQ(e.code, 9991);
    EXPECT_EQ(e.description, "Parameter 1 missing");
  }
  rs->SetParam(0, "1");
  rs->SetParam(1, "03");
  rs->SetParam(2, "12");
  ASSERT_EQ(rs->Execute(), 1);
  const auto ids = columnValues(*rs, 1);
  ASSERT_EQ(ids.size(), 10u);
  EXPECT_EQ(ids.front(), "1||03");
  EXPECT_EQ(rs->Close(), 1);

  auto* copy = new d_ResultSet(*rs);
  delete rs;
  copy->SetParam(1, "12");
  ASSERT_EQ(copy->Execute(), 1);
  EXPECT_EQ(columnValues(*copy, 3), std::vector<std::string>{"Teil 12"});
  delete copy;
  delete db;
}

}  // namespace

namespace {

kesto::automation::Dispatch created(REFCLSID clsid) {
  ComPtr<IClassFactory> classFactory;
  EXPECT_EQ(DllGetClassObject(clsid, IID_IClassFactory, classFactory.putVoid()), S_OK);
  ComPtr<IDispatch> object;
  if (classFactory) EXPECT_EQ(classFactory->CreateInstance(nullptr, IID_IDispatch, object.putVoid()), S_OK);
  return Dispatch(object);
}

TEST(ExportedLibrary, ServesLocalStreamsAndLists) {
  const Dispatch binary = created(kesto::object::kClsidBinaryStream);
  binary.put("Data", Variant::bytes(std::string("\0\1\2", 3)));
  EXPECT_EQ(binary.get("Data").toBytes(), std::string("\0\1\2", 3));
  EXPECT_EQ(binary.get("oref").toInt32(), 0);
  EXPECT_FALSE(binary.call("Rewind").toBool());

  const Dispatch text = created(kesto::object::kClsidCharStream);
  text.put("Data", u"Übung");
  EXPECT_EQ(text.get("Data").toString(), u"Übung");

  const Dispatch list = created(kesto::object::kClsidSyslist);
  list.call("Add", u"eins");
  EXPECT_EQ(list.get("Count").toInt32(), 1);
}

}  // namespace
