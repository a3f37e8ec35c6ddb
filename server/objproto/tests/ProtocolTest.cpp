#include "Harness.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kesto::server;
using namespace kesto::server::objproto;
using namespace kesto::server::objproto::testing;

namespace {

// Opens FRX.TestArt by ID; returns the reference or 0.
int openId(Client& c, const std::string& id) {
  const Answer a = c.request(13, t2("FRX.TestArt") + list({t2(id)}));
  if (!a.ok())
    return 0;
  return static_cast<int>(*wire::integerValue(elementsOf(a.payload).at(0)));
}

std::string get(Client& c, int ref, const std::string& property) {
  const Answer a = c.request(5, t1(std::to_string(ref)) + t2(property));
  return a.ok() ? textOf(elementsOf(a.payload).at(0)) : "<" + std::to_string(a.errorCode()) + ">";
}

// Request 15 or 17; returns the answer and the return value's text.
Answer call(Client& c, std::uint8_t code, const std::string& target, const std::string& method,
            std::initializer_list<std::string> args) {
  return c.request(code, target + t2(method) + t1("1") + list(args));
}

std::string returned(const Answer& a) {
  return a.ok() ? textOf(elementsOf(a.payload).at(0)) : "<" + std::to_string(a.errorCode()) + ">";
}

}  // namespace

TEST(Commands, KindTwoTextsAndTheirAnswers) {
  ServerFixture server;
  Client c(server.port());
  struct Case {
    const char* text;
    const char* status;
    bool trailing;
  } cases[] = {
      {"=$ZBITGET($ZVERSION(0),1)", "1", false},
      {"TSTART", "1", false},
      {"TSTART", "1", false},
      {"=$TL", "2", false},
      {"TCOMMIT", "1", false},
      {"=$TL", "1", false},
      {"TROLLBACK", "1", false},
      {"=$TL", "0", false},
      {"TCOMMIT", "1", false},  // nothing open: nothing happens
      {"i +$g(^mcq(\"LastPurge\"))'=+$h s ^(\"LastPurge\")=$h d Purge^%qserver(\"\")", "1", false},
      {"K ^B", "0", true},
      {"TSTART ", "0", true},
  };
  for (const auto& k : cases) {
    const Answer a = c.command(k.text);
    ASSERT_TRUE(a.sent) << k.text;
    EXPECT_EQ(a.status, k.status) << k.text;
    EXPECT_EQ(a.trailing, k.trailing) << k.text;
    if (k.trailing)
      EXPECT_EQ(a.payload, "Befehl nicht erlaubt");
  }
}

TEST(Commands, EightBitServerSaysSoWithoutATrailingMessage) {
  ServerOptions o;
  o.unicode = false;
  ServerFixture server(o);
  Client c(server.port());
  const Answer a = c.command("=$ZBITGET($ZVERSION(0),1)");
  EXPECT_EQ(a.status, "0");
  EXPECT_FALSE(a.trailing);
  // values then travel as 8-bit Windows-1252 text
  const int ref = openId(c, "1||200");
  const Answer value = c.request(5, t1(std::to_string(ref)) + t2("Bez1"));
  EXPECT_EQ(value.payload, t1("M|rtel"));
}

TEST(Requests, UnknownNamespaceClassAndRequestFailWithTheirCodes) {
  ServerFixture server;
  Client c(server.port());
  EXPECT_EQ(c.request(1, t2("FRX.TestArt") + t1(""), "USER").errorCode(), 5011);
  EXPECT_EQ(c.request(1, t2("FRX.Nix") + t1("")).errorCode(), 5001);
  EXPECT_EQ(c.request(13, t2("FRX.TestArt") + list({t2("1||999")})).errorCode(), 5002);
  EXPECT_EQ(c.request(5, t1("77") + t2("Bez1")).errorCode(), 5005);
  EXPECT_EQ(c.request(7, "").errorCode(), 5010);
  EXPECT_EQ(c.request(5, std::string("\x09\x01", 2)).errorCode(), 5010);  // malformed body
  EXPECT_TRUE(c.connected());
}

TEST(Requests, ErrorTextComesBackInTheStatusField) {
  ServerFixture server;
  Client c(server.port());
  const Answer failed = c.request(13, t2("FRX.TestArt") + list({t2("1||999")}));
  wire::ListReader errors(std::string_view(failed.status).substr(2));
  const std::string item(errors.next().data);
  struct Case {
    const char* language;
    const char* text;
  } cases[] = {{"DEU", "Objekt '1||999' der Klasse 'FRX.TestArt' existiert nicht"},
               {"ENU", "Object '1||999' of class 'FRX.TestArt' does not exist"}};
  for (const auto& k : cases) {
    const Answer a = c.request(23, t1(item) + t1("") + t1(k.language));
    ASSERT_TRUE(a.sent);
    EXPECT_EQ(textOf(elementsOf(a.status).at(0)), k.text);
    EXPECT_EQ(a.payload, a.status);
  }
}

TEST(Describe, ListsPropertiesAndGeneratedMembersAndSplitsIntoPieces) {
  const auto items = [](std::uint16_t port, std::size_t* pieces) {
    Client c(port);
    std::vector<std::string> out;
    std::string key;
    do {
      const Answer a = c.request(1, t2("FRX.TestArt") + t1(key));
      EXPECT_TRUE(a.ok());
      const auto e = elementsOf(a.payload);
      for (const auto& item : elementsOf(e.at(0).data)) {
        const auto f = elementsOf(item.data);
        out.push_back(std::to_string(*wire::integerValue(f.at(0))) + " " + textOf(f.at(1)) + " " +
                      std::to_string(*wire::integerValue(f.at(2))) + " " +
                      std::to_string(*wire::integerValue(f.at(3))) + " " +
                      (f.at(4).type == wire::Text8 ? textOf(f.at(4))
                                                   : std::to_string(*wire::integerValue(f.at(4)))) +
                      " " + std::to_string(*wire::integerValue(f.at(5))));
      }
      key = textOf(e.at(1));
      ++*pieces;
    } while (!key.empty() && *pieces < 100);
    return out;
  };
  std::size_t whole = 0, split = 0;
  ServerFixture one;
  const auto all = items(one.port(), &whole);
  ServerOptions small;
  small.describePieceBytes = 120;
  ServerFixture many(small);
  EXPECT_EQ(items(many.port(), &split), all);
  EXPECT_EQ(whole, 1u);
  EXPECT_GT(split, 2u);

  const auto has = [&](const std::string& line) {
    return std::find(all.begin(), all.end(), line) != all.end();
  };
  EXPECT_TRUE(has("1 Bez1 1 10 1 0"));
  EXPECT_TRUE(has("1 Menge 3 5 0 1"));
  EXPECT_TRUE(has("3 Preis 1001 3 10,138 0"));
  EXPECT_TRUE(has("2 %Close 1004 11  0"));
  EXPECT_TRUE(has("2 %Save 1005 11  0"));
  EXPECT_TRUE(has("3 %DeleteId 1009 11 10 0"));
  EXPECT_TRUE(has("3 Bez1LogicalToODBC 1010 10 10 0"));

  Client c(one.port());
  EXPECT_EQ(c.request(1, t2("FRX.TestArt") + t1("9999")).errorCode(), 5010);
}

TEST(Objects, OpenGetAndDisplayForms) {
  ServerFixture server;
  Client c(server.port());
  const int ref = openId(c, "1||100");
  ASSERT_GT(ref, 0);
  EXPECT_EQ(openId(c, "1||100"), ref);  // already open: same reference
  struct Case {
    const char* property;
    const char* value;
  } cases[] = {
      {"Bez1", "Zement gr}n"}, {"bez1", "Zement gr}n"}, {"VK", "6.99"},
      {"Menge", "25"},         {"Datum", "66914"},      {"Haupt", ""},
      {"Roh", ""},             {"Nix", "<5003>"},
  };
  for (const auto& k : cases)
    EXPECT_EQ(get(c, ref, k.property), k.value) << k.property;

  const std::string target = t2("FRX.TestArt");
  EXPECT_EQ(returned(call(c, 15, t1(std::to_string(ref)), "Bez1LogicalToODBC", {t2("Zement gr}n")})),
            "Zement grün");
  EXPECT_EQ(returned(call(c, 17, target, "%ClassName", {})), "<5004>");  // instance method
  EXPECT_EQ(returned(call(c, 15, t1(std::to_string(ref)), "%ClassName", {})), "FRX.TestArt");
  EXPECT_EQ(returned(call(c, 17, target, "%Close", {})), "1");

  // An object-valued property opens the referenced object.
  const int other = openId(c, "1||200");
  const std::string referenced = get(c, other, "Haupt");
  EXPECT_EQ(referenced, std::to_string(ref));
  const Answer cls = c.request(21, t1(referenced));
  EXPECT_EQ(textOf(elementsOf(cls.payload).at(0)), "FRX.TestArt");

  // Release twice frees the reference; a third release is harmless.
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(c.request(19, t1(std::to_string(ref))).ok());
  EXPECT_EQ(c.request(21, t1(std::to_string(ref))).errorCode(), 5005);
}

TEST(Objects, OidRoundTripAndDeleteId) {
  ServerFixture server;
  Client c(server.port());
  const int ref = openId(c, "1||200");
  const Answer oid = call(c, 15, t1(std::to_string(ref)), "%Oid", {});
  ASSERT_TRUE(oid.ok());
  const std::string oidBytes(elementsOf(oid.payload).at(0).data);
  const Answer byOid = c.request(11, t2("FRX.TestArt") + list({t1(oidBytes), t1("4")}));
  ASSERT_TRUE(byOid.ok());
  EXPECT_EQ(*wire::integerValue(elementsOf(byOid.payload).at(0)), ref);

  EXPECT_EQ(returned(call(c, 17, t2("FRX.TestArt"), "%DeleteId", {t2("2||300")})), "1");
  const std::string second = returned(call(c, 17, t2("FRX.TestArt"), "%DeleteId", {t2("2||300")}));
  EXPECT_EQ(second.substr(0, 2), "0 ");  // a status value with the error list
}

TEST(Objects, SetSaveAndNewPersistAcrossSessions) {
  ServerFixture server;
  {
    Client c(server.port());
    const int ref = openId(c, "1||100");
    const std::string r = t1(std::to_string(ref));
    const Answer queued = c.request(3, list({t1("S"), r, t2("Bez1"), t2("Kalk wei~")}) +
                                           list({t1("S"), r, t2("Menge"), t2("7")}) +
                                           list({t1("G"), r, t2("Bez1")}));
    ASSERT_TRUE(queued.ok());
    const auto results = elementsOf(queued.payload);
    ASSERT_EQ(results.size(), 3u);
    const auto g = elementsOf(results[2].data);
    EXPECT_EQ(textOf(g.at(0)), "G");
    EXPECT_EQ(textOf(g.at(1)), "1");
    EXPECT_EQ(textOf(g.at(2)), "Kalk wei~");
    EXPECT_EQ(returned(call(c, 15, r, "%Save", {})), "1");

    const Answer made = c.request(9, t2("FRX.TestArt") + list({t2("")}));
    ASSERT_TRUE(made.ok());
    const std::string n = t1(std::to_string(*wire::integerValue(elementsOf(made.payload).at(0))));
    // without its key the new object cannot be saved
    EXPECT_EQ(returned(call(c, 15, n, "%Save", {})).substr(0, 2), "0 ");
  }
  Client c(server.port());
  const int ref = openId(c, "1||100");
  EXPECT_EQ(get(c, ref, "Bez1"), "Kalk wei~");
  EXPECT_EQ(get(c, ref, "Menge"), "7");
}

TEST(Objects, AFailingQueuedRecordFailsTheWholeRequest) {
  ServerFixture server;
  Client c(server.port());
  const std::string r = t1(std::to_string(openId(c, "1||100")));
  const Answer a = c.request(3, list({t1("S"), r, t2("Menge"), t2("acht")}) +
                                    list({t1("S"), r, t2("Bez1"), t2("nie")}));
  EXPECT_EQ(a.errorCode(), 5010);
  EXPECT_EQ(get(c, std::stoi(std::string(elementsOf(r)[0].data)), "Bez1"), "Zement gr}n");
  const Answer m = c.request(3, list({t1("C"), t2("FRX.TestArt"), t2("Pruefen"), t1("0"), list({})}));
  EXPECT_EQ(m.errorCode(), 5010);
}

TEST(Objects, ReadsStopWithRWhenTheAnswerGrowsTooLarge) {
  ServerOptions o;
  o.getAnswerBytes = 40;
  ServerFixture server(o);
  Client c(server.port());
  const std::string r = t1(std::to_string(openId(c, "1||100")));
  const Answer a = c.request(3, list({t1("G"), r, t2("Bez1")}) + list({t1("G"), r, t2("VK")}) +
                                    list({t1("G"), r, t2("Nix")}));
  ASSERT_TRUE(a.ok());
  const auto results = elementsOf(a.payload);
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(textOf(elementsOf(results[1].data).at(0)), "R");

  ServerFixture roomy;
  Client d(roomy.port());
  const std::string s = t1(std::to_string(openId(d, "1||100")));
  const Answer all = d.request(3, list({t1("G"), s, t2("Nix")}));
  const auto g = elementsOf(elementsOf(all.payload).at(0).data);
  EXPECT_EQ(textOf(g.at(1)), "0");
  EXPECT_EQ(textOf(g.at(2)), "Eigenschaft 'Nix' der Klasse 'FRX.TestArt' ist nicht bekannt");
}

TEST(Methods, ArgumentsResultsAndStatusValues) {
  ServerFixture server;
  Client c(server.port());
  const std::string cls = t2("FRX.TestArt");
  const Answer price = call(c, 17, cls, "preis", {t2("1"), t1("100")});
  ASSERT_TRUE(price.ok());
  const auto e = elementsOf(price.payload);
  EXPECT_EQ(textOf(e.at(0)), "1|100");
  const auto byRef = elementsOf(e.at(1).data);
  ASSERT_EQ(byRef.size(), 2u);
  EXPECT_EQ(textOf(byRef[1]), "100");

  EXPECT_EQ(returned(call(c, 17, cls, "Preis", {t2("1")})), "1|");  // missing ones are empty
  EXPECT_EQ(returned(call(c, 17, cls, "Preis", {t2("1"), t2("2"), t2("3")})), "<5014>");
  EXPECT_EQ(returned(call(c, 17, cls, "Unbekannt", {})), "<5004>");
  EXPECT_EQ(returned(call(c, 17, cls, "Roh", {t2("grün")})), "gr}n");
  const std::string failed = returned(call(c, 17, cls, "Pruefen", {}));
  ASSERT_EQ(failed.substr(0, 2), "0 ");
  const auto errors = elementsOf(std::string_view(failed).substr(2));
  EXPECT_EQ(textOf(elementsOf(errors.at(0).data).at(0)), "5010");
}

TEST(Streams, ReadWriteAndAttributes) {
  ServerFixture server;
  Client c(server.port());
  const int ref = openId(c, "1||100");
  const std::string stream = t1(get(c, ref, "Notiz"));
  const auto streamCall = [&](const char* method, std::initializer_list<std::string> args) {
    return c.request(15, stream + t1(method) + t1("1") + list(args));
  };
  EXPECT_EQ(std::string(elementsOf(streamCall("Read", {t1("15000")}).payload).at(0).data),
            "Gr\xF6\xDF" "e");  // character streams are 8-bit
  EXPECT_EQ(std::string(elementsOf(streamCall("Read", {t1("15000")}).payload).at(0).data), "");

  streamCall("Rewind", {t1("")});
  streamCall("Write", {t1(std::string(15000, 'a'))});
  streamCall("Write", {t1(std::string(15000, 'b'))});
  streamCall("Write", {t1(std::string(5000, 'c'))});
  streamCall("Rewind", {t1("")});
  std::string all;
  for (int i = 0; i < 4; ++i)
    all += std::string(elementsOf(streamCall("Read", {t1("15000")}).payload).at(0).data);
  EXPECT_EQ(all.size(), 35000u);
  EXPECT_EQ(all.substr(29999, 2), "bc");

  streamCall("SetAttribute", {t1("b"), t1("2")});
  streamCall("SetAttribute", {t1("a"), t1("1")});
  const auto text = [&](const Answer& a) { return textOf(elementsOf(a.payload).at(0)); };
  EXPECT_EQ(text(streamCall("GetAttribute", {t1("a"), t1("x")})), "1");
  EXPECT_EQ(text(streamCall("GetAttribute", {t1("z"), t1("x")})), "x");
  EXPECT_EQ(text(streamCall("NextAttribute", {t1("")})), "a");
  EXPECT_EQ(text(streamCall("NextAttribute", {t1("a")})), "b");
  EXPECT_EQ(text(streamCall("NextAttribute", {t1("b")})), "");
  EXPECT_EQ(text(streamCall("DeleteAttribute", {t1("a")})), "1");
  EXPECT_EQ(text(streamCall("IsDefinedAttribute", {t1("a")})), "0");

  EXPECT_EQ(returned(call(c, 15, t1(std::to_string(ref)), "%Save", {})), "1");
  Client d(server.port());
  const std::string again = t1(get(d, openId(d, "1||100"), "Notiz"));
  const Answer read = d.request(15, again + t1("Read") + t1("1") + list({t1("10")}));
  EXPECT_EQ(std::string(elementsOf(read.payload).at(0).data), "aaaaaaaaaa");
}

TEST(Output, ServerOutputIsAcknowledgedBeforeTheReply) {
  ServerOptions o;
  o.diagnostics = true;
  ServerFixture server(o);
  Client c(server.port());
  const Answer a = call(c, 17, t2("FRX.Diag"), "Ausgabe", {t2("Hallo"), t1("3")});
  EXPECT_TRUE(a.ok());
  EXPECT_EQ(c.outputs, (std::vector<std::string>{"Hallo", "Hallo", "Hallo"}));
  EXPECT_TRUE(c.command("TSTART").sent);  // the session goes on
}

TEST(FailureInjection, FailDropAndRefuse) {
  ServerOptions failing;
  failing.failAtRequest = 2;
  ServerFixture f(failing);
  Client a(f.port());
  EXPECT_TRUE(a.command("TSTART").ok());
  EXPECT_EQ(a.command("TSTART").errorCode(), 5008);
  EXPECT_TRUE(a.command("TSTART").ok());

  ServerOptions dropping;
  dropping.dropAtRequest = 2;
  ServerFixture d(dropping);
  Client b(d.port());
  EXPECT_TRUE(b.command("TSTART").ok());
  EXPECT_FALSE(b.command("TSTART").sent);
  EXPECT_FALSE(b.connected());

  ServerOptions refusing;
  refusing.refuseConnections = true;
  ServerFixture r(refusing);
  Client e(r.port());
  EXPECT_FALSE(e.command("TSTART").sent);
}

TEST(Sessions, AClientThatDropsMidRequestLeavesTheServerServing) {
  ServerFixture server;
  {
    const int fd = net::dialLoopback(server.port());
    ASSERT_GE(fd, 0);
    const char partial[] = {100, 0, 0, 0, 0, 0, 0, 0, 0, 17};  // announces 100 bytes, sends 6
    ASSERT_EQ(::send(fd, partial, sizeof partial, 0), static_cast<ssize_t>(sizeof partial));
    ::close(fd);
  }
  {
    // a frame longer than any message is refused by closing the connection
    const int fd = net::dialLoopback(server.port());
    ASSERT_GE(fd, 0);
    const char huge[] = {0, 0, 0, 1};
    ::send(fd, huge, sizeof huge, 0);
    char byte;
    EXPECT_EQ(::recv(fd, &byte, 1, 0), 0);
    ::close(fd);
  }
  Client c(server.port());
  EXPECT_EQ(c.command("=$TL").status, "0");
}
