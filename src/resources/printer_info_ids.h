/* Dialog and control ids of the Printer Information page. Plain C: the
   resource compiler and the page both read it. */
#ifndef TQR_RESOURCES_PRINTER_INFO_IDS_H_
#define TQR_RESOURCES_PRINTER_INFO_IDS_H_

#define IDD_PRINTER_INFO_PAGE 1146
#define IDC_PRINTER_INFO_LIST 9170
#define IDC_RETRIEVE_PRINTER_INFO 9171

#endif /* TQR_RESOURCES_PRINTER_INFO_IDS_H_ */
