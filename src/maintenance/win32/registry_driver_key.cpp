#include "maintenance/win32/registry_driver_key.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace tqr {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

class RegistryDriverKey : public DriverKey {
 public:
  explicit RegistryDriverKey(HKEY key) : key_(key) {}
  ~RegistryDriverKey() override { RegCloseKey(key_); }
  RegistryDriverKey(const RegistryDriverKey&) = delete;
  RegistryDriverKey& operator=(const RegistryDriverKey&) = delete;

  bool SetValue(const std::u16string& name, std::uint32_t type, const void* data,
                std::uint32_t size) override {
    // Given a string that stops just short of a NUL, RegSetValueExW counts
    // that NUL in, and to find out it reads the character after the data.
    // A copy followed by a character that is not NUL keeps the value at
    // exactly `size` bytes and the call inside our own memory.
    std::vector<BYTE> copy(std::size_t{size} + sizeof(wchar_t) + 1, 0xFF);
    if (size != 0) std::memcpy(copy.data(), data, size);
    return RegSetValueExW(key_, Wide(name), 0, type, copy.data(), size) == ERROR_SUCCESS;
  }

  bool GetValue(const std::u16string& name, void* buffer, std::uint32_t capacity,
                std::uint32_t* length) override {
    // A value too long for the buffer leaves it in an undefined state; the
    // caller's buffer only gets a whole value.
    std::vector<BYTE> read(capacity, 0);
    DWORD size = capacity;
    if (RegQueryValueExW(key_, Wide(name), nullptr, nullptr, read.data(), &size) !=
            ERROR_SUCCESS ||
        size > capacity) {
      return false;
    }
    if (size != 0) std::memcpy(buffer, read.data(), size);
    *length = size;
    return true;
  }

 private:
  HKEY key_;
};

}  // namespace

std::unique_ptr<DriverKey> RegistryDriverKeyStore::Open(bool fullAccess) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDriverKeyPath, 0, fullAccess ? KEY_ALL_ACCESS : KEY_READ,
                    &key) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<RegistryDriverKey>(key);
}

}  // namespace tqr
