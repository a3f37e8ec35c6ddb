#include "Builtins.h"

namespace kesto::server::objproto {

using model::TypeCode;

namespace {

model::MethodDef classMethod(std::string name, std::vector<model::ArgDef> args, TypeCode returns) {
  model::MethodDef m;
  m.name = std::move(name);
  m.kind = model::MethodKind::Class;
  m.args = std::move(args);
  m.returns = returns;
  return m;
}

std::vector<model::ClassDef> makeBuiltins() {
  const model::ArgDef text{TypeCode::Text, false};
  const model::ArgDef ref{TypeCode::Text, true};

  model::ClassDef dynamic;
  dynamic.name = std::string(kDynamicQuery);
  dynamic.methods = {
      classMethod("SQLPrepare", {ref, text}, TypeCode::Status),
      classMethod("SQLGetInfo", {ref, ref, ref, ref}, TypeCode::Status),
      classMethod("SQLExecute", {ref}, TypeCode::Status),
      classMethod("SQLFetchRows", {ref, text, ref, ref, ref}, TypeCode::Status),
      classMethod("SQLClose", {ref}, TypeCode::Status),
  };

  model::ClassDef compiled;
  compiled.name = std::string(kCompiledQuery);
  model::QueryDef info;
  info.name = "QueryInfo";
  info.params = {{"ClassName", TypeCode::Text}};
  info.columns = {{"Name", TypeCode::Text, "", model::TextForm::Display},
                  {"ParamCount", TypeCode::Integer, "", model::TextForm::Display},
                  {"HasIdColumn", TypeCode::Integer, "", model::TextForm::Display}};
  compiled.queries.push_back(std::move(info));

  model::ClassDef diag;
  diag.name = std::string(kDiagnostics);
  diag.methods = {classMethod("Ausgabe", {text, {TypeCode::Integer, false}}, TypeCode::Text)};

  // Twelve parameters: more than the lookup dialog shows. The row echoes them.
  model::ClassDef many;
  many.name = std::string(kManyParameters);
  model::QueryDef twelve;
  twelve.name = "Zwoelf";
  std::string sql = "SELECT '1||' || ?1 AS ID, ?1";
  for (int i = 1; i <= 12; ++i) {
    twelve.params.push_back({"Wert" + std::to_string(i), TypeCode::Text});
    if (i > 1) sql += " || ',' || ?" + std::to_string(i);
  }
  twelve.sql = sql + " AS Werte";
  twelve.columns = {{"ID", TypeCode::Text, "", model::TextForm::Display},
                    {"Werte", TypeCode::Text, "Werte", model::TextForm::Display}};
  twelve.idColumn = 1;
  many.queries.push_back(std::move(twelve));

  model::ClassDef none;
  none.name = std::string(kNoQueries);

  return {std::move(dynamic), std::move(compiled), std::move(diag), std::move(many),
          std::move(none)};
}

bool isTestClass(std::string_view name) { return name == kManyParameters || name == kNoQueries; }

}  // namespace

const model::ClassDef* builtinClass(std::string_view name, bool diagnostics, bool testClasses) {
  static const std::vector<model::ClassDef> builtins = makeBuiltins();
  for (const auto& cls : builtins)
    if (model::equalsNoCase(cls.name, name) && (diagnostics || cls.name != kDiagnostics) &&
        (testClasses || !isTestClass(cls.name)))
      return &cls;
  return nullptr;
}

}  // namespace kesto::server::objproto
