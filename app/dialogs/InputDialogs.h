#pragma once
// The shared input dialogs: a name, two title lines, one number.
#include "app/dialogs/NameEditDlg.h"
#include "app/dialogs/NumberInputDlg.h"
#include "app/dialogs/TitleEditDlg.h"
