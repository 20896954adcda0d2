// Printer-interface declarations that MinGW's winddiui.h leaves out, as the
// driver kit documents them.
#pragma once

#include <windows.h>
#include <winddiui.h>

extern "C" {

typedef struct _DOCUMENTPROPERTYHEADER {
  WORD cbSize;
  WORD Reserved;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
  PDEVMODEW pdmIn;
  PDEVMODEW pdmOut;
  DWORD cbOut;
  DWORD fMode;
} DOCUMENTPROPERTYHEADER, *PDOCUMENTPROPERTYHEADER;

typedef struct _DEVICEPROPERTYHEADER {
  WORD cbSize;
  WORD Flags;
  HANDLE hPrinter;
  LPWSTR pszPrinterName;
} DEVICEPROPERTYHEADER, *PDEVICEPROPERTYHEADER;

typedef struct _DEVQUERYPRINT_INFO {
  WORD cbSize;
  WORD Level;
  HANDLE hPrinter;
  DEVMODEW* pDevMode;
  LPWSTR pszErrorStr;
  DWORD cchErrorStr;
  DWORD cchNeeded;
} DEVQUERYPRINT_INFO, *PDEVQUERYPRINT_INFO;

#ifndef CDM_CONVERT
#define CDM_CONVERT 0x01
#define CDM_CONVERT351 0x02
#define CDM_DRIVER_DEFAULT 0x04
#endif
#ifndef PRINTER_EVENT_INITIALIZE
#define PRINTER_EVENT_INITIALIZE 3
#endif

BOOL WINAPI DllInitialize(HINSTANCE module, DWORD reason, LPVOID reserved);
LONG WINAPI DrvDocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM parameter);
LONG WINAPI DrvDevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM parameter);
LONG WINAPI DrvDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName,
                                  PDEVMODEW output, PDEVMODEW input, DWORD mode);
LONG WINAPI DrvAdvancedDocumentProperties(HWND window, HANDLE printer, LPWSTR deviceName,
                                          PDEVMODEW output, PDEVMODEW input);
BOOL WINAPI PrinterProperties(HWND window, HANDLE printer);
BOOL WINAPI DrvConvertDevMode(LPWSTR printerName, PDEVMODEW input, PDEVMODEW output,
                              PLONG size, DWORD mode);
BOOL WINAPI DrvPrinterEvent(LPWSTR printerName, INT event, DWORD flags, LPARAM parameter);
BOOL WINAPI DevQueryPrintEx(PDEVQUERYPRINT_INFO info);
DWORD WINAPI DrvDeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD index, PVOID output,
                                   PDEVMODEW record);

}  // extern "C"
