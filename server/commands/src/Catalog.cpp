#include "commands/Catalog.h"

#include "Args.h"
#include "commands/Xecute.h"
#include "model/Classes.h"
#include "model/ServerError.h"

namespace kesto::server::commands {

namespace {

struct Binding {
  const char* cls;
  const char* method;
  model::MethodHandler handler;
};

std::string xecuteMethod(model::CallContext& ctx, std::span<const std::string> args) {
  return xecute(ctx, arg(args, 0));
}

model::Catalog build() {
  model::Catalog base = model::applicationClasses();
  const Binding bindings[] = {
      {"FRX.Windows", "Xecute", xecuteMethod},
      {"FRX.Windows", "INKvkpreis", inkVkPreis},
      {"FRX.Windows", "Grundpreis", grundpreis},
      {"FRX.Windows", "EANNr", eanNr},
      {"GUI.Vovida", "KC", kc},
      {"GUI.Vovida", "aktionskennzeichen", aktionskennzeichen},
      {"GUI.Vovida", "aktion", aktion},
      {"FRX.ArtMaEan", "GetArtNr", getArtNr},
      {"FRX.ArtFlies", "FlTypeName", flTypeName},
  };
  model::Catalog bound;
  for (model::ClassDef cls : base.classes()) {
    for (auto& m : cls.methods)
      for (const auto& b : bindings)
        if (model::equalsNoCase(cls.name, b.cls) && model::equalsNoCase(m.name, b.method)) m.handler = b.handler;
    for (const auto& m : cls.methods)
      if (!m.handler) throw model::ServerError(model::errc::UnknownMethod, {cls.name, m.name});
    bound.add(std::move(cls));
  }
  return bound;
}

}  // namespace

const model::Catalog& serverCatalog() {
  static const model::Catalog catalog = build();
  return catalog;
}

}  // namespace kesto::server::commands
