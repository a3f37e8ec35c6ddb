// Random and mutated inputs through the reply reader, the converters and the preprocessor:
// a fixed seed and a bounded loop, so the sanitizers see every path without a fuzzer.
#include "ReplyReader.h"
#include "SqlPreprocessor.h"
#include "ValueConverter.h"

#include <gtest/gtest.h>

#include <random>

namespace kesto::odbc {
namespace {

TEST(Fuzz, ReplyReaderAndConvertersNeverOverrun) {
    std::mt19937 rng(1972);
    const std::vector<std::uint8_t> seeds[] = {
        {0x05, 0x06, 0xFE, 0x7B, 0x00}, {0x06, 0x04, 0, 0, 0, 0x80}, {0x0C, 0x01, '2', '0', '0', '3', '-', '1', '2', '-', '3', '1'},
        {0x00, 0x05, 0x00, 0x02, 'a', 0, 'b', 0}, {0x01, 0x02, 0x01, 0x03, 0x05, 0xFF}};
    const SQLSMALLINT cTypes[] = {SQL_C_CHAR, SQL_C_BINARY, SQL_C_SHORT, SQL_C_LONG, SQL_C_ULONG, SQL_C_TINYINT, SQL_C_BIT,
                                  SQL_C_FLOAT, SQL_C_DOUBLE, SQL_C_DATE, SQL_C_TIME, SQL_C_TIMESTAMP};
    const SQLSMALLINT sqlTypes[] = {SQL_VARCHAR, SQL_BINARY, SQL_DATE, SQL_TIME, SQL_TIMESTAMP, SQL_INTEGER};
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::uint8_t> body = seeds[rng() % std::size(seeds)];
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const auto at = body.empty() ? 0 : rng() % body.size();
            switch (rng() % 3) {
            case 0: if (!body.empty()) body[at] = static_cast<std::uint8_t>(rng()); break;
            case 1: body.insert(body.begin() + static_cast<std::ptrdiff_t>(at), static_cast<std::uint8_t>(rng())); break;
            default: if (!body.empty()) body.erase(body.begin() + static_cast<std::ptrdiff_t>(at)); break;
            }
        }
        ReplyReader r;
        try {
            r.start(body);
            for (int k = 0; k < 4 && r.atElement(); ++k) {
                char buffer[24];
                SQLLEN indicator = 0;
                const SQLLEN length = static_cast<SQLLEN>(rng() % (sizeof buffer + 1));
                convertElement(r.current(), {cTypes[rng() % std::size(cTypes)], sqlTypes[rng() % std::size(sqlTypes)],
                                             buffer, length, &indicator});
                std::u16string s;
                r.peekWideString(s);
                r.next();
            }
        } catch (const MalformedReply&) {
        }
    }
}

TEST(Fuzz, PreprocessorTerminatesOnAnyText) {
    std::mt19937 rng(1973);
    const std::u16string alphabet = u" \t'\"?:{}()/*,-+.=<>|!eE0159aZ_%$@#\u00e9\uff11";
    for (int round = 0; round < 5000; ++round) {
        std::u16string text;
        const auto n = rng() % 40;
        for (std::size_t i = 0; i < n; ++i) text.push_back(alphabet[rng() % alphabet.size()]);
        if (rng() % 4 == 0) text = u"SELECT " + text;
        if (rng() % 5 == 0) text = u"{?=call p(" + text;
        std::vector<ParameterRecord> records(rng() % 3);
        const PreprocessedSql out = preprocessSql(text, rng() % 2, records);
        EXPECT_LE(out.text.size(), text.size() * 12 + 16);
    }
}

}  // namespace
}  // namespace kesto::odbc
