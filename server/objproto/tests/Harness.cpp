#include "Harness.h"

#include <atomic>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

#include "Codec.h"
#include "mlink/Frame.h"
#include "model/Database.h"
#include "text/CodePage.h"

namespace kesto::server::objproto::testing {

using model::TypeCode;

const model::Catalog& testCatalog() {
  static const model::Catalog catalog = [] {
    model::ClassDef c;
    c.name = "FRX.TestArt";
    c.table = "FRX.TestArt";
    c.idParts = {"Firma", "ArtNr"};
    c.properties = {
        {"Bez1", "Bez1", TypeCode::Text, "VARCHAR(60)", true, false, ""},
        {"VK", "VK", TypeCode::Double, "NUMERIC(10,2)", false, false, ""},
        {"Menge", "Menge", TypeCode::Integer, "INTEGER", false, true, ""},
        {"Datum", "Datum", TypeCode::Date, "DATE", false, false, ""},
        {"Bild", "Bild", TypeCode::BinaryStream, "LONGVARBINARY", false, false, ""},
        {"Notiz", "Notiz", TypeCode::CharStream, "LONGVARCHAR", false, false, ""},
        {"Haupt", "Haupt", TypeCode::Object, "VARCHAR(30)", false, false, "FRX.TestArt"},
        {"Roh", "Roh", TypeCode::Binary, "BLOB", false, false, ""},
    };
    model::MethodDef price;
    price.name = "Preis";
    price.args = {{TypeCode::Text, false}, {TypeCode::Text, true}};
    price.returns = TypeCode::Double;
    price.handler = [](model::CallContext&, std::span<const std::string> args) {
      return args[0] + "|" + args[1];
    };
    model::MethodDef fails;
    fails.name = "Pruefen";
    fails.returns = TypeCode::Status;
    fails.handler = [](model::CallContext&, std::span<const std::string>) -> std::string {
      throw model::ServerError(model::errc::BadValue, {"Pruefen", "x"});
    };
    model::MethodDef raw;
    raw.name = "Roh";
    raw.args = {{TypeCode::Text, false}};
    raw.returnForm = model::TextForm::Raw;
    raw.handler = [](model::CallContext&, std::span<const std::string> args) { return args[0]; };
    c.methods = {price, fails, raw};
    model::QueryDef q;
    q.name = "NachFirma";
    q.sql = "SELECT ID, ArtNr, Bez1, VK FROM FRX.TestArt WHERE Firma = ?1 ORDER BY ArtNr";
    q.params = {{"Firma", TypeCode::Text}};
    q.columns = {{"ID", TypeCode::Text, "", model::TextForm::Display},
                 {"ArtNr", TypeCode::Text, "Nummer", model::TextForm::Display},
                 {"Bez1", TypeCode::Text, "", model::TextForm::Raw},
                 {"VK", TypeCode::Double, "", model::TextForm::Display}};
    q.idColumn = 1;
    c.queries.push_back(q);
    model::Catalog cat;
    cat.add(c);
    return cat;
  }();
  return catalog;
}

int Answer::errorCode() const {
  if (status.size() < 3 || status[0] != '0')
    return 0;
  wire::ListReader errors(std::string_view(status).substr(2));
  wire::ListReader item(errors.next().data);
  return std::atoi(textOf(item.next()).c_str());
}

Client::Client(std::uint16_t port) {
  link_.OnMessage = [this](MLink*) {
    short n = 0;
    std::string item(32768, '\0');
    for (int i = 0; i < 6; ++i)
      message_.RetrieveDataFromMessage(&n, item.data(), 32767);
    outputs.emplace_back(item.data(), static_cast<unsigned short>(n));
    message_.InitMessage();
    message_.Buffer[mlink::kPosCode] = mlink::kAcknowledgeCode;
    message_.Buffer[mlink::kPosType] = mlink::Acknowledge;
    return 1;
  };
  const std::string text = "cn_iptcp:127.0.0.1[" + std::to_string(port) + "]";
  link_.Connect(text.c_str(), nullptr);
}

namespace {

Answer send(MMsg& m, MLink& link, std::uint8_t code, std::uint8_t kind, std::string_view space,
            std::string_view body) {
  m.InitMessage();
  m.Buffer[mlink::kPosCode] = static_cast<char>(code);
  m.Buffer[mlink::kPosType] = mlink::Request;
  m.Buffer[mlink::kPosKind] = static_cast<char>(kind);
  Answer a;
  if (!m.AppendDataToMessage(space.data(), static_cast<short>(space.size())) ||
      !m.AppendDataToMessage(body.data(), static_cast<short>(body.size())))
    return a;
  if (link.Send(&m, 0xFFFFFFFFul) <= 0)
    return a;
  a.sent = true;
  a.trailing = mlink::getU16(m.Buffer + mlink::kPosTrailing) != 0;
  mlink::ItemReader items(std::string_view(m.Buffer, static_cast<std::size_t>(m.Used)));
  a.status = std::string(items.next().value_or(""));
  a.payload = std::string(items.next().value_or(""));
  return a;
}

}  // namespace

Answer Client::request(std::uint8_t code, std::string_view body, std::string_view space) {
  return send(message_, link_, code, mlink::ObjectRequest, space, body);
}

Answer Client::command(std::string_view text) {
  return send(message_, link_, 17, mlink::CommandText, "Ferrix", text);
}

ServerFixture::ServerFixture(ServerOptions options) {
  static std::atomic<int> counter{0};
  folder_ = std::filesystem::temp_directory_path() /
            ("objproto-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  const model::Catalog& catalog = testCatalog();
  model::prepareFolder(folder_, [&](model::Database& db) {
    model::createClassTables(db, catalog);
    db.exec("INSERT INTO FRX.TestArt (ID, Firma, ArtNr, Bez1, VK, Menge, Datum, Notiz, Haupt) VALUES "
            "('1||100', '1', '100', 'Zement grün', 6.99, 25, '2024-03-15', 'Größe', NULL), "
            "('1||200', '1', '200', 'Mörtel', 12.5, 0, NULL, '', '1||100'), "
            "('2||300', '2', '300', 'Sand', 1, 1, NULL, '', NULL)");
  }, true);
  options.port = 0;
  options.dataFolder = folder_;
  server_ = std::make_unique<ObjectServer>(options, catalog);
  server_->start();
}

ServerFixture::~ServerFixture() {
  server_->stop();
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

std::string t1(std::string_view bytes) {
  return wire::encodeText8(bytes);
}

std::string t2(std::string_view utf8) {
  return wire::encodeText16(text::utf8ToUtf16(utf8));
}

std::string list(std::initializer_list<std::string> elements) {
  std::string inner;
  for (const auto& e : elements)
    inner += e;
  return t1(inner);
}

std::vector<wire::Element> elementsOf(std::string_view bytes) {
  std::vector<wire::Element> out;
  wire::ListReader r(bytes);
  while (auto e = r.tryNext())
    out.push_back(*e);
  return out;
}

std::string textOf(const wire::Element& e) {
  return TextCodec::text(e);
}

namespace ml = kesto::mlink;

std::string framed(std::uint8_t code, std::uint8_t kind, std::initializer_list<std::string_view> items,
                   std::optional<std::uint16_t> itemLength) {
  std::string message(ml::kHeaderSize, '\0');
  message[ml::kPosCode] = static_cast<char>(code);
  message[ml::kPosType] = 1;
  message[ml::kPosKind] = static_cast<char>(kind);
  std::size_t left = items.size();
  for (const std::string_view item : items) {
    char length[2];
    ml::putU16(length, --left == 0 && itemLength ? *itemLength : static_cast<std::uint16_t>(item.size()));
    message.append(length, 2).append(item);
  }
  char prefix[4];
  ml::putU32(prefix, static_cast<std::uint32_t>(message.size()));
  return std::string(prefix, 4) + message;
}

std::optional<std::string> readFramed(int fd) {
  char prefix[4];
  if (::recv(fd, prefix, 4, MSG_WAITALL) != 4) return std::nullopt;
  std::string rest(ml::getU32(prefix), '\0');
  if (::recv(fd, rest.data(), rest.size(), MSG_WAITALL) != static_cast<ssize_t>(rest.size())) return std::nullopt;
  return rest;
}

}  // namespace kesto::server::objproto::testing
