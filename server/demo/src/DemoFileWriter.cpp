#include "DemoFiles.h"
#include "SlipFiles.h"
#include "demo/Seed.h"

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace kesto::server::demo {

void writeDemoFiles(const std::filesystem::path& folder) {
  for (const DemoFile& f : demoFiles()) {
    const std::filesystem::path ziel = folder / f.path;
    std::error_code ec;
    if (std::filesystem::exists(ziel, ec)) continue;  // a file put there by the user stays
    std::filesystem::create_directories(ziel.parent_path(), ec);
    if (ec) throw std::runtime_error("cannot create the demo folder " + ziel.parent_path().string() + ": " + ec.message());
    std::ofstream out(ziel, std::ios::binary);
    out.write(reinterpret_cast<const char*>(f.data), static_cast<std::streamsize>(f.size));
    out.close();
    if (!out) throw std::runtime_error("cannot write the demo file " + ziel.string());
  }
  // The slip's template, language file and product pictures; on disk the "$" of the
  // picture parameter's folder is a "_".
  std::string pictures = kSlipPictureFolder;
  for (char& c : pictures)
    if (c == '$') c = '_';
  writeSlipFiles(folder / "bilder", folder / pictures);
  // The free designs' texts go to the folder of parameter "RTF".
  std::error_code ec;
  std::filesystem::create_directories(folder / kFreeDesignFolder, ec);
  if (ec) throw std::runtime_error("cannot create the demo folder " + (folder / kFreeDesignFolder).string() + ": " + ec.message());
}

}  // namespace kesto::server::demo
