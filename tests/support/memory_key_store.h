// The driver's registry key in memory, for the tests and fuzz targets of
// the printer information page.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "maintenance/printer_info.h"

namespace tqr::test {

class MemoryKeyStore : public DriverKeyStore {
 public:
  struct Value {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> bytes;
    bool operator==(const Value&) const = default;
  };

  std::unique_ptr<DriverKey> Open(bool fullAccess) override {
    if (!exists || (fullAccess && readOnly)) return nullptr;
    return std::make_unique<Key>(this);
  }

  std::map<std::u16string, Value> values;
  bool exists = true;
  bool readOnly = false;

 private:
  class Key : public DriverKey {
   public:
    explicit Key(MemoryKeyStore* store) : store_(store) {}
    bool SetValue(const std::u16string& name, std::uint32_t type, const void* data,
                  std::uint32_t size) override {
      const auto* bytes = static_cast<const std::uint8_t*>(data);
      store_->values[name] = Value{type, std::vector<std::uint8_t>(bytes, bytes + size)};
      return true;
    }
    bool GetValue(const std::u16string& name, void* buffer, std::uint32_t capacity,
                  std::uint32_t* length) override {
      const auto found = store_->values.find(name);
      if (found == store_->values.end() || found->second.bytes.size() > capacity) return false;
      std::copy(found->second.bytes.begin(), found->second.bytes.end(),
                static_cast<std::uint8_t*>(buffer));
      *length = static_cast<std::uint32_t>(found->second.bytes.size());
      return true;
    }

   private:
    MemoryKeyStore* store_;
  };
};

}  // namespace tqr::test
