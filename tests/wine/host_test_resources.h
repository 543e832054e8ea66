// Ids of the small dialog templates that the host tests run.
#pragma once

#define IDD_HOST_TEST 500
#define IDD_HOST_TEST_PAGE 501
#define IDS_HOST_TEST_TEXT 600

#define IDC_TEST_EDIT 201
#define IDC_TEST_APPLY 202
#define IDC_TEST_COMBO 203
#define IDC_TEST_ADDRESS 204
#define IDC_TEST_LABEL 205
#define IDC_TEST_SCROLL 206
#define IDC_TEST_TAB 207
#define IDC_TEST_BUTTON_LABEL 208

#define IDC_PAGE_EDIT 301
