// Driver error codes, their SQLSTATEs and texts, and the diagnostic message SQLError returns.
#pragma once

#include <sql.h>

#include <string>
#include <string_view>

namespace kesto::odbc {

namespace code {
inline constexpr int None = 0;
inline constexpr int EndOfData = 100;
inline constexpr int GeneralServer = 400;
inline constexpr int BadLogin = 402;
inline constexpr int Protocol = 413;
inline constexpr int Timeout = 450;
inline constexpr int Sequence = 452;
inline constexpr int SharedMemoryStart = 454;
inline constexpr int SharedMemoryDown = 455;
inline constexpr int Limit = 460;
inline constexpr int SendFailed = 461;
inline constexpr int NoMemory = 462;
inline constexpr int BadColumn = 463;
inline constexpr int FunctionSequence = 464;
inline constexpr int BadLength = 465;
inline constexpr int BadParameter = 466;
inline constexpr int NotCapable = 469;
inline constexpr int ValueChanged = 470;
inline constexpr int DialogFailed = 480;
inline constexpr int Truncated = 1004;
inline constexpr int Restricted = 7006;
inline constexpr int OutOfRange = 22003;
inline constexpr int Assignment = 22005;
inline constexpr int DateTime = 22008;
inline constexpr int NotConnected = 8003;
inline constexpr int ConnectionReset = 10054;
}  // namespace code

// Every handle record starts with these two.
struct HandleBase {
    std::string sqlState;
    int errorCode = 0;
    bool trace = false;
    // The driver's own message for the pending error, when it has a better one than the
    // code's: used while errorCode still equals detailCode.
    std::string detail;
    int detailCode = 0;

    void failWith(int c, std::string text) {
        errorCode = detailCode = c;
        detail = std::move(text);
    }
    std::string_view pendingDetail() const { return errorCode && errorCode == detailCode ? detail : std::string_view(); }
};

// Five-character ODBC 2 SQLSTATE of a code.
std::string sqlStateOf(int errorCode);

// Stored text of a code, else "Norvane Kesto ODBC Error %d.".
std::string errorText(int errorCode);

// The message of SQLError: header lines with state, code and program path, then the text.
std::string diagnosticMessage(std::string_view state, int errorCode, std::string_view programPath,
                              std::string_view text);

// Widens an 8-bit argument of an entry point. SQL_NTS measures (a null text is empty).
// Returns false for a negative length other than SQL_NTS (the caller reports 465).
bool widenArgument(const SQLCHAR* text, SQLINTEGER length, std::u16string& out);

}  // namespace kesto::odbc
