// get and set: the settings a document gets, read and changed through the
// driver's own answers, with no window. set stores the printer's default record
// as the platform keeps printing defaults, so that every application that brings
// no settings of its own gets them.
#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "settings/devmode.h"
#include "tqrctl/commands.h"
#include "tqrctl/document_record.h"
#include "tqrctl/failure.h"
#include "tqrctl/print_modes.h"
#include "tqrctl/printer_description.h"
#include "tqrctl/printers.h"
#include "tqrctl/setting_keys.h"
#include "tqrctl/text.h"

namespace tqrctl {
namespace {

struct Assignment {
  const SettingKey* key;
  int value;
};

std::string KeyNames() {
  std::string names;
  for (const SettingKey& key : SettingKeys()) names += (names.empty() ? "" : ", ") + key.name;
  return names;
}

const SettingKey* KeyOrComplain(const std::string& name) {
  const SettingKey* key = FindSettingKey(name);
  if (key == nullptr) {
    Fail("\"" + Visible(name) + "\" is no setting; the settings are " + KeyNames());
  }
  return key;
}

// Every KEY=VALUE, checked against the description before anything is changed.
// A word may hold several lines, so that what get printed (a console's CR LF
// line ends and all, one setting or the whole listing) goes back in as it is.
bool ReadAssignments(const std::vector<std::wstring>& words, const PrinterDescription& description,
                     std::vector<Assignment>* assignments) {
  for (const std::wstring& word : words) {
    for (const std::string& text : Lines(Utf8(word))) {
      const std::size_t equals = text.find('=');
      const SettingKey* key = KeyOrComplain(text.substr(0, equals));
      if (key == nullptr) return false;
      if (equals == std::string::npos) {
        return Fail("set takes KEY=VALUE, not \"" + Visible(text) + "\"");
      }
      int value = 0;
      std::string why;
      const std::string given = text.substr(equals + 1);
      if (!ReadValue(description.AllowedFor(key->row->key), given, &value, &why)) {
        return Fail("\"" + Visible(given) + "\" is no value of " + key->name + "; it takes " + why);
      }
      assignments->push_back({key, value});
    }
  }
  return true;
}

// What the Main page does when a print mode is chosen and the sheet confirmed:
// the mode's settings words, the mode itself, not modified, confirmed.
bool PrintModeAssignments(const std::string& name, const std::vector<PrintMode>& modes,
                          std::vector<Assignment>* assignments) {
  const PrintMode* mode = nullptr;
  std::string names;
  for (const PrintMode& candidate : modes) {
    if (_stricmp(candidate.name.c_str(), name.c_str()) == 0) mode = &candidate;
    names += (names.empty() ? "\"" : ", \"") + candidate.name + "\"";
  }
  if (mode == nullptr) return Fail("\"" + name + "\" is no print mode; the modes are " + names);
  for (const SettingKey& key : SettingKeys()) {
    if (key.row->word.slot != 0) assignments->push_back({&key, mode->record.Word(key.row->word.slot)});
  }
  const struct {
    const char* key;
    int value;
  } marks[] = {{"PrintMode", mode->number}, {"First Page Only", 0}, {"Overlay Prompt", 1}};
  for (const auto& mark : marks) {
    const SettingKey* key = FindSettingKey(mark.key);
    if (key == nullptr) return Fail(std::string("no setting \"") + mark.key + "\" to mark the mode");
    assignments->push_back({key, mark.value});
  }
  return true;
}

}  // namespace

int RunGet(const Options& options) {
  std::vector<const SettingKey*> keys;
  for (const std::wstring& word : options.words) {
    const SettingKey* key = KeyOrComplain(Utf8(word));
    if (key == nullptr) return kExitUsage;
    keys.push_back(key);
  }
  if (keys.empty()) {
    for (const SettingKey& key : SettingKeys()) keys.push_back(&key);
  }
  PrinterHandle printer;
  if (!printer.Open(options.printer, PRINTER_ACCESS_USE)) {
    FailOpenPrinter("cannot open the printer", options.printer);
    return kExitFailed;
  }
  const PrinterDescription description(printer.get());
  tqr::DRVDEVMODE record;
  if (!description.loaded() || !AskDocumentRecord(printer.get(), options.printer, nullptr, &record)) {
    return kExitFailed;
  }
  for (const SettingKey* key : keys) {
    const Allowed allowed = description.AllowedFor(key->row->key);
    std::printf("%s=%s\n", key->name.c_str(), ShowValue(allowed, ReadSetting(record, *key)).c_str());
  }
  std::fflush(stdout);
  return kExitOk;
}

int RunSet(const Options& options) {
  PrinterHandle printer;
  if (!printer.Open(options.printer, PRINTER_ALL_ACCESS)) {
    FailOpenPrinter("cannot open the printer to change its settings", options.printer);
    return kExitFailed;
  }
  const PrinterDescription description(printer.get());
  tqr::DRVDEVMODE before;
  if (!description.loaded() || !AskDocumentRecord(printer.get(), options.printer, nullptr, &before)) {
    return kExitFailed;
  }
  std::vector<Assignment> assignments;
  if (!options.printMode.empty()) {
    std::vector<PrintMode> modes;
    if (!ListPrintModes(description, printer.get(), before, &modes)) return kExitFailed;
    if (!PrintModeAssignments(Utf8(options.printMode), modes, &assignments)) return kExitUsage;
  }
  if (!ReadAssignments(options.words, description, &assignments)) return kExitUsage;

  tqr::DRVDEVMODE wanted;
  std::memcpy(static_cast<void*>(&wanted), &before, sizeof wanted);
  for (const Assignment& a : assignments) WriteSetting(&wanted, *a.key, a.value);
  // The driver checks the record as it checks every document's; what it would
  // change is said, and nothing is stored.
  tqr::DRVDEVMODE checked;
  if (!AskDocumentRecord(printer.get(), options.printer, &wanted, &checked)) return kExitFailed;
  bool repaired = false;
  for (const Assignment& a : assignments) {
    const int kept = ReadSetting(checked, *a.key);
    if (SameValue(kept, a.value)) continue;
    const Allowed allowed = description.AllowedFor(a.key->row->key);
    Fail(a.key->name + "=" + ShowValue(allowed, a.value) + ": the driver would make it " +
         ShowValue(allowed, kept) + " with the other settings");
    repaired = true;
  }
  if (repaired) {
    Fail("nothing was stored");
    return kExitFailed;
  }
  if (!StoreDefaultRecord(printer.get(), checked)) return kExitFailed;

  // What the spooler keeps now is read back from the spooler itself: the
  // driver in this process answers from what it read up to a second ago, so
  // asking it again could show the settings from before the change. Every
  // later document starts from this record.
  std::vector<BYTE> stored;
  if (!ReadDefaultRecord(printer.get(), &stored)) return kExitFailed;
  tqr::DRVDEVMODE after;
  if (stored.size() < sizeof after) {
    Fail(Phrase("the spooler did not keep the settings of", options.printer));
    return kExitFailed;
  }
  std::memcpy(static_cast<void*>(&after), stored.data(), sizeof after);
  int changes = 0;
  for (const SettingKey& key : SettingKeys()) {
    const int was = ReadSetting(before, key);
    const int is = ReadSetting(after, key);
    if (SameValue(was, is)) continue;
    const Allowed allowed = description.AllowedFor(key.row->key);
    Say(key.name + ": " + ShowValue(allowed, was) + " -> " + ShowValue(allowed, is));
    ++changes;
  }
  for (const Assignment& a : assignments) {
    if (!SameValue(ReadSetting(after, *a.key), a.value)) {
      Fail(Phrase("the spooler did not keep the settings of", options.printer));
      return kExitFailed;
    }
  }
  Say(changes == 0 ? "No setting changed" : "Stored as the printer's default settings");
  return kExitOk;
}

}  // namespace tqrctl
