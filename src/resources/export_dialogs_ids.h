/* Dialog and control ids of the Save as and Open dialogs, which move single
   print modes between the user presets and export files. Plain C: the
   resource compiler and the C++ dialogs both read it. */
#ifndef TQR_RESOURCES_EXPORT_DIALOGS_IDS_H_
#define TQR_RESOURCES_EXPORT_DIALOGS_IDS_H_

/* Save as (dialog 8500). */
#define IDD_SAVE_AS 8500
#define IDC_SAVE_AS_OK 8501
#define IDC_SAVE_AS_CANCEL 8502
#define IDC_SAVE_AS_FILE_NAME 8503
#define IDC_SAVE_AS_ICONS 8504
#define IDC_SAVE_AS_DIRECTORIES 8505
#define IDC_SAVE_AS_DIRECTORY 8506

/* Open (dialog 9000). */
#define IDD_OPEN 9000
#define IDC_OPEN_OK 9001
#define IDC_OPEN_CANCEL 9002
#define IDC_OPEN_FILE_NAME 9003
#define IDC_OPEN_ICONS 9004
#define IDC_OPEN_DIRECTORIES 9005
#define IDC_OPEN_DIRECTORY 9006

#endif /* TQR_RESOURCES_EXPORT_DIALOGS_IDS_H_ */
