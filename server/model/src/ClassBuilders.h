#pragma once
// Short constructors for the class tables.

#include <string>
#include <utility>
#include <vector>

#include "model/ClassDef.h"

namespace kesto::server::model::build {

inline PropertyDef text(std::string name, int length = 60, bool prefetch = false, bool deferred = false) {
  PropertyDef p;
  p.column = name;
  p.name = std::move(name);
  p.sqlType = "VARCHAR(" + std::to_string(length) + ")";
  p.prefetch = prefetch;
  p.deferredWrite = deferred;
  return p;
}

inline PropertyDef typed(std::string name, TypeCode type, std::string sqlType) {
  PropertyDef p;
  p.column = name;
  p.name = std::move(name);
  p.type = type;
  p.sqlType = std::move(sqlType);
  return p;
}

inline PropertyDef money(std::string name) {
  return typed(std::move(name), TypeCode::Double, "NUMERIC(10,2)");
}

// A class method over text arguments whose handler the command module binds.
inline MethodDef special(std::string name, int textArgs, TypeCode returns = TypeCode::Text,
                         TextForm form = TextForm::Display) {
  MethodDef m;
  m.name = std::move(name);
  m.kind = MethodKind::Class;
  m.args.assign(static_cast<std::size_t>(textArgs), ArgDef{TypeCode::Text, false});
  m.returns = returns;
  m.returnForm = form;
  return m;
}

inline QueryParam param(std::string name) { return QueryParam{std::move(name), TypeCode::Text}; }

inline QueryColumn column(std::string name, TextForm form = TextForm::Display,
                          TypeCode type = TypeCode::Text, std::string header = {}) {
  return QueryColumn{std::move(name), type, std::move(header), form};
}

inline QueryDef query(std::string name, std::string sql, std::vector<QueryParam> params,
                      std::vector<QueryColumn> columns, int idColumn = 0) {
  return QueryDef{std::move(name), std::move(sql), std::move(params), std::move(columns), idColumn};
}

inline ClassDef persistent(std::string name, std::vector<std::string> idParts,
                           std::vector<PropertyDef> properties) {
  ClassDef c;
  c.table = name;
  c.name = std::move(name);
  c.idParts = std::move(idParts);
  c.properties = std::move(properties);
  return c;
}

inline ClassDef methodsOnly(std::string name) {
  ClassDef c;
  c.name = std::move(name);
  return c;
}

}  // namespace kesto::server::model::build

namespace kesto::server::model {
// Filled in ClassesArticles.cpp: articles, tiles, promotions and the method classes.
void addArticleClasses(Catalog& catalog);
}  // namespace kesto::server::model
