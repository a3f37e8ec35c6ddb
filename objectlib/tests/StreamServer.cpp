#include "StreamServer.h"

#include "model/Database.h"

#include <kestoobject/ListReaders.h>
#include <kestoobject/ListValue.h>

#include <atomic>

#include <unistd.h>

namespace kesto::object::testing {

namespace model = server::model;
using model::TypeCode;

const model::Catalog& streamCatalog() {
  static const model::Catalog catalog = [] {
    model::ClassDef c;
    c.name = "FRX.StreamArt";
    c.table = "FRX.StreamArt";
    c.idParts = {"Firma", "Nr"};
    c.properties = {
        {"Bez", "Bez", TypeCode::Text, "VARCHAR(60)", false, false, ""},
        {"Bild", "Bild", TypeCode::BinaryStream, "LONGVARBINARY", false, false, ""},
        {"Notiz", "Notiz", TypeCode::CharStream, "LONGVARCHAR", false, false, ""},
    };
    model::QueryDef q;
    q.name = "NachBereich";
    q.sql = "SELECT ID, Nr, Bez FROM FRX.StreamArt WHERE Firma = ?1 AND Nr >= ?2 AND Nr <= ?3"
            " ORDER BY Nr";
    q.params = {{"Firma", TypeCode::Text}, {"Von", TypeCode::Text}, {"Bis", TypeCode::Text}};
    q.columns = {{"ID", TypeCode::Text, "", model::TextForm::Display},
                 {"Nr", TypeCode::Text, "Nummer", model::TextForm::Display},
                 {"Bez", TypeCode::Text, "", model::TextForm::Display}};
    q.idColumn = 1;
    c.queries.push_back(q);
    model::Catalog cat;
    cat.add(c);
    return cat;
  }();
  return catalog;
}

std::vector<StreamCall> streamCalls(const std::vector<SeenRequest>& requests) {
  std::vector<StreamCall> calls;
  for (const auto& r : requests) {
    if (r.code != 15) continue;
    const auto* p = reinterpret_cast<const std::uint8_t*>(r.body.data());
    const auto* end = p + r.body.size();
    std::vector<std::string> parts;
    while (p < end) {
      const auto e = ListPeekItem(p, end);
      if (!e) break;
      parts.emplace_back(reinterpret_cast<const char*>(e->data), e->length);
      p = e->next;
    }
    if (parts.size() < 3) continue;
    StreamCall call{parts[1], parts[2], {}};
    if (parts.size() > 3) {
      const auto* q = reinterpret_cast<const std::uint8_t*>(parts[3].data());
      const auto* qEnd = q + parts[3].size();
      while (q < qEnd) {
        const auto e = ListPeekItem(q, qEnd);
        if (!e) break;
        call.arguments.emplace_back(reinterpret_cast<const char*>(e->data), e->length);
        q = e->next;
      }
    }
    calls.push_back(std::move(call));
  }
  return calls;
}

StreamServer::StreamServer(server::objproto::ServerOptions options) {
  static std::atomic<int> counter{0};
  folder_ = std::filesystem::temp_directory_path() /
            ("objstream-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  model::prepareFolder(
      folder_,
      [](model::Database& db) {
        model::createClassTables(db, streamCatalog());
        for (int i = 1; i <= 12; ++i) {
          const std::string nr = (i < 10 ? "0" : "") + std::to_string(i);
          db.exec("INSERT INTO FRX.StreamArt (ID, Firma, Nr, Bez) VALUES ('1||" + nr + "', '1', '" +
                  nr + "', 'Teil " + nr + "')");
        }
        db.exec("INSERT INTO FRX.StreamArt (ID, Firma, Nr, Bez) VALUES ('2||01', '2', '01', 'Fremd')");
      },
      true);
  options.port = 0;
  options.dataFolder = folder_;
  server_ = std::make_unique<server::objproto::ObjectServer>(options, streamCatalog());
  server_->start();
  relay_ = std::make_unique<RequestRelay>(server_->port());
}

StreamServer::~StreamServer() {
  relay_.reset();
  server_->stop();
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

std::string StreamServer::connectText() const {
  return "cn_iptcp:127.0.0.1[" + std::to_string(relay_->port()) + "]:Ferrix";
}

}  // namespace kesto::object::testing
