// The settings record's public header is the platform's DEVMODEW: the same
// size and every field in the same place.
#include <windows.h>

#include <cstddef>

#include "settings/devmode_layout.h"

namespace tqr {

static_assert(sizeof(PublicDevMode) == sizeof(DEVMODEW));
#define TQR_SAME_PLACE(field) \
  static_assert(offsetof(PublicDevMode, field) == offsetof(DEVMODEW, field), #field)
TQR_SAME_PLACE(dmDeviceName);
TQR_SAME_PLACE(dmSpecVersion);
TQR_SAME_PLACE(dmDriverVersion);
TQR_SAME_PLACE(dmSize);
TQR_SAME_PLACE(dmDriverExtra);
TQR_SAME_PLACE(dmFields);
TQR_SAME_PLACE(dmOrientation);
TQR_SAME_PLACE(dmPaperSize);
TQR_SAME_PLACE(dmPaperLength);
TQR_SAME_PLACE(dmPaperWidth);
TQR_SAME_PLACE(dmScale);
TQR_SAME_PLACE(dmCopies);
TQR_SAME_PLACE(dmDefaultSource);
TQR_SAME_PLACE(dmPrintQuality);
TQR_SAME_PLACE(dmColor);
TQR_SAME_PLACE(dmDuplex);
TQR_SAME_PLACE(dmYResolution);
TQR_SAME_PLACE(dmTTOption);
TQR_SAME_PLACE(dmCollate);
TQR_SAME_PLACE(dmFormName);
TQR_SAME_PLACE(dmLogPixels);
TQR_SAME_PLACE(dmBitsPerPel);
TQR_SAME_PLACE(dmPelsWidth);
TQR_SAME_PLACE(dmPelsHeight);
TQR_SAME_PLACE(dmDisplayFrequency);
TQR_SAME_PLACE(dmICMMethod);
TQR_SAME_PLACE(dmICMIntent);
TQR_SAME_PLACE(dmMediaType);
TQR_SAME_PLACE(dmDitherType);
TQR_SAME_PLACE(dmReserved1);
TQR_SAME_PLACE(dmReserved2);
TQR_SAME_PLACE(dmPanningWidth);
TQR_SAME_PLACE(dmPanningHeight);
#undef TQR_SAME_PLACE

}  // namespace tqr
