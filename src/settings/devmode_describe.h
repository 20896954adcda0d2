// A settings record as text, one named field per line ("dmPaperSize = 9"),
// for the tools that show what the driver hands out.
#pragma once

#include <string>

#include "settings/devmode.h"

namespace tqr {

std::string DescribeRecord(const DRVDEVMODE& record);

}  // namespace tqr
