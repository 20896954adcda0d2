/* Resource and control ids of the Maintenance page and its two dialogs.
   Read by the resource compiler as well as by the code, so plain defines. */
#ifndef TQR_RESOURCES_MAINTENANCE_IDS_H
#define TQR_RESOURCES_MAINTENANCE_IDS_H

#define IDD_MAINTENANCE_PAGE 1103
#define IDD_PRINT_HEAD_CLEANING 9250
#define IDD_PRINT_HEAD_ALIGNMENT 9175

/* The page: three picture buttons and their texts. 9009 and 9012 have
   bitmaps but no button on the page. */
#define IDC_CLEANING_BUTTON 9008
#define IDC_SPARE_BUTTON_1 9009
#define IDC_NOZZLE_CHECK_BUTTON 9010
#define IDC_ALIGNMENT_BUTTON 9011
#define IDC_SPARE_BUTTON_2 9012
#define IDC_CLEANING_GROUP 9138
#define IDC_CLEANING_TEXT 9139
#define IDC_TEST_PRINTS_GROUP 9140
#define IDC_NOZZLE_CHECK_TEXT 9141
#define IDC_ALIGNMENT_TEXT 9142
#define IDC_ROLL_MEDIA_NOTE 9143

/* Picture bitmaps, normal and pressed. */
#define IDB_NOZZLE_CHECK 8550
#define IDB_NOZZLE_CHECK_PRESSED 8551
#define IDB_CLEANING 8552
#define IDB_CLEANING_PRESSED 8553
#define IDB_SPARE_1 8554
#define IDB_SPARE_1_PRESSED 8555
#define IDB_ALIGNMENT 8556
#define IDB_ALIGNMENT_PRESSED 8557
#define IDB_SPARE_2 8558
#define IDB_SPARE_2_PRESSED 8559

/* Print Head Cleaning: a swatch before each ink's box. */
#define IDC_SWATCH_CYAN 9251
#define IDC_CHECK_CYAN 9252
#define IDC_SWATCH_MAGENTA 9253
#define IDC_CHECK_MAGENTA 9254
#define IDC_SWATCH_YELLOW 9255
#define IDC_CHECK_YELLOW 9256
#define IDC_SWATCH_PHOTO_CYAN 9257
#define IDC_CHECK_PHOTO_CYAN 9258
#define IDC_SWATCH_PHOTO_MAGENTA 9259
#define IDC_CHECK_PHOTO_MAGENTA 9260
#define IDC_SWATCH_BLACK 9261
#define IDC_CHECK_BLACK 9262
#define IDC_EXECUTE_CLEANING 9263

/* Print Head Alignment. */
#define IDC_RUN_AUTO_ALIGN 9177
#define IDC_PRINT_TEST_PATTERN 9179
#define IDC_ALIGN_VALUE_A 9180
#define IDC_ALIGN_VALUE_G 9186
#define IDC_SEND_ALIGN_VALUES 9187

#endif
