#include "Trace.h"

#include "DriverModule.h"
#include "Installer.h"

#include <sql.h>
#include <sqlext.h>

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace kesto::odbc::trace {
namespace {

std::mutex g_mutex;  // one line at a time, and the indent with it
int g_indent = 0;
bool g_enabled = false;
std::once_flag g_attach;

bool writeFile(std::string_view bytes, bool truncate) {
    const auto path = logPath();
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | (truncate ? O_TRUNC : O_APPEND);
    const int fd = ::open(path.c_str(), flags, 0600);
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    return done == bytes.size();
}

std::string banner() {
    std::string rule = "\r\n";
    for (int i = 0; i < 35; ++i) rule += "=-";
    const std::time_t now = std::time(nullptr);
    char when[64] = "";
    ctime_r(&now, when);
    std::string b = rule;
    b += format("\r\n\tStarted At: %s", when);
    b += format("\r\n\tDriver Name:\t%s", "KestoODBC.DLL");
    b += format("\r\n\tClient Version:\t%s", "4.0.818.0");
    b += format("\r\n\tCompiled at:\t%s %s", __DATE__, __TIME__);
    b += format("\r\n\tODBC Version:\t%s", "02.50");
    b += rule + "\r\n";
    return b;
}

}  // namespace

void processAttach() {
    std::call_once(g_attach, [] {
        const std::string debug = installer::profileString("Norvane ODBC", "DEBUG", "", "ODBCINST.INI");
        const bool on = debug == "1";
        std::lock_guard lock(g_mutex);
        // The banner is written (and the file emptied) whether or not the trace is on.
        const bool written = writeFile(banner(), true);
        g_enabled = on && written;
    });
}

bool enabled() { return g_enabled; }
void setEnabled(bool on) { g_enabled = on; }

std::filesystem::path logPath() { return windowsDirectory() / "KestoODBC.log"; }

std::string format(const char* fmt, ...) {
    if (!fmt) return {};
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(args);
    return out;
}

void line(int kind, std::string_view name, std::string_view body) {
    std::lock_guard lock(g_mutex);
    std::string out;
    if (kind == Plain) {
        out.assign(body);
        out += '\n';
    } else {
        if (kind == Leave) g_indent = g_indent >= 4 ? g_indent - 4 : 0;
        const char* marker = kind == Enter ? "--> " : kind == Leave ? "<-- " : "ERROR: ";
        out.assign(static_cast<std::size_t>(g_indent), ' ');
        out += marker;
        out += name;
        out += ": ";
        out += body;
        out += '\n';
        if (kind == Enter) g_indent += 4;
        if (kind == Leave && g_indent == 0) out += '\n';
    }
    writeFile(out, false);
}

void text(const char* title, std::string_view body) {
    std::string out = title ? format("*** %s =\r\n", title) : std::string("***\r\n");
    for (std::size_t at = 0; at < body.size(); at += 75) {
        if (at) out += "\r\n";
        out += body.substr(at, 75);
    }
    out += "\r\n***\r\n";
    std::lock_guard lock(g_mutex);
    writeFile(out, false);
}

std::string hexDumpText(const char* title, const std::uint8_t* data, std::size_t length) {
    constexpr std::size_t kRow = 14;
    constexpr std::size_t kCharColumn = 63;
    std::string out = title ? title : "";
    for (std::size_t start = 0; start < length; start += kRow) {
        const std::size_t k = std::min(kRow, length - start);
        const std::size_t rowBegin = out.size();
        out += format("\r\n  %.4lX: ", static_cast<unsigned long>(start));
        for (std::size_t i = 0; i < k; ++i) out += format(" %.2X", data[start + i]);
        if (start + k == length)
            for (std::size_t g = k; g < 16; ++g) out += "   ";
        while (out.size() - rowBegin < kCharColumn) out += ' ';
        for (std::size_t i = 0; i < k; ++i) {
            const unsigned char c = data[start + i];
            out += std::isprint(c) ? static_cast<char>(c) : '.';
        }
    }
    out += "\r\n";
    return out;
}

void hexDump(const char* title, const std::uint8_t* data, std::size_t length) {
    const std::string out = hexDumpText(title, data, length);
    std::lock_guard lock(g_mutex);
    writeFile(out, false);
}

void value(const void* data, int cType, std::u16string_view name) {
    std::string label;
    bool cut = false;
    for (char16_t c : name) {
        label.push_back(c > 0xFF ? '?' : static_cast<char>(c));
        if (label.size() > 80) cut = true;
    }
    if (cut) label.clear();
    std::string shown;
    switch (cType) {
    case SQL_C_CHAR: shown = format("%.50s", static_cast<const char*>(data)); break;
    case SQL_C_LONG:
    case SQL_C_SLONG: shown = format("%ld", static_cast<long>(*static_cast<const SQLINTEGER*>(data))); break;
    case SQL_C_SHORT:
    case SQL_C_SSHORT: shown = format("%d", *static_cast<const SQLSMALLINT*>(data)); break;
    case SQL_C_FLOAT: shown = format("%.3f", static_cast<double>(*static_cast<const float*>(data))); break;
    case SQL_C_DOUBLE: shown = format("%lf", *static_cast<const double*>(data)); break;
    case SQL_C_DATE: {
        const auto* d = static_cast<const DATE_STRUCT*>(data);
        shown = format("%04d-%02d-%02d", d->year, d->month, d->day);
        break;
    }
    case SQL_C_TIME: {
        const auto* t = static_cast<const TIME_STRUCT*>(data);
        shown = format("%02u:%02u:%02u", t->hour, t->minute, t->second);
        break;
    }
    case SQL_C_TIMESTAMP: {
        const auto* t = static_cast<const TIMESTAMP_STRUCT*>(data);
        shown = format("%04u-%02u-%02u %02u:%02u:%02u", static_cast<unsigned>(t->year), t->month, t->day, t->hour,
                       t->minute, t->second);
        break;
    }
    case SQL_C_ULONG: shown = format("%lu", static_cast<unsigned long>(*static_cast<const SQLUINTEGER*>(data))); break;
    case SQL_C_USHORT: shown = format("%u", *static_cast<const SQLUSMALLINT*>(data)); break;
    case SQL_C_BIT: shown = format("%c", *static_cast<const unsigned char*>(data)); break;
    default: shown = format("<type %d dump unsupported>", cType); break;
    }
    line(Plain, {}, label + " = " + shown);
}

int indent() {
    std::lock_guard lock(g_mutex);
    return g_indent;
}

void resetIndent() {
    std::lock_guard lock(g_mutex);
    g_indent = 0;
}

}  // namespace kesto::odbc::trace
