#pragma once
// Server classes as plain data: properties, methods and class queries. Class descriptions,
// generic members and query cursors are generated from these tables.

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kesto::server::model {

class Database;

// Type codes as the class description carries them.
enum class TypeCode : int {
  None = 0,
  Binary = 1,
  Date = 2,
  Double = 3,
  Object = 4,
  Integer = 5,
  List = 6,
  Time = 8,
  Text = 10,
  Status = 11,
  BinaryStream = 12,
  CharStream = 13,
  Number = 14,
  Currency = 15,
  Boolean = 16,
};

// How a stored (display) text leaves the server: Raw = the 7-bit form, Display = as stored.
enum class TextForm { Raw, Display };

struct PropertyDef {
  std::string name;          // as described, e.g. "Bez1"
  std::string column;        // SQL column in the class table
  TypeCode type = TypeCode::Text;
  std::string sqlType;       // declared SQL type, e.g. "VARCHAR(60)"
  bool prefetch = false;     // flag A
  bool deferredWrite = false;  // flag B
  std::string refClass;      // TypeCode::Object: class of the referenced object
};

enum class MethodKind : int { Instance = 2, Class = 3 };

// Members every class gets without a table entry; None = a special method with a handler.
enum class Generic {
  None,
  Save,            // "%Save"
  Close,           // "%Close"
  ValidateObject,  // "%ValidateObject"
  Oid,             // "%Oid"
  ClassName,       // "%ClassName"
  DeleteId,        // "%DeleteId"
  LogicalToOdbc,   // <property> + "LogicalToODBC": 7-bit argument -> display text
};

struct ArgDef {
  TypeCode type = TypeCode::Text;
  bool byRef = false;
};

// Per-connection context set by the "S FIRMA=...,FIL=...,PERSONAL=..." command line.
struct SessionContext {
  std::string firma = "1";
  std::string fil = "0";
  std::string personal;  // login, text before the first "|"
};

struct CallContext {
  Database& db;
  SessionContext& session;
};

// Special methods: arguments arrive as the client sent them (UTF-8), missing ones empty.
// The result is display text; the method's returnForm says how it leaves the server.
// Failures throw ServerError.
using MethodHandler = std::function<std::string(CallContext&, std::span<const std::string> args)>;

struct MethodDef {
  std::string name;          // server name, e.g. "INKvkpreis", "%Save"
  MethodKind kind = MethodKind::Class;
  std::vector<ArgDef> args;
  TypeCode returns = TypeCode::Text;
  TextForm returnForm = TextForm::Display;
  bool deferred = false;     // flag C (only with returns == None)
  Generic generic = Generic::None;
  std::string property;      // Generic::LogicalToOdbc: the property it converts
  MethodHandler handler;     // Generic::None only
};

struct QueryParam {
  std::string name;
  TypeCode type = TypeCode::Text;
};

struct QueryColumn {
  std::string name;
  TypeCode type = TypeCode::Text;
  std::string header;        // empty: the client shows the name
  TextForm form = TextForm::Display;
};

// A class query: SQLite text with numbered parameters ?1..?n bound in parameter order.
struct QueryDef {
  std::string name;
  std::string sql;
  std::vector<QueryParam> params;
  std::vector<QueryColumn> columns;
  int idColumn = 0;          // 1-based, 0 = none
};

struct ClassDef {
  std::string name;                  // "FRX.ArtHaupt1"
  std::string table;                 // "FRX.ArtHaupt1"; empty = no storage of its own
  std::vector<std::string> idParts;  // key columns in ID order, company first
  std::vector<PropertyDef> properties;
  std::vector<MethodDef> methods;    // special methods only; generic ones are generated
  std::vector<QueryDef> queries;

  bool persistent() const { return !table.empty(); }
  const PropertyDef* findProperty(std::string_view name) const;  // without regard to case
  const QueryDef* findQuery(std::string_view name) const;        // without regard to case
};

// One item of a class description, in the order it is sent.
struct DescribedItem {
  int kind = 1;               // 1 property, 2 instance method, 3 class method
  std::string name;
  int dispid = 0;             // properties 1.., methods 1001..
  TypeCode type = TypeCode::Text;
  int flagA = 0;              // property
  std::string argCodes;       // method: "10,10", +128 for by-reference
  int flagB = 0;              // property flag B, method flag C
};

// Every member a client may call: the special methods, then the generated ones
// ("%Close" always; for persistent classes "%Save", "%ValidateObject", "%Oid",
// "%ClassName", "%DeleteId" and one "<P>LogicalToODBC" per property).
std::vector<MethodDef> allMethods(const ClassDef& cls);

// Finds a member by server name without regard to case; the pointer is into `methods`.
const MethodDef* findMethod(const std::vector<MethodDef>& methods, std::string_view name);
// The same over allMethods(cls), as a copy.
std::optional<MethodDef> findMethod(const ClassDef& cls, std::string_view name);

// The description items of a class: properties first, then allMethods().
std::vector<DescribedItem> describe(const ClassDef& cls);

// Comma-separated argument codes of a method ("10,10"; +128 for by-reference).
std::string argCodes(const MethodDef& method);

class Catalog {
 public:
  void add(ClassDef cls);
  const ClassDef* find(std::string_view name) const;  // without regard to case
  const std::vector<ClassDef>& classes() const { return classes_; }

 private:
  std::vector<ClassDef> classes_;
};

bool equalsNoCase(std::string_view a, std::string_view b);  // ASCII letters folded

}  // namespace kesto::server::model
