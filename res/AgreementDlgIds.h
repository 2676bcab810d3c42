// Template 104: the usage agreement shown once per user and computer.
#pragma once

#define IDD_AGREEMENT_DIALOG 104
#define IDC_EDIT_AGREEMENT 1006
