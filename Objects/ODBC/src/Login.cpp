// The handshake (HS) and the login (CN) of a freshly connected link.
#include "AnsiText.h"
#include "ClientIdentity.h"
#include "Connection.h"
#include "ParameterEncoder.h"

#include <odbclink/Protocol.h>

namespace kesto::odbc {
namespace {

// Scrambled as UTF-16 units, or as at most 100 bytes of the 8-bit form (longer: empty).
void writeCredential(RequestWriter& w, const std::u16string& text) {
    const std::size_t from = w.size();
    if (w.unicode) {
        std::u16string out(text.size(), u'\0');
        protocol::scrambleCredential(text.data(), out.data(), text.size());
        writeWide(w, out);
    } else {
        std::string bytes = narrow(text);
        if (bytes.size() > 100) bytes.clear();
        std::string out(bytes.size(), '\0');
        protocol::scrambleCredential(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                     reinterpret_cast<std::uint8_t*>(out.data()), bytes.size());
        writeString(w, out.data(), static_cast<SQLLEN>(out.size()), StringMode::Bytes, SQL_VARCHAR, kNoMaximum);
    }
    w.markSecret(from);
}

}  // namespace

int Connection::login() {
    beginRequest("HS");
    writer.writeRawU16(protocolWord);
    if (const int r = exchange(loginTimeout())) {
        // A server with no free place answers the handshake with its reason ("too many
        // connections") as the body.
        if (r == code::GeneralServer && reader.atElement()) {
            std::u16string text;
            reader.peekWideString(text);
            while (!text.empty() && text.back() == u'\0') text.pop_back();
            if (!text.empty()) failWith(r, narrow(text));
        }
        return r;
    }
    protocolWord = reader.rawU16(0);
    unicode = reader.rawU16(2);

    beginRequest("CN");
    writeWide(writer, nameSpace);
    writeCredential(writer, user);
    writeCredential(writer, password);
    writeWide(writer, osUserName());
    writeWide(writer, computerName());
    writeWide(writer, executableName());
    const auto record = systemRecord();
    writer.writeElement(1, record.data(), record.size());
    writeWide(writer, clientId.empty() ? widen(clientAddress(narrow(host))) : clientId);
    if (const int r = exchange(loginTimeout())) return r;

    reader.readWideString(serverVersion);
    delimitedIdentifiers = static_cast<std::uint16_t>(reader.readInteger());
    reader.next();
    loginWord = static_cast<std::uint16_t>(reader.readInteger());
    flags |= Connected;
    return 0;
}

}  // namespace kesto::odbc
