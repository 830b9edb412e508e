#pragma once
// The window's side of the command table (app/Commands.h): the commands the
// window runs itself, because they need its dialogs, tool windows, the
// clipboard or the printer. Every other command runs its editor method.

#include "app/Commands.h"

namespace quillet {

class TSDIAppForm;

using WindowHandler = void (TSDIAppForm::*)();

// The handler of a command whose row says RunKind::Window; nullptr for any
// other command.
WindowHandler WindowHandlerOf(CommandId id);

}  // namespace quillet
