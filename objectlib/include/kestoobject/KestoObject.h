// The classes libKestoObject.so exports to programs that link against it: thin handles over
// the library's Factory, object proxies, query cursors and streams.
//
// Conventions:
//   - `const char*` arguments and returned std::string values are 8-bit text in the ANSI
//     code page (Windows-1252); file paths are taken as the file system spells them.
//   - Returned BSTRs are new strings the caller frees with SysFreeString.
//   - A `void*` that stands for one of the library's objects is the pointer its
//     QueryInterface(kIidNativeObject) answers (see Guids.h). d_Database takes a reference
//     of its own; d_Object and d_Stream adopt the one the caller passes (as handed out by
//     GetProperty and InvokeMethod).
//   - Failures: a zero result or a null string, with the reason in GetLastError(); errors
//     of the server and of conversions are dispatch exceptions (codes 9990, 9991, 9992).
//
//   IDispatch* disp = ...;                          // a Factory, connected
//   void* native = nullptr;
//   disp->QueryInterface(kesto::object::kIidNativeObject, &native);
//   d_Database db(native);                          // takes its own reference
//   disp->Release();                                // the one QI added
//   d_ResultSet rs(&db, "FRX.ArtHaupt1", "NachKurzbezeichnung");
//   rs.SetParam(0, "1"); rs.SetParam(1, "ZEM");
//   if (rs.valid && rs.Execute()) while (rs.Next()) { VARIANT v = rs.GetData(2); ... }
#pragma once

#include <kestoobject/Guids.h>

#include <automation/Automation.h>
#include <automation/Variant.h>

#include <array>

#include <memory>
#include <string>

#define KESTO_OBJECT_API __attribute__((visibility("default")))

namespace kesto::object {
class Factory;
class ObjInstance;
class QueryCursor;
class ServerStream;
class OutputRelay;
}  // namespace kesto::object

class KESTO_OBJECT_API d_Database {
 public:
  // A new Factory of its own, not connected.
  d_Database();
  // Wraps an existing Factory (its native object); takes a reference of its own.
  explicit d_Database(void* factory);
  d_Database(const d_Database& other);
  d_Database& operator=(const d_Database& other);
  virtual ~d_Database();

  // With a connect string: Connect. With null: the connection dialog first; 0 when it is
  // cancelled. The result is kept as the connected flag.
  int Open(const char* connectString);
  int Close();
  IDispatch* GetFactoryIDispatch();  // a new reference
  // Parts of an object identifier (list bytes in a BSTR), read locally.
  BSTR GetClassNameA(BSTR* oid);
  BSTR GetID(BSTR* oid);
  // Server output goes to sink->OutputCallback (a d_Database or derived); null switches
  // it off. The sink must outlive the output it receives.
  void SetOutputC(void* sink);
  std::string GetLastError();
  // One line of server output; override it to receive them.
  virtual void OutputCallback(const OLECHAR* text);

  kesto::object::Factory* factory() const { return m_factory; }

 private:
  void swap(d_Database& other) noexcept;

  int m_connected = 0;
  kesto::object::Factory* m_factory = nullptr;  // one counted reference
  int m_owned = 0;
  kesto::object::OutputRelay* m_output = nullptr;  // made by SetOutputC, not copied
};

class KESTO_OBJECT_API d_Object {
 public:
  d_Object();
  // classFlag non-zero: a class proxy (class methods); zero: a new server object.
  d_Object(d_Database* db, const char* className, int classFlag);
  // Opens the object with that ID.
  d_Object(d_Database* db, const char* className, const char* id, int concurrency);
  // Wraps an object proxy (its native object); takes over one reference.
  d_Object(d_Database* db, void* proxy);
  d_Object(const d_Object& other);
  d_Object& operator=(const d_Object& other);
  // Public so that the caller can delete the d_Object a VT_DISPATCH result hands out.
  virtual ~d_Object();

  // Reads a property and stores it through out as `type` (converted; "Type mismatch" when
  // it does not convert): VT_I2 short, VT_I4/VT_ERROR int32, VT_R4 float, VT_R8/VT_DATE
  // double, VT_CY CY, VT_BSTR std::string (ANSI), VT_BOOL int 0/1, VT_UI1 byte,
  // VT_VARIANT VARIANT (overwritten, not cleared), VT_UNKNOWN IUnknown* (a new reference), VT_DISPATCH void*: a new
  // d_Object* for an object proxy, the native object (one reference) for another object
  // of the library, null for a foreign one. Other types store nothing.
  void GetProperty(long dispId, VARTYPE type, void* out) const;
  // VT_I2, VT_I4, VT_DISPATCH: the pointer carries the value; VT_BSTR: ANSI text; VT_BOOL:
  // int*; VT_CY, VT_R4, VT_R8, VT_DATE: 8 bytes (VT_R4 a double); VT_ERROR: none.
  void SetProperty(long dispId, VARTYPE type, void* value);
  // types: one byte per argument, 0-terminated: an automation type (+0x40 by reference;
  // 14 = ANSI text). Arguments as promoted: int for VT_I2/VT_I4/VT_BOOL/VT_ERROR/VT_UI1,
  // double for VT_R4/VT_R8/VT_DATE, pointers for the rest. `out` as for GetProperty.
  void InvokeMethod(long dispId, VARTYPE returnType, void* out, const BYTE* types, ...);

  int Sys_Save();
  int Sys_Close();
  int Sys_ValidateObject();
  BSTR Sys_OID();        // the identifier's list bytes
  BSTR Sys_ClassName();  // UTF-16 text
  // The server's text of an error code; parameters end at the first VT_ERROR/VT_EMPTY.
  BSTR GetErrorText(long code, const VARIANT& p1, const VARIANT& p2, const VARIANT& p3,
                    const VARIANT& p4, const VARIANT& p5, const VARIANT& p6,
                    const VARIANT& p7, const VARIANT& p8, const VARIANT& p9,
                    const VARIANT& p10);
  long GetIdOfName(const std::string& name);  // -1: no proxy or no such member
  std::string GetLastError();
  void Sys_DeleteId(const std::string& id);

 protected:
  int Sys_Method(const std::string& name);
  // form 0: the result's bytes; form 2: UTF-16 text. Null on failure.
  BSTR Sys_MethodS(const std::string& name, int form);

  kesto::object::ObjInstance* m_proxy = nullptr;  // one counted reference, or null
  d_Database* m_db = nullptr;

 private:
  void swapObject(d_Object& other) noexcept;
};

class KESTO_OBJECT_API d_ResultSet : public d_Object {
 public:
  static constexpr int kSlots = 16;

  // A class query of className; valid is 1 when the server described it.
  d_ResultSet(d_Database* db, const char* className, const char* queryName);
  // A dynamic SQL statement.
  d_ResultSet(d_Database* db, const char* statement);
  // Copies share the cursor; the slots are copied.
  d_ResultSet(const d_ResultSet& other);
  d_ResultSet& operator=(const d_ResultSet& other);
  ~d_ResultSet() override;

  // Every slot below the parameter count must be set ("Parameter %d missing").
  int Execute();
  int Next();
  short GetColumnCount();
  VARIANT GetData(short column);  // the caller clears it
  int Close();
  BSTR GetColumnName(short column);
  BSTR GetColumnHeader(short column);
  short GetParamCount();
  BSTR GetParamName(short param);
  int ContainsID();
  void Prepare();

  // Slots 0..15; outside them nothing is stored and 0 is returned.
  int SetParam(short slot, const char* text);
  int SetParam(short slot, const OLECHAR* text);
  int SetParam(short slot, long value);
  int SetParam(short slot, int value) { return SetParam(slot, static_cast<long>(value)); }
  int SetParam(short slot, double value);
  int SetParam(short slot, CY value);
  int SetParamDate(short slot, double date);
  // I2/BOOL as I4, I4, R4 as R8, R8, CY, DATE, BSTR; any other type: 0, nothing set.
  int SetParam(short slot, const VARIANT& value);

  int valid = 0;

 private:
  kesto::object::QueryCursor& cursor();
  int store(short slot, kesto::automation::Variant value);
  void swapResultSet(d_ResultSet& other) noexcept;

  std::shared_ptr<kesto::object::QueryCursor> m_cursor;  // shared by copies
  std::array<kesto::automation::Variant, kSlots> m_params;  // missing until set
};

class KESTO_OBJECT_API d_Stream {
 public:
  // Wraps a stream (its native object); takes over one reference.
  explicit d_Stream(void* stream);
  d_Stream(const d_Stream& other);
  d_Stream& operator=(const d_Stream& other);
  virtual ~d_Stream();

  VARIANT GetBuffer();  // the caller clears it
  void SetBuffer(const VARIANT& value);
  int ReadFromFile(const char* path);
  int WriteIntoFile(const char* path);
  void ReadFromServer();
  void WriteToServer();
  BSTR ReadS(int size);
  int WriteS(BYTE* data, int length);
  int RewindS();
  void Clear();
  BSTR GetAttribute(const char* name, const char* defaultValue);
  void SetAttribute(const char* name, const char* value);
  int IsDefinedAttribute(const char* name);
  BSTR NextAttribute(const char* name);
  int DeleteAttribute(const char* name);

 private:
  kesto::object::ServerStream* m_stream = nullptr;  // one counted reference, or null
};
