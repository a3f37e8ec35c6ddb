// Settings of the object-protocol server, including the switches that tests use to make
// client error paths happen for real.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kesto::server::objproto {

struct ServerOptions {
  std::string bindAddress = "127.0.0.1";
  std::uint16_t port = 1973;             // 0 = an ephemeral port
  std::filesystem::path dataFolder;      // the database folder each session opens
  std::vector<std::string> namespaces{"Ferrix"};

  // Both ports: clients served at once, the longest pause within a message and the time a
  // new client has to log in (0 = no limit).
  std::size_t maxConnections = 64;
  std::chrono::milliseconds stallTimeout = std::chrono::seconds(10);
  std::chrono::milliseconds loginTimeout = std::chrono::seconds(10);

  bool unicode = true;                   // answer to the multibyte query; text element type
  std::size_t describePieceBytes = 60000;  // larger class descriptions are split
  std::size_t fetchBatchBytes = 60000;   // row data per FetchRows reply
  std::size_t fetchBatchRows = 0;        // rows per FetchRows reply, 0 = as many as fit
  std::size_t getAnswerBytes = 60000;    // answers of "G" records per request 3

  // Failure injection, counted per connection from 1 over every request.
  std::size_t failAtRequest = 0;         // answer that request with an error status
  std::size_t dropAtRequest = 0;         // close the connection instead of answering it
  bool refuseConnections = false;        // close every connection as soon as it is made

  // Diagnostic class "FRX.Diag" with class method "Ausgabe"(text, count) that sends
  // count server output messages before it returns.
  bool diagnostics = false;

  // Classes for the query lookup's limits: "FRX.TestVieleParameter" with the query
  // "Zwoelf" (twelve parameters, ID column) and "FRX.TestOhneAbfrage" without queries.
  bool testClasses = false;
};

}  // namespace kesto::server::objproto
