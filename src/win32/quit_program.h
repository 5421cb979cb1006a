#pragma once
// Ends the program: unloads every window it still has open and ends the message loop.

namespace haloquill::win32 {

void QuitProgram();

} // namespace haloquill::win32
