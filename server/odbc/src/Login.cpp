#include "Login.h"

#include <odbclink/Protocol.h>
#include <text/CodePage.h>
#include <wire/List.h>

namespace kesto::server::odbc {
namespace {

std::u16string latin1(std::string_view bytes) {
    std::u16string out;
    for (unsigned char c : bytes) out.push_back(static_cast<char16_t>(c));
    return out;
}

std::u16string units(const wire::Element& e) {
    if (e.type == wire::Text16) return wire::utf16Value(e);
    if (e.type == wire::Text8) {
        std::u16string text = latin1(e.data);
        // One NUL byte is the empty string.
        return text == std::u16string(1, u'\0') ? std::u16string() : text;
    }
    throw wire::FormatError("login field is not a string");
}

std::string text(const wire::Element& e) { return text::utf16ToUtf8(units(e)); }

std::string credential(const wire::Element& e) {
    const std::u16string scrambled = units(e);
    std::u16string plain(scrambled.size(), u'\0');
    kesto::odbc::protocol::unscrambleCredential(scrambled.data(), plain.data(), scrambled.size());
    return text::utf16ToUtf8(plain);
}

}  // namespace

LoginRequest decodeLogin(std::string_view body) {
    wire::ListReader reader(body);
    LoginRequest r;
    r.nameSpace = text(reader.next());
    r.user = credential(reader.next());
    r.password = credential(reader.next());
    r.osUser = text(reader.next());
    r.computer = text(reader.next());
    r.executable = text(reader.next());
    reader.next();  // the client's system record: logged by nobody, checked by nobody
    r.clientAddress = text(reader.next());
    return r;
}

bool checkCredentials(model::Database& database, const std::string& company, const std::string& user,
                      const std::string& password) {
    const model::Value params[] = {model::Value::text(company), model::Value::text(user), model::Value::text(password)};
    const auto found = database.scalar(
        "SELECT 1 FROM FRX.ParPersEdv WHERE Firma = ?1 AND Login = ?2 AND Passwort = ?3 AND AKTIV = 'J'", params);
    return found.has_value();
}

}  // namespace kesto::server::odbc
