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

  return {std::move(dynamic), std::move(compiled), std::move(diag)};
}

}  // namespace

const model::ClassDef* builtinClass(std::string_view name, bool diagnostics) {
  static const std::vector<model::ClassDef> builtins = makeBuiltins();
  for (const auto& cls : builtins)
    if (model::equalsNoCase(cls.name, name) && (diagnostics || cls.name != kDiagnostics))
      return &cls;
  return nullptr;
}

}  // namespace kesto::server::objproto
