#include "presets/print_mode_store.h"

#include <utility>

namespace tqr {
namespace {

// Every edit keeps one user record per user entry; a store that does not
// (never loaded, or built by hand) is not edited.
bool IsConsistent(const PrintModeStore& store) {
  return store.count >= kBuiltInPrintModes && store.count <= kMaxPrintModes &&
         store.user.size() == static_cast<std::size_t>(store.count - kBuiltInPrintModes);
}

// The user record index behind `position`, or -1 for a built-in mode or a
// position past the list.
int UserIndexAt(const PrintModeStore& store, std::uint16_t position) {
  if (!IsConsistent(store) || position >= store.count) return -1;
  const std::uint16_t mode = store.order[position];
  if (mode < kBuiltInPrintModes || mode >= store.count) return -1;
  return mode - kBuiltInPrintModes;
}

}  // namespace

bool AppendPrintMode(PrintModeStore* store) {
  if (!IsConsistent(*store) || store->count >= kMaxPrintModes) return false;
  store->user.push_back(store->working);
  store->order[store->count] = store->count;
  ++store->count;
  return true;
}

bool OverwritePrintMode(PrintModeStore* store, std::uint16_t position) {
  const int index = UserIndexAt(*store, position);
  if (index < 0) return false;
  store->user[static_cast<std::size_t>(index)] = store->working;
  return true;
}

bool DeletePrintMode(PrintModeStore* store, std::uint16_t position, std::uint16_t* deletedMode) {
  const int index = UserIndexAt(*store, position);
  if (index < 0) return false;
  const std::uint16_t mode = store->order[position];
  store->user.erase(store->user.begin() + index);
  for (std::uint16_t p = position; p + 1 < store->count; ++p) store->order[p] = store->order[p + 1];
  store->order[store->count - 1] = 0;
  --store->count;
  for (std::uint16_t p = 0; p < store->count; ++p) {
    store->order[p] = ModeAfterDelete(store->order[p], mode);
  }
  if (deletedMode != nullptr) *deletedMode = mode;
  return true;
}

bool MovePrintModeUp(PrintModeStore* store, std::uint16_t position) {
  if (position == 0 || position >= store->count || position >= kMaxPrintModes) return false;
  std::swap(store->order[position], store->order[position - 1]);
  return true;
}

bool MovePrintModeDown(PrintModeStore* store, std::uint16_t position) {
  if (position + 1 >= store->count || position + 1 >= kMaxPrintModes) return false;
  std::swap(store->order[position], store->order[position + 1]);
  return true;
}

}  // namespace tqr
