// How every window of the programs asks for help: the callback that opens the topic of a
// context number (the program plugs in its help window), and the F1 key wired to it.
#pragma once

#include <cstdint>
#include <functional>

class QWidget;

namespace chimeset {

using ShowHelp = std::function<void(std::uint32_t context)>;

// F1 anywhere in the window, whichever of its controls has the focus, calls onHelp.
void InstallHelpKey(QWidget* window, std::function<void()> onHelp);

// F1 asks for the dialog's topic, 0x20000 + the dialog's number; without help it does
// nothing.
void InstallDialogHelp(QWidget* dialog, const ShowHelp& showHelp, std::uint32_t dialogId);

}  // namespace chimeset
