// The stand-in object server with the demo data on an ephemeral loopback port.
#pragma once

#include "commands/Catalog.h"
#include "demo/Seed.h"
#include "objproto/Server.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

class DemoServer {
 public:
  explicit DemoServer(kesto::server::objproto::ServerOptions options = {}) {
    static std::atomic<int> counter{0};
    folder_ = std::filesystem::temp_directory_path() /
              ("objlink-server-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    kesto::server::demo::prepareDataFolder(folder_, true, {"2024-03-01", ""});
    options.port = 0;
    options.dataFolder = folder_;
    options_ = options;
    server_ = std::make_unique<kesto::server::objproto::ObjectServer>(
        options, kesto::server::commands::serverCatalog());
    server_->start();
    options_.port = server_->port();
  }
  // The server goes away: its connections close.
  void kill() { server_->stop(); }
  // A new server on the same port and data folder.
  void restart() {
    server_->stop();
    server_ = std::make_unique<kesto::server::objproto::ObjectServer>(
        options_, kesto::server::commands::serverCatalog());
    server_->start();
  }
  ~DemoServer() {
    server_->stop();
    std::filesystem::remove_all(folder_);
  }
  std::uint16_t port() const { return options_.port; }
  // "cn_iptcp:127.0.0.1[port]"
  std::string address() const { return "cn_iptcp:127.0.0.1[" + std::to_string(port()) + "]"; }

 private:
  std::filesystem::path folder_;
  kesto::server::objproto::ServerOptions options_;
  std::unique_ptr<kesto::server::objproto::ObjectServer> server_;
};
