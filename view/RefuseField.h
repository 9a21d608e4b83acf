// A refused field of a dialog takes the focus back after its message.
#pragma once

#include "common/Prompter.h"

class QWidget;

namespace chimeset {

// Shows the refusal and puts the focus (and, in an edit, the selection) on the field.
void RefuseField(Prompter& prompter, const Notice& refusal, QWidget* field);

}  // namespace chimeset
