// What every dialog of the program shares: F1 opens its help topic, and a refused field
// takes the focus back after its message.
#pragma once

#include <cstdint>

#include "common/Prompter.h"
#include "users/qt/ShowHelp.h"

class QWidget;

namespace chimeset {

// F1 anywhere in the dialog asks for topic 0x20000 + the dialog's number.
void InstallDialogHelp(QWidget* dialog, const ShowHelp& showHelp, std::uint32_t dialogId);

// Shows the refusal and puts the focus (and, in an edit, the selection) on the field.
void RefuseField(Prompter& prompter, const Notice& refusal, QWidget* field);

}  // namespace chimeset
