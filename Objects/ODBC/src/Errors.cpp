#include "Errors.h"

#include "AnsiText.h"
#include "Trace.h"

#include <sqlext.h>

#include <cstring>

namespace kesto::odbc {
namespace {

struct CodeText {
    int code;
    const char* text;
};

constexpr CodeText kTexts[] = {
    {400, "General server error"},
    {402, "Invalid Username/Password"},
    {413, "Incompatible Client/Server Protocol"},
    {450, "Request timed out due to user timeout"},
    {452, "Message sequencing error"},
    {454, "Unable to start the shared memory connection"},
    {455, "Shared memory connection is down"},
    {461, "Cannot reach the server: the connection could not be made or was lost"},
    {462, "Memory allocation failure"},
    {463, "Invalid column number"},
    {464, "Function sequence error"},
    {465, "Invalid string or buffer length"},
    {466, "Invalid parameter number"},
    {467, "Column type out of range"},
    {468, "Fetch type out of range"},
    {469, "Driver not capable: the option or conversion is not supported"},
    {470, "Option value changed"},
    {471, "Duplicate cursor name"},
    {480, "Dialog failed: the setup dialogs cannot be shown"},
    {1004, "Data truncated"},
    {7001, "Wrong number of parameters"},
    {7006, "Restricted data type attribute violation: the value cannot be read as this C type"},
    {8003, "Connection not open"},
    {10050, "WinSock: Network is down"},
    {10051, "WinSock: Network is unreachable"},
    {10052, "WinSock: Net dropped connection or reset"},
    {10054, "WinSock: Connection reset by peer (due to timeout or reboot)"},
    {10055, "WinSock: No buffer space available"},
    {10056, "WinSock: Socket is already connected"},
    {10057, "WinSock: Socket is not connected"},
    {10058, "WinSock: Cannot send after socket shutdown"},
    {10060, "WinSock: Connection timed out"},
    {10061, "WinSock: Connection refused"},
    {10064, "WinSock: Host is down"},
    {10065, "WinSock: No route to host"},
    {10070, "WinSock: Stale NFS file handle"},
    {10091, "WinSock: Network subsystem is unavailable"},
    {10092, "WinSock: WINSOCK DLL version out of range"},
    {10093, "WinSock: Successful WSASTARTUP not yet performed"},
    {11001, "WinSock: Host not found"},
    {11002, "WinSock: Nonauthoritative host not found"},
    {22003, "Numeric value out of range"},
    {22005, "Error in assignment: the value is not a number"},
    {22008, "Datetime field overflow: not a valid date or time"},
    {24000, "Invalid cursor state"},
};

bool isSyntaxCode(int c) {
    if (c == 1 || (c >= 3 && c <= 7) || (c >= 9 && c <= 23) || (c >= 25 && c <= 28)) return true;
    if (c == 32 || (c >= 34 && c <= 37) || c == 41 || c == 42 || c == 51 || c == 53 || c == 56) return true;
    return c >= 58 && c <= 61;
}

}  // namespace

std::string sqlStateOf(int c) {
    if (isSyntaxCode(c)) return "37000";
    switch (c) {
    case 30: case 33: case 39: return "S0002";
    case 31: return "S0022";
    case 62: return "21S01";
    case 103: return "34000";
    case 104: case 108: return "23000";
    case 402: return "28000";
    case 413: case 452: case 454: case 455: case 461: return "08S01";
    // A link lost under a request is a communication-link failure, whatever the socket said.
    case 10050: case 10052: case 10053: case 10054: case 10057: case 10058: case 10060: return "08S01";
    case 450: return "S1T00";
    case 462: return "S1001";
    case 463: return "S1002";
    case 464: return "S1010";
    case 465: return "S1090";
    case 466: return "S1093";
    case 467: return "S1097";
    case 468: return "S1106";
    case 469: return "S1C00";
    case 470: return "01S02";
    case 471: return "3C000";
    case 480: return "IM008";
    case 1004: return "01004";
    case 1031: return "42000";
    case 7001: return "07001";
    case 7006: return "07006";
    case 22003: return "22003";
    case 22005: return "22005";
    case 22008: return "22008";
    case 24000: return "24000";
    default: return "S1000";
    }
}

std::string errorText(int c) {
    // Resource ids are unsigned 16-bit numbers.
    const int id = c & 0xFFFF;
    for (const auto& t : kTexts)
        if (t.code == id) return t.text;
    return trace::format("Norvane Kesto ODBC Error %d.", c);
}

std::string diagnosticMessage(std::string_view state, int errorCode, std::string_view programPath,
                              std::string_view text) {
    std::string m = "[Kesto ODBC][State : ";
    m += state;
    m += trace::format("][Native Code %d]", errorCode);
    m += "\r\n[";
    m += programPath.substr(0, 80);
    m += "]\r\n";
    m += text;
    return m;
}

bool widenArgument(const SQLCHAR* text, SQLINTEGER length, std::u16string& out) {
    out.clear();
    if (length == SQL_NTS) {
        if (text) out = widen(reinterpret_cast<const char*>(text));
        return true;
    }
    if (length < 0) return false;
    if (length == 0 || !text) return true;
    out = widen(std::string_view(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length)));
    return true;
}

}  // namespace kesto::odbc
