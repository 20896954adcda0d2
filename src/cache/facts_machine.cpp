#include "cache/facts_machine.h"

#include "cache/printer_facts.h"

namespace tqr::cache {

bool FactsMachine::ReadUserCountry(std::u16string* text) {
  const PrinterFacts* facts = FactsInUse::OfThisCall();
  if (facts == nullptr) return inner_.ReadUserCountry(text);
  if (facts->countryRead) *text = facts->country;
  return facts->countryRead;
}

}  // namespace tqr::cache
