// Description lines giving every feature the loader insists on, one option
// each, for fixtures that are about something else.
#pragma once

namespace tqr::test {

#define TQR_NEEDED_FEATURES_TEXT                                                    \
  "*PaperSize: DDF_STRUCT_PPER, \"A4\", 9, (21000, 29700), (300, 1500, 300, 300);\n" \
  "*PaperFeed: DDF_STRUCT_ITEM, \"Roll\", 0;\n"                                       \
  "*PaperWidth: DDF_STRUCT_RNGE, Maximum, 10822;\n"                                   \
  "*PaperLength: DDF_STRUCT_RNGE, Maximum, 26670;\n"                                  \
  "*Resolution: DDF_STRUCT_ITEM, \"360 dpi\", 360;\n"                                 \
  "*Copies: DDF_STRUCT_RNGE, Maximum, 999;\n"

}  // namespace tqr::test
