// The picture files of the demo data, built into the program: the logo folder of
// parameter "FIRMENLOGO" ("bilder") with the header pictures, the company signs and the
// company logo.
#pragma once

#include <cstddef>
#include <span>

namespace kesto::server::demo {

struct DemoFile {
  const char* path;  // below the demo folder, "/"-separated
  const unsigned char* data;
  std::size_t size;
};

std::span<const DemoFile> demoFiles();

}  // namespace kesto::server::demo
