/* Identifiers shared by Kestrone's resource script and its window code. */
#pragma once

#define IDI_KESTRONE 1
#define IDB_LOGO 100
#define IDD_TIP 200
#define IDC_TIP_IMAGE 201
#define IDC_TIP_LABEL 202
#define IDC_TIP_NOT_SHOW_AGAIN 203
#define IDD_SELCHOICE 300
#define IDC_SEL_IMAGE 301
#define IDC_SEL_LABEL 302
#define IDC_SEL_GROUP 303
#define IDC_SEL_CHOICE1 304
#define IDC_SEL_CHOICE2 305
#define IDC_SEL_CHOICE3 306
#define IDC_SEL_NOT_SHOW_AGAIN 307
#define IDC_SEL_TRUST 308
#define IDD_UNLOCK 400
#define IDC_UNLOCK_LABEL 401
#define IDC_UNLOCK_LIST 402
