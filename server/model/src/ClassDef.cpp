#include "model/ClassDef.h"

#include <algorithm>

namespace kesto::server::model {

namespace {

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

MethodDef genericMethod(std::string name, MethodKind kind, TypeCode returns, Generic generic,
                        std::vector<ArgDef> args = {}) {
  MethodDef m;
  m.name = std::move(name);
  m.kind = kind;
  m.returns = returns;
  m.generic = generic;
  m.args = std::move(args);
  return m;
}

}  // namespace

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return foldAscii(x) == foldAscii(y); });
}

const PropertyDef* ClassDef::findProperty(std::string_view wanted) const {
  for (const auto& p : properties)
    if (equalsNoCase(p.name, wanted)) return &p;
  return nullptr;
}

const QueryDef* ClassDef::findQuery(std::string_view wanted) const {
  for (const auto& q : queries)
    if (equalsNoCase(q.name, wanted)) return &q;
  return nullptr;
}

std::vector<MethodDef> allMethods(const ClassDef& cls) {
  std::vector<MethodDef> out = cls.methods;
  out.push_back(genericMethod("%Close", MethodKind::Instance, TypeCode::Status, Generic::Close));
  if (!cls.persistent()) return out;
  out.push_back(genericMethod("%Save", MethodKind::Instance, TypeCode::Status, Generic::Save));
  out.push_back(genericMethod("%ValidateObject", MethodKind::Instance, TypeCode::Status,
                              Generic::ValidateObject));
  out.push_back(genericMethod("%Oid", MethodKind::Instance, TypeCode::Binary, Generic::Oid));
  out.push_back(genericMethod("%ClassName", MethodKind::Instance, TypeCode::Text, Generic::ClassName));
  out.push_back(genericMethod("%DeleteId", MethodKind::Class, TypeCode::Status, Generic::DeleteId,
                              {ArgDef{TypeCode::Text, false}}));
  for (const auto& p : cls.properties) {
    MethodDef m = genericMethod(p.name + "LogicalToODBC", MethodKind::Class, TypeCode::Text,
                                Generic::LogicalToOdbc, {ArgDef{TypeCode::Text, false}});
    m.property = p.name;
    out.push_back(std::move(m));
  }
  return out;
}

const MethodDef* findMethod(const std::vector<MethodDef>& methods, std::string_view name) {
  for (const auto& m : methods)
    if (equalsNoCase(m.name, name)) return &m;
  return nullptr;
}

std::optional<MethodDef> findMethod(const ClassDef& cls, std::string_view name) {
  const auto methods = allMethods(cls);
  if (const MethodDef* m = findMethod(methods, name)) return *m;
  return std::nullopt;
}

std::string argCodes(const MethodDef& method) {
  std::string out;
  for (const auto& a : method.args) {
    if (!out.empty()) out += ',';
    out += std::to_string(static_cast<int>(a.type) + (a.byRef ? 128 : 0));
  }
  return out;
}

std::vector<DescribedItem> describe(const ClassDef& cls) {
  std::vector<DescribedItem> items;
  int dispid = 1;
  for (const auto& p : cls.properties) {
    DescribedItem it;
    it.kind = 1;
    it.name = p.name;
    it.dispid = dispid++;
    it.type = p.type;
    it.flagA = p.prefetch ? 1 : 0;
    it.flagB = p.deferredWrite ? 1 : 0;
    items.push_back(std::move(it));
  }
  dispid = 1001;
  for (const auto& m : allMethods(cls)) {
    DescribedItem it;
    it.kind = static_cast<int>(m.kind);
    it.name = m.name;
    it.dispid = dispid++;
    it.type = m.returns;
    it.argCodes = argCodes(m);
    it.flagB = m.deferred ? 1 : 0;
    items.push_back(std::move(it));
  }
  return items;
}

void Catalog::add(ClassDef cls) { classes_.push_back(std::move(cls)); }

const ClassDef* Catalog::find(std::string_view name) const {
  for (const auto& c : classes_)
    if (equalsNoCase(c.name, name)) return &c;
  return nullptr;
}

}  // namespace kesto::server::model
