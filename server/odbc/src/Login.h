// The login request (CN): what the client sends and the check against the staff logins.
#pragma once

#include <model/Database.h>

#include <string>
#include <string_view>
#include <vector>

namespace kesto::server::odbc {

struct LoginRequest {
    std::string nameSpace;  // UTF-8
    std::string user;       // UTF-8, unscrambled
    std::string password;   // UTF-8, unscrambled
    std::string osUser, computer, executable, clientAddress;
};

// Decodes a CN body; throws wire::FormatError when it is not the eight elements expected.
LoginRequest decodeLogin(std::string_view body);

// An active staff login of the company with exactly this password.
bool checkCredentials(model::Database& database, const std::string& company, const std::string& user,
                      const std::string& password);

}  // namespace kesto::server::odbc
