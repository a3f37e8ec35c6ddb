// What the data-bound controls need of the object library, behind a seam that unit tests
// fake: a database (connect, its Factory, prepare queries) and a prepared query.
//
// Texts are UTF-16 here; the object-library adapter hands them on in the ANSI code page as
// its exported classes expect. Failures of the library pass through as its exceptions
// (DispatchException).
#pragma once

#include <automation/ComPtr.h>
#include <automation/Variant.h>

#include <memory>
#include <string>

namespace kesto::controls {

class Query {
 public:
  virtual ~Query() = default;
  virtual bool valid() const = 0;
  virtual int setParam(short slot, const VARIANT& value) = 0;  // 0: the type is not taken
  virtual int execute() = 0;
  virtual int next() = 0;
  virtual automation::Variant getData(short column) = 0;
  virtual short columnCount() = 0;
  virtual short paramCount() = 0;
  virtual std::u16string columnName(short n) = 0;
  virtual std::u16string columnHeader(short n) = 0;
  virtual std::u16string paramName(short n) = 0;
  virtual int containsId() = 0;
  virtual int close() = 0;
};

class Database {
 public:
  virtual ~Database() = default;
  // With a connect text: connect to it; with none: the connection dialog first (0 when it
  // is cancelled). Nonzero = connected.
  virtual int open(const std::u16string* connection) = 0;
  // The Factory's dispatch interface, a new reference.
  virtual automation::ComPtr<IDispatch> factory() = 0;
  virtual std::unique_ptr<Query> classQuery(const std::u16string& className,
                                            const std::u16string& queryName) = 0;
  virtual std::unique_ptr<Query> dynamicSql(const std::u16string& statement) = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  // A database with a new Factory of its own, not connected.
  virtual std::unique_ptr<Database> newDatabase() = 0;
  // A database around the Factory behind `factory`; a dispatch object that is no Factory
  // of the object library is refused with a DispatchException.
  virtual std::unique_ptr<Database> wrapFactory(IDispatch* factory) = 0;
};

// The backend the controls of this module use: the object library unless a test installed
// another (null brings the object library back).
Backend& backend();
void setBackend(std::shared_ptr<Backend> replacement);

}  // namespace kesto::controls
