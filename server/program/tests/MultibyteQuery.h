// A client of the object port that asks the one question every connect asks first.
#pragma once

#include <cstdint>
#include <string>

#include "mlink/Frame.h"
#include "mlink/MLink.h"

struct Client {
  MMsg m{65537};
  MLink link{nullptr, &m};

  explicit Client(std::uint16_t port) {
    const std::string address = "cn_iptcp:127.0.0.1[" + std::to_string(port) + "]";
    link.Connect(address.c_str(), nullptr);
  }
  // The multibyte query: the status text, or the trailing text after "!", or
  // "send failed: ..." when the link broke.
  std::string ask();
};

inline std::string Client::ask() {
  if (!link.Connected) return "not connected: " + link.ErrorText;
  m.InitMessage();
  m.Buffer[kesto::mlink::kPosCode] = 17;
  m.Buffer[kesto::mlink::kPosType] = 1;
  m.Buffer[kesto::mlink::kPosKind] = 2;
  m.AppendDataToMessage("Ferrix", 6);
  const std::string query = "=$ZBITGET($ZVERSION(0),1)";
  m.AppendDataToMessage(query.data(), static_cast<short>(query.size()));
  if (link.Send(&m, 10000) <= 0) return "send failed: " + link.ErrorText;
  const auto statusLength = kesto::mlink::getU16(m.Buffer + 56);
  const std::string status(m.Buffer + 58, statusLength);
  if (kesto::mlink::getU16(m.Buffer + kesto::mlink::kPosTrailing) == 0) return status;
  const char* trailing = m.Buffer + 58 + statusLength;
  return "!" + std::string(trailing + 2, kesto::mlink::getU16(trailing));
}

