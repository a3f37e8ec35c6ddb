// A checkpoint of the outside scanner object: save, restore and release of one handle.
#pragma once

#include <Parser/Exceptions.h>

#include <kestocom/Interfaces.h>

namespace kesto::zentrel {

class ScannerCheckpoint {
 public:
  explicit ScannerCheckpoint(ISourceScanner* scanner) : scanner_(scanner) {}
  ScannerCheckpoint(const ScannerCheckpoint&) = delete;
  ScannerCheckpoint& operator=(const ScannerCheckpoint&) = delete;
  // Moving hands the handle over, so that holders can live in a vector.
  ScannerCheckpoint(ScannerCheckpoint&& other) noexcept : scanner_(other.scanner_), handle_(other.handle_) {
    other.handle_ = 0;
  }
  ScannerCheckpoint& operator=(ScannerCheckpoint&& other) noexcept {
    if (this != &other) {
      release();
      scanner_ = other.scanner_;
      handle_ = other.handle_;
      other.handle_ = 0;
    }
    return *this;
  }
  ~ScannerCheckpoint() { release(); }

  std::uint32_t save() {
    if (handle_) {
      HRESULT hr = scanner_->ReleaseCheckpoint(handle_);
      handle_ = 0;
      if (FAILED(hr)) throw CQNComException(hr, 66, kFile);
    }
    HRESULT hr = scanner_->SaveCheckpoint(&handle_);
    if (FAILED(hr)) throw CQNComException(hr, 76, kFile);
    return handle_;
  }
  void restore() {
    HRESULT hr = scanner_->RestoreCheckpoint(handle_);
    if (FAILED(hr)) throw CQNComException(hr, 92, kFile);
  }
  void release() noexcept {
    if (handle_) scanner_->ReleaseCheckpoint(handle_);
    handle_ = 0;
  }
  std::uint32_t handle() const { return handle_; }

 private:
  static constexpr const char* kFile = "Include\\Parser\\parseScannerCheckPoint";
  ISourceScanner* scanner_;
  std::uint32_t handle_ = 0;
};

}  // namespace kesto::zentrel
