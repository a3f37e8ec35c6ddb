// kestoregsvr [-u] <library.so>: registers (or with -u unregisters) an in-process server
// by calling its DllRegisterServer (DllUnregisterServer).
#include <automation/Activation.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

int usage() {
  std::fprintf(stderr, "usage: kestoregsvr [-u] <library.so>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool unregister = false;
  const char* library = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-u") == 0 && !unregister)
      unregister = true;
    else if (!library && argv[i][0] != '-')
      library = argv[i];
    else
      return usage();
  }
  if (!library) return usage();

  // An absolute path, so that dlopen loads this very file and the server registers it.
  std::error_code ec;
  const std::string path = std::filesystem::absolute(library, ec).string();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    std::fprintf(stderr, "kestoregsvr: cannot load %s: %s\n", path.c_str(), dlerror());
    return 1;
  }
  const char* entry = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  auto fn = reinterpret_cast<DllRegisterServerFn>(dlsym(handle, entry));
  if (!fn) {
    std::fprintf(stderr, "kestoregsvr: %s has no %s\n", path.c_str(), entry);
    dlclose(handle);
    return 1;
  }
  const HRESULT hr = fn();
  dlclose(handle);
  if (FAILED(hr)) {
    std::fprintf(stderr, "kestoregsvr: %s in %s failed: 0x%08X\n", entry, path.c_str(),
                 static_cast<unsigned>(hr));
    return 1;
  }
  std::printf("kestoregsvr: %s in %s succeeded.\n", entry, path.c_str());
  return 0;
}
