/* Identifiers shared by Kestrone's resource script and its window code. */
#pragma once

#define IDI_KESTRONE 1
#define IDB_LOGO 100
#define IDD_TIP 200
#define IDC_TIP_IMAGE 201
#define IDC_TIP_LABEL 202
#define IDC_TIP_NOT_SHOW_AGAIN 203
