// SPDX-License-Identifier: GPL-3.0-or-later
// Resource and control ids of the Windows program, shared by tunecrate.rc and the C++ code.
#pragma once

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_TUNECRATE_FORM 101
#define IDD_DRIVES 102
#define IDD_EXTENSIONS 103
#define IDD_STICK_LAYOUT 104

// The frame's menu, accelerators and icon.
#define IDR_MAINFRAME 129

// Drive icons of the drive dialog.
#define IDI_REMOVABLE 131
#define IDI_OPTICAL 132
#define IDI_FLOPPY 133
#define IDI_FIXED 136
#define IDI_NETWORK 138
#define IDI_RAMDISK 139
#define IDI_UNKNOWN 141

// The form's decoration, at 96 and 192 dots per inch.
#define IDB_DECORATION 146
#define IDB_DECORATION_2X 147

// The German catalogue of the core's message templates and drive texts.
#define IDR_CATALOGUE 150

// Controls of the main form.
#define IDC_NEWDIR 1000
#define IDC_DIRLIST 1001
#define IDC_ADD 1002
#define IDC_REMOVE 1003
#define IDC_EXIT 1007
#define IDC_SELDRV 1012
#define IDC_FILEEXT 1014
#define IDC_PICTURE 1020
#define IDC_DRIVE 1022
#define IDC_START 1023
#define IDC_DELETE_OLD 1024
#define IDC_PROGRESS 1025
#define IDC_FREE_SPACE 1026
#define IDC_NEWDIR_LABEL 1028
#define IDC_LIST_LABEL 1029
#define IDC_STATUS 1036
#define IDC_EJECT 1037
#define IDC_LAYOUT 1039

// Controls of the drive dialog.
#define IDC_DRIVELIST 1010
#define IDC_DRIVE_DESCRIPTION 1011
#define IDC_REFRESH 1013

// Controls of the extensions dialog.
#define IDC_NEWEXT 1016
#define IDC_EXTLIST 1017
#define IDC_REMOVE_EXT 1018
#define IDC_EXT_OK 1019
#define IDC_EXT_PROBLEM 1021

// Controls of the stick layout dialog.
#define IDC_PER_FOLDER 1040
#define IDC_PER_FOLDER_SPIN 1041
#define IDC_NUMBER 1042
#define IDC_PLAYLIST 1043
#define IDC_BALANCE 1044
#define IDC_FOLDER_LIMIT 1045
#define IDC_FOLDER_LIMIT_SPIN 1046
#define IDC_MAX_FOLDERS 1047
#define IDC_MAX_FOLDERS_SPIN 1048

// Controls of the about box.
#define IDC_VERSION 1050
#define IDC_LICENCE 1051

// The form inside the frame: the id of the frame's first pane.
#define IDC_FORM 0xE900

// Menu commands.
#define ID_EDIT_ADD 32772
#define ID_EDIT_REMOVE 32773
#define ID_SELECT_DRIVE 32780
#define ID_FILE_EXTENSIONS 32781
#define ID_START_TRANSFER 32782
#define ID_STICK_LAYOUT 32790
#define ID_STICK_ORDER 32791
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_SAVE_AS 57604
#define ID_FILE_MRU_FIRST 57616
#define ID_FILE_MRU_LAST 57619
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665

// Strings.
#define IDS_APP_NAME 57344
#define IDS_FOLDER_PICKER_TITLE 61204
#define IDS_UNTITLED 200
#define IDS_FREE_SPACE_UNKNOWN 201
#define IDS_START 202
#define IDS_STOP 203
#define IDS_START_COMMAND 204
#define IDS_STOP_COMMAND 205
#define IDS_NO_FILE_TYPES 206
#define IDS_WAITING_FOR_STOP 207
#define IDS_SETTINGS_NOT_SAVED 208
#define IDS_CHANGED_ON_DISC 209
#define IDS_RELOAD 210
#define IDS_OVERWRITE 211
#define IDS_COLLECTION_FILTER 212
#define IDS_RECENT_GONE 213
#define IDS_NOTHING_DONE 214
#define IDS_ALL_IN_ROOT 218
#define IDS_PER_FOLDER 219
#define IDS_NUMBERED 220
#define IDS_PLAYLIST 221
#define IDS_FOLDER_FIRST 222
#define IDS_ANY_SONG 223
#define IDS_NOT_AVAILABLE 224
#define IDS_LICENCE 225
#define IDS_EXT_EMPTY 226
#define IDS_EXT_BLANK 227
#define IDS_EXT_WILDCARD 228
#define IDS_EXT_SEPARATOR 229
#define IDS_EXT_TOO_LONG 230
#define IDS_EJECTING 231
#define IDS_LABEL_ADD 240
#define IDS_LABEL_REMOVE 241
#define IDS_LABEL_SELDRV 242
#define IDS_LABEL_FILEEXT 243
#define IDS_LABEL_EXIT 244
