#pragma once
// The shared input dialogs: a name, two title lines, one number.
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/NumberInputDlg.h"
#include "dialogkit/TitleEditDlg.h"
