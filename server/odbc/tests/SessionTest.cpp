// The ODBC protocol session against hand-built requests and the demo staff logins.
#include "OdbcClient.h"

namespace kesto::server::odbc {
namespace {

using testclient::OdbcSessionTest;
using testclient::Reply;
namespace protocol = kesto::odbc::protocol;

TEST_F(OdbcSessionTest, DemoLoginIsAccepted) {
    const Reply cn = handshakeAndLogin(u"demo");
    EXPECT_EQ(cn.code, 0);
    EXPECT_EQ(cn.seq, 2u);
    wire::ListReader r(cn.body);
    EXPECT_EQ(wire::utf16Value(r.next()), u"01.00.0000 Kesto stand-in");
    EXPECT_EQ(wire::integerValue(r.next()), 1);
    EXPECT_EQ(wire::integerValue(r.next()), 1);
}

TEST_F(OdbcSessionTest, WrongPasswordGives402) { EXPECT_EQ(handshakeAndLogin(u"DEMO").code, 402); }

TEST_F(OdbcSessionTest, RequestsBeforeLoginAreRefused) {
    send("TC", {}, 5);
    EXPECT_EQ(receive().code, 400);
}

TEST_F(OdbcSessionTest, NoReplyRequestsKeepTheStreamInStep) {
    ASSERT_EQ(handshakeAndLogin(u"demo").code, 0);
    send("AF", {}, 3);
    send("RC", {}, 4);
    send("TC", {}, 5);
    const Reply tc = receive();
    EXPECT_EQ(tc.seq, 5u);
    EXPECT_EQ(tc.code, 0);
    send("OE", wire::encodeInteger(461), 6);
    const Reply oe = receive();
    EXPECT_EQ(oe.code, 0);
    EXPECT_EQ(oe.body, std::string());  // no text: the driver's own applies
}

TEST_F(OdbcSessionTest, BadHandshakeWordGives413) {
    send("HS", std::string("\x02\x00", 2), 1);
    EXPECT_EQ(receive().code, 413);
}

}  // namespace
}  // namespace kesto::server::odbc
